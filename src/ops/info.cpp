#include "ops/info.h"

#include <algorithm>

namespace kravelo {

DocumentInfo DescribeDocument(const SubtitleDocument& doc) {
    DocumentInfo info;
    const std::vector<std::string>& lines = doc.lines;
    const std::size_t skip =
        doc.documentFormat == kFormatSsa ? static_cast<std::size_t>(std::max(0, doc.ssa.headerLines)) : 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i < skip)
            ++info.header;
        else if (lines[i].empty())
            ++info.empty;
        else
            ++info.formats[static_cast<std::size_t>(LineFormat(lines[i], doc.ssa))];
    }
    std::size_t index = 0;
    SubtitleLine line;
    long previousLine = -1;
    while (NextSubtitle(lines, doc.frameRate, index, line, doc.ssa)) {
        const double last = std::max(line.start, line.end);
        if (info.subtitles == 0) {
            info.firstTime = line.start;
            info.lastTime = last;
        } else {
            info.firstTime = std::min(info.firstTime, line.start);
            info.lastTime = std::max(info.lastTime, last);
            if (info.firstUnsortedLine < 0 && line.start <= info.order.previousStart)
                info.firstUnsortedLine = previousLine;
        }
        info.order.Add(line.start);
        previousLine = static_cast<long>(index) - 1;
        ++info.subtitles;
    }
    return info;
}

}  // namespace kravelo
