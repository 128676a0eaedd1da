#include <gtest/gtest.h>

#include "cli/run_cli.h"

using kravelo::test::RunCli;
using kravelo::test::TempDir;

TEST(CliConvert, FrameLineToDecisecondAndSsa) {
    TempDir dir;
    std::string file = dir.Write("film.txt", "{100}{250}Ala ma kota\r\n");
    auto r = RunCli({"convert", "--to", "decisecond", "--fps", "25", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "[40][100]Ala ma kota\r\n");

    r = RunCli({"convert", "--to", "ssa", "--fps=25", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "[Script Info]\r\nPlayResY: 304\r\n\r\n[V4 Styles]\r\n"
              "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, TertiaryColour, BackColour, Bold, "
              "Italic, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, AlphaLevel, Encoding\r\n"
              "Style: NORMAL,Times New Roman CE,28,16777215,65535,65535,0,1,0,1,3,0,2,30,30,10,0,238\r\n"
              "Style: ITALIC,Times New Roman CE,28,16777215,65535,65535,0,1,1,1,3,0,2,30,30,10,0,238\r\n\r\n"
              "[Events]\r\nFormat: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n"
              "Dialogue: Marked=0,0:00:04.00,0:00:10.00,NORMAL,00,0000,0000,0000,,Ala ma kota\r\n");

    // The SSA file converts back; its header is read as on opening.
    std::string ssa = dir.Write("film.ssa", r.out);
    r = RunCli({"convert", "--to", "3", "--fps", "25", ssa});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{100}{250}Ala ma kota\r\n");
}

TEST(CliConvert, Windows1250InPlaceKeepsOtherBytes) {
    TempDir dir;
    // Polish letters in Windows-1250, LF line ends, no break after the last line.
    std::string before = "{100}{250}\xAF\xF3\xB3ta \xB3\xF3" "d\xBC\n\xA5\xCA garbage \x81\n[10][20]\x9C" "cie\xBF" "ka";
    std::string file = dir.Write("pl.txt", before);
    auto r = RunCli({"convert", "--to", "4", "--fps", "25", "--on-bad-line", "ignore", "--in-place", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(TempDir::Read(file), "[40][100]\xAF\xF3\xB3ta \xB3\xF3" "d\xBC\n\xA5\xCA garbage \x81\n[10][20]\x9C" "cie\xBF" "ka");
}

TEST(CliConvert, BadLinesFrameRateAndUsage) {
    TempDir dir;
    std::string file = dir.Write("bad.txt", "{25}{50}a\r\nnot a subtitle\r\n[10][20]b\r\nalso bad\r\n");
    auto r = RunCli({"convert", "--to", "time", "--fps", "25", file});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(file + ":2: unreadable line"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());

    r = RunCli({"convert", "--to", "time", "--fps", "25", "--on-bad-line", "delete", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "00:00:01:a\r\n00:00:01:b\r\n");

    // Only lines 3-3: the bad line 2 is outside; no frame line is read, so no --fps is needed.
    r = RunCli({"convert", "--to", "frame", "--lines", "3-3", file});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("frame rate"), std::string::npos);
    r = RunCli({"convert", "--to", "time", "--lines", "3-3", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{25}{50}a\r\nnot a subtitle\r\n00:00:01:b\r\nalso bad\r\n");
    r = RunCli({"convert", "--to", "time", "--lines", "1-1", file});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--fps"), std::string::npos);

    std::string out = dir.File("out.txt");
    r = RunCli({"convert", "--to", "4", "--fps", "25", "--lines", "1-1", "-o", out, file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(TempDir::Read(out), "[10][20]a\r\nnot a subtitle\r\n[10][20]b\r\nalso bad\r\n");

    for (auto args : std::vector<std::vector<std::string>>{
             {"convert", file},
             {"convert", "--to", "7", file},
             {"convert", "--to", "4", "--fps", "abc", file},
             {"convert", "--to", "4", "--lines", "3-1", file},
             {"convert", "--to", "4", "--bogus", file},
             {"convert", "--to", "4", dir.File("missing.txt")},
             {"convert", "--to", "ssa", "--ssa-size", "0", file},
             {"nonsense"},
         }) {
        r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(RunCli({"--help"}).status, 0);
}

TEST(CliConvert, SubRipAndWarnings) {
    TempDir dir;
    std::string srt = dir.Write("film.srt",
                                "1\r\n00:00:02,000 --> 00:00:03,000\r\nDrugi\r\n\r\n"
                                "2\r\n00:00:01,000 --> 00:00:02,500\r\n<i>Pierwszy</i>\r\nwiersz\r\n\r\n");
    auto r = RunCli({"convert", "--to", "decisecond", srt});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "[20][30]Drugi\r\n[10][25]<i>Pierwszy</i>|wiersz\r\n");
    EXPECT_NE(r.err.find("not in order"), std::string::npos);
}

TEST(CliCheck, CountsFormatsAndListsUnreadableLines) {
    TempDir dir;
    std::string good = dir.Write("good.txt", "{1}{2}a\n[1][2]b\n00:00:01:c\n0:00:02:d\n\n");
    std::string bad = dir.Write("bad.txt", "{1}{2}a\nxyz\n");
    auto r = RunCli({"check", good, bad});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find(good + ": 5 lines: 1 time, 1 time-short, 1 frame, 1 decisecond, 0 ssa, 1 empty, 0 unreadable"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.err.find(bad + ":2: unreadable line"), std::string::npos);
    EXPECT_EQ(RunCli({"check", good}).status, 0);
}
