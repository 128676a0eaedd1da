#include <algorithm>
#include <array>

#include "core/subtitle_line.h"
#include "core/text_util.h"

namespace kravelo {
namespace {

constexpr std::string_view kPrefix = "Dialogue:";

struct Replacement {
    SsaSpan span;
    std::string text;
};

// A style name for the wanted italic state that the tables read back as such; empty when the
// tables have none (a non-italic name outside the table also reads as not italic).
std::string_view StyleFor(const SsaTables& ssa, bool italic) {
    std::string_view name = SsaFirstStyle(ssa, italic);
    if (!name.empty() || italic) return name;
    for (std::string_view fallback : {"NORMAL", "Default"})
        if (!ssa.IsItalicStyle(fallback)) return fallback;
    return {};
}

// The event-line splice; false when the line cannot be spliced (the caller writes it whole).
bool SpliceEvent(std::string_view line, const SubtitleLine& sub, const SsaTables& ssa, std::string& out) {
    if (!ssa.EventsKnown()) return false;  // also: Text comes after the columns written here
    auto startSpan = SsaFieldSpan(line, kPrefix, ssa.startColumn);
    auto endSpan = SsaFieldSpan(line, kPrefix, ssa.endColumn);
    auto textSpan = SsaTextSpan(line, kPrefix, ssa.textColumn);
    if (!startSpan || !endSpan || !textSpan) return false;
    auto piece = [&](const SsaSpan& s) { return line.substr(s.begin, s.end - s.begin); };
    auto oldStart = ReadSsaTime(piece(*startSpan));
    auto oldEnd = ReadSsaTime(piece(*endSpan));
    if (!oldStart || !oldEnd) return false;

    std::array<Replacement, 4> changes;
    std::size_t count = 0;
    if (sub.start != *oldStart) changes[count++] = {*startSpan, WriteSsaTime(sub.start)};
    if (sub.end != *oldEnd) changes[count++] = {*endSpan, WriteSsaTime(sub.end)};

    std::optional<SsaSpan> styleSpan;
    if (ssa.styleColumn >= 0) styleSpan = SsaFieldSpan(line, kPrefix, ssa.styleColumn);
    const std::string_view style = styleSpan ? piece(*styleSpan) : std::string_view{};
    const bool wasItalic = ssa.IsItalicStyle(style);
    const std::string_view oldText = piece(*textSpan);
    const bool textSame = wasItalic ? sub.text.size() == oldText.size() + 2 && sub.text.front() == '/' &&
                                          sub.text.back() == '/' &&
                                          std::string_view(sub.text).substr(1, oldText.size()) == oldText
                                    : sub.text == oldText;
    if (!textSame) {
        std::string_view body = sub.text;
        const bool italic = !body.empty() && body.front() == '/';
        if (italic) {
            body.remove_prefix(1);
            if (!body.empty() && body.back() == '/') body.remove_suffix(1);
        }
        std::string_view newStyle = style;
        if (italic != wasItalic) newStyle = styleSpan ? StyleFor(ssa, italic) : std::string_view{};
        if (newStyle.empty() && italic != wasItalic) {
            // No style can say it: the text keeps its markers as it stands.
            newStyle = style;
            body = sub.text;
        }
        if (styleSpan && newStyle != style) changes[count++] = {*styleSpan, std::string(newStyle)};
        std::string text(body);
        std::replace(text.begin(), text.end(), '|', ' ');  // SSA rows have no breaks
        changes[count++] = {*textSpan, std::move(text)};
    }

    std::sort(changes.begin(), changes.begin() + static_cast<long>(count),
              [](const Replacement& a, const Replacement& b) { return a.span.begin < b.span.begin; });
    out.clear();
    out.reserve(line.size() + 16);
    std::size_t at = 0;
    for (std::size_t i = 0; i < count; ++i) {
        out.append(line.substr(at, changes[i].span.begin - at));
        out.append(changes[i].text);
        at = changes[i].span.end;
    }
    out.append(line.substr(at));
    return true;
}

}  // namespace

int RewriteLine(std::string_view original, const SubtitleLine& sub, double frameRate, const SsaTables& ssa,
                std::string& out) {
    if (sub.format == kFormatSsa && LineFormat(original, ssa) == kFormatSsa && SpliceEvent(original, sub, ssa, out))
        return 1;
    return putline(sub.format, frameRate, sub.start, sub.end, sub.text, out);
}

}  // namespace kravelo
