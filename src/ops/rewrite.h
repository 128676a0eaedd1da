#pragma once
// The loop most whole-document engines share: every readable line of [first, last) is read,
// changed by the engine and written back in its own format; empty and unreadable lines stay.

#include <algorithm>

#include "core/document.h"

namespace kravelo {

// Reads each line at `readRate`, lets `change(SubtitleLine&)` adjust it, and writes it at
// `writeRate` (an SSA event line keeps its layout and every field that did not change).
// Progress is reported for every tenth line. Returns the number of lines written.
template <class Change>
long RewriteLines(SubtitleDocument& doc, double readRate, double writeRate, long first, long last,
                  const ProgressFn& progress, Change&& change) {
    std::vector<std::string>& lines = doc.lines;
    last = std::min(last, static_cast<long>(lines.size()));
    SubtitleLine sub;
    std::string written;
    long count = 0;
    for (long i = std::max(0L, first); i < last; ++i) {
        if (progress && i % 10 == 0) progress(i, last, ProgressColor::Blue);
        std::string& line = lines[static_cast<std::size_t>(i)];
        if (line.empty() || ParseLine(line, readRate, sub, doc.ssa) != 1) continue;
        change(sub);
        if (RewriteLine(line, sub, writeRate, doc.ssa, written) != 1) continue;
        line.swap(written);
        ++count;
    }
    return count;
}

}  // namespace kravelo
