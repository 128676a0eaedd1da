// check: lists unreadable lines and counts the lines of each format.

#include <array>
#include <iostream>

#include "cli/cli.h"
#include "core/convert.h"

namespace kravelo::cli {
namespace {

int RunCheck(const std::vector<std::string>& args) {
    Options o;
    o.Value("--fps");
    o.Parse(args);
    if (o.Positional().empty()) throw Failure{kExitUsage, "no file given"};
    std::optional<double> fps = FrameRateArg(o, "--fps");
    int status = kExitOk;
    for (const std::string& path : o.Positional()) {
        LoadedFile f = LoadFile(path, fps);
        const auto& lines = f.doc.lines;
        if (f.doc.documentFormat == kFormatSubRip) {
            std::size_t index = 0, blocks = 0;
            SubRipBlock block;
            while (ReadSubRipBlock(lines, index, block)) ++blocks;
            std::cout << path << ": " << lines.size() << " lines, SubRip text with " << blocks << " blocks\n";
            continue;
        }
        std::array<long, 6> counts{};  // by format; [0] = unreadable
        long empty = 0, header = 0;
        long skip = f.doc.documentFormat == kFormatSsa ? std::max(0, f.doc.ssa.headerLines) : 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (static_cast<long>(i) < skip) {
                ++header;
            } else if (lines[i].empty()) {
                ++empty;
            } else {
                int format = LineFormat(lines[i], f.doc.ssa);
                ++counts[static_cast<std::size_t>(format)];
                if (format == kFormatNone) std::cerr << path << ':' << i + 1 << ": unreadable line\n";
            }
        }
        std::cout << path << ": " << lines.size() << " lines: " << counts[1] << " time, " << counts[2]
                  << " time-short, " << counts[3] << " frame, " << counts[4] << " decisecond, " << counts[5]
                  << " ssa, " << empty << " empty, ";
        if (header) std::cout << header << " ssa header, ";
        std::cout << counts[0] << " unreadable\n";
        if (counts[0] > 0) status = kExitDocument;
    }
    return status;
}

Registrar reg("check", "check [--fps RATE] FILE...   list unreadable lines and count the lines of each format",
              RunCheck);

}  // namespace
}  // namespace kravelo::cli
