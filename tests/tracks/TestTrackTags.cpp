// The tags a split gives each track file, gathered from the sheet.
#include "tracks/TrackTags.h"

#include <gtest/gtest.h>

#include <ostream>

#include "support/SheetFixture.h"

namespace {

struct TagCase {
    const char* name;
    const char* sheet;
    // Expected values: the disc's, then track 1's and track 2's.
    const char* discTitle;
    const char* discPerformer;
    const char* genre;
    const char* date;
    const char* discNumber;
    const char* totalDiscs;
    const char* title1;
    const char* performer1;
    const char* songwriter1;
    const char* composer1;
    const char* isrc1;
    const char* genre1;
    const char* title2;
};

std::ostream& operator<<(std::ostream& os, const TagCase& c) { return os << c.name; }

const TagCase kCases[] = {
    {"CdTextAndRemComments",
     "REM GENRE Rock\nREM DATE 1999\nREM DISCNUMBER 2\nREM TOTALDISCS 3\nPERFORMER \"Band\"\nTITLE \"Album\"\n"
     "FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    TITLE \"One\"\n    PERFORMER \"Guest\"\n    SONGWRITER \"Writer\"\n"
     "    COMPOSER \"Composer\"\n    ISRC USKST0600001\n    INDEX 01 00:00:00\n"
     "  TRACK 02 AUDIO\n    TITLE \"Two\"\n    INDEX 01 00:10:00\n",
     "Album", "Band", "Rock", "1999", "2", "3", "One", "Guest", "Writer", "Composer", "USKST0600001", "", "Two"},
    {"QuotedRemValuesLoseTheirQuotes",
     "REM GENRE \"Electronic Dance\"\nrem date \"2001-05-01\"\nFILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n"
     "    INDEX 01 00:00:00\n",
     "", "", "Electronic Dance", "2001-05-01", "", "", "", "", "", "", "", "", nullptr},
    {"CdTextGenreWinsOverRemGenre",
     "GENRE \"Jazz\"\nREM GENRE Rock\nFILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    REM GENRE Blues\n"
     "    GENRE \"Swing\"\n    INDEX 01 00:00:00\n",
     "", "", "Jazz", "", "", "", "", "", "", "", "", "Swing", nullptr},
    {"OtherCommentsAreNoTags",
     "REM COMMENT \"ExactAudioCopy\"\nREM\n; TITLE \"not a title\"\nFILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n"
     "    REM REPLAYGAIN_TRACK_GAIN -1.00 dB\n    INDEX 01 00:00:00\n",
     "", "", "", "", "", "", "", "", "", "", "", "", nullptr},
    {"ATrackGoingOnInTheNextFileIsOneTrack",
     "FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    TITLE \"One\"\n    INDEX 01 00:00:00\n"
     "  TRACK 02 AUDIO\n    TITLE \"Two\"\n    INDEX 00 00:10:00\nFILE \"b.wav\" WAVE\n    INDEX 01 00:00:00\n",
     "", "", "", "", "", "", "One", "", "", "", "", "", "Two"},
};

class GatherTags : public SheetFixture, public testing::WithParamInterface<TagCase>
{
};

TEST_P(GatherTags, TagsComeFromTheSheet)
{
    const TagCase& c = GetParam();
    ASSERT_TRUE(Open(c.sheet));
    const SheetTags tags = ts::GatherTags(*doc);
    EXPECT_EQ(tags.disc.title, c.discTitle);
    EXPECT_EQ(tags.disc.performer, c.discPerformer);
    EXPECT_EQ(tags.disc.genre, c.genre);
    EXPECT_EQ(tags.date, c.date);
    EXPECT_EQ(tags.discNumber, c.discNumber);
    EXPECT_EQ(tags.totalDiscs, c.totalDiscs);
    ASSERT_EQ(tags.tracks.size(), c.title2 ? 2u : 1u);
    EXPECT_EQ(tags.tracks[0].title, c.title1);
    EXPECT_EQ(tags.tracks[0].performer, c.performer1);
    EXPECT_EQ(tags.tracks[0].songwriter, c.songwriter1);
    EXPECT_EQ(tags.tracks[0].composer, c.composer1);
    EXPECT_EQ(tags.tracks[0].isrc, c.isrc1);
    EXPECT_EQ(tags.tracks[0].genre, c.genre1);
    if (c.title2) {
        EXPECT_EQ(tags.tracks[1].title, c.title2);
    }
}

INSTANTIATE_TEST_SUITE_P(Sheets, GatherTags, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<TagCase>& p) { return std::string(p.param.name); });

struct RemCase {
    const char* comment;
    bool isTag;
    const char* word;
    const char* value;
};

class RemTag : public testing::TestWithParam<RemCase>
{
};

TEST_P(RemTag, WordAndValue)
{
    const RemCase& c = GetParam();
    std::string word;
    std::string value;
    EXPECT_EQ(ts::ParseRemTag(c.comment, word, value), c.isTag) << c.comment;
    if (c.isTag) {
        EXPECT_EQ(word, c.word);
        EXPECT_EQ(value, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Comments, RemTag,
                         testing::Values(RemCase{"REM GENRE Rock", true, "GENRE", "Rock"},
                                         RemCase{"  rem date   1999  ", true, "DATE", "1999"},
                                         RemCase{"REM GENRE \"Hip Hop\"", true, "GENRE", "Hip Hop"},
                                         RemCase{"REM DISCNUMBER", true, "DISCNUMBER", ""},
                                         RemCase{"REMARK something", false, "", ""},
                                         RemCase{"; GENRE Rock", false, "", ""},
                                         RemCase{"REM", false, "", ""}, RemCase{"", false, "", ""}));

} // namespace
