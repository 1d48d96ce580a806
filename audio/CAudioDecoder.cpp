#include "audio/CAudioDecoder.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <mutex>

#include <sys/stat.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libavutil/error.h>
}

namespace {

// Damaged packets skipped in a row before decoding counts as failed.
constexpr int kMaxBadPackets = 64;
// A seek this close ahead of what is decoded decodes on instead.
constexpr std::uint64_t kDecodeOnSeconds = 1;

std::string WithNumber(std::uint64_t value)
{
    std::string digits = std::to_string(value);
    for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

std::string ErrorText(int error)
{
    if (error == AVERROR(ENOENT))
        return "no such file";
    if (error == AVERROR_INVALIDDATA || error == AVERROR(EINVAL))
        return "not an audio file";
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    std::string reason = text;
    if (!reason.empty())
        reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    return reason;
}

// FFmpeg reports through values here, never on standard error.
void QuietLibraries()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

SampleType OutputFor(AVSampleFormat format)
{
    switch (av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_U8: return SampleType::U8;
    case AV_SAMPLE_FMT_S16: return SampleType::S16;
    case AV_SAMPLE_FMT_S32: return SampleType::S32;
    default: return SampleType::F32;
    }
}

std::size_t SampleBytes(SampleType type)
{
    switch (type) {
    case SampleType::U8: return 1;
    case SampleType::S16: return 2;
    case SampleType::S32:
    case SampleType::F32: return 4;
    }
    return 2;
}

// One sample of a decoded frame as a float, for the sources that play as
// floating point.
float FloatSample(AVSampleFormat packed, const std::uint8_t* in)
{
    switch (packed) {
    case AV_SAMPLE_FMT_FLT: {
        float v;
        std::memcpy(&v, in, sizeof v);
        return v;
    }
    case AV_SAMPLE_FMT_DBL: {
        double v;
        std::memcpy(&v, in, sizeof v);
        return static_cast<float>(v);
    }
    case AV_SAMPLE_FMT_S64: {
        std::int64_t v;
        std::memcpy(&v, in, sizeof v);
        return static_cast<float>(static_cast<double>(v) / 9223372036854775808.0);
    }
    default: return 0.0f;
    }
}

// The frame's samples, interleaved, in the output layout.
void Interleave(const AVFrame& frame, int channels, SampleType type, std::uint8_t* out)
{
    const auto format = static_cast<AVSampleFormat>(frame.format);
    const AVSampleFormat packed = av_get_packed_sample_fmt(format);
    const bool planar = av_sample_fmt_is_planar(format) != 0;
    const auto inBytes = static_cast<std::size_t>(av_get_bytes_per_sample(packed));
    const std::size_t outBytes = SampleBytes(type);
    const auto samples = static_cast<std::size_t>(frame.nb_samples);
    const auto count = static_cast<std::size_t>(channels);
    if (!planar && inBytes == outBytes && OutputFor(format) == type) {
        std::memcpy(out, frame.extended_data[0], samples * count * inBytes);
        return;
    }
    for (std::size_t s = 0; s < samples; ++s) {
        for (std::size_t c = 0; c < count; ++c, out += outBytes) {
            const std::uint8_t* in = planar ? frame.extended_data[c] + s * inBytes
                                            : frame.extended_data[0] + (s * count + c) * inBytes;
            if (inBytes != outBytes) {
                const float v = FloatSample(packed, in);
                std::memcpy(out, &v, sizeof v);
            } else {
                std::memcpy(out, in, outBytes);
            }
        }
    }
}

} // namespace

CAudioDecoder::CAudioDecoder() = default;

CAudioDecoder::~CAudioDecoder() { Close(); }

bool CAudioDecoder::Fail(std::string reason)
{
    m_reason = std::move(reason);
    return false;
}

bool CAudioDecoder::CanDecode(const std::string& path, std::string& reason)
{
    CAudioDecoder decoder;
    if (decoder.Open(path))
        return true;
    reason = decoder.FailureReason();
    return false;
}

bool CAudioDecoder::Open(const std::string& path)
{
    Close();
    QuietLibraries();
    m_path = path;
    m_reason.clear();
    if (std::string refusal = PathRefusal(path); !refusal.empty())
        return Fail(std::move(refusal));
    if (!OpenStream()) {
        const std::string reason = m_reason;
        Close();
        m_reason = reason;
        return false;
    }
    return true;
}

std::string CAudioDecoder::PathRefusal(const std::string& path)
{
    // A FIFO, a device or a socket would block the open or never end.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        return error == ENOENT || error == ENOTDIR ? "no such file" : ErrorText(AVERROR(error));
    }
    if (S_ISDIR(info.st_mode))
        return "a folder, not an audio file";
    if (!S_ISREG(info.st_mode))
        return "not a regular file";
    return {};
}

bool CAudioDecoder::OpenStream()
{
    int result = avformat_open_input(&m_format, m_path.c_str(), nullptr, nullptr);
    if (result < 0) {
        m_format = nullptr;
        return Fail(ErrorText(result));
    }
    if (avformat_find_stream_info(m_format, nullptr) < 0)
        return Fail("not an audio file");
    const AVCodec* codec = nullptr;
    m_stream = av_find_best_stream(m_format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (m_stream == AVERROR_DECODER_NOT_FOUND) {
        for (unsigned i = 0; i < m_format->nb_streams; ++i) {
            if (m_format->streams[i]->codecpar->codec_type != AVMEDIA_TYPE_AUDIO)
                continue;
            if (m_format->streams[i]->codecpar->codec_id == AV_CODEC_ID_NONE)
                return Fail("its audio is in a form Tracksmith does not know");
            return Fail(std::string("its audio (") + avcodec_get_name(m_format->streams[i]->codecpar->codec_id) +
                            ") cannot be decoded");
        }
    }
    if (m_stream < 0 || codec == nullptr)
        return Fail("not an audio file");
    for (unsigned i = 0; i < m_format->nb_streams; ++i) {
        if (static_cast<int>(i) != m_stream)
            m_format->streams[i]->discard = AVDISCARD_ALL;
    }
    AVStream* stream = m_format->streams[m_stream];
    const AVCodecParameters* params = stream->codecpar;
    if (params->ch_layout.nb_channels <= 0)
        return Fail("it has no channels");
    if (params->ch_layout.nb_channels > kMaxChannels)
        return Fail("it has " + std::to_string(params->ch_layout.nb_channels) + " channels; audio has at most " +
                    std::to_string(kMaxChannels));
    if (params->sample_rate < static_cast<int>(kMinRate) || params->sample_rate > static_cast<int>(kMaxRate))
        return Fail("its sample rate of " + WithNumber(static_cast<std::uint64_t>(std::max(params->sample_rate, 0))) +
                    " Hz lies outside the " + WithNumber(kMinRate) + " to " + WithNumber(kMaxRate) +
                    " Hz of real audio");
    m_codec = avcodec_alloc_context3(codec);
    m_frame = av_frame_alloc();
    m_packet = av_packet_alloc();
    if (m_codec == nullptr || m_frame == nullptr || m_packet == nullptr)
        return Fail("out of memory");
    if (avcodec_parameters_to_context(m_codec, params) < 0)
        return Fail("not an audio file");
    m_codec->pkt_timebase = stream->time_base;
    if (avcodec_open2(m_codec, codec, nullptr) < 0)
        return Fail(std::string("its audio (") + codec->name + ") cannot be decoded");
    m_rate = static_cast<std::uint32_t>(m_codec->sample_rate > 0 ? m_codec->sample_rate : params->sample_rate);
    m_channels = static_cast<std::uint16_t>(params->ch_layout.nb_channels);
    m_codecName = codec->name;
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get(params->codec_id);
    m_lossless = descriptor != nullptr && (descriptor->props & AV_CODEC_PROP_LOSSLESS) != 0;
    {
        const int raw = params->bits_per_raw_sample > 0 ? params->bits_per_raw_sample
                                                        : av_get_exact_bits_per_sample(params->codec_id);
        m_storedBits = m_lossless && raw > 0 ? static_cast<std::uint16_t>(raw) : 0;
    }

    // The first decoded sample is frame 0: its timestamp is the origin.
    const Step first = DecodeFrame();
    if (first == Step::Error)
        return false;
    if (first == Step::End)
        return Fail(m_reason.empty() ? "its audio cannot be decoded" : m_reason);
    const std::string container = m_format->iformat->name;
    if (av_get_exact_bits_per_sample(params->codec_id) < 8 && params->block_align > 0 && m_dataStart >= 0 &&
        (container == "wav" || container == "w64" || container == "aiff")) {
        const int frames = av_get_audio_frame_duration2(m_format->streams[m_stream]->codecpar, params->block_align);
        m_blockFrames = frames > 0 ? static_cast<std::uint64_t>(frames) : 0;
    }
    m_frameCount = ContainerFrames();
    if (m_frameCount == 0) {
        // No length stored: decode to the end once to count.
        std::vector<std::uint8_t> sink(OutputFrameBytes() * 4096);
        std::int64_t got = 0;
        while ((got = Read(sink.data(), 4096)) > 0) {
        }
        if (got < 0)
            return false;
        m_frameCount = m_position;
        if (!Seek(0))
            return false;
    }
    return true;
}

std::uint64_t CAudioDecoder::FramesAt(std::int64_t timestamp) const
{
    if (timestamp <= m_origin)
        return 0;
    const AVRational tb = m_format->streams[m_stream]->time_base;
    return static_cast<std::uint64_t>(
        av_rescale_q_rnd(timestamp - m_origin, tb, AVRational{1, static_cast<int>(m_rate)}, AV_ROUND_NEAR_INF));
}

std::uint64_t CAudioDecoder::ContainerFrames() const
{
    const AVStream* stream = m_format->streams[m_stream];
    std::uint64_t frames = 0;
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0) {
        const std::int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : m_origin;
        frames = FramesAt(start + stream->duration);
    } else if (m_format->duration != AV_NOPTS_VALUE && m_format->duration > 0) {
        frames = static_cast<std::uint64_t>(
            av_rescale_q(m_format->duration, AV_TIME_BASE_Q, AVRational{1, static_cast<int>(m_rate)}));
    }
    // Plain PCM in any container: the bytes there are tell the frames, for
    // a header whose sizes a pipe left at 0 or 0xFFFFFFFF and for a file
    // cut short.
    const AVCodecParameters* params = stream->codecpar;
    const int bits = av_get_exact_bits_per_sample(params->codec_id);
    const std::int64_t size = m_format->pb != nullptr ? avio_size(m_format->pb) : -1;
    if (bits >= 8 && params->block_align > 0 && size > 0 && m_dataStart >= 0 && m_dataStart <= size) {
        {
            const auto present = static_cast<std::uint64_t>((size - m_dataStart) / params->block_align);
            frames = frames == 0 ? present : std::min(frames, present);
        }
    }
    return frames;
}

void CAudioDecoder::Close()
{
    if (m_codec != nullptr)
        avcodec_free_context(&m_codec);
    if (m_format != nullptr)
        avformat_close_input(&m_format);
    if (m_frame != nullptr)
        av_frame_free(&m_frame);
    if (m_packet != nullptr)
        av_packet_free(&m_packet);
    m_stream = -1;
    m_rate = 0;
    m_channels = 0;
    m_frameCount = 0;
    m_codecName.clear();
    m_lossless = false;
    m_storedBits = 0;
    m_outputFrameBytes = 0;
    m_origin = 0;
    m_position = 0;
    m_decodedEnd = 0;
    m_timed = false;
    m_draining = false;
    m_ended = false;
    m_pending.clear();
    m_pendingFrom = 0;
    m_pendingFrame = 0;
    m_dataStart = -1;
    m_blockFrames = 0;
}

CAudioDecoder::Step CAudioDecoder::DecodeFrame()
{
    int badPackets = 0;
    for (;;) {
        int result = avcodec_receive_frame(m_codec, m_frame);
        if (result == 0) {
            if (m_frame->nb_samples <= 0 || m_frame->ch_layout.nb_channels != m_channels) {
                av_frame_unref(m_frame);
                continue;
            }
            const std::int64_t ts = m_frame->best_effort_timestamp;
            if (m_outputFrameBytes == 0) {
                // The first frame of the file fixes the origin and the layout.
                m_origin = ts != AV_NOPTS_VALUE ? ts : 0;
                m_timed = true;
                m_decodedEnd = 0;
                m_outputType = OutputFor(static_cast<AVSampleFormat>(m_frame->format));
                m_outputFrameBytes = SampleBytes(m_outputType) * m_channels;
            } else if (!m_timed && ts != AV_NOPTS_VALUE) {
                // The first frame after a seek says where decoding is.
                m_decodedEnd = FramesAt(ts);
                m_timed = true;
            }
            m_timed = true;
            const auto samples = static_cast<std::size_t>(m_frame->nb_samples);
            m_pending.resize(samples * m_outputFrameBytes);
            Interleave(*m_frame, m_channels, m_outputType, m_pending.data());
            m_pendingFrom = 0;
            m_pendingFrame = m_decodedEnd;
            m_decodedEnd += samples;
            av_frame_unref(m_frame);
            return Step::Frame;
        }
        if (result == AVERROR_EOF) {
            m_ended = true;
            return Step::End;
        }
        if (result != AVERROR(EAGAIN)) {
            // A frame the decoder cannot make: skipped, as players do.
            if (++badPackets > kMaxBadPackets) {
                m_reason = "its audio cannot be decoded";
                return Step::Error;
            }
            continue;
        }
        if (m_draining) {
            m_ended = true;
            return Step::End;
        }
        result = av_read_frame(m_format, m_packet);
        if (result < 0) {
            // The end, or a file cut short: what was read plays out.
            avcodec_send_packet(m_codec, nullptr);
            m_draining = true;
            continue;
        }
        if (m_packet->stream_index != m_stream) {
            av_packet_unref(m_packet);
            continue;
        }
        if (m_outputFrameBytes == 0 && m_dataStart < 0) {
            // Where the first packet lies: the start of a PCM file's samples.
            m_dataStart = m_packet->pos;
        }
        result = avcodec_send_packet(m_codec, m_packet);
        av_packet_unref(m_packet);
        if (result < 0 && result != AVERROR(EAGAIN) && ++badPackets > kMaxBadPackets) {
            m_reason = "its audio cannot be decoded";
            return Step::Error;
        }
    }
}

CAudioDecoder::Step CAudioDecoder::PendingOrDecode()
{
    for (;;) {
        if (m_pendingFrom < m_pending.size()) {
            const std::uint64_t from = m_pendingFrame + m_pendingFrom / m_outputFrameBytes;
            if (m_decodedEnd <= m_position) {
                m_pending.clear();
                m_pendingFrom = 0;
                continue;
            }
            if (from < m_position)
                m_pendingFrom += static_cast<std::size_t>(m_position - from) * m_outputFrameBytes;
            else if (from > m_position)
                m_position = from; // the stream skips ahead: follow it
            return Step::Frame;
        }
        if (m_ended)
            return Step::End;
        const Step step = DecodeFrame();
        if (step != Step::Frame)
            return step;
    }
}

std::int64_t CAudioDecoder::Read(std::uint8_t* out, std::size_t frames)
{
    if (!IsOpen()) {
        m_reason = "it is not open";
        return -1;
    }
    std::size_t done = 0;
    while (done < frames) {
        const Step step = PendingOrDecode();
        if (step == Step::Error)
            return done > 0 ? static_cast<std::int64_t>(done) : -1;
        if (step == Step::End) {
            // Now the length is known exactly.
            m_frameCount = m_position;
            break;
        }
        const std::size_t available = (m_pending.size() - m_pendingFrom) / m_outputFrameBytes;
        const std::size_t count = std::min(available, frames - done);
        std::memcpy(out + done * m_outputFrameBytes, m_pending.data() + m_pendingFrom, count * m_outputFrameBytes);
        m_pendingFrom += count * m_outputFrameBytes;
        m_position += count;
        done += count;
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t CAudioDecoder::ReadFloat(float* out, std::size_t frames)
{
    std::vector<std::uint8_t> raw(frames * m_outputFrameBytes);
    const std::int64_t got = Read(raw.data(), frames);
    if (got <= 0)
        return got;
    const std::size_t samples = static_cast<std::size_t>(got) * m_channels;
    const std::uint8_t* in = raw.data();
    for (std::size_t i = 0; i < samples; ++i) {
        switch (m_outputType) {
        case SampleType::U8: out[i] = (static_cast<float>(in[i]) - 128.0f) / 128.0f; break;
        case SampleType::S16: {
            std::int16_t v;
            std::memcpy(&v, in + i * 2, sizeof v);
            out[i] = static_cast<float>(v) / 32768.0f;
            break;
        }
        case SampleType::S32: {
            std::int32_t v;
            std::memcpy(&v, in + i * 4, sizeof v);
            out[i] = static_cast<float>(static_cast<double>(v) / 2147483648.0);
            break;
        }
        case SampleType::F32: std::memcpy(out + i, in + i * 4, sizeof(float)); break;
        }
    }
    return got;
}

bool CAudioDecoder::SeekBefore(std::uint64_t frame, std::int64_t backoff)
{
    const std::uint64_t target = frame > static_cast<std::uint64_t>(backoff) ? frame - static_cast<std::uint64_t>(backoff) : 0;
    if (m_blockFrames > 0) {
        const std::uint64_t block = target / m_blockFrames;
        const auto byte = m_dataStart + static_cast<std::int64_t>(block) * m_format->streams[m_stream]->codecpar->block_align;
        if (av_seek_frame(m_format, -1, byte, AVSEEK_FLAG_BYTE) < 0)
            return Fail("its samples cannot be reached");
        avcodec_flush_buffers(m_codec);
        m_pending.clear();
        m_pendingFrom = 0;
        m_draining = false;
        m_ended = false;
        m_timed = true; // the block's place says where decoding is
        m_decodedEnd = block * m_blockFrames;
        return true;
    }
    const AVRational tb = m_format->streams[m_stream]->time_base;
    const std::int64_t ts =
        m_origin + av_rescale_q(static_cast<std::int64_t>(target), AVRational{1, static_cast<int>(m_rate)}, tb);
    int result = avformat_seek_file(m_format, m_stream, INT64_MIN, ts, ts, 0);
    if (result < 0)
        result = av_seek_frame(m_format, m_stream, ts, AVSEEK_FLAG_BACKWARD);
    if (result < 0 && target == 0)
        result = av_seek_frame(m_format, m_stream, 0, AVSEEK_FLAG_BYTE);
    if (result < 0)
        return Fail("its samples cannot be reached");
    avcodec_flush_buffers(m_codec);
    m_pending.clear();
    m_pendingFrom = 0;
    m_draining = false;
    m_ended = false;
    m_timed = false;
    m_decodedEnd = target;
    return true;
}

bool CAudioDecoder::Seek(std::uint64_t frame)
{
    if (!IsOpen())
        return Fail("it is not open");
    if (m_frameCount > 0)
        frame = std::min(frame, m_frameCount);
    // Just ahead of what is decoded: decoding on is quicker and exact.
    const std::uint64_t from = m_pendingFrame + (m_outputFrameBytes != 0 ? m_pendingFrom / m_outputFrameBytes : 0);
    if (!m_pending.empty() && frame >= from && frame <= m_decodedEnd + kDecodeOnSeconds * m_rate) {
        m_position = frame;
        return true;
    }
    std::int64_t backoff = 0;
    for (int attempt = 0; attempt < 6; ++attempt) {
        if (!SeekBefore(frame, backoff))
            return false;
        const bool fromStart = static_cast<std::uint64_t>(backoff) >= frame;
        const Step step = DecodeFrame();
        if (step == Step::Error)
            return false;
        // Landed on or before the frame: decoding on from there is exact.
        if (step == Step::Frame && m_pendingFrame <= frame) {
            m_position = frame;
            return true;
        }
        if (step == Step::End && (fromStart || frame >= m_frameCount)) {
            m_position = std::max(frame, m_decodedEnd);
            return true;
        }
        if (fromStart) {
            // Nothing earlier to go to: the stream starts here.
            m_position = m_pendingFrame;
            return true;
        }
        backoff = backoff == 0 ? static_cast<std::int64_t>(m_rate) : backoff * 4;
    }
    return Fail("its samples cannot be reached");
}
