// The editor's listing, offscreen, on the realistic 99-track sheet: a full
// update of the view (render, RTF read, caret and highlight), one move of
// the line cursor (un-highlight, highlight, wave sync), an insert and a
// delete with relayout and update, and the paste of a whole sheet.
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "bench/SheetGenerator.h"
#include "document/CQuillDoc.h"
#include "platform/CScriptedPrompts.h"
#include "res/CommandIds.h"
#include "view/CListingEdit.h"
#include "view/CQuillView.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QSettings>
#include <QTemporaryDir>

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
        editor.app.Document().UpdateAllViews(nullptr, editor.app.Document().Line(400));
    state.counters["lines"] = editor.app.Document().LineCount();
}
BENCHMARK(BM_ListingUpdate)->Unit(benchmark::kMillisecond);

void BM_CursorMove(benchmark::State& state)
{
    Editor editor;
    CListingEdit* listing = editor.View().Listing();
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

// An insert and the delete that takes it back, each with relayout and the
// full listing update, on the realistic sheet.
void BM_InsertDelete(benchmark::State& state)
{
    Editor editor;
    CMainFrame& frame = *editor.app.Frame();
    editor.app.Document().UpdateAllViews(nullptr, editor.app.Document().Line(400));
    for (auto _ : state) {
        frame.ExecuteCommand(cmd::InsertComment);
        frame.ExecuteCommand(cmd::Delete);
    }
    state.counters["commands"] = benchmark::Counter(2.0 * static_cast<double>(state.iterations()));
}
BENCHMARK(BM_InsertDelete)->Unit(benchmark::kMillisecond);

// Paste of a whole 99-track sheet (as text) at the first line, with the
// listing update; undone after each run so the sheet stays the same size.
void BM_PasteSheet(benchmark::State& state)
{
    Editor editor;
    CMainFrame& frame = *editor.app.Frame();
    std::string text = SheetGenerator::Realistic().Text();
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    for (auto _ : state) {
        editor.app.Document().UpdateAllViews(nullptr, editor.app.Document().Line(0));
        frame.ExecuteCommand(cmd::Paste);
        state.PauseTiming();
        frame.ExecuteCommand(cmd::Undo);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasteSheet)->Unit(benchmark::kMillisecond);

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
