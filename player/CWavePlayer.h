#pragma once

#include "audio/IAudioSink.h"
#include "audio/IWavePlayer.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CAudioDecoder;
class CWaveFile;

// Plays one audio file: streams its samples to an audio output, which pulls
// them on its own thread and counts the sample frames it was given. Plain
// PCM wave files are read as they are; every other format goes through the
// decoder, which runs on the output's thread too, never on this one. A 50 ms timer on this thread turns that count into position
// reports to the one listener, notices the end of the file and reports
// errors in a message box. Positions are in milliseconds throughout.
class CWavePlayer final : public QObject, public IWavePlayer
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CWavePlayer)

public:
    // Modes, numbered as the multimedia modes that the rest of the program
    // knows.
    enum Mode : int {
        NotReady = 524,
        Stopped = 525,
        Playing = 526,
        Paused = 529,
        OpenMode = 530,
    };

    static constexpr int kReportInterval = 50; // ms between position reports

    // An empty factory means the SDL output.
    explicit CWavePlayer(std::string path, AudioSinkFactory sinkFactory = {}, QObject* parent = nullptr);
    // Closes the output and the file.
    ~CWavePlayer() override;

    const std::string& Path() const override { return m_path; }
    const std::string& GetFileName() const { return m_path; }

    // Opens and checks the file; the output itself opens on the first Play.
    // A file that cannot be played is reported and leaves the player not
    // ready.
    bool Open() override;
    // Open without the message box: a failure leaves only FailureReason().
    bool OpenQuietly() override;
    // Why the last Open failed, without the file name ("no such file").
    const std::string& FailureReason() const override { return m_reason; }
    void Close() override;

    int GetMode() const;
    bool IsOpen() const override { return m_open; }
    bool IsReady() const;
    bool IsPlaying() const override;
    bool IsStopped() const override;
    bool IsPaused() const override;

    // Plays from the current position.
    void Play() override;
    // Pauses while playing, resumes while paused.
    void Pause() override;
    // Stops and goes back to the start.
    bool Stop();
    // Moves the play position; keeps playing or paused as it was.
    void Seek(const CCueTime& position) override;
    // Moves the play position and plays from there.
    bool PlayFrom(const CCueTime& position);
    bool Rewind();

    CCueTime GetPosition() const override;
    CCueTime GetLength() const override;
    void SetPositionListener(PositionListener listener) override;

    // What the report timer runs: reports the position when it changed,
    // stops at the end of the file and reports a failed read. Tests with a
    // fake output call it after moving their clock.
    void Poll();

    // The output's format for a parsed wave file, and whether 24-bit
    // samples are widened to 32 bits on the way. False with the reason
    // when the samples are not PCM that the player reads itself.
    static bool PlayableFormat(const CWaveFile& wave, AudioFormat& format, bool& widen24, std::string& reason);
    // True while playing through the decoder rather than from the wave
    // file's own samples.
    bool IsDecoding() const { return m_decoder != nullptr; }

private:
    void OnPosition(const CCueTime& position);
    void OnMode(int mode);
    static int TranslateMode(int mode) { return mode; }

    bool OpenSource(bool quiet);
    bool EnsureOutput();
    void StartOutput();
    void StopOutput();
    void SetReadFrame(std::uint64_t frame);
    void ReportError(const std::string& text);
    std::uint64_t FrameAt(const CCueTime& position) const;
    std::uint32_t MillisecondsAt(std::uint64_t frame) const;
    // Reads frames at position into out, in the output's layout; the frames
    // read, fewer at the end, -1 with the reason on failure.
    std::int64_t ReadSource(std::uint8_t* out, std::uint64_t position, std::uint32_t frames, std::string& reason);

    // Runs on the output's thread.
    void Fill(std::uint8_t* out, std::size_t bytes);

    std::string m_path;
    AudioSinkFactory m_sinkFactory;
    std::unique_ptr<IAudioSink> m_sink;
    std::unique_ptr<CWaveFile> m_wave;
    std::unique_ptr<CAudioDecoder> m_decoder;
    std::string m_reason;
    AudioFormat m_format;
    bool m_widen24 = false;
    std::uint64_t m_frameCount = 0;
    std::uint32_t m_blockAlign = 0;
    std::uint32_t m_outFrameBytes = 0;

    bool m_open = false;
    bool m_paused = false;
    int m_mode = NotReady;
    PositionListener m_listener;
    std::uint32_t m_lastReported = 0; // ms of the last report
    bool m_reported = false;
    QTimer m_timer;

    // Shared with the output's thread. The read frame changes only while
    // the sink is locked or on the output's thread.
    std::atomic<std::uint64_t> m_nextFrame{0}; // the next frame to deliver
    std::atomic<bool> m_ended{false};
    std::atomic<bool> m_failed{false};
    std::mutex m_failureLock;
    std::string m_failure;
    // Touched only by the output's thread, or while it is locked.
    std::uint64_t m_fileFrame = 0; // the frame where the file's read position is
    std::vector<std::uint8_t> m_scratch;
};
