// find-unsorted: subtitles whose next subtitle starts at the same time or earlier.

#include "cli/search_cli.h"

namespace kravelo::cli {
namespace {

int RunFindUnsorted(const std::vector<std::string>& args) {
    SearchInput in = LoadSearch(args, false);
    const LoadedFile& f = in.file;
    long matches = 0;
    for (long from = in.first - 1;; ++matches) {
        SearchHit hit = FindUnsorted(f.doc, from, in.last);
        if (!hit.found) break;
        // The GUI moves the caret on to the line after the subtitle that is out of order.
        std::cout << f.path << ':' << hit.caretLine + 1 << ": line " << hit.line + 1 << " starts at "
                  << Seconds(hit.time);
        if (hit.nextLine < 0)
            std::cout << ", beyond the end of subtitles";
        else
            std::cout << ", the next subtitle (line " << hit.nextLine + 1 << ") "
                      << (hit.nextStart == hit.time ? "at the same time" : "at " + Seconds(hit.nextStart));
        std::cout << '\n';
        from = hit.line;  // every match, including one on the caret's new line
    }
    return SearchFinished(f, matches);
}

Registrar reg("find-unsorted",
              "find-unsorted [--fps RATE] [--lines FIRST-LAST] FILE\n"
              "      list subtitles whose next subtitle starts at the same time or earlier",
              RunFindUnsorted);

}  // namespace
}  // namespace kravelo::cli
