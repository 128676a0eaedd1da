#include "cli/engine_args.h"

namespace kravelo::cli {

std::optional<double> PositiveFps(const Options& o) {
    return FrameRateArg(o, "--fps");
}

bool FrameLineAhead(const LoadedFile& f, long from, int subtitles) {
    const auto& lines = f.doc.lines;
    SubtitleLine sub;
    for (auto i = static_cast<std::size_t>(std::max(0L, from)); i < lines.size() && subtitles > 0; ++i) {
        const std::string& line = lines[i];
        if (line.empty()) continue;
        int format = LineFormat(line, f.doc.ssa);
        if (format == kFormatFrame) return true;
        if (format == kFormatNone) continue;
        // Whether the line carries a subtitle (start not 0 or text not empty) needs no frame rate
        // for the other formats.
        ParseLine(line, 0.0, sub, f.doc.ssa);
        if (sub.start != 0.0 || !sub.text.empty()) --subtitles;
    }
    return false;
}

void RequireRateForFrames(const LoadedFile& f, long first, long last, int ahead) {
    if (HasFrameLines(f, first, last)) RequireFrameRate(f, "frame lines are read");
    if (ahead > 0 && FrameLineAhead(f, last, ahead))
        RequireFrameRate(f, "a frame line after the range is read for the next subtitle");
}

}  // namespace kravelo::cli
