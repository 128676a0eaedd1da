#include "ops/work_range.h"

#include <algorithm>

namespace kravelo {

long LineStartOffset(std::span<const long> lineLengths, long n) {
    const long count = static_cast<long>(lineLengths.size());
    n = std::clamp(n, 0L, count);
    long offset = 0;
    for (long i = 0; i < n; ++i) offset += lineLengths[static_cast<std::size_t>(i)] + 1;
    return offset;
}

long LineEndOffset(std::span<const long> lineLengths, long n) {
    // Lines 0..n, so one more line than LineStartOffset counts.
    return LineStartOffset(lineLengths, n < 0 ? 0 : n + 1);
}

LineRange GetWorkRange(std::span<const long> lineLengths, long selectionStart, long selectionLength) {
    const long count = static_cast<long>(lineLengths.size());
    if (selectionLength == 0) return {0, count};
    if (selectionLength < 0) {  // a selection made backwards
        selectionStart += selectionLength;
        selectionLength = -selectionLength;
    }
    const long selectionEnd = selectionStart + selectionLength;
    // One pass: `first` is the first line whose end offset is above the start; the end line is the
    // first whose end offset reaches the selection end.
    long first = count, endLine = count;
    long endOffset = 0;
    for (long i = 0; i < count; ++i) {
        endOffset += lineLengths[static_cast<std::size_t>(i)] + 1;
        if (first == count && endOffset > selectionStart) first = i;
        if (endOffset >= selectionEnd) {
            endLine = i;
            break;
        }
    }
    return {first, std::min(endLine + 1, count)};
}

Selection SelectionOfRange(std::span<const long> lineLengths, long first, long last) {
    Selection s;
    s.start = LineStartOffset(lineLengths, first);
    s.length = last > first ? LineEndOffset(lineLengths, last - 1) - s.start : 0;
    return s;
}

}  // namespace kravelo
