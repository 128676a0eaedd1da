// The audio aligner alone on synthetic movies (20 minutes with a quiet or a loud music bed, and
// 2 hours): a speech track with a voice detector's faults (late ends, music and effects taken
// for speech, flipped frames) and the eight mistimed versions of the true subtitles. Besides the
// time, each run reports the share of lines within 100 ms of the truth, the median and 95th
// percentile error, the splits found and the process's peak memory.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "ops/audio_sync.h"
#include "ops/audio_sync_score.h"

using namespace kravelo;

namespace {

struct Rng {
    uint64_t state;
    double Uniform() {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state >> 11) / 9007199254740992.0;
    }
    double Uniform(double a, double b) { return a + (b - a) * Uniform(); }
    int Int(int a, int b) { return a + static_cast<int>(Uniform() * (b - a + 1)); }
};

struct Span {
    double start, end;
};

struct Movie {
    std::vector<SyncLine> truth;
    std::vector<Span> interludes;
    SpeechTrack track;
    double length = 0.0;
};

Movie MakeMovie(uint64_t seed, double minutes, bool loud) {
    Rng rng{seed};
    Movie m;
    m.length = minutes * 60.0;
    std::vector<Span> speech;
    double t = rng.Uniform(10.0, 12.0);
    int untilInterlude = rng.Int(8, 25);
    while (t < m.length - 8.0) {
        if (--untilInterlude == 0) {
            const double len = rng.Uniform(8.0, 45.0);
            if (t + len > m.length - 8.0) break;
            m.interludes.push_back({t, t + len});
            if (rng.Uniform() < 0.3) m.truth.push_back({t + rng.Uniform(0.5, 2.0), t + len - 1.0, true, 0});
            t += len + rng.Uniform(0.5, 2.0);
            untilInterlude = rng.Int(8, 25);
            continue;
        }
        const double len = rng.Int(3, 14) * rng.Uniform(0.28, 0.4);
        speech.push_back({t, t + len});
        if (rng.Uniform() >= 0.03) {
            const double start = t - rng.Uniform(0.0, 0.25);
            m.truth.push_back({start, std::max(t + len + rng.Uniform(0.1, 0.6), start + 1.0), false, 0});
        }
        t += len + (rng.Uniform() < 0.5 ? rng.Uniform(0.15, 0.8) : rng.Uniform(0.8, 4.0));
    }
    std::sort(m.truth.begin(), m.truth.end(), [](const SyncLine& a, const SyncLine& b) { return a.start < b.start; });
    for (std::size_t i = 0; i < m.truth.size(); ++i) {
        m.truth[i].line = static_cast<long>(i);
        if (i + 1 < m.truth.size()) m.truth[i].end = std::min(m.truth[i].end, m.truth[i + 1].start - 0.08);
    }

    // The detector's view.
    std::vector<uint8_t>& v = m.track.speech;
    v.assign(static_cast<std::size_t>(m.length * 100), 0);
    const auto mark = [&](double a, double b) {
        for (long k = std::max(0L, std::lround(a * 100)); k < std::min<long>(std::lround(b * 100), static_cast<long>(v.size())); ++k)
            v[static_cast<std::size_t>(k)] = 1;
    };
    for (const Span& s : speech) mark(s.start + rng.Uniform(0.0, 0.03), s.end + rng.Uniform(0.0, 0.08));
    // Music: interludes always, a bed under part of the film; some of it heard as speech.
    const double bedShare = loud ? 0.7 : 0.35, bedHeard = loud ? 0.3 : 0.05;
    for (const Span& s : m.interludes)
        for (double a = s.start; a < s.end; a += 0.3)
            if (rng.Uniform() < 0.3) mark(a, a + 0.3);
    for (double a = 0.0; a < m.length;) {
        const double len = rng.Uniform(20.0, 90.0);
        if (rng.Uniform() < bedShare)
            for (double b = a; b < a + len; b += 0.3)
                if (rng.Uniform() < bedHeard) mark(b, b + 0.3);
        a += len;
    }
    for (double a = -std::log(1.0 - rng.Uniform()) * 15.0; a < m.length; a += -std::log(1.0 - rng.Uniform()) * 15.0)
        if (rng.Uniform() < 0.5) mark(a, a + rng.Uniform(0.1, 1.2));
    for (auto& f : v)
        if (rng.Uniform() < 0.03) f ^= 1;
    return m;
}

struct Case {
    const char* name;
    std::vector<SyncLine> input, truth;
};

std::vector<Case> Cases(const Movie& m) {
    const std::size_t breakAt = m.truth.size() * 2 / 5;
    const auto cutScene = [&](double from) {
        for (const Span& s : m.interludes)
            if (s.start >= from * m.length && s.end - s.start >= 15.0) return s;
        return Span{m.length, m.length};
    };
    const Span cut = cutScene(0.5), cut2 = cutScene(0.6), none{-1.0, -1.0};
    const struct {
        const char* name;
        std::function<double(double, std::size_t)> time;
        Span removed;
    } kinds[] = {
        {"offset", [](double x, std::size_t) { return x + 2.345; }, none},
        {"offset_neg", [](double x, std::size_t) { return x - 7.89; }, none},
        {"fps_25_to_23976", [](double x, std::size_t) { return x * 23.976 / 25.0 + 1.2; }, none},
        {"fps_23976_to_25", [](double x, std::size_t) { return x * 25.0 / 23.976 - 0.8; }, none},
        {"adbreak", [&](double x, std::size_t i) { return x + 1.5 + (i >= breakAt ? 37.0 : 0.0); }, none},
        {"cut", [&](double x, std::size_t) { return x + 0.7 - (x >= cut.end ? cut.end - cut.start : 0.0); }, cut},
        {"fps_2splits",
         [&](double x, std::size_t i) {
             return (x + (i >= breakAt ? 30.0 : 0.0) - (x >= cut2.end ? cut2.end - cut2.start : 0.0)) * 23.976 / 25.0 + 0.4;
         },
         cut2},
        {"odd_drift", [](double x, std::size_t) { return x * 1.003 - 1.0; }, none},
    };
    std::vector<Case> out;
    for (const auto& k : kinds) {
        Case c{k.name, {}, {}};
        for (std::size_t i = 0; i < m.truth.size(); ++i) {
            const SyncLine& s = m.truth[i];
            if (s.start >= k.removed.start && s.start < k.removed.end) continue;
            c.input.push_back({k.time(s.start, i), k.time(s.end, i), s.cue, static_cast<long>(c.input.size())});
            c.truth.push_back(s);
        }
        out.push_back(std::move(c));
    }
    return out;
}

void Report(benchmark::State& state, const SyncResult& r, const Case& c) {
    std::vector<double> errors, signedErrors;
    for (std::size_t i = 0; i < c.input.size(); ++i)
        for (const SyncPiece& p : r.pieces)
            if (p.firstLine <= c.input[i].line && c.input[i].line <= p.lastLine)
                signedErrors.push_back((p.scale * c.input[i].start + p.offset - c.truth[i].start) * 1000.0);
    for (double e : signedErrors) errors.push_back(std::abs(e));
    std::sort(errors.begin(), errors.end());
    std::sort(signedErrors.begin(), signedErrors.end());
    state.counters["late_ms"] = signedErrors.empty() ? 0.0 : signedErrors[signedErrors.size() / 2];  // signed median
    const auto at = [&](double q) { return errors.empty() ? 0.0 : errors[static_cast<std::size_t>(q * (errors.size() - 1))]; };
    state.counters["within100_pct"] =
        100.0 * static_cast<double>(std::upper_bound(errors.begin(), errors.end(), 100.0) - errors.begin()) /
        static_cast<double>(c.input.size());
    state.counters["median_ms"] = at(0.5);
    state.counters["p95_ms"] = at(0.95);
    state.counters["splits"] = static_cast<double>(r.splits);
    state.counters["lines"] = static_cast<double>(c.input.size());
    state.counters["trusted"] = r.trustworthy ? 1 : 0;
    state.counters["confidence"] = r.confidence;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

const Movie& MovieOf(int which) {
    static const Movie movies[] = {MakeMovie(1, 20, false), MakeMovie(2, 20, true), MakeMovie(3, 120, false)};
    return movies[which];
}

void BM_AlignToSpeech(benchmark::State& state, int which, std::size_t kind) {
    const Movie& m = MovieOf(which);
    const Case c = Cases(m)[kind];
    SyncResult r;
    for (auto _ : state) {
        r = AlignToSpeech(c.input, m.track, SyncOptions{});
        benchmark::DoNotOptimize(r);
    }
    Report(state, r, c);
}

// The split search alone, one ratio, 2 hours: lines x 60 001 offsets.
void BM_SplitSearch2h(benchmark::State& state) {
    const Movie& m = MovieOf(2);
    const Case c = Cases(m)[4];
    const auto grid = sync::PlaceLines(c.input, 1.0, 0.01, 150, 1000);
    const sync::SpeechScorer scorer(m.track, 30000, 1151);
    for (auto _ : state) {
        sync::Ticker ticker({}, nullptr, static_cast<long>(grid.size()));
        benchmark::DoNotOptimize(sync::SplitSearch(grid, scorer, 600.0, ticker));
    }
    state.counters["lines"] = static_cast<double>(grid.size());
}
BENCHMARK(BM_SplitSearch2h)->Unit(benchmark::kMillisecond);

const bool registered = [] {
    const char* names[] = {"c20", "loud20", "c120"};
    const char* kinds[] = {"offset", "offset_neg", "fps_25_to_23976", "fps_23976_to_25",
                           "adbreak", "cut", "fps_2splits", "odd_drift"};
    for (int which = 0; which < 3; ++which)
        for (std::size_t kind = 0; kind < 8; ++kind)
            benchmark::RegisterBenchmark((std::string("BM_AlignToSpeech/") + names[which] + "/" + kinds[kind]).c_str(),
                                         BM_AlignToSpeech, which, kind)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(which == 2 ? 1 : 2);
    return true;
}();

}  // namespace
