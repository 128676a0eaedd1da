#include "ops/audio_sync.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

#include "ops/audio_sync_score.h"

namespace kravelo {

namespace {

using sync::GridLine;
using sync::SpeechScorer;

constexpr double kMaxLineSeconds = 10.0;        // longer lines score only their first 10 s
constexpr double kPenaltyFloorSeconds = 6.0;    // the split penalty is never below this many seconds
constexpr long kMinLinesForSplits = 50;         // fewer lines cannot tell a split from noise
constexpr long kAnchorWindow = 30;              // lines per window of the drift fit
constexpr long kAnchorStep = 15;
constexpr double kAnchorSnap = 3e-4;            // a fitted ratio this close to a standard one is dropped
constexpr double kAnchorLimit = 0.1;            // |ratio - 1| beyond this is not drift
constexpr long kRatiosSearched = 3;             // ratios given the split search
constexpr double kConfidenceExclusion = 2.0;    // seconds around the peak left out of its z-score
constexpr double kMaxNegativeShare = 0.05;      // more lines than this moved below 0: not trustworthy
constexpr long kMinPieceLines = 10;             // a smaller piece of several is most likely noise fitted
constexpr long kMinTrustedLines = 10;           // fewer speaking lines match anywhere: never trustworthy
constexpr double kMaxTrackSeconds = 48 * 3600.0;  // a speech track made from lines is cut here
constexpr double kMaxLineTime = 1e9;            // seconds; later or earlier times are clamped
constexpr double kMaxSplitCells = 1.2e9;        // lines x offsets; beyond this no split search
constexpr double kMaxOffsetSeconds = 36000.0;   // larger offsets are clamped
constexpr double kMinRatioEffect = 0.3;         // seconds a ratio must move the lines' ends apart
constexpr double kTypicalLeadSeconds = 0.1;     // a subtitle's start before its speech

// The usual frame-rate conversions, the most common first: on equal scores (a short, clean
// file fits several) the earlier one is kept.
const double kStandardRatios[] = {1.0, 25.0 / 23.976, 23.976 / 25.0, 25.0 / 24.0,
                                  24.0 / 25.0, 1001.0 / 1000.0, 1000.0 / 1001.0};

double ClampTime(double t) { return std::clamp(t, -kMaxLineTime, kMaxLineTime); }

// The no-split score of every offset for the lines at one scale.
std::vector<int32_t> OffsetCurve(const std::vector<GridLine>& grid, const SpeechScorer& scorer,
                                 sync::Ticker& ticker) {
    std::vector<int32_t> curve(static_cast<std::size_t>(scorer.offsets()), 0);
    for (const GridLine& line : grid) {
        if (!ticker.Tick()) return {};
        scorer.AddLineRow(line, curve.data());
    }
    return curve;
}

long MiddleOfFirstMaximum(const std::vector<int32_t>& curve) {
    std::vector<double> values(curve.begin(), curve.end());
    return sync::MiddleOfFirstMaximum(values.data(), static_cast<long>(values.size()));
}

// Peak of the curve less `deduction` over the mean of the offsets away from it, in standard
// deviations.
double PeakZScore(const std::vector<int32_t>& curve, int64_t exclusionFrames, double deduction) {
    if (curve.empty()) return 0.0;
    const long peak = static_cast<long>(std::max_element(curve.begin(), curve.end()) - curve.begin());
    double sum = 0.0, squares = 0.0;
    long count = 0;
    for (long i = 0; i < static_cast<long>(curve.size()); ++i) {
        if (std::abs(i - peak) <= exclusionFrames) continue;
        const double v = curve[static_cast<std::size_t>(i)];
        sum += v;
        squares += v * v;
        ++count;
    }
    if (count < 2) return 0.0;
    const double mean = sum / count;
    const double deviation = std::sqrt(std::max(0.0, squares / count - mean * mean));
    const double rise = curve[static_cast<std::size_t>(peak)] - deduction - mean;
    if (deviation <= 0.0) return rise > 0.0 ? 1e6 : 0.0;
    return rise / deviation;
}

// Slope of the best offset of windows of lines against their time (a median of pairwise
// slopes, so that a split or a window fooled by music does not pull it): 1 + slope is the
// drift ratio. nullopt when there are too few windows.
std::optional<double> FittedRatio(const std::vector<SyncLine>& sorted, const std::vector<GridLine>& grid,
                                  const SpeechScorer& scorer, double frameSeconds, sync::Ticker& ticker) {
    std::vector<std::size_t> speaking;
    for (std::size_t i = 0; i < grid.size(); ++i)
        if (grid[i].scores) speaking.push_back(i);
    const long n = static_cast<long>(speaking.size());
    if (n < kAnchorWindow + kAnchorStep) return std::nullopt;
    std::vector<double> times, offsets;
    std::vector<int32_t> previousBlock, block(static_cast<std::size_t>(scorer.offsets()));
    std::vector<int32_t> window(block.size());
    for (long first = 0; first + kAnchorStep <= n; first += kAnchorStep) {
        std::fill(block.begin(), block.end(), 0);
        const long end = first + kAnchorStep;
        for (long k = first; k < end; ++k) {
            if (!ticker.Tick()) return std::nullopt;
            scorer.AddLineRow(grid[speaking[static_cast<std::size_t>(k)]], block.data());
        }
        if (!previousBlock.empty()) {
            for (std::size_t i = 0; i < block.size(); ++i) window[i] = block[i] + previousBlock[i];
            double time = 0.0;
            for (long k = first - kAnchorStep; k < end; ++k) time += sorted[speaking[static_cast<std::size_t>(k)]].start;
            times.push_back(time / kAnchorWindow);
            offsets.push_back(static_cast<double>(MiddleOfFirstMaximum(window) - scorer.maxOffset()) * frameSeconds);
        }
        previousBlock = block;
    }
    std::vector<double> slopes;
    for (std::size_t i = 0; i < times.size(); ++i)
        for (std::size_t j = i + 1; j < times.size(); ++j)
            if (times[j] > times[i]) slopes.push_back((offsets[j] - offsets[i]) / (times[j] - times[i]));
    if (slopes.empty()) return std::nullopt;
    const auto middle = slopes.begin() + static_cast<std::ptrdiff_t>(slopes.size() / 2);
    std::nth_element(slopes.begin(), middle, slopes.end());
    return 1.0 + *middle;
}

// The fitted ratio made exact: the best no-split score over ratios near it (steps of 2e-5),
// each scored on a few seconds of offsets around where the fitted ratio put the lines.
double RefinedRatio(const std::vector<SyncLine>& lines, double fitted, double frameSeconds, int64_t gapFrames,
                    int64_t maxLenFrames, const SpeechScorer& scorer) {
    const auto place = [&](double r) { return sync::PlaceLines(lines, r, frameSeconds, gapFrames, maxLenFrames); };
    std::vector<int32_t> curve(static_cast<std::size_t>(scorer.offsets()), 0);
    for (const GridLine& g : place(fitted)) scorer.AddLineRow(g, curve.data());
    const int64_t centre = MiddleOfFirstMaximum(curve) - scorer.maxOffset();
    double middle = 0.0;
    for (const SyncLine& l : lines) middle += l.start / static_cast<double>(lines.size());
    const int64_t reach = std::llround(3.0 / frameSeconds);
    std::vector<int32_t> window(static_cast<std::size_t>(2 * reach + 1));
    double best = fitted, bestScore = -std::numeric_limits<double>::infinity();
    for (int step = -30; step <= 30; ++step) {
        const double r = fitted + step * 2e-5;
        // Stretching about 0 moves the middle of the lines: follow it.
        const int64_t from = centre - std::llround((r - fitted) * middle / frameSeconds) - reach;
        std::fill(window.begin(), window.end(), 0);
        for (const GridLine& g : place(r)) scorer.AddLineScores(g, from, static_cast<long>(window.size()), window.data());
        const double score = std::min(1.0 / r, 1.0) * *std::max_element(window.begin(), window.end());
        if (score > bestScore) {
            bestScore = score;
            best = r;
        }
    }
    return best;
}

// The score of the pieces moved together away from the offsets found, per common shift.
std::vector<int32_t> PiecesCurve(const std::vector<GridLine>& grid, const std::vector<int64_t>& offsets,
                                 const SpeechScorer& scorer) {
    std::vector<int32_t> curve(static_cast<std::size_t>(scorer.offsets()), 0);
    for (std::size_t k = 0; k < grid.size(); ++k)
        scorer.AddLineScores(grid[k], offsets[k] - scorer.maxOffset(), scorer.offsets(), curve.data());
    return curve;
}

// Where a piece's score is flat over a range of offsets (clean speech: every line has silence
// before and after its speech), places the piece a typical lead before the latest of them: the
// latest lets the earliest-starting line begin right on its speech, and subtitles start a
// little before speech far more tightly than they end after it. Only when nothing better lies
// within half a second.
void SettlePieceOffsets(const std::vector<GridLine>& grid, const SpeechScorer& scorer, double frameSeconds,
                        std::vector<int64_t>& offsets) {
    const int64_t reach = std::max<int64_t>(1, std::llround(0.5 / frameSeconds));
    std::size_t first = 0;
    while (first < grid.size()) {
        std::size_t end = first;
        while (end < grid.size() && offsets[end] == offsets[first]) ++end;
        const int64_t at = offsets[first];
        std::vector<int64_t> score(static_cast<std::size_t>(2 * reach + 1), 0);
        for (int64_t d = -reach; d <= reach; ++d)
            for (std::size_t k = first; k < end; ++k)
                score[static_cast<std::size_t>(d + reach)] += scorer.LineScore(grid[k], at + d);
        const int64_t here = score[static_cast<std::size_t>(reach)];
        if (*std::max_element(score.begin(), score.end()) == here) {
            int64_t left = 0, right = 0;
            while (left > -reach && score[static_cast<std::size_t>(left - 1 + reach)] == here) --left;
            while (right < reach && score[static_cast<std::size_t>(right + 1 + reach)] == here) ++right;
            const int64_t moved = at + std::max<int64_t>(left, right - std::llround(kTypicalLeadSeconds / frameSeconds));
            std::fill(offsets.begin() + static_cast<std::ptrdiff_t>(first),
                      offsets.begin() + static_cast<std::ptrdiff_t>(end), moved);
        }
        first = end;
    }
}

struct Candidate {
    double ratio = 1.0;
    std::size_t preference = 0;        // place in the list of ratios tried
    double rank = 0.0;                 // weighted no-split score
    std::vector<int32_t> curve;        // no-split score per offset
};

}  // namespace

SyncResult AlignToSpeech(const std::vector<SyncLine>& input, const SpeechTrack& speech, const SyncOptions& options,
                         const ProgressFn& progress, const std::atomic<bool>* cancel) {
    SyncResult result;
    const double f = speech.frameSeconds;
    if (!(f >= 1e-3 && f <= 1.0)) return result;

    std::vector<SyncLine> lines;
    lines.reserve(input.size());
    for (const SyncLine& line : input) {
        if (!std::isfinite(line.start) || !std::isfinite(line.end)) continue;
        lines.push_back({ClampTime(line.start), ClampTime(line.end), line.cue, line.line});
    }
    std::stable_sort(lines.begin(), lines.end(), [](const SyncLine& x, const SyncLine& y) {
        return x.start != y.start ? x.start < y.start : x.line < y.line;
    });
    const long speaking =
        static_cast<long>(std::count_if(lines.begin(), lines.end(), [](const SyncLine& l) { return !l.cue; }));
    if (speaking == 0) return result;

    const double maxOffset = std::isfinite(options.maxOffset) ? std::clamp(options.maxOffset, 0.0, kMaxOffsetSeconds) : 0.0;
    const int64_t maxOffsetFrames = std::llround(maxOffset / f);
    const int64_t gapFrames = std::llround(std::clamp(options.gapSeconds, 0.0, 60.0) / f);
    const int64_t maxLenFrames = std::max<int64_t>(1, std::llround(kMaxLineSeconds / f));
    const SpeechScorer scorer(speech, maxOffsetFrames, maxLenFrames + gapFrames + 1);

    // A ratio that moves the last line against the first by less than the score can tell apart
    // is not tried: on a short file it would win or lose by chance.
    const double span = lines.back().start - lines.front().start;
    const auto telling = [&](double r) { return std::abs(r - 1.0) * span >= kMinRatioEffect; };
    std::vector<double> ratios = {1.0};
    if (options.fixRate)
        for (double r : kStandardRatios)
            if (r != 1.0 && telling(r)) ratios.push_back(r);
    const long n = static_cast<long>(lines.size());
    // Ticks: the drift fit, every ratio's curve (the fitted one too) and the split searches.
    const long passes = options.fixRate ? 1 + static_cast<long>(ratios.size()) + 1 + kRatiosSearched : 1 + 1;
    const long total = n * passes;
    sync::Ticker ticker(progress, cancel, total);
    const auto cancelled = [&] {
        result.cancelled = true;
        return result;
    };

    if (options.fixRate) {
        const auto fitted = FittedRatio(lines, sync::PlaceLines(lines, 1.0, f, gapFrames, maxLenFrames), scorer, f, ticker);
        if (ticker.cancelled()) return cancelled();
        if (fitted && std::abs(*fitted - 1.0) < kAnchorLimit) {
            const double refined = RefinedRatio(lines, *fitted, f, gapFrames, maxLenFrames, scorer);
            if (telling(refined) && std::none_of(std::begin(kStandardRatios), std::end(kStandardRatios),
                                                 [&](double r) { return std::abs(r - refined) <= kAnchorSnap; }))
                ratios.push_back(refined);
        }
    }

    // Every ratio's no-split score; the stretched ones are weighted down so that more frames
    // of lines cannot win by themselves.
    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i < ratios.size(); ++i) {
        const double ratio = ratios[i];
        Candidate c;
        c.ratio = ratio;
        c.preference = i;
        c.curve = OffsetCurve(sync::PlaceLines(lines, ratio, f, gapFrames, maxLenFrames), scorer, ticker);
        if (ticker.cancelled()) return cancelled();
        c.rank = std::min(1.0 / ratio, 1.0) * *std::max_element(c.curve.begin(), c.curve.end());
        // Only the best few are kept (a curve is 4 bytes per offset).
        candidates.push_back(std::move(c));
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const Candidate& x, const Candidate& y) { return x.rank > y.rank; });
        if (candidates.size() > static_cast<std::size_t>(kRatiosSearched)) candidates.pop_back();
    }

    // The split search on the best ratios; the highest total wins.
    double lineFrames = 0.0;
    for (const GridLine& g : sync::PlaceLines(lines, 1.0, f, gapFrames, maxLenFrames))
        if (g.scores) lineFrames += static_cast<double>(g.b - g.a);
    const bool splits = options.splits && speaking >= kMinLinesForSplits &&
                        static_cast<double>(n) * static_cast<double>(scorer.offsets()) <= kMaxSplitCells;
    const double penalty =
        splits ? std::max(std::clamp(options.splitPenalty, 0.0, 1e6) / 1000.0 * lineFrames, kPenaltyFloorSeconds / f)
               : sync::kNoSplits;
    const Candidate* chosen = nullptr;
    std::vector<GridLine> chosenGrid;
    sync::SplitPath chosenPath;
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& x, const Candidate& y) { return x.preference < y.preference; });
    for (const Candidate& c : candidates) {
        std::vector<GridLine> grid = sync::PlaceLines(lines, c.ratio, f, gapFrames, maxLenFrames);
        sync::SplitPath path;
        if (splits) {
            path = sync::SplitSearch(grid, scorer, penalty, ticker);
            if (ticker.cancelled()) return cancelled();
        } else {
            const long at = MiddleOfFirstMaximum(c.curve);
            path.score = c.curve[static_cast<std::size_t>(at)];
            path.offsets.assign(grid.size(), at - scorer.maxOffset());
        }
        if (!chosen || path.score > chosenPath.score) {
            chosen = &c;
            chosenGrid = std::move(grid);
            chosenPath = std::move(path);
        }
    }
    if (!chosen) return result;
    SettlePieceOffsets(chosenGrid, scorer, f, chosenPath.offsets);

    result.scale = chosen->ratio;
    long negative = 0;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const double offset = static_cast<double>(chosenPath.offsets[k]) * f;
        if (k == 0 || chosenPath.offsets[k] != chosenPath.offsets[k - 1])
            result.pieces.push_back({lines[k].line, lines[k].line, chosen->ratio, offset});
        result.pieces.back().lastLine = lines[k].line;
        if (chosen->ratio * lines[k].start + offset < 0.0) ++negative;
    }
    result.splits = static_cast<long>(result.pieces.size()) - 1;
    // Confidence: how far the pieces' fit, less what their splits cost, stands above the fit of
    // the same pieces moved together anywhere else. Without splits this is the peak of the
    // no-split score. A wrong movie fits only as many small pieces, each a little.
    result.confidence = PeakZScore(PiecesCurve(chosenGrid, chosenPath.offsets, scorer),
                                   std::llround(kConfidenceExclusion / f),
                                   result.splits > 0 ? penalty * static_cast<double>(result.splits) : 0.0);
    std::vector<long> sizes;  // speaking lines per piece
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (k == 0 || chosenPath.offsets[k] != chosenPath.offsets[k - 1]) sizes.push_back(0);
        sizes.back() += chosenGrid[k].scores ? 1 : 0;
    }
    const bool piecesHeld =
        sizes.size() < 2 || std::all_of(sizes.begin(), sizes.end(), [](long s) { return s >= kMinPieceLines; });
    result.trustworthy = speaking >= kMinTrustedLines && result.confidence >= options.minConfidence &&
                         static_cast<double>(negative) <= kMaxNegativeShare * static_cast<double>(n) && piecesHeld;
    return result;
}

SpeechTrack SpeechFromLines(const std::vector<SyncLine>& reference) {
    SpeechTrack track;
    const double f = track.frameSeconds;
    const auto frame = [&](double t) {
        return static_cast<std::size_t>(std::llround(std::clamp(t, 0.0, kMaxTrackSeconds) / f));
    };
    std::size_t length = 0;
    for (const SyncLine& line : reference)
        if (!line.cue && std::isfinite(line.end) && std::isfinite(line.start)) length = std::max(length, frame(line.end));
    track.speech.assign(length, 0);
    for (const SyncLine& line : reference) {
        if (line.cue || !std::isfinite(line.end) || !std::isfinite(line.start)) continue;
        const std::size_t a = frame(line.start), b = frame(line.end);
        for (std::size_t k = a; k < b; ++k) track.speech[k] = 1;
    }
    return track;
}

CorrectResult ApplySync(SubtitleDocument& doc, long first, long last, const SyncResult& result,
                        const ProgressFn& progress) {
    CorrectResult out;
    if (result.pieces.empty()) return out;
    out.done = true;
    const long size = static_cast<long>(doc.lines.size());
    last = std::min(last, size);

    // Each piece begins at its first line's (start, index); a line goes to the last piece that
    // begins at or before its own (start, index), as the aligner ordered them.
    std::vector<std::pair<double, long>> begins;
    SubtitleLine sub;
    for (const SyncPiece& piece : result.pieces) {
        double start = begins.empty() ? -std::numeric_limits<double>::infinity() : begins.back().first;
        if (piece.firstLine >= 0 && piece.firstLine < size) {
            const std::string& text = doc.lines[static_cast<std::size_t>(piece.firstLine)];
            if (!text.empty() && ParseLine(text, doc.frameRate, sub, doc.ssa) == 1) start = sub.start;
        }
        begins.emplace_back(start, piece.firstLine);
    }

    std::string written;
    for (long i = std::max(0L, first); i < last; ++i) {
        if (progress && i % 10 == 0) progress(i, last, ProgressColor::Blue);
        std::string& text = doc.lines[static_cast<std::size_t>(i)];
        if (text.empty() || ParseLine(text, doc.frameRate, sub, doc.ssa) != 1) continue;
        const auto key = std::make_pair(sub.start, i);
        std::size_t p = 0;
        while (p + 1 < begins.size() && begins[p + 1] <= key) ++p;
        const SyncPiece& piece = result.pieces[p];
        sub.start = piece.scale * sub.start + piece.offset;
        if (sub.end != 0.0) sub.end = piece.scale * sub.end + piece.offset;
        if (sub.start < 0.0 || sub.end < 0.0) out.negativeTime = true;
        if (RewriteLine(text, sub, doc.frameRate, doc.ssa, written) != 1) continue;
        text.swap(written);
        ++out.changed;
    }
    return out;
}

}  // namespace kravelo
