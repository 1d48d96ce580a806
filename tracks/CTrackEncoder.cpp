#include "tracks/CTrackEncoder.h"

#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace {

// Frames handed to an encoder that takes any count (PCM).
constexpr int kVariableFrames = 4096;

AVSampleFormat InputFormat(SampleType type)
{
    switch (type) {
    case SampleType::U8: return AV_SAMPLE_FMT_U8;
    case SampleType::S16: return AV_SAMPLE_FMT_S16;
    case SampleType::S32: return AV_SAMPLE_FMT_S32;
    case SampleType::F32: return AV_SAMPLE_FMT_FLT;
    }
    return AV_SAMPLE_FMT_S16;
}

struct Choice {
    const char* muxer;
    const char* encoder;
    AVSampleFormat format;
    int bitsPerRawSample;
};

Choice ChooseEncoder(TrackFormat format, SampleType type)
{
    switch (format) {
    case TrackFormat::Flac:
        // FLAC holds integers up to 24 bits; 8-bit and float sources are
        // written as 16 bits.
        if (type == SampleType::S32)
            return {"flac", "flac", AV_SAMPLE_FMT_S32, 24};
        return {"flac", "flac", AV_SAMPLE_FMT_S16, 16};
    case TrackFormat::Wav:
        switch (type) {
        case SampleType::U8: return {"wav", "pcm_u8", AV_SAMPLE_FMT_U8, 8};
        case SampleType::S16: return {"wav", "pcm_s16le", AV_SAMPLE_FMT_S16, 16};
        case SampleType::S32: return {"wav", "pcm_s32le", AV_SAMPLE_FMT_S32, 32};
        case SampleType::F32: return {"wav", "pcm_f32le", AV_SAMPLE_FMT_FLT, 32};
        }
        break;
    case TrackFormat::Opus:
        return {"opus", "libopus", AV_SAMPLE_FMT_FLT, 0};
    case TrackFormat::Mp3:
        return {"mp3", "libmp3lame", AV_SAMPLE_FMT_FLTP, 0};
    }
    return {"flac", "flac", AV_SAMPLE_FMT_S16, 16};
}

std::string ErrorText(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return text;
}

} // namespace

CTrackEncoder::CTrackEncoder() = default;

CTrackEncoder::~CTrackEncoder()
{
    Close();
}

void CTrackEncoder::Close()
{
    if (m_format) {
        if (m_format->pb)
            avio_closep(&m_format->pb);
        avformat_free_context(m_format);
        m_format = nullptr;
    }
    avcodec_free_context(&m_codec);
    swr_free(&m_swr);
    if (m_fifo) {
        av_audio_fifo_free(m_fifo);
        m_fifo = nullptr;
    }
    av_frame_free(&m_frame);
    av_packet_free(&m_packet);
    m_headerWritten = false;
}

bool CTrackEncoder::Fail(const std::string& what, int error)
{
    m_reason = error < 0 ? what + ": " + ErrorText(error) : what;
    return false;
}

CTrackEncoder::Tags CTrackEncoder::TagsFor(TrackFormat format, const TrackTags& track, const SheetTags& sheet,
                                           int number, int total)
{
    Tags tags;
    auto add = [&tags](const char* key, const std::string& value) {
        if (!value.empty())
            tags.emplace_back(key, value);
    };
    add("title", track.title);
    add("artist", track.performer.empty() ? sheet.disc.performer : track.performer);
    add("album", sheet.disc.title);
    add("album_artist", sheet.disc.performer);
    const std::string& composer = !track.composer.empty() ? track.composer
                                  : !track.songwriter.empty() ? track.songwriter
                                  : !sheet.disc.composer.empty() ? sheet.disc.composer
                                                                 : sheet.disc.songwriter;
    add("composer", composer);
    add("genre", track.genre.empty() ? sheet.disc.genre : track.genre);
    add("date", sheet.date);
    const bool vorbis = format == TrackFormat::Flac || format == TrackFormat::Opus;
    if (vorbis) {
        add("track", std::to_string(number));
        add("TRACKTOTAL", total > 0 ? std::to_string(total) : std::string());
        add("disc", sheet.discNumber);
        add("DISCTOTAL", sheet.totalDiscs);
    } else {
        add("track", std::to_string(number) + (total > 0 ? "/" + std::to_string(total) : std::string()));
        if (!sheet.discNumber.empty())
            add("disc", sheet.discNumber + (sheet.totalDiscs.empty() ? "" : "/" + sheet.totalDiscs));
    }
    add("ISRC", track.isrc);
    return tags;
}

bool CTrackEncoder::Open(const std::string& path, TrackFormat format, std::uint32_t rate, std::uint16_t channels,
                         SampleType type, const Tags& tags)
{
    Close();
    m_reason.clear();
    m_pts = 0;
    m_inRate = rate;
    m_refuseLowByte = format == TrackFormat::Flac && type == SampleType::S32;
    const Choice choice = ChooseEncoder(format, type);
    const AVCodec* encoder = avcodec_find_encoder_by_name(choice.encoder);
    if (!encoder)
        return Fail(std::string("this system's FFmpeg has no ") + choice.encoder + " encoder", 0);
    int error = avformat_alloc_output_context2(&m_format, nullptr, choice.muxer, path.c_str());
    if (error < 0 || !m_format)
        return Fail(std::string("this system's FFmpeg has no ") + choice.muxer + " muxer", error);

    m_codec = avcodec_alloc_context3(encoder);
    if (!m_codec)
        return Fail("out of memory", AVERROR(ENOMEM));
    const int outRate = format == TrackFormat::Opus ? 48000 : static_cast<int>(rate);
    m_codec->sample_rate = outRate;
    m_codec->sample_fmt = choice.format;
    m_codec->time_base = AVRational{1, outRate};
    av_channel_layout_default(&m_codec->ch_layout, channels);
    if (choice.bitsPerRawSample > 0)
        m_codec->bits_per_raw_sample = choice.bitsPerRawSample;
    if (format == TrackFormat::Mp3)
        m_codec->bit_rate = 320000;
    if (format == TrackFormat::Opus)
        m_codec->bit_rate = 64000 * channels;
    if (m_format->oformat->flags & AVFMT_GLOBALHEADER)
        m_codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    error = avcodec_open2(m_codec, encoder, nullptr);
    if (error < 0)
        return Fail(std::string("the ") + choice.encoder + " encoder refuses " + std::to_string(channels) +
                        " channels at " + std::to_string(outRate) + " Hz",
                    error);
    const bool variable = (encoder->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE) || m_codec->frame_size <= 0;
    m_frameSize = variable ? kVariableFrames : m_codec->frame_size;

    AVStream* stream = avformat_new_stream(m_format, nullptr);
    if (!stream)
        return Fail("out of memory", AVERROR(ENOMEM));
    stream->time_base = m_codec->time_base;
    error = avcodec_parameters_from_context(stream->codecpar, m_codec);
    if (error < 0)
        return Fail("cannot set up the stream", error);
    for (const auto& [key, value] : tags) {
        av_dict_set(&m_format->metadata, key.c_str(), value.c_str(), 0);
        // The Ogg muxer writes the stream's tags.
        if (format == TrackFormat::Opus)
            av_dict_set(&stream->metadata, key.c_str(), value.c_str(), 0);
    }

    error = swr_alloc_set_opts2(&m_swr, &m_codec->ch_layout, choice.format, outRate, &m_codec->ch_layout,
                                InputFormat(type), static_cast<int>(rate), 0, nullptr);
    if (error < 0 || swr_init(m_swr) < 0)
        return Fail("cannot convert the samples", error);
    m_fifo = av_audio_fifo_alloc(choice.format, channels, m_frameSize * 2);
    m_frame = av_frame_alloc();
    m_packet = av_packet_alloc();
    if (!m_fifo || !m_frame || !m_packet)
        return Fail("out of memory", AVERROR(ENOMEM));

    error = avio_open(&m_format->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (error < 0)
        return Fail("cannot be created", error);
    error = avformat_write_header(m_format, nullptr);
    if (error < 0)
        return Fail("cannot write its header", error);
    m_headerWritten = true;
    return true;
}

bool CTrackEncoder::Send(AVFrame* frame)
{
    int error = avcodec_send_frame(m_codec, frame);
    if (error < 0)
        return Fail("encoding failed", error);
    for (;;) {
        error = avcodec_receive_packet(m_codec, m_packet);
        if (error == AVERROR(EAGAIN) || error == AVERROR_EOF)
            return true;
        if (error < 0)
            return Fail("encoding failed", error);
        m_packet->stream_index = 0;
        av_packet_rescale_ts(m_packet, m_codec->time_base, m_format->streams[0]->time_base);
        error = av_interleaved_write_frame(m_format, m_packet);
        if (error < 0)
            return Fail("cannot be written", error);
    }
}

bool CTrackEncoder::EncodeFifo(bool last)
{
    while (av_audio_fifo_size(m_fifo) >= m_frameSize || (last && av_audio_fifo_size(m_fifo) > 0)) {
        const int frames = std::min(av_audio_fifo_size(m_fifo), m_frameSize);
        av_frame_unref(m_frame);
        m_frame->nb_samples = frames;
        m_frame->format = m_codec->sample_fmt;
        m_frame->sample_rate = m_codec->sample_rate;
        if (av_channel_layout_copy(&m_frame->ch_layout, &m_codec->ch_layout) < 0 || av_frame_get_buffer(m_frame, 0) < 0)
            return Fail("out of memory", AVERROR(ENOMEM));
        if (av_audio_fifo_read(m_fifo, reinterpret_cast<void**>(m_frame->data), frames) != frames)
            return Fail("cannot buffer the samples", 0);
        m_frame->pts = m_pts;
        m_pts += frames;
        if (!Send(m_frame))
            return false;
    }
    return true;
}

bool CTrackEncoder::Write(const std::uint8_t* samples, std::size_t frames)
{
    if (!m_headerWritten)
        return Fail("is not open", 0);
    const int inFrames = static_cast<int>(frames);
    if (m_refuseLowByte && samples) {
        const std::size_t count = frames * static_cast<std::size_t>(m_codec->ch_layout.nb_channels);
        for (std::size_t i = 0; i < count; ++i) {
            std::int32_t sample;
            std::memcpy(&sample, samples + i * sizeof sample, sizeof sample);
            if ((sample & 0xFF) != 0)
                return Fail("the source holds samples of more than 24 bits, which FLAC cannot keep; export as WAVE", 0);
        }
    }
    const int room = swr_get_out_samples(m_swr, inFrames);
    if (room < 0)
        return Fail("cannot convert the samples", room);
    m_planes.assign(static_cast<std::size_t>(m_codec->ch_layout.nb_channels), nullptr);
    if (room > m_convertCapacity) {
        m_convertCapacity = room;
        const int size = av_samples_get_buffer_size(nullptr, m_codec->ch_layout.nb_channels, room, m_codec->sample_fmt, 1);
        if (size < 0)
            return Fail("cannot convert the samples", size);
        m_convert.resize(static_cast<std::size_t>(size));
    }
    if (av_samples_fill_arrays(m_planes.data(), nullptr, m_convert.data(), m_codec->ch_layout.nb_channels,
                               m_convertCapacity, m_codec->sample_fmt, 1) < 0)
        return Fail("cannot convert the samples", 0);
    const std::uint8_t* in[] = {samples};
    const int out = swr_convert(m_swr, m_planes.data(), m_convertCapacity, samples ? in : nullptr, samples ? inFrames : 0);
    if (out < 0)
        return Fail("cannot convert the samples", out);
    if (out > 0 && av_audio_fifo_write(m_fifo, reinterpret_cast<void**>(m_planes.data()), out) != out)
        return Fail("cannot buffer the samples", AVERROR(ENOMEM));
    return EncodeFifo(false);
}

bool CTrackEncoder::Finish()
{
    if (!m_headerWritten)
        return Fail("is not open", 0);
    // What the resampler still holds, then the last short frame, then the
    // encoder's delay.
    if (!Write(nullptr, 0) || !EncodeFifo(true) || !Send(nullptr))
        return false;
    const int error = av_write_trailer(m_format);
    if (error < 0)
        return Fail("cannot be finished", error);
    m_headerWritten = false;
    const int closed = avio_closep(&m_format->pb);
    if (closed < 0)
        return Fail("cannot be written", closed);
    return true;
}
