// The track table on sheets of 99 to 999 tracks: the rows computed from the
// sheet, and one title typed into a cell: an undo step of the edit session
// (which snapshots the sheet), then the rows compared and the changed one
// reported.
#include "album/CTrackTable.h"
#include "document/CEditSession.h"
#include "document/CQuillDoc.h"
#include "model/CCueLineSource.h"
#include "model/CCueReader.h"
#include "view/CTrackTableModel.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

// A one-file mix of count tracks, 20 s apart, each with a title and
// performer.
std::string MixSheet(int count)
{
    std::string text = "PERFORMER \"Various\"\nTITLE \"Mix\"\nFILE \"mix.flac\" WAVE\n";
    for (int t = 0; t < count; ++t) {
        char block[160];
        const int seconds = t * 20;
        std::snprintf(block, sizeof block,
                      "  TRACK %02d AUDIO\n    TITLE \"Song %d\"\n    PERFORMER \"Artist %d\"\n    INDEX 01 %02d:%02d:00\n",
                      t + 1, t + 1, t % 37, seconds / 60, seconds % 60);
        text += block;
    }
    return text;
}

void Load(CEditSession& session, const std::string& text)
{
    session.Apply([&](CSheetEditor&) -> CCueItem* {
        CCueLineSource source = CCueLineSource::FromText(text);
        return CCueReader::Read(source, session.Doc(), nullptr).first;
    });
}

void BM_TrackRows(benchmark::State& state)
{
    CEditSession session;
    Load(session, MixSheet(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(CTrackTable::Rows(session.Doc()));
    state.counters["tracks"] = static_cast<double>(CTrackTable::Rows(session.Doc()).size());
}
BENCHMARK(BM_TrackRows)->Arg(99)->Arg(500)->Arg(999)->Unit(benchmark::kMicrosecond);

// A title typed into the middle row: setData runs the undo step, then the
// model compares the rows and reports the one that changed.
void BM_TypedTitle(benchmark::State& state)
{
    CEditSession session;
    Load(session, MixSheet(static_cast<int>(state.range(0))));
    CTrackTableModel model(session, nullptr);
    model.Refresh();
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    const QModelIndex cell = model.index(model.rowCount() / 2, CTrackTable::Title);
    int n = 0;
    for (auto _ : state) {
        model.setData(cell, QStringLiteral("Typed %1").arg(++n));
        model.Refresh();
    }
    if (changed.count() != static_cast<int>(state.iterations()))
        state.SkipWithError("not one row reported for each edit");
}
BENCHMARK(BM_TypedTitle)->Arg(99)->Arg(500)->Arg(999)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
