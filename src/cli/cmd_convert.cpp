// convert: rewrites subtitle lines in another format (SubRip text into subtitle lines).

#include <iostream>

#include "cli/cli.h"
#include "core/convert.h"
#include "core/text_util.h"

namespace kravelo::cli {
namespace {

int ParseTarget(const std::string& s) {
    if (s == "1" || s == "time") return kFormatTime;
    if (s == "2" || s == "time-short") return kFormatTimeShort;
    if (s == "3" || s == "frame") return kFormatFrame;
    if (s == "4" || s == "decisecond") return kFormatDecisecond;
    if (s == "5" || s == "ssa") return kFormatSsa;
    throw Failure{kExitUsage, "--to must be 1..5, time, time-short, frame, decisecond or ssa, got " + s};
}

int RunConvert(const std::vector<std::string>& args) {
    Options o;
    AddDocumentOptions(o);
    o.Value("--to").Value("--ssa-font").Value("--ssa-size").Value("--ssa-outline").Value("--ssa-shadow");
    o.Value("--ssa-margin").Value("--ssa-playresy");
    o.Parse(args);
    if (o.Positional().size() != 1) throw Failure{kExitUsage, "give exactly one FILE"};
    auto to = o.Get("--to");
    if (!to) throw Failure{kExitUsage, "--to FORMAT is required"};
    const int target = ParseTarget(*to);

    SsaOptions ssa;
    ssa.fontName = o.Get("--ssa-font").value_or(ssa.fontName);
    ssa.fontSize = static_cast<int>(o.GetInt("--ssa-size", ssa.fontSize));
    ssa.outline = static_cast<int>(o.GetInt("--ssa-outline", ssa.outline));
    ssa.shadow = static_cast<int>(o.GetInt("--ssa-shadow", ssa.shadow));
    ssa.marginV = static_cast<int>(o.GetInt("--ssa-margin", ssa.marginV));
    ssa.playResY = static_cast<int>(o.GetInt("--ssa-playresy", ssa.playResY));
    if (ssa.fontSize < 1) throw Failure{kExitUsage, "--ssa-size must be at least 1"};
    if (ssa.outline < 0 || ssa.shadow < 0 || ssa.marginV < 0 || ssa.playResY < 0)
        throw Failure{kExitUsage, "--ssa-outline, --ssa-shadow, --ssa-margin and --ssa-playresy must not be negative"};

    std::optional<double> fps = FrameRateArg(o, "--fps");
    LoadedFile f = LoadFile(o.Positional()[0], fps);
    long first, last;
    WorkRange(o, f, first, last);
    // SubRip text is not made of subtitle lines and is not checked.
    if (f.doc.documentFormat != kFormatSubRip && !CheckLines(o, f, first, last)) return kExitDocument;
    if (target == kFormatFrame) RequireFrameRate(f, "frame lines are written");
    if (f.doc.documentFormat != kFormatSubRip && HasFrameLines(f, first, last))
        RequireFrameRate(f, "frame lines are read");

    OrderReport report = ConvertLines(f.doc, target, ssa, first, last);
    if (auto w = report.Warning()) Report(f, *w);
    WriteResult(o, f);
    return kExitOk;
}

Registrar reg("convert",
              "convert --to FORMAT [--fps RATE] [--ssa-font NAME] [--ssa-size N] [--ssa-outline N]\n"
              "      [--ssa-shadow N] [--ssa-margin N] [--ssa-playresy N] [--lines FIRST-LAST]\n"
              "      [--on-bad-line stop|ignore|delete] [-o OUT | --in-place] FILE\n"
              "      rewrite subtitle lines in FORMAT: 1|time, 2|time-short, 3|frame, 4|decisecond, 5|ssa;\n"
              "      a .srt file is SubRip text and becomes one line per block",
              RunConvert);

}  // namespace
}  // namespace kravelo::cli
