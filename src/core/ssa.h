#pragma once
// SubStation Alpha (v4) scripts held line by line in the document: the header reader that
// learns the event columns and italic styles, the event-line fields, SSA times and the header
// written on conversion to SSA. The tables belong to the document being worked on and are
// passed to every line operation with the frame rate.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/messages.h"

namespace kravelo {

struct SsaStyle {
    std::string name;
    bool italic = false;
};

struct SsaTables {
    static constexpr int kMaxStyles = 10;
    std::vector<SsaStyle> styles;  // at most kMaxStyles, in file order
    int startColumn = -1;          // 0-based columns of the events "Format:" line; -1 = not found
    int endColumn = -1;
    int styleColumn = -1;
    int textColumn = -1;
    int headerLines = -1;  // index of the first "Dialogue:" line; -1 = none

    // Event lines are readable only when Start, End and Text are known, and Text comes after
    // the other columns: it runs to the end of the line, so a time or style column after it
    // would be part of the text.
    bool EventsKnown() const {
        return startColumn >= 0 && endColumn >= 0 && textColumn > startColumn && textColumn > endColumn &&
               textColumn > styleColumn;
    }
    bool IsItalicStyle(std::string_view style) const;

    // The reset state: no column known, so no line reads as SSA.
    static const SsaTables& None();
};

// The [SSA] output options of the conversion to SSA.
struct SsaOptions {
    std::string fontName = "Times New Roman CE";
    int fontSize = 28;
    int outline = 3;
    int shadow = 0;
    int marginV = 10;
    int playResY = 304;
};

// Line starts with prefix: both stripped of blanks, then compared without regard to case.
bool SsaStartsWith(std::string_view line, std::string_view prefix);

// 0-based number of the field `name` in a "Format:" line, or -1.
int SsaColumnLookup(std::string_view line, std::string_view prefix, std::string_view name);

// Field n of a line starting with prefix (text between commas, stripped), or empty.
std::string_view SsaField(std::string_view line, std::string_view prefix, int n);

// Everything after the comma that precedes column n, to the end of the line, stripped.
std::string_view SsaTextFrom(std::string_view line, std::string_view prefix, int n);

// Where a field stands in its line: bytes [begin, end) of the stripped field.
struct SsaSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};
// The span of SsaField(line, prefix, n); nullopt when the line does not start with the prefix
// or has fewer than n commas after it.
std::optional<SsaSpan> SsaFieldSpan(std::string_view line, std::string_view prefix, int n);
// The span of SsaTextFrom(line, prefix, n), with the same nullopt cases.
std::optional<SsaSpan> SsaTextSpan(std::string_view line, std::string_view prefix, int n);

// The name of the first style of the table whose italic flag is `italic`, or empty.
std::string_view SsaFirstStyle(const SsaTables& tables, bool italic);

// H:MM:SS.CC reading; nullopt when a part is missing or not an integer.
std::optional<double> ReadSsaTime(std::string_view s);
// H:MM:SS.CC writing with truncated hundredths.
std::string WriteSsaTime(double t);

// Rebuilds the tables from the document's lines. Quiet: only lines 0..100 are looked at and
// nothing is reported; otherwise the two header errors go to `report`.
SsaTables ReadSsaHeader(const std::vector<std::string>& lines, bool quiet, const MessageSink& report = {});

// The ten header lines written on conversion to SSA.
std::vector<std::string> SsaHeaderLines(const SsaOptions& options);

// Inserts the ten header lines at the top and moves the range [first, last) with them.
void WriteSsaHeader(std::vector<std::string>& lines, const SsaOptions& options, long& first, long& last);

}  // namespace kravelo
