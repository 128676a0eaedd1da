// mark: renews the program's marker subtitle near the top of the file.

#include <algorithm>
#include <ctime>

#include "cli/cli.h"
#include "cli/engine_args.h"
#include "core/marker.h"

namespace kravelo::cli {
namespace {

std::string Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[16];
    std::strftime(buf, sizeof buf, "%y-%m-%d", &local);
    return buf;
}

int RunMark(const std::vector<std::string>& args) {
    Options o;
    o.Value("--fps").Value("--date").Value("-o").Flag("--in-place");
    o.Parse(args);
    if (o.Positional().size() != 1) throw Failure{kExitUsage, "give exactly one FILE"};
    const std::string date = o.Get("--date").value_or(Today());
    const bool shortDate =
        date.size() == 8 && date[2] == '-' && date[5] == '-' &&
        std::all_of(date.begin(), date.end(), [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
    if (!shortDate) throw Failure{kExitUsage, "--date must be YY-MM-DD, got " + date};
    LoadedFile f = LoadFile(o.Positional()[0], PositiveFps(o));

    // Without a rate the engine reads frame numbers at 1.0; it says whether a real rate mattered.
    MarkerResult r = RenewMarker(f.doc, date);
    if (r.usedFrameLines && f.doc.frameRate <= 0.0)
        RequireFrameRate(
            f, r.format == kFormatFrame ? "the marker is written as a frame line" : "frame lines are read");
    if (!r.inserted)
        Warn(f, std::string(
                    "no marker written: the line after the first subtitle is missing, empty or unreadable") +
                    (r.removed ? "; the old marker was removed" : ""));
    WriteResult(o, f);
    return kExitOk;
}

Registrar reg(
    "mark",
    "mark [--fps RATE] [--date YY-MM-DD] [-o OUT | --in-place] FILE\n"
    "      renew the marker subtitle (\"Edited with Kravelo\") at the top, or after an SSA header,\n"
    "      in the format of the line after the first subtitle; date default today",
    RunMark);

}  // namespace
}  // namespace kravelo::cli
