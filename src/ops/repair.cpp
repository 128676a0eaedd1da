#include "ops/repair.h"

#include <algorithm>
#include <string_view>

#include "ops/next_scan.h"

namespace kravelo {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsMark(char c) {
    return std::string_view(".,!?:;").find(c) != std::string_view::npos;
}

void PopSpaces(std::string& out) {
    while (!out.empty() && out.back() == ' ') out.pop_back();
}

std::size_t SkipSpaces(std::string_view t, std::size_t p) {
    while (p < t.size() && t[p] == ' ') ++p;
    return p;
}

// Rule 1. Each mark loses the spaces around it and gets one space after it, except before "|",
// before another mark, at the end, and in decimal numbers and clock times (digit.digit, digit:digit).
std::string FixPunctuation(std::string_view t) {
    std::string out;
    out.reserve(t.size() + 8);
    for (std::size_t p = 0; p < t.size();) {
        const char c = t[p];
        if (!IsMark(c)) {
            out.push_back(c);
            ++p;
            continue;
        }
        PopSpaces(out);
        p = SkipSpaces(t, p + 1);
        const bool digitBefore = !out.empty() && IsDigit(out.back());
        out.push_back(c);
        if (p >= t.size() || t[p] == '|' || IsMark(t[p])) continue;
        if ((c == '.' || c == ':') && digitBefore && IsDigit(t[p])) continue;
        out.push_back(' ');
    }
    return out;
}

// Rule 2. A "-" that is the first non-space character of a row loses the spaces around it and
// gets one space after it, unless "|", another "-" or the end follows. Other dashes stay.
std::string FixDialogueDashes(std::string_view t) {
    std::string out;
    out.reserve(t.size() + 4);
    bool rowStart = true;
    for (std::size_t p = 0; p < t.size();) {
        const char c = t[p];
        if (rowStart && c == ' ') {
            out.push_back(c);
            ++p;
            continue;
        }
        if (c == '|') {
            rowStart = true;
            out.push_back(c);
            ++p;
            continue;
        }
        if (rowStart && c == '-') {
            PopSpaces(out);
            p = SkipSpaces(t, p + 1);
            out.push_back(c);
            rowStart = false;
            if (p < t.size() && t[p] != '|' && t[p] != '-') out.push_back(' ');
            continue;
        }
        rowStart = false;
        out.push_back(c);
        ++p;
    }
    return out;
}

// Rule 3. No leading spaces, every run of spaces one space.
std::string RemoveDoubleSpaces(std::string_view t) {
    std::string out;
    out.reserve(t.size());
    for (std::size_t p = SkipSpaces(t, 0); p < t.size(); ++p)
        if (t[p] != ' ' || out.empty() || out.back() != ' ') out.push_back(t[p]);
    return out;
}

// Rule 4. No spaces at the end, after a "|" or before one.
std::string RemoveRowEndSpaces(std::string_view t) {
    std::string out;
    out.reserve(t.size());
    for (std::size_t p = 0; p < t.size(); ++p) {
        const char c = t[p];
        if (c == '|') {
            PopSpaces(out);
            out.push_back(c);
            p = SkipSpaces(t, p + 1) - 1;
            continue;
        }
        out.push_back(c);
    }
    PopSpaces(out);
    return out;
}

// Rule 5. A single space between two digits goes (the scan starts at the second character).
std::string RemoveDigitSpaces(std::string_view t) {
    std::string out;
    out.reserve(t.size());
    for (std::size_t p = 0; p < t.size(); ++p) {
        if (p >= 1 && t[p] == ' ' && IsDigit(t[p - 1]) && p + 1 < t.size() && IsDigit(t[p + 1])) continue;
        out.push_back(t[p]);
    }
    return out;
}

// Rule 6. Every group from a "{" to the next "}" goes, both included; an unclosed "{" stays.
std::string RemoveBraceCodes(std::string_view t) {
    std::string out;
    out.reserve(t.size());
    std::size_t p = 0;
    while (p < t.size()) {
        std::size_t open = t.find('{', p);
        std::size_t close = open == std::string_view::npos ? open : t.find('}', open + 1);
        if (close == std::string_view::npos) break;
        out.append(t.substr(p, open - p));
        p = close + 1;
    }
    out.append(t.substr(p));
    return out;
}

bool OnlySpaces(std::string_view t) {
    return t.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

std::string RepairText(std::string text, const RepairOptions& o) {
    if (o.punctuation) text = FixPunctuation(text);
    if (o.dash) text = FixDialogueDashes(text);
    if (o.doubleSpaces) text = RemoveDoubleSpaces(text);
    if (o.rowEndSpaces) text = RemoveRowEndSpaces(text);
    if (o.digitSpaces) text = RemoveDigitSpaces(text);
    if (o.braceCodes) text = RemoveBraceCodes(text);
    return text;
}

RepairResult RepairSubtitles(SubtitleDocument& doc, const RepairOptions& options, long first, long& last,
                             const ProgressFn& progress) {
    RepairResult result;
    std::vector<std::string>& lines = doc.lines;
    const long count = static_cast<long>(lines.size());
    last = std::min(last, count);
    first = std::max(0L, first);
    // The SSA header is not subtitles: its blank lines stay (as the line check skips it too).
    if (doc.documentFormat == kFormatSsa && doc.ssa.headerLines > first)
        first = std::min(last, static_cast<long>(doc.ssa.headerLines));
    if (first >= last) return result;

    // Lines are read at r and kept ones written back at w <= r, so a removal costs nothing; the
    // lines after r are still the original ones the next-subtitle scan reads.
    NextSubtitleScan next(doc);
    SubtitleLine sub;
    std::string written;
    long w = first;
    for (long r = first; r < last; ++r) {
        const long i = w;  // the line's index in the repaired document
        if (progress && i % 10 == 0) progress(i, last - (r - w), ProgressColor::Blue);
        std::string& line = lines[static_cast<std::size_t>(r)];
        bool keep = true;
        if (line.empty()) {
            keep = !options.emptyLines;
        } else if (ParseLine(line, doc.frameRate, sub, doc.ssa) == 1) {
            if (options.emptyLines) {
                if (OnlySpaces(sub.text)) {
                    keep = false;
                } else {
                    sub.text.erase(0, sub.text.find_first_not_of(' '));
                }
            }
            if (keep) {
                sub.text = RepairText(std::move(sub.text), options);
                // An end of 0 is no end time: there is nothing to cut.
                if (options.blockEnd && sub.end != 0.0) {
                    const SubtitleLine* n = next.Find(static_cast<std::size_t>(r) + 1);
                    if (n && n->start <= sub.end) sub.end = n->start - BlockEndGap(sub.format, doc.frameRate);
                }
                putline(sub.format, doc.frameRate, sub.start, sub.end, sub.text, written);
                line.swap(written);
                ++result.linesWritten;
            }
        }
        if (!keep) {
            ++result.linesRemoved;
            continue;
        }
        if (w != r) lines[static_cast<std::size_t>(w)] = std::move(line);
        ++w;
    }
    if (w != last) {
        lines.erase(lines.begin() + w, lines.begin() + last);
        last = w;
    }
    return result;
}

}  // namespace kravelo
