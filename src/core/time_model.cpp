#include "core/time_model.h"

#include <cmath>
#include <limits>

namespace kravelo {

static int TruncToInt(double v) {
    if (!(v == v)) return 0;  // NaN
    if (v >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(v);  // toward zero
}

SplitTimeParts SplitTime(double t) {
    SplitTimeParts p;
    // Plain divisions: 3600.0 / 3600 and 60.0 / 60 are exact in binary floating point.
    p.hours = TruncToInt(t / 3600.0);
    double rest = t - 3600.0 * p.hours;
    p.minutes = TruncToInt(rest / 60.0);
    rest -= 60.0 * p.minutes;
    p.seconds = TruncToInt(rest);
    p.hundredths = TruncToInt((rest - p.seconds) * 100.0);
    return p;
}

long long RoundHalfUpTrunc(double value) {
    double v = value + 0.5;
    if (!(v == v)) return 0;
    constexpr double kMax = static_cast<double>(std::numeric_limits<int>::max());
    constexpr double kMin = static_cast<double>(std::numeric_limits<int>::min());
    if (v >= kMax) return std::numeric_limits<int>::max();
    if (v <= kMin) return std::numeric_limits<int>::min();
    return static_cast<long long>(v);  // toward zero
}

}  // namespace kravelo
