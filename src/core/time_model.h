#pragma once
// Times are seconds in doubles; frame numbers meet them through the frame rate.
// Every conversion between the two goes through the functions here.

#include <optional>
#include <string_view>

namespace kravelo {

struct SplitTimeParts {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int hundredths = 0;
};

// Splits seconds into hours, minutes, seconds and hundredths, each truncated toward zero.
// Exact multiples stay exact: 3600.0 is 1:00:00, never 0:60:00. A time that is a whole number
// of hundredths up to a rounding error (1024.87 read from an SSA line) keeps that number; only
// real fractions of a hundredth are truncated, so reading and writing a time never drifts.
SplitTimeParts SplitTime(double t);

// Integer part (toward zero) of value + 0.5, clamped to the int range: how a time becomes a
// frame number (t * rate) or a decisecond count (t * 10).
long long RoundHalfUpTrunc(double value);

// Frame number of a time at a frame rate.
inline long long TimeToFrame(double t, double rate) { return RoundHalfUpTrunc(t * rate); }

// Seconds of a frame number; 0 when no frame rate is set.
inline double FrameToTime(long long frame, double rate) {
    return rate > 0.0 ? static_cast<double>(frame) / rate : 0.0;
}

// A clock time "H:MM:SS" + `separator` + a fraction counted in `unit` seconds: SSA's
// "0:01:02.50" ('.', 0.01) and SubRip's "00:01:02,500" (',', 0.001). nullopt when a part is
// missing, is not a whole number, or is -1 (which stands for "unreadable").
std::optional<double> ReadClockTime(std::string_view text, char separator, double unit);

}  // namespace kravelo
