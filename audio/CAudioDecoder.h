#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "audio/IAudioSink.h"

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;

// Decodes one audio file of any format FFmpeg's libraries read, to
// interleaved samples at the file's own rate and channel count. Positions
// are sample frames counted from the file's first decoded sample. Seeking
// is sample-exact wherever the container's timestamps are (lossless
// formats, WAV); for lossy formats it lands within one codec frame.
// One object is used by one thread at a time; it knows nothing of the
// player, so it also serves analysis on a worker thread.
class CAudioDecoder
{
public:
    // Formats no real audio has are refused.
    static constexpr std::uint32_t kMinRate = 1000;
    static constexpr std::uint32_t kMaxRate = 768000;
    static constexpr std::uint16_t kMaxChannels = 32;

    CAudioDecoder();
    ~CAudioDecoder();
    CAudioDecoder(const CAudioDecoder&) = delete;
    CAudioDecoder& operator=(const CAudioDecoder&) = delete;

    // Opens the file and decodes its first samples. False with the reason
    // in FailureReason(), in words for the user ("no such file", "not an
    // audio file"). Never opens a FIFO, a device or a socket.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_format != nullptr; }
    const std::string& Path() const { return m_path; }
    // Why the last operation failed, without the file name.
    const std::string& FailureReason() const { return m_reason; }

    std::uint32_t SampleRate() const { return m_rate; }
    std::uint16_t Channels() const { return m_channels; }
    // Sample frames in the file. Exact for the lossless formats and WAV,
    // whose containers store it; for lossy ones what the container says
    // until the end is decoded, and exact from then on.
    std::uint64_t FrameCount() const { return m_frameCount; }
    // The codec's short name ("flac", "mp3", "pcm_s16le").
    const std::string& CodecName() const { return m_codecName; }
    bool IsLossless() const { return m_lossless; }
    // Bits per sample as the file stores them; 0 for lossy formats.
    std::uint16_t StoredBits() const { return m_storedBits; }

    // The layout Read gives: 8-bit unsigned, 16- or 32-bit integer as the
    // source holds them, 32-bit float for floating-point and lossy sources.
    SampleType OutputType() const { return m_outputType; }
    std::size_t OutputFrameBytes() const { return m_outputFrameBytes; }

    // Moves to a sample frame; the next read starts there. A frame past the
    // end moves to the end. False with the reason when the file cannot be
    // positioned.
    bool Seek(std::uint64_t frame);
    // The frame the next read starts at.
    std::uint64_t Position() const { return m_position; }

    // Read up to frames interleaved sample frames; fewer only at the end of
    // the file. -1 with the reason when decoding fails.
    std::int64_t Read(std::uint8_t* out, std::size_t frames);
    std::int64_t ReadFloat(float* out, std::size_t frames);

    // Why a path is no file to open: "no such file", a folder, a FIFO, a
    // device or a socket; empty for a regular file.
    static std::string PathRefusal(const std::string& path);
    // True when Open would succeed; the reason otherwise.
    static bool CanDecode(const std::string& path, std::string& reason);

private:
    enum class Step { Frame, End, Error };

    bool Fail(std::string reason);
    bool OpenStream();
    Step DecodeFrame();
    Step PendingOrDecode();
    bool SeekBefore(std::uint64_t frame, std::int64_t backoff);
    std::uint64_t ContainerFrames() const;
    std::uint64_t FramesAt(std::int64_t timestamp) const;

    std::string m_path;
    std::string m_reason;
    AVFormatContext* m_format = nullptr;
    AVCodecContext* m_codec = nullptr;
    AVFrame* m_frame = nullptr;
    AVPacket* m_packet = nullptr;
    int m_stream = -1;
    std::uint32_t m_rate = 0;
    std::uint16_t m_channels = 0;
    std::uint64_t m_frameCount = 0;
    std::string m_codecName;
    bool m_lossless = false;
    std::uint16_t m_storedBits = 0;
    SampleType m_outputType = SampleType::S16;
    std::size_t m_outputFrameBytes = 0;
    std::int64_t m_origin = 0;     // timestamp of the first sample, in stream units
    std::uint64_t m_position = 0;  // the next frame a read gives
    std::uint64_t m_decodedEnd = 0; // the frame after the last one decoded
    bool m_timed = false;          // m_decodedEnd follows the stream's timestamps
    bool m_draining = false;
    bool m_ended = false;
    // Converted samples of the last decoded codec frame not yet read.
    std::vector<std::uint8_t> m_pending;
    std::size_t m_pendingFrom = 0;  // bytes already read from m_pending
    std::uint64_t m_pendingFrame = 0; // the frame m_pending starts at
    std::int64_t m_dataStart = -1; // byte offset of the first packet
    // Samples in one block of a block codec in a plain container (ADPCM in
    // WAV), whose timestamps after a seek are only estimates: such files
    // seek by bytes. 0 for the others.
    std::uint64_t m_blockFrames = 0;
};
