#pragma once

#include <cstdint>
#include <string>
#include <utility>

// Outcome of a wave editing operation: success, or failure with a reason
// written for the user.
struct WaveResult {
    bool ok = false;
    std::string reason;     // empty on success
    std::uint32_t frames = 0; // sample frames copied or silenced

    static WaveResult Success(std::uint32_t frames)
    {
        WaveResult r;
        r.ok = true;
        r.frames = frames;
        return r;
    }
    static WaveResult Failure(std::string reason)
    {
        WaveResult r;
        r.reason = std::move(reason);
        return r;
    }
};
