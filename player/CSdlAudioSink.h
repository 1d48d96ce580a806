#pragma once

#include "audio/IAudioSink.h"

#include <cstdint>

// The audio output through SDL: the default device of the desktop's sound
// system (PulseAudio, PipeWire, ALSA; WASAPI or DirectSound on Windows), or
// whichever driver SDL_AUDIODRIVER names. SDL converts the samples to what
// the device takes.
class CSdlAudioSink final : public IAudioSink
{
public:
    CSdlAudioSink() = default;
    // Pauses the device and leaves its closing to a thread of its own.
    ~CSdlAudioSink() override;
    CSdlAudioSink(const CSdlAudioSink&) = delete;
    CSdlAudioSink& operator=(const CSdlAudioSink&) = delete;

    bool Open(const AudioFormat& format, Pull pull, std::string& error) override;
    // Waits until the device is closed.
    void Close() override;
    bool IsOpen() const override { return m_device != 0; }
    void SetRunning(bool running) override;
    void Lock() override;
    void Unlock() override;

    // Sample frames per pull for a rate: about 20 ms, a power of two, so
    // that a seek is heard soon without waking the output too often.
    static std::uint16_t PullFrames(std::uint32_t rate);

private:
    static void Callback(void* user, std::uint8_t* stream, int length);

    std::uint32_t m_device = 0;
    Pull m_pull;
};
