#pragma once
// The ranges of typed numbers the engines are given. Outside them the results are no longer
// subtitles (every frame 0 or the largest int, times beyond what a line can hold), so a value
// outside is refused before anything runs.

#include <cmath>

namespace kravelo {

// Frames per second: every real movie lies well inside; frame numbers of 100 hours still fit.
inline constexpr double kMinFrameRate = 0.01;
inline constexpr double kMaxFrameRate = 1000.0;
// A shift, a display time or a search threshold: at most 100 hours, the longest time a time
// line can write (two hour digits).
inline constexpr double kMaxTimeAmount = 360000.0;
// The merge dialog's fields: six characters for the times, ten for the length, two for rows.
inline constexpr double kMaxMergeSeconds = 999999.0;
inline constexpr long kMaxMergeLength = 2147483647L;
inline constexpr long kMaxMergeRows = 99;

inline bool ValidFrameRate(double fps) {
    return std::isfinite(fps) && fps >= kMinFrameRate && fps <= kMaxFrameRate;
}

inline bool ValidTimeAmount(double seconds) {
    return std::isfinite(seconds) && std::fabs(seconds) <= kMaxTimeAmount;
}

// At least one whole frame at `fps` (the frames field of a dialog must not read 0).
inline bool AtLeastOneFrame(double seconds, double fps) {
    return std::fabs(seconds * fps) >= 1.0;
}

}  // namespace kravelo
