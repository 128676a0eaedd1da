#include "ops/line_commands.h"

#include <algorithm>

#include "core/text_util.h"

namespace kravelo {

ItalicRowResult ToggleItalicRow(std::string_view text, long position) {
    const std::size_t p = ByteOffsetOfChar(text, std::max(0L, position));
    std::size_t bar = text.rfind('|', p == 0 ? std::string_view::npos : p - 1);
    const std::size_t rowStart = p == 0 || bar == std::string_view::npos ? 0 : bar + 1;
    std::size_t rowEnd = text.find('|', p);
    if (rowEnd == std::string_view::npos) rowEnd = text.size();
    std::string_view row = text.substr(rowStart, rowEnd - rowStart);

    ItalicRowResult r;
    r.text.reserve(text.size() + 2);
    r.text.append(text.substr(0, rowStart));
    if (!row.empty() && row.front() == '/') {
        std::string_view inner = row.substr(1);
        if (!inner.empty() && inner.back() == '/') inner.remove_suffix(1);
        r.text.append(inner);
        r.added = false;
    } else {
        r.text.push_back('/');
        r.text.append(row);
        if (row.empty() || row.back() != '/') r.text.push_back('/');
        r.added = true;
    }
    r.text.append(text.substr(rowEnd));
    return r;
}

ItalicResult ToggleItalicAt(SubtitleDocument& doc, long lineIndex, long column) {
    ItalicResult result;
    result.column = column;
    if (lineIndex < 0 || lineIndex >= static_cast<long>(doc.lines.size())) return result;
    std::string& text = doc.lines[static_cast<std::size_t>(lineIndex)];
    if (!IsLineValid(text, doc.ssa)) return result;
    const double rate = doc.frameRate == 0.0 ? 1.0 : doc.frameRate;
    SubtitleLine line;
    if (text.empty() || ParseLine(text, rate, line, doc.ssa) != 1) return result;
    // The text is taken to stand at the end of the line.
    const long position =
        column - (static_cast<long>(CountChars(text)) - static_cast<long>(CountChars(line.text)));
    if (line.text.empty() || position < 0) return result;
    ItalicRowResult toggled = ToggleItalicRow(line.text, position);
    std::string written;
    line.text = std::move(toggled.text);
    if (RewriteLine(text, line, rate, doc.ssa, written) != 1) return result;
    text = std::move(written);
    result.done = true;
    result.added = toggled.added;
    if (toggled.added)
        result.column = column + 1;
    else if (position > 0)
        result.column = column - 1;
    return result;
}

GoToResult GoToTime(const SubtitleDocument& doc, double time) {
    GoToResult result;
    const std::vector<std::string>& lines = doc.lines;
    SubtitleLine line;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& text = lines[i];
        if (text.empty() || ParseLine(text, doc.frameRate, line, doc.ssa) != 1) continue;
        if (line.start > time) {
            result.line = i == 0 ? 0 : static_cast<long>(i) - 1;
            return result;
        }
    }
    result.line = lines.empty() ? 0 : static_cast<long>(lines.size()) - 1;
    result.pastEnd = true;
    return result;
}

}  // namespace kravelo
