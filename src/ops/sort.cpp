#include "ops/sort.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "ops/next_scan.h"

namespace kravelo {

double SortKey(std::string_view line, const SubtitleDocument& doc, SubtitleLine& scratch) {
    if (line.empty() || ParseLine(line, doc.frameRate, scratch, doc.ssa) != 1) return kNoStartTime;
    return scratch.start;
}

SortResult SortLines(SubtitleDocument& doc, long first, long last, const ProgressFn& progress) {
    SortResult result;
    std::vector<std::string>& lines = doc.lines;
    first = std::max(0L, first);
    last = std::min(last, static_cast<long>(lines.size()));
    if (last - first < 2) return result;

    struct Keyed {
        double key;
        long index;
    };
    std::vector<Keyed> keys;
    keys.reserve(static_cast<std::size_t>(last - first));
    SubtitleLine scratch;
    for (long i = first; i < last; ++i) {
        if (progress && i % 10 == 0) progress(i, last, ProgressColor::Blue);
        double key = SortKey(lines[static_cast<std::size_t>(i)], doc, scratch);
        if (key != kNoStartTime) result.order.Add(key);
        // NaN cannot come out of ParseLine. Starts at or above kEndOfSubtitlesTime keep their
        // order among themselves, as a selection sort from that minimum leaves them.
        keys.push_back({std::min(key, kEndOfSubtitlesTime), i});
    }
    // Equal keys keep their order through the index: a stable result from the faster
    // unstable sort. An already sorted range is left as it is.
    auto before = [](const Keyed& a, const Keyed& b) {
        return a.key < b.key || (a.key == b.key && a.index < b.index);
    };
    if (std::is_sorted(keys.begin(), keys.end(), before)) return result;
    std::sort(keys.begin(), keys.end(), before);

    std::vector<std::string> sorted;
    sorted.reserve(keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k) {
        long from = keys[k].index;
        if (from != first + static_cast<long>(k)) ++result.moved;
        sorted.push_back(std::move(lines[static_cast<std::size_t>(from)]));
    }
    std::move(sorted.begin(), sorted.end(), lines.begin() + first);
    return result;
}

SearchHit FindStartGap(const SubtitleDocument& doc, double threshold, long fromLine, long count) {
    SearchHit hit;
    const std::vector<std::string>& lines = doc.lines;
    count = std::min(count, static_cast<long>(lines.size()));
    SubtitleLine line;
    NextSubtitleScan scan(doc);  // a run of lines that are not subtitles is scanned once
    for (long k = std::max(0L, fromLine + 1); k < count; ++k) {
        const std::string& text = lines[static_cast<std::size_t>(k)];
        if (text.empty() || ParseLine(text, doc.frameRate, line, doc.ssa) != 1) continue;
        std::size_t nextLine = 0;
        const SubtitleLine* next = scan.Find(static_cast<std::size_t>(k) + 1, &nextLine);
        const double nextStart = next ? next->start : kEndOfSubtitlesTime;
        if (nextStart - line.start <= threshold) {
            hit.found = true;
            hit.line = hit.caretLine = k;
            hit.time = line.start;
            hit.nextLine = next ? static_cast<long>(nextLine) : -1;
            hit.nextStart = nextStart;
            return hit;
        }
    }
    return hit;
}

SearchHit FindUnsorted(const SubtitleDocument& doc, long fromLine, long count) {
    SearchHit hit = FindStartGap(doc, 0.0, fromLine, count);
    if (hit.found) hit.caretLine = hit.line + 1;
    return hit;
}

}  // namespace kravelo
