#include "document/CCueMessageBox.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueLineSource.h"
#include "model/CCueReader.h"
#include "model/CCueTrack.h"
#include "support/SheetFixture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <thread>

namespace {

using Strings = std::vector<std::string>;

// A sheet opened from a file: whether the open succeeded, the boxes it
// showed (with "%s" standing for the file's path) and the text it holds.
struct OpenCase {
    const char* name;
    std::string input;
    bool opens;
    Strings boxes;
    std::string text; // the saved text when it opens
};

void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.name; }

class ReadFile : public SheetFixture, public testing::WithParamInterface<OpenCase> {};

TEST_P(ReadFile, BoxesAndResult)
{
    const OpenCase& c = GetParam();
    const std::string path = dir.File("sheet.cue");
    EXPECT_EQ(Open(c.input), c.opens);
    Strings expected;
    for (std::string box : c.boxes) {
        if (const auto at = box.find("%s"); at != std::string::npos)
            box.replace(at, 2, path);
        expected.push_back(box);
    }
    EXPECT_EQ(Boxes(), expected);
    if (c.opens) {
        EXPECT_EQ(Text(), c.text);
        EXPECT_FALSE(doc->IsModified());
    }
}

const char* const kNotCue = "Error: The file %s\ndoes not appear to be a cue sheet";

INSTANTIATE_TEST_SUITE_P(Sheets, ReadFile, testing::Values(
    // What Save writes for an empty sheet opens again.
    OpenCase{"empty", "", true, {}, ""},
    OpenCase{"blank_lines_only", "\r\n\r\n", true, {}, Lines({"", ""})},
    // Tracks before any FILE line go under a file not named yet, which
    // writes no line.
    OpenCase{"track_first", "TRACK 01 AUDIO\n", true, {}, Lines({"  TRACK 01 AUDIO"})},
    OpenCase{"prose", "hello world\n", false, {kNotCue}, ""},
    OpenCase{"nul_first", std::string("\0FILE A.WAV WAVE\n", 17), true,
             {"Warning: Warning at Line 1:  NUL byte read as a blank\n"}, Lines({"FILE A.WAV WAVE"})},
    OpenCase{"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), false, {kNotCue}, ""},
    OpenCase{"leading_comments",
             Lines({"", "REM a", "; b", "FILE A.WAV WAVE", "TRACK 01 AUDIO", "INDEX 01 00:00:00"}), true, {},
             Lines({"", "REM a", "; b", "FILE A.WAV WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    OpenCase{"pregap_after_index",
             Lines({"FILE A.WAV WAVE", "TRACK 01 AUDIO", "INDEX 01 00:00:00", "PREGAP 00:02:00"}), true, {},
             Lines({"FILE A.WAV WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "    PREGAP 00:02:00"})},
    OpenCase{"second_pregap",
             Lines({"FILE A.WAV WAVE", "TRACK 01 AUDIO", "PREGAP 1", "PREGAP 2", "INDEX 01 0"}), false,
             {"Error: Line 4:  Only one Pregap allowed per track"}, ""},
    // The track continues into the next file: its index stays there.
    OpenCase{"index_after_file_continues_the_track",
             Lines({"FILE A.WAV WAVE", "TRACK 01 AUDIO", "FILE B.WAV WAVE", "INDEX 01 00:00:00"}), true, {},
             Lines({"FILE A.WAV WAVE", "  TRACK 01 AUDIO", "FILE B.WAV WAVE", "    INDEX 01 00:00:00"})},
    OpenCase{"unknown_keyword_kept",
             Lines({"FILE A.WAV WAVE", "CDTEXTFILES X", "TRACK 01 AUDIO", "  SUBINDEX 3 ; x", "INDEX 01 0"}), true,
             {"Warning: Warning at Line 2:  Ignoring line\n", "Warning: Warning at Line 4:  Ignoring line\n"},
             Lines({"FILE A.WAV WAVE", "CDTEXTFILES X", "  TRACK 01 AUDIO", "  SUBINDEX 3 ; x",
                    "    INDEX 01 00:00:00"})},
    OpenCase{"bad_index_kept",
             Lines({"FILE A.WAV WAVE", "TRACK 01 AUDIO", "  INDEX 1a 00:00:00", "INDEX 01 00:00:00"}), true,
             {"Error: Line 3:  Non-numeric index number"},
             Lines({"FILE A.WAV WAVE", "  TRACK 01 AUDIO", "  INDEX 1a 00:00:00", "    INDEX 01 00:00:00"})},
    OpenCase{"cd_text_at_both_levels",
             Lines({"PERFORMER \"The Band\"", "TITLE \"Rock; Roll\" ; disc", "TITLE Again", "FILE A.WAV WAVE",
                    "TRACK 01 AUDIO", "TITLE \"One\"", "SONGWRITER \"Me\"", "INDEX 01 0"}), true, {},
             Lines({"PERFORMER \"The Band\"", "TITLE \"Rock; Roll\"              ; disc", "TITLE Again",
                    "FILE A.WAV WAVE", "  TRACK 01 AUDIO", "    TITLE \"One\"", "    SONGWRITER \"Me\"",
                    "    INDEX 01 00:00:00"})},
    OpenCase{"disc_isrc_is_cd_text",
             Lines({"CATALOG 0123456789012", "ISRC USRC17607839", "FILE A.BIN BINARY", "TRACK 01 AUDIO",
                    "FLAGS DCP SCMS", "INDEX 01 0"}), true, {},
             Lines({"CATALOG 0123456789012", "ISRC USRC17607839", "FILE A.BIN BINARY", "  TRACK 01 AUDIO",
                    "    FLAGS DCP SCMS ", "    INDEX 01 00:00:00"})},
    OpenCase{"other_types_kept",
             Lines({"FILE \"a b.flac\" FLAC", "TRACK 01 MODE3_FORM1", "INDEX 01 0", "FILE c.mp3 MP3",
                    "TRACK 02 AUDIO", "INDEX 01 0"}), true, {},
             Lines({"FILE \"a b.flac\" FLAC", "  TRACK 01 MODE3_FORM1", "    INDEX 01 00:00:00", "FILE c.mp3 MP3",
                    "  TRACK 02 AUDIO", "    INDEX 01 00:00:00"})},
    OpenCase{"track_without_file", Lines({"REM x", "TRACK 01 AUDIO", "INDEX 01 0"}), true, {},
             Lines({"REM x", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    OpenCase{"track_zero",
             Lines({"FILE A.WAV WAVE", "TRACK 00 AUDIO", "INDEX 01 0", "TRACK 00 AUDIO", "INDEX 01 1:00:00"}), true,
             {"Warning: Warning at Line 2:  TRACK 00 read; the tracks are numbered from 01\n"},
             Lines({"FILE A.WAV WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "  TRACK 02 AUDIO",
                    "    INDEX 01 01:00:00"})},
    OpenCase{"index_without_track", Lines({"FILE A.WAV WAVE", "INDEX 01 0"}), false,
             {"Error: Line 2:  Index with no track"}, ""},
    OpenCase{"structure_messages_pregap", Lines({"FILE A.WAV WAVE", "PREGAP 1"}), false,
             {"Error: Line 2:  Pregap with no track"}, ""},
    OpenCase{"structure_messages_postgap", Lines({"FILE A.WAV WAVE", "POSTGAP 1"}), false,
             {"Error: Line 2:  Postgap with no track"}, ""},
    OpenCase{"structure_messages_isrc", Lines({"FILE A.WAV WAVE", "ISRC 1"}), false,
             {"Error: Line 2:  ISRC with no track"}, ""},
    OpenCase{"structure_messages_flags", Lines({"FILE A.WAV WAVE", "FLAGS"}), false,
             {"Error: Line 2:  FLAGS with no track"}, ""},
    OpenCase{"second_catalog", Lines({"CATALOG 1", "CATALOG 2"}), false,
             {"Error: Line 2:  Only one Catalog allowed"}, ""},
    OpenCase{"second_postgap", Lines({"FILE A.WAV WAVE", "TRACK 1 AUDIO", "POSTGAP 1", "POSTGAP 1"}), false,
             {"Error: Line 4:  Only one Postgap allowed per track"}, ""},
    OpenCase{"second_isrc", Lines({"FILE A.WAV WAVE", "TRACK 1 AUDIO", "ISRC 1", "ISRC 1"}), false,
             {"Error: Line 4:  Only one ISRC allowed per track"}, ""},
    OpenCase{"second_flags", Lines({"FILE A.WAV WAVE", "TRACK 1 AUDIO", "FLAGS", "FLAGS"}), false,
             {"Error: Line 4:  Only one FLAGS allowed per track"}, ""},
    // A broken FILE or TRACK line leaves no current file or track behind,
    // so what follows is never filed under the previous one.
    OpenCase{"broken_file_line",
             Lines({"FILE A.WAV WAVE", "TRACK 01 AUDIO", "INDEX 01 0", "FILE", "TRACK 02 AUDIO"}), false,
             {"Error: Line 4:  No file specified", "Error: Line 5:  Track with no file"}, ""},
    OpenCase{"file_without_type_kept",
             Lines({"FILE A.MP3", "TRACK 01 AUDIO", "INDEX 01 0"}), true,
             {"Warning: Warning at Line 1:  No File type - must specify whether file is WAVE, BINARY, MOTOROLA, AIFF; "
              "saved as WAVE\n"},
             Lines({"FILE A.MP3 WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    // A name no reading gives back: the read stops with the reason, and
    // the file on disk is left as it is.
    OpenCase{"quote_inside_quoted_name",
             Lines({"FILE \"a\"b\"c\".wav WAVE", "TRACK 01 AUDIO", "INDEX 01 0"}), false,
             {"Error: Line 1:  A double quote inside a quoted file name", "Error: Line 2:  Track with no file"}, ""},
    OpenCase{"broken_track_line",
             Lines({"FILE A.WAV WAVE", "TRACK 01 AUDIO", "INDEX 01 0", "TRACK x AUDIO", "INDEX 01 01:00:00"}), false,
             {"Error: Line 4:  Invalid track number (track number must be higher than 0)",
              "Error: Line 5:  Index with no track"}, ""},
    OpenCase{"quoted_name_round_trip",
             Lines({"FILE \"My Song.wav\" WAVE", "TRACK 01 AUDIO", "INDEX 01 0"}), true, {},
             Lines({"FILE \"My Song.wav\" WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    OpenCase{"quotes_dropped_without_blank",
             Lines({"FILE \"SONG.WAV\" WAVE", "TRACK 01 AUDIO", "INDEX 01 0"}), true, {},
             Lines({"FILE SONG.WAV WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    OpenCase{"mixed_line_ends", "FILE A.WAV WAVE\rTRACK 01 AUDIO\nINDEX 01 00:00:00\r\n", true, {},
             Lines({"FILE A.WAV WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    OpenCase{"huge_numbers",
             Lines({"FILE A.WAV WAVE", "TRACK 99999999999999 AUDIO", "INDEX 99999999999999 999999:99:99"}), true,
             {"Error: Line 3:  Seconds past 59 in time"},
             Lines({"FILE A.WAV WAVE", "  TRACK 01 AUDIO", "INDEX 99999999999999 999999:99:99"})},
    OpenCase{"tabs_and_case",
             "file\ta.wav\twave\n\ttrack 1 audio\n\t\tindex 1 0:2:0\n", true, {},
             Lines({"FILE a.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "    INDEX 02 00:02:00"})},
    // A NUL never hides the rest of the sheet.
    OpenCase{"text_after_nul_kept",
             std::string("FILE A.WAV WAVE\nTRACK 01 AUDIO\nINDEX 01 0\n\0TRACK 02 AUDIO\nINDEX 01 1:00:00\n", 75),
             true, {"Warning: Warning at Line 4:  NUL byte read as a blank\n"},
             Lines({"FILE A.WAV WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "  TRACK 02 AUDIO",
                    "    INDEX 01 01:00:00"})},
    OpenCase{"nul_inside_comment", std::string("REM a\0b\nFILE A.WAV WAVE\n", 24), true,
             {"Warning: Warning at Line 1:  NUL byte read as a blank\n"}, Lines({"REM a b", "FILE A.WAV WAVE"})}));

// The regression sheets under tests/data/sheets, one per pattern that real
// sheets use: NAME.cue opens, shows the boxes of NAME.messages (none when
// there is no such file) and saves as NAME.saved.
std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> RegressionSheets()
{
    std::vector<std::string> names;
    const char* data = std::getenv("TS_TEST_DATA");
    if (!data)
        data = TS_TEST_DATA_DIR;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(data) / "sheets")) {
        if (entry.path().extension() == ".cue")
            names.push_back(entry.path().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class RegressionSheet : public SheetFixture, public testing::WithParamInterface<std::string> {};

TEST_P(RegressionSheet, OpensAndSavesAsExpected)
{
    const std::filesystem::path cue = GetParam();
    std::filesystem::path saved = cue;
    std::filesystem::path messages = cue;
    saved.replace_extension(".saved");
    messages.replace_extension(".messages");
    ASSERT_TRUE(std::filesystem::exists(saved)) << saved;
    ASSERT_TRUE(Open(ReadAll(cue), cue.filename().string()));
    std::string boxes;
    for (const std::string& box : Boxes())
        boxes += box + (box.ends_with('\n') ? "" : "\n");
    EXPECT_EQ(boxes, std::filesystem::exists(messages) ? ReadAll(messages) : std::string());
    EXPECT_EQ(Text(), ReadAll(saved));
    // What was saved reads back as itself, with no new message.
    prompts.Clear();
    const std::string text = Text();
    ASSERT_TRUE(Open(text, "again.cue"));
    EXPECT_EQ(Text(), text);
}

TEST(RegressionSheets, AreThere)
{
    EXPECT_GE(RegressionSheets().size(), 10u) << "TS_TEST_DATA/sheets";
}

INSTANTIATE_TEST_SUITE_P(Data, RegressionSheet, testing::ValuesIn(RegressionSheets()),
                         [](const testing::TestParamInfo<std::string>& p) {
                             std::string name = std::filesystem::path(p.param).stem().string();
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST_F(SheetFixture, OpenCollectsEveryFieldError)
{
    EXPECT_TRUE(Open(Lines({"FILE A.WAV WAVE", "TRACK 01 AUDIO", "INDEX 01 0", "ISRC", "FLAGS X", "PREGAP",
                            "TRACK 2 AUDIO", "INDEX x 1", "INDEX 01 00:10:00"})));
    EXPECT_EQ(Boxes(), (Strings{"Error: Line 4:  No ISRC number - must specify <ABCDE1234567>",
                                "Warning: Warning at Line 5:  Unknown flag X\n",
                                "Error: Line 6:  No Pregap time - must specify <mm::ss::ff>",
                                "Error: Line 8:  Non-numeric index number"}));
    // Every line is kept: the broken ones as they were read.
    EXPECT_EQ(doc->LineCount(), 9);
}

TEST_F(SheetFixture, WarningsOfOneReadShareOneBox)
{
    EXPECT_TRUE(Open(Lines({"FILE A.WAV WAVE", "TRACK 01 AUDIO", "INDEX 01 0", "ISRC", "FLAGS X", "PREGAP",
                            "TRACK 2 AUDIO", "INDEX x 1", "INDEX 01 00:10:00"})));
    ASSERT_EQ(prompts.Messages().size(), 1u);
    const MessageBoxRequest& box = prompts.Messages()[0];
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.text, "Line 4:  No ISRC number - must specify <ABCDE1234567>\n"
                        "Warning at Line 5:  Unknown flag X\n"
                        "Line 6:  No Pregap time - must specify <mm::ss::ff>\n"
                        "Line 8:  Non-numeric index number\n");
    EXPECT_EQ(box.details.size(), 4u);
}

TEST_F(SheetFixture, ManyWarningsListTheRestInTheDetails)
{
    std::string sheet = "FILE A.WAV WAVE\nTRACK 01 AUDIO\nINDEX 01 0\n";
    for (int i = 0; i < 30; ++i)
        sheet += "REMARK line\n";
    EXPECT_TRUE(Open(sheet));
    ASSERT_EQ(prompts.Messages().size(), 1u);
    const MessageBoxRequest& box = prompts.Messages()[0];
    EXPECT_EQ(box.caption, "Warning");
    ASSERT_EQ(box.details.size(), 30u);
    EXPECT_EQ(box.details.front().text, "Warning at Line 4:  Ignoring line\n");
    EXPECT_EQ(box.details.back().text, "Warning at Line 33:  Ignoring line\n");
    EXPECT_EQ(box.text.find("Line 14:"), std::string::npos);
    EXPECT_NE(box.text.find("Warning at Line 13:  Ignoring line\n...and 20 more"), std::string::npos);
    // The command line and the scripted prompts see each message.
    EXPECT_EQ(Boxes().size(), 30u);
}

TEST_F(SheetFixture, WarningsComeBeforeTheErrorThatStopsTheRead)
{
    EXPECT_FALSE(Open(Lines({"FILE A.WAV WAVE", "REMARK a", "TRACK 01 AUDIO", "REMARK b", "PREGAP 1", "PREGAP 2"})));
    ASSERT_EQ(prompts.Messages().size(), 2u);
    EXPECT_EQ(prompts.Messages()[0].details.size(), 2u);
    EXPECT_EQ(Boxes(), (Strings{"Warning: Warning at Line 2:  Ignoring line\n",
                                "Warning: Warning at Line 4:  Ignoring line\n",
                                "Error: Line 6:  Only one Pregap allowed per track"}));
}

TEST_F(SheetFixture, FailedReadKeepsItemsReadBeforeTheAbort)
{
    // The reader leaves what it read; the open reports failure.
    EXPECT_FALSE(Open(Lines({"FILE A.WAV WAVE", "TRACK 01 AUDIO", "INDEX 01 0", "PREGAP 1", "PREGAP 2"})));
    EXPECT_EQ(doc->FileCount(), 1);
    EXPECT_EQ(doc->LineCount(), 4);
}

TEST_F(SheetFixture, LongLinesAndManyLines)
{
    const std::string comment = "; " + std::string(1 << 20, 'x');
    EXPECT_TRUE(Open("FILE A.WAV WAVE\nTRACK 01 AUDIO " + comment + "\nINDEX 01 0\n"));
    EXPECT_EQ(Text(), "FILE A.WAV WAVE\n  TRACK 01 AUDIO" + std::string(16, ' ') + comment + "\n    INDEX 01 00:00:00\n");

    std::string many = "FILE A.WAV WAVE\nTRACK 01 AUDIO\n";
    for (int i = 0; i < 100000; ++i)
        many += "REM line\n";
    EXPECT_TRUE(Open(many));
    EXPECT_EQ(doc->LineCount(), 100002);
    EXPECT_TRUE(Boxes().empty());

    std::string junk(1 << 20, '\xff');
    EXPECT_FALSE(Open(junk));
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(SheetFixture, TraceDoesNotChangeTheRead)
{
    // Trace lines are formatted for every item; a comment with a percent
    // sign must come through as it is.
    EXPECT_TRUE(Open(Lines({"REM 100% %s %n", "FILE A%s.WAV WAVE", "TRACK 01 AUDIO", "INDEX 01 0"})));
    EXPECT_EQ(doc->Line(0)->Comment(), "REM 100% %s %n");
}

// Reading text into an open sheet at an anchor, as a paste does.
class Paste : public SheetFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Open(Lines({"REM top", "REM second", "FILE A.WAV WAVE", "  TRACK 01 AUDIO",
                                "    INDEX 01 00:00:00", "  TRACK 02 AUDIO", "    INDEX 01 01:00:00"})));
        prompts.Clear();
    }
    CCueItem* PasteAt(const std::string& text, CCueItem* anchor)
    {
        // Shown as the window shows a paste's messages.
        CCueLineSource source = CCueLineSource::FromText(text);
        const CueReadResult read = CCueReader::Read(source, *doc, anchor);
        CCueMessageBox::Show(read);
        return read.first;
    }
    CCueItem* LineItem(const char* text)
    {
        const std::string all = Text();
        int line = 0;
        for (std::size_t at = 0; at < all.size(); ++line) {
            const std::size_t end = all.find('\n', at);
            if (all.compare(at, end - at, text) == 0)
                return doc->Line(line);
            at = end + 1;
        }
        return nullptr;
    }
};

TEST_F(Paste, IndexOnFileIsRefused)
{
    EXPECT_EQ(PasteAt("INDEX 02 00:30:00\n", LineItem("FILE A.WAV WAVE")), nullptr);
    EXPECT_EQ(Boxes(), Strings{"Error: The contents of the clipboard cannot be inserted here"});
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(Paste, TrackBlockBeforeTrackRenumbers)
{
    CCueItem* first = PasteAt("  TRACK 01 AUDIO\n    INDEX 01 00:30:00\n", LineItem("  TRACK 02 AUDIO"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Kind(), ItemKind::Track);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(Text(), Lines({"REM top", "REM second", "FILE A.WAV WAVE", "  TRACK 01 AUDIO",
                             "    INDEX 01 00:00:00", "  TRACK 02 AUDIO", "    INDEX 01 00:30:00",
                             "  TRACK 03 AUDIO", "    INDEX 01 01:00:00"}));
}

TEST_F(Paste, CatalogLandsAfterLeadingComments)
{
    ASSERT_NE(PasteAt("CATALOG 1234567890123\n", nullptr), nullptr);
    EXPECT_EQ(doc->Line(2)->Kind(), ItemKind::Catalog);
    EXPECT_EQ(PasteAt("CATALOG 1\n", nullptr), nullptr);
    EXPECT_EQ(Boxes(), Strings{"Error: The contents of the clipboard cannot be inserted here"});
}

TEST_F(Paste, AbortKeepsLinesBeforeIt)
{
    CCueItem* track2 = LineItem("  TRACK 02 AUDIO");
    EXPECT_EQ(PasteAt("INDEX 02 01:10:00\nPREGAP 1\nPREGAP 2\n", track2->Child(0)), nullptr);
    EXPECT_EQ(Boxes(), Strings{"Error: Line 3:  Only one Pregap allowed per track"});
    EXPECT_EQ(Text(), Lines({"REM top", "REM second", "FILE A.WAV WAVE", "  TRACK 01 AUDIO",
                             "    INDEX 01 00:00:00", "  TRACK 02 AUDIO", "    INDEX 01 01:00:00",
                             "    INDEX 02 01:10:00", "    PREGAP 01:00:00"}));
}

TEST_F(Paste, EmptyAndBinaryClipboards)
{
    EXPECT_EQ(PasteAt("", nullptr), nullptr);
    EXPECT_EQ(PasteAt(std::string("\0\1\2", 3), nullptr), nullptr);
    EXPECT_EQ(PasteAt("\xff\xfe garbage\n", nullptr), nullptr);
    EXPECT_EQ(Boxes().size(), 3u);
    EXPECT_EQ(doc->LineCount(), 7);
}

} // namespace

// Random sheets, from a seeded generator so that every run reads the same
// ones: lines of every kind, times past 255 minutes and out of range,
// INDEX 00 before and after INDEX 01, continuation lines, comments where
// a type word goes, CD-TEXT with runs of blanks, several keywords on one
// line, failed lines. Whatever opens saves as text that opens and saves as
// the same bytes, keeps every failed line as read and every index time,
// but the INDEX 00 a file's first track may move to 00:00:00 (one a file).
class RandomSheet
{
public:
    explicit RandomSheet(unsigned seed)
        : m_random(seed)
    {
    }

    std::string Text()
    {
        std::string text;
        if (Chance(30))
            Line(text, "REM GENRE Audiobook");
        if (Chance(30))
            Line(text, "TITLE" + Blanks() + "\"A Title\"");
        if (Chance(25))
            Line(text, Pick({"CATALOG 1234567890123", "CATALOG", "CATALOG 12345;67", "CATALOG \"1234567890123\""}));
        const int files = Between(1, 3);
        for (int f = 0; f < files; ++f) {
            const std::string name = Pick({"a.wav", "\"b c.wav\"", "d.flac", "e.bin", "\"f;g.wav\""});
            Line(text, "FILE " + name + Pick({" WAVE", " WAVE", " BINARY", " MP3", "", " ; typed by hand"}));
            if (f > 0 && Chance(30))
                IndexLines(text, Between(1, 2));
            const int tracks = Between(f == 0 ? 1 : 0, 4);
            for (int t = 0; t < tracks; ++t)
                TrackLines(text, ++m_track);
        }
        return text;
    }

    // Index times of lines that read, as written in the text; failed lines
    // as written.
    const std::vector<std::string>& Times() const { return m_times; }
    const std::vector<std::string>& ZeroTimes() const { return m_zeroTimes; }
    const std::vector<std::string>& Failed() const { return m_failed; }

private:
    bool Chance(int percent) { return Between(1, 100) <= percent; }
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    std::string Pick(std::initializer_list<const char*> texts)
    {
        return *(texts.begin() + Between(0, static_cast<int>(texts.size()) - 1));
    }
    std::string Blanks() { return std::string(static_cast<std::size_t>(Chance(70) ? 1 : Between(2, 4)), ' '); }
    static void Line(std::string& text, const std::string& line) { text += line + "\n"; }

    std::string Time(bool& valid)
    {
        valid = true;
        int minutes = Between(0, 70);
        int seconds = Between(0, 59);
        int frames = Between(0, 74);
        switch (Between(0, 12)) {
        case 0:
            minutes = Between(200, 9999);
            break;
        case 1:
            minutes = Between(250, 700);
            break;
        case 2:
            valid = false;
            seconds = Between(60, 300);
            break;
        case 3:
            valid = false;
            frames = Between(75, 99);
            break;
        case 4:
            valid = false;
            minutes = Between(10000, 99999);
            break;
        default:
            break;
        }
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", minutes, seconds, frames);
        return buffer;
    }

    void IndexLines(std::string& text, int count)
    {
        for (int i = 0; i < count; ++i) {
            bool valid = true;
            const std::string time = Time(valid);
            const int number = Chance(35) ? 0 : Between(1, 3);
            char line[64];
            std::snprintf(line, sizeof line, "    INDEX %02d %s", number, time.c_str());
            if (valid) {
                (number == 0 ? m_zeroTimes : m_times).push_back(time);
            } else {
                m_failed.push_back(line);
            }
            Line(text, line);
        }
    }

    void TrackLines(std::string& text, int number)
    {
        char track[32];
        std::snprintf(track, sizeof track, "  TRACK %02d", number);
        Line(text, track + Pick({" AUDIO", " AUDIO", " MODE1/2352", " ; the opening", "", " AUDIO ; noted"}));
        if (Chance(30))
            Line(text, "    TITLE" + Blanks() + "\"Track  " + std::to_string(number) + "\"");
        if (Chance(20))
            Line(text, "    PERFORMER" + Blanks() + "Someone");
        if (Chance(20))
            Line(text, Pick({"    ISRC ABCDE1234567", "    ISRC AB;CD", "    ISRC \"US;AB\""}));
        if (Chance(15)) {
            // FLAGS with the track's first index on the same line.
            bool valid = true;
            const std::string time = Time(valid);
            if (valid) {
                m_times.push_back(time);
                Line(text, "    FLAGS DCP INDEX 01 " + time);
            } else {
                Line(text, "    FLAGS DCP");
            }
        }
        if (Chance(15))
            Line(text, "    PREGAP 00:02:00");
        if (Chance(10))
            Line(text, Pick({"    FOO bar", "    ; a note", "    REM x"}));
        IndexLines(text, Between(1, 3));
    }

    std::mt19937 m_random;
    int m_track = 0;
    std::vector<std::string> m_times;
    std::vector<std::string> m_zeroTimes;
    std::vector<std::string> m_failed;
};

// The index times of a saved text, one entry a line.
std::vector<std::string> SavedTimes(const std::string& text)
{
    std::vector<std::string> times;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const auto start = line.find_first_not_of(' ');
        if (start == std::string::npos || line.compare(start, 6, "INDEX ") != 0)
            continue;
        std::istringstream words(line.substr(start + 6));
        std::string number;
        std::string time;
        words >> number >> time;
        times.push_back(time);
    }
    std::sort(times.begin(), times.end());
    return times;
}

class RandomSheets : public SheetFixture {};

TEST_F(RandomSheets, SaveWithNoEditKeepsEveryTimeAndLine)
{
    int opened = 0;
    constexpr unsigned kSheets = 400;
    for (unsigned seed = 1; seed <= kSheets; ++seed) {
        RandomSheet random(seed);
        const std::string original = random.Text();
        SCOPED_TRACE("seed " + std::to_string(seed) + ":\n" + original);
        prompts.Clear();
        if (!Open(original, "random.cue"))
            continue;
        ++opened;
        const std::string first = Text();
        for (const std::string& failed : random.Failed())
            EXPECT_NE(first.find(failed.substr(failed.find_first_not_of(' '))), std::string::npos) << failed;
        // Every time is still there, but for at most one INDEX 00 a file
        // that became its file's lead-in at 00:00:00.
        std::vector<std::string> saved = SavedTimes(first);
        std::vector<std::string> wanted = random.Times();
        std::sort(wanted.begin(), wanted.end());
        std::vector<std::string> missing;
        std::set_difference(wanted.begin(), wanted.end(), saved.begin(), saved.end(), std::back_inserter(missing));
        EXPECT_EQ(missing, std::vector<std::string>()) << first;
        std::vector<std::string> zeros = random.ZeroTimes();
        std::sort(zeros.begin(), zeros.end());
        std::vector<std::string> rest;
        std::set_difference(saved.begin(), saved.end(), wanted.begin(), wanted.end(), std::back_inserter(rest));
        std::vector<std::string> zerosMissing;
        std::set_difference(zeros.begin(), zeros.end(), rest.begin(), rest.end(), std::back_inserter(zerosMissing));
        EXPECT_LE(zerosMissing.size(), static_cast<std::size_t>(doc->FileCount())) << first;

        prompts.Clear();
        ASSERT_TRUE(Open(first, "again.cue")) << first;
        EXPECT_EQ(Text(), first);
    }
    // The generator makes sheets that open, not just failures.
    EXPECT_GE(opened, static_cast<int>(kSheets) * 3 / 4);
}

namespace {

// A sheet and what a read of it gives: its messages as "Caption: text",
// in the order read, then the error that stopped it, if any.
struct ConcurrentCase {
    const char* sheet;
    std::vector<std::string> messages;
    std::string stop;
    int lines; // read before the stop, or all of them
};

std::vector<std::string> Shown(const CueMessages& messages)
{
    std::vector<std::string> shown;
    for (const CCueMessage& message : messages)
        shown.push_back(message.Caption() + ": " + message.BoxText());
    return shown;
}

} // namespace

// Reads on different threads keep their messages apart: each read returns
// its own sheet's, with its own line numbers, and none shows a box.
TEST(ConcurrentReads, EachReadGetsItsOwnMessages)
{
    const std::vector<ConcurrentCase> cases = {
        {"REM GENRE Rock\nPERFORMER \"The Band\"\nTITLE \"First Album\"\nFILE \"01 - Song.wav\" WAVE\n"
         "  TRACK 01 AUDIO\n    FLAGS DCP XYZ\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    ISRC\n"
         "    INDEX 01 03:12:70\n  TRACK 03 AUDIO\n    INDEX 01 05:12:75\n",
         {"Warning: Warning at Line 6:  Unknown flag XYZ\n",
          "Error: Line 9:  No ISRC number - must specify <ABCDE1234567>",
          "Error: Line 12:  Frames past 74 in time"},
         "",
         12},
        {"FILE \"image.bin\" BINARY\n  TRACK 01 MODE1/2352\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n"
         "    SONGWRITER \"Someone\"\n    BOGUS 1\n    PREGAP 00:02:00\n    INDEX 01 10:00:00\n    PREGAP 00:01:00\n"
         "  TRACK 03 AUDIO\n    INDEX 01 12:00:00\n",
         {"Warning: Warning at Line 6:  Ignoring line\n"},
         "Error: Line 9:  Only one Pregap allowed per track",
         0},
    };
    CScriptedPrompts prompts;
    CPromptsScope scope(prompts);
    constexpr int kReads = 200;
    std::vector<CueReadResult> last(cases.size());
    std::vector<int> mismatches(cases.size(), 0);
    std::vector<int> lines(cases.size(), -1);
    std::vector<std::thread> threads;
    for (std::size_t c = 0; c < cases.size(); ++c) {
        threads.emplace_back([&, c] {
            for (int i = 0; i < kReads; ++i) {
                CQuillDoc doc;
                CCueLineSource source = CCueLineSource::FromText(cases[c].sheet);
                CueReadResult read = CCueReader::Read(source, doc, nullptr);
                const std::string stop = read.stop ? read.stop->Caption() + ": " + read.stop->BoxText() : "";
                if (Shown(read.messages) != cases[c].messages || stop != cases[c].stop)
                    ++mismatches[c];
                lines[c] = read.first ? doc.LineCount() : 0;
                last[c] = std::move(read);
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (std::size_t c = 0; c < cases.size(); ++c) {
        EXPECT_EQ(mismatches[c], 0) << "sheet " << c;
        EXPECT_EQ(Shown(last[c].messages), cases[c].messages) << "sheet " << c;
        EXPECT_EQ(last[c].stop ? last[c].stop->Caption() + ": " + last[c].stop->BoxText() : "", cases[c].stop);
        EXPECT_EQ(lines[c], cases[c].lines) << "sheet " << c;
    }
    EXPECT_EQ(prompts.Lines(), std::vector<std::string>());
}
