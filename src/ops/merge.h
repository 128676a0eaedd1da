#pragma once
// Merging short subtitles: a subtitle shown too briefly for its length, that starts or
// ends close to its previous or next subtitle, is joined with the shorter of the two as an extra
// row, optionally re-wrapped to a row limit.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/document.h"

namespace kravelo {

struct MergeOptions {
    double per50 = 2.0;      // short: shown less than this many seconds per 50 characters
    double spanEnd = 4.0;    // candidate: first start to last end below this
    double spanStart = 2.0;  // or first start to last start below this
    long maxLength = 80;     // the two texts together at most this many characters; 0 = no limit
    bool asRows = false;     // keep every row; false: re-wrap to at most maxRows rows
    long maxRows = 3;        // at least 2
};

struct MergeResult {
    int merges = 0;    // reported as SubtitlesMergeCount, a space and this number
    int backward = 0;  // merges with the previous subtitle
    int forward = 0;   // merges with the next subtitle
};

// Walks [first, last) and merges short subtitles; `last` shrinks by one for each line removed
// inside the range. The next subtitle (and the one after it) are looked for in the whole
// document, so the last subtitle of the range may absorb the one after the range. Merged lines
// are written in the current line's format at doc.frameRate; merged texts are kept whole.
MergeResult MergeShortSubtitles(SubtitleDocument& doc, const MergeOptions& options, long first, long& last,
                                const ProgressFn& progress = {});

// Re-wraps a merged text whose join "|" is the byte at `join` so that it keeps at most
// maxRows - 1 breaks: the join stays, the other breaks are shared between the two parts by their
// lengths and the surplus "|" become spaces.
std::string RewrapMergedText(std::string_view text, std::size_t join, long maxRows);

}  // namespace kravelo
