#include "ops/delay.h"

#include <algorithm>

namespace kravelo {

double DelayAt(double PA, double PB, double SA, double SB, double t) {
    const double dA = SA - PA;
    const double dB = SB - PB;
    return dA + (dB - dA) * (t - SA) / (SB - SA);
}

bool PointsConsistent(const DelayPoint& a, const DelayPoint& b) {
    return b.subtitleTime > a.subtitleTime && b.moviePosition > a.moviePosition;
}

std::optional<Measurement> MeasureLine(const SubtitleDocument& doc, long index, double moviePosition,
                                       double reaction) {
    if (index < 0 || index >= static_cast<long>(doc.lines.size())) return std::nullopt;
    const std::string& text = doc.lines[static_cast<std::size_t>(index)];
    SubtitleLine line;
    if (text.empty() || ParseLine(text, doc.frameRate, line, doc.ssa) != 1) return std::nullopt;
    Measurement m;
    m.point.subtitleTime = line.start - reaction;
    m.point.moviePosition = moviePosition;
    m.text = text;
    m.lineNumber = index + 1;
    return m;
}

std::optional<double> MeasureDelay(const SubtitleDocument& doc, long index, double moviePosition,
                                   double reaction) {
    auto m = MeasureLine(doc, index, moviePosition, reaction);
    if (!m) return std::nullopt;
    return moviePosition - m->point.subtitleTime;
}

CorrectResult CorrectTimes(SubtitleDocument& doc, long first, long last, double PA, double PB, double SA,
                           double SB, const ProgressFn& progress) {
    CorrectResult result;
    if (!(SB > SA && PB > PA)) return result;
    result.done = true;
    std::vector<std::string>& lines = doc.lines;
    last = std::min(last, static_cast<long>(lines.size()));
    SubtitleLine line;
    std::string written;
    for (long i = std::max(0L, first); i < last; ++i) {
        if (progress && i % 10 == 0) progress(i, last, ProgressColor::Blue);
        std::string& text = lines[static_cast<std::size_t>(i)];
        if (text.empty() || ParseLine(text, doc.frameRate, line, doc.ssa) != 1) continue;
        double start = line.start - DelayAt(PA, PB, SA, SB, line.start);
        double end = line.end;
        if (end != 0.0) end -= DelayAt(PA, PB, SA, SB, end);
        if (start < 0.0 || end < 0.0) result.negativeTime = true;
        if (putline(line.format, doc.frameRate, start, end, line.text, written) != 1) continue;
        text.swap(written);
        ++result.changed;
    }
    return result;
}

}  // namespace kravelo
