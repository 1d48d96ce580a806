// libcue's in-process parse of the generated sheets, walking every track
// and index as a reader of the result would: the yardstick for our
// in-process read + relayout (bench_cue's BM_ReadRelayout).
#include "bench/SheetGenerator.h"

#include <benchmark/benchmark.h>
#include <libcue.h>

#include <stdexcept>
#include <string>

namespace {

const std::string& SheetText(std::int64_t which)
{
    static const std::string texts[] = {
        SheetGenerator::Realistic().Text(),
        SheetGenerator::Stress().Text(),
    };
    return texts[which];
}

long Walk(const Cd* cd)
{
    long sum = 0;
    const int tracks = cd_get_ntrack(cd);
    for (int t = 1; t <= tracks; ++t) {
        const Track* track = cd_get_track(cd, t);
        sum += track_get_start(track) + track_get_length(track);
        for (int i = 0; i < 100; ++i)
            sum += track_get_index(track, i);
    }
    return sum;
}

// libcue takes no more than 99 tracks, so the scale sheet is ours alone.
void BM_LibcueParse(benchmark::State& state)
{
    const std::string& text = SheetText(state.range(0));
    for (auto _ : state) {
        Cd* cd = cue_parse_string(text.c_str());
        if (!cd)
            throw std::runtime_error("libcue rejected the generated sheet");
        benchmark::DoNotOptimize(Walk(cd));
        cd_delete(cd);
    }
    state.SetLabel(state.range(0) == 0 ? "realistic" : "stress");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

BENCHMARK(BM_LibcueParse)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
