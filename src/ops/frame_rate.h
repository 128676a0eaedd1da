#pragma once
// The frame-rate change: lines read at one frame rate and written at another, so
// frame numbers are rescaled and times in seconds stay.

#include "core/document.h"

namespace kravelo {

struct FrameRateResult {
    long linesWritten = 0;  // nothing to report: the command shows no message
};

// Every readable, non-empty line of [first, last) is read at `source` and written in its own
// format at `target`. doc.frameRate is not changed.
FrameRateResult ChangeFrameRate(SubtitleDocument& doc, double source, double target, long first, long last,
                                const ProgressFn& progress = {});

}  // namespace kravelo
