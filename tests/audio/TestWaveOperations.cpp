#include "audio/WaveOperations.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <ostream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "audio/WaveFixtures.h"
#include "model/CCueTime.h"
#include "support/FailDevice.h"
#include "support/TempDir.h"

using namespace wavetest;

namespace {

// Wave files made once by sox for the whole run, by name.
class SoxFiles
{
public:
    static const SoxFiles& Get()
    {
        static const SoxFiles files;
        return files;
    }
    const std::string& Problem() const { return m_problem; }
    const std::string& Bytes(const std::string& name) const { return m_bytes.at(name); }
    std::uint32_t Align(const std::string& name) const { return m_align.at(name); }

private:
    SoxFiles()
    {
        m_problem = SoxProblem();
        if (!m_problem.empty())
            return;
        // A sine whose period does not divide a second, so that no whole
        // second falls on a zero sample. -D keeps sox from dithering.
        const struct {
            const char* name;
            const char* options;
            std::uint32_t align;
        } kinds[] = {
            {"s16", "-r 44100 -c 2 -b 16", 4},
            {"u8", "-r 44100 -c 1 -b 8", 1},
            {"s24", "-r 44100 -c 2 -b 24", 6}, // sox writes a 40-byte extensible "fmt "
            {"r22", "-r 22050 -c 2 -b 16", 4},
            {"r48", "-r 48000 -c 2 -b 16", 4},
            {"r96", "-r 96000 -c 2 -b 24", 6},
        };
        for (const auto& kind : kinds) {
            const std::string path = m_dir.File(std::string(kind.name) + ".wav");
            const std::string command = "sox -D -n " + std::string(kind.options) + " " + Quote(path) +
                                        " synth 3 sine 441.3 vol 0.9 2>&1";
            std::string output;
            if (Run(command, &output) != 0) {
                m_problem = "sox could not make " + path + ": " + output;
                return;
            }
            m_bytes[kind.name] = ReadFileBytes(path);
            m_align[kind.name] = kind.align;
        }
        // The same samples followed by a LIST chunk inside the RIFF chunk,
        // as tag editors leave them.
        std::string list = m_bytes["s16"] + Chunk("LIST", "INFOICMT" + Le32(6) + "hello!");
        list.replace(4, 4, Le32(static_cast<std::uint32_t>(list.size() - 8)));
        m_bytes["list"] = list;
        m_align["list"] = 4;
    }

    TempDir m_dir;
    std::string m_problem;
    std::map<std::string, std::string> m_bytes;
    std::map<std::string, std::uint32_t> m_align;
};

std::size_t DataStartOf(const std::string& wave)
{
    const std::size_t at = wave.find("data");
    return at == std::string::npos ? 0 : at + 8;
}

std::set<std::string> FilesIn(const TempDir& dir)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.insert(entry.path().filename().string());
    return names;
}

class WaveOperationsTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(SoxFiles::Get().Problem(), ""); }
};

struct TruncateCase {
    const char* name;
    const char* source;
    const char* time;
    std::uint32_t frames;
};

// Names the case in test output.
void PrintTo(const TruncateCase& c, std::ostream* os) { *os << c.name; }

class WaveTruncate : public WaveOperationsTest, public testing::WithParamInterface<TruncateCase> {};

TEST_P(WaveTruncate, CopyHoldsTheSamplesUpToTheTime)
{
    const TruncateCase& c = GetParam();
    const SoxFiles& sox = SoxFiles::Get();
    TempDir dir;
    const std::string src = dir.Write("src.wav", sox.Bytes(c.source));
    const std::string out = dir.File("src-truncated.wav");

    const WaveResult result = TruncateWaveFile(src, CCueTime::Parse(c.time), out);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(result.frames, c.frames);

    // sox reads the copy as the same audio, cut after the kept frame.
    EXPECT_EQ(Soxi("-s", out), std::to_string(c.frames));
    for (const char* option : {"-r", "-c", "-b", "-e"})
        EXPECT_EQ(Soxi(option, out), Soxi(option, src)) << option;
    const std::size_t bytes = std::size_t{c.frames} * sox.Align(c.source);
    const std::string raw = SoxRaw(out);
    EXPECT_EQ(raw.size(), bytes);
    EXPECT_TRUE(raw == SoxRaw(src).substr(0, bytes));

    // The plain 44-byte header with a 16-byte PCM format, then the samples
    // and a pad byte when their size is odd.
    const std::string copy = ReadFileBytes(out);
    EXPECT_EQ(copy.size(), 44 + bytes + bytes % 2);
    EXPECT_EQ(GetLe32(copy, 16), 16u);
    EXPECT_EQ(copy[20], 1);
    EXPECT_EQ(GetLe32(copy, 40), bytes);
    EXPECT_EQ(GetLe32(copy, 4), copy.size() - 8);

    EXPECT_EQ(ReadFileBytes(src), sox.Bytes(c.source));
    EXPECT_EQ(FilesIn(dir), (std::set<std::string>{"src.wav", "src-truncated.wav"}));
}

INSTANTIATE_TEST_SUITE_P(Sox, WaveTruncate, testing::Values(
    TruncateCase{"AtZeroKeepsOneFrame", "s16", "00:00:00", 1},
    TruncateCase{"OneCueFrame", "s16", "00:00:01", 574},
    TruncateCase{"TwoSeconds", "s16", "00:02:00", 88201},
    TruncateCase{"PastTheEndCopiesAll", "s16", "00:05:00", 132300},
    TruncateCase{"EightBitOddSizeGetsPad", "u8", "00:00:00", 1},
    TruncateCase{"EightBitOneCueFrame", "u8", "00:00:01", 574},
    TruncateCase{"ExtensibleBecomesPcm", "s24", "00:02:00", 88201},
    // Times count at the file's own rate: the frame at the time is kept.
    TruncateCase{"Rate22050", "r22", "00:01:00", 22051},
    TruncateCase{"Rate44100", "s16", "00:01:00", 44101},
    TruncateCase{"Rate48000", "r48", "00:01:00", 48001},
    TruncateCase{"Rate48000TwoSeconds", "r48", "00:02:00", 96001},
    TruncateCase{"Rate48000OneCueFrame", "r48", "00:00:01", 625},
    TruncateCase{"Rate96000", "r96", "00:01:00", 96001},
    TruncateCase{"TrailingListDropped", "list", "00:01:00", 44101}),
    [](const testing::TestParamInfo<TruncateCase>& p) { return std::string(p.param.name); });

struct SilenceCase {
    const char* name;
    const char* source;
    const char* start;
    const char* stop;
    std::uint32_t first; // first silenced frame
    std::uint32_t count; // frames silenced
};

// Names the case in test output.
void PrintTo(const SilenceCase& c, std::ostream* os) { *os << c.name; }

class WaveSilence : public WaveOperationsTest, public testing::WithParamInterface<SilenceCase> {};

TEST_P(WaveSilence, ChangesOnlyTheIntervalsSamples)
{
    const SilenceCase& c = GetParam();
    const SoxFiles& sox = SoxFiles::Get();
    TempDir dir;
    const std::string original = sox.Bytes(c.source);
    const std::string path = dir.Write("w.wav", original);
    const std::string rawBefore = SoxRaw(path);

    const WaveResult result = WriteWaveSilence(path, CCueTime::Parse(c.start), CCueTime::Parse(c.stop));
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(result.frames, c.count);

    // Silence is 0x80 in unsigned 8-bit samples and 0 in the others.
    const std::uint32_t align = sox.Align(c.source);
    const char silent = std::string(c.source) == "u8" ? '\x80' : '\0';
    std::string expected = original;
    expected.replace(DataStartOf(original) + std::size_t{c.first} * align, std::size_t{c.count} * align,
                     std::string(std::size_t{c.count} * align, silent));
    const std::string after = ReadFileBytes(path);
    EXPECT_EQ(after.size(), original.size());
    EXPECT_TRUE(after == expected) << "bytes outside the interval changed";

    std::string rawExpected = rawBefore;
    rawExpected.replace(std::size_t{c.first} * align, std::size_t{c.count} * align,
                        std::string(std::size_t{c.count} * align, silent));
    EXPECT_TRUE(SoxRaw(path) == rawExpected);
    EXPECT_EQ(Soxi("-s", path), Soxi("-s", dir.Write("orig.wav", original)));
}

INSTANTIATE_TEST_SUITE_P(Sox, WaveSilence, testing::Values(
    SilenceCase{"FirstSecond", "s16", "00:00:00", "00:01:00", 0, 44100},
    SilenceCase{"EmptyInterval", "s16", "00:01:00", "00:01:00", 44100, 0},
    SilenceCase{"OneCueFrame", "s16", "00:00:01", "00:00:02", 573, 574},
    SilenceCase{"StopPastTheEnd", "s16", "00:02:00", "09:00:00", 88200, 44100},
    SilenceCase{"StartPastTheEnd", "s16", "00:04:00", "00:05:00", 132300, 0},
    SilenceCase{"EightBit", "u8", "00:00:00", "00:01:00", 0, 44100},
    SilenceCase{"Extensible", "s24", "00:00:10", "00:01:10", 5865, 44100},
    SilenceCase{"Rate22050", "r22", "00:01:00", "00:02:00", 22050, 22050},
    SilenceCase{"Rate44100", "s16", "00:01:00", "00:02:00", 44100, 44100},
    SilenceCase{"Rate48000", "r48", "00:01:00", "00:02:00", 48000, 48000},
    SilenceCase{"Rate96000", "r96", "00:01:00", "00:02:00", 96000, 96000},
    // The LIST chunk and the RIFF size that covers it stay as they were.
    SilenceCase{"TrailingList", "list", "00:00:00", "09:00:00", 0, 132300}),
    [](const testing::TestParamInfo<SilenceCase>& p) { return std::string(p.param.name); });

struct OutputCase {
    const char* name;
    std::string reason; // empty: written
};

void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }

class WaveTruncateOutput : public testing::TestWithParam<OutputCase> {};

// The copy goes only where a user would expect: a regular file or a new
// name, through a symbolic link to its target; never over a device node.
TEST_P(WaveTruncateOutput, WritesOnlyWhereExpected)
{
    TempDir dir;
    const std::string samples = Pattern(8000 * 4);
    const std::string src = dir.Write("src.wav", PcmWave(2, 8000, 16, samples));
    const std::string name = GetParam().name;
    std::string out = dir.File("out.wav");
    if (name == "fifo") {
        ASSERT_EQ(::mkfifo(out.c_str(), 0600), 0);
    } else if (name == "folder") {
        std::filesystem::create_directory(out);
    } else if (name == "device") {
        out = "/dev/null";
    } else if (name == "link") {
        dir.Write("real.wav", "old");
        std::filesystem::create_symlink("real.wav", out);
    } else if (name == "existing") {
        dir.Write("out.wav", "old");
        ASSERT_EQ(::chmod(out.c_str(), 0640), 0);
    }
    const WaveResult result = TruncateWaveFile(src, CCueTime::Parse("00:00:10"), out);
    if (!GetParam().reason.empty()) {
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.reason, "\"" + out + "\" cannot be written: " + GetParam().reason + ".");
        struct stat info {};
        ASSERT_EQ(::stat(out.c_str(), &info), 0);
        EXPECT_FALSE(S_ISREG(info.st_mode));
        return;
    }
    ASSERT_TRUE(result.ok) << result.reason;
    const std::string written = name == "link" ? dir.File("real.wav") : out;
    EXPECT_EQ(result.frames, 1065u); // 133 ms at 8000 Hz, and the frame there
    EXPECT_TRUE(ReadFileBytes(written) == PcmWave(2, 8000, 16, samples.substr(0, 1065 * 4)));
    struct stat info {};
    ASSERT_EQ(::lstat(out.c_str(), &info), 0);
    if (name == "link") {
        EXPECT_TRUE(S_ISLNK(info.st_mode));
    }
    if (name == "existing") {
        EXPECT_EQ(info.st_mode & 07777, 0640u);
    }
}

INSTANTIATE_TEST_SUITE_P(Outputs, WaveTruncateOutput, testing::Values(
    OutputCase{"new", ""}, OutputCase{"existing", ""}, OutputCase{"link", ""},
    OutputCase{"fifo", "it is not a regular file but a device, a FIFO or a socket"},
    OutputCase{"device", "it is not a regular file but a device, a FIFO or a socket"},
    OutputCase{"folder", "it is a folder"}),
    [](const testing::TestParamInfo<OutputCase>& p) { return std::string(p.param.name); });

// A truncated ADPCM file was a copy nothing reads, reported as success.
TEST(WaveNotPcm, BothOperationsRefuseAdpcmAndChangeNothing)
{
    TempDir dir;
    const char* data = std::getenv("TS_TEST_DATA");
    const std::string original =
        ReadFileBytes((std::filesystem::path(data ? data : "tests/data") / "wave" / "adpcm-truncate-reported-success.wav").string());
    ASSERT_FALSE(original.empty());
    const std::string src = dir.Write("a.wav", original);
    const WaveResult truncated = TruncateWaveFile(src, CCueTime::Parse("00:00:10"), dir.File("b.wav"));
    EXPECT_FALSE(truncated.ok);
    EXPECT_EQ(truncated.reason, "\"" + src + "\" cannot be truncated: its samples are not PCM (format tag 2); "
                                "Truncate and Write silence work on PCM wave files only.");
    const WaveResult silenced = WriteWaveSilence(src, CCueTime::Parse("00:00:00"), CCueTime::Parse("00:00:10"));
    EXPECT_FALSE(silenced.ok);
    EXPECT_EQ(silenced.reason, "\"" + src + "\" cannot be silenced: its samples are not PCM (format tag 2); "
                               "Truncate and Write silence work on PCM wave files only.");
    EXPECT_EQ(ReadFileBytes(src), original);
    EXPECT_EQ(FilesIn(dir), (std::set<std::string>{"a.wav"}));
}

TEST_F(WaveOperationsTest, SilenceLeavesTheFirstFrameOfSecondOne)
{
    TempDir dir;
    const std::string path = dir.Write("w.wav", SoxFiles::Get().Bytes("s16"));
    const std::string before = SoxRaw(path);
    ASSERT_TRUE(WriteWaveSilence(path, CCueTime::Parse("00:00:00"), CCueTime::Parse("00:01:00")).ok);
    const std::string after = SoxRaw(path);
    EXPECT_EQ(after.substr(0, 176400), std::string(176400, '\0'));
    ASSERT_NE(before.substr(176400, 4), std::string(4, '\0'));
    EXPECT_EQ(after.substr(176400, 4), before.substr(176400, 4));
}

TEST_F(WaveOperationsTest, StopBeforeStartWritesNothing)
{
    TempDir dir;
    const std::string original = SoxFiles::Get().Bytes("s16");
    const std::string path = dir.Write("w.wav", original);
    const WaveResult result = WriteWaveSilence(path, CCueTime::Parse("00:02:00"), CCueTime::Parse("00:01:00"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, "The stop time 00:01:00 is before the start time 00:02:00; nothing was written to \"" +
                                 path + "\".");
    EXPECT_EQ(ReadFileBytes(path), original);
}

// Files that are no usable wave file: both operations fail without effect.
struct BadCase {
    const char* name;
    std::string bytes; // empty: the file does not exist
    const char* reason;
};

// Names the case in test output.
void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class WaveBadSource : public testing::TestWithParam<BadCase> {};

TEST_P(WaveBadSource, TruncateCreatesNothing)
{
    const BadCase& c = GetParam();
    TempDir dir;
    const std::string src = c.bytes.empty() ? dir.File("src.wav") : dir.Write("src.wav", c.bytes);
    const WaveResult result = TruncateWaveFile(src, CCueTime::Parse("00:00:10"), dir.File("out.wav"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, "\"" + src + "\" " + c.reason);
    EXPECT_EQ(FilesIn(dir), c.bytes.empty() ? std::set<std::string>{} : std::set<std::string>{"src.wav"});
}

TEST_P(WaveBadSource, SilenceWritesNothing)
{
    const BadCase& c = GetParam();
    TempDir dir;
    const std::string path = c.bytes.empty() ? dir.File("w.wav") : dir.Write("w.wav", c.bytes);
    const WaveResult result = WriteWaveSilence(path, CCueTime::Parse("00:00:00"), CCueTime::Parse("00:01:00"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, "\"" + path + "\" " + c.reason);
    if (!c.bytes.empty()) {
        EXPECT_EQ(ReadFileBytes(path), c.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, WaveBadSource, testing::Values(
    BadCase{"Missing", "", "cannot be opened: No such file or directory"},
    BadCase{"Text", "FILE \"a.wav\" WAVE\r\n", "is not a usable wave file: it is not a RIFF file"},
    BadCase{"NoData", Riff("WAVE", Chunk("fmt ", Fmt(1, 2, 44100, 16, 4))),
            "is not a usable wave file: it has no \"data\" chunk"},
    BadCase{"BlockAlignZero", Riff("WAVE", Chunk("fmt ", Fmt(1, 2, 44100, 16, 0)) + Chunk("data", Pattern(64))),
            "is not a usable wave file: its block alignment is 0"},
    BadCase{"DataPastEnd", Riff("WAVE", Chunk("fmt ", Fmt(1, 2, 44100, 16, 4)) + ChunkClaiming("data", 999999, Pattern(64))),
            "is not a usable wave file: its \"data\" chunk runs past the end of the file"}),
    [](const testing::TestParamInfo<BadCase>& p) { return std::string(p.param.name); });

TEST(WaveTruncateTarget, RefusesToWriteOverTheSource)
{
    TempDir dir;
    const std::string original = PcmWave(2, 44100, 16, Pattern(4000));
    const std::string src = dir.Write("src.wav", original);
    ASSERT_EQ(::link(src.c_str(), dir.File("hard.wav").c_str()), 0);
    for (const std::string& out : {src, (dir.Path() / "." / "src.wav").string(), dir.File("hard.wav")}) {
        const WaveResult result = TruncateWaveFile(src, CCueTime::Parse("00:00:00"), out);
        EXPECT_FALSE(result.ok) << out;
        EXPECT_EQ(result.reason, "\"" + out + "\" is the source file itself; the truncated copy needs another name.");
    }
    EXPECT_EQ(ReadFileBytes(src), original);
    EXPECT_EQ(FilesIn(dir), (std::set<std::string>{"src.wav", "hard.wav"}));
}

TEST(WaveTruncateTarget, ReplacesAnotherFileAndReportsAMissingFolder)
{
    TempDir dir;
    const std::string samples = Pattern(4000);
    const std::string src = dir.Write("src.wav", PcmWave(2, 44100, 16, samples));
    const std::string out = dir.Write("out.wav", "old contents");
    const WaveResult result = TruncateWaveFile(src, CCueTime::Parse("00:00:00"), out);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(ReadFileBytes(out), PcmWave(2, 44100, 16, samples.substr(0, 4)));

    const std::string nowhere = dir.File("no/such/folder/out.wav");
    const WaveResult missing = TruncateWaveFile(src, CCueTime::Parse("00:00:00"), nowhere);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.reason, "\"" + nowhere + "\" cannot be created: No such file or directory");
}

struct HandCase {
    const char* name;
    std::string source;
    const char* time;
    std::string expected; // the whole copy
};

// Names the case in test output.
void PrintTo(const HandCase& c, std::ostream* os) { *os << c.name; }

class WaveTruncateHandMade : public testing::TestWithParam<HandCase> {};

TEST_P(WaveTruncateHandMade, CopyIsExact)
{
    const HandCase& c = GetParam();
    TempDir dir;
    const std::string src = dir.Write("src.wav", c.source);
    const WaveResult result = TruncateWaveFile(src, CCueTime::Parse(c.time), dir.File("out.wav"));
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(ReadFileBytes(dir.File("out.wav")), c.expected);
}

const std::string kFmt16 = Chunk("fmt ", Fmt(1, 2, 44100, 16, 4));
const std::string kHandSamples = Pattern(41);

INSTANTIATE_TEST_SUITE_P(Files, WaveTruncateHandMade, testing::Values(
    HandCase{"DataBeforeFmt", Riff("WAVE", Chunk("data", kHandSamples.substr(0, 40)) + kFmt16), "00:00:00",
             Riff("WAVE", kFmt16 + Chunk("data", kHandSamples.substr(0, 4)))},
    // The partial frame at the end of an odd-sized data chunk is not copied.
    HandCase{"OddDataSize", Riff("WAVE", kFmt16 + Chunk("data", kHandSamples)), "00:05:00",
             Riff("WAVE", kFmt16 + Chunk("data", kHandSamples.substr(0, 40)))},
    HandCase{"OtherFormType", Riff("WAVX", kFmt16 + Chunk("data", kHandSamples.substr(0, 40))), "00:00:00",
             Riff("WAVX", kFmt16 + Chunk("data", kHandSamples.substr(0, 4)))}),
    [](const testing::TestParamInfo<HandCase>& p) { return std::string(p.param.name); });

TEST(WaveSilenceHandMade, PartialFrameAtTheEndIsLeftAlone)
{
    TempDir dir;
    const std::string original = Riff("WAVE", kFmt16 + Chunk("data", kHandSamples) + Chunk("LIST", "INFO"));
    const std::string path = dir.Write("w.wav", original);
    const WaveResult result = WriteWaveSilence(path, CCueTime::Parse("00:00:00"), CCueTime::Parse("09:00:00"));
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(result.frames, 10u);
    std::string expected = original;
    expected.replace(44, 40, std::string(40, '\0'));
    EXPECT_EQ(ReadFileBytes(path), expected);
}

// A disk that fills after N bytes: the failed copy leaves no file behind.
class WaveTruncateDiskFull : public testing::TestWithParam<std::int64_t> {};

TEST_P(WaveTruncateDiskFull, LeavesNoOutput)
{
    TempDir dir;
    const std::string original = PcmWave(2, 44100, 16, Pattern(200000));
    const std::string src = dir.Write("src.wav", original);
    const std::string out = dir.File("out.wav");
    auto budget = std::make_shared<FailDevice::Budget>();
    budget->bytes = GetParam();
    const WaveResult result = TruncateWaveFile(src, CCueTime::Parse("00:01:00"), out, FailDevice::Opener(budget));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, "\"" + out + "\" cannot be written: No space left on device");
    EXPECT_GE(budget->failures, 1);
    EXPECT_EQ(FilesIn(dir), std::set<std::string>{"src.wav"});
    EXPECT_EQ(ReadFileBytes(src), original);
}

INSTANTIATE_TEST_SUITE_P(Budgets, WaveTruncateDiskFull, testing::Values(0, 11, 43, 44, 45, 4096, 40000, 150000));

TEST(WaveTruncateReadError, NamesTheSourceAndLeavesNoOutput)
{
    TempDir dir;
    const std::string src = dir.Write("src.wav", PcmWave(2, 44100, 16, Pattern(200000)));
    const std::string out = dir.File("out.wav");
    auto budget = std::make_shared<FailDevice::Budget>();
    budget->writes = false;
    budget->reads = true;
    budget->error = EIO;
    // Enough for both headers and the first blocks of samples.
    budget->bytes = 2 * 32768 + 100000;
    const WaveResult result = TruncateWaveFile(src, CCueTime::Parse("00:01:00"), out, FailDevice::Opener(budget));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, "\"" + src + "\" cannot be read: Input/output error");
    EXPECT_EQ(FilesIn(dir), std::set<std::string>{"src.wav"});
}

class WaveSilenceDiskFull : public testing::TestWithParam<std::int64_t> {};

TEST_P(WaveSilenceDiskFull, ReportsTheFailure)
{
    TempDir dir;
    const std::string path = dir.Write("w.wav", PcmWave(2, 44100, 16, Pattern(200000)));
    auto budget = std::make_shared<FailDevice::Budget>();
    budget->bytes = GetParam();
    const WaveResult result = WriteWaveSilence(path, CCueTime::Parse("00:00:00"), CCueTime::Parse("00:01:00"),
                                               FailDevice::Opener(budget));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, "\"" + path + "\" cannot be written: No space left on device");
    EXPECT_EQ(ReadFileBytes(path).size(), 200044u);
}

INSTANTIATE_TEST_SUITE_P(Budgets, WaveSilenceDiskFull, testing::Values(0, 100, 4052, 40000, 150000));

} // namespace
