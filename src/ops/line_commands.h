#pragma once
// The line commands that need the line model: italics on the row under the caret,
// and the jump to the subtitle shown at a given time.
// Positions and columns count characters (Unicode code points) of the UTF-8 text.

#include <string>
#include <string_view>

#include "core/document.h"

namespace kravelo {

struct ItalicRowResult {
    std::string text;
    bool added = false;  // italics were added (else removed)
};

// The row of `text` holding caret position `position` (rows are split at "|"; a caret just
// before a "|" belongs to the row before it, just after it to the row after it). A row that
// begins with "/" loses its closing "/" (when it has one) and its opening "/"; any other row
// gets a closing "/" (unless it already ends with one) and an opening "/".
ItalicRowResult ToggleItalicRow(std::string_view text, long position);

struct ItalicResult {
    bool done = false;  // false: beep, nothing changed (unreadable line, empty text, caret in the times)
    bool added = false;
    long column = 0;  // the caret's new column in the line (the old one +1 / -1 / unchanged)
};

// The italics command on line `lineIndex` with the caret at `column` (0-based, characters):
// the caret's place in the text is column - (line length - text length); the line is written
// back in its own format. While the document has no frame rate, 1.0 is used (frame numbers
// pass through unchanged); the document's rate is never changed.
ItalicResult ToggleItalicAt(SubtitleDocument& doc, long lineIndex, long column);

struct GoToResult {
    long line = 0;         // the line the caret goes to (at its start)
    bool pastEnd = false;  // no subtitle starts later than the time: last line, and a beep
};

// GoToTime: the line before the first readable, non-empty line whose start is later than
// `time` (line 0 when that is the first line); the last line when none starts later.
GoToResult GoToTime(const SubtitleDocument& doc, double time);

}  // namespace kravelo
