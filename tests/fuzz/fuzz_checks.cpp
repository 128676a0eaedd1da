#include "fuzz_checks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/chapters.h"
#include "core/convert.h"
#include "core/marker.h"
#include "core/profile_file.h"
#include "core/ssa.h"
#include "core/subtitle_line.h"
#include "core/text_file.h"
#include "ops/delay.h"
#include "ops/display_time.h"
#include "ops/frame_rate.h"
#include "ops/line_commands.h"
#include "ops/merge.h"
#include "ops/repair.h"
#include "ops/shift.h"
#include "ops/sort.h"
#include "ops/timing_search.h"
#include "ops/validate.h"

namespace kravelo::fuzz {
namespace {

// Inputs are cut to this many lines so each run stays quick; the engines are linear anyway.
constexpr std::size_t kMaxLines = 300;

[[noreturn]] void Broken(const char* what, std::string_view detail) {
    std::fprintf(stderr, "invariant broken: %s\n  %.*s\n", what, static_cast<int>(std::min<std::size_t>(detail.size(), 400)),
                 detail.data());
    std::abort();
}

#define REQUIRE(cond, detail)                       \
    do {                                            \
        if (!(cond)) Broken(#cond, (detail));       \
    } while (false)

std::vector<std::string> Lines(std::string_view data) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos <= data.size() && lines.size() < kMaxLines) {
        std::size_t lf = data.find('\n', pos);
        std::size_t end = lf == std::string_view::npos ? data.size() : lf;
        std::size_t lineEnd = end > pos && data[end - 1] == '\r' ? end - 1 : end;
        lines.emplace_back(data.substr(pos, lineEnd - pos));
        if (lf == std::string_view::npos) break;
        pos = lf + 1;
    }
    return lines;
}

// A byte of the input as a choice, taken from the front.
struct Choices {
    std::string_view data;
    unsigned char Next() {
        if (data.empty()) return 0;
        auto c = static_cast<unsigned char>(data.front());
        data.remove_prefix(1);
        return c;
    }
};

double RateFrom(unsigned char c) {
    static constexpr double kRates[] = {25.0, 23.976, 29.97, 1.0, 24.0, 12.0, 59.94, 0.5};
    return kRates[c % 8];
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\\n";
    return s;
}

void CheckOneLine(const std::string& line, double rate, const SsaTables& ssa) {
    SubtitleLine sub;
    const int result = ParseLine(line, rate, sub, ssa);
    REQUIRE(result == 1 || result == -1, line);
    REQUIRE((result == 1) == IsLineValid(line, ssa), line);
    REQUIRE(result != 1 || LineFormat(line, ssa) == sub.format, line);
    if (result != 1 || line.empty()) return;

    std::string once, twice;
    REQUIRE(RewriteLine(line, sub, rate, ssa, once) == 1, line);
    // An SSA event line rewritten with its own values is the same line, byte for byte, whenever
    // the header's layout is known.
    if (sub.format == kFormatSsa && ssa.EventsKnown()) REQUIRE(once == line, line + " -> " + once);
    // Rewriting a line twice gives the same line as once.
    SubtitleLine again;
    if (ParseLine(once, rate, again, ssa) != 1) {
        // Only a negative time line or an SSA line the program's layout cannot hold may stop
        // being readable.
        REQUIRE(sub.start < 0 || sub.end < 0 || (sub.format == kFormatSsa && !ssa.EventsKnown()), line + " -> " + once);
        return;
    }
    REQUIRE(RewriteLine(once, again, rate, ssa, twice) == 1, once);
    // A negative frame or decisecond count moves up by one on each rewrite: the time model adds
    // a half and cuts toward zero, as negative times (reported by the shift) are written.
    const bool negativeCount = (sub.format == kFormatFrame || sub.format == kFormatDecisecond) &&
                               (again.start < 0 || again.end < 0);
    if (!negativeCount) REQUIRE(twice == once, line + " -> " + once + " -> " + twice);
}

SubtitleDocument Document(std::string_view data, double rate, int format) {
    SubtitleDocument doc;
    doc.lines = Lines(data);
    doc.frameRate = rate;
    doc.documentFormat = format;
    return doc;
}

SubtitleDocument DocumentFrom(Choices& choices) {
    const double rate = RateFrom(choices.Next());
    SubtitleDocument doc = Document(choices.data, rate, kFormatTime);
    const bool ssa = (choices.Next() & 1) != 0;
    doc.documentFormat = ssa ? kFormatSsa : kFormatTime;
    doc.ssa = ReadSsaHeader(doc.lines, false);
    return doc;
}

std::size_t ReadableCount(const SubtitleDocument& doc) {
    std::size_t n = 0;
    for (const auto& l : doc.lines)
        if (!l.empty() && LineFormat(l, doc.ssa) != kFormatNone) ++n;
    return n;
}

// Lines that no engine may touch: unreadable ones stay byte for byte.
void RequireUnreadableKept(const SubtitleDocument& before, const SubtitleDocument& after, const char* engine) {
    REQUIRE(before.lines.size() == after.lines.size(), std::string(engine));
    for (std::size_t i = 0; i < before.lines.size(); ++i)
        if (!before.lines[i].empty() && LineFormat(before.lines[i], before.ssa) == kFormatNone)
            REQUIRE(after.lines[i] == before.lines[i], std::string(engine) + ": " + before.lines[i]);
}

// After a shift, an SSA event line differs only in its time fields.
void RequireSsaFieldsKept(const SubtitleDocument& before, const SubtitleDocument& after) {
    if (!before.ssa.EventsKnown()) return;
    for (std::size_t i = 0; i < before.lines.size(); ++i) {
        const std::string& a = before.lines[i];
        const std::string& b = after.lines[i];
        if (a.empty() || LineFormat(a, before.ssa) != kFormatSsa) continue;
        REQUIRE(SsaTextFrom(a, "Dialogue:", before.ssa.textColumn) == SsaTextFrom(b, "Dialogue:", before.ssa.textColumn),
                a + " -> " + b);
        if (before.ssa.styleColumn >= 0)
            REQUIRE(SsaField(a, "Dialogue:", before.ssa.styleColumn) == SsaField(b, "Dialogue:", before.ssa.styleColumn),
                    a + " -> " + b);
    }
}

}  // namespace

void CheckLineFormats(std::string_view data) {
    Choices choices{data};
    const double rate = RateFrom(choices.Next());
    std::vector<std::string> lines = Lines(choices.data);
    // The program's own tables and those of the input's own header, if it has one.
    std::vector<std::string> own = SsaHeaderLines(SsaOptions{});
    const SsaTables program = ReadSsaHeader(own, true);
    const SsaTables local = ReadSsaHeader(lines, true);
    for (const std::string& line : lines) {
        CheckOneLine(line, rate, SsaTables::None());
        CheckOneLine(line, rate, program);
        CheckOneLine(line, rate, local);
        // Every format writes something readable in that format for a non-negative time.
        SubtitleLine sub;
        const double start = static_cast<double>(line.size() % 7200) * 0.37;
        for (int format = kFormatTime; format <= kFormatSsa; ++format) {
            std::string written = putline(format, rate, start, start + 2.0, line);
            REQUIRE(ParseLine(written, rate, sub, program) == 1, written);
        }
    }
}

void CheckSsaHeader(std::string_view data) {
    std::vector<std::string> lines = Lines(data);
    int reports = 0;
    SsaTables loud = ReadSsaHeader(lines, false, [&](const Message&) { ++reports; });
    SsaTables quiet = ReadSsaHeader(lines, true);
    REQUIRE(reports <= 2, Joined(lines));
    REQUIRE(static_cast<int>(loud.styles.size()) <= SsaTables::kMaxStyles, Joined(lines));
    REQUIRE(loud.headerLines < static_cast<int>(lines.size()), Joined(lines));
    if (lines.size() <= 101) {
        REQUIRE(quiet.startColumn == loud.startColumn && quiet.textColumn == loud.textColumn, Joined(lines));
        REQUIRE(quiet.styles.size() == loud.styles.size(), Joined(lines));
    }
    for (const std::string& line : lines) CheckOneLine(line, 25.0, loud);
}

void CheckSubRip(std::string_view data) {
    Choices choices{data};
    const int target = kFormatTime + choices.Next() % 5;
    SubtitleDocument doc = Document(choices.data, 25.0, kFormatSubRip);

    std::size_t index = 0;
    std::vector<SubRipBlock> blocks;
    SubRipBlock block;
    while (index < doc.lines.size()) {
        const std::size_t before = index;
        if (!ReadSubRipBlock(doc.lines, index, block)) break;
        REQUIRE(index > before && index <= doc.lines.size(), Joined(doc.lines));
        blocks.push_back(block);
    }
    ConvertSubRip(doc, target, SsaOptions{});
    const std::size_t header = target == kFormatSsa ? 10 : 0;
    REQUIRE(doc.lines.size() == blocks.size() + header, Joined(doc.lines));
    for (std::size_t i = header; i < doc.lines.size(); ++i) {
        const SubRipBlock& b = blocks[i - header];
        if (b.start < 0 || b.end < 0) continue;  // a negative time line is not readable
        SubtitleLine sub;
        REQUIRE(ParseLine(doc.lines[i], 25.0, sub, doc.ssa) == 1, doc.lines[i]);
    }

    // Converting a text document to a format and back keeps every subtitle line.
    SubtitleDocument text = Document(choices.data, 25.0, kFormatTime);
    for (auto& line : text.lines) {  // only subtitle lines with times a line can hold
        SubtitleLine sub;
        if (line.empty() || ParseLine(line, 25.0, sub) != 1 || sub.start < 0 || sub.end < 0 || sub.start > 3.0e5 ||
            sub.end > 3.0e5)
            line = "{1}{2}x";
    }
    const std::size_t count = text.lines.size();
    long first = 0, last = static_cast<long>(count);
    ConvertLines(text, target, SsaOptions{}, first, last);
    REQUIRE(text.lines.size() == count + header, Joined(text.lines));
    REQUIRE(ReadableCount(text) == count, Joined(text.lines));
    first = 0;
    last = static_cast<long>(text.lines.size());
    ConvertLines(text, kFormatFrame, SsaOptions{}, first, last);
    REQUIRE(text.lines.size() == count, Joined(text.lines));
    REQUIRE(ReadableCount(text) == count, Joined(text.lines));
}

void CheckText(std::string_view data) {
    TextDocument doc = DecodeText(data);
    EncodeProblems problems;
    const std::string bytes = EncodeText(doc.lines, doc.format, problems);
    REQUIRE(problems.unmappable == 0 && problems.misread == 0, std::string(data));
    // Decoding and encoding gives the bytes back, unless the file mixed line ends and the
    // minority was written the majority's way.
    bool bareLf = false;
    for (std::size_t i = 0; i < data.size(); ++i)
        if (data[i] == '\n' && (i == 0 || data[i - 1] != '\r')) bareLf = true;
    if (!(bareLf && doc.format.lineEnding == LineEnding::CrLf)) REQUIRE(bytes == data, std::string(data));
    // Written piece by piece, UTF-8 comes out as the same bytes.
    if (doc.format.encoding == TextEncoding::Utf8) {
        std::string pieces;
        EncodeUtf8Chunks(doc.lines, doc.format, [&](std::string_view chunk) {
            pieces.append(chunk);
            return 0;
        });
        REQUIRE(pieces == bytes, std::string(data));
    }
    // Whatever was written reads back as the same lines in the same encoding.
    TextDocument back = DecodeText(bytes);
    REQUIRE(back.lines == doc.lines, std::string(data));
    REQUIRE(back.format.encoding == doc.format.encoding, std::string(data));
    REQUIRE(Utf8ToWindows1250(Windows1250ToUtf8(data)) == data, std::string(data));
    // Any UTF-8 text written in Windows-1250 either fits and reads back, or is reported.
    if (IsValidUtf8(data)) {
        TextFormat cp;
        cp.encoding = TextEncoding::Windows1250;
        const std::string cpBytes = EncodeText(doc.lines, cp, problems);
        if (problems.unmappable == 0 && problems.misread == 0) REQUIRE(DecodeText(cpBytes).lines == doc.lines, std::string(data));
    }
}

void CheckProfile(std::string_view data) {
    Choices choices{data};
    const unsigned char pick = choices.Next();
    ProfileFile p = ProfileFile::FromBytes(choices.data);
    const std::vector<std::string> before = p.Lines();
    // A section and key from the input itself, so names that would break lines are tried.
    std::vector<std::string> lines = Lines(choices.data);
    const std::string section = lines.empty() ? "S" : lines[pick % lines.size()].substr(0, 12);
    const std::string key = lines.size() < 2 ? "K" : lines[(pick + 1) % lines.size()].substr(0, 12);
    p.WriteString(section, key, "value\nwith break");
    if (ProfileFile::ValidSectionName(section) && ProfileFile::ValidKeyName(key)) {
        REQUIRE(p.Find(section, key) == std::optional<std::string>("value with break"), section + "/" + key);
        REQUIRE(p.Lines().size() <= before.size() + 2, section + "/" + key);
    } else {
        REQUIRE(p.Lines() == before, section + "/" + key);
    }
    // The written bytes read back as the same lines (when they are plain UTF-8 lines).
    const std::string written = EncodeText(p.Lines(), TextFormat{TextEncoding::Utf8, false, LineEnding::Lf, true});
    const bool plain = IsValidUtf8(written) && written.find('\r') == std::string::npos;
    ProfileFile again = ProfileFile::FromBytes(written);
    if (plain) REQUIRE(again.Lines() == p.Lines(), section + "/" + key);
    (void)again.ReadInt(section, key, 0);
    (void)again.ReadFloat(section, key, 0.0);
}

void CheckChapters(std::string_view data) {
    ProfileFile p = ProfileFile::FromBytes(data);
    TChapters chapters;
    chapters.Load(p);
    REQUIRE(chapters.Count() <= TChapters::kMaxCount, std::string(data));
    for (int i = 1; i < chapters.Count(); ++i) REQUIRE(chapters[i - 1].Position <= chapters[i].Position, std::string(data));
    // Saving and loading again gives the same table.
    ProfileFile fresh;
    chapters.Save(fresh);
    TChapters back;
    back.Load(fresh);
    REQUIRE(back.Count() == chapters.Count(), std::string(data));
    for (int i = 0; i < back.Count(); ++i) {
        // A line break inside a name (a lone CR in the middle of a line) is written as a space.
        std::string name = chapters[i].Name;
        std::replace(name.begin(), name.end(), '\r', ' ');
        REQUIRE(back[i].Position == chapters[i].Position && back[i].Name == name, std::string(data));
    }
}

void CheckEngines(std::string_view data) {
    Choices choices{data};
    const unsigned char pick = choices.Next();
    const SubtitleDocument doc = DocumentFrom(choices);
    const long count = static_cast<long>(doc.lines.size());
    const long first = count > 0 ? pick % count : 0;
    const double amount = (static_cast<int>(pick) - 128) * 0.37;

    {  // Shift: no line added or lost, unreadable lines and SSA fields other than times kept.
        SubtitleDocument d = doc;
        ShiftTimes(d, amount == 0.0 ? 1.0 : amount, true, (pick & 2) != 0, first, count);
        RequireUnreadableKept(doc, d, "shift");
        RequireSsaFieldsKept(doc, d);
    }
    {  // Display time: every end written is no earlier than its start, or empty.
        SubtitleDocument d = doc;
        DisplayTimeOptions o;
        o.seconds = 0.5 + (pick % 7);
        o.byLength = (pick & 1) != 0;
        SetDisplayTimes(d, o, first, count);
        RequireUnreadableKept(doc, d, "display time");
        for (long i = first; i < count; ++i) {
            SubtitleLine sub;
            const std::string& l = d.lines[static_cast<std::size_t>(i)];
            if (l.empty() || ParseLine(l, d.frameRate, sub, d.ssa) != 1 || sub.start < 0 || sub.start > 3.0e5) continue;
            REQUIRE(sub.end >= sub.start || sub.end == 0.0, l);
        }
    }
    {  // Frame rate change and the two-point correction rewrite in place.
        SubtitleDocument d = doc;
        ChangeFrameRate(d, d.frameRate, 25.0, first, count);
        RequireUnreadableKept(doc, d, "frame rate");
        SubtitleDocument c = doc;
        CorrectTimes(c, first, count, 1.0, 50.0, 2.0, 48.0);
        RequireUnreadableKept(doc, c, "correction");
    }
    {  // Sort: the same lines in another order.
        SubtitleDocument d = doc;
        SortLines(d, first, count);
        std::vector<std::string> a = doc.lines, b = d.lines;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        REQUIRE(a == b, Joined(doc.lines));
    }
    {  // Repair and merge delete exactly the lines they report.
        SubtitleDocument d = doc;
        long last = count;
        RepairOptions o;
        o.digitSpaces = (pick & 4) != 0;
        o.braceCodes = (pick & 8) != 0;
        RepairResult r = RepairSubtitles(d, o, first, last);
        REQUIRE(static_cast<long>(d.lines.size()) == count - r.linesRemoved, Joined(doc.lines));
        REQUIRE(last <= static_cast<long>(d.lines.size()), Joined(doc.lines));

        SubtitleDocument m = doc;
        last = count;
        MergeOptions mo;
        mo.per50 = 0.1 + (pick % 30);
        mo.maxRows = 2 + pick % 4;
        mo.asRows = (pick & 16) != 0;
        MergeResult mr = MergeShortSubtitles(m, mo, first, last);
        REQUIRE(static_cast<long>(m.lines.size()) == count - mr.merges, Joined(doc.lines));
    }
    {  // Line check with delete, italics, the marker and the searches.
        SubtitleDocument d = doc;
        long last = count;
        ValidateResult v = ValidateLines(d, 0, last, [](long) { return LineErrorChoice::Delete; });
        REQUIRE(static_cast<long>(d.lines.size()) == count - v.deleted, Joined(doc.lines));
        REQUIRE(d.documentFormat == kFormatSsa || ReadableCount(d) + std::count(d.lines.begin(), d.lines.end(), "") ==
                                                       d.lines.size(),
                Joined(d.lines));

        SubtitleDocument it = doc;
        if (count > 0) {
            ToggleItalicAt(it, first, pick % 40);
            for (long i = 0; i < count; ++i)
                if (i != first) REQUIRE(it.lines[static_cast<std::size_t>(i)] == doc.lines[static_cast<std::size_t>(i)], "italics");
        }
        SubtitleDocument mk = doc;
        MarkerResult mr = RenewMarker(mk, "26-12-06");
        REQUIRE(static_cast<long>(mk.lines.size()) == count + (mr.inserted ? 1 : 0) - (mr.removed ? 1 : 0), Joined(doc.lines));
        MarkerResult again = RenewMarker(mk, "26-12-06");
        REQUIRE(again.inserted == mr.inserted && (!mr.inserted || again.removed), Joined(doc.lines));

        (void)FindShortSubtitle(doc, 1.0, first - 1, count);
        (void)FindGapAfterSubtitle(doc, 1.0, first, count);
        (void)FindUnsorted(doc, first - 1, count);
        (void)GoToTime(doc, amount);
    }
}

}  // namespace kravelo::fuzz
