// The listing on long sheets, offscreen and shown: opening a sheet of about
// 100,000 lines (time, and resident bytes per line measured in fresh
// processes), one insert, delete and undo with the listing's update, one
// move of the line cursor at that size, and a window opening on a sheet
// with one line of 10 MB, and its keys.
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "document/CQuillDoc.h"
#include "platform/CScriptedPrompts.h"
#include "res/CommandIds.h"
#include "view/CListingEdit.h"
#include "view/CQuillView.h"

#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

// About `lines` lines: FILEs of 99 tracks, each track with TITLE, a REM
// line and two INDEX lines.
std::string LongSheet(int lines)
{
    std::string text = "REM GENRE \"Bench\"\nTITLE \"A long sheet\"\n";
    int written = 2;
    for (int file = 1; written < lines; ++file) {
        text += "FILE \"PART" + std::to_string(file) + ".WAV\" WAVE\n";
        ++written;
        for (int track = 1; track <= 99 && written < lines; ++track) {
            const std::string nn = (track < 10 ? "0" : "") + std::to_string(track);
            const int minute = track;
            const std::string mm = (minute < 10 ? "0" : "") + std::to_string(minute);
            text += "  TRACK " + nn + " AUDIO\n    TITLE \"Track " + nn + "\"\n    REM take " + nn + "\n";
            text += "    INDEX 00 " + mm + ":00:00\n    INDEX 01 " + mm + ":02:00\n";
            written += 5;
        }
    }
    return text;
}

long ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * 4096;
}

void SendKey(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods);
    QApplication::sendEvent(target, &release);
}

struct Editor {
    QTemporaryDir dir;
    CScriptedPrompts prompts;
    std::unique_ptr<CQuillApp> app;
    std::string path;

    explicit Editor(const std::string& text)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath(QStringLiteral("config")));
        path = dir.filePath(QStringLiteral("long.cue")).toStdString();
        std::ofstream(path, std::ios::binary) << text;
    }
    bool Start()
    {
        app = std::make_unique<CQuillApp>();
        app->SetLauncher([](const QUrl&) { return true; });
        return app->InitInstance({QString::fromStdString(path)}, true, &prompts);
    }
    CMainFrame& Frame() { return *app->Frame(); }
    CQuillView& View() { return *app->Frame()->View(); }
    void Show()
    {
        Frame().resize(900, 620);
        Frame().show();
        QApplication::processEvents();
        View().Listing()->viewport()->repaint();
    }
};

const std::string& Sheet100k()
{
    static const std::string text = LongSheet(100000);
    return text;
}

// Opening the sheet with the window shown and drawn. Its memory is measured
// by BM_OpenResident100k: in this process the allocator hands out again
// what the iteration before freed.
void BM_Open100k(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Editor editor(Sheet100k());
        state.ResumeTiming();
        if (!editor.Start())
            state.SkipWithError("the sheet did not open");
        editor.Show();
        state.PauseTiming();
        state.counters["lines"] = editor.app->Document().LineCount();
        editor.prompts.QueueAnswer(PromptAnswer::No);
        editor.Frame().close();
        editor.app.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Open100k)->Unit(benchmark::kMillisecond)->Iterations(3);

// The child's side of BM_OpenResident100k: opens the sheet at path with the
// window shown and drawn, and prints the lines and the resident bytes of
// the process after the open.
int ResidentProbe(const std::string& path)
{
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath(QStringLiteral("config")));
    CScriptedPrompts prompts;
    CQuillApp app;
    app.SetLauncher([](const QUrl&) { return true; });
    if (!app.InitInstance({QString::fromStdString(path)}, true, &prompts))
        return 1;
    app.Frame()->resize(900, 620);
    app.Frame()->show();
    QApplication::processEvents();
    app.Frame()->View()->Listing()->viewport()->repaint();
    std::printf("%d %ld\n", app.Document().LineCount(), ResidentBytes());
    std::fflush(stdout);
    prompts.QueueAnswer(PromptAnswer::No);
    app.Frame()->close();
    return 0;
}

// Runs ResidentProbe in a fresh process; false when it failed.
bool ProbeResident(const std::string& path, int& lines, long& resident)
{
    QProcess probe;
    probe.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--resident-probe"), QString::fromStdString(path)});
    if (!probe.waitForFinished(300000) || probe.exitCode() != 0)
        return false;
    std::istringstream out(probe.readAllStandardOutput().toStdString());
    return static_cast<bool>(out >> lines >> resident);
}

// The memory a long sheet takes once open and shown: the resident size of
// a fresh process that opened it, less that of a fresh process that opened
// a sheet of two lines, per line. Fresh processes, so that nothing freed
// before is counted or reused.
void BM_OpenResident100k(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string large = dir.filePath(QStringLiteral("large.cue")).toStdString();
    const std::string small = dir.filePath(QStringLiteral("small.cue")).toStdString();
    std::ofstream(large, std::ios::binary) << Sheet100k();
    std::ofstream(small, std::ios::binary) << LongSheet(2);
    for (auto _ : state) {
        int lines = 0;
        int smallLines = 0;
        long resident = 0;
        long smallResident = 0;
        if (!ProbeResident(small, smallLines, smallResident) || !ProbeResident(large, lines, resident)) {
            state.SkipWithError("the probe process failed");
            break;
        }
        state.counters["lines"] = lines;
        state.counters["resident_mb"] = static_cast<double>(resident) / 1e6;
        state.counters["resident_mb_two_lines"] = static_cast<double>(smallResident) / 1e6;
        state.counters["resident_bytes_per_line"] =
            static_cast<double>(resident - smallResident) / std::max(1, lines - smallLines);
    }
}
BENCHMARK(BM_OpenResident100k)->Unit(benchmark::kMillisecond)->Iterations(1);

// One command at 100,000 lines with the window shown: its time includes the
// listing's update and the repaint of what is in sight.
void RunCommands(benchmark::State& state, std::initializer_list<int> commands, int line)
{
    Editor editor(Sheet100k());
    if (!editor.Start())
        state.SkipWithError("the sheet did not open");
    editor.Show();
    editor.View().SetCurrentItem(editor.app->Document().Line(line));
    for (auto _ : state) {
        for (int id : commands) {
            editor.Frame().ExecuteCommand(id);
            editor.View().Listing()->viewport()->repaint();
        }
    }
    state.counters["lines"] = editor.app->Document().LineCount();
    state.counters["commands"] = benchmark::Counter(static_cast<double>(state.iterations() * commands.size()));
    editor.prompts.QueueAnswer(PromptAnswer::No);
    editor.Frame().close();
}

// The first insert after opening the 100,000-line sheet: the undo history
// has no copy of the sheet yet to share, so this one copies it whole.
void BM_FirstInsert100k(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Editor editor(Sheet100k());
        if (!editor.Start())
            state.SkipWithError("the sheet did not open");
        editor.Show();
        editor.View().SetCurrentItem(editor.app->Document().Line(50000));
        state.ResumeTiming();
        editor.Frame().ExecuteCommand(cmd::InsertComment);
        editor.View().Listing()->viewport()->repaint();
        state.PauseTiming();
        editor.prompts.QueueAnswer(PromptAnswer::No);
        editor.Frame().close();
        editor.app.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstInsert100k)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_InsertDelete100k(benchmark::State& state)
{
    RunCommands(state, {cmd::InsertComment, cmd::Delete}, 50000);
}
BENCHMARK(BM_InsertDelete100k)->Unit(benchmark::kMillisecond);

void BM_InsertUndo100k(benchmark::State& state)
{
    RunCommands(state, {cmd::InsertComment, cmd::Undo}, 50000);
}
BENCHMARK(BM_InsertUndo100k)->Unit(benchmark::kMillisecond);

// Pasting a sheet of 99 tracks (one FILE, 498 lines with the disc's two)
// through the clipboard, with the listing's update and repaint: into an
// empty sheet (0), and at line 50,000 of the 100,000-line sheet (1). Each
// paste is undone outside the timing.
void BM_Paste99Tracks(benchmark::State& state)
{
    const bool large = state.range(0) != 0;
    Editor editor(large ? Sheet100k() : std::string());
    if (!editor.Start())
        state.SkipWithError("the sheet did not open");
    editor.Show();
    if (large)
        editor.View().SetCurrentItem(editor.app->Document().Line(50000));
    QGuiApplication::clipboard()->setText(QString::fromStdString(LongSheet(498)));
    QApplication::processEvents();
    const int before = editor.app->Document().LineCount();
    int pasted = 0;
    for (auto _ : state) {
        editor.Frame().ExecuteCommand(cmd::Paste);
        editor.View().Listing()->viewport()->repaint();
        state.PauseTiming();
        pasted = editor.app->Document().LineCount() - before;
        editor.Frame().ExecuteCommand(cmd::Undo);
        if (pasted <= 0 || editor.app->Document().LineCount() != before)
            state.SkipWithError("the paste or its undo did not happen");
        state.ResumeTiming();
    }
    state.counters["lines"] = before;
    state.counters["lines_pasted"] = pasted;
    editor.prompts.QueueAnswer(PromptAnswer::No);
    editor.Frame().close();
}
BENCHMARK(BM_Paste99Tracks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CursorMove100k(benchmark::State& state)
{
    Editor editor(Sheet100k());
    if (!editor.Start())
        state.SkipWithError("the sheet did not open");
    editor.Show();
    QWidget* listing = editor.View().Listing();
    editor.View().SetCurrentItem(editor.app->Document().Line(50000));
    int key = Qt::Key_Down;
    for (auto _ : state) {
        key = key == Qt::Key_Down ? Qt::Key_Up : Qt::Key_Down;
        SendKey(listing, key);
        editor.View().Listing()->viewport()->repaint();
    }
    state.counters["lines"] = editor.app->Document().LineCount();
    editor.prompts.QueueAnswer(PromptAnswer::No);
    editor.Frame().close();
}
BENCHMARK(BM_CursorMove100k)->Unit(benchmark::kMicrosecond);

// A sheet whose comment, TITLE or FILE name is 10 MB long: the window
// opening on it, drawn, and then one key (down and back up) with its repaint.
std::string HugeLineSheet(int which)
{
    const std::string huge(10 * 1024 * 1024, 'x');
    std::string text = "REM GENRE \"Bench\"\n";
    if (which == 0)
        text += "REM " + huge + "\n";
    if (which == 1)
        text += "TITLE \"" + huge + "\"\n";
    text += "FILE \"" + (which == 2 ? huge : std::string("A")) + ".WAV\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n";
    return text;
}

void BM_HugeLineShow(benchmark::State& state)
{
    const std::string text = HugeLineSheet(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        Editor editor(text);
        state.ResumeTiming();
        if (!editor.Start())
            state.SkipWithError("the sheet did not open");
        editor.Show();
        state.PauseTiming();
        editor.prompts.QueueAnswer(PromptAnswer::No);
        editor.Frame().close();
        editor.app.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HugeLineShow)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_HugeLineKeys(benchmark::State& state)
{
    Editor editor(HugeLineSheet(static_cast<int>(state.range(0))));
    if (!editor.Start())
        state.SkipWithError("the sheet did not open");
    editor.Show();
    QWidget* listing = editor.View().Listing();
    int key = Qt::Key_Down;
    for (auto _ : state) {
        key = key == Qt::Key_Down ? Qt::Key_Up : Qt::Key_Down;
        SendKey(listing, key);
        QApplication::processEvents();
        editor.View().Listing()->viewport()->repaint();
        editor.Frame().repaint();
    }
    editor.prompts.QueueAnswer(PromptAnswer::No);
    editor.Frame().close();
}
BENCHMARK(BM_HugeLineKeys)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "--resident-probe")
        return ResidentProbe(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
