// repair: cleans up spacing, empty lines, brace codes and overlapping ends.

#include "cli/cli.h"
#include "cli/engine_args.h"
#include "ops/repair.h"

namespace kravelo::cli {
namespace {

int RunRepair(const std::vector<std::string>& args) {
    Options o;
    AddDocumentOptions(o);
    o.Flag("--no-block-end").Flag("--no-punctuation").Flag("--no-dash").Flag("--no-empty-lines");
    o.Flag("--no-double-spaces").Flag("--no-row-end-spaces").Flag("--digit-spaces").Flag("--brace-codes");
    o.Parse(args);
    if (o.Positional().size() != 1) throw Failure{kExitUsage, "give exactly one FILE"};
    RepairOptions options;
    options.blockEnd = !o.Has("--no-block-end");
    options.punctuation = !o.Has("--no-punctuation");
    options.dash = !o.Has("--no-dash");
    options.emptyLines = !o.Has("--no-empty-lines");
    options.doubleSpaces = !o.Has("--no-double-spaces");
    options.rowEndSpaces = !o.Has("--no-row-end-spaces");
    options.digitSpaces = o.Has("--digit-spaces");
    options.braceCodes = o.Has("--brace-codes");
    if (!options.Any()) throw Failure{kExitUsage, "every repair is switched off (nothing to do)"};

    LoadedFile f = LoadFile(o.Positional()[0], PositiveFps(o));
    long first, last;
    WorkRange(o, f, first, last);
    if (!CheckLines(o, f, first, last)) return kExitDocument;
    RequireRateForFrames(f, first, last, options.blockEnd ? 1 : 0);

    RepairResult r = RepairSubtitles(f.doc, options, first, last);
    if (r.linesRemoved > 0) Warn(f, std::to_string(r.linesRemoved) + " empty line(s) removed");
    WriteResult(o, f);
    return kExitOk;
}

Registrar reg(
    "repair",
    "repair [--no-block-end] [--no-punctuation] [--no-dash] [--no-empty-lines] [--no-double-spaces]\n"
    "      [--no-row-end-spaces] [--digit-spaces] [--brace-codes] [--fps RATE] [--lines FIRST-LAST]\n"
    "      [--on-bad-line stop|ignore|delete] [-o OUT | --in-place] FILE\n"
    "      fix spacing around punctuation and dialogue dashes, remove empty lines and subtitles,\n"
    "      double spaces and spaces at row ends (optionally spaces between digits and {codes}),\n"
    "      and cut ends that reach the next subtitle",
    RunRepair);

}  // namespace
}  // namespace kravelo::cli
