#include "document/CQuillDoc.h"
#include "model/CCueCatalog.h"
#include "model/CCueComment.h"
#include "model/CCueFile.h"
#include "model/CCueFlags.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCuePregap.h"
#include "model/CCueTextWriter.h"
#include "model/CCueTrack.h"

#include "support/DetachedSheet.h"

#include <gtest/gtest.h>

namespace {

class TextWriter : public DetachedSheet
{
protected:
    std::string Write()
    {
        std::string out = "left over";
        EXPECT_TRUE(CCueTextWriter().WriteDocument(doc, out));
        return out;
    }
};

TEST_F(TextWriter, EmptyDocumentIsEmptyText)
{
    EXPECT_EQ(Write(), "");
}

TEST_F(TextWriter, CommentsOnlyAtDepthZero)
{
    AddComment(nullptr, "REM one");
    AddComment(nullptr, "");
    AddComment(nullptr, "; two");
    EXPECT_EQ(Write(), "REM one\n\n; two\n");
}

TEST_F(TextWriter, TheFourLineExample)
{
    AddComment(nullptr, "REM made by hand");
    CCueFile* file = AddFile("SONG.WAV");
    CCueTrack* track = file->AddTrack(nullptr);
    track->SetComment("; intro");
    EXPECT_EQ(Write(), "REM made by hand\n"
                       "FILE SONG.WAV WAVE\n"
                       "  TRACK 01 AUDIO                ; intro\n"
                       "    INDEX 01 00:00:00\n");
    EXPECT_EQ(std::string("  TRACK 01 AUDIO                ").size(), 32u);
}

TEST_F(TextWriter, TrackChildrenInChildOrder)
{
    CCueFile* file = AddFile("A.WAV");
    CCueTrack* t = file->AddTrack(nullptr);
    t->Index(0)->SetTime(CCueTime::FromMsf(0, 2, 0));
    t->InsertChild(std::make_unique<CCueIndex>(nullptr, t, 0, CCueTime()), t->Index(0));
    t->InsertChild(std::make_unique<CCuePregap>(nullptr, t, CCueTime::FromMsf(0, 1, 0)), t->Child(0));
    auto isrc = std::make_unique<CCueIsrc>(nullptr, t);
    isrc->SetCode("ABCDE1234567");
    t->InsertChild(std::move(isrc), nullptr);
    AddComment(t, "REM blank below");
    AddComment(t, "");
    AddComment(file, "");
    EXPECT_EQ(Write(), "FILE A.WAV WAVE\n"
                       "  TRACK 01 AUDIO\n"
                       "    PREGAP 00:01:00\n"
                       "    INDEX 00 00:00:00\n"
                       "    INDEX 01 00:02:00\n"
                       "    ISRC ABCDE1234567\n"
                       "    REM blank below\n"
                       "    \n"
                       "    \n");
}

struct ColumnCase {
    const char* catalog; // CATALOG line length = 8 + length of this
    const char* line;
};

class CommentColumn : public testing::TestWithParam<ColumnCase> {};

TEST_P(CommentColumn, PadsToColumn32OrTwoBlanks)
{
    CQuillDoc doc;
    auto catalog = std::make_unique<CCueCatalog>(&doc);
    catalog->SetNumber(GetParam().catalog);
    catalog->SetComment("; c");
    doc.InsertTopLevel(std::move(catalog), nullptr);
    std::string out;
    CCueTextWriter().WriteDocument(doc, out);
    EXPECT_EQ(out, std::string(GetParam().line) + "\n");
}

INSTANTIATE_TEST_SUITE_P(Lengths, CommentColumn, testing::Values(
    ColumnCase{"1", "CATALOG 1                       ; c"},
    ColumnCase{"12345678901234567890123", "CATALOG 12345678901234567890123 ; c"},  // 31 characters: one blank
    ColumnCase{"123456789012345678901234", "CATALOG 123456789012345678901234  ; c"}, // 32: two blanks
    ColumnCase{"1234567890123456789012345678901234567890", "CATALOG 1234567890123456789012345678901234567890  ; c"}));

TEST_F(TextWriter, TimesAndNumbers)
{
    CCueFile* file = AddFile("A.WAV");
    CCueTrack* t = file->AddTrack(nullptr);
    CCueIndex* i = t->Index(0);
    const CCueTime ms = CCueTime::FromMilliseconds(2000);
    t->AddIndex(nullptr, &ms);
    const CCueTime hundred = CCueTime::FromMilliseconds(100 * 60000);
    t->AddIndex(nullptr, &hundred);
    i->SetNumber(7);
    t->Index(1)->SetNumber(1);
    t->Index(2)->SetNumber(123);
    t->SetNumber(-1);
    EXPECT_EQ(Write(), "FILE A.WAV WAVE\n"
                       "  TRACK -01 AUDIO\n"
                       "    INDEX 07 00:00:00\n"
                       "    INDEX 01 00:02:00\n"
                       "    INDEX 123 100:00:00\n");
}

TEST_F(TextWriter, FlagsLinesEndWithABlank)
{
    CCueFile* file = AddFile("A.WAV");
    CCueTrack* t = file->AddTrack(nullptr);
    auto flags = std::make_unique<CCueFlags>(nullptr, t);
    CCueFlags* f = flags.get();
    t->InsertChild(std::move(flags), nullptr);
    EXPECT_NE(Write().find("    FLAGS \n"), std::string::npos);
    f->Set(true, true, true);
    f->SetComment("; all");
    EXPECT_NE(Write().find("    FLAGS DCP 4CH PRE           ; all\n"), std::string::npos);
}

TEST_F(TextWriter, NamesWithBlanksOrSemicolonsAreQuoted)
{
    AddFile("My Song.wav");
    AddFile("a;b.wav");
    AddFile("\"odd.wav");
    EXPECT_EQ(Write(), "FILE \"My Song.wav\" WAVE\n"
                       "FILE \"a;b.wav\" WAVE\n"
                       "FILE \"odd.wav WAVE\n");
}

} // namespace
