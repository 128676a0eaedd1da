// Sorting, the searches, the two-point correction, the line commands, the marker and the
// document summary over large documents (budget: 50 ms per engine over 100 000 lines).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "core/marker.h"
#include "ops/delay.h"
#include "ops/info.h"
#include "ops/line_commands.h"
#include "ops/sort.h"
#include "ops/timing_search.h"

using namespace kravelo;

namespace {

constexpr long kLines = 100000;

std::string FrameLine(long start, long end, long number) {
    std::string line = "{";
    line += std::to_string(start);
    line += "}{";
    line += std::to_string(end);
    line += "}Przykładowy napis numer ";
    line += std::to_string(number);
    line += "|drugi wiersz";
    return line;
}

// Sorted frame lines 2.4 s apart, 2 s long; two rows of text.
SubtitleDocument SortedDocument(long n) {
    SubtitleDocument doc;
    doc.frameRate = 25.0;
    doc.documentFormat = kFormatTime;
    doc.lines.reserve(static_cast<std::size_t>(n));
    for (long i = 0; i < n; ++i) doc.lines.push_back(FrameLine(100 + i * 60, 150 + i * 60, i));
    return doc;
}

// The same lines shuffled, with equal starts in pairs, an empty line every 50 and an
// unreadable one every 97.
SubtitleDocument ShuffledDocument(long n) {
    SubtitleDocument doc;
    doc.frameRate = 25.0;
    doc.documentFormat = kFormatTime;
    doc.lines.reserve(static_cast<std::size_t>(n));
    for (long i = 0; i < n; ++i) doc.lines.push_back(FrameLine(100 + i / 2 * 60, 150 + i / 2 * 60, i));
    std::mt19937 rng(1);
    std::shuffle(doc.lines.begin(), doc.lines.end(), rng);
    for (long i = 0; i < n; i += 50) doc.lines[static_cast<std::size_t>(i)].clear();
    for (long i = 0; i < n; i += 97) doc.lines[static_cast<std::size_t>(i)] = "not a subtitle line";
    return doc;
}

// Fresh lines for every run, allocated in line order as when the GUI copies them out of the
// editor (reusing the sorted strings would leave them scattered in memory).
void Refill(SubtitleDocument& doc, const SubtitleDocument& source) {
    doc.lines.clear();
    doc.lines.shrink_to_fit();
    doc = source;
}

void BM_SortLines_Shuffled(benchmark::State& state) {
    const long n = state.range(0);
    const SubtitleDocument source = ShuffledDocument(n);
    SubtitleDocument doc;
    for (auto _ : state) {
        state.PauseTiming();
        Refill(doc, source);  // the old lines are freed here, outside the timing
        state.ResumeTiming();
        benchmark::DoNotOptimize(SortLines(doc, 0, n).moved);
    }
    state.SetComplexityN(n);
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_SortLines_Shuffled)
    ->Unit(benchmark::kMillisecond)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Complexity(benchmark::oNLogN);

void BM_SortLines_Reversed100k(benchmark::State& state) {
    SubtitleDocument source = SortedDocument(kLines);
    std::reverse(source.lines.begin(), source.lines.end());
    SubtitleDocument doc;
    for (auto _ : state) {
        state.PauseTiming();
        Refill(doc, source);
        state.ResumeTiming();
        benchmark::DoNotOptimize(SortLines(doc, 0, kLines).moved);
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_SortLines_Reversed100k)->Unit(benchmark::kMillisecond);

// The searches find nothing, so they read every line.
void BM_FindUnsorted_100k(benchmark::State& state) {
    const SubtitleDocument doc = SortedDocument(kLines);
    for (auto _ : state) benchmark::DoNotOptimize(FindUnsorted(doc, -1, kLines).found);
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_FindUnsorted_100k)->Unit(benchmark::kMillisecond);

void BM_FindShortSubtitle_100k(benchmark::State& state) {
    const SubtitleDocument doc = SortedDocument(kLines);
    for (auto _ : state) benchmark::DoNotOptimize(FindShortSubtitle(doc, 1.0, -1, kLines).found);
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_FindShortSubtitle_100k)->Unit(benchmark::kMillisecond);

void BM_FindGapAfterSubtitle_100k(benchmark::State& state) {
    const SubtitleDocument doc = SortedDocument(kLines);
    for (auto _ : state) benchmark::DoNotOptimize(FindGapAfterSubtitle(doc, 10.0, 0, kLines).found);
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_FindGapAfterSubtitle_100k)->Unit(benchmark::kMillisecond);

// Runs of lines that carry no subtitle ({0}{25}) between subtitles: each run is scanned once.
void BM_FindUnsorted_100kEmptyRuns(benchmark::State& state) {
    SubtitleDocument doc = SortedDocument(kLines);
    for (long i = 0; i < kLines; ++i)
        if (i % 1000 != 0) doc.lines[static_cast<std::size_t>(i)] = "{0}{25}";
    for (auto _ : state) benchmark::DoNotOptimize(FindUnsorted(doc, -1, kLines).found);
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_FindUnsorted_100kEmptyRuns)->Unit(benchmark::kMillisecond);

void BM_CorrectTimes_100k(benchmark::State& state) {
    const SubtitleDocument source = SortedDocument(kLines);
    SubtitleDocument doc;
    for (auto _ : state) {
        state.PauseTiming();
        Refill(doc, source);
        state.ResumeTiming();
        benchmark::DoNotOptimize(CorrectTimes(doc, 0, kLines, 100.0, 1000.0, 98.0, 1003.0).changed);
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_CorrectTimes_100k)->Unit(benchmark::kMillisecond);

// Past the last subtitle: every line is read.
void BM_GoToTime_100k(benchmark::State& state) {
    const SubtitleDocument doc = SortedDocument(kLines);
    for (auto _ : state) benchmark::DoNotOptimize(GoToTime(doc, 1e9).line);
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_GoToTime_100k)->Unit(benchmark::kMillisecond);

// One line; toggled back and forth in a 100 000-line document.
void BM_ToggleItalicAt_In100k(benchmark::State& state) {
    SubtitleDocument doc = SortedDocument(kLines);
    for (auto _ : state) {
        ItalicResult r = ToggleItalicAt(doc, kLines / 2, 20);
        benchmark::DoNotOptimize(r.done);
    }
}
BENCHMARK(BM_ToggleItalicAt_In100k)->Unit(benchmark::kMicrosecond);

// Remove the old marker and insert the new one at the top of 100 000 lines.
void BM_RenewMarker_100k(benchmark::State& state) {
    SubtitleDocument doc = SortedDocument(kLines);
    RenewMarker(doc, "26-01-31");
    for (auto _ : state) benchmark::DoNotOptimize(RenewMarker(doc, "26-01-31", 1000).caret);
}
BENCHMARK(BM_RenewMarker_100k)->Unit(benchmark::kMillisecond);

void BM_DescribeDocument_100k(benchmark::State& state) {
    SubtitleDocument doc;
    Refill(doc, ShuffledDocument(kLines));
    for (auto _ : state) benchmark::DoNotOptimize(DescribeDocument(doc).subtitles);
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_DescribeDocument_100k)->Unit(benchmark::kMillisecond);

}  // namespace
