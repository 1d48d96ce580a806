// The disc a sheet describes, whatever its gap layout, and the IDs of its
// table of contents.
#include "audio/WaveFixtures.h"
#include "support/SheetFixture.h"
#include "tracks/CRipReader.h"
#include "tracks/DiscIds.h"
#include "verify/CDiscLayout.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr std::uint64_t kSector = 588;
constexpr std::uint64_t Sectors(std::uint64_t minutes, std::uint64_t seconds, std::uint64_t frames = 0)
{
    return ((minutes * 60 + seconds) * 75 + frames) * kSector;
}

struct LayoutCase {
    const char* name;
    const char* sheet;
    std::vector<std::uint64_t> lengths; // sample frames of each FILE
    const char* toc;                    // MusicBrainz's TOC text
    std::uint64_t hidden;               // frames before track 1
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class DiscLayoutTest : public SheetFixture, public testing::WithParamInterface<LayoutCase>
{
};

// Three tracks of 3:02, 2:00 and 2:00 with a two-second gap before track 2,
// laid out every way a rip keeps them, and discs with a hidden first track.
const char* const kSameDisc = "1 3 31800 150 13800 22800";

TEST_P(DiscLayoutTest, TableOfContents)
{
    const LayoutCase& c = GetParam();
    ASSERT_TRUE(Open(c.sheet));
    CDiscLayout layout;
    std::string error;
    ASSERT_TRUE(layout.Build(*doc, c.lengths, error)) << error;
    EXPECT_EQ(layout.Toc().MusicBrainzToc(), c.toc);
    EXPECT_EQ(layout.HiddenFrames(), c.hidden);
    // Every frame after the hidden track belongs to exactly one track.
    std::uint64_t covered = 0;
    for (const DiscTrack& track : layout.Tracks()) {
        std::uint64_t pieces = 0;
        for (const DiscPiece& piece : track.pieces)
            pieces += piece.Frames();
        EXPECT_EQ(pieces, track.frames) << "track " << track.number;
        EXPECT_EQ(track.start, c.hidden + covered) << "track " << track.number;
        covered += track.frames;
    }
    EXPECT_EQ(c.hidden + covered, layout.DiscFrames());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, DiscLayoutTest,
    testing::Values(
        LayoutCase{"one_image",
                   "FILE \"disc.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n"
                   "    INDEX 00 03:00:00\n    INDEX 01 03:02:00\n  TRACK 03 AUDIO\n    INDEX 01 05:02:00\n",
                   {Sectors(7, 2)}, kSameDisc, 0},
        LayoutCase{"gaps_appended",
                   "FILE \"01.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n"
                   "    INDEX 00 03:00:00\nFILE \"02.flac\" WAVE\n    INDEX 01 00:00:00\n"
                   "FILE \"03.flac\" WAVE\n  TRACK 03 AUDIO\n    INDEX 01 00:00:00\n",
                   {Sectors(3, 2), Sectors(2, 0), Sectors(2, 0)}, kSameDisc, 0},
        LayoutCase{"gaps_prepended",
                   "FILE \"01.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                   "FILE \"02.flac\" WAVE\n  TRACK 02 AUDIO\n    INDEX 00 00:00:00\n    INDEX 01 00:02:00\n"
                   "FILE \"03.flac\" WAVE\n  TRACK 03 AUDIO\n    INDEX 01 00:00:00\n",
                   {Sectors(3, 0), Sectors(2, 2), Sectors(2, 0)}, kSameDisc, 0},
        LayoutCase{"gaps_left_out_as_pregap",
                   "FILE \"01.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                   "FILE \"02.flac\" WAVE\n  TRACK 02 AUDIO\n    PREGAP 00:02:00\n    INDEX 01 00:00:00\n"
                   "FILE \"03.flac\" WAVE\n  TRACK 03 AUDIO\n    INDEX 01 00:00:00\n",
                   {Sectors(3, 0), Sectors(2, 0), Sectors(2, 0)}, kSameDisc, 0},
        LayoutCase{"postgap",
                   "FILE \"01.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n    POSTGAP 00:02:00\n"
                   "FILE \"02.flac\" WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n"
                   "FILE \"03.flac\" WAVE\n  TRACK 03 AUDIO\n    INDEX 01 00:00:00\n",
                   {Sectors(3, 0), Sectors(2, 0), Sectors(2, 0)}, kSameDisc, 0},
        LayoutCase{"hidden_track_in_image",
                   "FILE \"disc.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 00 00:00:00\n    INDEX 01 00:30:00\n"
                   "  TRACK 02 AUDIO\n    INDEX 01 03:30:00\n",
                   {Sectors(5, 30)}, "1 2 24900 2400 15900", Sectors(0, 30)},
        LayoutCase{"hidden_track_in_own_file",
                   "FILE \"00.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 00 00:00:00\n"
                   "FILE \"01.flac\" WAVE\n    INDEX 01 00:00:00\nFILE \"02.flac\" WAVE\n  TRACK 02 AUDIO\n"
                   "    INDEX 01 00:00:00\n",
                   {Sectors(0, 30), Sectors(3, 0), Sectors(2, 0)}, "1 2 24900 2400 15900", Sectors(0, 30)},
        LayoutCase{"hidden_track_not_ripped",
                   "FILE \"01.flac\" WAVE\n  TRACK 01 AUDIO\n    PREGAP 00:30:00\n    INDEX 01 00:00:00\n"
                   "FILE \"02.flac\" WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n",
                   {Sectors(3, 0), Sectors(2, 0)}, "1 2 24900 2400 15900", Sectors(0, 30)},
        LayoutCase{"later_indexes_and_odd_end",
                   "FILE \"disc.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n    INDEX 02 00:10:00\n"
                   "  TRACK 02 AUDIO\n    INDEX 01 00:20:33\n",
                   // 100 samples into a sector past the last whole one
                   {Sectors(0, 40) + 100}, "1 2 3151 150 1683", 0}),
    [](const testing::TestParamInfo<LayoutCase>& param) { return std::string(param.param.name); });

struct RefusalCase {
    const char* name;
    const char* sheet;
    std::vector<std::uint64_t> lengths;
    const char* error;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class DiscLayoutRefusalTest : public SheetFixture, public testing::WithParamInterface<RefusalCase>
{
};

TEST_P(DiscLayoutRefusalTest, SaysWhy)
{
    const RefusalCase& c = GetParam();
    ASSERT_TRUE(Open(c.sheet));
    CDiscLayout layout;
    std::string error;
    EXPECT_FALSE(layout.Build(*doc, c.lengths, error));
    EXPECT_EQ(error, c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, DiscLayoutRefusalTest,
    testing::Values(
        RefusalCase{"data_track",
                    "FILE \"disc.bin\" BINARY\n  TRACK 01 MODE1/2352\n    INDEX 01 00:00:00\n", {Sectors(1, 0)},
                    "Track 01 is a MODE1/2352 track before the audio: only audio discs and enhanced CDs, whose data "
                    "comes last, have these IDs and checksums"},
        RefusalCase{"data_track_in_the_audio_file",
                    "FILE \"disc.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 MODE1/2352\n"
                    "    INDEX 01 01:00:00\n",
                    {Sectors(2, 0)},
                    "Track 02 is a MODE1/2352 track in a file of audio tracks: an enhanced CD's data tracks need "
                    "files of their own"},
        RefusalCase{"audio_after_data",
                    "FILE \"a.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\nFILE \"d.bin\" BINARY\n"
                    "  TRACK 02 MODE1/2352\n    INDEX 01 00:00:00\nFILE \"b.flac\" WAVE\n  TRACK 03 AUDIO\n"
                    "    INDEX 01 00:00:00\n",
                    {Sectors(2, 0), Sectors(1, 0), Sectors(1, 0)},
                    "\"b.flac\" holds audio after the data tracks: an enhanced CD's data comes last"},
        RefusalCase{"index_past_end",
                    "FILE \"disc.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n"
                    "    INDEX 01 04:00:00\n",
                    {Sectors(3, 0)}, "INDEX 01 of track 02 (04:00:00) lies past the end of \"disc.flac\""},
        RefusalCase{"track_at_the_end",
                    "FILE \"disc.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n"
                    "    INDEX 01 03:00:00\n",
                    {Sectors(3, 0)},
                    "Track 02 holds no audio: it starts at the end of the audio or where the next track starts"}),
    [](const testing::TestParamInfo<RefusalCase>& param) { return std::string(param.param.name); });

// An enhanced CD: the data track in a file of its own after the audio,
// 11400 sectors after the audio's end; MusicBrainz sees the audio session,
// AccurateRip the disc's lead-out.
TEST_F(SheetFixture, EnhancedCd)
{
    ASSERT_TRUE(Open("FILE \"audio.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n"
                     "    INDEX 01 03:00:00\nFILE \"data.bin\" BINARY\n  TRACK 03 MODE1/2352\n    INDEX 01 00:00:00\n"));
    CDiscLayout layout;
    std::string error;
    ASSERT_TRUE(layout.Build(*doc, {Sectors(5, 0), 1000 * kSector}, error)) << error;
    const CDiscToc& toc = layout.Toc();
    EXPECT_EQ(layout.Tracks().size(), 2u);
    EXPECT_EQ(toc.TrackCount(), 2);
    EXPECT_EQ(toc.DataOffsets(), std::vector<std::uint32_t>{22500 + 11400});
    EXPECT_EQ(toc.LeadOut(), 22500u + 11400u + 1000u);
    EXPECT_EQ(toc.AudioLeadOut(), 22500u);
    EXPECT_EQ(toc.MusicBrainzToc(), "1 2 22650 150 13650");
    EXPECT_EQ(toc.AccurateRipId1(), 0u + 13500u + 34900u);
    EXPECT_EQ(toc.AccurateRipId2(), 1u + 13500u * 2 + 34900u * 3);
    EXPECT_EQ(toc.AccurateRipFileName(0).substr(0, 9), "dBAR-002-");
}

// Closing the verify window while the reader still opens the files (a slow
// disk, or Close clicked at once) cancels the reading: Compute reads not a
// frame and reports no error.
TEST_F(SheetFixture, CancelBeforeComputeReadsNothing)
{
    std::ofstream(dir.File("disc.wav"), std::ios::binary)
        << wavetest::PcmWave(2, 44100, 16, wavetest::Pattern(std::size_t{3} * 44100 * 4));
    ASSERT_TRUE(Open("FILE \"disc.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n"
                     "    INDEX 01 00:01:00\n"));
    doc->SetPathName(dir.File("sheet.cue"));
    CRipReader reader;
    std::string error;
    ASSERT_TRUE(reader.Open(*doc, error)) << error;
    reader.Cancel();
    EXPECT_FALSE(reader.Compute(error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(reader.FramesDone(), 0u);
}

// MusicBrainz's documented example.
TEST(DiscIds, MusicBrainzExample)
{
    CDiscToc toc;
    std::string error;
    ASSERT_TRUE(toc.Set({0, 15213, 32164, 46442, 63264, 80339}, 95312, error)) << error;
    DiscIds ids;
    ASSERT_TRUE(ts::ComputeDiscIds(toc, ids, error)) << error;
    EXPECT_EQ(ids.musicBrainz, "49HHV7Eb8UKF3aQiNmu1GR8vKTY-");
    EXPECT_EQ(ids.FreedbText(), "3404f606");
    EXPECT_EQ(ids.toc, "1 6 95462 150 15363 32314 46592 63414 80489");
    EXPECT_NE(ids.lookupUrl.find("toc=1+6+95462+150+15363+32314+46592+63414+80489"), std::string::npos)
        << ids.lookupUrl;
    EXPECT_EQ(ids.accurateRip.substr(6), toc.AccurateRipFileName(0x3404f606));
}

} // namespace
