// italic: toggles italics on the row under a caret position.

#include <iostream>

#include "cli/cli.h"
#include "cli/engine_args.h"
#include "ops/line_commands.h"

namespace kravelo::cli {
namespace {

int RunItalic(const std::vector<std::string>& args) {
    Options o;
    o.Value("--fps").Value("-o").Flag("--in-place");
    o.Parse(args);
    if (o.Positional().size() != 3) throw Failure{kExitUsage, "give LINE, COLUMN and one FILE"};
    const long lineNumber = ParseIntArg("LINE", o.Positional()[0]);
    const long column = ParseIntArg("COLUMN", o.Positional()[1]);
    if (lineNumber < 1 || column < 1) throw Failure{kExitUsage, "LINE and COLUMN count from 1"};
    LoadedFile f = LoadFile(o.Positional()[2], PositiveFps(o));
    if (lineNumber > static_cast<long>(f.doc.lines.size()))
        throw Failure{kExitUsage, f.path + " has only " + std::to_string(f.doc.lines.size()) + " line(s)"};

    // No frame rate is needed: without one, frame numbers pass through unchanged.
    ItalicResult r = ToggleItalicAt(f.doc, lineNumber - 1, column - 1);
    if (!r.done) {
        std::cerr << f.path << ':' << lineNumber << ':' << column
                  << ": no italics here (an unreadable line, an empty text, or the caret in the times)\n";
        return kExitDocument;
    }
    Warn(f, std::string(r.added ? "italics added" : "italics removed") + "; caret now at line " +
                std::to_string(lineNumber) + ", column " + std::to_string(r.column + 1));
    WriteResult(o, f);
    return kExitOk;
}

Registrar reg("italic",
              "italic [--fps RATE] [-o OUT | --in-place] LINE COLUMN FILE\n"
              "      toggle italics (\"/row/\") on the row of the subtitle text under the caret standing\n"
              "      before character COLUMN of line LINE (both from 1)",
              RunItalic);

}  // namespace
}  // namespace kravelo::cli
