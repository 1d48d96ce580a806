#include "tracks/CTrackSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "audio/CAudioDecoder.h"
#include "audio/CWaveHeader.h"

namespace {

constexpr std::size_t kBlockFrames = 16384;
// Raw CD audio: 16-bit stereo at 44.1 kHz.
constexpr std::uint32_t kCdRate = 44100;
constexpr std::uint16_t kCdChannels = 2;
constexpr std::size_t kCdFrameBytes = 4;

} // namespace

CTrackSource::CTrackSource()
    : m_decoder(std::make_unique<CAudioDecoder>())
{
}

CTrackSource::~CTrackSource()
{
    if (m_rawFile >= 0)
        close(m_rawFile);
}

bool CTrackSource::Open(const std::string& path)
{
    m_reason.clear();
    if (m_rawFile >= 0) {
        close(m_rawFile);
        m_rawFile = -1;
    }
    m_headerFrames = 0;
    // A wave file's header is checked here, for every command that reads
    // a sheet's audio this way, so that join and export take and refuse
    // the same files with the same reason.
    CWaveHeader header;
    const CWaveHeader::Verdict verdict = header.Read(path);
    if (verdict == CWaveHeader::Verdict::Refused) {
        m_reason = header.FailureReason();
        return false;
    }
    if (!m_decoder->Open(path)) {
        m_reason = m_decoder->FailureReason();
        return false;
    }
    if (verdict == CWaveHeader::Verdict::Accepted)
        m_headerFrames = header.FrameCount();
    return true;
}

bool CTrackSource::OpenRaw(const std::string& path, bool bigEndian)
{
    m_reason.clear();
    if (m_rawFile >= 0)
        close(m_rawFile);
    // Non-blocking, so that a FIFO given as the file does not hang the open.
    m_rawFile = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info {};
    if (m_rawFile < 0 || fstat(m_rawFile, &info) != 0 || !S_ISREG(info.st_mode)) {
        m_reason = m_rawFile < 0 ? std::strerror(errno) : std::string("it is not a regular file");
        if (m_rawFile >= 0)
            close(m_rawFile);
        m_rawFile = -1;
        return false;
    }
    m_bigEndian = bigEndian;
    m_rawFrames = static_cast<std::uint64_t>(info.st_size) / kCdFrameBytes;
    return true;
}

std::uint32_t CTrackSource::SampleRate() const { return m_rawFile >= 0 ? kCdRate : m_decoder->SampleRate(); }
std::uint16_t CTrackSource::Channels() const { return m_rawFile >= 0 ? kCdChannels : m_decoder->Channels(); }
std::uint64_t CTrackSource::FrameCount() const
{
    if (m_rawFile >= 0)
        return m_rawFrames;
    // The samples a wave header counts are all there is: the decoder may
    // take a streamed header's open size for more.
    const std::uint64_t decoded = m_decoder->FrameCount();
    return m_headerFrames > 0 && m_headerFrames < decoded ? m_headerFrames : decoded;
}
SampleType CTrackSource::Type() const { return m_rawFile >= 0 ? SampleType::S16 : m_decoder->OutputType(); }
std::size_t CTrackSource::FrameBytes() const
{
    return m_rawFile >= 0 ? kCdFrameBytes : m_decoder->OutputFrameBytes();
}

bool CTrackSource::ReadRaw(std::uint64_t begin, std::uint64_t end, const Sink& sink)
{
    std::vector<std::uint8_t> block(kBlockFrames * kCdFrameBytes);
    for (std::uint64_t at = begin; at < end;) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockFrames, end - at)) * kCdFrameBytes;
        const ssize_t got = pread(m_rawFile, block.data(), want, static_cast<off_t>(at * kCdFrameBytes));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            m_reason = std::strerror(errno);
            return false;
        }
        const std::size_t frames = static_cast<std::size_t>(got) / kCdFrameBytes;
        if (frames == 0) {
            m_reason = "ends before the sheet says it does";
            return false;
        }
        // BINARY files hold the samples little-endian, as the encoders take
        // them; MOTOROLA files big-endian.
        if (m_bigEndian) {
            for (std::size_t i = 0; i + 1 < frames * kCdFrameBytes; i += 2)
                std::swap(block[i], block[i + 1]);
        }
        if (!sink(block.data(), frames))
            return false;
        at += frames;
    }
    return true;
}

bool CTrackSource::Read(std::uint64_t begin, std::uint64_t end, const Sink& sink)
{
    m_reason.clear();
    if (begin >= end)
        return true;
    if (m_rawFile >= 0)
        return ReadRaw(begin, end, sink);
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
