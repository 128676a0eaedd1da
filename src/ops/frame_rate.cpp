#include "ops/frame_rate.h"

#include "ops/rewrite.h"

namespace kravelo {

FrameRateResult ChangeFrameRate(SubtitleDocument& doc, double source, double target, long first, long last,
                                const ProgressFn& progress) {
    FrameRateResult result;
    result.linesWritten = RewriteLines(doc, source, target, first, last, progress, [](SubtitleLine&) {});
    return result;
}

}  // namespace kravelo
