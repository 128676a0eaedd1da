#pragma once
// Choosing the lines a whole-document command works on, from the editor's selection, and the
// character offsets that restore a selection afterwards. Offsets are the editor's own character
// positions: every line counts its length plus 1 for its line break (the last line too).

#include <span>

namespace kravelo {

struct LineRange {
    long first = 0;  // inclusive
    long last = 0;   // exclusive
};

// Offset of the start of line n (sum of lengths + 1 over lines 0..n-1); n beyond the line count
// is taken as the line count.
long LineStartOffset(std::span<const long> lineLengths, long n);
// Offset just past line n's break (sum over lines 0..n); n beyond the line count is taken as the
// line count.
long LineEndOffset(std::span<const long> lineLengths, long n);

// No selection (length 0): all lines. Otherwise first = the line holding the selection start,
// last = the line holding the selection end + 1, where a selection ending exactly at a line's
// start (just after the previous break) does not include that line. Neither goes past the line
// count.
LineRange GetWorkRange(std::span<const long> lineLengths, long selectionStart, long selectionLength);

// The selection that covers lines [first, last) including the last line's break, as the
// operation frame restores it: start = LineStartOffset(first), length up to LineEndOffset(last - 1).
struct Selection {
    long start = 0;
    long length = 0;
};
Selection SelectionOfRange(std::span<const long> lineLengths, long first, long last);

}  // namespace kravelo
