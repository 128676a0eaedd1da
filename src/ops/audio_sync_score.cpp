#include "ops/audio_sync_score.h"

#include <algorithm>
#include <cmath>

namespace kravelo::sync {

std::vector<GridLine> PlaceLines(const std::vector<SyncLine>& sorted, double scale, double frameSeconds,
                                 int64_t gapFrames, int64_t maxLenFrames) {
    const std::size_t n = sorted.size();
    std::vector<GridLine> grid(n);
    const auto frame = [&](double t) { return static_cast<int64_t>(std::llround(t * scale / frameSeconds)); };
    for (std::size_t i = 0; i < n; ++i) {
        grid[i].a = frame(sorted[i].start);
        grid[i].b = std::max(frame(sorted[i].end), grid[i].a + 1);
        grid[i].scores = !sorted[i].cue;
    }
    int64_t nextSpeaking = std::numeric_limits<int64_t>::max();
    for (std::size_t k = n; k-- > 0;) {
        GridLine& line = grid[k];
        if (nextSpeaking != std::numeric_limits<int64_t>::max())
            line.b = std::min(line.b, std::max(nextSpeaking, line.a + 1));
        bool cut = false;
        if (line.b - line.a > maxLenFrames) {
            line.b = line.a + maxLenFrames;
            cut = true;
        }
        line.c = cut ? line.b : line.b + gapFrames;
        if (k + 1 < n) line.c = std::min(line.c, std::max(grid[k + 1].a, line.b));
        if (line.scores) nextSpeaking = line.a;
    }
    return grid;
}

SpeechScorer::SpeechScorer(const SpeechTrack& track, int64_t maxOffsetFrames, int64_t lineReachFrames)
    : maxOffset_(std::max<int64_t>(0, maxOffsetFrames)), length_(static_cast<int64_t>(track.speech.size())) {
    // Stored: every x a line within lineReach of the track can touch at any offset up to twice
    // the maximum (pieces' scores are compared around their own offsets).
    const int64_t reach = std::max<int64_t>(0, lineReachFrames);
    low_ = -2 * maxOffset_ - reach;
    const int64_t high = length_ + 2 * maxOffset_ + reach;
    padded_.resize(static_cast<std::size_t>(high - low_ + 1));
    int64_t q = -low_;  // Prefix(low_): every frame before 0 is silence
    for (int64_t x = low_; x <= high; ++x) {
        padded_[static_cast<std::size_t>(x - low_)] = static_cast<int32_t>(q);
        if (x >= 0 && x < length_)
            q += track.speech[static_cast<std::size_t>(x)] ? 1 : -1;
        else
            q -= 1;
    }
}

int64_t SpeechScorer::Prefix(int64_t x) const {
    const int64_t high = low_ + static_cast<int64_t>(padded_.size()) - 1;
    if (x < low_) return padded_.front() + (low_ - x);
    if (x > high) return padded_.back() - (x - high);
    return padded_[static_cast<std::size_t>(x - low_)];
}

const int32_t* SpeechScorer::FastPrefix(int64_t x, long count) const {
    const int64_t last = x + count - 1;
    if (x < low_ || last >= low_ + static_cast<int64_t>(padded_.size())) return nullptr;
    return padded_.data() + (x - low_);
}

int64_t SpeechScorer::LineScore(const GridLine& line, int64_t offset) const {
    if (!line.scores) return 0;
    return 2 * Prefix(line.b + offset) - Prefix(line.a + offset) - Prefix(line.c + offset);
}

void SpeechScorer::LineRow(const GridLine& line, int32_t* row) const {
    std::fill(row, row + offsets(), 0);
    AddLineRow(line, row);
}

void SpeechScorer::AddLineScores(const GridLine& line, int64_t firstOffset, long count, int32_t* sum) const {
    if (!line.scores || count <= 0) return;
    const int32_t* pa = FastPrefix(line.a + firstOffset, count);
    const int32_t* pb = FastPrefix(line.b + firstOffset, count);
    const int32_t* pc = FastPrefix(line.c + firstOffset, count);
    if (pa && pb && pc) {
        for (long i = 0; i < count; ++i) sum[i] += 2 * pb[i] - pa[i] - pc[i];
        return;
    }
    for (long i = 0; i < count; ++i) sum[i] += static_cast<int32_t>(LineScore(line, firstOffset + i));
}

bool Ticker::Tick() {
    if (cancelled_) return false;
    if (progress_ && position_ % 10 == 0) progress_(position_, total_, ProgressColor::Blue);
    if (cancel_ && position_ % 64 == 0 && cancel_->load(std::memory_order_relaxed)) cancelled_ = true;
    ++position_;
    return !cancelled_;
}

long MiddleOfFirstMaximum(const double* values, long count) {
    if (count <= 0) return 0;
    const long first = static_cast<long>(std::max_element(values, values + count) - values);
    long end = first;
    while (end + 1 < count && values[end + 1] == values[first]) ++end;
    return first + (end - first) / 2;
}

namespace {

// Positions where the prefix maximum of each row rises, so that the best earlier offset up
// to any bound can be found again when the path is traced back.
struct Records {
    std::vector<int32_t> positions;
    std::vector<std::size_t> rowStart;

    // The last rise at or before x in row `row`: the leftmost argmax of that row's prefix.
    int32_t ArgmaxUpTo(std::size_t row, int32_t x) const {
        const auto begin = positions.begin() + static_cast<std::ptrdiff_t>(rowStart[row]);
        const auto end = positions.begin() + static_cast<std::ptrdiff_t>(rowStart[row + 1]);
        auto it = std::upper_bound(begin, end, x);
        return it == begin ? *begin : *(it - 1);
    }
};

}  // namespace

SplitPath SplitSearch(const std::vector<GridLine>& lines, const SpeechScorer& scorer, double penalty,
                      Ticker& ticker) {
    SplitPath path;
    const std::size_t n = lines.size();
    if (n == 0) return path;
    const long count = scorer.offsets();
    const bool splits = std::isfinite(penalty);
    std::vector<int32_t> row(static_cast<std::size_t>(count));
    std::vector<double> prev(static_cast<std::size_t>(count)), cur(static_cast<std::size_t>(count));
    std::vector<double> best(static_cast<std::size_t>(count));
    const std::size_t words = (static_cast<std::size_t>(count) + 63) / 64;
    std::vector<uint64_t> splitBits(splits ? n * words : 0);
    Records records;
    records.rowStart.push_back(0);

    if (!ticker.Tick()) return path;
    scorer.LineRow(lines[0], row.data());
    for (long i = 0; i < count; ++i) prev[static_cast<std::size_t>(i)] = row[static_cast<std::size_t>(i)];

    for (std::size_t k = 1; k < n; ++k) {
        if (!ticker.Tick()) return path;
        scorer.LineRow(lines[k], row.data());
        if (!splits) {
            for (long i = 0; i < count; ++i) prev[static_cast<std::size_t>(i)] += row[static_cast<std::size_t>(i)];
            continue;
        }
        // Prefix maximum of the previous row, and where it rises.
        double high = -std::numeric_limits<double>::infinity();
        for (long i = 0; i < count; ++i) {
            const double v = prev[static_cast<std::size_t>(i)];
            if (v > high) {
                high = v;
                records.positions.push_back(static_cast<int32_t>(i));
            }
            best[static_cast<std::size_t>(i)] = high;
        }
        records.rowStart.push_back(records.positions.size());
        // A split may move the previous line back by up to the gap between them.
        const int64_t room = std::max<int64_t>(0, lines[k].a - lines[k - 1].b);
        uint64_t* bits = splitBits.data() + k * words;
        for (long i = 0; i < count; ++i) {
            const int64_t bound = std::min<int64_t>(i + room, count - 1);
            const double split = best[static_cast<std::size_t>(bound)] - penalty;
            const double stay = prev[static_cast<std::size_t>(i)];
            const bool jump = split > stay;
            cur[static_cast<std::size_t>(i)] = row[static_cast<std::size_t>(i)] + (jump ? split : stay);
            bits[i >> 6] |= static_cast<uint64_t>(jump) << (i & 63);
        }
        prev.swap(cur);
    }

    long at = MiddleOfFirstMaximum(prev.data(), count);
    path.score = prev[static_cast<std::size_t>(at)];
    path.offsets.assign(n, 0);
    for (std::size_t k = n; k-- > 0;) {
        path.offsets[k] = at - scorer.maxOffset();
        if (k == 0 || !splits) continue;
        const uint64_t* bits = splitBits.data() + k * words;
        if ((bits[static_cast<std::size_t>(at) >> 6] >> (at & 63)) & 1u) {
            const int64_t room = std::max<int64_t>(0, lines[k].a - lines[k - 1].b);
            const int32_t bound = static_cast<int32_t>(std::min<int64_t>(at + room, count - 1));
            at = records.ArgmaxUpTo(k - 1, bound);
        }
    }
    return path;
}

}  // namespace kravelo::sync
