#include "player/CWavePlayer.h"

#include "model/TextUtil.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include <sys/stat.h>

#include <QCoreApplication>

#include "audio/CAudioDecoder.h"
#include "player/CSdlAudioSink.h"
#include "audio/CWaveFile.h"
#include "platform/CPrompts.h"

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
// Sample frames read from the file at a time.
constexpr std::uint32_t kChunkFrames = 4096;
// The file's read position is not known: the next read seeks first.
constexpr std::uint64_t kUnknownFrame = std::numeric_limits<std::uint64_t>::max();

const char* const kPlayable =
    "Tracksmith plays 8-, 16-, 24- and 32-bit integer and 32-bit floating-point PCM.";

// Only regular files: a FIFO, a device or a socket would block the open or
// never end. Empty when the path may be opened.
std::string SpecialFileReason(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? "no such file" : std::string();
    if (S_ISDIR(info.st_mode))
        return "a folder, not an audio file";
    if (!S_ISREG(info.st_mode))
        return "not a regular file";
    return {};
}

std::string Thousands(std::uint64_t value)
{
    std::string digits = std::to_string(value);
    for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

// 24-bit little-endian samples to 32-bit ones, the low byte zero.
void Widen24(const std::uint8_t* in, std::uint8_t* out, std::size_t samples)
{
    for (std::size_t i = 0; i < samples; ++i, in += 3, out += 4) {
        out[0] = 0;
        out[1] = in[0];
        out[2] = in[1];
        out[3] = in[2];
    }
}

} // namespace

CWavePlayer::CWavePlayer(std::string path, AudioSinkFactory sinkFactory, QObject* parent)
    : QObject(parent)
    , m_path(std::move(path))
    , m_sinkFactory(std::move(sinkFactory))
{
    m_timer.setInterval(kReportInterval);
    connect(&m_timer, &QTimer::timeout, this, &CWavePlayer::Poll);
}

CWavePlayer::~CWavePlayer() { Close(); }

bool CWavePlayer::PlayableFormat(const CWaveFile& wave, AudioFormat& format, bool& widen24, std::string& reason)
{
    const std::uint16_t stored = wave.FormatTag();
    const std::uint16_t tag = stored == CWaveFile::kFormatExtensible ? wave.SubFormatTag() : stored;
    const std::uint16_t bits = wave.BitsPerSample();
    const std::uint16_t channels = wave.Channels();
    widen24 = false;
    if (tag == kFormatPcm) {
        switch (bits) {
        case 8: format.type = SampleType::U8; break;
        case 16: format.type = SampleType::S16; break;
        case 24:
            format.type = SampleType::S32;
            widen24 = true;
            break;
        case 32: format.type = SampleType::S32; break;
        default:
            reason = "its samples are " + std::to_string(bits) + "-bit integers. " + kPlayable;
            return false;
        }
    } else if (tag == kFormatFloat) {
        if (bits != 32) {
            reason = "its samples are " + std::to_string(bits) + "-bit floating-point numbers. " + kPlayable;
            return false;
        }
        format.type = SampleType::F32;
    } else {
        reason = "its samples are not PCM (format tag " + std::to_string(tag != 0 ? tag : stored) + "). " + kPlayable;
        return false;
    }
    if (channels == 0) {
        reason = "it has no channels.";
        return false;
    }
    if (wave.SamplesPerSecond() == 0) {
        reason = "its sample rate is 0.";
        return false;
    }
    if (channels > CAudioDecoder::kMaxChannels) {
        reason = "it has " + std::to_string(channels) + " channels; audio has at most " +
                 std::to_string(CAudioDecoder::kMaxChannels) + ".";
        return false;
    }
    if (wave.SamplesPerSecond() < CAudioDecoder::kMinRate || wave.SamplesPerSecond() > CAudioDecoder::kMaxRate) {
        reason = "its sample rate of " + Thousands(wave.SamplesPerSecond()) + " Hz lies outside the " +
                 Thousands(CAudioDecoder::kMinRate) + " to " + Thousands(CAudioDecoder::kMaxRate) +
                 " Hz of real audio.";
        return false;
    }
    if (wave.BlockAlign() != static_cast<std::uint32_t>(channels) * (bits / 8)) {
        reason = "its block alignment of " + std::to_string(wave.BlockAlign()) + " bytes does not fit " +
                 std::to_string(channels) + " channels of " + std::to_string(bits) + " bits.";
        return false;
    }
    format.rate = wave.SamplesPerSecond();
    format.channels = channels;
    return true;
}

bool CWavePlayer::Open() { return OpenSource(false); }

bool CWavePlayer::OpenQuietly() { return OpenSource(true); }

bool CWavePlayer::OpenSource(bool quiet)
{
    if (IsOpen())
        return true;
    m_mode = NotReady;
    m_reason = SpecialFileReason(m_path);
    if (m_reason.empty()) {
        // Plain PCM wave files play from their own samples; everything else
        // goes through the decoder.
        auto wave = std::make_unique<CWaveFile>(m_path);
        std::string waveReason;
        if (wave->Open(CWaveFile::kRead)) {
            if (PlayableFormat(*wave, m_format, m_widen24, waveReason)) {
                m_frameCount = wave->FrameCount();
                m_blockAlign = wave->BlockAlign();
                m_wave = std::move(wave);
            } else {
                wave->Close();
            }
        }
        // A wave file's own verdict on formats no audio has stands.
        const bool refused = waveReason.find(" Hz of real audio") != std::string::npos ||
                             waveReason.find(" channels; audio has") != std::string::npos;
        if (!m_wave && !refused) {
            auto decoder = std::make_unique<CAudioDecoder>();
            if (decoder->Open(m_path)) {
                m_format.type = decoder->OutputType();
                m_format.rate = decoder->SampleRate();
                m_format.channels = decoder->Channels();
                m_widen24 = false;
                m_frameCount = decoder->FrameCount();
                m_blockAlign = static_cast<std::uint32_t>(decoder->OutputFrameBytes());
                m_decoder = std::move(decoder);
            } else {
                // What the wave parse says of a RIFF wave file is more
                // telling than that it is not audio.
                m_reason = decoder->FailureReason();
                if (m_reason == "not an audio file" && !waveReason.empty())
                    m_reason = waveReason.substr(0, waveReason.size() - 1);
            }
        } else if (refused) {
            m_reason = waveReason.substr(0, waveReason.size() - 1);
        }
    }
    if (!m_wave && !m_decoder) {
        if (!quiet)
            ReportError(ts::Quoted(m_path) + " cannot be played: " + m_reason + ".");
        return false;
    }
    m_reason.clear();
    m_outFrameBytes = m_widen24 ? m_format.channels * 4u : m_blockAlign;
    m_scratch.assign(m_widen24 ? std::size_t{kChunkFrames} * m_blockAlign : 0, 0);
    m_fileFrame = kUnknownFrame;
    m_failed = false;
    m_open = true;
    m_paused = false;
    m_reported = false;
    OnMode(Stopped);
    Rewind();
    return true;
}

void CWavePlayer::Close()
{
    if (!m_open)
        return;
    // Stopped without a report: the listener may already show the next
    // file's position.
    StopOutput();
    // The output finishes closing on its own; it pulls nothing more.
    m_sink.reset();
    if (m_wave)
        m_wave->Close();
    m_wave.reset();
    m_decoder.reset();
    m_open = false;
    m_paused = false;
    m_mode = NotReady;
}

int CWavePlayer::GetMode() const
{
    if (!m_open)
        return NotReady;
    if (m_paused)
        return Paused;
    return m_mode;
}

bool CWavePlayer::IsReady() const
{
    const int mode = GetMode();
    return m_open && mode != NotReady && mode != OpenMode;
}

bool CWavePlayer::IsPlaying() const { return m_open && GetMode() == Playing; }

bool CWavePlayer::IsStopped() const { return m_open && GetMode() == Stopped; }

bool CWavePlayer::IsPaused() const { return m_open && m_paused; }

void CWavePlayer::Play()
{
    if (!IsReady() || !EnsureOutput())
        return;
    m_paused = false;
    StartOutput();
    OnMode(Playing);
}

void CWavePlayer::Pause()
{
    if (!IsReady())
        return;
    if (IsPlaying()) {
        m_paused = true;
        StopOutput();
        Poll();
    } else if (m_paused) {
        if (!EnsureOutput())
            return;
        m_paused = false;
        StartOutput();
        OnMode(Playing);
    }
}

bool CWavePlayer::Stop()
{
    if (!IsReady())
        return false;
    if (IsStopped())
        return true;
    m_paused = false;
    StopOutput();
    Rewind();
    OnMode(Stopped);
    Poll();
    return true;
}

void CWavePlayer::Seek(const CCueTime& position)
{
    if (!IsReady())
        return;
    if (IsPlaying()) {
        PlayFrom(position);
        OnMode(Playing);
        return;
    }
    const std::uint64_t frame = FrameAt(position);
    SetReadFrame(frame);
    OnPosition(frame < m_frameCount ? position : GetLength());
}

bool CWavePlayer::PlayFrom(const CCueTime& position)
{
    if (!IsReady())
        return false;
    const std::uint64_t frame = FrameAt(position);
    SetReadFrame(frame);
    if (!EnsureOutput())
        return false;
    m_paused = false;
    StartOutput();
    OnMode(Playing);
    OnPosition(frame < m_frameCount ? position : GetLength());
    return true;
}

bool CWavePlayer::Rewind()
{
    if (!m_open)
        return false;
    SetReadFrame(0);
    return true;
}

CCueTime CWavePlayer::GetPosition() const
{
    if (!m_open)
        return CCueTime();
    return CCueTime::FromMilliseconds(MillisecondsAt(m_nextFrame.load(std::memory_order_acquire)));
}

CCueTime CWavePlayer::GetLength() const
{
    if (!m_open)
        return CCueTime();
    return CCueTime::FromMilliseconds(MillisecondsAt(m_frameCount));
}

void CWavePlayer::SetPositionListener(PositionListener listener) { m_listener = std::move(listener); }

void CWavePlayer::Poll()
{
    if (!m_open)
        return;
    if (m_failed.load(std::memory_order_acquire)) {
        // Stopping first: no pull can fail again behind our back.
        StopOutput();
        m_failed = false;
        std::string failure;
        {
            const std::lock_guard lock(m_failureLock);
            failure.swap(m_failure);
        }
        m_paused = false;
        OnMode(Stopped);
        ReportError(ts::Quoted(m_path) + " " + failure);
    } else if (IsPlaying() && m_ended.load(std::memory_order_acquire)) {
        // The end of the file: stopped where it is, not rewound.
        StopOutput();
        OnMode(Stopped);
    }
    const std::uint32_t ms = MillisecondsAt(m_nextFrame.load(std::memory_order_acquire));
    if (!m_reported || ms != m_lastReported)
        OnPosition(CCueTime::FromMilliseconds(ms));
}

void CWavePlayer::OnPosition(const CCueTime& position)
{
    m_lastReported = position.Milliseconds();
    m_reported = true;
    if (m_listener)
        m_listener(position);
}

void CWavePlayer::OnMode(int mode) { m_mode = TranslateMode(mode); }

bool CWavePlayer::EnsureOutput()
{
    if (m_sink && m_sink->IsOpen())
        return true;
    m_sink = m_sinkFactory ? m_sinkFactory() : std::make_unique<CSdlAudioSink>();
    std::string error;
    if (!m_sink || !m_sink->Open(m_format, [this](std::uint8_t* out, std::size_t bytes) { Fill(out, bytes); }, error)) {
        m_sink.reset();
        ReportError(ts::Quoted(m_path) + " cannot be played: the sound output cannot be opened: " + error);
        return false;
    }
    return true;
}

void CWavePlayer::StartOutput()
{
    m_sink->SetRunning(true);
    m_timer.start();
}

void CWavePlayer::StopOutput()
{
    if (m_sink)
        m_sink->SetRunning(false);
    m_timer.stop();
}

void CWavePlayer::SetReadFrame(std::uint64_t frame)
{
    if (m_sink)
        m_sink->Lock();
    m_nextFrame.store(frame, std::memory_order_release);
    m_ended.store(false, std::memory_order_release);
    if (m_sink)
        m_sink->Unlock();
}

void CWavePlayer::ReportError(const std::string& text)
{
    // Shown from the event loop, as a device notification would be: never
    // in the middle of the caller's own work.
    auto show = [text] {
        ShowMessageBox(text, "Tracksmith", PromptButtons::Ok, PromptIcon::Information, true);
    };
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, show, Qt::QueuedConnection);
    else
        show();
}

std::uint64_t CWavePlayer::FrameAt(const CCueTime& position) const
{
    // Rounded up, so that the frame's own time reads back as the same
    // millisecond.
    const std::uint64_t frame = (std::uint64_t{position.Milliseconds()} * m_format.rate + 999) / 1000;
    return std::min<std::uint64_t>(frame, m_frameCount);
}

std::uint32_t CWavePlayer::MillisecondsAt(std::uint64_t frame) const
{
    if (m_format.rate == 0)
        return 0;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(frame * 1000 / m_format.rate,
                                                              std::numeric_limits<std::uint32_t>::max()));
}

std::int64_t CWavePlayer::ReadSource(std::uint8_t* out, std::uint64_t position, std::uint32_t frames,
                                     std::string& reason)
{
    if (m_decoder) {
        if (m_fileFrame != position && !m_decoder->Seek(position)) {
            reason = "cannot be read: " + m_decoder->FailureReason() + ".";
            return -1;
        }
        const std::int64_t got = m_decoder->Read(out, frames);
        if (got < 0)
            reason = "cannot be read: " + m_decoder->FailureReason() + ".";
        return got;
    }
    if (m_fileFrame != position && m_wave->SeekData(static_cast<std::int64_t>(position * m_blockAlign)) < 0) {
        reason = "cannot be read: its sample data cannot be reached.";
        return -1;
    }
    const std::size_t size = std::size_t{frames} * m_blockAlign;
    const std::int64_t got = m_wave->Read(m_widen24 ? m_scratch.data() : out, size);
    if (got != static_cast<std::int64_t>(size)) {
        reason = got < 0 ? "cannot be read: a read from the file failed."
                         : "cannot be read: the file ends before its sample data does.";
        return -1;
    }
    if (m_widen24)
        Widen24(m_scratch.data(), out, std::size_t{frames} * m_format.channels);
    return frames;
}

void CWavePlayer::Fill(std::uint8_t* out, std::size_t bytes)
{
    const std::size_t wanted = bytes / m_outFrameBytes;
    std::uint64_t position = m_nextFrame.load(std::memory_order_relaxed);
    std::size_t done = 0;
    bool atEnd = position >= m_frameCount;
    while (!m_failed.load(std::memory_order_relaxed) && done < wanted && !atEnd && position < m_frameCount) {
        const auto frames = static_cast<std::uint32_t>(
            std::min<std::uint64_t>({wanted - done, m_frameCount - position, kChunkFrames}));
        std::string reason;
        const std::int64_t got = ReadSource(out + done * m_outFrameBytes, position, frames, reason);
        if (got < 0) {
            m_fileFrame = kUnknownFrame;
            const std::lock_guard lock(m_failureLock);
            m_failure = std::move(reason);
            m_failed.store(true, std::memory_order_release);
            break;
        }
        position += static_cast<std::uint64_t>(got);
        m_fileFrame = position;
        done += static_cast<std::size_t>(got);
        m_nextFrame.store(position, std::memory_order_release);
        // The decoder ends where the samples do, which for a lossy file
        // may be short of the length its container gave.
        if (static_cast<std::uint64_t>(got) < frames)
            atEnd = true;
    }
    const int silence = m_format.type == SampleType::U8 ? 0x80 : 0;
    std::memset(out + done * m_outFrameBytes, silence, bytes - done * m_outFrameBytes);
    // The end is told by the first call that has nothing left to give, not
    // by the one that gave the last samples: the output may regroup what it
    // is given into buffers of its own size, and plays the last of the file
    // only when more (this silence) follows it. Stopped sooner, it would
    // cut off the end of the file.
    if (done == 0 && (atEnd || position >= m_frameCount))
        m_ended.store(true, std::memory_order_release);
}
