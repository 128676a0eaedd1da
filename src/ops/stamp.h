#pragma once
// Stamping the movie position into one line as its start or end (Ins, Alt+Ins). The line keeps
// its own format when it is a subtitle; any other line becomes the text of a new subtitle in the
// active format. A line is never emptied: when it cannot be written, it is left as it was.
//
//     StampResult r = StampLine(caretLine, position, StampEdge::Start,
//                               {s.ReactionSpeed, s.LeaveFramesDifference, s.ReactionForEndFrameToo},
//                               activeFormat, frameRate, ssa);
//     if (r.error) prompts.Box(*r.error); else ReplaceLine(caret, r.line);

#include <optional>
#include <string>
#include <string_view>

#include "core/messages.h"
#include "core/ssa.h"

namespace kravelo {

// The settings a stamp reads.
struct StampSettings {
    double ReactionSpeed = 0.0;           // seconds taken off the position
    bool LeaveFramesDifference = true;    // a start stamp keeps the line's display duration
    bool ReactionForEndFrameToo = false;  // the reaction time counts for an end stamp too
};

enum class StampEdge { Start, End };

struct StampResult {
    // Set when the line cannot be written (the active format is not a line format): the line
    // stays as it was and `line` is empty.
    std::optional<Message> error;
    std::string line;      // the rewritten line
    bool hasText = false;  // the subtitle has text (else the caret goes behind the line)
};

// Writes `position` (seconds) into `line` as its start or end. A line that is readable and
// longer than 4 characters keeps its format, times and text; any other line becomes the text
// of a subtitle at 0 in `activeFormat`. The reaction time is taken off the position for a start
// (and for an end with ReactionForEndFrameToo), never below 0. A start stamp on a line with both
// times moves its end along when LeaveFramesDifference is on; an end stamp keeps the start.
StampResult StampLine(std::string_view line, double position, StampEdge edge, const StampSettings& settings,
                      int activeFormat, double frameRate, const SsaTables& ssa = SsaTables::None());

}  // namespace kravelo
