#pragma once
// Pieces shared by the timing commands (shift, nudge, fps, display-time, merge, repair).

#include <optional>
#include <string>

#include "cli/cli.h"

namespace kravelo::cli {

// --fps RATE when given (within the frame-rate range), else nullopt.
std::optional<double> PositiveFps(const Options& o);

// True when reading `subtitles` subtitles onward from line `from` the way NextSubtitle does
// meets a frame line (engines that look at the subtitles after a line read past the range).
bool FrameLineAhead(const LoadedFile& f, long from, int subtitles);

// Requires a frame rate when a frame line is read: in [first, last) or, when `ahead` > 0, among
// the lines read to find that many subtitles after the range.
void RequireRateForFrames(const LoadedFile& f, long first, long last, int ahead);

}  // namespace kravelo::cli
