#include "document/CCueMessageBox.h"
#include "document/CQuillDoc.h"
#include "model/CCueCatalog.h"
#include "model/CCueCdText.h"
#include "model/CCueComment.h"
#include "model/CCueFile.h"
#include "model/CCueFlags.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCueLine.h"
#include "model/CCueLineSource.h"
#include "model/CCuePostgap.h"
#include "model/CCuePregap.h"
#include "model/CCueTrack.h"
#include "platform/CScriptedPrompts.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

std::vector<std::string> SplitLines(const std::string& text)
{
    CCueLineSource source = CCueLineSource::FromText(text);
    std::vector<std::string> lines;
    CCueLine line;
    for (int i = 0; source.GetLine(i, line); ++i)
        lines.push_back(line.Text());
    EXPECT_EQ(static_cast<int>(lines.size()), source.LineCount());
    return lines;
}

using Strings = std::vector<std::string>;

TEST(CueLineSource, LineEnds)
{
    EXPECT_EQ(SplitLines("a\r\nb\r\n"), (Strings{"a", "b"}));
    EXPECT_EQ(SplitLines("a\nb\n"), (Strings{"a", "b"}));
    EXPECT_EQ(SplitLines("a\rb\r"), (Strings{"a", "b"}));
    EXPECT_EQ(SplitLines("a\nb"), (Strings{"a", "b"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb"), (Strings{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (Strings{"a", "b"}));   // LF CR is one line end
    EXPECT_EQ(SplitLines("a\r\rb"), (Strings{"a", "", "b"})); // two CRs make an empty line
    EXPECT_EQ(SplitLines(""), Strings{});
    EXPECT_EQ(SplitLines("\n"), Strings{""});
    EXPECT_EQ(SplitLines("x\ty\t"), Strings{"x y "});
    // A NUL reads as a blank and the text goes on.
    EXPECT_EQ(SplitLines(std::string("a\nb\0c\nd", 7)), (Strings{"a", "b c", "d"}));
    EXPECT_EQ(SplitLines(std::string("\0a", 2)), Strings{" a"});
    // A tab between double quotes belongs to a name and stays.
    EXPECT_EQ(SplitLines("FILE \"a\tb.wav\"\tWAVE\n\tTRACK"), (Strings{"FILE \"a\tb.wav\" WAVE", " TRACK"}));
    EXPECT_EQ(SplitLines("a\rb\tc\r\n\"\t\""), (Strings{"a", "b c", "\"\t\""}));
}

TEST(CueLineSource, FileLoadTurnsCrLfIntoOneEnd)
{
    char path[] = "/tmp/tracksmith-lines-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    const std::string bytes = "a\r\r\nb\r\n";
    ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(fd);
    CCueLineSource source = CCueLineSource::FromFileName(path);
    ASSERT_TRUE(source.Load());
    unlink(path);
    // CR CR LF reads as CR LF, one line end, as a text-mode stream gives it.
    CCueLine line;
    ASSERT_EQ(source.LineCount(), 2);
    EXPECT_FALSE(source.GetLine(2, line));
    EXPECT_FALSE(CCueLineSource::FromFileName("/nonexistent/x.cue").Load());
}

struct TokenCase {
    const char* text;
    ItemKind kind;
    int argumentColumn;
    int commentPosition;
};

class Tokenize : public testing::TestWithParam<TokenCase> {};

TEST_P(Tokenize, KindColumnsAndComment)
{
    const TokenCase& c = GetParam();
    CCueLine line;
    line.Text() = c.text;
    EXPECT_EQ(line.Tokenize(), c.kind != ItemKind::None);
    EXPECT_EQ(line.Kind(), c.kind);
    EXPECT_EQ(line.ArgumentColumn(), c.argumentColumn);
    EXPECT_EQ(line.CommentPosition(), c.commentPosition);
}

INSTANTIATE_TEST_SUITE_P(Lines, Tokenize, testing::Values(
    TokenCase{"  index 1 0:2:0", ItemKind::Index, 9, -1},
    TokenCase{"TRACK 01 audio ; first song", ItemKind::Track, 7, 15},
    TokenCase{"REM hello", ItemKind::Comment, 1, 0},
    TokenCase{"  rem", ItemKind::Comment, 3, 2},
    TokenCase{";hello", ItemKind::Comment, 1, 0},
    TokenCase{"", ItemKind::Comment, 1, 0},
    TokenCase{"    ", ItemKind::Comment, 5, 4},
    TokenCase{"REMARK x", ItemKind::None, 8, -1},
    TokenCase{"CDTEXTFILE X ; y", ItemKind::CdText, 12, 13},
    TokenCase{"  title \"a;b\"", ItemKind::CdText, 9, -1},   // quoted: no comment
    TokenCase{"ISRC AB;CD", ItemKind::Isrc, 6, -1},          // inside a word: no comment
    TokenCase{"TRACK 01 ;c", ItemKind::Track, 7, 9},
    TokenCase{"PERFORMERS x", ItemKind::None, 12, -1},
    TokenCase{"FLAGS", ItemKind::Flags, 6, -1},
    TokenCase{"PREGAP    00:02:00", ItemKind::Pregap, 11, -1},
    TokenCase{"postgap 1", ItemKind::Postgap, 9, -1},
    TokenCase{"FILE a;b WAVE", ItemKind::File, 6, -1},
    TokenCase{"FILE \"a b\"\t; c", ItemKind::File, 6, 11},
    TokenCase{"catalog 1", ItemKind::Catalog, 9, -1},
    TokenCase{"Isrc X", ItemKind::Isrc, 6, -1},
    TokenCase{"INDEX;1", ItemKind::None, 8, -1}));

// One line parsed into a fresh item of its kind.
struct ParseCase {
    const char* text;
    bool ok;
    const char* box;    // the error box text, "" for none
    const char* fields; // a summary of what was read
};

std::string Summary(const CCueItem& item)
{
    std::string s;
    switch (item.Kind()) {
    case ItemKind::File: {
        const auto& f = static_cast<const CCueFile&>(item);
        s = f.Name() + "|" + std::string(f.TypeText());
        break;
    }
    case ItemKind::Track: {
        const auto& t = static_cast<const CCueTrack&>(item);
        s = std::to_string(t.Number()) + "|" + std::string(t.TypeText());
        break;
    }
    case ItemKind::Index: {
        const auto& i = static_cast<const CCueIndex&>(item);
        s = std::to_string(i.Number()) + "|" + i.Time().Text();
        break;
    }
    case ItemKind::Pregap:
        s = static_cast<const CCuePregap&>(item).Time().Text();
        break;
    case ItemKind::Postgap:
        s = static_cast<const CCuePostgap&>(item).Time().Text();
        break;
    case ItemKind::Isrc:
        s = static_cast<const CCueIsrc&>(item).Code();
        break;
    case ItemKind::Catalog:
        s = static_cast<const CCueCatalog&>(item).Number();
        break;
    case ItemKind::Flags:
        s = static_cast<const CCueFlags&>(item).FlagsText();
        break;
    case ItemKind::CdText: {
        const auto& t = static_cast<const CCueCdText&>(item);
        s = t.Keyword() + "|" + t.Value();
        break;
    }
    default:
        break;
    }
    return s + "|" + item.Comment();
}

std::unique_ptr<CCueItem> MakeItem(ItemKind kind, CQuillDoc* doc)
{
    switch (kind) {
    case ItemKind::File: return std::make_unique<CCueFile>(doc);
    case ItemKind::Track: return std::make_unique<CCueTrack>(doc, nullptr);
    case ItemKind::Index: return std::make_unique<CCueIndex>(doc, nullptr);
    case ItemKind::Pregap: return std::make_unique<CCuePregap>(doc, nullptr);
    case ItemKind::Postgap: return std::make_unique<CCuePostgap>(doc, nullptr);
    case ItemKind::Isrc: return std::make_unique<CCueIsrc>(doc, nullptr);
    case ItemKind::Catalog: return std::make_unique<CCueCatalog>(doc);
    case ItemKind::Flags: return std::make_unique<CCueFlags>(doc, nullptr);
    case ItemKind::Comment: return std::make_unique<CCueComment>(doc);
    case ItemKind::CdText: return std::make_unique<CCueCdText>(doc);
    default: return nullptr;
    }
}

class FieldParse : public testing::TestWithParam<ParseCase> {};

TEST_P(FieldParse, FieldsAndMessages)
{
    const ParseCase& c = GetParam();
    CScriptedPrompts prompts;
    CPromptsScope scope(prompts);
    CQuillDoc doc;
    CCueLine line;
    line.Text() = c.text;
    line.Tokenize();
    std::unique_ptr<CCueItem> item = MakeItem(line.Kind(), &doc);
    ASSERT_TRUE(item) << c.text;
    line.SetNumber(7);
    CueMessages messages;
    EXPECT_EQ(item->Parse(line, messages), c.ok);
    for (const CCueMessage& message : messages)
        EXPECT_EQ(message.line, 7u) << c.text;
    CCueMessageBox::Show(messages);
    if (*c.box) {
        ASSERT_EQ(prompts.Messages().size(), 1u);
        const MessageBoxRequest& box = prompts.Messages()[0];
        EXPECT_EQ(box.caption + ": " + box.text, c.box);
        EXPECT_EQ(box.buttons, PromptButtons::Ok);
        EXPECT_EQ(box.icon, PromptIcon::None);
        EXPECT_TRUE(box.foreground);
    } else {
        EXPECT_TRUE(prompts.Messages().empty());
    }
    if (c.ok) {
        EXPECT_EQ(Summary(*item), c.fields);
    }
}

INSTANTIATE_TEST_SUITE_P(Good, FieldParse, testing::Values(
    ParseCase{"  index 1 0:2:0", true, "", "1|00:02:00|"},
    ParseCase{"INDEX 0007 1:2:3 extra", true, "", "7|01:02:03|"},
    ParseCase{"INDEX 99999999999 00:00:00", true, "", "2147483647|00:00:00|"},
    ParseCase{"TRACK 01 audio ; first song", true, "", "1|AUDIO|; first song"},
    ParseCase{"TRACK 120 AUDIO", true, "", "120|AUDIO|"},
    ParseCase{"TRACK -3 mode2/2352", true, "", "-3|MODE2/2352|"},
    ParseCase{"TRACK 7x CDI/2336", true, "", "7|CDI/2336|"},
    ParseCase{"FILE SONG.WAV wave", true, "", "SONG.WAV|WAVE|"},
    ParseCase{"FILE \"SONG.WAV\" WAVE", true, "", "SONG.WAV|WAVE|"},
    ParseCase{"FILE \"My Song.wav\" WAVE ; x", true, "", "My Song.wav|WAVE|; x"},
    ParseCase{"FILE \"a;b.wav\" WAVE", true, "", "a;b.wav|WAVE|"},
    ParseCase{"FILE a;b.wav WAVE", true, "", "a;b.wav|WAVE|"}, // a semicolon inside a word is no comment
    ParseCase{"ISRC AB;CD", true, "", "AB;CD|"},
    ParseCase{"CATALOG 12345;67 ; q", true, "", "12345;67|; q"},
    ParseCase{"INDEX 01 300:00:00", true, "", "1|300:00:00|"},
    ParseCase{"INDEX 01 9999:59:74", true, "", "1|9999:59:74|"},
    ParseCase{"TITLE  \"X\"", true, "", "TITLE|\"X\"|"},
    ParseCase{"FILE \"x.bin BINARY", true, "", "\"x.bin|BINARY|"},
    ParseCase{"FILE D.MOT motorola", true, "", "D.MOT|MOTOROLA|"},
    ParseCase{"FILE E.AIF AIFF", true, "", "E.AIF|AIFF|"},
    ParseCase{"FILE A.WAV MP3", true, "", "A.WAV|MP3|"},
    ParseCase{"FILE \"My Song.flac\" flac ; lossless", true, "", "My Song.flac|flac|; lossless"},
    ParseCase{"TRACK 1 VIDEO", true, "", "1|VIDEO|"},
    ParseCase{"TRACK 1 ERR", true, "", "1|ERR|"},
    ParseCase{"FLAGS SCMS dcp data", true, "", "DCP SCMS DATA |"},
    ParseCase{"TITLE \"Rock; Roll\" ; note", true, "", "TITLE|\"Rock; Roll\"|; note"},
    ParseCase{"  performer Someone Else  ", true, "", "performer|Someone Else|"},
    ParseCase{"SONGWRITER \"unterminated ; x", true, "", "SONGWRITER|\"unterminated ; x|"},
    ParseCase{"GENRE", true, "", "GENRE||"},
    ParseCase{"CATALOG \"TEST ID 64\" ; q", true, "", "\"TEST ID 64\"|; q"},
    ParseCase{"ISRC \"AB CD\"", true, "", "\"AB CD\"|"},
    ParseCase{"FLAGS", true, "", "|"},
    ParseCase{"FLAGS dcp 4ch pre", true, "", "DCP 4CH PRE |"},
    ParseCase{"FLAGS DCP ; copy permitted", true, "", "DCP |; copy permitted"},
    ParseCase{"PREGAP 00:02:00", true, "", "00:02:00|"},
    ParseCase{"POSTGAP 1", true, "", "01:00:00|"},
    ParseCase{"ISRC ABCDE1234567 ; code", true, "", "ABCDE1234567|; code"},
    ParseCase{"CATALOG 1234567890123", true, "", "1234567890123|"},
    ParseCase{"REM hello", true, "", "|REM hello"},
    ParseCase{"   ;hello", true, "", "|;hello"},
    ParseCase{"", true, "", "|"}));

INSTANTIATE_TEST_SUITE_P(Bad, FieldParse, testing::Values(
    ParseCase{"INDEX", false, "Error: Line 7:  No Index number specified", ""},
    ParseCase{"INDEX 1a 00:00:00", false, "Error: Line 7:  Non-numeric index number", ""},
    ParseCase{"INDEX -1 00:00:00", false, "Error: Line 7:  Non-numeric index number", ""},
    ParseCase{"INDEX 01", false, "Error: Line 7:  No Index time - must specify <mm::ss::ff>", ""},
    ParseCase{"TRACK", false, "Error: Line 7:  No track number specified", ""},
    ParseCase{"TRACK x AUDIO", false, "Error: Line 7:  Invalid track number (track number must be higher than 0)", ""},
    // The track counts, with the type its file implies; the comment stays one.
    ParseCase{"TRACK 1", true,
              "Warning: Warning at Line 7:  No Track type - must specify whether track is AUDIO, CDG, MODE1/2048, etc.; "
              "saved as AUDIO\n", "1|AUDIO|"},
    ParseCase{"TRACK 01 ; c", true,
              "Warning: Warning at Line 7:  No Track type - must specify whether track is AUDIO, CDG, MODE1/2048, etc.; "
              "saved as AUDIO\n", "1|AUDIO|; c"},
    ParseCase{"INDEX 01 ;oops", false, "Error: Line 7:  No Index time - must specify <mm::ss::ff>", ""},
    ParseCase{"INDEX 01 999999:99:99", false, "Error: Line 7:  Seconds past 59 in time", ""},
    ParseCase{"INDEX 01 10000:00:00", false, "Error: Line 7:  Time past 9999:59:74", ""},
    ParseCase{"INDEX 01 00:00:75", false, "Error: Line 7:  Frames past 74 in time", ""},
    ParseCase{"INDEX 01 -1:00:00", false, "Error: Line 7:  Negative time - must be 00:00:00 or later", ""},
    ParseCase{"PREGAP 01:300:00", false, "Error: Line 7:  Seconds past 59 in time", ""},
    ParseCase{"FLAGS DCP;x", true, "Warning: Warning at Line 7:  Unknown flag DCP;x\n", "DCP;x |"},
    ParseCase{"FILE \"a\"b\"c\".wav WAVE", false, "Error: Line 7:  A double quote inside a quoted file name", ""},
    // No line could give such a name back.
    ParseCase{"FILE My\"Song 1.wav WAVE", false, "Error: Line 7:  A double quote inside a file name with blanks", ""},
    ParseCase{"FILE \"My Song.wav WAVE", true,
              "Warning: Warning at Line 7:  The closing double quote of the file name is missing: read as \"My Song.wav\"\n",
              "My Song.wav|WAVE|"},
    ParseCase{"FILE My Song.wav WAVE", true,
              "Warning: Warning at Line 7:  A file name with blanks must be in double quotes: read as \"My Song.wav\"\n",
              "My Song.wav|WAVE|"},
    ParseCase{"FILE", false, "Error: Line 7:  No file specified", ""},
    ParseCase{"FILE \"\" WAVE", false, "Error: Line 7:  No file specified", ""},
    // Reported, and the file counts, with the type its name implies.
    ParseCase{"FILE A.WAV", true,
              "Warning: Warning at Line 7:  No File type - must specify whether file is WAVE, BINARY, MOTOROLA, AIFF; "
              "saved as WAVE\n", "A.WAV|WAVE|"},
    ParseCase{"FILE \"My Song.bin\" ; c", true,
              "Warning: Warning at Line 7:  No File type - must specify whether file is WAVE, BINARY, MOTOROLA, AIFF; "
              "saved as BINARY\n", "My Song.bin|BINARY|; c"},
    ParseCase{"PREGAP", false, "Error: Line 7:  No Pregap time - must specify <mm::ss::ff>", ""},
    ParseCase{"POSTGAP ", false, "Error: Line 7:  No Postgap time - must specify <mm::ss::ff>", ""},
    ParseCase{"ISRC", false, "Error: Line 7:  No ISRC number - must specify <ABCDE1234567>", ""},
    ParseCase{"CATALOG", false, "Error: Line 7:  No Catalog number - must specify <1234567890123>", ""}));

// Where a second keyword starts on a line: after the arguments of the
// keywords with a fixed count, when the next word is a keyword.
TEST(CueLine, SecondKeyword)
{
    const struct {
        const char* text;
        std::size_t at;
    } cases[] = {
        {"INDEX 00 00:04:00 INDEX 01 00:06:00", 18},
        {"  TRACK 02 AUDIO FLAGS DCP", 17},
        {"PREGAP 00:02:00 index 01 0", 16},
        {"ISRC \"AB CD\" TITLE x", 13},
        {"INDEX 01 00:00:00 extra", std::string::npos},
        {"INDEX 01 00:00:00 ; INDEX 02 0", std::string::npos},
        {"INDEX 01 00:00:00 REM x", std::string::npos},
        {"FLAGS DCP INDEX", 10},
        {"FLAGS DCP INDEX 01 00:00:00", 10},
        {"FLAGS DCP PRE 4CH", std::string::npos},
        {"FLAGS DCP ; INDEX 01 00:00:00", std::string::npos},
        {"TITLE x INDEX 01 0", std::string::npos},
        {"INDEX 01", std::string::npos},
    };
    for (const auto& c : cases) {
        CCueLine line;
        line.Text() = c.text;
        line.Tokenize();
        EXPECT_EQ(line.SecondKeyword(), c.at) << c.text;
    }
}

// An unknown flag word is reported as a warning and kept; the flags before
// and after it still count.
TEST(CueFlags, UnknownWordKeptAndReported)
{
    CQuillDoc doc;
    CCueLine line;
    line.Text() = "FLAGS DCP XYZ pre ; c";
    line.Tokenize();
    CCueFlags flags(&doc, nullptr);
    line.SetNumber(4);
    CueMessages messages;
    EXPECT_TRUE(flags.Parse(line, messages));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption() + ": " + messages[0].BoxText(), "Warning: Warning at Line 4:  Unknown flag XYZ\n");
    EXPECT_TRUE(flags.Dcp());
    EXPECT_TRUE(flags.PreEmphasis());
    EXPECT_EQ(flags.FlagsText(), "DCP PRE XYZ ");
    EXPECT_EQ(flags.Comment(), "; c");
}

struct MessageCase {
    CCueMessage message;
    const char* shown; // "Caption: text" as its box shows it
};

class MessageText : public testing::TestWithParam<MessageCase> {};

TEST_P(MessageText, CaptionAndText)
{
    const MessageCase& c = GetParam();
    EXPECT_EQ(c.message.Caption() + ": " + c.message.BoxText(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Lines, MessageText, testing::Values(
    MessageCase{{3, CueSeverity::Warning, "Ignoring line"}, "Warning: Warning at Line 3:  Ignoring line\n"},
    MessageCase{{0, CueSeverity::Warning, "Ignoring line"}, "Warning: Warning:  Ignoring line\n"},
    MessageCase{{0, CueSeverity::Error, "plain"}, "Error: plain"},
    MessageCase{{12, CueSeverity::Error, "No file specified"}, "Error: Line 12:  No file specified"},
    MessageCase{{0, CueSeverity::Unreadable, "Cannot open \"/x\": File too large"},
                "Error: Cannot open \"/x\": File too large"}));

} // namespace
