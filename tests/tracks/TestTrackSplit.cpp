// tracksmith-cli split and join on real audio made by sox, read back with
// ffmpeg, ffprobe, shnsplit and libcue.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "audio/WaveFixtures.h"
#include "support/TempDir.h"
#include "tracks/TrackTestSupport.h"

using namespace tracktest;
using wavetest::Quote;

namespace {

const std::string kCli = TS_CLI_PATH;

// 12 seconds; track 2 has a gap of 50 CD frames, track 3 one of 33 and an
// INDEX 02.
const char* const kSheet =
    "REM GENRE \"Ambient\"\n"
    "REM DATE 1999\n"
    "REM DISCNUMBER 1\n"
    "REM TOTALDISCS 2\n"
    "CATALOG 0724384260927\n"
    "PERFORMER \"The Band\"\n"
    "TITLE \"An Album\"\n"
    "FILE \"album.wav\" WAVE\n"
    "  TRACK 01 AUDIO\n"
    "    TITLE \"First / One\"\n"
    "    SONGWRITER \"A. Writer\"\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 02 AUDIO\n"
    "    TITLE \"Second\"\n"
    "    PERFORMER \"Guest\"\n"
    "    ISRC USKST0600002\n"
    "    INDEX 00 00:04:25\n"
    "    INDEX 01 00:05:00\n"
    "  TRACK 03 AUDIO\n"
    "    TITLE \"Third\"\n"
    "    COMPOSER \"C. Omposer\"\n"
    "    INDEX 00 00:08:00\n"
    "    INDEX 01 00:08:33\n"
    "    INDEX 02 00:10:00\n";

const char* const kNames[] = {"01 - First _ One", "02 - Second", "03 - Third"};
// INDEX 00 and INDEX 01 of each track, in sample frames.
const std::uint64_t kGapStart[] = {0, (4 * 75 + 25) * kCdFrame, 8 * 75 * kCdFrame};
const std::uint64_t kStart[] = {0, 5 * 75 * kCdFrame, (8 * 75 + 33) * kCdFrame};
constexpr std::uint64_t kTotal = 12 * 44100;

int Cli(const std::string& args, std::string* err = nullptr)
{
    std::string out;
    const int code = wavetest::Run(Quote(kCli) + " " + args + " 2>&1", &out);
    if (err)
        *err = out;
    return code;
}

class SplitTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(wavetest::SoxProblem(), "");
        ASSERT_EQ(wavetest::Run("command -v ffmpeg ffprobe shnsplit cuebreakpoints >/dev/null"), 0);
        ASSERT_EQ(wavetest::Run("sox -D -n -r 44100 -c 2 -b 16 " + Quote(dir.File("album.wav")) +
                      " synth 12 whitenoise sine 440 gain -6"),
                  0);
        sheet = dir.Write("album.cue", kSheet);
        source = Decode(dir.File("album.wav"));
        ASSERT_EQ(source.size(), kTotal * kFrameBytes);
    }

    std::string Span(std::uint64_t from, std::uint64_t to) const
    {
        return source.substr(from * kFrameBytes, (to - from) * kFrameBytes);
    }

    TempDir dir;
    std::string sheet;
    std::string source;
};

struct GapCase {
    const char* rule;
    const char* format;
    // Where each track's file starts and ends, by the rule.
    std::uint64_t from[3];
    std::uint64_t to[3];
};

std::ostream& operator<<(std::ostream& os, const GapCase& c) { return os << c.rule << "_" << c.format; }

const GapCase kAppend = {"append", "flac", {0, kStart[1], kStart[2]}, {kStart[1], kStart[2], kTotal}};
const GapCase kPrepend = {"prepend", "flac", {0, kGapStart[1], kGapStart[2]}, {kGapStart[1], kGapStart[2], kTotal}};
const GapCase kDrop = {"drop", "flac", {0, kStart[1], kStart[2]}, {kGapStart[1], kGapStart[2], kTotal}};

GapCase WithFormat(GapCase c, const char* format)
{
    c.format = format;
    return c;
}

class SplitGaps : public SplitTest, public testing::WithParamInterface<GapCase>
{
};

TEST_P(SplitGaps, TrackFilesHoldTheSourceSamplesCutAtTheIndexes)
{
    const GapCase& c = GetParam();
    const std::string out = dir.File("out");
    std::string err;
    ASSERT_EQ(Cli("split " + Quote(sheet) + " " + Quote(out) + " --gaps " + c.rule + " --format " + c.format, &err), 0) << err;
    std::vector<std::string> expected;
    for (const char* name : kNames)
        expected.push_back(std::string(name) + "." + c.format);
    expected.push_back("album.cue");
    EXPECT_EQ(FolderNames(out), expected);

    std::string joined;
    for (int t = 0; t < 3; ++t) {
        const std::string file = out + "/" + kNames[t] + "." + c.format;
        const std::string samples = Decode(file);
        joined += samples;
        EXPECT_EQ(samples.size(), (c.to[t] - c.from[t]) * kFrameBytes) << file;
        EXPECT_TRUE(samples == Span(c.from[t], c.to[t])) << file << " differs from the source span";
        // The first samples are those ffmpeg's own seek finds at the cut.
        EXPECT_TRUE(samples.substr(0, 64 * kFrameBytes) == DecodeAt(dir.File("album.wav"), c.from[t], 64)) << file;
    }
    if (std::string(c.rule) == "drop")
        EXPECT_TRUE(joined == Span(0, kGapStart[1]) + Span(kStart[1], kGapStart[2]) + Span(kStart[2], kTotal));
    else
        EXPECT_TRUE(joined == source) << "the track files end to end differ from the source";

    // The sheet for the files reads back in libcue to the same disc.
    std::string problem;
    const std::vector<DiscTrack> before = DiscLayout(sheet, problem);
    const std::vector<DiscTrack> after = DiscLayout(out + "/album.cue", problem);
    ASSERT_EQ(problem, "");
    ASSERT_EQ(before.size(), 3u);
    EXPECT_EQ(after, before);
    // And it opens in the editor without a message.
    EXPECT_EQ(Cli("check " + Quote(out + "/album.cue"), &err), 0) << err;
    EXPECT_EQ(err, "");
}

INSTANTIATE_TEST_SUITE_P(Rules, SplitGaps,
                         testing::Values(kAppend, kPrepend, kDrop, WithFormat(kAppend, "wav"),
                                         WithFormat(kPrepend, "wav"), WithFormat(kDrop, "wav")),
                         [](const testing::TestParamInfo<GapCase>& p) {
                             return std::string(p.param.rule) + "_" + p.param.format;
                         });

// shnsplit on the breakpoints cuebreakpoints gives for the same rule cuts
// the same tracks.
struct ShnCase {
    const char* rule;
    const char* breakpoints; // cuebreakpoints option
};

class SplitAgainstShnsplit : public SplitTest, public testing::WithParamInterface<ShnCase>
{
};

TEST_P(SplitAgainstShnsplit, SameTracksAsShnsplit)
{
    const ShnCase& c = GetParam();
    const std::string ours = dir.File("ours");
    const std::string theirs = dir.File("theirs");
    std::filesystem::create_directories(theirs);
    std::string err;
    ASSERT_EQ(Cli("split " + Quote(sheet) + " " + Quote(ours) + " --format wav --gaps " + c.rule, &err), 0) << err;
    ASSERT_EQ(wavetest::Run("cuebreakpoints " + std::string(c.breakpoints) + " " + Quote(sheet) + " | shnsplit -q -O always -d " +
                  Quote(theirs) + " -o wav " + Quote(dir.File("album.wav")) + " >/dev/null 2>&1"),
              0);
    for (int t = 0; t < 3; ++t) {
        const std::string shn = theirs + "/split-track0" + std::to_string(t + 1) + ".wav";
        const std::string file = ours + "/" + kNames[t] + ".wav";
        const std::string mine = Decode(file);
        ASSERT_FALSE(mine.empty()) << file;
        EXPECT_TRUE(mine == Decode(shn)) << file << " differs from " << shn;
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, SplitAgainstShnsplit,
                         testing::Values(ShnCase{"append", "--append-gaps"}, ShnCase{"prepend", "--prepend-gaps"}),
                         [](const testing::TestParamInfo<ShnCase>& p) { return std::string(p.param.rule); });

// The tags ffprobe reads back from each format.
struct TagCase {
    const char* format;
    int track;
    const char* tag;
    const char* value;
};


class SplitTags : public SplitTest, public testing::WithParamInterface<const char*>
{
};

TEST_P(SplitTags, TagsReadBackAsTheSheetHasThem)
{
    const std::string format = GetParam();
    const std::string out = dir.File("out");
    std::string err;
    ASSERT_EQ(Cli("split " + Quote(sheet) + " " + Quote(out) + " --format " + format, &err), 0) << err;
    const bool vorbis = format == "flac" || format == "opus";
    const std::vector<TagCase> cases = {
        {"", 0, "title", "First / One"},
        {"", 0, "artist", "The Band"},
        {"", 0, "album", "An Album"},
        {"", 0, "composer", "A. Writer"},
        {"", 0, "genre", "Ambient"},
        {"", 0, "date", "1999"},
        {"", 1, "title", "Second"},
        {"", 1, "artist", "Guest"},
        {"", 1, "album_artist", "The Band"},
        {"", 1, "ISRC", "USKST0600002"},
        {"", 2, "composer", "C. Omposer"},
        {"", 2, "track", vorbis ? "3" : "3/3"},
        {"", 2, "disc", vorbis ? "1" : "1/2"},
    };
    for (const TagCase& c : cases) {
        const std::string file = out + "/" + kNames[c.track] + "." + format;
        EXPECT_EQ(ProbeTag(file, c.tag), c.value) << file << " " << c.tag;
    }
    if (vorbis) {
        EXPECT_EQ(ProbeTag(out + "/" + kNames[0] + "." + format, "TRACKTOTAL"), "3");
        EXPECT_EQ(ProbeTag(out + "/" + kNames[0] + "." + format, "DISCTOTAL"), "2");
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, SplitTags, testing::Values("flac", "opus", "mp3"));

TEST_F(SplitTest, LossyFilesLastAsLongAsTheirTracks)
{
    for (const char* format : {"opus", "mp3"}) {
        const std::string out = dir.File(std::string("out-") + format);
        std::string err;
        ASSERT_EQ(Cli("split " + Quote(sheet) + " " + Quote(out) + " --format " + format, &err), 0) << err;
        std::string duration;
        wavetest::Run("ffprobe -v quiet -show_entries format=duration -of default=nokey=1:noprint_wrappers=1 " +
                Quote(out + "/" + kNames[1] + "." + format),
            &duration);
        // 3.33 s from INDEX 01 of track 2 to INDEX 01 of track 3; the
        // codecs' padding adds at most a few tens of milliseconds.
        EXPECT_NEAR(std::stod(duration), (kStart[2] - kStart[1]) / 44100.0, 0.06) << format;
    }
}

TEST_F(SplitTest, ExistingFilesAreNeverOverwritten)
{
    const std::string out = dir.File("out");
    std::filesystem::create_directories(out);
    const std::string kept = dir.Write("out/02 - Second.flac", "mine");
    std::string err;
    EXPECT_EQ(Cli("split " + Quote(sheet) + " " + Quote(out), &err), 1);
    EXPECT_NE(err.find("02 - Second.flac\" exists already"), std::string::npos) << err;
    EXPECT_EQ(ReadFileBytes(kept), "mine");
    EXPECT_EQ(FolderNames(out), std::vector<std::string>{"02 - Second.flac"});
}

TEST_F(SplitTest, TheSheetNextToTheSourceIsNeverOverwritten)
{
    // Splitting into the sheet's own folder would replace the sheet.
    std::string err;
    EXPECT_EQ(Cli("split " + Quote(sheet) + " " + Quote(dir.Path().string()), &err), 1);
    EXPECT_NE(err.find("album.cue\" exists already"), std::string::npos) << err;
    EXPECT_EQ(ReadFileBytes(sheet), kSheet);
    EXPECT_EQ(FolderNames(dir.Path().string()), (std::vector<std::string>{"album.cue", "album.wav"}));
}


class SplitUsage : public SplitTest, public testing::WithParamInterface<const char*>
{
};

TEST_P(SplitUsage, BadArgumentsAreUsageErrors)
{
    std::string err;
    EXPECT_EQ(Cli(GetParam(), &err), 2) << err;
    EXPECT_NE(err.find("usage:"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Args, SplitUsage,
                         testing::Values("split", "split a.cue", "split a.cue out --format ogg",
                                         "split a.cue out --gaps middle", "split a.cue out --format",
                                         "join a.cue", "join a.cue b.flac extra"));

TEST_F(SplitTest, JoinedImageHoldsTheFilesEndToEndAndSplitsBack)
{
    // Split first, then join the track files (gaps appended: INDEX 00 in
    // the previous file), then split the image again.
    const std::string tracks = dir.File("tracks");
    std::string err;
    ASSERT_EQ(Cli("split " + Quote(sheet) + " " + Quote(tracks), &err), 0) << err;
    const std::string image = dir.File("image/joined.flac");
    std::filesystem::create_directories(dir.File("image"));
    ASSERT_EQ(Cli("join " + Quote(tracks + "/album.cue") + " " + Quote(image), &err), 0) << err;
    EXPECT_EQ(err, "");
    EXPECT_TRUE(Decode(image) == source);
    std::string problem;
    EXPECT_EQ(DiscLayout(dir.File("image/joined.cue"), problem), DiscLayout(sheet, problem));
    EXPECT_EQ(problem, "");

    const std::string again = dir.File("again");
    ASSERT_EQ(Cli("split " + Quote(dir.File("image/joined.cue")) + " " + Quote(again), &err), 0) << err;
    for (const char* name : kNames) {
        const std::string first = Decode(tracks + "/" + name + ".flac");
        ASSERT_FALSE(first.empty());
        EXPECT_TRUE(Decode(again + "/" + name + ".flac") == first) << name;
    }
    // The sheet of the track files, whose gaps lie in the previous files,
    // splits again with the gaps moved to their own tracks.
    const std::string moved = dir.File("moved");
    ASSERT_EQ(Cli("split " + Quote(tracks + "/album.cue") + " " + Quote(moved) + " --gaps prepend", &err), 0) << err;
    const std::uint64_t from[] = {0, kGapStart[1], kGapStart[2]};
    const std::uint64_t to[] = {kGapStart[1], kGapStart[2], kTotal};
    for (int t = 0; t < 3; ++t)
        EXPECT_TRUE(Decode(moved + "/" + kNames[t] + ".flac") == Span(from[t], to[t])) << kNames[t];
    EXPECT_EQ(DiscLayout(moved + "/album.cue", problem), DiscLayout(sheet, problem));

    // A second join refuses to replace the image.
    EXPECT_EQ(Cli("join " + Quote(tracks + "/album.cue") + " " + Quote(image), &err), 1);
    EXPECT_NE(err.find("joined.flac\" exists already"), std::string::npos) << err;
}

// Join and split give the same answer on a sheet whose index lies past
// the end of its file: both refuse it, and join writes nothing.
TEST_F(SplitTest, JoinRefusesIndexesPastTheEndAsSplitDoes)
{
    ASSERT_EQ(wavetest::Run("sox -D -n -r 44100 -c 2 -b 16 " + Quote(dir.File("short.wav")) + " synth 1 sine 440"), 0);
    const std::string late = dir.Write("late.cue", "FILE \"album.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                                   "FILE \"short.wav\" WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n"
                                                   "    INDEX 02 00:05:00\n");
    std::string joinErr;
    EXPECT_EQ(Cli("join " + Quote(late) + " " + Quote(dir.File("image.wav")), &joinErr), 1);
    std::string splitErr;
    EXPECT_EQ(Cli("split " + Quote(late) + " " + Quote(dir.File("tracks")), &splitErr), 1);
    for (const std::string& err : {joinErr, splitErr})
        EXPECT_NE(err.find("INDEX 02 of track 02 (00:05:00) lies past the end of"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("image.wav")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("image.cue")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("tracks")));
}

TEST_F(SplitTest, JoinMovesEveryIndexOfALaterFile)
{
    // Two files: the second's indexes move by the first's length (5 s).
    ASSERT_EQ(wavetest::Run("sox " + Quote(dir.File("album.wav")) + " " + Quote(dir.File("a.wav")) + " trim 0s 220500s"), 0);
    ASSERT_EQ(wavetest::Run("sox " + Quote(dir.File("album.wav")) + " " + Quote(dir.File("b.wav")) + " trim 220500s"), 0);
    const std::string two = dir.Write("two.cue",
                                      "FILE \"a.wav\" WAVE\n"
                                      "  TRACK 01 AUDIO\n"
                                      "    INDEX 01 00:00:00\n"
                                      "FILE \"b.wav\" WAVE\n"
                                      "  TRACK 02 AUDIO\n"
                                      "    INDEX 01 00:00:00\n"
                                      "  TRACK 03 AUDIO\n"
                                      "    INDEX 00 00:03:00\n"
                                      "    INDEX 01 00:03:33          ; after the gap\n"
                                      "    INDEX 02 00:05:00\n");
    std::string err;
    ASSERT_EQ(Cli("join " + Quote(two) + " " + Quote(dir.File("one.wav")), &err), 0) << err;
    EXPECT_TRUE(Decode(dir.File("one.wav")) == source);
    EXPECT_EQ(ReadFileBytes(dir.File("one.cue")),
              "FILE \"one.wav\" WAVE\n"
              "  TRACK 01 AUDIO\n"
              "    INDEX 01 00:00:00\n"
              "  TRACK 02 AUDIO\n"
              "    INDEX 01 00:05:00\n"
              "  TRACK 03 AUDIO\n"
              "    INDEX 00 00:08:00\n"
              "    INDEX 01 00:08:33           ; after the gap\n"
              "    INDEX 02 00:10:00\n");
}

} // namespace

namespace {

// The demo sheet with its generated waves: two files, CD-TEXT titles, a
// PREGAP, a POSTGAP and gaps in both files.
TEST(DemoSheet, SplitsIntoTitledTracksAndJoinsBack)
{
    TempDir dir;
    const std::string sheet = dir.Write("demo.cue", ReadFileBytes(TS_DEMO_SHEET));
    ASSERT_EQ(wavetest::Run(std::string(TS_DEMO_WAVES) + " " + Quote(sheet) + " >/dev/null 2>&1"), 0);
    const std::string out = dir.File("out");
    std::string err;
    ASSERT_EQ(Cli("split " + Quote(sheet) + " " + Quote(out), &err), 0) << err;
    EXPECT_EQ(FolderNames(out),
              (std::vector<std::string>{"01 - Morning Tone.flac", "02 - Rising Fifth.flac", "03 - Low Drone.flac",
                                        "04 - Evening Tone.flac", "05 - Night Chord.flac", "demo.cue"}));
    EXPECT_EQ(ProbeTag(out + "/03 - Low Drone.flac", "album"), "Tones for a Demo");
    EXPECT_EQ(ProbeTag(out + "/03 - Low Drone.flac", "artist"), "The Tracksmith Ensemble");
    EXPECT_EQ(ProbeTag(out + "/02 - Rising Fifth.flac", "ISRC"), "USKST0600002");
    std::string problem;
    const std::vector<DiscTrack> layout = DiscLayout(sheet, problem);
    ASSERT_EQ(problem, "");
    ASSERT_EQ(layout.size(), 5u);
    EXPECT_EQ(DiscLayout(out + "/demo.cue", problem), layout);

    // Both files end to end, and the same disc in the image's sheet.
    const std::string image = dir.File("image.wav");
    ASSERT_EQ(Cli("join " + Quote(sheet) + " " + Quote(image), &err), 0) << err;
    EXPECT_TRUE(Decode(image) == Decode(dir.File("DEMO1.WAV")) + Decode(dir.File("DEMO2.WAV")));
    EXPECT_EQ(DiscLayout(dir.File("image.cue"), problem), layout);
    EXPECT_EQ(Cli("check " + Quote(dir.File("image.cue")), &err), 0);
    EXPECT_EQ(err, "");
}

} // namespace

namespace {

struct DepthCase {
    const char* name;
    int bits;
    const char* format;
    bool kept; // false: refused, nothing written
};

std::ostream& operator<<(std::ostream& os, const DepthCase& c) { return os << c.name; }

class SampleDepth : public testing::TestWithParam<DepthCase>
{
};

std::string Decode32(const std::string& path)
{
    std::string out;
    wavetest::Run("ffmpeg -v quiet -nostdin -i " + Quote(path) + " -map 0:a:0 -f s32le -", &out);
    return out;
}

// Every sample of a deeper source is kept, or the split refuses it.
TEST_P(SampleDepth, SamplesKeptOrRefused)
{
    const DepthCase& c = GetParam();
    TempDir dir;
    ASSERT_EQ(wavetest::Run("sox -V1 -D -n -r 44100 -c 2 -b " + std::to_string(c.bits) + " " + Quote(dir.File("deep.wav")) +
                            " synth 3 whitenoise gain -3"),
              0);
    const std::string sheet = dir.Write("deep.cue", "FILE \"deep.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                                    "  TRACK 02 AUDIO\n    INDEX 01 00:01:00\n");
    const std::string out = dir.File("out");
    std::string err;
    const int code = Cli("split " + Quote(sheet) + " " + Quote(out) + " --format " + c.format, &err);
    if (!c.kept) {
        EXPECT_EQ(code, 1);
        EXPECT_NE(err.find("more than 24 bits, which FLAC cannot keep"), std::string::npos) << err;
        EXPECT_EQ(FolderNames(out), std::vector<std::string>{});
        return;
    }
    ASSERT_EQ(code, 0) << err;
    const std::string ext = std::string(".") + c.format;
    EXPECT_TRUE(Decode32(out + "/01" + ext) + Decode32(out + "/02" + ext) == Decode32(dir.File("deep.wav")));
}

INSTANTIATE_TEST_SUITE_P(Bits, SampleDepth,
                         testing::Values(DepthCase{"Flac16", 16, "flac", true}, DepthCase{"Flac24", 24, "flac", true},
                                         DepthCase{"Wav24", 24, "wav", true}, DepthCase{"Flac32Refused", 32, "flac", false},
                                         DepthCase{"Wav32", 32, "wav", true}),
                         [](const testing::TestParamInfo<DepthCase>& p) { return std::string(p.param.name); });

} // namespace

namespace {

// A wave file of tests/data/join-export, each of which join and export
// (split) once answered differently: one mono 8 kHz track cut at 00:00:30
// (3200 frames), or at the row's own time.
struct HeaderCase {
    const char* file;
    std::uint64_t frames; // the frames both take; 0: both refuse
    const char* reason;   // part of the reason both give when they refuse
    const char* cut = "00:00:30";
};

std::ostream& operator<<(std::ostream& os, const HeaderCase& c) { return os << c.file; }

class JoinAndExport : public testing::TestWithParam<HeaderCase>
{
};

std::string DataFile(const std::string& name)
{
    const char* data = std::getenv("TS_TEST_DATA");
    return std::string(data ? data : TS_TEST_DATA_DIR) + "/join-export/" + name;
}

TEST_P(JoinAndExport, TakeAndRefuseTheSameWaveFiles)
{
    const HeaderCase& c = GetParam();
    TempDir dir;
    const std::string bytes = ReadFileBytes(DataFile(c.file));
    ASSERT_FALSE(bytes.empty());
    dir.Write("source.wav", bytes);
    const std::string sheet = dir.Write("disc.cue", std::string("FILE \"source.wav\" WAVE\n  TRACK 01 AUDIO\n"
                                                                "    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 ") +
                                                        c.cut + "\n");
    std::string joinErr;
    const int joined = Cli("join " + Quote(sheet) + " " + Quote(dir.File("image.wav")), &joinErr);
    std::string splitErr;
    const int split = Cli("split " + Quote(sheet) + " " + Quote(dir.File("tracks")) + " --format wav", &splitErr);
    if (c.frames == 0) {
        EXPECT_EQ(joined, 1) << joinErr;
        EXPECT_EQ(split, 1) << splitErr;
        EXPECT_NE(joinErr.find(c.reason), std::string::npos) << joinErr;
        // The same words, after the command's own name.
        EXPECT_EQ(joinErr.substr(joinErr.find(c.reason)), splitErr.substr(splitErr.find(c.reason)));
        EXPECT_EQ(FolderNames(dir.Path().string()), (std::vector<std::string>{"disc.cue", "source.wav"}));
        return;
    }
    ASSERT_EQ(joined, 0) << joinErr;
    ASSERT_EQ(split, 0) << splitErr;
    // ffmpeg reads the image whole, and the track files end to end are the
    // image: both took the same samples.
    const std::string image = Decode(dir.File("image.wav"));
    EXPECT_EQ(image.size(), c.frames * 2);
    EXPECT_TRUE(Decode(dir.File("tracks/01.wav")) + Decode(dir.File("tracks/02.wav")) == image);
    EXPECT_EQ(Decode(dir.File("tracks/01.wav")).size(), 3200u * 2);
    std::string problem;
    EXPECT_EQ(DiscLayout(dir.File("image.cue"), problem).size(), 2u) << problem;
}

INSTANTIATE_TEST_SUITE_P(
    Files, JoinAndExport,
    testing::Values(HeaderCase{"plain-16-bit.wav", 8000, ""}, HeaderCase{"riff-size-open.wav", 8000, ""},
                    HeaderCase{"riff-and-data-size-open.wav", 8000, ""},
                    HeaderCase{"riff-and-data-size-zero.wav", 8000, ""},
                    HeaderCase{"streamed-header-quarter-second.wav", 0,
                               "INDEX 01 of track 02 (00:00:30) lies past the end of"},
                    HeaderCase{"seven-bit-samples.wav", 8000, ""},
                    HeaderCase{"int64-samples.wav", 0, "its 64-bit integer samples cannot be kept whole"},
                    HeaderCase{"float64-samples.wav", 0, "its 64-bit floating-point samples cannot be kept whole"},
                    HeaderCase{"float64-extensible.wav", 0, "its 64-bit floating-point samples cannot be kept whole"},
                    HeaderCase{"block-align-too-small.wav", 0,
                               "its block alignment of 2 bytes does not fit 2 channels of 16 bits"}),
    [](const testing::TestParamInfo<HeaderCase>& p) {
        std::string name;
        for (const char* c = p.param.file; *c != '.'; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

} // namespace
