#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "audio/IAudioSink.h"

class CAudioDecoder;

// One audio file of a sheet, read for splitting and joining: its format
// and exact length, and spans of its samples in the decoder's own layout.
// One object serves one thread.
class CTrackSource
{
public:
    CTrackSource();
    ~CTrackSource();
    CTrackSource(const CTrackSource&) = delete;
    CTrackSource& operator=(const CTrackSource&) = delete;

    // False with the reason (without the file name) when it cannot be read.
    bool Open(const std::string& path);
    // Opens a file of raw CD audio (a BINARY or MOTOROLA file of a disc
    // image): 16-bit stereo at 44.1 kHz, little-endian or big-endian, read
    // without the decoder.
    bool OpenRaw(const std::string& path, bool bigEndian);
    const std::string& FailureReason() const { return m_reason; }

    std::uint32_t SampleRate() const;
    std::uint16_t Channels() const;
    std::uint64_t FrameCount() const;
    SampleType Type() const;
    std::size_t FrameBytes() const;

    // Hands the samples of frames [begin, end) to sink in blocks, in order.
    // The sink returns false to stop (a cancel or a write failure); Read
    // then returns false too, with no reason of its own.
    using Sink = std::function<bool(const std::uint8_t* samples, std::size_t frames)>;
    bool Read(std::uint64_t begin, std::uint64_t end, const Sink& sink);

private:
    bool ReadRaw(std::uint64_t begin, std::uint64_t end, const Sink& sink);

    std::unique_ptr<CAudioDecoder> m_decoder;
    std::string m_reason;
    int m_rawFile = -1; // open for raw CD audio
    bool m_bigEndian = false;
    std::uint64_t m_rawFrames = 0;
    std::uint64_t m_headerFrames = 0; // whole frames a PCM wave header counts
};
