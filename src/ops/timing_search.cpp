#include "ops/timing_search.h"

#include <algorithm>

#include "ops/next_scan.h"

namespace kravelo {

SearchHit FindShortSubtitle(const SubtitleDocument& doc, double threshold, long fromLine, long count) {
    return FindStartGap(doc, threshold, fromLine, count);
}

SearchHit FindGapAfterSubtitle(const SubtitleDocument& doc, double threshold, long fromLine, long count) {
    SearchHit hit;
    const std::vector<std::string>& lines = doc.lines;
    count = std::min(count, static_cast<long>(lines.size()));
    SubtitleLine line;
    NextSubtitleScan scan(doc);
    for (long k = std::max(0L, fromLine); k < count; ++k) {
        const std::string& text = lines[static_cast<std::size_t>(k)];
        if (text.empty() || ParseLine(text, doc.frameRate, line, doc.ssa) != 1) continue;
        std::size_t nextLine = 0;
        const SubtitleLine* next = scan.Find(static_cast<std::size_t>(k) + 1, &nextLine);
        if (!next) return hit;  // no subtitle follows k, nor any later line
        double end = ImplicitEndTime(line.start, line.end, line.text, next->start);
        if (next->start - end >= threshold) {
            hit.found = true;
            hit.line = k;
            hit.caretLine = k + 1;
            hit.time = end;
            hit.nextLine = static_cast<long>(nextLine);
            hit.nextStart = next->start;
            return hit;
        }
    }
    return hit;
}

}  // namespace kravelo
