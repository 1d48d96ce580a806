#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Sample layouts an audio output takes, little-endian.
enum class SampleType { U8, S16, S32, F32 };

struct AudioFormat {
    SampleType type = SampleType::S16;
    std::uint32_t rate = 44100;
    std::uint16_t channels = 2;
};

// An audio output that pulls its samples. It stands between the player and
// the sound system, so that the player's logic also runs against a fake
// output driven by a test's own clock.
class IAudioSink
{
public:
    // Fills bytes bytes of output; runs on the output's own thread, never
    // while the sink is locked.
    using Pull = std::function<void(std::uint8_t* out, std::size_t bytes)>;

    // Stops the output; no pull follows, though the sound system may take
    // a moment more to let go of the device.
    virtual ~IAudioSink() = default;

    // Opens the output, not yet running. False with the reason in error.
    virtual bool Open(const AudioFormat& format, Pull pull, std::string& error) = 0;
    // Waits for a pull in progress to end; no pull follows.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // A stopped output plays silence and pulls nothing. Stopping waits for
    // a pull in progress.
    virtual void SetRunning(bool running) = 0;
    // While locked, no pull runs.
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
};

using AudioSinkFactory = std::function<std::unique_ptr<IAudioSink>()>;
