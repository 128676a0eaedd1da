#include "core/ssa.h"

#include <algorithm>
#include <charconv>

#include "core/text_util.h"
#include "core/time_model.h"

namespace kravelo {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// The rest of a line after its prefix, stripped, when the line starts with the prefix.
bool RestAfterPrefix(std::string_view line, std::string_view prefix, std::string_view& rest) {
    if (!SsaStartsWith(line, prefix)) return false;
    rest = Trim(Trim(line).substr(Trim(prefix).size()));
    return true;
}

void AppendPadded(std::string& out, long long v) {
    if (v >= 0 && v < 10) out.push_back('0');
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

}  // namespace

bool SsaTables::IsItalicStyle(std::string_view style) const {
    for (const SsaStyle& s : styles)
        if (s.italic && s.name == style) return true;
    return false;
}

const SsaTables& SsaTables::None() {
    static const SsaTables none;
    return none;
}

bool SsaStartsWith(std::string_view line, std::string_view prefix) {
    line = Trim(line);
    prefix = Trim(prefix);
    if (line.size() < prefix.size()) return false;
    return EqualsNoCase(line.substr(0, prefix.size()), prefix);
}

int SsaColumnLookup(std::string_view line, std::string_view prefix, std::string_view name) {
    std::string_view rest;
    if (!RestAfterPrefix(line, prefix, rest)) return -1;
    int column = 0;
    while (true) {
        std::size_t comma = rest.find(',');
        std::string_view field = Trim(comma == npos ? rest : rest.substr(0, comma));
        if (EqualsNoCase(field, name)) return column;
        if (comma == npos) return -1;
        rest.remove_prefix(comma + 1);
        ++column;
    }
}

std::optional<SsaSpan> SsaFieldSpan(std::string_view line, std::string_view prefix, int n) {
    std::string_view rest;
    if (n < 0 || !RestAfterPrefix(line, prefix, rest)) return std::nullopt;
    for (int i = 0; i < n; ++i) {
        std::size_t comma = rest.find(',');
        if (comma == npos) return std::nullopt;
        rest.remove_prefix(comma + 1);
    }
    std::size_t comma = rest.find(',');
    std::string_view field = Trim(comma == npos ? rest : rest.substr(0, comma));
    // `field` points into `line`.
    const auto begin = static_cast<std::size_t>(field.data() - line.data());
    return SsaSpan{begin, begin + field.size()};
}

std::optional<SsaSpan> SsaTextSpan(std::string_view line, std::string_view prefix, int n) {
    std::string_view rest;
    if (n < 0 || !RestAfterPrefix(line, prefix, rest)) return std::nullopt;
    for (int i = 0; i < n; ++i) {
        std::size_t comma = rest.find(',');
        if (comma == npos) return std::nullopt;
        rest.remove_prefix(comma + 1);
    }
    std::string_view text = Trim(rest);
    const auto begin = static_cast<std::size_t>(text.data() - line.data());
    return SsaSpan{begin, begin + text.size()};
}

std::string_view SsaField(std::string_view line, std::string_view prefix, int n) {
    auto span = SsaFieldSpan(line, prefix, n);
    return span ? line.substr(span->begin, span->end - span->begin) : std::string_view{};
}

std::string_view SsaTextFrom(std::string_view line, std::string_view prefix, int n) {
    auto span = SsaTextSpan(line, prefix, n);
    return span ? line.substr(span->begin, span->end - span->begin) : std::string_view{};
}

std::string_view SsaFirstStyle(const SsaTables& tables, bool italic) {
    for (const SsaStyle& s : tables.styles)
        if (s.italic == italic) return s.name;
    return {};
}

std::optional<double> ReadSsaTime(std::string_view s) {
    return ReadClockTime(s, '.', 0.01);
}

std::string WriteSsaTime(double t) {
    SplitTimeParts p = SplitTime(t);
    std::string out;
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, p.hours);
    out.append(buf, r.ptr);
    out.push_back(':');
    AppendPadded(out, p.minutes);
    out.push_back(':');
    AppendPadded(out, p.seconds);
    out.push_back('.');
    AppendPadded(out, p.hundredths);
    return out;
}

SsaTables ReadSsaHeader(const std::vector<std::string>& lines, bool quiet, const MessageSink& report) {
    SsaTables t;
    const std::size_t limit = quiet ? std::min<std::size_t>(lines.size(), 101) : lines.size();
    auto say = [&](const Message& m) {
        if (!quiet && report) report(m);
    };

    // Styles: the Name and Italic columns, then up to ten "Style:" lines.
    int nameColumn = -1, italicColumn = -1;
    bool inside = false;
    for (std::size_t i = 0; i < limit; ++i) {
        std::string_view line = lines[i];
        if (!inside) {
            inside = EqualsNoCase(Trim(line), "[V4 STYLES]");
            continue;
        }
        if (!line.empty() && line[0] == '[') break;
        if (SsaStartsWith(line, "Format:")) {
            if (int c = SsaColumnLookup(line, "Format:", "Name"); c >= 0) nameColumn = c;
            if (int c = SsaColumnLookup(line, "Format:", "Italic"); c >= 0) italicColumn = c;
        } else if (SsaStartsWith(line, "Style:")) {
            if (nameColumn < 0 || italicColumn < 0) {
                say(msg::EdSSANoLegend);
                break;
            }
            t.styles.push_back(SsaStyle{std::string(SsaField(line, "Style:", nameColumn)),
                                        SsaField(line, "Style:", italicColumn) == "1"});
            if (static_cast<int>(t.styles.size()) >= SsaTables::kMaxStyles) break;
        }
    }

    // Events: the Start, End, Style and Text columns of the "Format:" line.
    inside = false;
    for (std::size_t i = 0; i < limit; ++i) {
        std::string_view line = lines[i];
        if (!inside) {
            inside = EqualsNoCase(Trim(line), "[EVENTS]");
            continue;
        }
        if (!line.empty() && line[0] == '[') break;
        if (SsaStartsWith(line, "Format:")) {
            if (int c = SsaColumnLookup(line, "Format:", "Start"); c >= 0) t.startColumn = c;
            if (int c = SsaColumnLookup(line, "Format:", "End"); c >= 0) t.endColumn = c;
            if (int c = SsaColumnLookup(line, "Format:", "Style"); c >= 0) t.styleColumn = c;
            if (int c = SsaColumnLookup(line, "Format:", "Text"); c >= 0) t.textColumn = c;
            if (t.startColumn >= 0 && t.endColumn >= 0 && t.styleColumn >= 0 && t.textColumn >= 0) break;
        }
    }

    for (std::size_t i = 0; i < limit; ++i)
        if (SsaStartsWith(lines[i], "Dialogue:")) {
            t.headerLines = static_cast<int>(i);
            break;
        }

    if (!t.EventsKnown()) say(msg::EdSSALegendError);
    return t;
}

std::vector<std::string> SsaHeaderLines(const SsaOptions& o) {
    const std::string common = o.fontName + "," + std::to_string(o.fontSize) + ",16777215,65535,65535,0,1,";
    const std::string tail =
        ",1," + std::to_string(o.outline) + "," + std::to_string(o.shadow) + ",2,30,30," + std::to_string(o.marginV) + ",0,238";
    return {
        "[Script Info]",
        "PlayResY: " + std::to_string(o.playResY),
        "",
        "[V4 Styles]",
        "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, TertiaryColour, BackColour, Bold, "
        "Italic, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, AlphaLevel, Encoding",
        "Style: NORMAL," + common + "0" + tail,
        "Style: ITALIC," + common + "1" + tail,
        "",
        "[Events]",
        "Format: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text",
    };
}

void WriteSsaHeader(std::vector<std::string>& lines, const SsaOptions& options, long& first, long& last) {
    std::vector<std::string> header = SsaHeaderLines(options);
    lines.insert(lines.begin(), std::make_move_iterator(header.begin()), std::make_move_iterator(header.end()));
    const long n = static_cast<long>(header.size());
    if (first > 0) first += n;
    last = std::min<long>(last + n, static_cast<long>(lines.size()));
}

}  // namespace kravelo
