#pragma once
// Shared by find-short, find-gaps and find-unsorted: options, loading and the report format.
// A search changes nothing; each match is printed as "FILE:N: ..." with N the 1-based line
// the GUI search would put the caret on. Exit 0 when something was found, 1 when nothing.

#include <iostream>

#include "cli/cli.h"
#include "cli/engine_args.h"
#include "core/text_util.h"
#include "ops/sort.h"

namespace kravelo::cli {

struct SearchInput {
    LoadedFile file;
    long first = 0;  // --lines: matches are looked for on lines [first, last)
    long last = 0;
    double threshold = 0.0;
};

// Options: --fps, --lines; positional [SECONDS] FILE. A threshold must be above 0, as the
// search dialogs require.
inline SearchInput LoadSearch(const std::vector<std::string>& args, bool withThreshold) {
    Options o;
    o.Value("--fps").Value("--lines");
    o.Parse(args);
    const std::size_t want = withThreshold ? 2 : 1;
    if (o.Positional().size() != want)
        throw Failure{kExitUsage, withThreshold ? "give SECONDS and one FILE" : "give exactly one FILE"};
    SearchInput in;
    if (withThreshold) {
        in.threshold = TimeAmountArg("SECONDS", o.Positional()[0]);
        // The dialogs read the field in single precision and refuse anything not above 0.
        if (!(static_cast<float>(in.threshold) > 0.0f)) throw Failure{kExitUsage, "SECONDS must be above 0"};
    }
    in.file = LoadFile(o.Positional().back(), PositiveFps(o));
    WorkRange(o, in.file, in.first, in.last);
    // The search reads the lines of the range and the subtitles that follow them.
    if (HasFrameLines(in.file, in.first, static_cast<long>(in.file.doc.lines.size())))
        RequireFrameRate(in.file, "frame lines are read");
    return in;
}

inline std::string Seconds(double t) {
    return FormatGeneral(t) + " s";
}

inline int SearchFinished(const LoadedFile& f, long matches) {
    if (matches > 0) return kExitOk;
    Warn(f, "search finished: nothing found");
    return kExitDocument;
}

}  // namespace kravelo::cli
