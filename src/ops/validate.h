#pragma once
// The line check that runs before a whole-document command: every line of the range must be
// empty or readable. The first unreadable line asks the caller what to do.

#include <functional>

#include "core/document.h"

namespace kravelo {

enum class LineErrorChoice { Break, Ignore, Delete };

// Asked once per check, for the first unreadable line (its index in the document).
using LineErrorChooser = std::function<LineErrorChoice(long index)>;

struct ValidateResult {
    bool ok = true;
    long badLine = -1;  // the unreadable line the check stopped at (Break)
    long deleted = 0;   // lines removed (Delete)
};

// Checks [first, last). Break: fails at the line. Ignore: stops checking and succeeds.
// Delete: removes that line and every later unreadable line of the range without asking;
// `last` shrinks with them. In an SSA document the header lines are skipped.
ValidateResult ValidateLines(SubtitleDocument& doc, long first, long& last, const LineErrorChooser& choose,
                             const ProgressFn& progress = {});

}  // namespace kravelo
