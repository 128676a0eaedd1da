// sort: reorders the lines of the range by start time (stable; unreadable and empty lines first).

#include "cli/cli.h"
#include "cli/engine_args.h"
#include "ops/sort.h"

namespace kravelo::cli {
namespace {

int RunSort(const std::vector<std::string>& args) {
    Options o;
    AddDocumentOptions(o);
    o.Parse(args);
    if (o.Positional().size() != 1) throw Failure{kExitUsage, "give exactly one FILE"};
    LoadedFile f = LoadFile(o.Positional()[0], PositiveFps(o));
    long first, last;
    WorkRange(o, f, first, last);
    if (!CheckLines(o, f, first, last)) return kExitDocument;
    if (HasFrameLines(f, first, last)) RequireFrameRate(f, "frame lines are read to sort them by start time");

    SortResult r = SortLines(f.doc, first, last);
    Warn(f, std::to_string(r.moved) + " line(s) moved");
    if (r.order.equal > 0)
        Warn(f, "note: " + std::to_string(r.order.equal) +
                    " subtitle(s) start at the same time as the one before; they keep their order");
    WriteResult(o, f);
    return kExitOk;
}

Registrar reg(
    "sort",
    "sort [--fps RATE] [--lines FIRST-LAST] [--on-bad-line stop|ignore|delete] [-o OUT | --in-place] FILE\n"
    "      sort the lines by start time; equal starts keep their order, empty and unreadable\n"
    "      lines gather at the top of the range",
    RunSort);

}  // namespace
}  // namespace kravelo::cli
