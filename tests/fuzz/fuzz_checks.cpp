#include "fuzz_checks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "core/chapters.h"
#include "core/convert.h"
#include "core/marker.h"
#include "core/profile_file.h"
#include "core/skin_bitmap.h"
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

// The input of the running check, shown with a broken invariant.
std::string_view currentInput;

[[noreturn]] void Broken(const char* what, int line, std::string_view detail = {}) {
    std::fprintf(stderr, "invariant broken (fuzz_checks.cpp:%d): %s\n  %s\n  input: %s\n", line, what,
                 std::string(detail.substr(0, 400)).c_str(),
                 std::string(currentInput.substr(0, 400)).c_str());
    std::abort();
}

// Aborts when `cond` is false, showing it, the input and the optional detail.
#define REQUIRE(cond, ...)                                               \
    do {                                                                 \
        if (!(cond)) Broken(#cond, __LINE__ __VA_OPT__(, ) __VA_ARGS__); \
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

// The subtitle line `line` holds under `ssa`; nothing for an empty or unreadable line.
std::optional<SubtitleLine> Read(std::string_view line, double rate,
                                 const SsaTables& ssa = SsaTables::None()) {
    SubtitleLine sub;
    if (line.empty() || ParseLine(line, rate, sub, ssa) != 1) return std::nullopt;
    return sub;
}

// A line no engine may touch: not empty and of no format.
bool Unreadable(const std::string& line, const SsaTables& ssa) {
    return !line.empty() && LineFormat(line, ssa) == kFormatNone;
}

std::size_t ReadableCount(const SubtitleDocument& doc) {
    std::size_t n = 0;
    for (const auto& l : doc.lines) n += !l.empty() && !Unreadable(l, doc.ssa);
    return n;
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
    const std::optional<SubtitleLine> again = Read(once, rate, ssa);
    if (!again) {
        // Only a negative time line or an SSA line the program's layout cannot hold may stop
        // being readable.
        const bool ssaUnheld = sub.format == kFormatSsa && !ssa.EventsKnown();
        REQUIRE(sub.start < 0 || sub.end < 0 || ssaUnheld, line + " -> " + once);
        return;
    }
    REQUIRE(RewriteLine(once, *again, rate, ssa, twice) == 1, once);
    // A negative frame or decisecond count moves up by one on each rewrite: the time model adds
    // a half and cuts toward zero, as negative times (reported by the shift) are written.
    const bool negativeCount = (sub.format == kFormatFrame || sub.format == kFormatDecisecond) &&
                               (again->start < 0 || again->end < 0);
    if (!negativeCount) REQUIRE(twice == once, line + " -> " + once + " -> " + twice);
}

SubtitleDocument Document(std::string_view data, double rate, int format) {
    SubtitleDocument doc;
    doc.lines = Lines(data);
    doc.frameRate = rate;
    doc.documentFormat = format;
    return doc;
}

// `engine` run on a copy of `doc`: a rewrite in place, so as many lines as before and the
// unreadable ones byte for byte.
template <typename Engine>
SubtitleDocument InPlace(const SubtitleDocument& doc, const char* name, Engine engine) {
    SubtitleDocument d = doc;
    engine(d);
    REQUIRE(d.lines.size() == doc.lines.size(), name);
    for (std::size_t i = 0; i < doc.lines.size(); ++i)
        if (Unreadable(doc.lines[i], doc.ssa)) REQUIRE(d.lines[i] == doc.lines[i], name);
    return d;
}

// After a shift, an SSA event line differs only in its time fields.
void RequireSsaFieldsKept(const SubtitleDocument& before, const SubtitleDocument& after) {
    const SsaTables& ssa = before.ssa;
    if (!ssa.EventsKnown()) return;
    for (std::size_t i = 0; i < before.lines.size(); ++i) {
        const std::string& a = before.lines[i];
        const std::string& b = after.lines[i];
        if (a.empty() || LineFormat(a, ssa) != kFormatSsa) continue;
        REQUIRE(SsaTextFrom(a, "Dialogue:", ssa.textColumn) == SsaTextFrom(b, "Dialogue:", ssa.textColumn),
                a + " -> " + b);
        if (ssa.styleColumn >= 0)
            REQUIRE(SsaField(a, "Dialogue:", ssa.styleColumn) == SsaField(b, "Dialogue:", ssa.styleColumn),
                    a + " -> " + b);
    }
}

// An engine that deletes lines leaves those of `before` less the `removed` ones it reports.
void RequireLinesLeft(const SubtitleDocument& before, const SubtitleDocument& after, long removed) {
    REQUIRE(static_cast<long>(after.lines.size()) == static_cast<long>(before.lines.size()) - removed);
}

}  // namespace

void Run(Check check, std::string_view data) {
    currentInput = data;
    check(data);
}

void CheckLineFormats(std::string_view data) {
    Choices choices{data};
    const double rate = RateFrom(choices.Next());
    std::vector<std::string> lines = Lines(choices.data);
    // The program's own tables and those of the input's own header, if it has one.
    const SsaTables program = ReadSsaHeader(SsaHeaderLines(SsaOptions{}), true);
    const SsaTables local = ReadSsaHeader(lines, true);
    for (const std::string& line : lines) {
        CheckOneLine(line, rate, SsaTables::None());
        CheckOneLine(line, rate, program);
        CheckOneLine(line, rate, local);
        // Every format writes something readable in that format for a non-negative time.
        const double start = static_cast<double>(line.size() % 7200) * 0.37;
        for (int format = kFormatTime; format <= kFormatSsa; ++format) {
            std::string written = putline(format, rate, start, start + 2.0, line);
            REQUIRE(Read(written, rate, program), written);
        }
    }
}

void CheckSsaHeader(std::string_view data) {
    std::vector<std::string> lines = Lines(data);
    int reports = 0;
    SsaTables loud = ReadSsaHeader(lines, false, [&](const Message&) { ++reports; });
    SsaTables quiet = ReadSsaHeader(lines, true);
    REQUIRE(reports <= 2);
    REQUIRE(static_cast<int>(loud.styles.size()) <= SsaTables::kMaxStyles);
    REQUIRE(loud.headerLines < static_cast<int>(lines.size()));
    if (lines.size() <= 101) {
        REQUIRE(quiet.startColumn == loud.startColumn && quiet.textColumn == loud.textColumn);
        REQUIRE(quiet.styles.size() == loud.styles.size());
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
        REQUIRE(index > before && index <= doc.lines.size());
        blocks.push_back(block);
    }
    ConvertSubRip(doc, target, SsaOptions{});
    const std::size_t header = target == kFormatSsa ? 10 : 0;
    REQUIRE(doc.lines.size() == blocks.size() + header);
    for (std::size_t i = header; i < doc.lines.size(); ++i) {
        const SubRipBlock& b = blocks[i - header];
        // A negative time line is not readable.
        if (b.start >= 0 && b.end >= 0) REQUIRE(Read(doc.lines[i], 25.0, doc.ssa), doc.lines[i]);
    }

    // Converting a text document to a format and back keeps every subtitle line.
    SubtitleDocument text = Document(choices.data, 25.0, kFormatTime);
    for (auto& line : text.lines) {  // only subtitle lines with times a line can hold
        const std::optional<SubtitleLine> sub = Read(line, 25.0);
        if (!sub || sub->start < 0 || sub->end < 0 || sub->start > 3.0e5 || sub->end > 3.0e5)
            line = "{1}{2}x";
    }
    const std::size_t count = text.lines.size();
    for (const int format : {target, static_cast<int>(kFormatFrame)}) {
        long first = 0, last = static_cast<long>(text.lines.size());
        ConvertLines(text, format, SsaOptions{}, first, last);
        REQUIRE(text.lines.size() == count + (format == kFormatSsa ? header : 0));
        REQUIRE(ReadableCount(text) == count);
    }
}

void CheckText(std::string_view data) {
    TextDocument doc = DecodeText(data);
    EncodeProblems problems;
    const std::string bytes = EncodeText(doc.lines, doc.format, problems);
    REQUIRE(problems.unmappable == 0 && problems.misread == 0);
    // Decoding and encoding gives the bytes back, unless the file mixed line ends and the
    // minority was written the majority's way.
    bool bareLf = false;
    for (std::size_t i = 0; i < data.size(); ++i)
        if (data[i] == '\n' && (i == 0 || data[i - 1] != '\r')) bareLf = true;
    if (!(bareLf && doc.format.lineEnding == LineEnding::CrLf)) REQUIRE(bytes == data);
    // Written piece by piece, UTF-8 comes out as the same bytes.
    if (doc.format.encoding == TextEncoding::Utf8) {
        std::string pieces;
        EncodeUtf8Chunks(doc.lines, doc.format, [&](std::string_view chunk) {
            pieces.append(chunk);
            return 0;
        });
        REQUIRE(pieces == bytes);
    }
    // Whatever was written reads back as the same lines in the same encoding.
    TextDocument back = DecodeText(bytes);
    REQUIRE(back.lines == doc.lines);
    REQUIRE(back.format.encoding == doc.format.encoding);
    REQUIRE(Utf8ToWindows1250(Windows1250ToUtf8(data)) == data);
    // Any UTF-8 text written in Windows-1250 either fits and reads back, or is reported.
    if (IsValidUtf8(data)) {
        TextFormat cp;
        cp.encoding = TextEncoding::Windows1250;
        const std::string cpBytes = EncodeText(doc.lines, cp, problems);
        if (problems.unmappable == 0 && problems.misread == 0)
            REQUIRE(DecodeText(cpBytes).lines == doc.lines);
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
    const std::string written =
        EncodeText(p.Lines(), TextFormat{TextEncoding::Utf8, false, LineEnding::Lf, true});
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
    REQUIRE(chapters.Count() <= TChapters::kMaxCount);
    for (int i = 1; i < chapters.Count(); ++i) REQUIRE(chapters[i - 1].Position <= chapters[i].Position);
    // Saving and loading again gives the same table.
    ProfileFile fresh;
    chapters.Save(fresh);
    TChapters back;
    back.Load(fresh);
    REQUIRE(back.Count() == chapters.Count());
    for (int i = 0; i < back.Count(); ++i) {
        // A line break inside a name (a lone CR in the middle of a line) is written as a space.
        std::string name = chapters[i].Name;
        std::replace(name.begin(), name.end(), '\r', ' ');
        REQUIRE(back[i].Position == chapters[i].Position && back[i].Name == name);
    }
}

void CheckEngines(std::string_view data) {
    Choices choices{data};
    const unsigned char pick = choices.Next();
    const double rate = RateFrom(choices.Next());
    SubtitleDocument doc = Document(choices.data, rate, kFormatTime);
    if ((choices.Next() & 1) != 0) doc.documentFormat = kFormatSsa;
    doc.ssa = ReadSsaHeader(doc.lines, false);
    const long count = static_cast<long>(doc.lines.size());
    const long first = count > 0 ? pick % count : 0;
    const double amount = (static_cast<int>(pick) - 128) * 0.37;

    // Shift, display time, frame rate change and the two-point correction rewrite in place; a
    // shifted SSA line keeps its fields other than the times.
    const SubtitleDocument shifted = InPlace(doc, "shift", [&](SubtitleDocument& d) {
        ShiftTimes(d, amount == 0.0 ? 1.0 : amount, true, (pick & 2) != 0, first, count);
    });
    RequireSsaFieldsKept(doc, shifted);
    const SubtitleDocument timed = InPlace(doc, "display time", [&](SubtitleDocument& d) {
        SetDisplayTimes(d, {.seconds = 0.5 + (pick % 7), .byLength = (pick & 1) != 0}, first, count);
    });
    // Every end written is no earlier than its start, or empty.
    for (long i = first; i < count; ++i) {
        const std::optional<SubtitleLine> sub = Read(timed.lines[static_cast<std::size_t>(i)], rate, doc.ssa);
        if (sub && sub->start >= 0 && sub->start <= 3.0e5) REQUIRE(sub->end >= sub->start || sub->end == 0.0);
    }
    InPlace(doc, "frame rate",
            [&](SubtitleDocument& d) { ChangeFrameRate(d, d.frameRate, 25.0, first, count); });
    InPlace(doc, "correction",
            [&](SubtitleDocument& d) { CorrectTimes(d, first, count, 1.0, 50.0, 2.0, 48.0); });

    // Sort: the same lines in another order.
    SubtitleDocument sorted = doc;
    SortLines(sorted, first, count);
    REQUIRE(
        std::is_permutation(sorted.lines.begin(), sorted.lines.end(), doc.lines.begin(), doc.lines.end()));

    // Repair, merge and the line check with delete take out exactly the lines they report; the
    // check leaves no unreadable line outside SSA.
    SubtitleDocument repaired = doc;
    long last = count;
    const RepairOptions repair{.digitSpaces = (pick & 4) != 0, .braceCodes = (pick & 8) != 0};
    RequireLinesLeft(doc, repaired, RepairSubtitles(repaired, repair, first, last).linesRemoved);
    REQUIRE(last <= static_cast<long>(repaired.lines.size()));
    SubtitleDocument merged = doc;
    last = count;
    const MergeOptions merge{.per50 = 0.1 + (pick % 30), .asRows = (pick & 16) != 0, .maxRows = 2 + pick % 4};
    RequireLinesLeft(doc, merged, MergeShortSubtitles(merged, merge, first, last).merges);
    SubtitleDocument checked = doc;
    last = count;
    RequireLinesLeft(doc, checked,
                     ValidateLines(checked, 0, last, [](long) { return LineErrorChoice::Delete; }).deleted);
    for (const std::string& l : checked.lines)
        REQUIRE(checked.documentFormat == kFormatSsa || !Unreadable(l, checked.ssa), l);

    // Italics change only their own line; a renewed marker replaces the one before it.
    if (count > 0) {
        SubtitleDocument italic = doc;
        ToggleItalicAt(italic, first, pick % 40);
        for (long i = 0; i < count; ++i)
            if (i != first)
                REQUIRE(italic.lines[static_cast<std::size_t>(i)] == doc.lines[static_cast<std::size_t>(i)]);
    }
    SubtitleDocument marked = doc;
    const MarkerResult marker = RenewMarker(marked, "26-12-06");
    RequireLinesLeft(doc, marked, (marker.removed ? 1 : 0) - (marker.inserted ? 1 : 0));
    const MarkerResult again = RenewMarker(marked, "26-12-06");
    REQUIRE(again.inserted == marker.inserted && (!marker.inserted || again.removed));

    // The searches read any document.
    (void)FindShortSubtitle(doc, 1.0, first - 1, count);
    (void)FindGapAfterSubtitle(doc, 1.0, first, count);
    (void)FindUnsorted(doc, first - 1, count);
    (void)GoToTime(doc, amount);
}

void CheckSkinBitmap(std::string_view data) {
    std::string error;
    std::optional<RgbImage> image = DecodeBmp(data, &error);
    if (!image) {
        REQUIRE(!error.empty());
        return;
    }
    REQUIRE(image->width > 0 && image->height > 0 && image->width <= kMaxSkinSide &&
            image->height <= kMaxSkinSide);
    REQUIRE(image->rgb.size() ==
            static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height) * 3);
    // Written and read again: the same pixels.
    std::optional<RgbImage> back = DecodeBmp(EncodeBmp(*image));
    REQUIRE(back && back->rgb == image->rgb);
    // Tiled over a strip the size the player uses for a track: every copy is the picture.
    const RgbImage strip = TileImage(*image, 300, 14);
    for (int y = 0; y < strip.height; ++y)
        for (int x = 0; x < strip.width; ++x)
            REQUIRE(std::equal(strip.Pixel(x, y), strip.Pixel(x, y) + 3,
                               image->Pixel(x % image->width, y % image->height)));
}

}  // namespace kravelo::fuzz
