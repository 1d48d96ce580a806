#pragma once

#include <cstdint>
#include <string>

// What the checker needs to know of an audio file.
struct AudioFacts {
    bool readable = false;
    std::string reason; // why it cannot be read, in words for the user
    std::uint64_t frames = 0; // sample frames
    std::uint32_t rate = 0;
    std::uint16_t bits = 0; // bits per sample as stored; 0 when the format has none (lossy)
    std::uint16_t channels = 0;
};

// Reads the facts of an audio file; implemented above the engine with the
// decoder, so that the checker itself needs no audio library.
class IAudioFacts
{
public:
    virtual ~IAudioFacts();
    virtual AudioFacts Read(const std::string& path) = 0;

protected:
    IAudioFacts() = default;
    IAudioFacts(const IAudioFacts&) = default;
    IAudioFacts& operator=(const IAudioFacts&) = default;
};
