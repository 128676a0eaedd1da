// shift: adds seconds to the start and/or end times of the lines.

#include "cli/cli.h"
#include "cli/engine_args.h"
#include "core/text_util.h"
#include "ops/shift.h"

namespace kravelo::cli {
namespace {

int RunShift(const std::vector<std::string>& args) {
    Options o;
    AddDocumentOptions(o);
    o.Flag("--start-only").Flag("--end-only");
    o.Parse(args);
    if (o.Positional().size() != 2) throw Failure{kExitUsage, "give SECONDS and exactly one FILE"};
    const double seconds = TimeAmountArg("SECONDS", o.Positional()[0]);
    if (seconds == 0.0) throw Failure{kExitUsage, "SECONDS must not be 0 (nothing to do)"};
    const std::optional<double> fps = PositiveFps(o);
    if (fps && !AtLeastOneFrame(seconds, *fps))
        throw Failure{kExitUsage, "SECONDS must be at least one frame (1/" + FormatGeneral(*fps) + " s)"};
    if (o.Has("--start-only") && o.Has("--end-only"))
        throw Failure{kExitUsage, "--start-only and --end-only exclude each other"};
    const bool changeStart = !o.Has("--end-only");
    const bool changeEnd = !o.Has("--start-only");

    LoadedFile f = LoadFile(o.Positional()[1], fps);
    long first, last;
    WorkRange(o, f, first, last);
    if (!CheckLines(o, f, first, last)) return kExitDocument;
    RequireRateForFrames(f, first, last, 0);

    ShiftResult r = ShiftTimes(f.doc, seconds, changeStart, changeEnd, first, last);
    if (auto w = r.Warning()) Report(f, *w);
    WriteResult(o, f);
    return kExitOk;
}

Registrar reg("shift",
              "shift SECONDS [--start-only | --end-only] [--fps RATE] [--lines FIRST-LAST]\n"
              "      [--on-bad-line stop|ignore|delete] [-o OUT | --in-place] FILE\n"
              "      add SECONDS (may be negative) to the start and end times (an end of 0 stays 0)",
              RunShift);

}  // namespace
}  // namespace kravelo::cli
