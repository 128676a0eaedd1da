// find-short: subtitles followed too quickly by the next one.

#include "cli/search_cli.h"
#include "ops/timing_search.h"

namespace kravelo::cli {
namespace {

int RunFindShort(const std::vector<std::string>& args) {
    SearchInput in = LoadSearch(args, true);
    const LoadedFile& f = in.file;
    long matches = 0;
    for (long from = in.first - 1;; ++matches) {
        SearchHit hit = FindShortSubtitle(f.doc, in.threshold, from, in.last);
        if (!hit.found) break;
        std::cout << f.path << ':' << hit.caretLine + 1 << ": starts at " << Seconds(hit.time);
        if (hit.nextLine >= 0)
            std::cout << ", the next subtitle (line " << hit.nextLine + 1 << ") "
                      << Seconds(hit.nextStart - hit.time) << " later";
        std::cout << '\n';
        from = hit.line;  // F3 goes on from the caret's line
    }
    return SearchFinished(f, matches);
}

Registrar reg("find-short",
              "find-short [--fps RATE] [--lines FIRST-LAST] SECONDS FILE\n"
              "      list subtitles whose next subtitle starts no more than SECONDS after them",
              RunFindShort);

}  // namespace
}  // namespace kravelo::cli
