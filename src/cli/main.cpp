// kravelo-cli: the subtitle engines from the command line.

#include <clocale>
#include <new>
#include <iostream>

#include "cli/cli.h"
#include "kravelo_version.h"

using namespace kravelo::cli;

static void PrintUsage(std::ostream& out) {
    out << "Usage: kravelo-cli COMMAND [OPTIONS] FILE...\n"
           "Subtitle line formats: 1 time (00:00:00:text), 2 time-short (0:00:00:text),\n"
           "3 frame ({start}{end}text), 4 decisecond ([start][end]text), 5 ssa (SubStation Alpha).\n"
           "Document commands take --fps RATE, --lines FIRST-LAST (1-based, inclusive),\n"
           "--on-bad-line stop|ignore|delete (default stop) and -o OUT or --in-place\n"
           "(without either the result goes to standard output).\n"
           "Numbers must be finite: frame rates 0.01 to 1000, seconds at most 360000 (100 hours) either way,\n"
           "and with --fps a shift or display time of at least one frame.\n"
           "Exit status: 0 done (warnings allowed), 1 the document stopped the command, 2 usage or file error.\n\n"
           "Commands:\n";
    for (const auto& [name, cmd] : Commands()) out << "  " << cmd.usage << '\n';
    out << "\nkravelo-cli " << kravelo::kVersion << '\n';
}

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintUsage(std::cerr);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(std::cout);
        return kExitOk;
    }
    if (args[0] == "--version") {
        std::cout << "kravelo-cli " << kravelo::kVersion << '\n';
        return kExitOk;
    }
    auto it = Commands().find(args[0]);
    if (it == Commands().end()) {
        std::cerr << "kravelo-cli: unknown command " << args[0] << " (see --help)\n";
        return kExitUsage;
    }
    std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const auto& a : rest)
        if (a == "--help" || a == "-h") {
            std::cout << "Usage: kravelo-cli " << it->second.usage << '\n';
            return kExitOk;
        }
    try {
        return it->second.run(rest);
    } catch (const Failure& f) {
        std::cerr << "kravelo-cli " << args[0] << ": " << f.message << '\n';
        return f.code;
    } catch (const std::bad_alloc&) {
        std::cerr << "kravelo-cli " << args[0] << ": not enough memory for this file\n";
        return kExitUsage;
    }
}
