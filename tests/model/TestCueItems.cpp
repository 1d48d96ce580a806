#include "document/CQuillDoc.h"
#include "model/CCueComment.h"
#include "model/CCueFile.h"
#include "model/CCueFlags.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCueLineSource.h"
#include "model/CCuePregap.h"
#include "model/CCueReader.h"
#include "model/CCueTrack.h"

#include <gtest/gtest.h>

namespace {

struct TypeCase {
    const char* name;
    FileType fileType;
    TrackType trackType;
};

class FileTypeFromName : public testing::TestWithParam<TypeCase> {};

TEST_P(FileTypeFromName, FileAndTrackTypes)
{
    CQuillDoc doc;
    CCueFile file(&doc, GetParam().name);
    EXPECT_EQ(file.Type(), GetParam().fileType);
    EXPECT_EQ(ts::DefaultTrackTypeOfName(GetParam().name), GetParam().trackType);
}

INSTANTIATE_TEST_SUITE_P(Extensions, FileTypeFromName, testing::Values(
    TypeCase{"SONG.WAV", FileType::Wave, TrackType::Audio},
    TypeCase{"song.wav", FileType::Wave, TrackType::Audio},
    TypeCase{"IMAGE.BIN", FileType::Binary, TrackType::Cdg},
    TypeCase{"DATA.ISO", FileType::Binary, TrackType::Mode1_2048},
    TypeCase{"RAW.RAW", FileType::Binary, TrackType::Mode1_2352},
    TypeCase{"TAPE.MOT", FileType::Motorola, TrackType::Mode1_2048},
    TypeCase{"SOUND.AIF", FileType::Aiff, TrackType::Mode1_2048},
    TypeCase{"NOEXT", FileType::Binary, TrackType::Mode1_2048},
    TypeCase{"dir.wav/NOEXT", FileType::Binary, TrackType::Mode1_2048},
    TypeCase{"C:\\CD\\A.WAV", FileType::Wave, TrackType::Audio}));

TEST(CueFile, WithoutNameIsErr)
{
    CCueFile file(nullptr);
    EXPECT_EQ(file.Type(), FileType::Err);
    EXPECT_EQ(file.Name(), "");
    EXPECT_EQ(file.TypeText(), "ERR");
}

struct CommentCase {
    const char* text;
    const char* stored;
};

class SetComment : public testing::TestWithParam<CommentCase> {};

TEST_P(SetComment, StoresWithPrefixRule)
{
    CQuillDoc doc;
    CCueComment item(&doc);
    EXPECT_TRUE(item.SetComment("something else"));
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);
    EXPECT_TRUE(item.SetComment(GetParam().text));
    EXPECT_EQ(item.Comment(), GetParam().stored);
    EXPECT_TRUE(doc.IsModified());
}

INSTANTIATE_TEST_SUITE_P(Texts, SetComment, testing::Values(
    CommentCase{"hello", "; hello"},
    CommentCase{"rem take 2", "rem take 2"},
    CommentCase{"REM", "REM"},
    CommentCase{";x", ";x"},
    CommentCase{"remark here", "; remark here"},
    CommentCase{" rem x", ";  rem x"}, // the first word is empty: prefixed
    CommentCase{"", ""}));

// Typed on a keyword line, a comment reads back as that line's comment
// however it starts.
class KeywordLineComment : public testing::TestWithParam<CommentCase> {};

TEST_P(KeywordLineComment, ReadsBackAsTheLinesComment)
{
    CQuillDoc doc;
    CCueFile* file = doc.InsertFileByPath("/cd/A.WAV", nullptr);
    ASSERT_NE(file, nullptr);
    CCueTrack* track = file->Track(0);
    ASSERT_TRUE(track->SetComment(GetParam().text));
    EXPECT_EQ(track->Comment(), GetParam().stored);
    CQuillDoc copy;
    CCueLineSource source = CCueLineSource::FromText(doc.SheetText());
    ASSERT_NE(CCueReader::Read(source, copy, nullptr).first, nullptr);
    EXPECT_EQ(copy.File(0)->Track(0)->Comment(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Texts, KeywordLineComment, testing::Values(
    CommentCase{"REM take 2", "; REM take 2"},
    CommentCase{"rem", "; rem"},
    CommentCase{"hello", "; hello"},
    CommentCase{"; as typed", "; as typed"}));

TEST(CueItem, SameCommentIsNoChange)
{
    CQuillDoc doc;
    CCueComment item(&doc);
    ASSERT_TRUE(item.SetComment("hello"));
    doc.SetModifiedFlag(false);
    EXPECT_FALSE(item.SetComment("; hello"));
    EXPECT_FALSE(doc.IsModified());
    // Only the letter case differs: a change.
    EXPECT_TRUE(item.SetComment("; Hello"));
}

TEST(CueItem, ChildAccessOutsideRangeIsNull)
{
    CQuillDoc doc;
    CCueFile file(&doc, "A.WAV");
    EXPECT_EQ(file.Child(0), nullptr);
    EXPECT_EQ(file.Child(-1), nullptr);
    EXPECT_EQ(file.Track(0), nullptr);
    EXPECT_EQ(file.PositionOf(nullptr), -1);
}

// A file built outside a document, for the track arithmetic.
class TrackTimes : public testing::Test
{
protected:
    CCueTrack* AddTrack(std::initializer_list<CCueTime> times)
    {
        auto track = std::make_unique<CCueTrack>(nullptr, &file, TrackType::Audio, file.TrackCount() + 1);
        CCueTrack* t = track.get();
        file.InsertChild(std::move(track), nullptr);
        for (const CCueTime& time : times)
            t->AddIndex(nullptr, &time);
        return t;
    }
    static CCueTime Msf(int m, int s, int f) { return CCueTime::FromMsf(m, s, f); }

    CCueFile file{nullptr, "A.WAV"};
};

TEST_F(TrackTimes, StartEndAndNeighbours)
{
    CCueTrack* t1 = AddTrack({Msf(0, 0, 0), Msf(0, 10, 0)});
    CCueTrack* t2 = AddTrack({});
    CCueTrack* t3 = AddTrack({Msf(1, 0, 0)});

    EXPECT_EQ(t1->StartTime().Text(), "00:00:00");
    EXPECT_EQ(t1->LastIndexTime().Text(), "00:10:00");
    EXPECT_EQ(t1->PreviousEnd().Text(), "00:00:00");
    // A track without an index starts where the previous one's last index is.
    EXPECT_EQ(t2->StartTime().Text(), "00:10:00");
    EXPECT_EQ(t2->LastIndexTime().Text(), "00:00:00");
    CCueTime next;
    EXPECT_TRUE(t1->NextStart(next));
    EXPECT_EQ(next.Text(), "00:10:00");
    EXPECT_FALSE(t3->NextStart(next));
    EXPECT_EQ(next.Text(), "9999:59:74");

    EXPECT_TRUE(t1->WithinOwnRange(Msf(0, 5, 0)));
    EXPECT_TRUE(t1->WithinOwnRange(Msf(0, 10, 0)));
    EXPECT_FALSE(t1->WithinOwnRange(Msf(0, 10, 1)));
    EXPECT_TRUE(t3->WithinNeighbours(Msf(0, 0, 0))); // previous end of t3 is t2's 00:00:00
    EXPECT_TRUE(t3->WithinNeighbours(Msf(200, 0, 0)));
    EXPECT_FALSE(t1->WithinNeighbours(Msf(0, 10, 1)));
}

TEST_F(TrackTimes, AddIndexWithoutTimeTakesPreviousEnd)
{
    AddTrack({Msf(0, 0, 0), Msf(0, 42, 5)});
    CCueTrack* t2 = AddTrack({});
    CCueIndex* index = t2->AddIndex(nullptr, nullptr);
    EXPECT_EQ(index->Number(), 1);
    EXPECT_EQ(index->Time().Text(), "00:42:05");
    EXPECT_EQ(t2->IndexCount(), 1);
}

TEST_F(TrackTimes, SortIndexesOrdersAndNumbers)
{
    CCueTrack* t = AddTrack({Msf(0, 5, 0), Msf(0, 1, 0)});
    t->SortIndexes();
    ASSERT_EQ(t->IndexCount(), 2);
    EXPECT_EQ(t->Index(0)->Time().Text(), "00:01:00");
    EXPECT_EQ(t->Index(0)->Number(), 1);
    EXPECT_EQ(t->Index(1)->Time().Text(), "00:05:00");
    EXPECT_EQ(t->Index(1)->Number(), 2);
    EXPECT_EQ(t->Child(0), t->Index(0));
}

// A lone INDEX 00 keeps its number, as other readers take it; an INDEX 01
// never moves to another time.
TEST_F(TrackTimes, IndexZeroKeptAndIndexOneNeverMoves)
{
    CCueTrack* two = AddTrack({Msf(0, 0, 0), Msf(0, 2, 0)});
    two->Index(0)->SetNumber(0);
    two->SortIndexes();
    EXPECT_EQ(two->Index(0)->Number(), 0);
    EXPECT_EQ(two->Index(1)->Number(), 1);

    CCueTrack* one = AddTrack({Msf(1, 0, 0)});
    one->Index(0)->SetNumber(0);
    one->SortIndexes();
    EXPECT_EQ(one->Index(0)->Number(), 0);

    // INDEX 00 read after INDEX 01: the INDEX 01 keeps its time.
    CCueTrack* late = AddTrack({Msf(2, 0, 0), Msf(1, 0, 0)});
    late->Index(0)->SetNumber(0);
    late->SortIndexes();
    EXPECT_EQ(late->Index(0)->Number(), 1);
    EXPECT_EQ(late->Index(0)->Time().Text(), "01:00:00");
    EXPECT_EQ(late->Index(1)->Number(), 2);
    EXPECT_EQ(late->Index(1)->Time().Text(), "02:00:00");
}

TEST_F(TrackTimes, ExchangeSortKeepsOtherChildrenInPlace)
{
    CCueTrack* t = AddTrack({});
    auto add = [&](std::unique_ptr<CCueItem> item) { t->InsertChild(std::move(item), nullptr); };
    add(std::make_unique<CCueIndex>(nullptr, t, 3, Msf(0, 3, 0)));
    add(std::make_unique<CCueIsrc>(nullptr, t));
    add(std::make_unique<CCueIndex>(nullptr, t, 1, Msf(0, 1, 0)));
    add(std::make_unique<CCueComment>(nullptr));
    add(std::make_unique<CCueIndex>(nullptr, t, 2, Msf(0, 2, 0)));
    t->SortIndexes();
    const ItemKind kinds[] = {ItemKind::Index, ItemKind::Isrc, ItemKind::Index, ItemKind::Comment, ItemKind::Index};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(t->Child(i)->Kind(), kinds[i]) << i;
    EXPECT_EQ(static_cast<CCueIndex*>(t->Child(0))->Time().Text(), "00:01:00");
    EXPECT_EQ(static_cast<CCueIndex*>(t->Child(2))->Time().Text(), "00:02:00");
    EXPECT_EQ(static_cast<CCueIndex*>(t->Child(4))->Time().Text(), "00:03:00");
    EXPECT_EQ(t->Index(2)->Number(), 3);
}

TEST_F(TrackTimes, EqualTimesAreNotStable)
{
    // The exchange sort swaps A(5) with C(3) and never swaps equal times,
    // so B ends before A.
    CCueTrack* a = AddTrack({Msf(0, 5, 0)});
    CCueTrack* b = AddTrack({Msf(0, 5, 0)});
    CCueTrack* c = AddTrack({Msf(0, 3, 0)});
    file.SortTracks(1);
    EXPECT_EQ(file.Track(0), c);
    EXPECT_EQ(file.Track(1), b);
    EXPECT_EQ(file.Track(2), a);
    EXPECT_EQ(c->Number(), 1);
    EXPECT_EQ(b->Number(), 2);
    EXPECT_EQ(a->Number(), 3);
}

TEST_F(TrackTimes, TrackWithoutIndexIsNeverMoved)
{
    CCueTrack* late = AddTrack({Msf(0, 9, 0)});
    CCueTrack* empty = AddTrack({});
    CCueTrack* early = AddTrack({Msf(0, 1, 0)});
    file.SortTracks(7);
    EXPECT_EQ(file.Track(0), early);
    EXPECT_EQ(file.Track(1), empty);
    EXPECT_EQ(file.Track(2), late);
    EXPECT_EQ(early->Number(), 7);
    EXPECT_EQ(late->Number(), 9);
}

TEST(CueTrack, ChildPointersMirrorChildren)
{
    CQuillDoc doc;
    CCueFile file(&doc, "A.WAV");
    CCueTrack* t = file.AddTrack(nullptr);
    auto pregap = std::make_unique<CCuePregap>(&doc, t);
    CCuePregap* p = pregap.get();
    t->InsertChild(std::move(pregap), t->Child(0));
    auto flags = std::make_unique<CCueFlags>(&doc, t);
    CCueFlags* f = flags.get();
    t->InsertChild(std::move(flags), nullptr);
    EXPECT_EQ(t->Pregap(), p);
    EXPECT_EQ(t->Flags(), f);
    EXPECT_EQ(t->Child(0), p);
    EXPECT_EQ(f->OwningFile(), &file);
    EXPECT_EQ(f->OwningTrack(), t);
    t->RemoveChild(p);
    EXPECT_EQ(t->Pregap(), nullptr);
    t->RemoveChild(t->Index(0));
    EXPECT_EQ(t->IndexCount(), 0);
    EXPECT_EQ(t->ChildCount(), 1);
}

TEST(CueFile, TracksListFollowsInsertPosition)
{
    CQuillDoc doc;
    CCueFile file(&doc, "A.WAV");
    CCueTrack* first = file.AddTrack(nullptr);
    auto comment = std::make_unique<CCueComment>(&doc);
    CCueComment* c = comment.get();
    file.InsertChild(std::move(comment), nullptr);
    CCueTrack* beforeComment = file.AddTrack(c);
    CCueTrack* atFront = file.AddTrack(first);
    ASSERT_EQ(file.TrackCount(), 3);
    EXPECT_EQ(file.Track(0), atFront);
    EXPECT_EQ(file.Track(1), first);
    EXPECT_EQ(file.Track(2), beforeComment);
    EXPECT_EQ(file.PositionOf(c), 3);
    EXPECT_EQ(beforeComment->Number(), 2); // count + 1 at the time it was added
    EXPECT_EQ(beforeComment->Type(), TrackType::Audio);
    ASSERT_EQ(beforeComment->IndexCount(), 1);
}

TEST(CueFlags, SetReportsOneChange)
{
    CQuillDoc doc;
    CCueFlags flags(&doc, nullptr);
    EXPECT_EQ(flags.FlagsText(), "");
    EXPECT_TRUE(flags.Set(true, false, true));
    EXPECT_EQ(flags.FlagsText(), "DCP PRE ");
    doc.SetModifiedFlag(false);
    EXPECT_FALSE(flags.Set(true, false, true));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(flags.Set(true, true, true));
    EXPECT_EQ(flags.FlagsText(), "DCP 4CH PRE ");
}

TEST(CueSetters, EqualValuesReportNoChange)
{
    CQuillDoc doc;
    CCueFile file(&doc, "A.WAV");
    EXPECT_FALSE(file.SetName("A.WAV"));
    EXPECT_TRUE(file.SetName("a.wav"));
    EXPECT_FALSE(file.SetType(FileType::Wave));
    CCueTrack* t = file.AddTrack(nullptr);
    EXPECT_FALSE(t->SetType(TrackType::Audio));
    EXPECT_TRUE(t->SetType(TrackType::Cdg));
    CCueIndex* i = t->Index(0);
    EXPECT_FALSE(i->SetTime(CCueTime::FromMilliseconds(0)));
    EXPECT_FALSE(i->SetTime(CCueTime::FromMsf(0, 0, 0)));
    EXPECT_TRUE(i->SetTime(CCueTime::FromMsf(0, 0, 1)));
    // 13 ms and MSF 00:00:01 are equal through milliseconds.
    EXPECT_FALSE(i->SetTime(CCueTime::FromMilliseconds(13)));
}

} // namespace
