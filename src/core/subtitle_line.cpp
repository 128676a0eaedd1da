#include "core/subtitle_line.h"

#include <charconv>

#include "core/text_util.h"
#include "core/time_model.h"

namespace kravelo {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// The brace (or bracket) shape: open, digits-or-anything, close, open, then a second close
// somewhere after it, unless that second open is the line's last character.
bool HasBracketShape(std::string_view line, char open, char close) {
    if (line.empty() || line[0] != open) return false;
    std::size_t c1 = line.find(close, 1);
    if (c1 == npos || c1 + 1 >= line.size() || line[c1 + 1] != open) return false;
    std::size_t o2 = c1 + 1;
    if (o2 == line.size() - 1) return true;
    return line.find(close, o2 + 1) != npos;
}

// Reads the two numbers and the text of a line that has the bracket shape.
void ReadBracketFields(std::string_view line, char close, long long& first, long long& second,
                       std::string_view& text) {
    std::size_t c1 = line.find(close, 1);
    first = ParseLeadingInt(line.substr(1, c1 - 1));
    std::size_t o2 = c1 + 1;
    std::size_t c2 = line.find(close, o2 + 1);
    if (c2 == npos) {
        second = ParseLeadingInt(line.substr(o2 + 1));
        text = {};
    } else {
        second = ParseLeadingInt(line.substr(o2 + 1, c2 - o2 - 1));
        text = line.substr(c2 + 1);
    }
}

struct TimeFields {
    long long hours, minutes, seconds;
    std::string_view text;
};

// Hours and minutes end at a colon; seconds end at the first colon, "=" or space (or run to the
// end of the line). Each must be a whole non-negative integer.
bool ReadTimeFields(std::string_view line, TimeFields& f) {
    std::size_t c1 = line.find(':');
    if (c1 == npos) return false;
    std::size_t c2 = line.find(':', c1 + 1);
    if (c2 == npos) return false;
    std::string_view rest = line.substr(c2 + 1);
    std::size_t sep = rest.find_first_of(":= ");
    std::string_view secField = sep == npos ? rest : rest.substr(0, sep);
    auto h = ParseWholeInt(line.substr(0, c1));
    if (!h || *h < 0) return false;
    auto m = ParseWholeInt(line.substr(c1 + 1, c2 - c1 - 1));
    if (!m || *m < 0) return false;
    auto s = ParseWholeInt(secField);
    if (!s || *s < 0) return false;
    f.hours = *h;
    f.minutes = *m;
    f.seconds = *s;
    f.text = sep == npos ? std::string_view{} : rest.substr(sep + 1);
    return true;
}

// An event line needs valid times in the Start and End columns and must reach the Text column:
// a line with fewer fields would read with an empty text and lose its words on the first rewrite.
bool IsSsaEvent(std::string_view line, const SsaTables& ssa) {
    if (!ssa.EventsKnown()) return false;
    return ReadSsaTime(SsaField(line, "Dialogue:", ssa.startColumn)).has_value() &&
           ReadSsaTime(SsaField(line, "Dialogue:", ssa.endColumn)).has_value() &&
           SsaTextSpan(line, "Dialogue:", ssa.textColumn).has_value();
}

void AppendInt(std::string& out, long long v) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

// Two digits for 0..9; anything else (two or more digits, or negative) as it is.
void AppendPadded(std::string& out, long long v) {
    if (v >= 0 && v < 10) out.push_back('0');
    AppendInt(out, v);
}

}  // namespace

int LineFormat(std::string_view line, const SsaTables& ssa) {
    if (line.empty()) return kFormatFrame;
    if (HasBracketShape(line, '{', '}')) return kFormatFrame;
    if (HasBracketShape(line, '[', ']')) return kFormatDecisecond;
    TimeFields f;
    if (ReadTimeFields(line, f)) return line.size() > 1 && line[1] == ':' ? kFormatTimeShort : kFormatTime;
    if (IsSsaEvent(line, ssa)) return kFormatSsa;
    return kFormatNone;
}

bool IsLineValid(std::string_view line, const SsaTables& ssa) {
    return line.empty() || LineFormat(line, ssa) != kFormatNone;
}

int ParseLine(std::string_view line, double frameRate, SubtitleLine& out, const SsaTables& ssa) {
    out.start = 0.0;
    out.end = 0.0;
    if (line.empty()) {
        out.format = kFormatFrame;
        out.text.clear();
        return 1;
    }
    long long a = 0, b = 0;
    std::string_view text;
    if (HasBracketShape(line, '{', '}')) {
        ReadBracketFields(line, '}', a, b, text);
        out.format = kFormatFrame;
        out.start = FrameToTime(a, frameRate);
        out.end = FrameToTime(b, frameRate);
        out.text.assign(text);
        return 1;
    }
    if (HasBracketShape(line, '[', ']')) {
        ReadBracketFields(line, ']', a, b, text);
        out.format = kFormatDecisecond;
        out.start = static_cast<double>(a) * 0.1;
        out.end = static_cast<double>(b) * 0.1;
        out.text.assign(text);
        return 1;
    }
    TimeFields f;
    if (ReadTimeFields(line, f)) {
        out.format = line.size() > 1 && line[1] == ':' ? kFormatTimeShort : kFormatTime;
        out.start = static_cast<double>(f.hours * 3600 + f.minutes * 60 + f.seconds);
        out.text.assign(f.text);
        return 1;
    }
    if (ssa.EventsKnown()) {
        auto s = ReadSsaTime(SsaField(line, "Dialogue:", ssa.startColumn));
        auto e = ReadSsaTime(SsaField(line, "Dialogue:", ssa.endColumn));
        auto textSpan = SsaTextSpan(line, "Dialogue:", ssa.textColumn);
        if (s && e && textSpan) {
            out.format = kFormatSsa;
            out.start = *s;
            out.end = *e;
            std::string_view style =
                ssa.styleColumn >= 0 ? SsaField(line, "Dialogue:", ssa.styleColumn) : std::string_view{};
            std::string_view t = line.substr(textSpan->begin, textSpan->end - textSpan->begin);
            if (ssa.IsItalicStyle(style)) {
                out.text.assign("/");
                out.text.append(t);
                out.text.push_back('/');
            } else {
                out.text.assign(t);
            }
            return 1;
        }
    }
    out.format = kFormatNone;
    out.text.clear();
    return -1;
}

int putline(int format, double frameRate, double start, double end, std::string_view text, std::string& out) {
    switch (format) {
        case kFormatTime:
        case kFormatTimeShort: {
            SplitTimeParts p = SplitTime(start);
            out.clear();
            if (format == kFormatTime)
                AppendPadded(out, p.hours);
            else
                AppendInt(out, p.hours);
            out.push_back(':');
            AppendPadded(out, p.minutes);
            out.push_back(':');
            AppendPadded(out, p.seconds);
            out.push_back(':');
            out.append(text);
            return 1;
        }
        case kFormatFrame:
        case kFormatDecisecond: {
            const bool frames = format == kFormatFrame;
            const double scale = frames ? frameRate : 10.0;
            long long a = RoundHalfUpTrunc(start * scale);
            long long b = RoundHalfUpTrunc(end * scale);
            out.clear();
            out.push_back(frames ? '{' : '[');
            AppendInt(out, a);
            out.append(frames ? "}{" : "][");
            if (b != 0) AppendInt(out, b);
            out.push_back(frames ? '}' : ']');
            out.append(text);
            return 1;
        }
        case kFormatSsa: {
            std::string_view body = text;
            std::string_view style = "NORMAL";
            if (!body.empty() && body.front() == '/') {
                style = "ITALIC";
                body.remove_prefix(1);
                if (!body.empty() && body.back() == '/') body.remove_suffix(1);
            }
            out.assign("Dialogue: Marked=0,");
            out.append(WriteSsaTime(start));
            out.push_back(',');
            out.append(WriteSsaTime(end));
            out.push_back(',');
            out.append(style);
            out.append(",00,0000,0000,0000,,");
            std::size_t from = out.size();
            out.append(body);
            // SSA output has no row breaks.
            for (std::size_t i = from; i < out.size(); ++i)
                if (out[i] == '|') out[i] = ' ';
            return 1;
        }
        default:
            return -1;
    }
}

std::string putline(int format, double frameRate, double start, double end, std::string_view text) {
    std::string out;
    putline(format, frameRate, start, end, text, out);
    return out;
}

bool NextSubtitle(const std::vector<std::string>& lines, double frameRate, std::size_t& index, SubtitleLine& out,
                  const SsaTables& ssa) {
    while (index < lines.size()) {
        const std::string& line = lines[index];
        if (!line.empty() && ParseLine(line, frameRate, out, ssa) == 1 && (out.start != 0.0 || !out.text.empty())) {
            ++index;
            return true;
        }
        ++index;
    }
    index = lines.size();
    out.format = kFormatNone;
    out.start = out.end = kEndOfSubtitlesTime;
    out.text.assign(kEndOfSubtitlesText);
    return false;
}

double ImplicitEndTime(double start, double end, std::string_view text, double nextStart) {
    double e = end;
    if (e <= 0.0 || e <= start) e = start + 2.0 + 0.02 * 3.0 * static_cast<double>(CountChars(text));
    if (e >= nextStart) e = nextStart;
    return e;
}

}  // namespace kravelo
