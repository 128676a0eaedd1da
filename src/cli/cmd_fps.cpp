// fps: rewrites frame lines from one frame rate to another; times in seconds stay.

#include "cli/cli.h"
#include "cli/engine_args.h"
#include "ops/frame_rate.h"

namespace kravelo::cli {
namespace {

int RunFps(const std::vector<std::string>& args) {
    Options o;
    AddDocumentOptions(o);
    o.Value("--from").Value("--to");
    o.Parse(args);
    if (o.Positional().size() != 1) throw Failure{kExitUsage, "give exactly one FILE"};
    if (!o.Get("--from") || !o.Get("--to"))
        throw Failure{kExitUsage, "--from RATE and --to RATE are required"};
    const double source = *FrameRateArg(o, "--from");
    const double target = *FrameRateArg(o, "--to");
    if (source == target) throw Failure{kExitUsage, "--from and --to are equal (nothing to do)"};

    // The two rates are all the frame lines need; --fps is accepted and not used.
    LoadedFile f = LoadFile(o.Positional()[0], PositiveFps(o));
    long first, last;
    WorkRange(o, f, first, last);
    if (!CheckLines(o, f, first, last)) return kExitDocument;

    ChangeFrameRate(f.doc, source, target, first, last);
    WriteResult(o, f);
    return kExitOk;
}

Registrar reg("fps",
              "fps --from RATE --to RATE [--lines FIRST-LAST] [--on-bad-line stop|ignore|delete]\n"
              "      [-o OUT | --in-place] FILE\n"
              "      read frame lines at the --from rate and write them at the --to rate",
              RunFps);

}  // namespace
}  // namespace kravelo::cli
