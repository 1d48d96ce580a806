#include "audio/CDecodedPcmSource.h"

#include "audio/CAudioDecoder.h"
#include "audio/CWavePcmSource.h"

CDecodedPcmSource::CDecodedPcmSource(std::unique_ptr<CAudioDecoder> decoder)
    : m_decoder(std::move(decoder))
{
}

CDecodedPcmSource::~CDecodedPcmSource() = default;

std::uint32_t CDecodedPcmSource::SampleRate() const { return m_decoder->SampleRate(); }

std::uint16_t CDecodedPcmSource::Channels() const { return m_decoder->Channels(); }

std::uint64_t CDecodedPcmSource::FrameCount() const { return m_decoder->FrameCount(); }

std::int64_t CDecodedPcmSource::ReadFrames(float* out, std::size_t frames)
{
    return m_decoder->ReadFloat(out, frames);
}

const std::string& CDecodedPcmSource::FailureReason() const { return m_decoder->FailureReason(); }

std::unique_ptr<IPcmSource> OpenPcmSource(const std::string& path, std::string& reason)
{
    reason = CAudioDecoder::PathRefusal(path);
    if (!reason.empty())
        return nullptr;
    std::string waveReason;
    if (auto wave = CWavePcmSource::Open(path, waveReason))
        return wave;
    auto decoder = std::make_unique<CAudioDecoder>();
    if (!decoder->Open(path)) {
        reason = decoder->FailureReason();
        return nullptr;
    }
    return std::make_unique<CDecodedPcmSource>(std::move(decoder));
}
