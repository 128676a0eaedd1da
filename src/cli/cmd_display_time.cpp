// display-time: rewrites end times from the start and a display time, or blanks them.

#include "cli/cli.h"
#include "cli/engine_args.h"
#include "core/text_util.h"
#include "ops/display_time.h"

namespace kravelo::cli {
namespace {

int RunDisplayTime(const std::vector<std::string>& args) {
    Options o;
    AddDocumentOptions(o);
    o.Flag("--fixed").Flag("--only-unset").Flag("--no-block-end").Flag("--blank");
    o.Parse(args);
    DisplayTimeOptions options;
    const auto& pos = o.Positional();
    if (o.Has("--blank")) {
        if (o.Has("--fixed") || o.Has("--only-unset") || o.Has("--no-block-end"))
            throw Failure{kExitUsage, "--blank takes no other display-time option"};
        if (pos.size() != 1) throw Failure{kExitUsage, "--blank takes no SECONDS; give exactly one FILE"};
        options.emptyEnds = true;
    } else {
        if (pos.size() != 2) throw Failure{kExitUsage, "give SECONDS and exactly one FILE"};
        options.seconds = TimeAmountArg("SECONDS", pos[0]);
        if (options.seconds <= 0.0) throw Failure{kExitUsage, "SECONDS must be above 0"};
        if (auto fps = PositiveFps(o); fps && !AtLeastOneFrame(options.seconds, *fps))
            throw Failure{kExitUsage, "SECONDS must be at least one frame (1/" + FormatGeneral(*fps) + " s)"};
        options.byLength = !o.Has("--fixed");
        options.overwrite = !o.Has("--only-unset");
        options.blockEnd = !o.Has("--no-block-end");
    }

    LoadedFile f = LoadFile(pos.back(), PositiveFps(o));
    long first, last;
    WorkRange(o, f, first, last);
    if (!CheckLines(o, f, first, last)) return kExitDocument;
    // The block end reads the subtitle after the last line of the range.
    RequireRateForFrames(f, first, last, !options.emptyEnds && options.blockEnd ? 1 : 0);

    SetDisplayTimes(f.doc, options, first, last);
    WriteResult(o, f);
    return kExitOk;
}

Registrar reg(
    "display-time",
    "display-time SECONDS [--fixed] [--only-unset] [--no-block-end] | display-time --blank\n"
    "      [--fps RATE] [--lines FIRST-LAST] [--on-bad-line stop|ignore|delete] [-o OUT | --in-place] FILE\n"
    "      set end times: start + 2 s + SECONDS per 50 characters (--fixed: start + SECONDS),\n"
    "      every end (--only-unset: only missing ones), cut before the next subtitle\n"
    "      (--no-block-end: not cut); --blank empties every end",
    RunDisplayTime);

}  // namespace
}  // namespace kravelo::cli
