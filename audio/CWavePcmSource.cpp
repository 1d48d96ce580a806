#include "audio/CWavePcmSource.h"

#include "audio/CWaveFile.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;

std::int32_t Le24(const unsigned char* p)
{
    // Sign-extended from bit 23.
    const std::uint32_t u = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
    return static_cast<std::int32_t>(u << 8) >> 8;
}

} // namespace

std::unique_ptr<CWavePcmSource> CWavePcmSource::Open(const std::string& path, std::string& reason,
                                                     const FileOpener& opener)
{
    auto wave = std::make_unique<CWaveFile>(path, opener);
    if (!wave->Open(CWaveFile::kRead)) {
        reason = wave->FailureReason();
        return nullptr;
    }
    const std::uint16_t stored = wave->FormatTag();
    const std::uint16_t tag = stored == CWaveFile::kFormatExtensible ? wave->SubFormatTag() : stored;
    const std::uint16_t bits = wave->BitsPerSample();
    const std::uint16_t channels = wave->Channels();
    Encoding encoding = Encoding::S16;
    if (tag == kFormatPcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32))
        encoding = bits == 8 ? Encoding::U8 : bits == 16 ? Encoding::S16 : bits == 24 ? Encoding::S24 : Encoding::S32;
    else if (tag == kFormatFloat && bits == 32)
        encoding = Encoding::F32;
    else {
        reason = tag == kFormatPcm || tag == kFormatFloat
            ? "its samples are " + std::to_string(bits) + "-bit " + (tag == kFormatPcm ? "integers." : "floating-point numbers.")
            : "its samples are not PCM (format tag " + std::to_string(tag != 0 ? tag : stored) + ").";
        return nullptr;
    }
    if (channels == 0 || wave->SamplesPerSecond() == 0) {
        reason = channels == 0 ? "it has no channels." : "its sample rate is 0.";
        return nullptr;
    }
    if (wave->BlockAlign() != static_cast<std::uint32_t>(channels) * (bits / 8)) {
        reason = "its block alignment of " + std::to_string(wave->BlockAlign()) + " bytes does not fit "
            + std::to_string(channels) + " channels of " + std::to_string(bits) + " bits.";
        return nullptr;
    }
    if (wave->SeekData(0) < 0) {
        reason = wave->FailureReason();
        return nullptr;
    }
    return std::make_unique<CWavePcmSource>(Token{}, std::move(wave), encoding);
}

CWavePcmSource::CWavePcmSource(Token, std::unique_ptr<CWaveFile> wave, Encoding encoding)
    : m_wave(std::move(wave))
    , m_encoding(encoding)
    , m_rate(m_wave->SamplesPerSecond())
    , m_channels(m_wave->Channels())
    , m_blockAlign(m_wave->BlockAlign())
    , m_frameCount(m_wave->FrameCount())
{
}

CWavePcmSource::~CWavePcmSource()
{
    m_wave->Close();
}

std::int64_t CWavePcmSource::ReadFrames(float* out, std::size_t frames)
{
    frames = static_cast<std::size_t>(std::min<std::uint64_t>(frames, m_frameCount - m_nextFrame));
    if (frames == 0)
        return 0;
    const std::size_t bytes = frames * m_blockAlign;
    m_raw.resize(bytes);
    const std::int64_t got = m_wave->Read(m_raw.data(), bytes);
    if (got < 0) {
        m_reason = m_wave->FailureReason();
        return -1;
    }
    // A file cut short ends at its last whole frame.
    frames = static_cast<std::size_t>(got) / m_blockAlign;
    const std::size_t samples = frames * m_channels;
    const unsigned char* p = m_raw.data();
    switch (m_encoding) {
    case Encoding::U8:
        for (std::size_t i = 0; i < samples; ++i)
            out[i] = (static_cast<float>(p[i]) - 128.0f) / 128.0f;
        break;
    case Encoding::S16:
        for (std::size_t i = 0; i < samples; ++i, p += 2) {
            const auto v = static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
            out[i] = static_cast<float>(v) / 32768.0f;
        }
        break;
    case Encoding::S24:
        for (std::size_t i = 0; i < samples; ++i, p += 3)
            out[i] = static_cast<float>(Le24(p)) / 8388608.0f;
        break;
    case Encoding::S32:
        for (std::size_t i = 0; i < samples; ++i, p += 4) {
            const std::uint32_t u = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16)
                | (std::uint32_t{p[3]} << 24);
            out[i] = static_cast<float>(static_cast<double>(static_cast<std::int32_t>(u)) / 2147483648.0);
        }
        break;
    case Encoding::F32:
        // Wave files are little-endian, as are the machines we build for.
        std::memcpy(out, p, samples * sizeof(float));
        break;
    }
    m_nextFrame += frames;
    if (frames == 0 && bytes > 0) {
        m_reason = "the file ends before its sample data does.";
        m_nextFrame = m_frameCount;
    }
    return static_cast<std::int64_t>(frames);
}
