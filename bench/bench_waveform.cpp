// The waveform panel's speed: peaks of a wave file computed from scratch and
// read back from the cache, and one painted frame of a 1,000-pixel-wide
// waveform at several zooms. bench/waveform.sh makes the 80-minute file.
#include "audio/CPeakCache.h"
#include "audio/CPeaks.h"
#include "audio/CWavePcmSource.h"
#include "view/CWaveformView.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

std::string g_wave;  // the file, from TS_BENCH_WAVE
std::string g_cache; // a folder of our own

std::shared_ptr<CPeaks> Compute(benchmark::State& state)
{
    std::string reason;
    auto source = CWavePcmSource::Open(g_wave, reason);
    if (!source) {
        state.SkipWithError(("cannot read " + g_wave + ": " + reason).c_str());
        return nullptr;
    }
    auto peaks = std::make_shared<CPeaks>();
    std::atomic<bool> cancel{false};
    std::atomic<int> permille{0};
    if (CPeaks::Compute(*source, *peaks, cancel, &permille, reason) != CPeaks::Result::Done) {
        state.SkipWithError(reason.c_str());
        return nullptr;
    }
    return peaks;
}

// The whole file read and reduced, as the worker does on a first look (the
// file itself is in the page cache after the first round).
void BM_PeaksWav(benchmark::State& state)
{
    std::shared_ptr<CPeaks> peaks;
    for (auto _ : state) {
        peaks = Compute(state);
        if (!peaks)
            return;
        benchmark::DoNotOptimize(peaks->Pairs().data());
    }
    state.counters["peak_bytes"] = static_cast<double>(peaks->Pairs().size() * sizeof(CPeaks::Pair));
    state.counters["minutes"] = static_cast<double>(peaks->FrameCount()) / peaks->SampleRate() / 60;
}
BENCHMARK(BM_PeaksWav)->Unit(benchmark::kMillisecond)->Iterations(3);

// The second look: the entry read back from the cache.
void BM_PeaksFromCache(benchmark::State& state)
{
    const CPeakCache cache(g_cache);
    auto peaks = Compute(state);
    if (!peaks || !cache.Store(g_wave, *peaks)) {
        state.SkipWithError("cannot write the cache");
        return;
    }
    for (auto _ : state) {
        CPeaks loaded;
        if (!cache.Load(g_wave, loaded)) {
            state.SkipWithError("cannot read the cache");
            return;
        }
        benchmark::DoNotOptimize(loaded.Pairs().data());
    }
}
BENCHMARK(BM_PeaksFromCache)->Unit(benchmark::kMillisecond);

// One frame of a 1,000 x 200 panel that pans by a frame each time, so the
// peaks' image is drawn again every frame: the worst case. The argument is
// CD frames per pixel; 0 is the whole file.
void BM_PaintPanning(benchmark::State& state)
{
    auto peaks = Compute(state);
    if (!peaks)
        return;
    CWaveformView view;
    view.resize(1000, 200);
    view.SetPeaks(peaks);
    std::vector<WaveMark> marks;
    for (int i = 0; i < 99; ++i)
        marks.push_back({nullptr, static_cast<std::int64_t>(peaks->BinCount() * i / 99), 0, 0,
                         QStringLiteral("%1 Track title").arg(i + 1), i % 2 == 0, true, i == 3});
    view.SetMarks(std::move(marks), {});
    if (state.range(0) > 0)
        view.ZoomAt(500, static_cast<double>(state.range(0)) / view.BinsPerPixel());
    view.SetFirstBin(static_cast<double>(peaks->BinCount()) / 3);
    QImage target(view.size(), QImage::Format_RGB32);
    const int before = view.ImageRenders();
    double step = 1;
    for (auto _ : state) {
        view.SetFirstBin(view.FirstBin() + step);
        step = -step;
        view.render(&target);
    }
    if (state.range(0) > 0 && view.ImageRenders() - before < static_cast<int>(state.iterations()))
        state.SkipWithError("the image was not drawn again");
}
BENCHMARK(BM_PaintPanning)->Arg(0)->Arg(20)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond);

// One frame while playing: the cached image and a moved play line.
void BM_PaintPlayLine(benchmark::State& state)
{
    auto peaks = Compute(state);
    if (!peaks)
        return;
    CWaveformView view;
    view.resize(1000, 200);
    view.SetPeaks(peaks);
    QImage target(view.size(), QImage::Format_RGB32);
    view.render(&target);
    const int before = view.ImageRenders();
    double play = 0;
    for (auto _ : state) {
        view.SetPlayPosition(play += 3.75);
        view.render(&target);
    }
    if (view.ImageRenders() != before)
        state.SkipWithError("a play line repaint drew the peaks again");
}
BENCHMARK(BM_PaintPlayLine)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const char* wave = std::getenv("TS_BENCH_WAVE");
    if (!wave) {
        std::fprintf(stderr, "bench_waveform: set TS_BENCH_WAVE to a wave file (bench/waveform.sh makes one)\n");
        return 2;
    }
    g_wave = wave;
    g_cache = (std::filesystem::temp_directory_path() / ("tracksmith-bench-peaks-" + std::to_string(::getpid())))
                  .string();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(g_cache);
    return 0;
}
