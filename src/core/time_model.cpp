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
    // A time that is a whole number of hundredths (every SSA time read, and sums of them) sits
    // a rounding error away from that number; truncating t * 100 would drop a hundredth
    // (0.29 * 100 is 28.999...). Such a time is taken as exact; only real fractions of a
    // hundredth are truncated. The split is then done in integers, so it is exact too.
    const double scaled = t * 100.0;
    if (std::isfinite(scaled) && std::fabs(scaled) < 1e15) {
        const double nearest = std::nearbyint(scaled);
        const double tolerance = 1e-6 + std::fabs(scaled) * 1e-13;
        auto total = static_cast<long long>(std::fabs(scaled - nearest) <= tolerance ? nearest : std::trunc(scaled));
        const long long hours = total / 360000;  // toward zero: each part keeps the sign
        if (hours <= std::numeric_limits<int>::max() && hours >= std::numeric_limits<int>::min()) {
            total -= hours * 360000;
            p.hours = static_cast<int>(hours);
            p.minutes = static_cast<int>(total / 6000);
            total -= 6000LL * p.minutes;
            p.seconds = static_cast<int>(total / 100);
            p.hundredths = static_cast<int>(total - 100LL * p.seconds);
            return p;
        }
    }
    // Out of range or not a number: parts clamped to the int range.
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
