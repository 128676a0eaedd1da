// correct: the two-point (geometric) correction of subtitle times.

#include "cli/cli.h"
#include "cli/engine_args.h"
#include "ops/delay.h"

namespace kravelo::cli {
namespace {

// "S@P": a subtitle time and the movie position at which it is heard, in seconds.
DelayPoint ParsePoint(const std::string& option, const std::string& text) {
    auto at = text.find('@');
    if (at == std::string::npos)
        throw Failure{kExitUsage, option + " needs SUBTITLE@MOVIE seconds, got " + text};
    DelayPoint p;
    p.subtitleTime = TimeAmountArg(option, text.substr(0, at));
    p.moviePosition = TimeAmountArg(option, text.substr(at + 1));
    return p;
}

int RunCorrect(const std::vector<std::string>& args) {
    Options o;
    AddDocumentOptions(o);
    o.Value("--start").Value("--end");
    o.Parse(args);
    if (o.Positional().size() != 1) throw Failure{kExitUsage, "give exactly one FILE"};
    auto startText = o.Get("--start");
    auto endText = o.Get("--end");
    if (!startText || !endText) throw Failure{kExitUsage, "--start SA@PA and --end SB@PB are both required"};
    DelayPoint a = ParsePoint("--start", *startText);
    DelayPoint b = ParsePoint("--end", *endText);
    if (!PointsConsistent(a, b))
        throw Failure{kExitUsage,
                      "the end point must lie after the start point in both times (SB > SA and PB > PA)"};

    LoadedFile f = LoadFile(o.Positional()[0], PositiveFps(o));
    long first, last;
    WorkRange(o, f, first, last);
    if (!CheckLines(o, f, first, last)) return kExitDocument;
    if (HasFrameLines(f, first, last)) RequireFrameRate(f, "frame lines are read and written");

    CorrectResult r =
        CorrectTimes(f.doc, first, last, a.moviePosition, b.moviePosition, a.subtitleTime, b.subtitleTime);
    if (auto w = r.Warning()) Report(f, *w);
    WriteResult(o, f);
    return kExitOk;
}

Registrar reg(
    "correct",
    "correct --start SA@PA --end SB@PB [--fps RATE] [--lines FIRST-LAST]\n"
    "      [--on-bad-line stop|ignore|delete] [-o OUT | --in-place] FILE\n"
    "      two-point correction: the subtitle at SA seconds moves to movie position PA, the one at\n"
    "      SB to PB, every other time by the delay interpolated (and extended) linearly; needs SB > SA, PB > "
    "PA",
    RunCorrect);

}  // namespace
}  // namespace kravelo::cli
