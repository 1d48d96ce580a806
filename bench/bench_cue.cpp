// Read + relayout + write of the generated sheets, in process, and the heap
// one pass takes per byte of sheet text. Run it directly; ctest does not.
#include "bench/HeapCounter.h"
#include "bench/SheetGenerator.h"
#include "document/CQuillDoc.h"
#include "model/CCueLineSource.h"
#include "model/CCueReader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include <unistd.h>

namespace {

enum Sheet { kRealistic, kStress, kScale };

const std::string& SheetText(std::int64_t which)
{
    static const std::string texts[] = {
        SheetGenerator::Realistic().Text(),
        SheetGenerator::Stress().Text(),
        SheetGenerator::Scale().Text(),
    };
    return texts[which];
}

const char* SheetName(std::int64_t which)
{
    static const char* const names[] = {"realistic", "stress", "scale"};
    return names[which];
}

// The sheet as a file, for the open path; written once per run.
std::string SheetFile(std::int64_t which)
{
    const auto path = std::filesystem::temp_directory_path()
        / ("tracksmith-bench-" + std::to_string(getpid()) + "-" + SheetName(which) + ".cue");
    if (!std::filesystem::exists(path)) {
        const std::string& text = SheetText(which);
        std::ofstream out(path, std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!out.flush())
            throw std::runtime_error("cannot write " + path.string());
    }
    return path.string();
}

void ReadInto(CQuillDoc& doc, const std::string& text)
{
    CCueLineSource source = CCueLineSource::FromText(text);
    if (!CCueReader::Read(source, doc, nullptr).first)
        throw std::runtime_error("the generated sheet did not read");
}

void Label(benchmark::State& state)
{
    const std::string& text = SheetText(state.range(0));
    state.SetLabel(SheetName(state.range(0)));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// Text to tree: line split, parse, insertion and the one relayout at the
// end of the read.
void BM_ReadRelayout(benchmark::State& state)
{
    const std::string& text = SheetText(state.range(0));
    for (auto _ : state) {
        CQuillDoc doc;
        ReadInto(doc, text);
        benchmark::DoNotOptimize(doc.LineCount());
    }
    Label(state);
}

// Tree to the bytes Save writes.
void BM_Write(benchmark::State& state)
{
    CQuillDoc doc;
    ReadInto(doc, SheetText(state.range(0)));
    for (auto _ : state) {
        std::string bytes = doc.SaveBytes();
        benchmark::DoNotOptimize(bytes.data());
    }
    Label(state);
}

// The whole of tracksmith-cli normalize but the process: open the file as
// the editor does, relayout, write.
void BM_OpenRelayoutWrite(benchmark::State& state)
{
    const std::string path = SheetFile(state.range(0));
    for (auto _ : state) {
        CQuillDoc doc;
        if (!doc.OnOpenDocument(path))
            throw std::runtime_error("the generated sheet did not open");
        std::string bytes = doc.SaveBytes();
        benchmark::DoNotOptimize(bytes.data());
    }
    Label(state);
}

// Heap of one read + relayout + write: every byte allocated, and the most
// live at once, per byte of sheet text.
void BM_Heap(benchmark::State& state)
{
    const std::string& text = SheetText(state.range(0));
    HeapCounter::Totals totals;
    for (auto _ : state) {
        HeapCounter::Start();
        {
            CQuillDoc doc;
            ReadInto(doc, text);
            std::string bytes = doc.SaveBytes();
            benchmark::DoNotOptimize(bytes.data());
        }
        totals = HeapCounter::Stop();
    }
    const auto size = static_cast<double>(text.size());
    state.counters["text_bytes"] = size;
    state.counters["allocs"] = static_cast<double>(totals.allocations);
    state.counters["alloc_per_byte"] = static_cast<double>(totals.bytes) / size;
    state.counters["peak_per_byte"] = static_cast<double>(totals.peak) / size;
    state.SetLabel(SheetName(state.range(0)));
}

BENCHMARK(BM_ReadRelayout)->DenseRange(kRealistic, kScale)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Write)->DenseRange(kRealistic, kScale)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenRelayoutWrite)->DenseRange(kRealistic, kScale)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Heap)->DenseRange(kRealistic, kScale)->Iterations(1)->Unit(benchmark::kMicrosecond);

void RemoveSheetFiles()
{
    for (std::int64_t which = kRealistic; which <= kScale; ++which) {
        std::error_code ignored;
        std::filesystem::remove(std::filesystem::temp_directory_path()
                                    / ("tracksmith-bench-" + std::to_string(getpid()) + "-" + SheetName(which) + ".cue"),
                                ignored);
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    RemoveSheetFiles();
    return 0;
}
