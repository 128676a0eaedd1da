#pragma once
// Runs the real kravelo-cli executable and captures its exit status and output.

#include <sys/wait.h>

#include <cstdio>
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

}  // namespace kravelo::test
