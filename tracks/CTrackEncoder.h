#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "audio/IAudioSink.h"
#include "tracks/CTrackPlan.h"

struct AVAudioFifo;
struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;

// Encodes interleaved samples into one audio file with FFmpeg's encoders
// and muxers: FLAC, WAVE (PCM), Ogg Opus or MP3, with tags. Lossless
// formats keep the samples exactly; Opus is resampled to 48 kHz.
class CTrackEncoder
{
public:
    using Tags = std::vector<std::pair<std::string, std::string>>;

    CTrackEncoder();
    ~CTrackEncoder();
    CTrackEncoder(const CTrackEncoder&) = delete;
    CTrackEncoder& operator=(const CTrackEncoder&) = delete;

    // Creates path and writes its header. False with the reason (without
    // the file name).
    bool Open(const std::string& path, TrackFormat format, std::uint32_t rate, std::uint16_t channels,
              SampleType type, const Tags& tags);
    bool Write(const std::uint8_t* samples, std::size_t frames);
    // Flushes the encoder and writes the trailer; the file is whole only
    // when this returns true.
    bool Finish();
    const std::string& FailureReason() const { return m_reason; }

    // The tag names FFmpeg's muxer of the format takes for the track's
    // tags: vorbis comments for FLAC and Opus, ID3 and RIFF INFO names for
    // the others.
    static Tags TagsFor(TrackFormat format, const TrackTags& track, const SheetTags& sheet, int number, int total);

private:
    bool Fail(const std::string& what, int error);
    bool EncodeFifo(bool last);
    bool Send(AVFrame* frame);
    void Close();

    std::string m_reason;
    AVFormatContext* m_format = nullptr;
    AVCodecContext* m_codec = nullptr;
    SwrContext* m_swr = nullptr;
    AVAudioFifo* m_fifo = nullptr;
    AVFrame* m_frame = nullptr;
    AVPacket* m_packet = nullptr;
    bool m_headerWritten = false;
    int m_frameSize = 0;
    std::int64_t m_pts = 0;
    std::uint32_t m_inRate = 0;
    std::vector<std::uint8_t*> m_planes;
    std::vector<std::uint8_t> m_convert;
    int m_convertCapacity = 0;
    // FLAC holds 24 bits at most: 32-bit samples whose low byte is used
    // are refused rather than cut.
    bool m_refuseLowByte = false;
};
