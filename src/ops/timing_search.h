#pragma once
// The two timing searches. They read lines and change nothing; the GUI moves the
// caret to SearchHit::caretLine, or shows "Wyszukiwanie zakończone" when nothing was found.

#include "ops/sort.h"

namespace kravelo {

// Short-subtitle search: FindStartGap (threshold, fromLine, count). Examines the lines after
// fromLine (the caret's line) and stops at the first subtitle k whose next subtitle starts no
// more than `threshold` seconds after k's start. The caret goes to line k.
SearchHit FindShortSubtitle(const SubtitleDocument& doc, double threshold, long fromLine, long count);

// Gap search: from fromLine itself (the caret's line) to count - 1, the first readable,
// non-empty line k that has a next subtitle (NextSubtitle from k + 1) starting at least
// `threshold` seconds after k's end. k's end is its display end (ImplicitEndTime: a missing
// end is estimated, an end past the next start is cut there). The caret goes to line k + 1,
// so a repeated search goes on from there.
SearchHit FindGapAfterSubtitle(const SubtitleDocument& doc, double threshold, long fromLine, long count);

}  // namespace kravelo
