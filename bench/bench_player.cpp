// The wave player's speed targets, in the whole editor offscreen, playing
// through whatever SDL_AUDIODRIVER names (bench/player.sh picks the disk
// driver):
//   - a cursor move to a line of another wave file while playing, until the
//     new file's first position report (< 50 ms); also until its first
//     samples reach the output and its first report of a moving position;
//   - a seek within the playing file until the output gets samples from the
//     new position (< 60 ms);
//   - the process's processor time while playing (< 5% of one core).
// With "flac" the same on FLAC files, through the decoder: first samples
// < 50 ms, a seek heard < 30 ms, under 2% of one core.
// Usage: bench_player [SECONDS_OF_PLAYING] [wav|flac]
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "audio/CAudioDecoder.h"
#include "player/CSdlAudioSink.h"
#include "audio/CWaveFile.h"
#include "player/CWavePlayer.h"
#include "player/CWavePos.h"
#include "platform/CScriptedPrompts.h"
#include "view/CListingEdit.h"
#include "view/CQuillView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

double MsBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// What the output pulled: when each pull ended, and its first bytes.
struct PullLog {
    std::mutex lock;
    std::vector<Clock::time_point> ends;
    std::vector<std::string> heads;
    void Clear()
    {
        const std::lock_guard guard(lock);
        ends.clear();
        heads.clear();
    }
};

PullLog g_log;

// The SDL output, with every pull logged.
class CLoggingSink final : public IAudioSink
{
public:
    bool Open(const AudioFormat& format, Pull pull, std::string& error) override
    {
        return m_sdl.Open(format, [pull](std::uint8_t* out, std::size_t bytes) {
            pull(out, bytes);
            const std::lock_guard guard(g_log.lock);
            g_log.ends.push_back(Clock::now());
            g_log.heads.emplace_back(reinterpret_cast<const char*>(out), std::min<std::size_t>(bytes, 64));
        }, error);
    }
    void Close() override { m_sdl.Close(); }
    bool IsOpen() const override { return m_sdl.IsOpen(); }
    void SetRunning(bool running) override { m_sdl.SetRunning(running); }
    void Lock() override { m_sdl.Lock(); }
    void Unlock() override { m_sdl.Unlock(); }

private:
    CSdlAudioSink m_sdl;
};

double CpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec * 1000.0 + usage.ru_utime.tv_usec / 1000.0 + usage.ru_stime.tv_sec * 1000.0 +
           usage.ru_stime.tv_usec / 1000.0;
}

// Waits, with the event loop running, until done or the timeout.
template <typename Done>
bool WaitFor(Done done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

void Summary(const char* what, std::vector<double> values, double target)
{
    std::sort(values.begin(), values.end());
    const double median = values[values.size() / 2];
    const double worst = values.back();
    std::printf("   %-48s median %6.1f ms, max %6.1f ms", what, median, worst);
    if (target > 0)
        std::printf("  [target < %.0f ms: %s]", target, worst < target ? "met" : (median < target ? "median met" : "MISSED"));
    std::printf("\n");
}

// The output's bytes at a frame, as the decoder gives them for any format.
std::string SamplesAt(const std::string& path, std::uint32_t frame, std::size_t bytes)
{
    CAudioDecoder decoder;
    if (!decoder.Open(path) || !decoder.Seek(frame))
        return {};
    std::string out(bytes, '\0');
    const std::size_t frames = bytes / decoder.OutputFrameBytes();
    if (decoder.Read(reinterpret_cast<std::uint8_t*>(out.data()), frames) != static_cast<std::int64_t>(frames))
        return {};
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    const int playSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const bool flac = argc > 2 && std::string(argv[2]) == "flac";
    const std::string ext = flac ? "flac" : "wav";
    const double seekTarget = flac ? 30 : 60;
    const double cpuTarget = flac ? 2 : 5;
    QTemporaryDir dir;
    const std::string a = dir.filePath(QString::fromStdString("A." + ext)).toStdString();
    const std::string b = dir.filePath(QString::fromStdString("B." + ext)).toStdString();
    for (const std::string& path : {a, b}) {
        const std::string wave = path + ".wav";
        std::string command = "sox -V1 -n -r 44100 -c 2 -b 16 '" + wave + "' synth 300 whitenoise vol 0.3";
        command += flac ? " && flac --silent -o '" + path + "' '" + wave + "'" : " && mv '" + wave + "' '" + path + "'";
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "bench_player: sox and flac are needed\n");
            return 1;
        }
    }
    const QString sheet = dir.filePath(QStringLiteral("bench.cue"));
    {
        QFile file(sheet);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray::fromStdString("FILE A." + ext + " WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                             "FILE B." + ext + " WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n"));
    }

    CScriptedPrompts prompts;
    CQuillApp app;
    app.SetLauncher([](const QUrl&) { return true; });
    if (!app.InitInstance({sheet}, true, &prompts))
        return 1;
    CMainFrame* frame = app.Frame();
    frame->SetPlayerFactory([](const std::string& path) {
        return std::make_unique<CWavePlayer>(path, [] { return std::make_unique<CLoggingSink>(); });
    });
    CListingEdit* listing = frame->View()->Listing();
    QTest::qWait(200);
    auto key = [listing](Qt::Key k) { QTest::keyClick(listing, k); };
    key(Qt::Key_Down);
    key(Qt::Key_Down); // line 2: A's index
    if (!frame->Player())
        return 1;
    frame->ExecuteCommand(32771); // Play
    QTest::qWait(300);

    // Cursor moves between A and B while playing.
    std::vector<double> toReport, toSamples, toMoving;
    CWavePos* pos = frame->PositionControl();
    for (int i = 0; i < 20; ++i) {
        const bool toB = i % 2 == 0;
        const std::string target = toB ? b : a;
        Clock::time_point reported{};
        Clock::time_point moving{};
        const QMetaObject::Connection watch = QObject::connect(pos, &CWavePos::ContentChanged, frame, [&] {
            if (frame->Player() && frame->Player()->Path() == target && moving == Clock::time_point{} &&
                pos->GetPosition().Milliseconds() > 0)
                moving = Clock::now();
        });
        g_log.Clear();
        const Clock::time_point start = Clock::now();
        key(toB ? Qt::Key_Down : Qt::Key_Up);
        // The new player reports the line's time as the move sets it up.
        if (frame->Player() && frame->Player()->Path() == target)
            reported = Clock::now();
        const bool ok = WaitFor([&] { return moving != Clock::time_point{}; }, 2000);
        QObject::disconnect(watch);
        if (!ok || reported == Clock::time_point{}) {
            std::fprintf(stderr, "bench_player: no report from %s\n", target.c_str());
            return 1;
        }
        Clock::time_point firstPull{};
        {
            const std::lock_guard guard(g_log.lock);
            if (!g_log.ends.empty())
                firstPull = g_log.ends.front();
        }
        toReport.push_back(MsBetween(start, reported));
        toSamples.push_back(MsBetween(start, firstPull));
        toMoving.push_back(MsBetween(start, moving));
        QTest::qWait(100);
    }

    // Seeks within A while playing: until a pull delivers the new position.
    key(Qt::Key_Up); // on A's index again, whichever file was last
    std::vector<double> seeks;
    bool allHeard = true;
    for (int i = 0; i < 20; ++i) {
        IWavePlayer* player = frame->Player();
        if (!player || !player->IsPlaying())
            return 1;
        const std::uint32_t ms = 10000 + 7000 * static_cast<std::uint32_t>(i);
        const std::string expected = SamplesAt(player->Path(), ms * 441 / 10, 64);
        g_log.Clear();
        const Clock::time_point start = Clock::now();
        player->Seek(CCueTime::FromMilliseconds(ms));
        // The first pull that ends after the seek began after it: the seek
        // holds the output's lock.
        Clock::time_point heard{};
        WaitFor([&] {
            const std::lock_guard guard(g_log.lock);
            for (std::size_t p = 0; p < g_log.ends.size(); ++p) {
                if (g_log.ends[p] > start && g_log.heads[p] == expected) {
                    heard = g_log.ends[p];
                    return true;
                }
            }
            return false;
        }, 2000);
        if (heard == Clock::time_point{}) {
            allHeard = false;
            continue;
        }
        seeks.push_back(MsBetween(start, heard));
        QTest::qWait(80);
    }

    // Processor time while playing, the window up and the control following.
    const double cpuBefore = CpuMs();
    const Clock::time_point wallBefore = Clock::now();
    QTest::qWait(playSeconds * 1000);
    const double cpu = CpuMs() - cpuBefore;
    const double wall = MsBetween(wallBefore, Clock::now());
    const bool playing = frame->Player() && frame->Player()->IsPlaying();

    std::printf("== %s: cursor move to another file while playing (20 moves)\n", flac ? "FLAC" : "WAV");
    Summary("until the new file's first position report", toReport, 50);
    Summary("until its first samples reach the output", toSamples, 50);
    // The report timer's first tick comes 50 ms after playing starts.
    Summary("until its first report of a moving position", toMoving, 0);
    std::printf("== Seek within the playing file until the output gets the new samples (20 seeks)\n");
    if (seeks.empty() || !allHeard) {
        std::printf("   some seeks were never heard\n");
        return 1;
    }
    Summary("seek heard", seeks, seekTarget);
    std::printf("== Processor time while playing for %.1f s%s\n", wall / 1000, playing ? "" : " (NOT PLAYING)");
    const double percent = 100.0 * cpu / wall;
    std::printf("   %.2f%% of one core  [target < %.0f%%: %s]\n", percent, cpuTarget,
                percent < cpuTarget ? "met" : "MISSED");
    frame->close();
    return 0;
}
