#pragma once
// Shared pieces of kravelo-cli: the command registry, option parsing, loading a subtitle file
// as a document, writing the result and reporting on standard error.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/document.h"
#include "core/input_limits.h"
#include "core/text_file.h"
#include "ops/validate.h"

namespace kravelo::cli {

enum Exit { kExitOk = 0, kExitDocument = 1, kExitUsage = 2 };

// Thrown for usage and file errors; main prints the message and exits with the code.
struct Failure {
    int code;
    std::string message;
};

using CommandFn = std::function<int(const std::vector<std::string>& args)>;

struct Command {
    std::string name;
    std::string usage;    // one or more lines shown by --help
    CommandFn run;
};

// Commands register themselves from their own files.
struct Registrar {
    Registrar(std::string name, std::string usage, CommandFn run);
};
const std::map<std::string, Command>& Commands();

// Options of one command: value options ("--fps 25", "--fps=25", "-o out") and flags.
class Options {
public:
    Options& Value(const std::string& name);
    Options& Flag(const std::string& name);
    // Parses args; unknown options are usage errors. Positional arguments are kept in order.
    void Parse(const std::vector<std::string>& args);

    bool Has(const std::string& name) const;
    std::optional<std::string> Get(const std::string& name) const;
    const std::vector<std::string>& Positional() const { return positional_; }

    // Numbers as the dialogs read them (a point as decimal separator); bad text is a usage error.
    double GetDouble(const std::string& name, double fallback) const;
    long GetInt(const std::string& name, long fallback) const;

private:
    std::set<std::string> values_, flags_;
    std::map<std::string, std::string> given_;
    std::set<std::string> set_;
    std::vector<std::string> positional_;
};

// A finite number (inf and nan are refused).
double ParseNumberArg(const std::string& what, const std::string& text);
// A frame-rate option (--fps, --from, --to) when given: kMinFrameRate..kMaxFrameRate.
std::optional<double> FrameRateArg(const Options& o, const std::string& name);
// A number of seconds of at most kMaxTimeAmount either way.
double TimeAmountArg(const std::string& what, const std::string& text);
long ParseIntArg(const std::string& what, const std::string& text);

// The options every document command shares.
void AddDocumentOptions(Options& o);

// A subtitle file loaded for a command.
struct LoadedFile {
    std::string path;
    TextFormat format;  // encoding, mark and line ending to write back
    SubtitleDocument doc;
};

// Reads a file as a document: ".srt" is SubRip text, ".ssa" an SSA script whose header is read
// loudly (its warnings go to standard error), anything else a text document.
LoadedFile LoadFile(const std::string& path, std::optional<double> fps);

// The range of --lines FIRST-LAST (1-based, inclusive) as [first, last), or the whole document.
void WorkRange(const Options& o, const LoadedFile& f, long& first, long& last);

// The line check before a command, answering as --on-bad-line says. Returns false (after
// reporting the line) when the command must stop.
bool CheckLines(const Options& o, LoadedFile& f, long first, long& last);

// A frame rate is needed: from --fps, else a usage error naming why.
void RequireFrameRate(const LoadedFile& f, const std::string& why);
// True when a readable, non-empty frame line lies in [first, last).
bool HasFrameLines(const LoadedFile& f, long first, long last);

// Writes the document to -o OUT, over the input with --in-place, or to standard output.
void WriteResult(const Options& o, const LoadedFile& f);

// "FILE: warning text" on standard error.
void Warn(const LoadedFile& f, const std::string& text);
void Report(const LoadedFile& f, const Message& m);
// English text of a core message.
std::string MessageText(const Message& m);

}  // namespace kravelo::cli
