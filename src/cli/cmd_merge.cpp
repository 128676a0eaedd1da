// merge: joins subtitles that vanish too fast with a neighbour and prints the number of merges.

#include "cli/cli.h"
#include "cli/engine_args.h"
#include "ops/merge.h"

namespace kravelo::cli {
namespace {

int RunMerge(const std::vector<std::string>& args) {
    Options o;
    AddDocumentOptions(o);
    o.Value("--per50").Value("--span-end").Value("--span-start").Value("--max-length").Value("--rows");
    o.Flag("--no-max-length").Flag("--add-rows");
    o.Parse(args);
    if (o.Positional().size() != 1) throw Failure{kExitUsage, "give exactly one FILE"};
    if (o.Has("--max-length") && o.Has("--no-max-length"))
        throw Failure{kExitUsage, "--max-length and --no-max-length exclude each other"};
    if (o.Has("--rows") && o.Has("--add-rows"))
        throw Failure{kExitUsage, "--rows and --add-rows exclude each other"};

    MergeOptions options;
    options.per50 = o.GetDouble("--per50", options.per50);
    options.spanEnd = o.GetDouble("--span-end", options.spanEnd);
    options.spanStart = o.GetDouble("--span-start", options.spanStart);
    options.maxLength = o.GetInt("--max-length", options.maxLength);
    options.maxRows = o.GetInt("--rows", options.maxRows);
    // The dialog's limits, checked in its order; the upper ones are what its fields can hold.
    auto seconds = [](const char* name, double v) {
        if (v < 0.1 || v > kMaxMergeSeconds)
            throw Failure{kExitUsage, std::string(name) + " must lie between 0.10 and 999999"};
    };
    seconds("--per50", options.per50);
    seconds("--span-end", options.spanEnd);
    seconds("--span-start", options.spanStart);
    if (options.maxLength < 1) throw Failure{kExitUsage, "--max-length must be at least 1"};
    if (options.maxRows < 2 || options.maxRows > kMaxMergeRows)
        throw Failure{kExitUsage, "--rows must lie between 2 and 99"};
    if (o.Has("--no-max-length")) options.maxLength = 0;
    options.asRows = o.Has("--add-rows");

    LoadedFile f = LoadFile(o.Positional()[0], PositiveFps(o));
    long first, last;
    WorkRange(o, f, first, last);
    if (!CheckLines(o, f, first, last)) return kExitDocument;
    // Each line looks at the next subtitle and the one after it, past the range too.
    RequireRateForFrames(f, first, last, 2);

    MergeResult r = MergeShortSubtitles(f.doc, options, first, last);
    Warn(f, "subtitles merged: " + std::to_string(r.merges));
    WriteResult(o, f);
    return kExitOk;
}

Registrar reg(
    "merge",
    "merge [--per50 2.0] [--span-end 4.0] [--span-start 2.0] [--max-length 80 | --no-max-length]\n"
    "      [--rows 3 | --add-rows] [--fps RATE] [--lines FIRST-LAST] [--on-bad-line stop|ignore|delete]\n"
    "      [-o OUT | --in-place] FILE\n"
    "      join each subtitle shown less than --per50 seconds per 50 characters with its previous or\n"
    "      next subtitle when the two span less than --span-end seconds (start to end) or start less\n"
    "      than --span-start seconds apart; texts together at most --max-length characters;\n"
    "      re-wrap to at most --rows rows (--add-rows keeps every row); prints the number of merges\n"
    "      on standard error",
    RunMerge);

}  // namespace
}  // namespace kravelo::cli
