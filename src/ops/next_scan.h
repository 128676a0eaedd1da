#pragma once
// The next-subtitle scan of the engines, remembered between lines. An engine walking forward
// asks for the next subtitle after each line; the answer stays the same while the walk moves
// through the lines the last scan passed over (they carry no subtitle), so each stretch of
// such lines is read once instead of once per line.

#include <cstddef>

#include "core/document.h"

namespace kravelo {

class NextSubtitleScan {
  public:
    explicit NextSubtitleScan(const SubtitleDocument& doc) : doc_(doc) {}

    // NextSubtitle from line `from`: the subtitle, or nullptr when none is left. `at` (optional)
    // gets the index of its line, or the line count. The lines from `from` on must not have
    // changed since an earlier scan that is reused; call Reset() after changing them.
    const SubtitleLine* Find(std::size_t from, std::size_t* at = nullptr) {
        if (!valid_ || from < from_ || from > at_) {
            std::size_t index = from;
            found_ = NextSubtitle(doc_.lines, doc_.frameRate, index, sub_, doc_.ssa);
            at_ = found_ ? index - 1 : doc_.lines.size();
            from_ = from;
            valid_ = true;
        }
        if (at) *at = at_;
        return found_ ? &sub_ : nullptr;
    }

    // When the last scan found its subtitle on line `index`, copies it into `out` so the walk
    // need not read that line again when it gets there. The line must not have changed.
    bool Take(std::size_t index, SubtitleLine& out) const {
        if (!valid_ || !found_ || at_ != index) return false;
        out.format = sub_.format;
        out.start = sub_.start;
        out.end = sub_.end;
        out.text.assign(sub_.text);
        return true;
    }

    void Reset() { valid_ = false; }

  private:
    const SubtitleDocument& doc_;
    bool valid_ = false;
    bool found_ = false;
    std::size_t from_ = 0;
    std::size_t at_ = 0;
    SubtitleLine sub_;
};

// The block-end step: the end is cut to just before the next subtitle's start when that start
// is at or before it. The gap is one frame in the frame format, a tenth of a second in the
// decisecond format and a hundredth in the others.
inline double BlockEndGap(int format, double frameRate) {
    if (format == kFormatFrame) return frameRate > 0.0 ? 1.0 / frameRate : 0.0;
    if (format == kFormatDecisecond) return 0.1;
    return 0.01;
}

// The block-end cut of `sub` before `next` (nullptr: no next subtitle). An empty end (0, no end
// time) is never cut, and an end is never cut to or below the line's own start: when the next
// subtitle starts no later than this one plus the gap (lines out of order), the end stays, as
// a cut there would write a negative time or blank a frame end.
inline void CutBlockEnd(SubtitleLine& sub, const SubtitleLine* next, double frameRate) {
    if (!next || sub.end == 0.0 || next->start > sub.end) return;
    const double cut = next->start - BlockEndGap(sub.format, frameRate);
    if (cut > sub.start) sub.end = cut;
}

}  // namespace kravelo
