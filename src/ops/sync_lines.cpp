#include "ops/sync_lines.h"

#include <algorithm>
#include <cmath>


namespace kravelo {
namespace {

std::string_view TrimSpaces(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// One part of a caption without its formatting: leading "/" (italics) and {...} codes.
std::string Plain(std::string_view part) {
    std::string out;
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (part[i] == '{') {
            std::size_t close = part.find('}', i);
            if (close != std::string_view::npos) {
                i = close;
                continue;
            }
        }
        out += part[i];
    }
    std::string_view v = TrimSpaces(out);
    while (!v.empty() && v.front() == '/') v = TrimSpaces(v.substr(1));
    return std::string(v);
}

bool CuePart(std::string_view part) {
    if (part.empty()) return true;  // an empty part neither makes nor breaks a cue
    if (part.find("\u266A") != std::string_view::npos || part.find("\u266B") != std::string_view::npos ||
        part.find('#') == 0)
        return true;
    const char open = part.front(), close = part.back();
    return (open == '[' && close == ']') || (open == '(' && close == ')');
}

}  // namespace

bool IsCueText(std::string_view text) {
    bool any = false;
    std::size_t from = 0;
    for (;;) {
        std::size_t bar = text.find('|', from);
        std::string part = Plain(text.substr(from, bar == std::string_view::npos ? std::string_view::npos : bar - from));
        if (!CuePart(part)) return false;
        any = any || !part.empty();
        if (bar == std::string_view::npos) break;
        from = bar + 1;
    }
    return any;
}

std::vector<SyncLine> SyncLinesOf(const SubtitleDocument& doc, long first, long last) {
    struct Read {
        long line;
        SubtitleLine sub;
    };
    std::vector<Read> read;
    last = std::min(last, static_cast<long>(doc.lines.size()));
    SubtitleLine sub;
    for (long i = std::max(0L, first); i < last; ++i) {
        const std::string& text = doc.lines[static_cast<std::size_t>(i)];
        if (text.empty() || ParseLine(text, doc.frameRate, sub, doc.ssa) != 1) continue;
        if (!std::isfinite(sub.start) || (sub.start == 0.0 && sub.text.empty())) continue;
        read.push_back({i, sub});
    }
    // Implicit ends are cut at the next start in time, whatever the document's order.
    std::vector<std::size_t> order(read.size());
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return read[a].sub.start < read[b].sub.start; });
    std::vector<double> ends(read.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        const SubtitleLine& s = read[order[k]].sub;
        double next = k + 1 < order.size() ? read[order[k + 1]].sub.start : kEndOfSubtitlesTime;
        ends[order[k]] = s.end > s.start ? s.end : ImplicitEndTime(s.start, s.end, s.text, next);
    }
    std::vector<SyncLine> lines;
    lines.reserve(read.size());
    for (std::size_t k = 0; k < read.size(); ++k)
        lines.push_back({read[k].sub.start, ends[k], IsCueText(read[k].sub.text), read[k].line});
    return lines;
}

}  // namespace kravelo

namespace kravelo {

std::string StandardRatioName(double scale) {
    struct Ratio {
        double a, b;
        const char* name;
    };
    static const Ratio kRatios[] = {{25, 23.976, "25/23.976"}, {25, 24, "25/24"},   {1001, 1000, "1001/1000"},
                                    {23.976, 25, "23.976/25"}, {24, 25, "24/25"}, {1000, 1001, "1000/1001"}};
    for (const Ratio& r : kRatios)
        if (std::fabs(scale - r.a / r.b) < 1e-4) return r.name;
    return {};
}

}  // namespace kravelo
