#include "ops/frame_rate.h"

#include <algorithm>

namespace kravelo {

FrameRateResult ChangeFrameRate(SubtitleDocument& doc, double source, double target, long first, long last,
                                const ProgressFn& progress) {
    FrameRateResult result;
    std::vector<std::string>& lines = doc.lines;
    last = std::min(last, static_cast<long>(lines.size()));
    SubtitleLine sub;
    std::string written;
    for (long i = std::max(0L, first); i < last; ++i) {
        if (progress && i % 10 == 0) progress(i, last, ProgressColor::Blue);
        std::string& line = lines[static_cast<std::size_t>(i)];
        if (line.empty() || ParseLine(line, source, sub, doc.ssa) != 1) continue;
        putline(sub.format, target, sub.start, sub.end, sub.text, written);
        line.swap(written);
        ++result.linesWritten;
    }
    return result;
}

}  // namespace kravelo
