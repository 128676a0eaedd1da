#pragma once
// The five line formats, reading and writing one line, and the scan for the next subtitle.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/ssa.h"

namespace kravelo {

// Line format codes; 0 = unreadable. 99 is a document-level value (SubRip text not yet
// converted) and never a line format.
enum SubtitleFormat : int {
    kFormatNone = 0,
    kFormatTime = 1,       // 00:00:00:text
    kFormatTimeShort = 2,  // 0:00:00:text
    kFormatFrame = 3,      // {start}{end}text
    kFormatDecisecond = 4, // [start][end]text, tenths of a second
    kFormatSsa = 5,        // Dialogue: event line
    kFormatSubRip = 99,
};

struct SubtitleLine {
    int format = kFormatNone;
    double start = 0.0;
    double end = 0.0;  // 0 = no end time
    std::string text;
};

// The value NextSubtitle reports past the last subtitle; also the ceiling of sort keys.
inline constexpr double kEndOfSubtitlesTime = 99999999.0;
// A start before any real one: no previous subtitle yet, or a line without a start (the sort
// key of an empty or unreadable line).
inline constexpr double kNoStartTime = -99999.0;
inline constexpr std::string_view kEndOfSubtitlesText = "END OF SUBTITLES!!!";

// True when the line is empty or readable in one of the five formats.
bool IsLineValid(std::string_view line, const SsaTables& ssa = SsaTables::None());

// Reads a line. Result 1 with the fields filled, or -1 with format 0 when unreadable.
// An empty line reads as format 3 with start 0, end 0 and no text. `out.text` keeps its
// capacity between calls, so a reused SubtitleLine does not allocate.
int ParseLine(std::string_view line, double frameRate, SubtitleLine& out,
              const SsaTables& ssa = SsaTables::None());

// Only the format of a line (0 when unreadable), without reading its times or text.
int LineFormat(std::string_view line, const SsaTables& ssa = SsaTables::None());

// Writes a line in a format. Result 1 with `out` set, or -1 (format not 1..5; the caller shows
// kPutlineFormatError) with `out` unchanged.
int putline(int format, double frameRate, double start, double end, std::string_view text, std::string& out);
std::string putline(int format, double frameRate, double start, double end, std::string_view text);

// Writes `sub` back over `original`, the line it was read from with the same SSA tables. Lines
// of formats 1..4, and anything that is not an SSA event line of these tables, are written whole
// by putline. An SSA event line keeps its own column layout and every byte except the fields
// whose value changed: a changed start or end rewrites only that time field; a changed text
// rewrites the Text field (with "|" as spaces) and, when its italic state changed, the Style
// field (the table's first style of the wanted kind; without one the markers stay in the text,
// so the line still reads back as the same text). A line the program wrote itself comes out as
// putline would write it.
int RewriteLine(std::string_view original, const SubtitleLine& sub, double frameRate, const SsaTables& ssa,
                std::string& out);

// Scans from `index` for the next line that carries a subtitle (readable, and start not 0 or
// text not empty). Found: `out` is that subtitle and `index` points past it. Not found: start
// and end are kEndOfSubtitlesTime, the text kEndOfSubtitlesText and `index` the line count.
bool NextSubtitle(const std::vector<std::string>& lines, double frameRate, std::size_t& index, SubtitleLine& out,
                  const SsaTables& ssa = SsaTables::None());

// The end used for display and timing searches: a missing end (0 or not after the start) is
// start + 2 s + 0.06 s per character; any end is cut at the next subtitle's start.
double ImplicitEndTime(double start, double end, std::string_view text, double nextStart);

}  // namespace kravelo
