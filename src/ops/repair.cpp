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
    switch (c) {
        case '.':
        case ',':
        case '!':
        case '?':
        case ':':
        case ';':
            return true;
        default:
            return false;
    }
}

std::size_t SkipSpaces(std::string_view t, std::size_t p) {
    while (p < t.size() && t[p] == ' ') ++p;
    return p;
}

// Writes a rule's result into a buffer sized for the worst case (each rule adds at most one
// character per input character) and trims it at the end.
class Writer {
  public:
    Writer(std::string& out, std::size_t maxSize) : out_(out) {
        out_.resize(maxSize);
        begin_ = p_ = out_.data();
    }
    ~Writer() { out_.resize(static_cast<std::size_t>(p_ - begin_)); }
    void Put(char c) { *p_++ = c; }
    void Put(std::string_view s) {
        std::copy(s.begin(), s.end(), p_);
        p_ += s.size();
    }
    bool Empty() const { return p_ == begin_; }
    char Back() const { return p_[-1]; }
    void PopSpaces() {
        while (p_ != begin_ && p_[-1] == ' ') --p_;
    }

  private:
    std::string& out_;
    char* begin_;
    char* p_;
};

// Rule 1. Each mark loses the spaces around it and gets one space after it, except before "|",
// before another mark, at the end, and in decimal numbers and clock times (digit.digit, digit:digit).
void FixPunctuation(std::string_view t, std::string& out) {
    Writer w(out, 2 * t.size());
    for (std::size_t p = 0; p < t.size();) {
        std::size_t q = p;
        while (q < t.size() && !IsMark(t[q])) ++q;
        w.Put(t.substr(p, q - p));
        if (q >= t.size()) break;
        const char c = t[q];
        w.PopSpaces();
        p = SkipSpaces(t, q + 1);
        const bool digitBefore = !w.Empty() && IsDigit(w.Back());
        w.Put(c);
        if (p >= t.size() || t[p] == '|' || IsMark(t[p])) continue;
        if ((c == '.' || c == ':') && digitBefore && IsDigit(t[p])) continue;
        w.Put(' ');
    }
}

// Rule 2. A "-" that is the first non-space character of a row loses the spaces around it and
// gets one space after it, unless "|", another "-" or the end follows. Other dashes stay.
void FixDialogueDashes(std::string_view t, std::string& out) {
    Writer w(out, 2 * t.size());
    bool rowStart = true;
    for (std::size_t p = 0; p < t.size();) {
        const char c = t[p];
        if (c == '|') {
            rowStart = true;
        } else if (rowStart && c == '-') {
            w.PopSpaces();
            p = SkipSpaces(t, p + 1);
            w.Put(c);
            rowStart = false;
            if (p < t.size() && t[p] != '|' && t[p] != '-') w.Put(' ');
            continue;
        } else if (c != ' ') {
            rowStart = false;
        }
        w.Put(c);
        ++p;
    }
}

// Rule 3. No leading spaces, every run of spaces one space.
void RemoveDoubleSpaces(std::string_view t, std::string& out) {
    Writer w(out, t.size());
    for (std::size_t p = SkipSpaces(t, 0); p < t.size(); ++p)
        if (t[p] != ' ' || w.Back() != ' ') w.Put(t[p]);  // never empty at a space: p > 0 is not blank
}

// Rule 4. No spaces at the end, after a "|" or before one.
void RemoveRowEndSpaces(std::string_view t, std::string& out) {
    Writer w(out, t.size());
    for (std::size_t p = 0; p < t.size(); ++p) {
        const char c = t[p];
        if (c == '|') {
            w.PopSpaces();
            w.Put(c);
            p = SkipSpaces(t, p + 1) - 1;
            continue;
        }
        w.Put(c);
    }
    w.PopSpaces();
}

// Rule 5. A single space between two digits goes (the scan starts at the second character).
void RemoveDigitSpaces(std::string_view t, std::string& out) {
    Writer w(out, t.size());
    for (std::size_t p = 0; p < t.size(); ++p) {
        if (p >= 1 && t[p] == ' ' && IsDigit(t[p - 1]) && p + 1 < t.size() && IsDigit(t[p + 1])) continue;
        w.Put(t[p]);
    }
}

// Rule 6. Every group from a "{" to the next "}" goes, both included; an unclosed "{" stays.
void RemoveBraceCodes(std::string_view t, std::string& out) {
    Writer w(out, t.size());
    std::size_t p = 0;
    while (p < t.size()) {
        std::size_t open = t.find('{', p);
        std::size_t close = open == std::string_view::npos ? open : t.find('}', open + 1);
        if (close == std::string_view::npos) break;
        w.Put(t.substr(p, open - p));
        p = close + 1;
    }
    w.Put(t.substr(p));
}

// Quick tests that let a rule with nothing to do be passed over.
bool HasDoubleSpace(std::string_view t) {
    if (!t.empty() && t.front() == ' ') return true;
    for (std::size_t p = 1; p < t.size(); ++p)
        if (t[p] == ' ' && t[p - 1] == ' ') return true;
    return false;
}

bool HasRowEndSpace(std::string_view t) {
    if (!t.empty() && t.back() == ' ') return true;
    for (std::size_t p = 1; p < t.size(); ++p)
        if ((t[p] == ' ' && t[p - 1] == '|') || (t[p] == '|' && t[p - 1] == ' ')) return true;
    return false;
}

bool Has(std::string_view t, char c) {
    return std::find(t.begin(), t.end(), c) != t.end();
}

bool OnlySpaces(std::string_view t) {
    return t.find_first_not_of(' ') == std::string_view::npos;
}

// The rules in place; `scratch` is the buffer each rule writes into. A rule with nothing to do
// in the text is passed over.
void RepairTextInPlace(std::string& text, const RepairOptions& o, std::string& scratch) {
    auto apply = [&](void (*rule)(std::string_view, std::string&)) {
        rule(text, scratch);
        text.swap(scratch);
    };
    if (o.punctuation && std::any_of(text.begin(), text.end(), IsMark)) apply(FixPunctuation);
    if (o.dash && Has(text, '-')) apply(FixDialogueDashes);
    if (o.doubleSpaces && HasDoubleSpace(text)) apply(RemoveDoubleSpaces);
    if (o.rowEndSpaces && HasRowEndSpace(text)) apply(RemoveRowEndSpaces);
    if (o.digitSpaces && Has(text, ' ')) apply(RemoveDigitSpaces);
    if (o.braceCodes && Has(text, '{')) apply(RemoveBraceCodes);
}

}  // namespace

std::string RepairText(std::string text, const RepairOptions& options) {
    std::string scratch;
    RepairTextInPlace(text, options, scratch);
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
    // lines after r are still the unrepaired lines the next-subtitle scan reads.
    NextSubtitleScan next(doc);
    SubtitleLine sub;
    std::string written, scratch;
    long w = first;
    for (long r = first; r < last; ++r) {
        const long i = w;  // the line's index in the repaired document
        if (progress && i % 10 == 0) progress(i, last - (r - w), ProgressColor::Blue);
        std::string& line = lines[static_cast<std::size_t>(r)];
        bool keep = true;
        if (line.empty()) {
            keep = !options.emptyLines;
        } else if (next.Take(static_cast<std::size_t>(r), sub) ||
                   ParseLine(line, doc.frameRate, sub, doc.ssa) == 1) {
            if (options.emptyLines) {
                if (OnlySpaces(sub.text)) {
                    keep = false;
                } else {
                    sub.text.erase(0, sub.text.find_first_not_of(' '));
                }
            }
            if (keep) {
                RepairTextInPlace(sub.text, options, scratch);
                if (options.blockEnd && sub.end != 0.0)
                    CutBlockEnd(sub, next.Find(static_cast<std::size_t>(r) + 1), doc.frameRate);
                RewriteLine(line, sub, doc.frameRate, doc.ssa, written);
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
