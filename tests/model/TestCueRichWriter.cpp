#include "document/CQuillDoc.h"
#include "model/CCueCatalog.h"
#include "model/CCueComment.h"
#include "model/CCueFile.h"
#include "model/CCueFlags.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCuePostgap.h"
#include "model/CCuePregap.h"
#include "model/CCueRichWriter.h"
#include "model/CCueTrack.h"
#include "model/TextEncoding.h"
#include "support/DetachedSheet.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kHeader =
    "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}{\\f1\\froman\\fcharset2 Symbol;}"
    "{\\f2\\froman Times New Roman;}{\\f3\\fmodern\\fprq1 Courier New;}}\n"
    "{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue128;\\red128\\green0\\blue0;\\red0\\green128\\blue0;"
    "\\red128\\green128\\blue128;\\red128\\green0\\blue128;}\n"
    "\\deflang1033\\pard\\li360\n";
const std::string kTrailer = "\\par } ";
const std::string kPlain = "\\plain\\f3\\fs20\\cf0 ";
const std::string kKeyword = "\\plain\\f3\\fs20\\cf0\\b ";
const std::string kIndex = "\\plain\\f3\\fs20\\cf1\\b ";
const std::string kTrack = "\\plain\\f3\\fs20\\cf2\\b ";
const std::string kFile = "\\plain\\f3\\fs20\\cf3\\b ";
const std::string kComment = "\\plain\\f3\\fs20\\cf0\\i ";
const std::string kPar = "\n\\par ";

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

class RichWriter : public DetachedSheet
{
protected:
    std::string Write()
    {
        std::string out = "left over";
        EXPECT_TRUE(CCueRichWriter().WriteDocument(doc, out));
        return out;
    }
    // The body between header and trailer.
    std::string Body()
    {
        const std::string out = Write();
        EXPECT_EQ(out.substr(0, kHeader.size()), kHeader);
        EXPECT_GE(out.size(), kHeader.size() + kTrailer.size());
        EXPECT_EQ(out.substr(out.size() - kTrailer.size()), kTrailer);
        return out.substr(kHeader.size(), out.size() - kHeader.size() - kTrailer.size());
    }
};

TEST_F(RichWriter, StringsAreThoseOfTheStringTable)
{
    EXPECT_EQ(CCueRichWriter::kHeader, kHeader);
    EXPECT_EQ(CCueRichWriter::kTrailer, kTrailer);
    EXPECT_EQ(CCueRichWriter::kParagraphEnd, "\\par ");
    EXPECT_EQ(CCueRichWriter::kPlainStyle, kPlain);
    EXPECT_EQ(CCueRichWriter::kKeywordStyle, kKeyword);
    EXPECT_EQ(CCueRichWriter::kIndexStyle, kIndex);
    EXPECT_EQ(CCueRichWriter::kTrackStyle, kTrack);
    EXPECT_EQ(CCueRichWriter::kFileStyle, kFile);
    EXPECT_EQ(CCueRichWriter::kCommentStyle, kComment);
}

TEST_F(RichWriter, EmptyDocumentIsHeaderAndTrailer)
{
    EXPECT_EQ(Write(), kHeader + kTrailer);
}

TEST_F(RichWriter, FileTrackIndexIndentedFiveAndFourteen)
{
    AddFile("SONG.WAV")->AddTrack(nullptr);
    EXPECT_EQ(Body(), kFile + "FILE SONG.WAV" + kPlain + " WAVE" + kPar +
                      Blanks(5) + kTrack + "TRACK 01" + kPlain + " AUDIO" + kPar +
                      Blanks(14) + kIndex + "INDEX 01" + kPlain + " 00:00:00" + kPar);
}

TEST_F(RichWriter, KeywordLinesOfEveryKind)
{
    auto catalog = std::make_unique<CCueCatalog>(nullptr);
    catalog->SetNumber("1234567890123");
    doc.InsertTopLevel(std::move(catalog), nullptr);
    CCueFile* file = AddFile("A.WAV");
    CCueTrack* t = file->AddTrack(nullptr);
    t->InsertChild(std::make_unique<CCuePregap>(nullptr, t, CCueTime::FromMsf(0, 2, 0)), t->Child(0));
    t->InsertChild(std::make_unique<CCuePostgap>(nullptr, t, CCueTime::FromMsf(1, 0, 74)), nullptr);
    auto isrc = std::make_unique<CCueIsrc>(nullptr, t);
    isrc->SetCode("ABCDE1234567");
    t->InsertChild(std::move(isrc), nullptr);
    AddFlags(t)->Set(true, false, true);
    EXPECT_EQ(Body(), kKeyword + "CATALOG" + kPlain + " 1234567890123" + kPar +
                      kFile + "FILE A.WAV" + kPlain + " WAVE" + kPar +
                      Blanks(5) + kTrack + "TRACK 01" + kPlain + " AUDIO" + kPar +
                      Blanks(14) + kKeyword + "PREGAP" + kPlain + " 00:02:00" + kPar +
                      Blanks(14) + kIndex + "INDEX 01" + kPlain + " 00:00:00" + kPar +
                      Blanks(14) + kKeyword + "POSTGAP" + kPlain + " 01:00:74" + kPar +
                      Blanks(14) + kKeyword + "ISRC" + kPlain + " ABCDE1234567" + kPar +
                      Blanks(14) + kKeyword + "FLAGS" + kPlain + " DCP PRE " + kPar);
}

TEST_F(RichWriter, CommentItemsAtTheirDepth)
{
    AddComment(nullptr, "REM top");
    CCueFile* file = AddFile("A.WAV");
    CCueTrack* t = file->AddTrack(nullptr);
    AddComment(t, "; in track");
    AddComment(t, "");
    AddComment(file, "REM in file");
    EXPECT_EQ(Body(), kComment + "REM top" + kPlain + kPar +
                      kFile + "FILE A.WAV" + kPlain + " WAVE" + kPar +
                      Blanks(5) + kTrack + "TRACK 01" + kPlain + " AUDIO" + kPar +
                      Blanks(14) + kIndex + "INDEX 01" + kPlain + " 00:00:00" + kPar +
                      Blanks(14) + kComment + "; in track" + kPlain + kPar +
                      Blanks(14) + kComment + kPlain + kPar +
                      Blanks(5) + kComment + "REM in file" + kPlain + kPar);
}

TEST_F(RichWriter, EndOfLineCommentsStartAtPosition39)
{
    CCueFile* file = AddFile("SONG.WAV");
    file->SetComment("; f");
    CCueTrack* t = file->AddTrack(nullptr);
    t->SetComment("; t");
    t->Index(0)->SetComment("REM i");
    // FILE SONG.WAV WAVE: 18 shown characters; TRACK 01 AUDIO after five
    // blanks: 19; INDEX 01 00:00:00 after fourteen: 31.
    EXPECT_EQ(Body(), kFile + "FILE SONG.WAV" + kPlain + " WAVE" + Blanks(39 - 18) + kComment + "; f" + kPlain + kPar +
                      Blanks(5) + kTrack + "TRACK 01" + kPlain + " AUDIO" + Blanks(39 - 19) + kComment + "; t" + kPlain + kPar +
                      Blanks(14) + kIndex + "INDEX 01" + kPlain + " 00:00:00" + Blanks(39 - 31) + kComment + "; REM i" + kPlain + kPar);
}

TEST_F(RichWriter, FlagsCommentAt39)
{
    CCueTrack* t = AddFile("A.WAV")->AddTrack(nullptr);
    CCueFlags* f = AddFlags(t);
    f->Set(true, true, true);
    f->SetComment("; all");
    // Fourteen blanks and "FLAGS DCP 4CH PRE " (18): 32 shown characters.
    EXPECT_NE(Body().find(Blanks(14) + kKeyword + "FLAGS" + kPlain + " DCP 4CH PRE " + Blanks(39 - 32) + kComment + "; all" +
                          kPlain + kPar),
              std::string::npos);
}

TEST_F(RichWriter, LongLinesGetTwoBlanks)
{
    auto catalog = std::make_unique<CCueCatalog>(nullptr);
    CCueCatalog* c = catalog.get();
    doc.InsertTopLevel(std::move(catalog), nullptr);
    c->SetComment("; a");
    c->SetNumber(std::string(30, '1')); // "CATALOG " + 30 = 38 shown: one blank
    EXPECT_EQ(Body(), kKeyword + "CATALOG" + kPlain + " " + std::string(30, '1') + " " + kComment + "; a" + kPlain + kPar);
    c->SetNumber(std::string(31, '2')); // 39: two blanks
    EXPECT_EQ(Body(), kKeyword + "CATALOG" + kPlain + " " + std::string(31, '2') + "  " + kComment + "; a" + kPlain + kPar);
}

TEST_F(RichWriter, BackslashesDoubledAndColumnMeasuredOnSingleOnes)
{
    CCueFile* file = AddFile("C:\\CD\\A.WAV");
    file->SetComment("; in C:\\CD");
    // Shown: FILE C:\CD\A.WAV WAVE, 21 characters.
    EXPECT_EQ(Body(), kFile + "FILE C:\\\\CD\\\\A.WAV" + kPlain + " WAVE" + Blanks(39 - 21) + kComment + "; in C:\\\\CD" +
                      kPlain + kPar);
}

TEST_F(RichWriter, BracesEscapedInNamesCodesAndComments)
{
    CCueFile* file = AddFile("{a}.wav");
    file->SetComment("; }{\\par x");
    CCueTrack* t = file->AddTrack(nullptr);
    auto isrc = std::make_unique<CCueIsrc>(nullptr, t);
    isrc->SetCode("{\\b}");
    t->InsertChild(std::move(isrc), nullptr);
    AddComment(nullptr, "REM {\\rtf1 }");
    auto catalog = std::make_unique<CCueCatalog>(nullptr);
    catalog->SetNumber("}");
    doc.InsertTopLevel(std::move(catalog), nullptr);
    // The catalog line comes first; FILE {a}.wav WAVE: 17 shown characters.
    EXPECT_EQ(Body(), kKeyword + "CATALOG" + kPlain + " \\}" + kPar +
                      kFile + "FILE \\{a\\}.wav" + kPlain + " WAVE" + Blanks(39 - 17) + kComment + "; \\}\\{\\\\par x" +
                      kPlain + kPar +
                      Blanks(5) + kTrack + "TRACK 01" + kPlain + " AUDIO" + kPar +
                      Blanks(14) + kIndex + "INDEX 01" + kPlain + " 00:00:00" + kPar +
                      Blanks(14) + kKeyword + "ISRC" + kPlain + " \\{\\\\b\\}" + kPar +
                      kComment + "REM \\{\\\\rtf1 \\}" + kPlain + kPar);
}

TEST_F(RichWriter, FileNamesWithBlanksOrSemicolonsAreQuoted)
{
    AddFile("My Song.wav")->SetComment("; q");
    AddFile("a;b.wav");
    // FILE "My Song.wav" WAVE: 23 shown characters, quotes included.
    EXPECT_EQ(Body(), kFile + "FILE \"My Song.wav\"" + kPlain + " WAVE" + Blanks(39 - 23) + kComment + "; q" + kPlain + kPar +
                      kFile + "FILE \"a;b.wav\"" + kPlain + " WAVE" + kPar);
}

TEST_F(RichWriter, HighBytesStayRawAndColumnCountsShownCharacters)
{
    // UTF-8 "Café.wav": 9 bytes, 8 characters; the line shows 18.
    AddFile("Caf\xC3\xA9.wav")->SetComment("; \xC3\xA9t\xC3\xA9");
    // Windows-1252 "Café.wav": 8 bytes, each one character; 18 again.
    AddFile("Caf\xE9.wav")->SetComment("; \xE9t\xE9");
    // A valid UTF-8 name with a Windows-1252 comment: the line is not
    // UTF-8, so every byte counts: 19.
    AddFile("Caf\xC3\xA9.wav")->SetComment("; \xE9");
    EXPECT_EQ(Body(), kFile + "FILE Caf\xC3\xA9.wav" + kPlain + " WAVE" + Blanks(39 - 18) + kComment + "; \xC3\xA9t\xC3\xA9" +
                      kPlain + kPar +
                      kFile + "FILE Caf\xE9.wav" + kPlain + " WAVE" + Blanks(39 - 18) + kComment + "; \xE9t\xE9" + kPlain + kPar +
                      kFile + "FILE Caf\xC3\xA9.wav" + kPlain + " WAVE" + Blanks(39 - 19) + kComment + "; \xE9" + kPlain + kPar);
}

TEST(TextEncoding, Utf8Validity)
{
    EXPECT_TRUE(ts::IsValidUtf8(""));
    EXPECT_TRUE(ts::IsValidUtf8("plain ASCII"));
    EXPECT_TRUE(ts::IsValidUtf8("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB5"));
    EXPECT_FALSE(ts::IsValidUtf8("\xE9"));             // Windows-1252 e acute
    EXPECT_FALSE(ts::IsValidUtf8("\xC3"));             // truncated
    EXPECT_FALSE(ts::IsValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(ts::IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(ts::IsValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(ts::IsValidUtf8("\x80"));             // stray continuation
    EXPECT_EQ(ts::ShownLength("\xC3\xA9t\xC3\xA9", true), 3u);
    EXPECT_EQ(ts::ShownLength("\xC3\xA9t\xC3\xA9", false), 5u);
    EXPECT_EQ(ts::Windows1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(ts::Windows1252ToUnicode(0xE9), U'\u00E9');
    EXPECT_EQ(ts::Windows1252ToUnicode(0x81), U'\u0081');
    std::string s;
    ts::AppendUtf8(U'\u20AC', s);
    EXPECT_EQ(s, "\xE2\x82\xAC");
}

} // namespace

// The listing's lines are the document's paragraphs, read back: each line's
// paragraph is the document's, and its runs give back the shown text with
// the escapes undone and the styles where the paragraph switches them.
TEST_F(RichWriter, LinesAreTheDocumentsParagraphs)
{
    CCueFile* file = AddFile("A {B}\\C.WAV");
    file->AddTrack(nullptr);
    const std::string body = Body();

    CCueRichWriter writer;
    std::string paragraphs;
    const CCueTrack* track = file->Track(0);
    ASSERT_NE(track, nullptr);
    const CCueItem* lines[] = {file, track, track->Index(0)};
    for (int depth = 0; depth < 3; ++depth)
        writer.WriteLine(*lines[depth], depth, paragraphs);
    EXPECT_EQ(paragraphs, body);

    CCueRichWriter::StyledLine shown;
    CCueRichWriter::MakeLine(*lines[0], 0, shown);
    EXPECT_EQ(shown.text, "FILE \"A {B}\\C.WAV\" WAVE");
    ASSERT_EQ(shown.runs.size(), 2u);
    EXPECT_EQ(shown.runs[0].start, 0u);
    EXPECT_EQ(shown.runs[0].style, CCueRichWriter::Style::File);
    EXPECT_EQ(shown.runs[1].start, shown.text.find(" WAVE"));
    EXPECT_EQ(shown.runs[1].style, CCueRichWriter::Style::Plain);
    EXPECT_EQ(shown.shownLength, shown.text.size());

    CCueRichWriter::MakeLine(*lines[2], 2, shown);
    EXPECT_EQ(shown.text, Blanks(14) + "INDEX 01 00:00:00");
    ASSERT_EQ(shown.runs.size(), 3u);
    EXPECT_EQ(shown.runs[0].style, CCueRichWriter::Style::Plain);
    EXPECT_EQ(shown.runs[1].start, 14u);
    EXPECT_EQ(shown.runs[1].style, CCueRichWriter::Style::Index);
    EXPECT_EQ(shown.runs[2].start, 22u);
}
