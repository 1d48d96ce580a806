#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// PCM audio read front to back as interleaved 32-bit float frames, full
// scale at -1 and +1. What the waveform's peaks are computed from; a wave
// file and a decoded file both serve it.
class IPcmSource
{
public:
    virtual ~IPcmSource() = default;

    virtual std::uint32_t SampleRate() const = 0;
    virtual std::uint16_t Channels() const = 0;
    // Exact: the peaks are laid out for this many frames; frames past it are
    // left out, frames missing at the end are drawn as silence.
    virtual std::uint64_t FrameCount() const = 0;
    // Reads up to frames frames into out (frames * Channels() floats) from
    // where the last read ended. Frames read, 0 at the end, -1 on failure
    // with FailureReason() set.
    virtual std::int64_t ReadFrames(float* out, std::size_t frames) = 0;
    // Why the source failed to open or read, without the file name.
    virtual const std::string& FailureReason() const = 0;
};

// Opens a source for a file; null with the reason when it cannot.
using PcmSourceFactory = std::function<std::unique_ptr<IPcmSource>(const std::string& path, std::string& reason)>;
