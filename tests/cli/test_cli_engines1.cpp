// shift, nudge, fps, display-time, merge and repair through the real kravelo-cli.

#include <gtest/gtest.h>

#include "cli/run_cli.h"

using kravelo::test::RunCli;
using kravelo::test::TempDir;

TEST(CliEngines1, ShiftKeepsWindows1250AndCrLf) {
    TempDir dir;
    // "Zażółć" and "Łódź" in Windows-1250, CR LF, an unreadable line left alone with ignore.
    std::string file = dir.Write("pl.txt",
                                 "{100}{250}Za\xBF\xF3\xB3\xE6\r\n[12][34]\xA3\xF3"
                                 "d\x9F\r\nbez czasu\r\n"
                                 "0:01:02:Czas\r\n");
    std::string out = dir.File("out.txt");
    auto r = RunCli({"shift", "1.5", "--fps", "25", "--on-bad-line", "ignore", "-o", out, file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(TempDir::Read(out),
              "{138}{288}Za\xBF\xF3\xB3\xE6\r\n[27][49]\xA3\xF3"
              "d\x9F\r\nbez czasu\r\n"
              "0:01:03:Czas\r\n");

    // The default line check stops at the unreadable line and changes nothing.
    r = RunCli({"shift", "1.5", "--fps", "25", "--in-place", file});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(":3: unreadable line"), std::string::npos) << r.err;
    EXPECT_EQ(TempDir::Read(file).substr(0, 10), "{100}{250}");

    // Only the start, only lines 2 to 4, a negative amount: warned once on standard error.
    r = RunCli(
        {"shift", "-5", "--start-only", "--lines", "2-4", "--on-bad-line", "ignore", "--fps", "25", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{100}{250}Za\xBF\xF3\xB3\xE6\r\n[-37][34]\xA3\xF3"
              "d\x9F\r\nbez czasu\r\n0:00:57:Czas\r\n");
    EXPECT_NE(r.err.find("warning: some times became negative"), std::string::npos) << r.err;
}

TEST(CliEngines1, FrameRateNeededOnlyForFrameLines) {
    TempDir dir;
    std::string frames = dir.Write("f.txt", "{100}{250}A\n");
    auto r = RunCli({"shift", "1", frames});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--fps"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");

    std::string deci = dir.Write("d.txt", "[10][20]A\n[30][]B\n");
    r = RunCli({"shift", "1", deci});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "[20][30]A\n[40][]B\n");

    // Block end reads the subtitle after the range: a frame line there needs a rate.
    std::string mixed = dir.Write("m.txt", "[10][]A\n{100}{200}B\n");
    r = RunCli({"display-time", "2", "--lines", "1-1", mixed});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--fps"), std::string::npos) << r.err;
    r = RunCli({"display-time", "2", "--lines", "1-1", "--no-block-end", mixed});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "[10][30]A\n{100}{200}B\n");  // 1 + 2 + 2 x 1 x 0.02 = 3.04 s

    // fps takes its rates from --from and --to.
    r = RunCli({"fps", "--from", "25", "--to", "30", frames});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{120}{300}A\n");
    EXPECT_EQ(RunCli({"fps", "--from", "25", "--to", "25", frames}).status, 2);
}

TEST(CliEngines1, NudgeOneLineInPlace) {
    TempDir dir;
    std::string file = dir.Write("n.txt", "{100}{250}A\nnie napis\n{300}{}B");
    auto r = RunCli({"nudge", "3", "-", "--fps", "25", "--in-place", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(TempDir::Read(file), "{100}{250}A\nnie napis\n{294}{}B");  // LF and no final break kept
    // No line check: an unreadable line is simply left alone.
    r = RunCli({"nudge", "2", "+", "--in-place", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(TempDir::Read(file), "{100}{250}A\nnie napis\n{294}{}B");
    EXPECT_EQ(RunCli({"nudge", "4", "+", "--fps", "25", file}).status, 2);
    EXPECT_EQ(RunCli({"nudge", "1", "x", "--fps", "25", file}).status, 2);
}

TEST(CliEngines1, DisplayTimeOptions) {
    TempDir dir;
    std::string file = dir.Write("d.txt", "{250}{}abcdefghijklmnopqrstuvwxy\r\n{300}{310}B\r\n");
    auto r = RunCli({"display-time", "2", "--fps", "25", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{250}{299}abcdefghijklmnopqrstuvwxy\r\n{300}{351}B\r\n");
    r = RunCli({"display-time", "2", "--fixed", "--only-unset", "--no-block-end", "--fps", "25", file});
    EXPECT_EQ(r.out, "{250}{300}abcdefghijklmnopqrstuvwxy\r\n{300}{310}B\r\n");
    r = RunCli({"display-time", "--blank", "--fps", "25", file});
    EXPECT_EQ(r.out, "{250}{}abcdefghijklmnopqrstuvwxy\r\n{300}{}B\r\n");
    EXPECT_EQ(RunCli({"display-time", "--blank", "2", "--fps", "25", file}).status, 2);
    EXPECT_EQ(RunCli({"display-time", "0", "--fps", "25", file}).status, 2);
}

TEST(CliEngines1, MergePrintsTheCount) {
    TempDir dir;
    std::string file = dir.Write("m.txt", "{100}{120}Tak\r\n{125}{150}Nie wiem\r\n{400}{500}Dobrze\r\n");
    auto r = RunCli({"merge", "--fps", "25", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("subtitles merged: 0"), std::string::npos) << r.err;
    r = RunCli({"merge", "--per50", "20", "--fps", "25", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{100}{150}Tak|Nie wiem\r\n{400}{500}Dobrze\r\n");
    EXPECT_NE(r.err.find("subtitles merged: 1"), std::string::npos) << r.err;
    r = RunCli({"merge", "--per50", "20", "--max-length", "10", "--fps", "25", file});
    EXPECT_NE(r.err.find("subtitles merged: 0"), std::string::npos) << r.err;
    // The dialog's limits and whole numbers.
    EXPECT_EQ(RunCli({"merge", "--rows", "1", "--fps", "25", file}).status, 2);
    EXPECT_EQ(RunCli({"merge", "--max-length", "80.5", "--fps", "25", file}).status, 2);
    EXPECT_EQ(RunCli({"merge", "--per50", "0.05", "--fps", "25", file}).status, 2);
    EXPECT_EQ(RunCli({"merge", "--rows", "3", "--add-rows", "--fps", "25", file}).status, 2);
}

TEST(CliEngines1, RepairDefaultsAndBoxes) {
    TempDir dir;
    std::string file = dir.Write(
        "r.txt", "{100}{300}Tak ,tak.|Nie !\r\n\r\n{250}{400}- Co?|-{c:red}Nic  1 000\r\n{0}{25}\r\n");
    auto r = RunCli({"repair", "--fps", "25", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{100}{249}Tak, tak.|Nie!\r\n{250}{400}- Co?|- {c: red}Nic 1 000\r\n");
    r = RunCli({"repair", "--no-block-end", "--no-empty-lines", "--digit-spaces", "--brace-codes", "--fps",
                "25", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{100}{300}Tak, tak.|Nie!\r\n\r\n{250}{400}- Co?|- Nic 1000\r\n{0}{25}\r\n");
    EXPECT_EQ(RunCli({"repair", "--no-block-end", "--no-punctuation", "--no-dash", "--no-empty-lines",
                      "--no-double-spaces", "--no-row-end-spaces", "--fps", "25", file})
                  .status,
              2);
}
