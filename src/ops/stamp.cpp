#include "ops/stamp.h"

#include <algorithm>

#include "core/subtitle_line.h"

namespace kravelo {

StampResult StampLine(std::string_view line, double position, StampEdge edge, const StampSettings& settings,
                      int activeFormat, double frameRate, const SsaTables& ssa) {
    SubtitleLine l;
    int format = activeFormat;
    if (line.size() > 4 && IsLineValid(line, ssa)) {
        ParseLine(line, frameRate, l, ssa);
        format = l.format;
    } else {
        l.text.assign(line);
    }

    // A reaction time longer than the position would give a time before the movie.
    const double reacted = std::max(0.0, position - settings.ReactionSpeed);
    if (edge == StampEdge::Start) {
        if (settings.LeaveFramesDifference && l.start != 0.0 && l.end != 0.0) l.end = l.end - l.start + reacted;
        l.start = reacted;
    } else {
        l.end = settings.ReactionForEndFrameToo ? reacted : position;
    }

    StampResult r;
    // A subtitle line keeps its own shape (an SSA event line its columns and other fields).
    l.format = format;
    if (RewriteLine(line, l, frameRate, ssa, r.line) != 1) {
        r.error = msg::PutlineFormatError;
        r.line.clear();
        return r;
    }
    r.hasText = !l.text.empty();
    return r;
}

}  // namespace kravelo
