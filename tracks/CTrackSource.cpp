#include "tracks/CTrackSource.h"

#include <algorithm>
#include <vector>

#include "audio/CAudioDecoder.h"

namespace {

constexpr std::size_t kBlockFrames = 16384;

} // namespace

CTrackSource::CTrackSource()
    : m_decoder(std::make_unique<CAudioDecoder>())
{
}

CTrackSource::~CTrackSource() = default;

bool CTrackSource::Open(const std::string& path)
{
    m_reason.clear();
    if (!m_decoder->Open(path)) {
        m_reason = m_decoder->FailureReason();
        return false;
    }
    return true;
}

std::uint32_t CTrackSource::SampleRate() const { return m_decoder->SampleRate(); }
std::uint16_t CTrackSource::Channels() const { return m_decoder->Channels(); }
std::uint64_t CTrackSource::FrameCount() const { return m_decoder->FrameCount(); }
SampleType CTrackSource::Type() const { return m_decoder->OutputType(); }
std::size_t CTrackSource::FrameBytes() const { return m_decoder->OutputFrameBytes(); }

bool CTrackSource::Read(std::uint64_t begin, std::uint64_t end, const Sink& sink)
{
    m_reason.clear();
    if (begin >= end)
        return true;
    if (!m_decoder->Seek(begin)) {
        m_reason = m_decoder->FailureReason();
        return false;
    }
    std::vector<std::uint8_t> block(kBlockFrames * m_decoder->OutputFrameBytes());
    std::uint64_t at = begin;
    while (at < end) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockFrames, end - at));
        const std::int64_t got = m_decoder->Read(block.data(), want);
        if (got < 0) {
            m_reason = m_decoder->FailureReason();
            return false;
        }
        if (got == 0) {
            m_reason = "ends before the sheet says it does";
            return false;
        }
        if (!sink(block.data(), static_cast<std::size_t>(got)))
            return false;
        at += static_cast<std::uint64_t>(got);
    }
    return true;
}
