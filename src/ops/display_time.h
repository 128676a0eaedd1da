#pragma once
// The display-time change: end times rewritten from the start and a display time.

#include "core/document.h"

namespace kravelo {

struct DisplayTimeOptions {
    double seconds = 2.5;    // the typed display time (per 50 characters when byLength)
    bool overwrite = true;   // false: only lines without an end (end 0, start not below 0) get one
    bool byLength = true;    // end = start + 2 + seconds x characters x 0.02; else start + seconds
    bool blockEnd = true;    // cut the end just before the next subtitle's start
    bool emptyEnds = false;  // blank every end and ignore all the other options
};

struct DisplayTimeResult {
    long linesWritten = 0;  // nothing to report: the command shows no message
};

// Rewrites the ends of the readable, non-empty lines of [first, last), each in its own format at
// doc.frameRate. The next subtitle of the block-end rule is looked for in the whole document.
DisplayTimeResult SetDisplayTimes(SubtitleDocument& doc, const DisplayTimeOptions& options, long first,
                                  long last, const ProgressFn& progress = {});

}  // namespace kravelo
