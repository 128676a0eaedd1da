// nudge: moves one line a quarter of a second forward (+) or back (-), without the line check.

#include "cli/cli.h"
#include "cli/engine_args.h"
#include "ops/shift.h"

namespace kravelo::cli {
namespace {

int RunNudge(const std::vector<std::string>& args) {
    Options o;
    o.Value("--fps").Value("-o").Flag("--in-place");
    o.Parse(args);
    const auto& pos = o.Positional();
    if (pos.size() != 3 || (pos[1] != "+" && pos[1] != "-"))
        throw Failure{kExitUsage, "give LINE, + or -, and exactly one FILE"};
    const long lineNumber = ParseIntArg("LINE", pos[0]);
    LoadedFile f = LoadFile(pos[2], PositiveFps(o));
    const long count = static_cast<long>(f.doc.lines.size());
    if (lineNumber < 1 || lineNumber > count)
        throw Failure{kExitUsage, "LINE must be 1.." + std::to_string(count) + ", got " + pos[0]};
    const long index = lineNumber - 1;
    RequireRateForFrames(f, index, index + 1, 0);

    ShiftResult r = NudgeLine(f.doc, index, pos[1] == "+");
    if (auto w = r.Warning()) Report(f, *w);
    WriteResult(o, f);
    return kExitOk;
}

Registrar reg("nudge",
              "nudge LINE (+|-) [--fps RATE] [-o OUT | --in-place] FILE\n"
              "      move line LINE (1-based) a quarter of a second forward (+) or back (-);\n"
              "      an empty or unreadable line is left as it is",
              RunNudge);

}  // namespace
}  // namespace kravelo::cli
