// The subtitle display tick over a large document: a tick that changes nothing, and a rebuild
// of the cursor that has to walk the whole document.

#include <benchmark/benchmark.h>

#include "bench_documents.h"
#include "ops/subtitle_display.h"

using namespace kravelo;

namespace {

struct NullSink : SubtitleDisplaySink {
    int calls = 0;
    void ShowSubtitle(std::string_view) override { ++calls; }
    void HideSubtitle() override { ++calls; }
};

void BM_DisplayTick_Steady(benchmark::State& state) {
    const auto lines = bench::FrameDocument(100000);
    SubtitleCursor cursor;
    NullSink sink;
    bool resync = true;
    DisplayInput in{&lines, 25.0, nullptr, (100 + 50000 * 60 + 10) / 25.0, 0.0};
    DisplayTick(cursor, resync, in, sink);  // now inside subtitle 50000
    for (auto _ : state) {
        DisplayTick(cursor, resync, in, sink);
        benchmark::DoNotOptimize(cursor.SubtitleShown);
    }
    if (sink.calls != 2) state.SkipWithError("the steady tick changed the display");
}

void BM_DisplayTick_Resync100k(benchmark::State& state) {
    const auto lines = bench::FrameDocument(100000);
    SubtitleCursor cursor;
    NullSink sink;
    // Past the last subtitle: the rebuild walks every line.
    DisplayInput in{&lines, 25.0, nullptr, (100 + 100000.0 * 60) / 25.0, 0.0};
    for (auto _ : state) {
        bool resync = true;
        DisplayTick(cursor, resync, in, sink);
        benchmark::DoNotOptimize(cursor.LineIndex);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}

}  // namespace

BENCHMARK(BM_DisplayTick_Steady);
BENCHMARK(BM_DisplayTick_Resync100k)->Unit(benchmark::kMillisecond);
