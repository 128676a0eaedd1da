#include "ops/delay.h"

#include <algorithm>

#include "ops/rewrite.h"

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
    result.changed =
        RewriteLines(doc, doc.frameRate, doc.frameRate, first, last, progress, [&](SubtitleLine& sub) {
            const double start = sub.start;
            sub.start -= DelayAt(PA, PB, SA, SB, start);
            if (sub.end != 0.0) sub.end -= DelayAt(PA, PB, SA, SB, sub.end);
            if (sub.start < 0.0 || sub.end < 0.0) result.negativeTime = true;
        });
    return result;
}

}  // namespace kravelo
