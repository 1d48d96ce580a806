#pragma once

#include "audio/IPcmSource.h"

#include <memory>
#include <string>

class CAudioDecoder;

// PCM frames of any file the decoder reads (FLAC, MP3, ADPCM WAV, ...), for
// the waveform's peaks.
class CDecodedPcmSource final : public IPcmSource
{
public:
    explicit CDecodedPcmSource(std::unique_ptr<CAudioDecoder> decoder);
    ~CDecodedPcmSource() override;
    CDecodedPcmSource(const CDecodedPcmSource&) = delete;
    CDecodedPcmSource& operator=(const CDecodedPcmSource&) = delete;

    std::uint32_t SampleRate() const override;
    std::uint16_t Channels() const override;
    std::uint64_t FrameCount() const override;
    std::int64_t ReadFrames(float* out, std::size_t frames) override;
    const std::string& FailureReason() const override;

private:
    std::unique_ptr<CAudioDecoder> m_decoder;
};

// The source of a file: plain PCM wave files are read directly, every other
// file through the decoder. FIFOs, devices and folders are refused before
// anything opens them. Null with the reason when the file cannot be read.
std::unique_ptr<IPcmSource> OpenPcmSource(const std::string& path, std::string& reason);
