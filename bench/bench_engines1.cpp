// The whole-document engines of shift, display time, frame rate, merge and repair over 100 000
// lines (budget: 50 ms each in Release), and the selection-to-lines mapping.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "ops/display_time.h"
#include "ops/frame_rate.h"
#include "ops/merge.h"
#include "ops/repair.h"
#include "ops/shift.h"
#include "ops/work_range.h"

using namespace kravelo;

namespace {

constexpr long kLines = 100000;

// Subtitles 60 frames apart, each shown 50 frames, about 40 characters in two rows.
std::vector<std::string> FrameLines(long n) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(n));
    for (long i = 0; i < n; ++i)
        lines.push_back("{" + std::to_string(100 + i * 60) + "}{" + std::to_string(150 + i * 60) +
                        "}Przykładowy napis numer " + std::to_string(i) + "|drugi wiersz");
    return lines;
}

// Pairs of subtitles where the first is shown 2 frames and the second follows at once: every
// pair merges (50 000 merges, 50 000 lines removed).
std::vector<std::string> ShortPairLines(long n) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(n));
    for (long i = 0; i < n; ++i) {
        long base = 100 + (i / 2) * 200;
        if (i % 2 == 0)
            lines.push_back("{" + std::to_string(base) + "}{" + std::to_string(base + 2) + "}Krótki " +
                            std::to_string(i));
        else
            lines.push_back("{" + std::to_string(base + 5) + "}{" + std::to_string(base + 60) +
                            "}Następny napis|w dwóch wierszach " + std::to_string(i));
    }
    return lines;
}

// Texts with spacing to repair, overlapping ends and a blank line every tenth line.
std::vector<std::string> RepairLines(long n) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(n));
    for (long i = 0; i < n; ++i) {
        if (i % 10 == 9) {
            lines.emplace_back();
            continue;
        }
        lines.push_back("{" + std::to_string(100 + i * 60) + "}{" + std::to_string(170 + i * 60) +
                        "}  Przykładowy  napis ,numer " + std::to_string(i) +
                        " .|-drugi  wiersz {c:$FF} 1 000 ");
    }
    return lines;
}

SubtitleDocument Document(const std::vector<std::string>& lines) {
    SubtitleDocument d;
    d.lines = lines;
    d.frameRate = 25.0;
    d.documentFormat = kFormatTime;
    return d;
}

// Runs `engine` on a fresh copy of `source` each iteration; the copy is not timed.
template <typename Engine>
void RunOnCopies(benchmark::State& state, const std::vector<std::string>& source, Engine engine) {
    for (auto _ : state) {
        state.PauseTiming();
        SubtitleDocument d = Document(source);
        state.ResumeTiming();
        engine(d);
        benchmark::DoNotOptimize(d.lines.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(source.size()));
}

void BM_ShiftTimes_100k(benchmark::State& state) {
    RunOnCopies(state, FrameLines(kLines),
                [](SubtitleDocument& d) { ShiftTimes(d, 1.5, true, true, 0, kLines); });
}

void BM_NudgeLine_In100k(benchmark::State& state) {
    SubtitleDocument d = Document(FrameLines(kLines));
    bool forward = true;
    for (auto _ : state) {
        NudgeLine(d, kLines / 2, forward);
        forward = !forward;
    }
}

void BM_SetDisplayTimes_100k(benchmark::State& state) {
    RunOnCopies(state, FrameLines(kLines), [](SubtitleDocument& d) {
        DisplayTimeOptions o;
        o.seconds = 2.5;
        SetDisplayTimes(d, o, 0, kLines);
    });
}

// Lines that carry no subtitle ({0}{25}) before the last one: each looks for the next subtitle
// at the end of the document. The remembered scan keeps this linear.
void BM_SetDisplayTimes_100kZeroLines(benchmark::State& state) {
    std::vector<std::string> lines(kLines - 1, "{0}{25}");
    lines.push_back("{1000000}{1000100}Koniec");
    RunOnCopies(state, lines, [](SubtitleDocument& d) {
        DisplayTimeOptions o;
        o.seconds = 2.5;
        o.overwrite = false;
        SetDisplayTimes(d, o, 0, kLines);
    });
}

void BM_ChangeFrameRate_100k(benchmark::State& state) {
    RunOnCopies(state, FrameLines(kLines),
                [](SubtitleDocument& d) { ChangeFrameRate(d, 23.976, 25.0, 0, kLines); });
}

void BM_MergeShortSubtitles_100kNoMerge(benchmark::State& state) {
    RunOnCopies(state, FrameLines(kLines), [](SubtitleDocument& d) {
        long last = kLines;
        MergeShortSubtitles(d, MergeOptions{}, 0, last);
    });
}

void BM_MergeShortSubtitles_100kHalfMerged(benchmark::State& state) {
    RunOnCopies(state, ShortPairLines(kLines), [](SubtitleDocument& d) {
        long last = kLines;
        MergeResult r = MergeShortSubtitles(d, MergeOptions{}, 0, last);
        if (r.merges != kLines / 2) std::abort();
    });
}

void BM_RepairSubtitles_100k(benchmark::State& state) {
    RunOnCopies(state, RepairLines(kLines), [](SubtitleDocument& d) {
        RepairOptions o;
        o.digitSpaces = o.braceCodes = true;
        long last = kLines;
        RepairSubtitles(d, o, 0, last);
    });
}

void BM_GetWorkRange_100k(benchmark::State& state) {
    std::vector<long> lengths(kLines, 40);
    const long end = LineEndOffset(lengths, kLines - 1);
    for (auto _ : state) {
        LineRange r = GetWorkRange(lengths, end / 2, end / 2 - 3);
        benchmark::DoNotOptimize(r);
        Selection s = SelectionOfRange(lengths, r.first, r.last);
        benchmark::DoNotOptimize(s);
    }
}

}  // namespace

BENCHMARK(BM_ShiftTimes_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NudgeLine_In100k)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SetDisplayTimes_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetDisplayTimes_100kZeroLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChangeFrameRate_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeShortSubtitles_100kNoMerge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeShortSubtitles_100kHalfMerged)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepairSubtitles_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetWorkRange_100k)->Unit(benchmark::kMicrosecond);
