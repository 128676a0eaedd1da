// Line reading, the subtitle scan and conversion over large documents.

#include <benchmark/benchmark.h>

#include "bench_documents.h"
#include "core/convert.h"
#include "core/subtitle_line.h"

using namespace kravelo;

namespace {

void ParseOne(benchmark::State& state, std::string line, const SsaTables& ssa) {
    SubtitleLine s;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseLine(line, 25.0, s, ssa));
        benchmark::DoNotOptimize(s.start);
    }
    state.SetItemsProcessed(state.iterations());
}

const SsaTables& ProgramSsa() {
    static SsaTables t = ReadSsaHeader(SsaHeaderLines(SsaOptions{}), true);
    return t;
}

void BM_ParseLine_Frame(benchmark::State& s) { ParseOne(s, "{12345}{12400}Ala ma kota|a kot ma Alę", ProgramSsa()); }
void BM_ParseLine_Decisecond(benchmark::State& s) { ParseOne(s, "[1234][1300]Ala ma kota|a kot ma Alę", ProgramSsa()); }
void BM_ParseLine_Time(benchmark::State& s) { ParseOne(s, "01:02:03:Ala ma kota|a kot ma Alę", ProgramSsa()); }
void BM_ParseLine_TimeShort(benchmark::State& s) { ParseOne(s, "1:02:03:Ala ma kota|a kot ma Alę", ProgramSsa()); }
void BM_ParseLine_Ssa(benchmark::State& s) {
    ParseOne(s, "Dialogue: Marked=0,0:01:02.50,0:01:04.00,ITALIC,00,0000,0000,0000,,Ala ma kota, a kot ma Alę",
             ProgramSsa());
}

void BM_NextSubtitle_Scan100k(benchmark::State& state) {
    auto lines = bench::FrameDocument(100000);
    SubtitleLine s;
    for (auto _ : state) {
        std::size_t index = 0, found = 0;
        while (NextSubtitle(lines, 25.0, index, s)) ++found;
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}

void BM_ConvertLines_100k(benchmark::State& state) {
    const auto source = bench::FrameDocument(100000);
    for (auto _ : state) {
        state.PauseTiming();
        SubtitleDocument d;
        d.lines = source;
        d.frameRate = 25.0;
        d.documentFormat = kFormatTime;
        long first = 0, last = static_cast<long>(d.lines.size());
        state.ResumeTiming();
        ConvertLines(d, static_cast<int>(state.range(0)), SsaOptions{}, first, last);
        benchmark::DoNotOptimize(d.lines.data());
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}

}  // namespace

BENCHMARK(BM_ParseLine_Frame);
BENCHMARK(BM_ParseLine_Decisecond);
BENCHMARK(BM_ParseLine_Time);
BENCHMARK(BM_ParseLine_TimeShort);
BENCHMARK(BM_ParseLine_Ssa);
BENCHMARK(BM_NextSubtitle_Scan100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertLines_100k)->Arg(kFormatDecisecond)->Arg(kFormatSsa)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
