#pragma once
// The pure parts of saving: the marker subtitle that every saved file carries near
// its top, and whether a save must become a save-as.

#include <string>
#include <string_view>

#include "core/document.h"

namespace kravelo {

// The program's web address at the end of the marker text.
inline constexpr std::string_view kMarkerWebAddress = "https://kravelo.org";

// "/Edited with Kravelo b." build "  (" date ")/|" web address. `date` is the "yy-mm-dd"
// short date of the day of saving.
std::string MarkerText(std::string_view date);

// A marker line contains "Edited with Kravelo b.", "http" and "kravelo" (case-sensitive).
bool IsMarkerLine(std::string_view line);

// Would saving under the current name put one family's content into a file of another?
// (document 1..5 from SubRip 99; SSA 5 from a text file 1; text 1..4 from an SSA file 5)
bool NeedsSaveAs(int documentFormat, int fileFormat);

// Where the marker stands: line 0, or in an SSA document (documentFormat 5) the first line
// after the SSA header (ssa.headerLines; the end of the document when it has no event line).
long MarkerPosition(const SubtitleDocument& doc);

struct MarkerResult {
    long line = 0;                // the marker position m
    bool removed = false;         // an old marker stood at m and was deleted
    bool inserted = false;        // a new marker was written at m
    int format = 0;               // the new marker's format (0 when none was written)
    long caret = 0;               // the caret's new position
    bool usedFrameLines = false;  // a frame line was read or the marker written as one
};

// RenewMarker: deletes the marker at the marker position, then writes a fresh one there in the
// format of the line that follows the first subtitle (NextSubtitle from line 0) — no marker
// when that line is missing, unreadable, empty or blank. Start: 1 / frame rate in the frame
// format, 0.1 s in the decisecond format, 1 s otherwise; end 3.0 s.
// While the document has no frame rate, 1.0 is used (frame numbers pass through unchanged);
// usedFrameLines tells the caller that a real rate was needed.
// `caret` is an editor position (characters, a line break counting once); the result's caret
// stays on the same text: a caret after the marker position moves by the new line (+1 for
// its break) minus the removed one, a caret inside the removed marker goes to the start of
// its line, a caret before the marker position stays.
MarkerResult RenewMarker(SubtitleDocument& doc, std::string_view date, long caret = 0);

}  // namespace kravelo
