#pragma once

#include "audio/IPcmSource.h"
#include "platform/CFileDevice.h"

#include <memory>
#include <string>
#include <vector>

class CWaveFile;

// The samples of a PCM wave file (8-, 16-, 24- and 32-bit integers, 32-bit
// floats) as float frames.
class CWavePcmSource final : public IPcmSource
{
public:
    // Null with the reason when the file does not open, does not parse or
    // holds samples of another kind.
    static std::unique_ptr<CWavePcmSource> Open(const std::string& path, std::string& reason,
                                                const FileOpener& opener = {});

private:
    // Only Open makes one.
    struct Token {
        explicit Token() = default;
    };
    enum class Encoding { U8, S16, S24, S32, F32 };

public:
    CWavePcmSource(Token, std::unique_ptr<CWaveFile> wave, Encoding encoding);
    ~CWavePcmSource() override;
    CWavePcmSource(const CWavePcmSource&) = delete;
    CWavePcmSource& operator=(const CWavePcmSource&) = delete;

    std::uint32_t SampleRate() const override { return m_rate; }
    std::uint16_t Channels() const override { return m_channels; }
    std::uint64_t FrameCount() const override { return m_frameCount; }
    std::int64_t ReadFrames(float* out, std::size_t frames) override;
    const std::string& FailureReason() const override { return m_reason; }

private:
    std::unique_ptr<CWaveFile> m_wave;
    Encoding m_encoding;
    std::uint32_t m_rate = 0;
    std::uint16_t m_channels = 0;
    std::uint32_t m_blockAlign = 0;
    std::uint64_t m_frameCount = 0;
    std::uint64_t m_nextFrame = 0;
    std::vector<unsigned char> m_raw;
    std::string m_reason;
};
