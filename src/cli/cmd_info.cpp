// info: line formats, number of subtitles, time span and order of a document.

#include <iostream>

#include "cli/cli.h"
#include "cli/engine_args.h"
#include "core/ssa.h"
#include "core/text_util.h"
#include "ops/info.h"

namespace kravelo::cli {
namespace {

std::string Time(double t) {
    return FormatGeneral(t) + " s (" + WriteSsaTime(t) + ")";
}

int RunInfo(const std::vector<std::string>& args) {
    Options o;
    o.Value("--fps");
    o.Parse(args);
    if (o.Positional().empty()) throw Failure{kExitUsage, "no file given"};
    std::optional<double> fps = PositiveFps(o);
    for (const std::string& path : o.Positional()) {
        LoadedFile f = LoadFile(path, fps);
        const long count = static_cast<long>(f.doc.lines.size());
        if (f.doc.documentFormat != kFormatSubRip && HasFrameLines(f, 0, count))
            RequireFrameRate(f, "frame lines are read");
        DocumentInfo info = DescribeDocument(f.doc);
        static const char* const kNames[] = {"unreadable", "time",       "time-short",
                                             "frame",      "decisecond", "ssa"};
        std::cout << path << ": " << count << " lines";
        if (f.doc.documentFormat == kFormatSubRip) std::cout << " (SubRip text, not yet converted)";
        std::cout << "\n  formats:";
        bool any = false;
        for (int k = 1; k <= 5; ++k)
            if (info.formats[static_cast<std::size_t>(k)] > 0) {
                std::cout << (any ? ", " : " ") << kNames[k] << ' '
                          << info.formats[static_cast<std::size_t>(k)];
                any = true;
            }
        if (!any) std::cout << " none";
        std::cout << "\n  other lines: " << info.empty << " empty, " << info.formats[0] << " unreadable";
        if (info.header > 0) std::cout << ", " << info.header << " ssa header";
        std::cout << "\n  subtitles: " << info.subtitles << '\n';
        if (info.subtitles > 0) {
            std::cout << "  first time: " << Time(info.firstTime) << "\n  last time: " << Time(info.lastTime)
                      << '\n';
            // "sorted" as playback needs it: every start after the one before.
            const OrderReport& order = info.order;
            std::cout << "  starts sorted: " << (order.unsorted > 0 ? "no" : "yes");
            if (order.unsorted > 0) std::cout << ", " << order.unsorted << " step(s) back";
            if (order.equal > 0) std::cout << ", " << order.equal << " equal start(s)";
            if (info.firstUnsortedLine >= 0)
                std::cout << "; the first at line " << info.firstUnsortedLine + 1 << " and its next subtitle";
            std::cout << '\n';
        }
    }
    return kExitOk;
}

Registrar reg("info",
              "info [--fps RATE] FILE...   formats found, number of subtitles, first and last time, whether\n"
              "      starts are sorted",
              RunInfo);

}  // namespace
}  // namespace kravelo::cli
