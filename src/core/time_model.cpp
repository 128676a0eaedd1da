#include "core/time_model.h"

#include <cmath>
#include <limits>

#include "core/text_util.h"

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

std::optional<double> ReadClockTime(std::string_view s, char separator, double unit) {
    const std::size_t c1 = s.find(':');
    if (c1 == std::string_view::npos) return std::nullopt;
    const std::size_t c2 = s.find(':', c1 + 1);
    if (c2 == std::string_view::npos) return std::nullopt;
    const std::size_t sep = s.find(separator, c2 + 1);
    if (sep == std::string_view::npos) return std::nullopt;
    const auto h = ParseWholeInt(s.substr(0, c1));
    const auto m = ParseWholeInt(s.substr(c1 + 1, c2 - c1 - 1));
    const auto sec = ParseWholeInt(s.substr(c2 + 1, sep - c2 - 1));
    const auto fraction = ParseWholeInt(s.substr(sep + 1));
    if (!h || !m || !sec || !fraction || *h == -1 || *m == -1 || *sec == -1 || *fraction == -1)
        return std::nullopt;
    return static_cast<double>(*h * 3600 + *m * 60 + *sec) + unit * static_cast<double>(*fraction);
}

}  // namespace kravelo
