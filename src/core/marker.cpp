#include "core/marker.h"

#include <algorithm>

#include "core/text_util.h"
#include "kravelo_version.h"

namespace kravelo {

std::string MarkerText(std::string_view date) {
    std::string text = "/Edited with Kravelo b.";
    text += std::to_string(kBuildNumber);
    text += "  (";
    text += date;
    text += ")/|";
    text += kMarkerWebAddress;
    return text;
}

bool IsMarkerLine(std::string_view line) {
    constexpr auto npos = std::string_view::npos;
    return line.find("Edited with Kravelo b.") != npos && line.find("http") != npos &&
           line.find("kravelo") != npos;
}

bool NeedsSaveAs(int documentFormat, int fileFormat) {
    if (documentFormat != 0 && documentFormat != kFormatSubRip && fileFormat == kFormatSubRip) return true;
    if (documentFormat == kFormatSsa && fileFormat == kFormatTime) return true;
    if (documentFormat >= kFormatTime && documentFormat <= kFormatDecisecond && fileFormat == kFormatSsa)
        return true;
    return false;
}

long MarkerPosition(const SubtitleDocument& doc) {
    if (doc.documentFormat != kFormatSsa) return 0;
    if (doc.ssa.headerLines >= 0) return doc.ssa.headerLines;
    return static_cast<long>(doc.lines.size());
}

MarkerResult RenewMarker(SubtitleDocument& doc, std::string_view date, long caret) {
    MarkerResult result;
    std::vector<std::string>& lines = doc.lines;
    long m = std::min(MarkerPosition(doc), static_cast<long>(lines.size()));
    // An SSA document without event lines has its marker at the end: the marker written there
    // last time is the last line, found and renewed rather than added to.
    if (m == static_cast<long>(lines.size()) && m > 0 && doc.documentFormat == kFormatSsa &&
        IsMarkerLine(lines[static_cast<std::size_t>(m - 1)]))
        --m;
    result.line = m;
    long lineStart = 0;  // editor position of line m's start
    for (long i = 0; i < m; ++i)
        lineStart += static_cast<long>(CountChars(lines[static_cast<std::size_t>(i)])) + 1;
    result.caret = caret;

    if (m < static_cast<long>(lines.size()) && IsMarkerLine(lines[static_cast<std::size_t>(m)])) {
        long removedLength = static_cast<long>(CountChars(lines[static_cast<std::size_t>(m)])) + 1;
        if (caret >= lineStart) result.caret = std::max(lineStart, caret - removedLength);
        lines.erase(lines.begin() + m);
        result.removed = true;
    }

    // While no frame rate is set, frame numbers pass through unchanged (rate 1.0).
    const double rate = doc.frameRate > 0.0 ? doc.frameRate : 1.0;
    std::size_t index = 0;
    SubtitleLine line;
    NextSubtitle(lines, rate, index, line, doc.ssa);
    // Every line up to and including the one after the first subtitle has been read.
    const std::size_t readEnd = std::min(index + 1, lines.size());
    for (std::size_t i = 0; i < readEnd && !result.usedFrameLines; ++i)
        if (!lines[i].empty() && LineFormat(lines[i], doc.ssa) == kFormatFrame) result.usedFrameLines = true;
    if (index >= lines.size()) return result;
    const std::string& following = lines[index];
    if (Trim(following).empty() || ParseLine(following, rate, line, doc.ssa) != 1) return result;
    const int format = line.format;
    const double start = format == kFormatFrame ? 1.0 / rate : format == kFormatDecisecond ? 0.1 : 1.0;
    std::string marker;
    if (putline(format, rate, start, 3.0, MarkerText(date), marker) != 1) return result;
    if (format == kFormatFrame) result.usedFrameLines = true;
    if (result.caret >= lineStart) result.caret += static_cast<long>(CountChars(marker)) + 1;
    lines.insert(lines.begin() + m, std::move(marker));
    result.inserted = true;
    result.format = format;
    return result;
}

}  // namespace kravelo
