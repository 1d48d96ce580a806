// The layout of a split made from the sheet before any audio is cut, and
// what a cancelled or failed run leaves behind.
#include "tracks/CTrackPlan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <thread>

#include <sys/stat.h>

#include "audio/WaveFixtures.h"
#include "model/CCueTime.h"
#include "support/SheetFixture.h"
#include "tracks/CTrackSplitter.h"
#include "tracks/TrackTestSupport.h"

using wavetest::Quote;

namespace {

class PlanTest : public SheetFixture
{
protected:
    // A sox-made wave file of seconds beside the sheet.
    void MakeWave(const std::string& name, double seconds, int rate = 44100)
    {
        ASSERT_EQ(wavetest::Run("sox -D -n -r " + std::to_string(rate) + " -c 2 -b 16 " + Quote(dir.File(name)) + " synth " +
                      std::to_string(seconds) + " whitenoise gain -6"),
                  0);
    }

    bool OpenSheet(const std::string& text)
    {
        if (!Open(text, "sheet.cue"))
            return false;
        doc->SetPathName(dir.File("sheet.cue"));
        return true;
    }
};

struct LeadCase {
    const char* name;
    const char* firstIndex; // INDEX 01 of track 1
    GapRule rule;
    bool hiddenTrack;
    std::uint64_t firstFrom; // where track 1's file starts
    std::uint64_t droppedGap;
};

std::ostream& operator<<(std::ostream& os, const LeadCase& c) { return os << c.name; }

class LeadIn : public PlanTest, public testing::WithParamInterface<LeadCase>
{
};

TEST_P(LeadIn, AudioBeforeTheFirstTrack)
{
    const LeadCase& c = GetParam();
    MakeWave("a.wav", 10);
    // The editor keeps a file's first index at 00:00:00: audio before
    // INDEX 01 is an INDEX 00 there.
    const std::string lead = std::string(c.firstIndex) == "00:00:00" ? "" : "    INDEX 00 00:00:00\n";
    ASSERT_TRUE(OpenSheet("FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    TITLE \"One\"\n" + lead + "    INDEX 01 " +
                          c.firstIndex + "\n"));
    CTrackPlan plan;
    std::string error;
    ASSERT_TRUE(plan.Build(*doc, {c.rule, TrackFormat::Flac}, error)) << error;
    const std::uint64_t start = ts::FrameOfTime(CCueTime::Parse(c.firstIndex), 44100);
    ASSERT_EQ(plan.Tracks().size(), c.hiddenTrack ? 2u : 1u);
    const PlanTrack& first = plan.Tracks().back();
    if (c.hiddenTrack) {
        const PlanTrack& hidden = plan.Tracks().front();
        EXPECT_EQ(hidden.number, 0);
        EXPECT_EQ(hidden.fileName, "00.flac");
        EXPECT_EQ(hidden.frames, start);
        EXPECT_EQ(hidden.pieces.front().begin, 0u);
    }
    EXPECT_EQ(first.fileName, "01 - One.flac");
    ASSERT_EQ(first.pieces.size(), 1u);
    EXPECT_EQ(first.pieces.front().begin, c.firstFrom);
    EXPECT_EQ(first.pieces.front().end, 441000u);
    EXPECT_EQ(first.droppedGap, c.droppedGap);
    EXPECT_EQ(plan.TrackTotal(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, LeadIn,
    testing::Values(LeadCase{"LongLeadInIsTrack00", "00:06:00", GapRule::Append, true, 264600, 0},
                    LeadCase{"LongLeadInIsTrack00WhenDropping", "00:06:00", GapRule::Drop, true, 264600, 0},
                    LeadCase{"ShortLeadInAppendedGoesToTrack1", "00:03:00", GapRule::Append, false, 0, 0},
                    LeadCase{"ShortLeadInPrepended", "00:03:00", GapRule::Prepend, false, 0, 0},
                    LeadCase{"ShortLeadInDropped", "00:03:00", GapRule::Drop, false, 132300, 132300},
                    LeadCase{"FourSecondsIsStillAGap", "00:04:00", GapRule::Append, false, 0, 0},
                    LeadCase{"NoLeadIn", "00:00:00", GapRule::Drop, false, 0, 0}),
    [](const testing::TestParamInfo<LeadCase>& p) { return std::string(p.param.name); });

TEST_F(PlanTest, HiddenTrackSheetNamesTheLeadInFileAsTrack1Gap)
{
    MakeWave("a.wav", 10);
    ASSERT_TRUE(OpenSheet("FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 00 00:00:00\n    INDEX 01 00:06:00\n"));
    CTrackPlan plan;
    std::string error;
    ASSERT_TRUE(plan.Build(*doc, {GapRule::Append, TrackFormat::Flac}, error)) << error;
    EXPECT_EQ(plan.SheetText(),
              "FILE \"00.flac\" WAVE\n"
              "  TRACK 01 AUDIO\n"
              "    INDEX 00 00:00:00\n"
              "FILE \"01.flac\" WAVE\n"
              "    INDEX 01 00:00:00\n");
}

struct RefusedCase {
    const char* name;
    const char* sheet;
    const char* message; // a part of the message
};

std::ostream& operator<<(std::ostream& os, const RefusedCase& c) { return os << c.name; }

class Refused : public PlanTest, public testing::WithParamInterface<RefusedCase>
{
};

TEST_P(Refused, SheetsThatCannotBeSplitSayWhy)
{
    const RefusedCase& c = GetParam();
    MakeWave("a.wav", 6);
    MakeWave("b48.wav", 2, 48000);
    dir.Write("text.wav", "this is not audio\n");
    ASSERT_TRUE(OpenSheet(c.sheet));
    CTrackPlan plan;
    std::string error;
    EXPECT_FALSE(plan.Build(*doc, {}, error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, Refused,
    testing::Values(
        RefusedCase{"IndexPastTheEnd", "FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                       "  TRACK 02 AUDIO\n    INDEX 01 00:07:00\n",
                    "INDEX 01 of track 02 (00:07:00) lies past the end of"},
        RefusedCase{"MissingFile", "FILE \"gone.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n",
                    "gone.wav\" cannot be read"},
        RefusedCase{"NotAudio", "FILE \"text.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n",
                    "text.wav\" cannot be read"},
        RefusedCase{"DataTrack", "FILE \"a.wav\" WAVE\n  TRACK 01 MODE1/2352\n    INDEX 01 00:00:00\n",
                    "Track 01 is a MODE1/2352 track"},
        RefusedCase{"FilesOfTwoRates", "FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                       "FILE \"b48.wav\" WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n",
                    "the files of one disc must match"},
        RefusedCase{"TrackAtTheEnd", "FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                     "  TRACK 02 AUDIO\n    INDEX 01 00:06:00\n",
                    "Track 02 holds no audio"}),
    [](const testing::TestParamInfo<RefusedCase>& p) { return std::string(p.param.name); });

struct TimeCase {
    const char* time;
    std::uint32_t rate;
    std::uint64_t frame;
};

class FrameOfTime : public testing::TestWithParam<TimeCase>
{
};

TEST_P(FrameOfTime, SampleOfASheetTime)
{
    const TimeCase& c = GetParam();
    EXPECT_EQ(ts::FrameOfTime(CCueTime::Parse(c.time), c.rate), c.frame) << c.time << " at " << c.rate;
}

INSTANTIATE_TEST_SUITE_P(Rates, FrameOfTime,
                         testing::Values(TimeCase{"00:00:01", 44100, 588}, TimeCase{"00:00:01", 48000, 640},
                                         TimeCase{"01:00:00", 44100, 2646000}, TimeCase{"79:59:74", 44100, 211679412},
                                         TimeCase{"00:00:01", 22050, 294}, TimeCase{"00:00:01", 32000, 426},
                                         TimeCase{"00:00:02", 32000, 853}, TimeCase{"00:00:00", 96000, 0}));

struct NameCase {
    std::string title;
    std::string safe;
};

class SafeTitle : public testing::TestWithParam<NameCase>
{
};

TEST_P(SafeTitle, TitleAsAFileName)
{
    EXPECT_EQ(ts::SafeFileTitle(GetParam().title), GetParam().safe);
}

INSTANTIATE_TEST_SUITE_P(Titles, SafeTitle,
                         testing::Values(NameCase{"AC/DC", "AC_DC"}, NameCase{"tab\there", "tab_here"},
                                         NameCase{"line\nbreak\x7f", "line_break_"}, NameCase{"Ça va?", "Ça va?"},
                                         NameCase{"..", ".."}, NameCase{"", ""},
                                         // 100 two-byte letters and one more: cut before the 101st.
                                         NameCase{std::string(1, '#') + [] {
                                                      std::string s;
                                                      for (int i = 0; i < 100; ++i)
                                                          s += "\xC3\xA9";
                                                      return s;
                                                  }(),
                                                  std::string(1, '#') + [] {
                                                      std::string s;
                                                      for (int i = 0; i < 99; ++i)
                                                          s += "\xC3\xA9";
                                                      return s;
                                                  }()}));

// A run that stops early takes every file it began with it.
TEST_F(PlanTest, CancelledSplitLeavesNoFile)
{
    MakeWave("a.wav", 60);
    ASSERT_TRUE(OpenSheet("FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                          "  TRACK 02 AUDIO\n    INDEX 01 00:20:00\n  TRACK 03 AUDIO\n    INDEX 01 00:40:00\n"));
    CTrackPlan plan;
    std::string error;
    ASSERT_TRUE(plan.Build(*doc, {}, error)) << error;
    const std::string out = dir.File("out");
    CTrackSplitter splitter;
    bool ok = true;
    std::thread run([&] { ok = splitter.Split(plan, out, false, error); });
    while (splitter.FramesDone() == 0)
        std::this_thread::yield();
    splitter.Cancel();
    run.join();
    EXPECT_FALSE(ok);
    EXPECT_EQ(error, "");
    EXPECT_TRUE(splitter.Cancelled());
    EXPECT_LT(splitter.FramesDone(), splitter.FramesTotal());
    EXPECT_EQ(tracktest::FolderNames(out), std::vector<std::string>{});
    // The folder the run made for itself goes with it.
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(PlanTest, FailedSplitLeavesNoFile)
{
    // A FLAC file cut short: its header promises 8 seconds, the decoder
    // runs out in track 2.
    MakeWave("a.wav", 8);
    ASSERT_EQ(wavetest::Run("ffmpeg -v quiet -nostdin -i " + Quote(dir.File("a.wav")) + " " + Quote(dir.File("a.flac"))), 0);
    std::filesystem::resize_file(dir.File("a.flac"), std::filesystem::file_size(dir.File("a.flac")) * 6 / 10);
    ASSERT_TRUE(OpenSheet("FILE \"a.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                          "  TRACK 02 AUDIO\n    INDEX 01 00:04:00\n"));
    CTrackPlan plan;
    std::string error;
    ASSERT_TRUE(plan.Build(*doc, {}, error)) << error;
    // Two folders made for the run; the one that was there stays.
    std::filesystem::create_directories(dir.File("there"));
    const std::string out = dir.File("there/new/out");
    CTrackSplitter splitter;
    EXPECT_FALSE(splitter.Split(plan, out, false, error));
    EXPECT_EQ(error.find("cannot be written: cannot be written"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.File("there/new"))) << error;
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("there")));
    EXPECT_NE(error.find("02.flac\" cannot be written: \"" + dir.File("a.flac") + "\" cannot be read"), std::string::npos)
        << error;
    EXPECT_EQ(tracktest::FolderNames(out), std::vector<std::string>{});
}

// The track files follow the umask, as the sheet written beside them does.
TEST_F(PlanTest, TrackFilesFollowTheUmaskLikeTheSheet)
{
    MakeWave("a.wav", 8);
    ASSERT_TRUE(OpenSheet("FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                          "  TRACK 02 AUDIO\n    INDEX 01 00:04:00\n"));
    CTrackPlan plan;
    std::string error;
    ASSERT_TRUE(plan.Build(*doc, {}, error)) << error;
    for (const mode_t mask : {mode_t{022}, mode_t{027}}) {
        const mode_t previous = ::umask(mask);
        const std::string out = dir.File("out" + std::to_string(mask));
        CTrackSplitter splitter;
        const bool ok = splitter.Split(plan, out, false, error);
        ::umask(previous);
        ASSERT_TRUE(ok) << error;
        const std::vector<std::string> names = tracktest::FolderNames(out);
        ASSERT_EQ(names.size(), 3u);
        for (const std::string& name : names) {
            const auto perms = std::filesystem::status(out + "/" + name).permissions();
            EXPECT_EQ(static_cast<mode_t>(perms) & 0777, 0666 & ~mask) << name;
        }
    }
}

} // namespace
