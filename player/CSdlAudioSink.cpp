#include "player/CSdlAudioSink.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include <SDL.h>

namespace {

// Closes paused devices on a thread of its own. Closing waits for the
// device's thread to wake up and end, which can take a whole period of the
// sound system; moving to another file should not wait for that, nor should
// the exit wait for a sound system that does not answer.
class DeviceCloser
{
public:
    DeviceCloser() = default;
    DeviceCloser(const DeviceCloser&) = delete;
    DeviceCloser& operator=(const DeviceCloser&) = delete;
    ~DeviceCloser()
    {
        if (!m_thread.joinable())
            return;
        std::unique_lock lock(m_state->lock);
        m_state->stop = true;
        m_state->wake.notify_all();
        // Closes still pending after this are left to the process's end.
        const bool idle = m_state->wake.wait_for(lock, kExitWait, [this] { return m_state->done; });
        lock.unlock();
        if (idle)
            m_thread.join();
        else
            m_thread.detach();
    }

    void Close(SDL_AudioDeviceID device)
    {
        const std::lock_guard lock(m_state->lock);
        m_state->devices.push_back(device);
        if (!m_thread.joinable())
            m_thread = std::thread([state = m_state] { Run(*state); });
        m_state->wake.notify_all();
    }

private:
    static constexpr std::chrono::milliseconds kExitWait{500};

    // Shared with the thread, which may outlive the closer at exit.
    struct State {
        std::mutex lock;
        std::condition_variable wake;
        std::deque<SDL_AudioDeviceID> devices;
        bool stop = false;
        bool done = false;
    };

    static void Run(State& state)
    {
        std::unique_lock lock(state.lock);
        for (;;) {
            state.wake.wait(lock, [&state] { return state.stop || !state.devices.empty(); });
            while (!state.devices.empty()) {
                const SDL_AudioDeviceID device = state.devices.front();
                state.devices.pop_front();
                lock.unlock();
                SDL_CloseAudioDevice(device);
                lock.lock();
            }
            if (state.stop) {
                state.done = true;
                state.wake.notify_all();
                return;
            }
        }
    }

    std::shared_ptr<State> m_state = std::make_shared<State>();
    std::thread m_thread;
};

DeviceCloser g_closer;

SDL_AudioFormat SdlFormat(SampleType type)
{
    switch (type) {
    case SampleType::U8: return AUDIO_U8;
    case SampleType::S16: return AUDIO_S16LSB;
    case SampleType::S32: return AUDIO_S32LSB;
    case SampleType::F32: return AUDIO_F32LSB;
    }
    return AUDIO_S16LSB;
}

// The audio subsystem stays up once started: starting it again for every
// file would reconnect to the sound server each time.
bool StartAudio(std::string& error)
{
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0)
        return true;
    // The program handles its own signals.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Tracksmith");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    return true;
}

} // namespace

CSdlAudioSink::~CSdlAudioSink()
{
    if (m_device == 0)
        return;
    // Paused, the device never calls back again, so it can outlive this
    // object for the moment its closing takes.
    SDL_PauseAudioDevice(m_device, 1);
    g_closer.Close(m_device);
}

std::uint16_t CSdlAudioSink::PullFrames(std::uint32_t rate)
{
    std::uint32_t frames = 256;
    while (frames < 8192 && frames * 50 < rate) // up to 20 ms
        frames *= 2;
    return static_cast<std::uint16_t>(frames);
}

bool CSdlAudioSink::Open(const AudioFormat& format, Pull pull, std::string& error)
{
    Close();
    if (!StartAudio(error))
        return false;
    if (format.rate > static_cast<std::uint32_t>(SDL_MAX_SINT32)) {
        error = "the sample rate is out of range";
        return false;
    }
    m_pull = std::move(pull);
    SDL_AudioSpec want{};
    want.freq = static_cast<int>(format.rate);
    want.format = SdlFormat(format.type);
    want.channels = format.channels > 255 ? 0 : static_cast<Uint8>(format.channels);
    want.samples = PullFrames(format.rate);
    want.callback = &CSdlAudioSink::Callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No allowed changes: SDL converts to whatever the device takes.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (m_device == 0) {
        error = SDL_GetError();
        m_pull = nullptr;
        return false;
    }
    return true;
}

void CSdlAudioSink::Close()
{
    if (m_device == 0)
        return;
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
    m_pull = nullptr;
}

void CSdlAudioSink::SetRunning(bool running)
{
    if (m_device != 0)
        SDL_PauseAudioDevice(m_device, running ? 0 : 1);
}

void CSdlAudioSink::Lock()
{
    if (m_device != 0)
        SDL_LockAudioDevice(m_device);
}

void CSdlAudioSink::Unlock()
{
    if (m_device != 0)
        SDL_UnlockAudioDevice(m_device);
}

void CSdlAudioSink::Callback(void* user, std::uint8_t* stream, int length)
{
    auto* self = static_cast<CSdlAudioSink*>(user);
    if (length > 0)
        self->m_pull(stream, static_cast<std::size_t>(length));
}
