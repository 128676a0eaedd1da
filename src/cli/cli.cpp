#include "cli/cli.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>

#include "core/text_util.h"

namespace kravelo::cli {

static std::map<std::string, Command>& Registry() {
    static std::map<std::string, Command> commands;
    return commands;
}

Registrar::Registrar(std::string name, std::string usage, CommandFn run) {
    Registry()[name] = Command{name, std::move(usage), std::move(run)};
}

const std::map<std::string, Command>& Commands() { return Registry(); }

Options& Options::Value(const std::string& name) {
    values_.insert(name);
    return *this;
}

Options& Options::Flag(const std::string& name) {
    flags_.insert(name);
    return *this;
}

void Options::Parse(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 2 || a[0] != '-' || (a[1] >= '0' && a[1] <= '9') || a[1] == '.') {
            positional_.push_back(a);  // plain words and negative numbers
            continue;
        }
        if (a == "--") {
            positional_.insert(positional_.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            return;
        }
        std::string name = a, value;
        bool inlineValue = false;
        if (auto eq = a.find('='); eq != std::string::npos && a.rfind("--", 0) == 0) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
            inlineValue = true;
        }
        if (values_.count(name)) {
            if (!inlineValue) {
                if (i + 1 >= args.size()) throw Failure{kExitUsage, name + " needs a value"};
                value = args[++i];
            }
            given_[name] = value;
        } else if (flags_.count(name) && !inlineValue) {
            set_.insert(name);
        } else {
            throw Failure{kExitUsage, "unknown option " + a};
        }
    }
}

bool Options::Has(const std::string& name) const { return set_.count(name) || given_.count(name); }

std::optional<std::string> Options::Get(const std::string& name) const {
    auto it = given_.find(name);
    if (it == given_.end()) return std::nullopt;
    return it->second;
}

double ParseNumberArg(const std::string& what, const std::string& text) {
    // The whole argument must be a number: a typo must not silently read as 0.
    std::string_view t = Trim(text);
    if (!t.empty() && t[0] == '+') t.remove_prefix(1);
    double v = 0.0;
    auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(v))
        throw Failure{kExitUsage, what + ": not a finite number: " + text};
    return v;
}

long ParseIntArg(const std::string& what, const std::string& text) {
    auto v = ParseWholeInt(text);
    if (!v || Trim(text).size() != text.size()) throw Failure{kExitUsage, what + ": not a whole number: " + text};
    return static_cast<long>(*v);
}

double Options::GetDouble(const std::string& name, double fallback) const {
    auto v = Get(name);
    return v ? ParseNumberArg(name, *v) : fallback;
}

long Options::GetInt(const std::string& name, long fallback) const {
    auto v = Get(name);
    return v ? ParseIntArg(name, *v) : fallback;
}

std::optional<double> FrameRateArg(const Options& o, const std::string& name) {
    if (!o.Get(name)) return std::nullopt;
    double fps = o.GetDouble(name, 0.0);
    if (!ValidFrameRate(fps))
        throw Failure{kExitUsage, name + " must lie between " + FormatGeneral(kMinFrameRate) + " and " +
                                      FormatGeneral(kMaxFrameRate) + " frames per second"};
    return fps;
}

double TimeAmountArg(const std::string& what, const std::string& text) {
    double v = ParseNumberArg(what, text);
    if (!ValidTimeAmount(v))
        throw Failure{kExitUsage, what + " must not exceed " + FormatGeneral(kMaxTimeAmount) + " seconds (100 hours)"};
    return v;
}

void AddDocumentOptions(Options& o) {
    o.Value("--fps").Value("--lines").Value("--on-bad-line").Value("-o").Flag("--in-place");
}

std::string MessageText(const Message& m) {
    if (m.key == "EdSSANoLegend") return "the [V4 Styles] section has no usable Format line; later styles are not read";
    if (m.key == "EdSSALegendError")
        return "the [Events] section has no Format line with Start, End and Text; event lines cannot be read";
    if (m.key == "ApperNotSorted") return "start times are not in order";
    if (m.key == "TheSameShowTime") return "some subtitles start at the same time";
    if (m.key == "NegativeShowTime") return "some times became negative";
    return std::string(m.section) + "." + std::string(m.key);
}

void Warn(const LoadedFile& f, const std::string& text) { std::cerr << f.path << ": " << text << '\n'; }

void Report(const LoadedFile& f, const Message& m) {
    const char* kind = m.icon == MessageIcon::Error ? "error: " : m.icon == MessageIcon::Warning ? "warning: " : "";
    Warn(f, kind + MessageText(m));
}

LoadedFile LoadFile(const std::string& path, std::optional<double> fps) {
    LoadedFile f;
    f.path = path;
    TextDocument text;
    std::string error;
    if (!ReadTextFile(path, text, error)) throw Failure{kExitUsage, error};
    f.format = text.format;
    f.doc.lines = std::move(text.lines);
    f.doc.frameRate = fps.value_or(0.0);
    int family = FormatFamilyOfPath(path);
    f.doc.documentFormat = family == kFormatSsa || family == kFormatSubRip ? family : kFormatTime;
    f.doc.ssa = ReadSsaHeader(f.doc.lines, family != kFormatSsa, [&](const Message& m) { Report(f, m); });
    return f;
}

void WorkRange(const Options& o, const LoadedFile& f, long& first, long& last) {
    const long count = static_cast<long>(f.doc.lines.size());
    first = 0;
    last = count;
    auto spec = o.Get("--lines");
    if (!spec) return;
    auto dash = spec->find('-');
    if (dash == std::string::npos) throw Failure{kExitUsage, "--lines needs FIRST-LAST, got " + *spec};
    long a = ParseIntArg("--lines", spec->substr(0, dash));
    long b = ParseIntArg("--lines", spec->substr(dash + 1));
    if (a < 1 || b < a) throw Failure{kExitUsage, "--lines: FIRST must be at least 1 and LAST not below FIRST"};
    first = std::min(a - 1, count);
    last = std::min(b, count);
}

bool CheckLines(const Options& o, LoadedFile& f, long first, long& last) {
    std::string mode = o.Get("--on-bad-line").value_or("stop");
    if (mode != "stop" && mode != "ignore" && mode != "delete")
        throw Failure{kExitUsage, "--on-bad-line must be stop, ignore or delete"};
    LineErrorChoice answer = mode == "stop"     ? LineErrorChoice::Break
                             : mode == "ignore" ? LineErrorChoice::Ignore
                                                : LineErrorChoice::Delete;
    ValidateResult r = ValidateLines(f.doc, first, last, [&](long) { return answer; });
    if (!r.ok) {
        std::cerr << f.path << ':' << r.badLine + 1 << ": unreadable line\n";
        return false;
    }
    if (r.deleted > 0) Warn(f, std::to_string(r.deleted) + " unreadable line(s) deleted");
    return true;
}

void RequireFrameRate(const LoadedFile& f, const std::string& why) {
    if (f.doc.frameRate > 0.0) return;
    throw Failure{kExitUsage, f.path + ": a frame rate is needed (--fps RATE): " + why};
}

bool HasFrameLines(const LoadedFile& f, long first, long last) {
    last = std::min(last, static_cast<long>(f.doc.lines.size()));
    for (long i = std::max(0L, first); i < last; ++i) {
        const std::string& line = f.doc.lines[static_cast<std::size_t>(i)];
        if (!line.empty() && LineFormat(line, f.doc.ssa) == kFormatFrame) return true;
    }
    return false;
}

void WriteResult(const Options& o, const LoadedFile& f) {
    auto out = o.Get("-o");
    if (out && o.Has("--in-place")) throw Failure{kExitUsage, "-o and --in-place exclude each other"};
    TextFormat format = f.format;
    std::string bytes;  // Windows-1250 only: UTF-8 is encoded piece by piece as it is written
    if (format.encoding == TextEncoding::Windows1250) {
        EncodeProblems problems;
        bytes = EncodeText(f.doc.lines, format, problems);
        if (problems.unmappable > 0) throw Failure{kExitUsage, f.path + ": " + EncodeProblemText(problems)};
        if (problems.misread > 0) {
            // Windows-1250 bytes that happen to form UTF-8 would reopen as other characters: the
            // text is written in UTF-8, which reads back as it is.
            Warn(f, "written as UTF-8: in Windows-1250 this text would read back as UTF-8 and show other characters");
            format.encoding = TextEncoding::Utf8;
            format.bom = false;
            bytes.clear();
        }
    }
    const bool utf8 = format.encoding == TextEncoding::Utf8;
    const ChunkProducer produce = [&](const ChunkWriter& write) {
        return utf8 ? EncodeUtf8Chunks(f.doc.lines, format, write) : write(bytes);
    };
    if (out || o.Has("--in-place")) {
        std::string target = out ? *out : f.path;
        std::string error;
        if (!WriteFileAtomic(target, produce, error)) throw Failure{kExitUsage, error};
        return;
    }
    produce([](std::string_view chunk) {
        std::fwrite(chunk.data(), 1, chunk.size(), stdout);
        return 0;
    });
    std::fflush(stdout);
}

}  // namespace kravelo::cli
