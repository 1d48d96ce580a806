#include "audio/CPeaks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <regex>
#include <string>
#include <thread>

#include "audio/CDecodedPcmSource.h"
#include "audio/CPeakCache.h"
#include "audio/CWaveFile.h"
#include "audio/CWavePcmSource.h"
#include "audio/WaveFixtures.h"
#include "support/TempDir.h"

using namespace wavetest;

namespace {

struct Generated {
    const char* name;
    const char* format; // sox output options
    std::uint32_t rate;
    std::uint16_t channels;
};

void PrintTo(const Generated& g, std::ostream* os) { *os << g.name; }

// sox stat's extremes of one channel over [first, first + count) frames.
bool SoxExtremes(const std::string& file, std::uint64_t first, std::uint64_t count, int channel, double& min,
                 double& max)
{
    std::string out;
    const std::string command = "sox -V1 " + Quote(file) + " -n trim " + std::to_string(first) + "s "
        + std::to_string(count) + "s remix " + std::to_string(channel + 1) + " stat 2>&1";
    if (Run(command, &out) != 0)
        return false;
    std::smatch m;
    const std::regex maxLine(R"(Maximum amplitude:\s+(-?[0-9.]+))");
    const std::regex minLine(R"(Minimum amplitude:\s+(-?[0-9.]+))");
    if (!std::regex_search(out, m, maxLine))
        return false;
    max = std::stod(m[1]);
    if (!std::regex_search(out, m, minLine))
        return false;
    min = std::stod(m[1]);
    return true;
}

class PeaksAgainstSox : public testing::TestWithParam<Generated> {};

TEST_P(PeaksAgainstSox, EveryColumnHoldsSoxExtremes)
{
    const std::string problem = SoxProblem();
    ASSERT_TRUE(problem.empty()) << problem;
    const Generated& g = GetParam();
    TempDir dir;
    const std::string file = dir.File("g.wav");
    // Noise under a fade: the extremes differ from one CD frame to the
    // next, so a column that reads the wrong frames shows it.
    ASSERT_EQ(wavetest::Run("sox -V1 -n " + std::string(g.format) + " " + Quote(file)
                  + " synth 4 whitenoise vol 0.7 fade t 1.5 4 1.2"),
              0);

    std::string reason;
    auto source = CWavePcmSource::Open(file, reason);
    ASSERT_TRUE(source) << reason;
    ASSERT_EQ(source->SampleRate(), g.rate);
    ASSERT_EQ(source->Channels(), g.channels);
    CPeaks peaks;
    std::atomic<bool> cancel{false};
    std::atomic<int> permille{0};
    ASSERT_EQ(CPeaks::Compute(*source, peaks, cancel, &permille, reason), CPeaks::Result::Done) << reason;
    EXPECT_EQ(permille.load(), 1000);
    EXPECT_EQ(peaks.FrameCount(), std::uint64_t{g.rate} * 4);
    EXPECT_EQ(peaks.BinCount(), 300u);
    EXPECT_EQ(peaks.FrameOfBin(peaks.BinCount()), peaks.FrameCount());

    // Columns as the panel draws them: one CD frame, a few, many; at the
    // start, in the fade and at the very end.
    struct Column {
        std::size_t first;
        std::size_t end;
    };
    const Column columns[] = {{0, 1}, {1, 2}, {37, 38}, {74, 75}, {75, 76}, {100, 107},
                              {150, 190}, {200, 201}, {263, 264}, {299, 300}, {280, 300}, {0, 300}};
    // sox prints six decimals; the pairs are rounded outwards to 1/32768.
    const double tolerance = 1.0 / 32768 + 1e-6;
    for (const Column& col : columns) {
        const std::uint64_t first = peaks.FrameOfBin(col.first);
        const std::uint64_t count = peaks.FrameOfBin(col.end) - first;
        double mixedMin = 1, mixedMax = -1;
        for (int c = 0; c < g.channels; ++c) {
            double min = 0, max = 0;
            ASSERT_TRUE(SoxExtremes(file, first, count, c, min, max));
            const CPeaks::Pair p = peaks.Range(col.first, col.end, c);
            EXPECT_NEAR(CPeaks::ToFloat(p.min), min, tolerance) << "column " << col.first << " channel " << c;
            EXPECT_NEAR(CPeaks::ToFloat(p.max), max, tolerance) << "column " << col.first << " channel " << c;
            EXPECT_LE(CPeaks::ToFloat(p.min), min + 1e-6);
            // The largest pair value is 32767/32768.
            EXPECT_GE(CPeaks::ToFloat(p.max), std::min(max, 32767.0 / 32768) - 1e-6);
            mixedMin = std::min(mixedMin, min);
            mixedMax = std::max(mixedMax, max);
        }
        const CPeaks::Pair mixed = peaks.Range(col.first, col.end, CPeaks::kMixed);
        EXPECT_NEAR(CPeaks::ToFloat(mixed.min), mixedMin, tolerance);
        EXPECT_NEAR(CPeaks::ToFloat(mixed.max), mixedMax, tolerance);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, PeaksAgainstSox,
                         testing::Values(Generated{"s16_mono_44100", "-r 44100 -c 1 -b 16", 44100, 1},
                                         Generated{"s16_stereo_44100", "-r 44100 -c 2 -b 16", 44100, 2},
                                         Generated{"u8_mono_22050", "-r 22050 -c 1 -b 8", 22050, 1},
                                         Generated{"s24_stereo_48000", "-r 48000 -c 2 -b 24", 48000, 2},
                                         Generated{"s32_stereo_44100", "-r 44100 -c 2 -b 32", 44100, 2},
                                         Generated{"f32_stereo_44100", "-r 44100 -c 2 -b 32 -e floating-point",
                                                   44100, 2},
                                         // 8000 is no multiple of 75: bins of 106 and 107 frames.
                                         Generated{"s16_three_channels_8000", "-r 8000 -c 3 -b 16", 8000, 3}),
                         [](const testing::TestParamInfo<Generated>& param) { return std::string(param.param.name); });

std::string MakeWave(const TempDir& dir, const char* name, const char* synth)
{
    const std::string file = dir.File(name);
    EXPECT_EQ(wavetest::Run("sox -V1 -n -r 44100 -c 2 -b 16 " + Quote(file) + " " + synth), 0);
    return file;
}

CPeaks PeaksOf(const std::string& file)
{
    std::string reason;
    auto source = CWavePcmSource::Open(file, reason);
    EXPECT_TRUE(source) << reason;
    CPeaks peaks;
    std::atomic<bool> cancel{false};
    if (source) {
        EXPECT_EQ(CPeaks::Compute(*source, peaks, cancel, nullptr, reason), CPeaks::Result::Done);
    }
    return peaks;
}

TEST(Peaks, SilencesAreTheQuietRunsLongEnough)
{
    TempDir dir;
    // 1 s of tone, 2 s of silence, 1 s of tone, 0.2 s of silence, 1 s of tone.
    const std::string file = MakeWave(dir, "s.wav",
                                      "synth 1 sine 440 vol 0.5 pad 0 2 : synth 1 sine 440 vol 0.5 pad 0 0.2 : "
                                      "synth 1 sine 440 vol 0.5");
    const CPeaks peaks = PeaksOf(file);
    ASSERT_EQ(peaks.BinCount(), 390u);
    const auto long_ = peaks.Silences(0.01, 75);
    ASSERT_EQ(long_.size(), 1u);
    EXPECT_EQ(long_[0].first, 75u);
    EXPECT_EQ(long_[0].second, 225u);
    const auto all = peaks.Silences(0.01, 10);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1].first, 300u);
    EXPECT_EQ(all[1].second, 315u);
    // A level above the tone makes all of it one silence.
    EXPECT_EQ(peaks.Silences(0.6, 75).size(), 1u);
    EXPECT_EQ(peaks.Silences(0.6, 75)[0].second, 390u);
}

TEST(Peaks, ComputeStopsWhenCancelled)
{
    TempDir dir;
    const std::string file = MakeWave(dir, "c.wav", "synth 10 sine 440");
    std::string reason;
    auto source = CWavePcmSource::Open(file, reason);
    ASSERT_TRUE(source);
    CPeaks peaks;
    std::atomic<bool> cancel{true};
    EXPECT_EQ(CPeaks::Compute(*source, peaks, cancel, nullptr, reason), CPeaks::Result::Cancelled);
}

TEST(WavePcmSource, RefusesSamplesItCannotRead)
{
    TempDir dir;
    const std::string alaw = dir.File("a.wav");
    ASSERT_EQ(wavetest::Run("sox -V1 -n -r 8000 -c 1 -e a-law " + Quote(alaw) + " synth 1 sine 440"), 0);
    std::string reason;
    EXPECT_FALSE(CWavePcmSource::Open(alaw, reason));
    EXPECT_NE(reason.find("not PCM"), std::string::npos) << reason;
    reason.clear();
    EXPECT_FALSE(CWavePcmSource::Open(dir.Write("x.wav", "not a wave file"), reason));
    EXPECT_FALSE(reason.empty());
    // Samples that end before the file says they do.
    std::string bytes = PcmWave(2, 44100, 16, Pattern(4000));
    bytes.resize(bytes.size() - 1000);
    reason.clear();
    EXPECT_FALSE(CWavePcmSource::Open(dir.Write("cut.wav", bytes), reason));
    EXPECT_NE(reason.find("past the end"), std::string::npos) << reason;
}

TEST(PeakCache, KeepsPeaksUntilTheFileChanges)
{
    TempDir dir;
    const std::string file = MakeWave(dir, "k.wav", "synth 3 whitenoise vol 0.5");
    const CPeaks peaks = PeaksOf(file);
    const CPeakCache cache(dir.File("cache"));
    CPeaks loaded;
    EXPECT_FALSE(cache.Load(file, loaded));
    ASSERT_TRUE(cache.Store(file, peaks));
    ASSERT_TRUE(cache.Load(file, loaded));
    EXPECT_EQ(loaded.SampleRate(), peaks.SampleRate());
    EXPECT_EQ(loaded.Channels(), peaks.Channels());
    EXPECT_EQ(loaded.FrameCount(), peaks.FrameCount());
    EXPECT_EQ(loaded.Pairs(), peaks.Pairs());
    // No temporary file is left beside the entry.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("cache")),
                            std::filesystem::directory_iterator()),
              1);

    // Another file of the same length in its place makes the entry stale.
    const std::string other = MakeWave(dir, "o.wav", "synth 3 sine 440");
    std::filesystem::rename(other, file);
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(5));
    EXPECT_FALSE(cache.Load(file, loaded));
}

TEST(PeakCache, DropsTheEntriesUsedLeastLatelyWhenFull)
{
    TempDir dir;
    const std::string a = MakeWave(dir, "a.wav", "synth 2 sine 440");
    const std::string b = MakeWave(dir, "b.wav", "synth 2 sine 440");
    const std::string c = MakeWave(dir, "c.wav", "synth 2 sine 440");
    const CPeaks peaks = PeaksOf(a);
    // Room for two entries of these.
    const CPeakCache probe(dir.File("probe"));
    ASSERT_TRUE(probe.Store(a, peaks));
    const std::uintmax_t entry = std::filesystem::file_size(probe.EntryPath(a));
    const CPeakCache cache(dir.File("cache"), entry * 2 + entry / 2);
    ASSERT_TRUE(cache.Store(a, peaks));
    ASSERT_TRUE(cache.Store(b, peaks));
    const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(cache.EntryPath(a), past);
    std::filesystem::last_write_time(cache.EntryPath(b), past - std::chrono::hours(1));
    // Reading a makes it the one used last.
    CPeaks loaded;
    ASSERT_TRUE(cache.Load(a, loaded));
    ASSERT_TRUE(cache.Store(c, peaks));
    EXPECT_TRUE(cache.Load(a, loaded));
    EXPECT_FALSE(cache.Load(b, loaded));
    EXPECT_TRUE(cache.Load(c, loaded));
}

TEST(PeakCache, RefusesABrokenEntry)
{
    TempDir dir;
    const std::string file = MakeWave(dir, "b.wav", "synth 1 sine 440");
    const CPeakCache cache(dir.File("cache"));
    ASSERT_TRUE(cache.Store(file, PeaksOf(file)));
    std::string entry = ReadFileBytes(cache.EntryPath(file));
    entry.resize(entry.size() - 3);
    dir.Write("cache/" + std::filesystem::path(cache.EntryPath(file)).filename().string(), entry);
    CPeaks loaded;
    EXPECT_FALSE(cache.Load(file, loaded));
    EXPECT_TRUE(loaded.IsEmpty());
}

} // namespace

// A lossless copy read through the decoder gives the very peaks of the wave
// file it was made from; a plain wave file takes the direct path.
class PeaksThroughTheDecoder : public testing::TestWithParam<const char*> {};

TEST_P(PeaksThroughTheDecoder, EqualThoseOfTheWaveFile)
{
    const std::string problem = SoxProblem();
    ASSERT_TRUE(problem.empty()) << problem;
    TempDir dir;
    const std::string wave = dir.File("g.wav");
    const std::string copy = dir.File(std::string("g.") + GetParam());
    ASSERT_EQ(wavetest::Run("sox -V1 -n -r 44100 -c 2 -b 16 " + Quote(wave) + " synth 3 whitenoise vol 0.6 fade t 1 3 1"), 0);
    // An .m4a file would be AAC unless told to be ALAC.
    const std::string codec = std::string(GetParam()) == "m4a" ? " -c:a alac " : " ";
    ASSERT_EQ(wavetest::Run("ffmpeg -v error -y -i " + Quote(wave) + codec + Quote(copy)), 0);

    std::string reason;
    auto direct = OpenPcmSource(wave, reason);
    ASSERT_TRUE(direct) << reason;
    EXPECT_TRUE(dynamic_cast<CWavePcmSource*>(direct.get()));
    auto decoded = OpenPcmSource(copy, reason);
    ASSERT_TRUE(decoded) << reason;
    EXPECT_TRUE(dynamic_cast<CDecodedPcmSource*>(decoded.get()));
    ASSERT_EQ(decoded->FrameCount(), direct->FrameCount());

    CPeaks fromWave, fromCopy;
    std::atomic<bool> cancel{false};
    ASSERT_EQ(CPeaks::Compute(*direct, fromWave, cancel, nullptr, reason), CPeaks::Result::Done) << reason;
    ASSERT_EQ(CPeaks::Compute(*decoded, fromCopy, cancel, nullptr, reason), CPeaks::Result::Done) << reason;
    ASSERT_EQ(fromCopy.BinCount(), fromWave.BinCount());
    for (std::size_t bin = 0; bin < fromWave.BinCount(); ++bin) {
        for (std::uint16_t channel = 0; channel < 2; ++channel)
            ASSERT_EQ(fromCopy.At(bin, channel), fromWave.At(bin, channel)) << "bin " << bin;
    }
}

INSTANTIATE_TEST_SUITE_P(Lossless, PeaksThroughTheDecoder, testing::Values("flac", "wv", "m4a", "aiff"));

TEST(PcmSource, RefusesWhatIsNoAudioFileBeforeOpeningIt)
{
    TempDir dir;
    const std::string fifo = dir.File("fifo.wav");
    ASSERT_EQ(wavetest::Run("mkfifo " + Quote(fifo)), 0);
    std::string reason;
    // A FIFO would block the open until something writes to it.
    EXPECT_FALSE(OpenPcmSource(fifo, reason));
    EXPECT_EQ(reason, "not a regular file");
    EXPECT_FALSE(OpenPcmSource(dir.Path().string(), reason));
    EXPECT_EQ(reason, "a folder, not an audio file");
    EXPECT_FALSE(OpenPcmSource(dir.File("missing.flac"), reason));
    EXPECT_EQ(reason, "no such file");
}
