#pragma once

#include "model/CCueTime.h"

#include <functional>
#include <memory>
#include <string>

// What the frame, the insert commands and the Edit Index dialog need of a
// wave player: open one file, play, pause, seek, and report the play
// position to one listener.
class IWavePlayer
{
public:
    // Called with the position whenever the player reports one.
    using PositionListener = std::function<void(const CCueTime& position)>;

    virtual ~IWavePlayer() = default;

    virtual const std::string& Path() const = 0;
    virtual bool Open() = 0;
    // Open without a message box: a failure leaves only FailureReason().
    virtual bool OpenQuietly() { return Open(); }
    // Why the last Open failed, in a few words without the file name.
    virtual const std::string& FailureReason() const
    {
        static const std::string none;
        return none;
    }
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual bool IsPlaying() const = 0;
    virtual bool IsPaused() const = 0;
    // Open, and neither playing nor paused.
    virtual bool IsStopped() const { return IsOpen() && !IsPlaying() && !IsPaused(); }
    virtual void Play() = 0;
    // Pauses while playing, resumes while paused.
    virtual void Pause() = 0;
    // Keeps playing or paused.
    virtual void Seek(const CCueTime& position) = 0;
    virtual CCueTime GetLength() const = 0;
    virtual CCueTime GetPosition() const = 0;
    virtual void SetPositionListener(PositionListener listener) = 0;
};

// Makes the player for a wave file; the frame asks it whenever the current
// line's wave file changes.
using WavePlayerFactory = std::function<std::unique_ptr<IWavePlayer>(const std::string& path)>;
