// find-gaps: long pauses between the end of a subtitle and the start of the next.

#include "cli/search_cli.h"
#include "ops/timing_search.h"

namespace kravelo::cli {
namespace {

int RunFindGaps(const std::vector<std::string>& args) {
    SearchInput in = LoadSearch(args, true);
    const LoadedFile& f = in.file;
    long matches = 0;
    for (long from = in.first;; ++matches) {
        SearchHit hit = FindGapAfterSubtitle(f.doc, in.threshold, from, in.last);
        if (!hit.found) break;
        // The caret lands on the line after the subtitle that ends before the gap.
        std::cout << f.path << ':' << hit.caretLine + 1 << ": gap of " << Seconds(hit.nextStart - hit.time)
                  << " after line " << hit.line + 1 << " (ends at " << Seconds(hit.time) << ", line "
                  << hit.nextLine + 1 << " starts at " << Seconds(hit.nextStart) << ")\n";
        from = hit.caretLine;  // F3 goes on from the caret's line
    }
    return SearchFinished(f, matches);
}

Registrar reg("find-gaps",
              "find-gaps [--fps RATE] [--lines FIRST-LAST] SECONDS FILE\n"
              "      list pauses of at least SECONDS between a subtitle's end and the next start",
              RunFindGaps);

}  // namespace
}  // namespace kravelo::cli
