// The editor's listing, offscreen: a full update of the view for the
// realistic 99-track sheet (render, RTF read, caret and highlight) and one
// move of the line cursor (un-highlight, highlight, wave sync).
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "bench/SheetGenerator.h"
#include "document/CQuillDoc.h"
#include "platform/CScriptedPrompts.h"
#include "view/CQuillView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <fstream>

namespace {

struct Editor {
    QTemporaryDir dir;
    CScriptedPrompts prompts;
    CQuillApp app;

    Editor()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath(QStringLiteral("config")));
        const std::string path = dir.filePath(QStringLiteral("realistic.cue")).toStdString();
        std::ofstream(path, std::ios::binary) << SheetGenerator::Realistic().Text();
        app.InitInstance({QString::fromStdString(path)}, true, &prompts);
    }
    CQuillView& View() { return *app.Frame()->View(); }
};

void SendKey(QWidget* target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

void BM_ListingUpdate(benchmark::State& state)
{
    Editor editor;
    if (editor.app.Document().LineCount() < 700)
        state.SkipWithError("the sheet did not open");
    for (auto _ : state)
        editor.View().OnUpdate(nullptr, editor.app.Document().Line(400));
    state.counters["lines"] = editor.app.Document().LineCount();
}
BENCHMARK(BM_ListingUpdate)->Unit(benchmark::kMillisecond);

void BM_CursorMove(benchmark::State& state)
{
    Editor editor;
    QTextEdit* listing = editor.View().Listing();
    int key = Qt::Key_Down;
    for (auto _ : state) {
        // Walk down and back up the sheet, one line per iteration.
        const int line = editor.View().CurrentLine();
        if (line >= editor.app.Document().LineCount() - 1)
            key = Qt::Key_Up;
        else if (line == 0)
            key = Qt::Key_Down;
        SendKey(listing, key);
    }
}
BENCHMARK(BM_CursorMove)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
