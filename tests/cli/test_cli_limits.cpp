// kravelo-cli refuses numbers outside what the dialogs accept, files that are not regular files,
// and keeps scripts made elsewhere and Windows-1250 text readable.

#include <gtest/gtest.h>

#include "cli/run_cli.h"

using kravelo::test::RunCli;
using kravelo::test::TempDir;

TEST(CliLimits, NumbersOutsideTheDialogsRangesAreRefused) {
    TempDir dir;
    const std::string file = dir.Write("a.txt", "{100}{200}a\r\n{300}{400}b\r\n");
    const std::vector<std::vector<std::string>> refused = {
        {"shift", "1", "--fps", "inf", file},
        {"shift", "1", "--fps", "1e-310", file},
        {"shift", "1", "--fps", "nan", file},
        {"shift", "1", "--fps", "5000", file},
        {"fps", "--from", "1e308", "--to", "25", file},
        {"fps", "--from", "25", "--to", "0.001", file},
        {"shift", "inf", "--fps", "25", file},
        {"shift", "1e7", "--fps", "25", file},
        {"shift", "0.01", "--fps", "25", file},  // less than one frame
        {"display-time", "0.02", "--fps", "25", file},
        {"display-time", "-inf", "--fps", "25", file},
        {"merge", "--rows", "100", "--fps", "25", file},
        {"merge", "--per50", "1e9", "--fps", "25", file},
        {"find-short", "inf", "--fps", "25", file},
        {"correct", "--start", "1@2", "--end", "inf@3", "--fps", "25", file},
        {"check", "--fps", "-1", file},
        {"convert", "--to", "4", "--fps", "1e-310", file},
    };
    for (const auto& args : refused) {
        auto r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args[0] << " " << args[1] << " " << args[2] << " " << args[3];
        EXPECT_EQ(r.out, "") << args[0];
    }
    // The edges themselves are accepted.
    auto r = RunCli({"shift", "0.04", "--fps", "25", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{101}{201}a\r\n{301}{401}b\r\n");
    r = RunCli({"merge", "--rows", "99", "--fps", "1000", file});
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST(CliLimits, FilesThatAreNotRegularAreRefused) {
    auto r = RunCli({"info", "/dev/zero"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
    TempDir dir;
    r = RunCli({"shift", "1", "-o", "/dev/null", dir.Write("a.txt", "[1][2]a\n")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
}

TEST(CliLimits, ForeignScriptsAndWindows1250ReadBackAsMeant) {
    TempDir dir;
    const std::string ssa = dir.Write("film.ssa",
                                      "[Events]\r\n"
                                      "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n"
                                      "Dialogue: 1,0:17:04.87,0:17:06.00,Sign,Anna,0010,0020,0030,Scroll up;5,Hi, you\r\n");
    auto r = RunCli({"shift", "1", "--in-place", ssa});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(TempDir::Read(ssa),
              "[Events]\r\n"
              "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n"
              "Dialogue: 1,0:17:05.87,0:17:07.00,Sign,Anna,0010,0020,0030,Scroll up;5,Hi, you\r\n");

    // Repair takes out the one byte that was not UTF-8; the rest would reopen as U+04E3.
    const std::string cp = dir.Write("pl.txt", "[10][20]P\xD3\xA3NOC{\x9C}\r\n");
    r = RunCli({"repair", "--no-block-end", "--no-punctuation", "--no-dash", "--no-row-end-spaces",
                "--brace-codes", "--in-place", cp});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("UTF-8"), std::string::npos) << r.err;
    EXPECT_EQ(TempDir::Read(cp), "[10][20]PÓŁNOC\r\n");
}
