#pragma once
// The time shift: seconds added to the start and/or end of every line in a range, and
// the quarter-second nudge of one line.

#include <optional>

#include "core/document.h"

namespace kravelo {

struct ShiftResult {
    long linesWritten = 0;
    bool negativeTime = false;  // a start or end went below 0 (the lines are written all the same)

    // NegativeShowTime once, however many lines went negative.
    std::optional<Message> Warning() const {
        return negativeTime ? std::optional<Message>(msg::NegativeShowTime) : std::nullopt;
    }
};

// Adds `seconds` to the start (changeStart) and to the end (changeEnd; an end of 0, meaning no
// end time, stays 0) of every readable, non-empty line of [first, last), read and written in its
// own format at doc.frameRate. Empty and unreadable lines are left alone.
ShiftResult ShiftTimes(SubtitleDocument& doc, double seconds, bool changeStart, bool changeEnd, long first,
                       long last, const ProgressFn& progress = {});

inline constexpr double kNudgeSeconds = 0.25;

// The quarter-second nudge of line `line`: both times move by +0.25 s (forward) or -0.25 s. No
// line check: an empty, unreadable or missing line is left unchanged.
ShiftResult NudgeLine(SubtitleDocument& doc, long line, bool forward);

}  // namespace kravelo
