#pragma once
// Sorting a range of lines by start time, and the start-gap search that finds
// subtitles out of order (shared with the short-subtitle search).

#include <string_view>

#include "core/document.h"

namespace kravelo {

// A line's sort key: its start time in seconds, or kNoStartTime for an empty or unreadable line
// (such lines gather at the top of the sorted range). `scratch` is reused.
double SortKey(std::string_view line, const SubtitleDocument& doc, SubtitleLine& scratch);

struct SortResult {
    long moved = 0;     // lines whose place changed
    OrderReport order;  // the readable lines' starts as they stood before sorting (unsorted/equal counts)
};

// Sorts [first, last) by start time. Stable and O(n log n): lines with equal starts keep their
// order, and empty or unreadable lines gather at the top of the range in their old order.
// Keys at or above kEndOfSubtitlesTime (99999999 s) count as equal among
// themselves. Moves whole lines; never rewrites a line. Progress (blue) every tenth line.
SortResult SortLines(SubtitleDocument& doc, long first, long last, const ProgressFn& progress = {});

// What a search found. Not found ("Wyszukiwanie zakończone" in the GUI): found is false and
// the other fields keep their defaults.
struct SearchHit {
    bool found = false;
    long line = -1;          // the subtitle that matched (k)
    long caretLine = -1;     // the line the GUI puts the caret on
    double time = 0.0;       // k's start (start-gap searches) or its end (gap search)
    long nextLine = -1;      // the line of the next subtitle after k
    double nextStart = 0.0;  // that subtitle's start
};

// FindStartGap (threshold, from line, count): the first line k in (fromLine, count) that is a
// readable, non-empty line whose next subtitle (NextSubtitle from k + 1; 99999999 when none)
// starts no more than `threshold` seconds after k's start. fromLine -1 searches from line 0.
// The caret line is k.
SearchHit FindStartGap(const SubtitleDocument& doc, double threshold, long fromLine, long count);

// The find-unsorted search: FindStartGap with threshold 0 (a successor that starts at the same
// time or earlier); the caret goes on to line k + 1.
SearchHit FindUnsorted(const SubtitleDocument& doc, long fromLine, long count);

}  // namespace kravelo
