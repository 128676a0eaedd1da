#pragma once
// The scoring and the split search behind AlignToSpeech, on the speech track's frame grid.
// Separate from audio_sync.h so that the tests can check them on tiny inputs.

#include <atomic>
#include <cstdint>
#include <limits>
#include <vector>

#include "ops/audio_sync.h"

namespace kravelo::sync {

// A line on the frame grid at one scale: speech expected in [a, b), silence in [b, c).
// A cue line (scores = false) is placed but scores nothing.
struct GridLine {
    int64_t a = 0, b = 1, c = 1;
    bool scores = true;
};

// Lines sorted by start, each put on the grid: times * scale / frameSeconds, rounded; an end
// not after the start gets one frame; a line's speech part is cut at the next speaking line's
// start (overlaps) and at maxLenFrames (a longer line then expects no silence after it); the
// silence part is gapFrames long, cut at the next line's start.
std::vector<GridLine> PlaceLines(const std::vector<SyncLine>& sorted, double scale, double frameSeconds,
                                 int64_t gapFrames, int64_t maxLenFrames);

// Scores of a line at every offset of [-maxOffset, +maxOffset] frames: frames of speech inside
// the line minus frames of silence there, minus (speech minus silence) in the gap after it.
// Frames outside the track count as silence.
class SpeechScorer {
public:
    SpeechScorer(const SpeechTrack& track, int64_t maxOffsetFrames, int64_t lineReachFrames);

    int64_t maxOffset() const { return maxOffset_; }
    long offsets() const { return static_cast<long>(2 * maxOffset_ + 1); }  // row length
    int64_t frames() const { return length_; }

    // row[i] = score of the line at offset i - maxOffset; 0 everywhere for a cue line.
    void LineRow(const GridLine& line, int32_t* row) const;
    // Adds the line's row into sum (the no-split score of a set of lines).
    void AddLineRow(const GridLine& line, int32_t* sum) const { AddLineScores(line, -maxOffset_, offsets(), sum); }
    // Adds the line's scores at offsets firstOffset .. firstOffset + count - 1 into sum. Fast for
    // offsets within twice the maximum offset.
    void AddLineScores(const GridLine& line, int64_t firstOffset, long count, int32_t* sum) const;
    // Score of one line at one offset.
    int64_t LineScore(const GridLine& line, int64_t offset) const;

private:
    int64_t Prefix(int64_t x) const;  // sum of the +1/-1 track over frames [0, x)
    const int32_t* FastPrefix(int64_t x, long count) const;  // null when the slice is not stored

    int64_t maxOffset_ = 0;
    int64_t length_ = 0;
    int64_t low_ = 0;               // frame of padded_[0]
    std::vector<int32_t> padded_;   // Prefix(x) for x in [low_, low_ + size)
};

// Progress ticks and the cancel flag shared by the stages of one alignment.
class Ticker {
public:
    Ticker(const ProgressFn& progress, const std::atomic<bool>* cancel, long total)
        : progress_(progress), cancel_(cancel), total_(total) {}
    // One unit of work done; false when cancelled.
    bool Tick();
    bool cancelled() const { return cancelled_; }

private:
    ProgressFn progress_;
    const std::atomic<bool>* cancel_;
    long total_ = 0;
    long position_ = 0;
    bool cancelled_ = false;
};

inline constexpr double kNoSplits = std::numeric_limits<double>::infinity();

// The best placement of the lines: one offset per line (frames), the offset changing only
// between lines, each change costing `penalty` and keeping the lines in order (a line never
// starts before the end of the line before it moved with it, unless they already overlapped).
// score = sum of line scores - penalty * changes. Empty offsets when cancelled or no lines.
struct SplitPath {
    double score = 0.0;
    std::vector<int64_t> offsets;
};
SplitPath SplitSearch(const std::vector<GridLine>& lines, const SpeechScorer& scorer, double penalty,
                      Ticker& ticker);

// The offset index to report out of a row of equal maxima: the middle of the first run of
// maximal values.
long MiddleOfFirstMaximum(const double* values, long count);

}  // namespace kravelo::sync
