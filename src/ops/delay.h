#pragma once
// Delay measurement and the two-point (geometric) correction.
// A measurement pairs a subtitle time S with the movie position P at which it was heard;
// the delay of the subtitles is S - P.

#include <optional>
#include <string>

#include "core/document.h"

namespace kravelo {

// One measured point: subtitle time and movie position, seconds.
struct DelayPoint {
    double subtitleTime = 0.0;   // SA or SB, the reaction time already taken off
    double moviePosition = 0.0;  // PA or PB
};

// A start or end measurement on one line (the caret's line).
struct Measurement {
    DelayPoint point;
    std::string text;     // the line's text as it stands
    long lineNumber = 0;  // 1-based
};

// The interpolated delay at subtitle time t: dA + (dB - dA) * (t - SA) / (SB - SA) with
// dA = SA - PA and dB = SB - PB. Linear on both sides of the two points.
double DelayAt(double PA, double PB, double SA, double SB, double t);

// The correction is possible only when SB > SA and PB > PA.
bool PointsConsistent(const DelayPoint& a, const DelayPoint& b);

// Reads the subtitle time of line `index` for a measurement: its start minus `reaction`
// (ReactionSpeed when ReactionForDelayCheckToo is on, else 0). nullopt for an empty or
// unreadable line (the command then does nothing).
std::optional<Measurement> MeasureLine(const SubtitleDocument& doc, long index, double moviePosition,
                                       double reaction = 0.0);

// The measure command's delay D = P - S (S with the reaction taken off), the value it reports
// and puts into the time-shift dialog; nullopt for an empty or unreadable line.
std::optional<double> MeasureDelay(const SubtitleDocument& doc, long index, double moviePosition,
                                   double reaction = 0.0);

struct CorrectResult {
    bool done = false;          // false: the points are not consistent and nothing was touched
    bool negativeTime = false;  // report NegativeShowTime once
    long changed = 0;           // lines rewritten

    // NegativeShowTime once, however many lines went negative.
    std::optional<Message> Warning() const {
        return negativeTime ? std::optional<Message>(msg::NegativeShowTime) : std::nullopt;
    }
};

// CorrectTimes: every readable, non-empty line of [first, last) gets start - DelayAt(start)
// and, when its end is not 0, end - DelayAt(end); written back in its own format. Progress
// (blue) every tenth line. Refuses (done = false) unless SB > SA and PB > PA.
CorrectResult CorrectTimes(SubtitleDocument& doc, long first, long last, double PA, double PB, double SA,
                           double SB, const ProgressFn& progress = {});

}  // namespace kravelo
