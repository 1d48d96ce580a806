#include "audio/CWaveFile.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <sys/file.h>
#include <fcntl.h>

#include <ostream>
#include <string>
#include <filesystem>

#include "audio/WaveFixtures.h"
#include "model/CCueTime.h"
#include "support/FailDevice.h"
#include "support/TempDir.h"

using namespace wavetest;

namespace {

const std::string kFmt = Chunk("fmt ", Fmt(1, 2, 44100, 16, 4));
const std::string kSamples = Pattern(40);

struct ParseCase {
    const char* name;
    std::string bytes;
    bool parses;
    std::uint32_t frames;
    std::int64_t dataStart;
    const char* reason; // part of the failure reason
};

// Names the case in test output.
void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class WaveParse : public testing::TestWithParam<ParseCase> {};

TEST_P(WaveParse, ParsesOrFailsAndCloses)
{
    const ParseCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.Write("p.wav", c.bytes);
    EXPECT_EQ(CWaveFile::IsWaveFile(path), c.parses);

    CWaveFile wave(path);
    EXPECT_EQ(wave.Open(CWaveFile::kRead), c.parses);
    if (c.parses) {
        EXPECT_TRUE(wave.IsOpen());
        EXPECT_EQ(wave.FrameCount(), c.frames);
        EXPECT_EQ(wave.DataStart(), c.dataStart);
        EXPECT_EQ(wave.GetPosition(), 0);
        EXPECT_TRUE(wave.FailureReason().empty());
    } else {
        EXPECT_FALSE(wave.IsOpen());
        EXPECT_NE(wave.FailureReason().find(c.reason), std::string::npos) << wave.FailureReason();
    }
    EXPECT_EQ(ReadFileBytes(path), c.bytes);
}

// The tail that makes a sub-format GUID stand for a wave format tag.
const std::string kGuidTail = std::string("\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 12);
const std::string kExtensibleFmt =
    Fmt(0xFFFE, 2, 44100, 24, 6) + Le16(22) + Le16(24) + Le32(3) + Le32(1) + kGuidTail;

INSTANTIATE_TEST_SUITE_P(Files, WaveParse, testing::Values(
    ParseCase{"Plain", Riff("WAVE", kFmt + Chunk("data", kSamples)), true, 10, 44, ""},
    ParseCase{"DataBeforeFmt", Riff("WAVE", Chunk("data", kSamples) + kFmt), true, 10, 20, ""},
    ParseCase{"OddDataSizeDropsPartialFrame", Riff("WAVE", kFmt + Chunk("data", Pattern(41))), true, 10, 44, ""},
    ParseCase{"OtherFormType", Riff("WAVX", kFmt + Chunk("data", kSamples)), true, 10, 44, ""},
    ParseCase{"Fmt18", Riff("WAVE", Chunk("fmt ", Fmt(1, 2, 44100, 16, 4) + Le16(0)) + Chunk("data", kSamples)),
              true, 10, 46, ""},
    ParseCase{"Extensible40", Riff("WAVE", Chunk("fmt ", kExtensibleFmt) + Chunk("data", Pattern(36))), true, 6, 68, ""},
    ParseCase{"ChunksAroundData",
              Riff("WAVE", Chunk("JUNK", "abc") + kFmt + Chunk("fact", Le32(10)) + Chunk("data", kSamples) +
                               Chunk("LIST", "INFOICMT" + Le32(3) + "hi")),
              true, 10, 68, ""},
    ParseCase{"EmptyData", Riff("WAVE", kFmt + Chunk("data", "")), true, 0, 44, ""},
    ParseCase{"NotRiff", std::string("RIFX") + Le32(4) + "WAVE", false, 0, 0, "not a RIFF file"},
    ParseCase{"EmptyFile", std::string(), false, 0, 0, "not a RIFF file"},
    ParseCase{"NoFmt", Riff("WAVE", Chunk("data", kSamples)), false, 0, 0, "no \"fmt \" chunk"},
    ParseCase{"NoData", Riff("WAVE", kFmt), false, 0, 0, "no \"data\" chunk"},
    ParseCase{"ShortFmt", Riff("WAVE", Chunk("fmt ", Fmt(1, 2, 44100, 16, 4).substr(0, 14)) + Chunk("data", kSamples)),
              false, 0, 0, "shorter than 16 bytes"},
    ParseCase{"BlockAlignZero", Riff("WAVE", Chunk("fmt ", Fmt(1, 2, 44100, 16, 0)) + Chunk("data", kSamples)),
              false, 0, 0, "block alignment is 0"},
    ParseCase{"DataPastEnd", Riff("WAVE", kFmt + ChunkClaiming("data", 1000, kSamples)), false, 0, 0,
              "\"data\" chunk runs past the end"},
    ParseCase{"FmtPastEnd", Riff("WAVE", ChunkClaiming("fmt ", 0x7FFFFFF0, Fmt(1, 2, 44100, 16, 4))), false, 0, 0,
              "\"fmt \" chunk runs past the end"},
    ParseCase{"RiffPastEnd", ChunkClaiming("RIFF", 5000, "WAVE" + kFmt + Chunk("data", kSamples)), false, 0, 0,
              "\"RIFF\" chunk runs past the end"},
    // Sizes a pipe leaves, or under the form type's 4 bytes: too short, not
    // past anything.
    ParseCase{"RiffSizeZero", ChunkClaiming("RIFF", 0, "WAVE" + kFmt + Chunk("data", kSamples)), false, 0, 0,
              "its RIFF size of 0 bytes is too short"},
    ParseCase{"RiffSizeThree", ChunkClaiming("RIFF", 3, "WAVE" + kFmt + Chunk("data", kSamples)), false, 0, 0,
              "its RIFF size of 3 bytes is too short"},
    // A data chunk outside the RIFF chunk is not the file's data.
    ParseCase{"DataOutsideRiff", Riff("WAVE", kFmt) + Chunk("data", kSamples), false, 0, 0, "no \"data\" chunk"}),
    [](const testing::TestParamInfo<ParseCase>& p) { return std::string(p.param.name); });

TEST(WaveOpen, MissingFileAndOverlongName)
{
    TempDir dir;
    CWaveFile missing(dir.File("none.wav"));
    EXPECT_FALSE(missing.Open(CWaveFile::kRead));
    EXPECT_EQ(missing.FailureReason(), "cannot be opened: No such file or directory");

    const std::string longName = dir.File(std::string(260, 'n'));
    CWaveFile overlong(longName);
    EXPECT_FALSE(overlong.Open(CWaveFile::kRead));
    EXPECT_NE(overlong.FailureReason().find("longer than 259 characters"), std::string::npos);
}

TEST(WaveOpen, AFileLockedByAnotherProgramSaysSo)
{
    TempDir dir;
    const std::string path = dir.Write("l.wav", PcmWave(2, 44100, 16, kSamples));
    const int fd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    CWaveFile wave(path);
    EXPECT_FALSE(wave.Open(CWaveFile::kReadWriteDenyWrite));
    EXPECT_EQ(wave.FailureReason(), "cannot be opened: another program has locked it");
    ::close(fd);
}

TEST(WaveOpen, ReadFailureDuringParseIsReportedAndCloses)
{
    TempDir dir;
    const std::string path = dir.Write("r.wav", PcmWave(2, 44100, 16, kSamples));
    auto budget = std::make_shared<FailDevice::Budget>();
    budget->writes = false;
    budget->reads = true;
    budget->bytes = 20;
    budget->error = EIO;
    CWaveFile wave(path, FailDevice::Opener(budget));
    EXPECT_FALSE(wave.Open(CWaveFile::kRead));
    EXPECT_FALSE(wave.IsOpen());
    EXPECT_EQ(wave.FailureReason(), "cannot be read: Input/output error");
}

TEST(WaveOpen, OpenWhenOpenOnlyRewinds)
{
    TempDir dir;
    const std::string path = dir.Write("o.wav", PcmWave(2, 44100, 16, kSamples));
    CWaveFile wave(path);
    ASSERT_TRUE(wave.Open(CWaveFile::kRead));
    ASSERT_EQ(wave.SeekData(8), 8);
    EXPECT_EQ(wave.GetPosition(), 52);
    ASSERT_TRUE(wave.Open(CWaveFile::kRead));
    EXPECT_EQ(wave.GetPosition(), 0);
    EXPECT_EQ(wave.FrameCount(), 10u);
}

TEST(WaveOpen, LastReleaseCloses)
{
    TempDir dir;
    const std::string path = dir.Write("o.wav", PcmWave(2, 44100, 16, kSamples));
    CWaveFile wave(path);
    EXPECT_EQ(wave.AddRef(), 1);
    EXPECT_EQ(wave.AddRef(), 2);
    ASSERT_TRUE(wave.Open(CWaveFile::kRead));
    EXPECT_EQ(wave.Release(), 1);
    EXPECT_TRUE(wave.IsOpen());
    EXPECT_EQ(wave.Release(), 0);
    EXPECT_FALSE(wave.IsOpen());
    // The parsed fields outlive the close.
    EXPECT_EQ(wave.FrameCount(), 10u);
    EXPECT_EQ(wave.BlockAlign(), 4u);
}

TEST(WaveSeekData, StaysInsideTheSampleData)
{
    TempDir dir;
    const std::string path = dir.Write("s.wav", PcmWave(2, 44100, 16, kSamples));
    CWaveFile wave(path);
    ASSERT_TRUE(wave.Open(CWaveFile::kRead));
    EXPECT_EQ(wave.SeekData(0), 0);
    EXPECT_EQ(wave.GetPosition(), 44);
    EXPECT_EQ(wave.SeekData(40), 40);
    EXPECT_EQ(wave.SeekData(41), -1);
    EXPECT_EQ(wave.SeekData(-1), -1);
    char four[4];
    ASSERT_EQ(wave.SeekData(4), 4);
    ASSERT_EQ(wave.Read(four, 4), 4);
    EXPECT_EQ(std::string(four, 4), kSamples.substr(4, 4));
}

struct FramesCase {
    const char* time;
    std::uint32_t rate;
    std::uint32_t frames;
};

// Names the case in test output.
void PrintTo(const FramesCase& c, std::ostream* os) { *os << c.time << " at " << c.rate; }

class WaveFramesAt : public testing::TestWithParam<FramesCase> {};

TEST_P(WaveFramesAt, UsesMillisecondsAtTheFilesRate)
{
    std::uint32_t frames = 0;
    ASSERT_TRUE(CWaveFile::FramesAt(CCueTime::Parse(GetParam().time), GetParam().rate, frames));
    EXPECT_EQ(frames, GetParam().frames);
}

TEST(WaveFramesAtRate, ZeroIsRefused)
{
    std::uint32_t frames = 7;
    EXPECT_FALSE(CWaveFile::FramesAt(CCueTime::Parse("00:01:00"), 0, frames));
}

INSTANTIATE_TEST_SUITE_P(Times, WaveFramesAt, testing::Values(
    FramesCase{"00:00:00", 44100, 0}, FramesCase{"00:00:01", 44100, 573}, FramesCase{"00:00:74", 44100, 43483},
    FramesCase{"00:01:00", 44100, 44100}, FramesCase{"00:02:00", 44100, 88200},
    FramesCase{"01:00:00", 44100, 2646000}, FramesCase{"70:00:00", 44100, 185220000},
    FramesCase{"00:01:00", 48000, 48000}, FramesCase{"00:00:01", 48000, 624},
    FramesCase{"01:00:00", 96000, 5760000}, FramesCase{"00:01:00", 22050, 22050},
    FramesCase{"00:00:01", 22050, 287}, FramesCase{"70:00:00", 96000, 403200000}));

struct CreateCase {
    const char* name;
    std::string source;
    std::string header; // the 44 bytes CreateLike must write
};

// Names the case in test output.
void PrintTo(const CreateCase& c, std::ostream* os) { *os << c.name; }

class WaveCreateLike : public testing::TestWithParam<CreateCase> {};

TEST_P(WaveCreateLike, WritesTheSixteenByteHeader)
{
    const CreateCase& c = GetParam();
    TempDir dir;
    CWaveFile source(dir.Write("src.wav", c.source));
    ASSERT_TRUE(source.Open(CWaveFile::kRead));
    CWaveFile copy(dir.File("copy.wav"));
    ASSERT_TRUE(copy.CreateLike(source)) << copy.FailureReason();
    EXPECT_FALSE(copy.IsOpen());
    EXPECT_EQ(ReadFileBytes(dir.File("copy.wav")), c.header);
}

INSTANTIATE_TEST_SUITE_P(Sources, WaveCreateLike, testing::Values(
    CreateCase{"Pcm", PcmWave(2, 44100, 16, kSamples), Riff("WAVE", kFmt + Chunk("data", ""))},
    CreateCase{"FormTypeKept", Riff("WAVX", kFmt + Chunk("data", kSamples)), Riff("WAVX", kFmt + Chunk("data", ""))},
    CreateCase{"LongFmtCut", Riff("WAVE", Chunk("fmt ", Fmt(3, 1, 48000, 32, 4) + Le16(0)) + Chunk("data", kSamples)),
               Riff("WAVE", Chunk("fmt ", Fmt(3, 1, 48000, 32, 4)) + Chunk("data", ""))},
    // The extensible tag gives way to the sub-format's tag (PCM here).
    CreateCase{"ExtensibleBecomesSubFormat", Riff("WAVE", Chunk("fmt ", kExtensibleFmt) + Chunk("data", Pattern(36))),
               Riff("WAVE", Chunk("fmt ", Fmt(1, 2, 44100, 24, 6)) + Chunk("data", ""))}),
    [](const testing::TestParamInfo<CreateCase>& p) { return std::string(p.param.name); });

// Extensible formats whose copy could only claim an extension it lacks.
class WaveCreateLikeRefusal : public testing::TestWithParam<std::string> {};

TEST_P(WaveCreateLikeRefusal, ExtensibleWithoutUsableSubFormat)
{
    TempDir dir;
    CWaveFile source(dir.Write("src.wav", Riff("WAVE", Chunk("fmt ", GetParam()) + Chunk("data", kSamples))));
    ASSERT_TRUE(source.Open(CWaveFile::kRead));
    EXPECT_EQ(source.SubFormatTag(), 0u);
    CWaveFile copy(dir.File("copy.wav"));
    EXPECT_FALSE(copy.CreateLike(source));
    EXPECT_EQ(copy.FailureReason(), "cannot be created: the source's extensible format names no usable sub-format");
    EXPECT_FALSE(std::filesystem::exists(dir.File("copy.wav")));
}

const std::string kExtensibleHead = Fmt(0xFFFE, 2, 44100, 16, 4) + Le16(22) + Le16(16) + Le32(3);

INSTANTIATE_TEST_SUITE_P(Formats, WaveCreateLikeRefusal, testing::Values(
    Fmt(0xFFFE, 2, 44100, 16, 4) + Le16(0),                   // no room for a sub-format
    kExtensibleHead + Le32(0xFFFE) + kGuidTail,               // names itself
    kExtensibleHead + Le32(0) + kGuidTail,                    // names nothing
    kExtensibleHead + Le32(0x12345) + kGuidTail,              // past the 16-bit tags
    kExtensibleHead + Le32(1) + std::string(12, '\x42')));   // not a wave-format GUID

TEST(WaveBlocks, CopyFramesWiderThanTheBuffer)
{
    // Frames wider than the 32768-byte block still move one at a time.
    TempDir dir;
    const std::uint16_t align = 33000;
    const std::string samples = Pattern(3u * align + 7);
    const std::string src = Riff("WAVE", Chunk("fmt ", Fmt(1, 1, 8000, 16, align)) + Chunk("data", samples));
    CWaveFile source(dir.Write("wide.wav", src));
    ASSERT_TRUE(source.Open(CWaveFile::kRead));
    EXPECT_EQ(source.FrameCount(), 3u);
    CWaveFile copy(dir.File("copy.wav"));
    ASSERT_TRUE(copy.CreateLike(source));
    ASSERT_TRUE(copy.Open(CWaveFile::kReadWriteDenyWrite));
    ASSERT_EQ(copy.SeekData(0), 0);
    ASSERT_EQ(source.SeekData(0), 0);
    ASSERT_TRUE(CWaveFile::CopyFrames(copy, source, 2));
    ASSERT_TRUE(copy.UpdateSizes());
    ASSERT_TRUE(copy.Close());
    const std::string out = ReadFileBytes(dir.File("copy.wav"));
    EXPECT_EQ(out.substr(44), samples.substr(0, 2u * align));
    EXPECT_EQ(GetLe32(out, 40), 2u * align);
    EXPECT_EQ(GetLe32(out, 4), out.size() - 8);
}

TEST(WaveBlocks, CopyFramesReportsSourceEndingEarly)
{
    TempDir dir;
    CWaveFile source(dir.Write("s.wav", PcmWave(2, 44100, 16, kSamples)));
    ASSERT_TRUE(source.Open(CWaveFile::kRead));
    CWaveFile copy(dir.File("copy.wav"));
    ASSERT_TRUE(copy.CreateLike(source));
    ASSERT_TRUE(copy.Open(CWaveFile::kReadWrite));
    ASSERT_EQ(source.SeekData(0), 0);
    EXPECT_FALSE(CWaveFile::CopyFrames(copy, source, 11));
    EXPECT_EQ(source.FailureReason(), "cannot be read: the sample data ends early");
}

TEST(WaveBlocks, WriteSilenceAndUpdateSizesWithPad)
{
    TempDir dir;
    // 8-bit mono: an odd data size needs a pad byte.
    const std::string samples = Pattern(70001);
    const std::string path = dir.Write("m.wav", PcmWave(1, 22050, 8, samples));
    CWaveFile wave(path);
    ASSERT_TRUE(wave.Open(CWaveFile::kReadWrite));
    ASSERT_EQ(wave.SeekData(3), 3);
    ASSERT_TRUE(wave.WriteSilence(69990));
    ASSERT_TRUE(wave.Close());
    std::string expected = PcmWave(1, 22050, 8, samples);
    expected.replace(44 + 3, 69990, std::string(69990, '\x80')); // unsigned 8-bit silence
    EXPECT_EQ(ReadFileBytes(path), expected);

    ASSERT_TRUE(wave.Open(CWaveFile::kReadWrite));
    ASSERT_EQ(wave.Seek(44 + 5, CWaveFile::Origin::Start), 49);
    ASSERT_TRUE(wave.UpdateSizes());
    ASSERT_TRUE(wave.Close());
    const std::string shortened = ReadFileBytes(path);
    EXPECT_EQ(GetLe32(shortened, 40), 5u);
    EXPECT_EQ(shortened[49], '\0'); // the pad byte
    EXPECT_EQ(GetLe32(shortened, 4), 4u + 24u + 8u + 6u);
}

} // namespace
