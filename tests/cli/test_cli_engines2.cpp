// kravelo-cli sort, find-short, find-gaps, find-unsorted, correct, italic, mark and info on real files.

#include <gtest/gtest.h>

#include "cli/run_cli.h"
#include "kravelo_version.h"

using kravelo::test::RunCli;
using kravelo::test::TempDir;

namespace {

const std::string kSsaHeader =
    "[Script Info]\r\nPlayResY: 304\r\n\r\n[V4 Styles]\r\n"
    "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, TertiaryColour, BackColour, Bold, "
    "Italic, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, AlphaLevel, Encoding\r\n"
    "Style: NORMAL,Times New Roman CE,28,16777215,65535,65535,0,1,0,1,3,0,2,30,30,10,0,238\r\n"
    "Style: ITALIC,Times New Roman CE,28,16777215,65535,65535,0,1,1,1,3,0,2,30,30,10,0,238\r\n\r\n"
    "[Events]\r\nFormat: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";

std::string Build() {
    return std::to_string(kravelo::kBuildNumber);
}

}  // namespace

TEST(CliSort, StableMixedFormatsKeepsEncodingAndLineEnds) {
    TempDir dir;
    // Windows-1250 text, LF line ends, no break after the last line; equal starts A, B.
    std::string file = dir.Write("s.txt", "{125}{150}A \xB3\n[50][]B\n0:00:01:C\n\nnot a subtitle\n{250}{}D");
    auto r = RunCli({"sort", "--fps", "25", "--on-bad-line", "ignore", "--in-place", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(TempDir::Read(file), "\nnot a subtitle\n0:00:01:C\n{125}{150}A \xB3\n[50][]B\n{250}{}D");
    EXPECT_NE(r.err.find("same time"), std::string::npos) << r.err;  // A and B start together
}

TEST(CliSort, LinesRangeCheckAndFrameRate) {
    TempDir dir;
    std::string file = dir.Write("r.txt", "[90][]z\r\n[30][]c\r\n[10][]a\r\n[20][]b\r\n{1}{}y\r\nbad\r\n");
    auto r = RunCli({"sort", "--lines", "2-4", file});  // no frame line in the range: no --fps needed
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "[90][]z\r\n[10][]a\r\n[20][]b\r\n[30][]c\r\n{1}{}y\r\nbad\r\n");
    r = RunCli({"sort", "--lines", "2-5", file});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("frame rate"), std::string::npos) << r.err;
    r = RunCli({"sort", "--fps", "25", file});  // the check stops at the unreadable line
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(file + ":6: unreadable line"), std::string::npos) << r.err;
}

TEST(CliSort, SsaFileKeepsItsHeader) {
    TempDir dir;
    std::string file = dir.Write(
        "s.ssa", kSsaHeader +
                     "Dialogue: Marked=0,0:00:09.00,0:00:10.00,NORMAL,00,0000,0000,0000,,late\r\n"
                     "Dialogue: Marked=0,0:00:01.00,0:00:02.00,ITALIC,00,0000,0000,0000,,early\r\n");
    auto r = RunCli({"sort", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kSsaHeader +
                         "Dialogue: Marked=0,0:00:01.00,0:00:02.00,ITALIC,00,0000,0000,0000,,early\r\n"
                         "Dialogue: Marked=0,0:00:09.00,0:00:10.00,NORMAL,00,0000,0000,0000,,late\r\n");
}

TEST(CliFind, ShortGapsAndUnsortedPrintCaretLines) {
    TempDir dir;
    std::string file = dir.Write(
        "f.txt", "{100}{110}A\r\n{120}{200}B\r\n\r\n{1750}{1800}C\r\n{1700}{1750}D\r\n{1700}{}E\r\n");
    auto r = RunCli({"find-short", "--fps", "25", "1.0", file});
    EXPECT_EQ(r.status, 0) << r.err;
    // A: 0.8 s to B; C: before D; D: same start as E.
    EXPECT_EQ(r.out, file + ":1: starts at 4 s, the next subtitle (line 2) 0.8 s later\n" + file +
                         ":4: starts at 70 s, the next subtitle (line 5) -2 s later\n" + file +
                         ":5: starts at 68 s, the next subtitle (line 6) 0 s later\n");

    r = RunCli({"find-unsorted", "--fps", "25", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, file + ":5: line 4 starts at 70 s, the next subtitle (line 5) at 68 s\n" + file +
                         ":6: line 5 starts at 68 s, the next subtitle (line 6) at the same time\n");

    r = RunCli({"find-gaps", "--fps", "25", "60", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, file + ":3: gap of 62 s after line 2 (ends at 8 s, line 4 starts at 70 s)\n");

    r = RunCli({"find-gaps", "--fps", "25", "63", file});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("nothing found"), std::string::npos);

    r = RunCli({"find-short", "--fps", "25", "0", file});
    EXPECT_EQ(r.status, 2);
    r = RunCli({"find-short", "1", file});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("frame rate"), std::string::npos);
    r = RunCli({"find-short", "--fps", "25", "--lines", "2-3", "1", file});
    EXPECT_EQ(r.status, 1);  // B is 66 s before C
}

TEST(CliFind, SsaFileWithoutFrameRate) {
    TempDir dir;
    std::string file =
        dir.Write("e.ssa", kSsaHeader +
                               "Dialogue: Marked=0,0:00:01.00,0:00:02.00,NORMAL,00,0000,0000,0000,,a\r\n"
                               "Dialogue: Marked=0,0:00:01.00,0:00:03.00,NORMAL,00,0000,0000,0000,,b\r\n");
    auto r = RunCli({"find-unsorted", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, file + ":12: line 11 starts at 1 s, the next subtitle (line 12) at the same time\n");
}

TEST(CliCorrect, TwoPointsAndRefusal) {
    TempDir dir;
    std::string file = dir.Write("c.txt", "[980][1000]A\n[5505][]C\nbad\n[10030][10050]B\n");
    auto r = RunCli({"correct", "--start", "98@100", "--end", "1003@1000", "--on-bad-line", "ignore", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "[1000][1020]A\n[5500][]C\nbad\n[10000][10020]B\n");

    r = RunCli({"correct", "--start", "98@100", "--end", "98@1000", file});
    EXPECT_EQ(r.status, 2);
    r = RunCli({"correct", "--start", "98@100", "--end", "1003@90", file});
    EXPECT_EQ(r.status, 2);
    r = RunCli({"correct", "--start", "98", "--end", "1003@1000", file});
    EXPECT_EQ(r.status, 2);

    // A constant delay of 10 s pushes the first subtitle below 0: written, and warned once.
    std::string early = dir.Write("n.txt", "[10][20]a\n[30][40]b\n");
    r = RunCli({"correct", "--start", "10@0", "--end", "110@100", early});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "[-89][-79]a\n[-69][-59]b\n");
    EXPECT_NE(r.err.find("negative"), std::string::npos);
}

TEST(CliItalic, TogglesTheRowUnderTheCaret) {
    TempDir dir;
    std::string file = dir.Write("i.txt", "{10}{20}Ala|ma kota\r\n");
    // Caret before character 10 ("l" of "Ala"); no --fps: frames pass through unchanged.
    auto r = RunCli({"italic", "--in-place", "1", "10", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(TempDir::Read(file), "{10}{20}/Ala/|ma kota\r\n");
    r = RunCli({"italic", "--in-place", "1", "16", file});  // second row
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(TempDir::Read(file), "{10}{20}/Ala/|/ma kota/\r\n");
    r = RunCli({"italic", "1", "3", file});  // in the times
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    r = RunCli({"italic", "2", "1", file});
    EXPECT_EQ(r.status, 2);
}

TEST(CliMark, FrameFileTwiceGivesOneMarker) {
    TempDir dir;
    std::string file = dir.Write("m.txt", "{100}{250}Ala\r\n{300}{400}Ola\r\n");
    auto r = RunCli({"mark", "--date", "26-01-31", "--in-place", file});
    EXPECT_EQ(r.status, 2);  // the marker would be a frame line
    EXPECT_NE(r.err.find("frame rate"), std::string::npos);
    EXPECT_EQ(TempDir::Read(file), "{100}{250}Ala\r\n{300}{400}Ola\r\n");

    r = RunCli({"mark", "--fps", "25", "--date", "26-01-31", "--in-place", file});
    EXPECT_EQ(r.status, 0) << r.err;
    r = RunCli({"mark", "--fps", "25", "--date", "26-02-01", "--in-place", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(TempDir::Read(file),
              "{1}{75}/Edited with Kravelo b." + Build() +
                  "  (26-02-01)/|https://kravelo.org\r\n{100}{250}Ala\r\n{300}{400}Ola\r\n");
}

TEST(CliMark, SsaFileAndBlankFollowingLine) {
    TempDir dir;
    std::string ssa =
        dir.Write("m.ssa", kSsaHeader +
                               "Dialogue: Marked=0,0:00:05.00,0:00:07.00,NORMAL,00,0000,0000,0000,,One\r\n"
                               "Dialogue: Marked=0,0:00:08.00,0:00:09.00,NORMAL,00,0000,0000,0000,,Two\r\n");
    auto r = RunCli({"mark", "--date", "26-01-31", ssa});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kSsaHeader +
                         "Dialogue: Marked=0,0:00:01.00,0:00:03.00,ITALIC,00,0000,0000,0000,,"
                         "Edited with Kravelo b." +
                         Build() +
                         "  (26-01-31)/ https://kravelo.org\r\n"
                         "Dialogue: Marked=0,0:00:05.00,0:00:07.00,NORMAL,00,0000,0000,0000,,One\r\n"
                         "Dialogue: Marked=0,0:00:08.00,0:00:09.00,NORMAL,00,0000,0000,0000,,Two\r\n");

    std::string blank = dir.Write("b.txt", "[10][20]a\n\n[30][40]b\n");
    r = RunCli({"mark", blank});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "[10][20]a\n\n[30][40]b\n");
    EXPECT_NE(r.err.find("no marker"), std::string::npos);

    // Without --date the marker carries today's date in yy-mm-dd.
    std::string deci = dir.Write("d.txt", "[10][20]a\n[30][40]b\n");
    r = RunCli({"mark", deci});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 7), "[1][30]");
    auto open = r.out.find("  (");
    ASSERT_NE(open, std::string::npos);
    std::string date = r.out.substr(open + 3, 8);
    EXPECT_TRUE(date.size() == 8 && date[2] == '-' && date[5] == '-') << date;
}

TEST(CliInfo, SummarisesADocument) {
    TempDir dir;
    std::string file =
        dir.Write("i.txt", "{250}{300}a\r\n\r\n[50][]b\r\n00:01:00:c\r\njunk\r\n[600][620]d\r\n");
    auto r = RunCli({"info", "--fps", "25", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, file +
                         ": 6 lines\n"
                         "  formats: time 1, frame 1, decisecond 2\n"
                         "  other lines: 1 empty, 1 unreadable\n"
                         "  subtitles: 4\n"
                         "  first time: 5 s (0:00:05.00)\n"
                         "  last time: 62 s (0:01:02.00)\n"
                         "  starts sorted: no, 1 step(s) back, 1 equal start(s); the first at line 1 and its "
                         "next subtitle\n");
    r = RunCli({"info", file});
    EXPECT_EQ(r.status, 2);
}
