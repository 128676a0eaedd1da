#pragma once
// Documents for the engine tests.

#include <string>
#include <vector>

#include "core/document.h"
#include "core/ssa.h"

namespace kravelo::test {

inline SubtitleDocument Doc(std::vector<std::string> lines, double fps = 25.0) {
    SubtitleDocument d;
    d.lines = std::move(lines);
    d.frameRate = fps;
    d.documentFormat = kFormatTime;
    return d;
}

// An SSA document: the program's own header followed by `events`.
inline SubtitleDocument SsaDoc(const std::vector<std::string>& events, double fps = 25.0) {
    SubtitleDocument d;
    d.lines = SsaHeaderLines(SsaOptions{});
    d.lines.insert(d.lines.end(), events.begin(), events.end());
    d.frameRate = fps;
    d.documentFormat = kFormatSsa;
    d.ssa = ReadSsaHeader(d.lines, true);
    return d;
}

inline std::string Ssa(const std::string& start, const std::string& end, const std::string& text) {
    return "Dialogue: Marked=0," + start + "," + end + ",NORMAL,00,0000,0000,0000,," + text;
}

}  // namespace kravelo::test
