#include "audio/CAudioDecoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "audio/WaveFixtures.h"
#include "support/TempDir.h"

using namespace wavetest;

namespace {

const char* FfmpegFormat(SampleType type)
{
    switch (type) {
    case SampleType::U8: return "u8";
    case SampleType::S16: return "s16le";
    case SampleType::S32: return "s32le";
    case SampleType::F32: return "f32le";
    }
    return "s16le";
}

// What ffmpeg's own decode of a file gives, in the decoder's output layout.
std::string FfmpegDecode(const std::string& path, SampleType type, const std::string& options = {})
{
    std::string out;
    const std::string command = "ffmpeg -v quiet -nostdin " + options + " -i " + Quote(path) +
                                " -map 0:a:0 -f " + FfmpegFormat(type) + " -";
    return wavetest::Run(command, &out) == 0 ? out : std::string();
}

std::string ReadAll(CAudioDecoder& decoder, std::size_t chunk = 1000)
{
    std::string out;
    std::vector<std::uint8_t> buffer(chunk * decoder.OutputFrameBytes());
    for (;;) {
        const std::int64_t got = decoder.Read(buffer.data(), chunk);
        if (got <= 0)
            break;
        out.append(reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(got) * decoder.OutputFrameBytes());
    }
    return out;
}

std::string ReadFrames(CAudioDecoder& decoder, std::size_t frames)
{
    std::string out(frames * decoder.OutputFrameBytes(), '\0');
    const std::int64_t got = decoder.Read(reinterpret_cast<std::uint8_t*>(out.data()), frames);
    out.resize(got > 0 ? static_cast<std::size_t>(got) * decoder.OutputFrameBytes() : 0);
    return out;
}

struct Lossless {
    const char* name;
    const char* source;   // sox options of the source wave
    const char* encode;   // ffmpeg options of the encoded file
    const char* file;     // its name
    SampleType type;
};

std::ostream& operator<<(std::ostream& os, const Lossless& c) { return os << c.name; }

class LosslessDecode : public ::testing::TestWithParam<Lossless>
{
protected:
    void SetUp() override
    {
        const Lossless& c = GetParam();
        const std::string wave = m_dir.File("source.wav");
        ASSERT_EQ(wavetest::Run("sox -V1 -D -n " + std::string(c.source) + " " + Quote(wave) + " synth 2.5 whitenoise vol 0.7"), 0);
        m_path = m_dir.File(c.file);
        if (std::string(c.encode).empty())
            std::filesystem::copy_file(wave, m_path);
        else
            ASSERT_EQ(wavetest::Run("ffmpeg -v quiet -nostdin -i " + Quote(wave) + " " + c.encode + " " + Quote(m_path)), 0);
        m_rate = static_cast<std::uint32_t>(std::stoul(Soxi("-r", wave)));
        m_sourceFrames = std::stoull(Soxi("-s", wave));
        // A block codec pads its last block: the file holds what ffmpeg decodes.
        m_frames = FfmpegDecode(m_path, SampleType::F32).size() / 4 / std::stoul(Soxi("-c", wave));
    }
    TempDir m_dir;
    std::string m_path;
    std::uint32_t m_rate = 0;
    std::uint64_t m_frames = 0;
    std::uint64_t m_sourceFrames = 0;
};

TEST_P(LosslessDecode, GivesEverySampleAndTheExactLength)
{
    CAudioDecoder decoder;
    ASSERT_TRUE(decoder.Open(m_path)) << decoder.FailureReason();
    EXPECT_EQ(decoder.SampleRate(), m_rate);
    EXPECT_EQ(decoder.FrameCount(), m_frames);
    if (std::string(GetParam().name) != "wav_adpcm") {
        EXPECT_EQ(m_frames, m_sourceFrames);
    }
    EXPECT_EQ(decoder.OutputType(), GetParam().type);
    const std::string reference = FfmpegDecode(m_path, decoder.OutputType());
    ASSERT_EQ(reference.size(), m_frames * decoder.OutputFrameBytes());
    // Odd read sizes cross the codec's frames anywhere.
    EXPECT_TRUE(ReadAll(decoder, 777) == reference);
    EXPECT_EQ(decoder.FrameCount(), m_frames);
}

TEST_P(LosslessDecode, SeeksToTheExactSample)
{
    CAudioDecoder decoder;
    ASSERT_TRUE(decoder.Open(m_path)) << decoder.FailureReason();
    const std::string reference = FfmpegDecode(m_path, decoder.OutputType());
    const std::size_t bytes = decoder.OutputFrameBytes();
    // Forward, backward, just ahead, to the start and to the last frame.
    for (const std::uint64_t frame : {m_frames / 2 + 1, std::uint64_t{12345}, std::uint64_t{12345 + 10},
                                      m_frames - 1, std::uint64_t{0}, m_frames * 3 / 4 + 7}) {
        ASSERT_TRUE(decoder.Seek(frame)) << decoder.FailureReason();
        EXPECT_EQ(decoder.Position(), frame);
        const std::string heard = ReadFrames(decoder, 3000);
        const std::size_t expected = std::min<std::uint64_t>(3000, m_frames - frame);
        ASSERT_EQ(heard.size(), expected * bytes) << "at frame " << frame;
        EXPECT_TRUE(heard == reference.substr(frame * bytes, expected * bytes)) << "at frame " << frame;
    }
    // And the same as ffmpeg's accurate seek to a time (whose seek in
    // ADPCM wave files goes by the header's byte rate and misses).
    if (std::string(GetParam().name) == "wav_adpcm")
        return;
    ASSERT_TRUE(decoder.Seek(m_rate * 3 / 2));
    const std::string viaSeek = FfmpegDecode(m_path, decoder.OutputType(), "-ss 1.5");
    EXPECT_TRUE(ReadAll(decoder) == viaSeek);
}

TEST_P(LosslessDecode, FloatsFollowTheSamples)
{
    CAudioDecoder decoder;
    ASSERT_TRUE(decoder.Open(m_path)) << decoder.FailureReason();
    const std::string reference = FfmpegDecode(m_path, SampleType::F32);
    ASSERT_TRUE(decoder.Seek(1000));
    std::vector<float> floats(2000 * decoder.Channels());
    ASSERT_EQ(decoder.ReadFloat(floats.data(), 2000), 2000);
    std::vector<float> expected(floats.size());
    std::memcpy(expected.data(), reference.data() + 1000 * decoder.Channels() * 4, expected.size() * 4);
    for (std::size_t i = 0; i < floats.size(); ++i)
        ASSERT_NEAR(floats[i], expected[i], 1e-6) << "sample " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, LosslessDecode,
    ::testing::Values(
        Lossless{"flac16", "-r 44100 -c 2 -b 16", "-c:a flac", "a.flac", SampleType::S16},
        Lossless{"flac24at96k", "-r 96000 -c 2 -b 24", "-c:a flac", "a.flac", SampleType::S32},
        Lossless{"flac8mono", "-r 22050 -c 1 -b 16", "-c:a flac -compression_level 12", "m.flac", SampleType::S16},
        Lossless{"wavpack", "-r 44100 -c 2 -b 16", "-c:a wavpack", "a.wv", SampleType::S16},
        Lossless{"alac", "-r 48000 -c 2 -b 16", "-c:a alac", "a.m4a", SampleType::S16},
        Lossless{"aiff", "-r 44100 -c 2 -b 16", "-c:a pcm_s16be", "a.aiff", SampleType::S16},
        Lossless{"wav_s24", "-r 48000 -c 2 -b 24", "", "a.wav", SampleType::S32},
        Lossless{"wav_float", "-r 44100 -c 2 -b 32 -e floating-point", "", "a.wav", SampleType::F32},
        Lossless{"wav_double", "-r 44100 -c 2 -b 64 -e floating-point", "", "a.wav", SampleType::F32},
        Lossless{"wav_alaw", "-r 8000 -c 1 -b 16", "-c:a pcm_alaw", "a.wav", SampleType::S16},
        Lossless{"wav_mulaw", "-r 8000 -c 1 -b 16", "-c:a pcm_mulaw", "a.wav", SampleType::S16},
        Lossless{"wav_adpcm", "-r 44100 -c 2 -b 16", "-c:a adpcm_ms", "a.wav", SampleType::S16}),
    [](const ::testing::TestParamInfo<Lossless>& param) { return std::string(param.param.name); });

struct Lossy {
    const char* name;
    const char* encode;
    const char* file;
    std::uint64_t codecFrame; // samples in one codec frame
};

std::ostream& operator<<(std::ostream& os, const Lossy& c) { return os << c.name; }

class LossyDecode : public ::testing::TestWithParam<Lossy>
{
};

float MeanDifference(const std::vector<float>& a, std::size_t aFrom, const std::vector<float>& b, std::size_t bFrom,
                     std::size_t count)
{
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += std::fabs(a[aFrom + i] - b[bFrom + i]);
    return static_cast<float>(sum / static_cast<double>(count));
}

TEST_P(LossyDecode, PlaysFromTheStartAsFfmpegAndSeeksWithinACodecFrame)
{
    TempDir dir;
    const Lossy& c = GetParam();
    const std::string wave = dir.File("source.wav");
    // Noise shaped so that each stretch of it looks like no other.
    ASSERT_EQ(wavetest::Run("sox -V1 -D -n -r 48000 -c 1 -b 16 " + Quote(wave) + " synth 3 brownnoise vol 0.8"), 0);
    const std::string path = dir.File(c.file);
    ASSERT_EQ(wavetest::Run("ffmpeg -v quiet -nostdin -i " + Quote(wave) + " " + c.encode + " " + Quote(path)), 0);
    CAudioDecoder decoder;
    ASSERT_TRUE(decoder.Open(path)) << decoder.FailureReason();
    EXPECT_EQ(decoder.OutputType(), SampleType::F32);
    EXPECT_FALSE(decoder.IsLossless());
    const std::string raw = FfmpegDecode(path, SampleType::F32);
    std::vector<float> reference(raw.size() / 4);
    std::memcpy(reference.data(), raw.data(), raw.size());
    const std::uint64_t frames = reference.size() / decoder.Channels();
    EXPECT_LE(std::llabs(static_cast<long long>(decoder.FrameCount()) - static_cast<long long>(frames)),
              static_cast<long long>(c.codecFrame));
    EXPECT_TRUE(ReadAll(decoder) == raw);
    EXPECT_EQ(decoder.FrameCount(), frames);

    const std::uint64_t target = 70000;
    const std::size_t window = 4096;
    ASSERT_TRUE(decoder.Seek(target));
    std::vector<float> heard((c.codecFrame * 4 + window) * decoder.Channels());
    ASSERT_EQ(decoder.ReadFloat(heard.data(), c.codecFrame * 4 + window), static_cast<std::int64_t>(c.codecFrame * 4 + window));
    // Past the codec's warm-up, what is heard lines up with the reference
    // within one codec frame of the target.
    const std::size_t settle = c.codecFrame * 3;
    long long best = 0;
    float bestDifference = 1e9f;
    const long long reach = static_cast<long long>(c.codecFrame) * 2;
    for (long long shift = -reach; shift <= reach; ++shift) {
        const float d = MeanDifference(heard, settle, reference,
                                       static_cast<std::size_t>(static_cast<long long>(target + settle) + shift), window);
        if (d < bestDifference) {
            bestDifference = d;
            best = shift;
        }
    }
    EXPECT_LE(std::llabs(best), static_cast<long long>(c.codecFrame)) << "landed " << best << " frames off";
    EXPECT_LT(bestDifference, 0.01f);
}

INSTANTIATE_TEST_SUITE_P(Formats, LossyDecode,
                         ::testing::Values(Lossy{"mp3", "-c:a libmp3lame -b:a 192k", "a.mp3", 1152},
                                           Lossy{"vorbis", "-c:a libvorbis -q:a 6", "a.ogg", 1024},
                                           Lossy{"opus", "-c:a libopus -b:a 160k", "a.opus", 960}),
                         [](const ::testing::TestParamInfo<Lossy>& param) { return std::string(param.param.name); });

// A wave file as a pipe writes it: the RIFF and data sizes unknown.
TEST(OddWaves, SizesLeftByAPipePlayToTheEndOfTheFile)
{
    TempDir dir;
    const std::string samples = Pattern(4000 * 4);
    for (const std::uint32_t size : {0u, 0xFFFFFFFFu}) {
        const std::string body = "WAVE" + Chunk("fmt ", Fmt(1, 2, 8000, 16, 4)) + "data" + Le32(size) + samples;
        const std::string path = dir.Write("pipe.wav", "RIFF" + Le32(size) + body);
        CAudioDecoder decoder;
        ASSERT_TRUE(decoder.Open(path)) << decoder.FailureReason();
        EXPECT_EQ(decoder.FrameCount(), 4000u) << size;
        EXPECT_TRUE(ReadAll(decoder) == samples) << size;
    }
}

TEST(OddWaves, AFileCutShortEndsWhereItsSamplesDo)
{
    TempDir dir;
    const std::string whole = PcmWave(2, 8000, 16, Pattern(8000 * 4));
    const std::string path = dir.Write("cut.wav", whole.substr(0, 44 + 3000 * 4 + 2));
    CAudioDecoder decoder;
    ASSERT_TRUE(decoder.Open(path)) << decoder.FailureReason();
    EXPECT_EQ(decoder.FrameCount(), 3000u);
    EXPECT_TRUE(ReadAll(decoder) == whole.substr(44, 3000 * 4));
    ASSERT_TRUE(decoder.Seek(2500));
    EXPECT_TRUE(ReadAll(decoder) == whole.substr(44 + 2500 * 4, 500 * 4));
}

struct Refusal {
    const char* name;
    std::string reason;
};

std::ostream& operator<<(std::ostream& os, const Refusal& c) { return os << c.name; }

class Refused : public ::testing::TestWithParam<Refusal>
{
};

TEST_P(Refused, SaysWhy)
{
    TempDir dir;
    const std::string name = GetParam().name;
    std::string path = dir.File(name);
    if (name == "missing.flac") {
    } else if (name == "notes.xyz") {
        dir.Write(name, "Just some words, nothing that sounds.\n");
    } else if (name == "fifo.wav") {
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    } else if (name == "folder.wav") {
        std::filesystem::create_directory(path);
    } else if (name == "socket.wav") {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    } else if (name == "device") {
        path = "/dev/zero";
    } else if (name == "1hz.wav") {
        dir.Write(name, PcmWave(1, 1, 16, Pattern(200)));
    } else if (name == "900khz.wav") {
        dir.Write(name, PcmWave(1, 900000, 16, Pattern(2000)));
    } else if (name == "40ch.wav") {
        dir.Write(name, PcmWave(40, 8000, 16, Pattern(80 * 100)));
    } else if (name == "empty.flac") {
        dir.Write(name, "");
    }
    CAudioDecoder decoder;
    EXPECT_FALSE(decoder.Open(path));
    EXPECT_FALSE(decoder.IsOpen());
    EXPECT_EQ(decoder.FailureReason(), GetParam().reason);
    std::string reason;
    EXPECT_FALSE(CAudioDecoder::CanDecode(path, reason));
    EXPECT_EQ(reason, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Refused,
    ::testing::Values(Refusal{"missing.flac", "no such file"}, Refusal{"notes.xyz", "not an audio file"},
                      Refusal{"fifo.wav", "not a regular file"}, Refusal{"socket.wav", "not a regular file"},
                      Refusal{"device", "not a regular file"}, Refusal{"folder.wav", "a folder, not an audio file"},
                      Refusal{"empty.flac", "not an audio file"},
                      Refusal{"1hz.wav", "its sample rate of 1 Hz lies outside the 1,000 to 768,000 Hz of real audio"},
                      Refusal{"900khz.wav",
                              "its sample rate of 900,000 Hz lies outside the 1,000 to 768,000 Hz of real audio"},
                      Refusal{"40ch.wav", "it has 40 channels; audio has at most 32"}),
    [](const ::testing::TestParamInfo<Refusal>& param) {
        std::string n = param.param.name;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

} // namespace
