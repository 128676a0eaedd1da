#include "ops/shift.h"

#include "ops/rewrite.h"

namespace kravelo {

ShiftResult ShiftTimes(SubtitleDocument& doc, double seconds, bool changeStart, bool changeEnd, long first,
                       long last, const ProgressFn& progress) {
    ShiftResult result;
    result.linesWritten =
        RewriteLines(doc, doc.frameRate, doc.frameRate, first, last, progress, [&](SubtitleLine& sub) {
            if (changeStart) sub.start += seconds;
            if (changeEnd && sub.end != 0.0) sub.end += seconds;
            if (sub.start < 0.0 || sub.end < 0.0) result.negativeTime = true;
        });
    return result;
}

ShiftResult NudgeLine(SubtitleDocument& doc, long line, bool forward) {
    if (line < 0 || line >= static_cast<long>(doc.lines.size())) return {};
    return ShiftTimes(doc, forward ? kNudgeSeconds : -kNudgeSeconds, true, true, line, line + 1);
}

}  // namespace kravelo
