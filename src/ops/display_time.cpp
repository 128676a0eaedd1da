#include "ops/display_time.h"

#include <algorithm>

#include "core/text_util.h"
#include "ops/next_scan.h"

namespace kravelo {

DisplayTimeResult SetDisplayTimes(SubtitleDocument& doc, const DisplayTimeOptions& options, long first,
                                  long last, const ProgressFn& progress) {
    DisplayTimeResult result;
    std::vector<std::string>& lines = doc.lines;
    last = std::min(last, static_cast<long>(lines.size()));
    NextSubtitleScan next(doc);
    SubtitleLine sub;
    std::string written;
    for (long i = std::max(0L, first); i < last; ++i) {
        if (progress && i % 10 == 0) progress(i, last, ProgressColor::Blue);
        std::string& line = lines[static_cast<std::size_t>(i)];
        if (line.empty()) continue;
        if (!next.Take(static_cast<std::size_t>(i), sub) && ParseLine(line, doc.frameRate, sub, doc.ssa) != 1)
            continue;
        if (options.emptyEnds) {
            sub.end = 0.0;
        } else {
            if (options.overwrite || (sub.end == 0.0 && sub.start >= 0.0)) {
                sub.end =
                    options.byLength
                        ? sub.start + 2.0 + options.seconds * static_cast<double>(CountChars(sub.text)) * 0.02
                        : sub.start + options.seconds;
            }
            if (options.blockEnd && sub.end != 0.0)
                CutBlockEnd(sub, next.Find(static_cast<std::size_t>(i) + 1), doc.frameRate);
        }
        RewriteLine(line, sub, doc.frameRate, doc.ssa, written);
        line.swap(written);
        ++result.linesWritten;
    }
    return result;
}

}  // namespace kravelo
