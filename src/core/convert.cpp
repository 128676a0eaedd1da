#include "core/convert.h"

#include <algorithm>

#include "core/text_util.h"
#include "core/time_model.h"

namespace kravelo {
namespace {

constexpr std::size_t npos = std::string_view::npos;

bool IsSubRipTimeLine(std::string_view line, double& start) {
    auto t = ReadSubRipTime(line.substr(0, line.find(' ')));
    if (!t) return false;
    start = *t;
    return true;
}

std::size_t FindTimeLine(const std::vector<std::string>& lines, std::size_t from, double& start) {
    for (std::size_t i = from; i < lines.size(); ++i)
        if (IsSubRipTimeLine(lines[i], start)) return i;
    return lines.size();
}

bool IsBlockNumber(std::string_view line) {
    line = Trim(line);
    if (line.empty()) return false;
    return std::all_of(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Deletes the lines above the first event. A subtitle line of another format found there (the
// rest of a partial conversion) is not header and stays. The range moves up with the lines.
void RemoveSsaHeader(SubtitleDocument& doc, long& first, long& last) {
    std::vector<std::string>& lines = doc.lines;
    const long header = std::min<long>(doc.ssa.headerLines, static_cast<long>(lines.size()));
    doc.ssa.headerLines = -1;
    if (header <= 0) return;
    long write = 0, removedBeforeFirst = 0, removedBeforeLast = 0;
    for (long i = 0; i < header; ++i) {
        std::string& line = lines[static_cast<std::size_t>(i)];
        int format = line.empty() ? kFormatNone : LineFormat(line);
        if (format >= kFormatTime && format <= kFormatDecisecond) {
            if (write != i) lines[static_cast<std::size_t>(write)] = std::move(line);
            ++write;
            continue;
        }
        if (i < first) ++removedBeforeFirst;
        if (i < last) ++removedBeforeLast;
    }
    lines.erase(lines.begin() + write, lines.begin() + header);
    first = std::max(0L, first - removedBeforeFirst);
    last = std::max(0L, last - removedBeforeLast);
}

}  // namespace

std::optional<double> ReadSubRipTime(std::string_view s) {
    return ReadClockTime(s, ',', 0.001);
}

bool ReadSubRipBlock(const std::vector<std::string>& lines, std::size_t& index, SubRipBlock& block) {
    double start = 0.0;
    std::size_t t = FindTimeLine(lines, index, start);
    if (t >= lines.size()) {
        index = lines.size();
        return false;
    }
    block.start = start;
    // The end follows the arrow: the text after the time line's second space.
    std::string_view timeLine = lines[t];
    if (std::size_t sp1 = timeLine.find(' '); sp1 != npos)
        if (std::size_t sp2 = timeLine.find(' ', sp1 + 1); sp2 != npos)
            if (auto e = ReadSubRipTime(timeLine.substr(sp2 + 1))) block.end = *e;

    // The text runs to the next block's number line (or its time line when the number is
    // missing), or to the end of the document.
    double ignored;
    std::size_t next = FindTimeLine(lines, t + 1, ignored);
    std::size_t end = next;
    if (next < lines.size() && next - 1 > t && IsBlockNumber(lines[next - 1])) end = next - 1;

    block.text.clear();
    bool firstKept = true;
    for (std::size_t i = t + 1; i < end; ++i) {
        if (Trim(lines[i]).empty()) continue;
        if (!firstKept) block.text.push_back('|');
        block.text.append(lines[i]);
        firstKept = false;
    }
    index = end;
    return true;
}

OrderReport ConvertSubRip(SubtitleDocument& doc, int target, const SsaOptions& ssaOptions, const ProgressFn& progress) {
    OrderReport report;
    if (target < kFormatTime || target > kFormatSsa) return report;
    std::vector<std::string> out;
    const std::size_t count = doc.lines.size();
    std::size_t read = 0;
    SubRipBlock block;
    while (read < count) {
        if (progress && out.size() % 10 == 0) progress(static_cast<long>(read), static_cast<long>(count), ProgressColor::Blue);
        if (!ReadSubRipBlock(doc.lines, read, block)) break;
        report.Add(block.start);
        out.push_back(putline(target, doc.frameRate, block.start, block.end, block.text));
    }
    if (progress)
        for (std::size_t i = count; i-- > out.size();)
            if (i % 10 == 0) progress(static_cast<long>(i), static_cast<long>(count), ProgressColor::Red);
    doc.lines = std::move(out);
    if (target == kFormatSsa) {
        long first = 0, last = static_cast<long>(doc.lines.size());
        WriteSsaHeader(doc.lines, ssaOptions, first, last);
        doc.ssa = ReadSsaHeader(doc.lines, true);
    }
    doc.documentFormat = target;
    return report;
}

OrderReport ConvertLines(SubtitleDocument& doc, int target, const SsaOptions& ssaOptions, long& first, long& last,
                         const ProgressFn& progress) {
    if (target < kFormatTime || target > kFormatSsa) return {};
    if (doc.documentFormat == kFormatSubRip) {
        OrderReport r = ConvertSubRip(doc, target, ssaOptions, progress);
        first = 0;
        last = static_cast<long>(doc.lines.size());
        return r;
    }
    OrderReport report;
    std::vector<std::string>& lines = doc.lines;
    if (doc.documentFormat == kFormatSsa) RemoveSsaHeader(doc, first, last);
    if (target == kFormatSsa) WriteSsaHeader(lines, ssaOptions, first, last);

    last = std::min(last, static_cast<long>(lines.size()));
    SubtitleLine sub;
    std::string written;
    for (long i = first; i < last; ++i) {
        if (progress && i % 10 == 0) progress(i, last, ProgressColor::Blue);
        const std::string& line = lines[static_cast<std::size_t>(i)];
        if (line.empty() || ParseLine(line, doc.frameRate, sub, doc.ssa) != 1) continue;
        report.Add(sub.start);
        putline(target, doc.frameRate, sub.start, sub.end, sub.text, written);
        lines[static_cast<std::size_t>(i)].swap(written);
    }
    if (target == kFormatSsa) doc.ssa = ReadSsaHeader(lines, true);
    doc.documentFormat = target;
    return report;
}

}  // namespace kravelo
