#pragma once
// Subtitle repair: blank lines and empty subtitles removed, spacing around
// punctuation and dialogue dashes fixed, surplus spaces and brace codes removed, and ends that
// run into the next subtitle cut.

#include <string>

#include "core/document.h"

namespace kravelo {

// The dialog's eight boxes, with its defaults.
struct RepairOptions {
    bool blockEnd = true;      // cut an end that reaches the next subtitle's start
    bool punctuation = true;   // spacing around . , ! ? : ;
    bool dash = true;          // spacing after a dialogue dash at a row's start
    bool emptyLines = true;    // remove blank lines and subtitles without text
    bool doubleSpaces = true;  // runs of spaces become one
    bool rowEndSpaces = true;  // spaces at row ends and around "|"
    bool digitSpaces = false;  // single spaces between digits
    bool braceCodes = false;   // {...} colour and style codes

    bool Any() const {
        return blockEnd || punctuation || dash || emptyLines || doubleSpaces || rowEndSpaces || digitSpaces ||
               braceCodes;
    }
};

struct RepairResult {
    long linesRemoved = 0;
    long linesWritten = 0;  // nothing to report: the command shows no message
};

// Repairs [first, last); `last` shrinks by one for each removed line. Every readable, non-empty
// line is rewritten in its own format at doc.frameRate; unreadable lines are left as they are.
// In an SSA document the header lines are left alone. Texts are kept whole.
RepairResult RepairSubtitles(SubtitleDocument& doc, const RepairOptions& options, long first, long& last,
                             const ProgressFn& progress = {});

// The six text rules in their order, each only when its box is ticked (the empty-line box's
// removal of leading spaces is not part of these).
std::string RepairText(std::string text, const RepairOptions& options);

}  // namespace kravelo
