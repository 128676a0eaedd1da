#include "ops/timing_search.h"

#include <algorithm>

namespace kravelo {

SearchHit FindShortSubtitle(const SubtitleDocument& doc, double threshold, long fromLine, long count) {
    return FindStartGap(doc, threshold, fromLine, count);
}

SearchHit FindGapAfterSubtitle(const SubtitleDocument& doc, double threshold, long fromLine, long count) {
    SearchHit hit;
    const std::vector<std::string>& lines = doc.lines;
    count = std::min(count, static_cast<long>(lines.size()));
    SubtitleLine line, next;
    long nextLine = -1;  // as in FindStartGap: the next subtitle is shared by the lines before it
    bool nextFound = false;
    for (long k = std::max(0L, fromLine); k < count; ++k) {
        const std::string& text = lines[static_cast<std::size_t>(k)];
        if (text.empty() || ParseLine(text, doc.frameRate, line, doc.ssa) != 1) continue;
        if (nextLine <= k) {
            std::size_t index = static_cast<std::size_t>(k) + 1;
            nextFound = NextSubtitle(lines, doc.frameRate, index, next, doc.ssa);
            nextLine = nextFound ? static_cast<long>(index) - 1 : static_cast<long>(lines.size());
        }
        if (!nextFound) return hit;  // no subtitle follows k, nor any later line
        double end = ImplicitEndTime(line.start, line.end, line.text, next.start);
        if (next.start - end >= threshold) {
            hit.found = true;
            hit.line = k;
            hit.caretLine = k + 1;
            hit.time = end;
            hit.nextLine = nextLine;
            hit.nextStart = next.start;
            return hit;
        }
    }
    return hit;
}

}  // namespace kravelo
