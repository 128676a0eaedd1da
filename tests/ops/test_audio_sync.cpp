#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "ops/audio_sync.h"
#include "ops/audio_sync_score.h"
#include "support/engine_doc.h"

using namespace kravelo;

namespace {

// A small deterministic generator, so that the scenes do not depend on the library's distributions.
struct Lcg {
    uint64_t state;
    double Uniform() {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state >> 11) / 9007199254740992.0;
    }
};

struct Scene {
    std::vector<std::pair<double, double>> speech;  // what is heard, seconds
    std::vector<std::pair<double, double>> music;   // heard as speech by a detector
    std::vector<SyncLine> truth;                    // correctly timed subtitles
    double length = 0.0;
};

// Lines of 0.8-3.3 s of speech with pauses, and every 12 lines an interlude of 10-30 s, half of
// them with music, some with a "[MUSIC]" caption.
Scene MakeScene(uint64_t seed, int lines) {
    Lcg rng{seed};
    Scene s;
    double t = 3.0;
    for (int i = 0; i < lines; ++i) {
        if (i > 0 && i % 12 == 0) {
            const double len = 10.0 + 20.0 * rng.Uniform();
            if (rng.Uniform() < 0.5) {
                s.music.emplace_back(t + 1.0, t + len - 1.0);
                if (rng.Uniform() < 0.5) s.truth.push_back({t + 1.0, t + 4.0, true, 0});
            }
            t += len;
        }
        const double len = 0.8 + 2.5 * rng.Uniform();
        s.speech.emplace_back(t, t + len);
        s.truth.push_back({t - 0.2 * rng.Uniform(), t + len + 0.1 + 0.4 * rng.Uniform(), false, 0});
        t += len + 0.3 + 2.5 * rng.Uniform();
    }
    for (std::size_t i = 0; i < s.truth.size(); ++i) {
        s.truth[i].line = static_cast<long>(i);
        if (i + 1 < s.truth.size()) s.truth[i].end = std::min(s.truth[i].end, s.truth[i + 1].start - 0.08);
    }
    s.length = t + 5.0;
    return s;
}

// The detector's view: speech and music marked, then a share of frames flipped.
SpeechTrack Track(const Scene& s, double flipped, uint64_t seed) {
    SpeechTrack track;
    track.speech.assign(static_cast<std::size_t>(s.length * 100), 0);
    for (const auto* spans : {&s.speech, &s.music})
        for (auto [a, b] : *spans)
            for (long k = std::lround(a * 100); k < std::lround(b * 100); ++k) track.speech[static_cast<std::size_t>(k)] = 1;
    Lcg rng{seed};
    for (auto& v : track.speech)
        if (rng.Uniform() < flipped) v ^= 1;
    return track;
}

// The true times as a subtitle file has them: scale * t + offset, and from line 60 on `jump`
// seconds later still (an ad break the movie no longer has).
std::vector<SyncLine> Moved(const std::vector<SyncLine>& truth, double scale, double offset,
                            double jump = 0.0) {
    std::vector<SyncLine> out = truth;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double add = offset + (i >= 60 ? jump : 0.0);
        out[i].start = scale * truth[i].start + add;
        out[i].end = scale * truth[i].end + add;
    }
    return out;
}

// Share of lines whose corrected start is within 100 ms of the truth.
double WithinTenth(const SyncResult& r, const std::vector<SyncLine>& input, const std::vector<SyncLine>& truth) {
    long good = 0;
    for (std::size_t i = 0; i < input.size(); ++i) {
        const auto piece = std::find_if(r.pieces.begin(), r.pieces.end(), [&](const SyncPiece& p) {
            return p.firstLine <= input[i].line && input[i].line <= p.lastLine;
        });
        if (piece == r.pieces.end()) continue;
        if (std::abs(piece->scale * input[i].start + piece->offset - truth[i].start) <= 0.1) ++good;
    }
    return static_cast<double>(good) / static_cast<double>(input.size());
}

const SyncOptions kOptions{.maxOffset = 60.0};

}  // namespace

TEST(AlignToSpeech, FindsOffsetsFrameRatesAndAnAdBreakOnANoisyTrack) {
    const Scene s = MakeScene(11, 150);
    const SpeechTrack track = Track(s, 0.10, 5);
    const struct {
        double scale, offset, jump;  // the subtitles' times, as Moved takes them
        double found;                // the scale expected, or 0 for "near 1/1.003"
    } cases[] = {
        {1.0, -7.89, 0.0, 1.0},  // the first lines go below 0
        {23.976 / 25.0, 1.2, 0.0, 25.0 / 23.976},
        {1.003, -1.0, 0.0, 0.0},
        {1.0, 1.5, 37.0, 1.0},  // two pieces
    };
    for (const auto& c : cases) {
        const auto input = Moved(s.truth, c.scale, c.offset, c.jump);
        const SyncResult r = AlignToSpeech(input, track, kOptions);
        const std::size_t pieces = c.jump == 0.0 ? 1 : 2;
        ASSERT_EQ(r.pieces.size(), pieces);
        if (c.found != 0.0)
            EXPECT_DOUBLE_EQ(r.scale, c.found);
        else
            EXPECT_NEAR(r.scale, 1.0 / 1.003, 3e-4);
        EXPECT_EQ(r.pieces.front().firstLine, 0);
        EXPECT_EQ(r.pieces.back().lastLine, static_cast<long>(input.size()) - 1);
        // The break may fall anywhere in the silence between the two lines around it.
        for (std::size_t k = 1; k < pieces; ++k) {
            EXPECT_EQ(r.pieces[k - 1].lastLine + 1, r.pieces[k].firstLine);
        }
        // Each piece's offset and scale put the lines back on their true times.
        EXPECT_GE(WithinTenth(r, input, s.truth), 0.99);
        EXPECT_TRUE(r.trustworthy);
        EXPECT_GT(r.confidence, 5.0);
    }

    // The break with splits off: one piece, and many lines stay off.
    const auto input = Moved(s.truth, 1.0, 1.5, 37.0);
    SyncOptions one = kOptions;
    one.splits = false;
    const SyncResult whole = AlignToSpeech(input, track, one);
    ASSERT_EQ(whole.pieces.size(), 1u);
    EXPECT_LT(WithinTenth(whole, input, s.truth), 0.7);

    // Another scene's speech: only small pieces fit, each a little.
    const SyncResult wrong = AlignToSpeech(input, Track(MakeScene(99, 150), 0.10, 7), kOptions);
    EXPECT_GT(wrong.splits, 2);
    EXPECT_FALSE(wrong.trustworthy);
}

TEST(AlignToSpeech, EdgeCases) {
    const Scene s = MakeScene(3, 80);
    const SpeechTrack track = Track(s, 0.05, 1);
    // Nothing to align: only captions without speech (no lines at all take the same way).
    const SyncResult cues = AlignToSpeech({{1.0, 2.0, true, 0}, {5.0, 8.0, true, 1}}, track, kOptions);
    EXPECT_TRUE(cues.pieces.empty());
    // One line: placed, never a split, too few lines to trust.
    const SyncResult one = AlignToSpeech({s.truth[1]}, track, kOptions);
    ASSERT_EQ(one.pieces.size(), 1u);
    EXPECT_FALSE(one.trustworthy);
    // A short file keeps its rate: ratios near 1 barely move its lines and are not tried.
    for (uint64_t seed : {17, 18, 19, 20}) {
        const Scene brief = MakeScene(seed, 30);
        EXPECT_EQ(AlignToSpeech(Moved(brief.truth, 1.0, 1.0), Track(brief, 0.15, seed), kOptions).scale, 1.0)
            << seed;
    }
    // An empty track or a nonsense frame length.
    EXPECT_FALSE(AlignToSpeech(s.truth, SpeechTrack{}, kOptions).trustworthy);
    EXPECT_TRUE(AlignToSpeech(s.truth, SpeechTrack{0.0, track.speech}, kOptions).pieces.empty());

    // A line longer than the whole movie, and times far outside it, do not move the others.
    auto input = Moved(s.truth, 1.0, -4.0);
    input.push_back({-3.0, s.length * 2, false, 1000});
    input.push_back({1e12, 1e12 + 2.0, false, 1001});
    input.push_back({NAN, 3.0, false, 1002});
    const SyncResult r = AlignToSpeech(input, track, kOptions);
    ASSERT_EQ(r.pieces.size(), 1u);
    EXPECT_NEAR(r.pieces[0].offset, 4.0, 0.1);
    EXPECT_EQ(r.scale, 1.0);
}

TEST(AlignToSpeech, ReportsProgressAndStopsWhenCancelled) {
    const Scene s = MakeScene(5, 60);
    const SpeechTrack track = Track(s, 0.0, 1);
    SyncOptions options = kOptions;
    options.fixRate = false;
    long calls = 0, lastPosition = -1, lastTotal = 0;
    AlignToSpeech(s.truth, track, options, [&](long position, long total, ProgressColor) {
        EXPECT_GT(position, lastPosition);
        EXPECT_LT(position, total);
        lastPosition = position;
        lastTotal = total;
        ++calls;
    });
    EXPECT_GT(calls, 10);
    EXPECT_EQ(lastTotal, static_cast<long>(s.truth.size()) * 2);  // one ratio's scores, one split search

    std::atomic<bool> cancel{false};
    const SyncResult r = AlignToSpeech(s.truth, track, kOptions, [&](long position, long, ProgressColor) {
        if (position >= 10) cancel = true;
    }, &cancel);
    EXPECT_TRUE(r.cancelled);
    EXPECT_TRUE(r.pieces.empty());
}

TEST(SpeechFromLines, EveryLineButACaptionIsSpeech) {
    const SpeechTrack ref = SpeechFromLines({{0.5, 1.0, false, 0}, {-2.0, 0.2, false, 1}, {3.0, 9.0, true, 2}});
    std::vector<uint8_t> expected(100, 0);
    std::fill(expected.begin(), expected.begin() + 20, 1);
    std::fill(expected.begin() + 50, expected.end(), 1);
    EXPECT_EQ(ref.speech, expected);  // negative times start at 0
}

// The split search against every placement of a few lines on a small offset range.
TEST(SplitSearch, MatchesBruteForceOnTinyInputs) {
    Lcg rng{42};
    for (int round = 0; round < 24; ++round) {
        SpeechTrack track;
        track.speech.resize(60 + static_cast<std::size_t>(rng.Uniform() * 40));
        for (auto& v : track.speech) v = rng.Uniform() < 0.5;
        const int n = 2 + round % 4;
        std::vector<SyncLine> lines;
        double t = -0.05 + rng.Uniform() * 0.1;
        for (int i = 0; i < n; ++i) {
            const double len = 0.02 + rng.Uniform() * 0.15;
            lines.push_back({t, t + len, rng.Uniform() < 0.15, i});
            t += len + rng.Uniform() * 0.12 - 0.02;  // sometimes overlapping
        }
        const auto grid = sync::PlaceLines(lines, 1.0, 0.01, 4, 12);
        const int64_t m = 6;
        const sync::SpeechScorer scorer(track, m, 20);
        // Scores straight from the frames.
        const auto frameValue = [&](int64_t x) {
            return (x >= 0 && x < static_cast<int64_t>(track.speech.size()) && track.speech[static_cast<std::size_t>(x)]) ? 1 : -1;
        };
        const auto lineScore = [&](const sync::GridLine& g, int64_t o) {
            if (!g.scores) return int64_t{0};
            int64_t sum = 0;
            for (int64_t x = g.a; x < g.b; ++x) sum += frameValue(x + o);
            for (int64_t x = g.b; x < g.c; ++x) sum -= frameValue(x + o);
            return sum;
        };
        std::vector<std::vector<int64_t>> table(grid.size());
        for (std::size_t i = 0; i < grid.size(); ++i)
            for (int64_t o = -m; o <= m; ++o) {
                table[i].push_back(lineScore(grid[i], o));
                ASSERT_EQ(scorer.LineScore(grid[i], o), table[i].back());
            }

        for (double penalty : {0.0, 2.5, 7.0, sync::kNoSplits}) {
            const auto pathScore = [&](const std::vector<int64_t>& offsets) {
                double sum = 0.0;
                for (int i = 0; i < n; ++i) {
                    sum += static_cast<double>(table[static_cast<std::size_t>(i)][static_cast<std::size_t>(offsets[i] + m)]);
                    if (i == 0 || offsets[i] == offsets[i - 1]) continue;
                    if (!std::isfinite(penalty)) return -1e300;
                    const int64_t room = std::max<int64_t>(0, grid[i].a - grid[i - 1].b);
                    if (offsets[i - 1] > offsets[i] + room) return -1e300;  // would reorder the lines
                    sum -= penalty;
                }
                return sum;
            };
            double best = -1e300;
            std::vector<int64_t> offsets(static_cast<std::size_t>(n), -m);
            while (true) {
                best = std::max(best, pathScore(offsets));
                int i = 0;
                while (i < n && ++offsets[static_cast<std::size_t>(i)] > m) offsets[static_cast<std::size_t>(i++)] = -m;
                if (i == n) break;
            }
            sync::Ticker ticker({}, nullptr, n);
            const sync::SplitPath path = sync::SplitSearch(grid, scorer, penalty, ticker);
            ASSERT_EQ(path.offsets.size(), static_cast<std::size_t>(n));
            EXPECT_DOUBLE_EQ(path.score, best) << "round " << round << " penalty " << penalty;
            EXPECT_DOUBLE_EQ(pathScore(path.offsets), best) << "round " << round << " penalty " << penalty;
        }
    }
}

TEST(ApplySync, MovesEachLineByItsPieceAndReportsNegativeTimes) {
    // Lines 0-1 and 3 form the first piece, 2 and 4 the second (line 3 starts earlier than
    // line 2, so it belongs with the lines before it); line 5 is not a subtitle.
    SubtitleDocument d = test::Doc({"{250}{300}A", "{500}{}B", "{1000}{1100}C", "{900}{950}D", "{1500}{1600}E", "x"});
    SyncResult r;
    r.pieces = {{0, 3, 1.0, -11.0}, {2, 4, 25.0 / 24.0, 2.0}};
    const CorrectResult c = ApplySync(d, 0, 99, r);
    EXPECT_TRUE(c.negativeTime);  // the warning it gives: the command-line tests
    // 10 s -> -1 s; 20 s -> 9 s; 40 s -> 43.667 s; 36 s -> 25 s; 60 s -> 64.5 s (frames at 25 fps).
    EXPECT_EQ(d.lines, (std::vector<std::string>{"{-24}{25}A", "{225}{}B", "{1092}{1196}C", "{625}{675}D",
                                                  "{1613}{1717}E", "x"}));

    SubtitleDocument untouched = test::Doc({"{250}{300}A"});
    EXPECT_FALSE(ApplySync(untouched, 0, 1, SyncResult{}).done);
    EXPECT_EQ(untouched.lines[0], "{250}{300}A");
}
