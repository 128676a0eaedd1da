#pragma once
// Runs the real kravelo-cli executable and captures its exit status and output, and reads the
// start times of the subtitles it wrote.

#include <sys/wait.h>

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace kravelo::test {

struct CliResult {
    int status = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

inline std::string ShellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline CliResult RunCli(const std::vector<std::string>& args) {
    TempDir tmp;
    std::string cmd = ShellQuote(KRAVELO_CLI_PATH);
    for (const auto& a : args) cmd += " " + ShellQuote(a);
    cmd += " >" + ShellQuote(tmp.File("out")) + " 2>" + ShellQuote(tmp.File("err"));
    int raw = std::system(cmd.c_str());
    CliResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = TempDir::Read(tmp.File("out"));
    r.err = TempDir::Read(tmp.File("err"));
    return r;
}

// Start times, seconds: SubRip "00:01:02,345 -->" or SSA "Dialogue: ...,0:01:02.34,".
inline std::vector<double> Starts(const std::string& text) {
    static const std::regex srt(R"((\d+):(\d+):(\d+),(\d+) -->)");
    static const std::regex ssa(R"(Dialogue: [^,]*,(\d+):(\d+):(\d+)\.(\d+),)");
    const bool isSrt = text.find("-->") != std::string::npos;
    std::vector<double> out;
    for (std::sregex_iterator it(text.begin(), text.end(), isSrt ? srt : ssa), end; it != end; ++it) {
        const auto& m = *it;
        out.push_back(std::stod(m[1]) * 3600 + std::stod(m[2]) * 60 + std::stod(m[3]) +
                      std::stod(m[4]) / (isSrt ? 1000.0 : 100.0));
    }
    return out;
}

}  // namespace kravelo::test
