#include "ops/shift.h"

#include <algorithm>

namespace kravelo {

ShiftResult ShiftTimes(SubtitleDocument& doc, double seconds, bool changeStart, bool changeEnd, long first,
                       long last, const ProgressFn& progress) {
    ShiftResult result;
    std::vector<std::string>& lines = doc.lines;
    last = std::min(last, static_cast<long>(lines.size()));
    SubtitleLine sub;
    std::string written;
    for (long i = std::max(0L, first); i < last; ++i) {
        if (progress && i % 10 == 0) progress(i, last, ProgressColor::Blue);
        std::string& line = lines[static_cast<std::size_t>(i)];
        if (line.empty() || ParseLine(line, doc.frameRate, sub, doc.ssa) != 1) continue;
        if (changeStart) sub.start += seconds;
        if (changeEnd && sub.end != 0.0) sub.end += seconds;
        if (sub.start < 0.0 || sub.end < 0.0) result.negativeTime = true;
        putline(sub.format, doc.frameRate, sub.start, sub.end, sub.text, written);
        line.swap(written);
        ++result.linesWritten;
    }
    return result;
}

ShiftResult NudgeLine(SubtitleDocument& doc, long line, bool forward) {
    if (line < 0 || line >= static_cast<long>(doc.lines.size())) return {};
    return ShiftTimes(doc, forward ? kNudgeSeconds : -kNudgeSeconds, true, true, line, line + 1);
}

}  // namespace kravelo
