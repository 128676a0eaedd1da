// kravelo-cli as a user runs it: one table of runs, each on a fresh folder holding one input file.
// The engines' arithmetic is tested at their own layer; these runs check the wiring: arguments,
// exit status, messages, the frame-rate rule, the line check, encodings and where the result goes.

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <optional>

#include "cli/run_cli.h"
#include "kravelo_version.h"

using kravelo::test::RunCli;
using kravelo::test::TempDir;

// Table rows leave out the fields they do not check.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

// In arguments and expected texts "@IN" is the input file's path and "@OUT" a file beside it.
struct Case {
    std::vector<std::string> args;
    std::string input;                  // the input file's bytes
    int status = 0;                     // 0 done, 1 the document stopped the command, 2 usage or file error
    std::string out;                    // standard output, exactly
    std::string err;                    // a text standard error contains
    std::optional<std::string> file;    // afterwards: @OUT when the arguments name it, else the input
    std::string name = "in.txt";        // the input's file name (.srt and .ssa are read as such)
};

const std::string kSsaHeader =
    "[Script Info]\r\nPlayResY: 304\r\n\r\n[V4 Styles]\r\n"
    "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, TertiaryColour, BackColour, Bold, "
    "Italic, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, AlphaLevel, Encoding\r\n"
    "Style: NORMAL,Times New Roman CE,28,16777215,65535,65535,0,1,0,1,3,0,2,30,30,10,0,238\r\n"
    "Style: ITALIC,Times New Roman CE,28,16777215,65535,65535,0,1,1,1,3,0,2,30,30,10,0,238\r\n\r\n"
    "[Events]\r\nFormat: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";

std::string Event(const std::string& start, const std::string& end, const std::string& text,
                  const std::string& style = "NORMAL") {
    return "Dialogue: Marked=0,0:00:" + start + ",0:00:" + end + "," + style + ",00,0000,0000,0000,," + text +
           "\r\n";
}

const std::string kBuild = std::to_string(kravelo::kBuildNumber);

std::string Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[16];
    std::strftime(buf, sizeof buf, "%y-%m-%d", &local);
    return buf;
}

// "Zażółć", "Łódź" and "Żółta łódź" in Windows-1250.
const std::string kZazolc = "Za\xBF\xF3\xB3\xE6", kLodz = "\xA3\xF3" "d\x9F", kZolta = "\xAF\xF3\xB3ta \xB3\xF3" "d\xBC";

// Lines with an unreadable line 2 and 4 and no frame line in line 3.
const std::string kBad = "{25}{50}a\r\nnot a subtitle\r\n[10][20]b\r\nalso bad\r\n";
const std::string kSearch = "{100}{110}A\r\n{120}{200}B\r\n\r\n{1750}{1800}C\r\n{1700}{1750}D\r\n{1700}{}E\r\n";
const std::string kMergeable = "{100}{120}Tak\r\n{125}{150}Nie wiem\r\n{400}{500}Dobrze\r\n";
const std::string kRepair = "{100}{300}Tak ,tak.|Nie !\r\n\r\n{250}{400}- Co?|-{c:red}Nic  1 000\r\n{0}{25}\r\n";
const std::string kSpan = "{250}{}abcdefghijklmnopqrstuvwxy\r\n{300}{310}B\r\n";  // 25 characters
const std::string kCorrect = "[980][1000]A\n[5505][]C\nbad\n[10030][10050]B\n";
const std::string kMarker = "{1}{75}/Edited with Kravelo b." + kBuild;
const std::string kAB = "{100}{200}a\r\n{300}{400}b\r\n";
const std::string kForeignSsa =
    "[Events]\r\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n"
    "Dialogue: 1,0:17:04.87,0:17:06.00,Sign,Anna,0010,0020,0030,Scroll up;5,Hi, you\r\n";

const Case kCases[] = {
    // convert: targets by name and number, --fps=RATE, SSA written and read back, SubRip by extension.
    {{"convert", "--to", "ssa", "--fps=25", "@IN"}, "{100}{250}Ala ma kota\r\n", 0,
     kSsaHeader + Event("04.00", "10.00", "Ala ma kota")},
    {{"convert", "--to", "3", "--fps", "25", "@IN"}, kSsaHeader + Event("04.00", "10.00", "Ala ma kota"), 0,
     "{100}{250}Ala ma kota\r\n", "", {}, "film.ssa"},
    {{"convert", "--to", "decisecond", "@IN"},
     "1\r\n00:00:02,000 --> 00:00:03,000\r\nDrugi\r\n\r\n2\r\n00:00:01,000 --> 00:00:02,500\r\n<i>A</i>\r\nb\r\n",
     0, "[20][30]Drugi\r\n[10][25]<i>A</i>|b\r\n", "@IN: warning: start times are not in order", {}, "film.srt"},
    // Windows-1250, LF and no final break survive an in-place rewrite; ignored lines stay as bytes.
    {{"convert", "--to", "4", "--fps", "25", "--on-bad-line", "ignore", "--in-place", "@IN"},
     "{100}{250}" + kZolta + "\n\xA5\xCA garbage \x81\n[10][20]\x9C" "cie\xBF" "ka", 0, "", "",
     "[40][100]" + kZolta + "\n\xA5\xCA garbage \x81\n[10][20]\x9C" "cie\xBF" "ka"},
    // The line check: stop (the default) names the line, delete drops it, --lines checks only the range.
    {{"convert", "--to", "time", "--fps", "25", "@IN"}, kBad, 1, "", "@IN:2: unreadable line"},
    {{"convert", "--to", "time", "--fps", "25", "--on-bad-line", "delete", "@IN"}, kBad, 0,
     "00:00:01:a\r\n00:00:01:b\r\n", "@IN: 2 unreadable line(s) deleted"},
    {{"convert", "--to", "time", "--lines", "3-3", "@IN"}, kBad, 0,
     "{25}{50}a\r\nnot a subtitle\r\n00:00:01:b\r\nalso bad\r\n"},
    // A frame rate only where frame lines are read or written.
    {{"convert", "--to", "frame", "--lines", "3-3", "@IN"}, kBad, 2, "", "frame lines are written"},
    {{"convert", "--to", "time", "--lines", "1-1", "@IN"}, kBad, 2, "", "--fps RATE"},
    // Usage and file errors.
    {{"convert", "@IN"}, kBad, 2, "", "--to FORMAT is required"},
    {{"convert", "--to", "7", "@IN"}, kBad, 2, "", "--to must be"},
    {{"convert", "--to", "4", "--fps", "abc", "@IN"}, kBad, 2, "", "not a finite number: abc"},
    {{"convert", "--to", "4", "--fps", "0", "@IN"}, kBad, 2, "", "--fps must lie between 0.01 and 1000"},
    {{"convert", "--to", "4", "--lines", "3-1", "@IN"}, kBad, 2, "", "--lines"},
    {{"convert", "--to", "4", "--lines", "3", "@IN"}, kBad, 2, "", "--lines needs FIRST-LAST"},
    {{"convert", "--to", "4", "--bogus", "@IN"}, kBad, 2, "", "unknown option --bogus"},
    {{"convert", "--to", "4", "--fps"}, kBad, 2, "", "--fps needs a value"},
    {{"convert", "--to", "4", "no-such-folder/missing.txt"}, kBad, 2, "", "missing.txt"},
    {{"convert", "--to", "ssa", "--ssa-size", "0", "@IN"}, kBad, 2, "", "--ssa-size"},
    {{"convert", "--to", "4", "-o", "@OUT", "--in-place", "@IN"}, "[10][20]a\n", 2, "", "exclude each other"},
    {{"convert", "--to", "4", "@IN", "@IN"}, kBad, 2, "", "exactly one FILE"},
    {{"nonsense"}, "", 2, "", "unknown command nonsense"},
    {{}, "", 2, "", "Usage: kravelo-cli"},

    // Numbers outside what the dialogs accept, and their edges; files that are not regular files.
    {{"fps", "--from", "1e308", "--to", "25", "@IN"}, kAB, 2, "", "--from"},
    {{"shift", "1e7", "--fps", "25", "@IN"}, kAB, 2, "", "must not exceed"},
    {{"shift", "0.01", "--fps", "25", "@IN"}, kAB, 2, "", "at least one frame"},
    {{"shift", "0.04", "--fps", "25", "@IN"}, kAB, 0, "{101}{201}a\r\n{301}{401}b\r\n"},
    {{"display-time", "0.02", "--fps", "25", "@IN"}, kAB, 2, "", "at least one frame"},
    {{"merge", "--rows", "99", "--fps", "1000", "@IN"}, kAB, 0, kAB},
    {{"find-short", "inf", "--fps", "25", "@IN"}, kAB, 2, "", "not a finite number"},
    {{"info", "/dev/zero"}, "", 2, "", "not a regular file"},
    {{"shift", "1", "-o", "/dev/null", "@IN"}, "[1][2]a\n", 2, "", "not a regular file"},

    // check: counts per format, unreadable lines on standard error.
    {{"check", "@IN"}, "{1}{2}a\n[1][2]b\n00:00:01:c\n0:00:02:d\n\n", 0,
     "@IN: 5 lines: 1 time, 1 time-short, 1 frame, 1 decisecond, 0 ssa, 1 empty, 0 unreadable\n"},
    {{"check", "@IN"}, "{1}{2}a\nxyz\n", 1,
     "@IN: 2 lines: 0 time, 0 time-short, 1 frame, 0 decisecond, 0 ssa, 0 empty, 1 unreadable\n",
     "@IN:2: unreadable line"},

    // shift: Windows-1250 and CR LF kept, -o leaves the input alone; a refused check changes nothing.
    {{"shift", "1.5", "--fps", "25", "--on-bad-line", "ignore", "-o", "@OUT", "@IN"},
     "{100}{250}" + kZazolc + "\r\n[12][34]" + kLodz + "\r\nbez czasu\r\n0:01:02:Czas\r\n", 0, "", "",
     "{138}{288}" + kZazolc + "\r\n[27][49]" + kLodz + "\r\nbez czasu\r\n0:01:03:Czas\r\n"},
    {{"shift", "1.5", "--fps", "25", "--in-place", "@IN"}, "{100}{250}A\r\nbez czasu\r\n", 1, "",
     "@IN:2: unreadable line", "{100}{250}A\r\nbez czasu\r\n"},
    // A negative amount is an argument, not an option; the warning comes once.
    {{"shift", "-5", "--start-only", "--lines", "2-3", "--fps", "25", "@IN"}, "{100}{250}A\n[12][34]B\n0:01:02:C\n",
     0, "{100}{250}A\n[-37][34]B\n0:00:57:C\n", "@IN: warning: some times became negative"},
    {{"shift", "2", "--end-only", "@IN"}, "[10][20]A\n", 0, "[10][40]A\n"},
    {{"shift", "1", "--start-only", "--end-only", "@IN"}, "[10][20]A\n", 2, "", "exclude each other"},
    {{"shift", "0", "@IN"}, "[10][20]A\n", 2, "", "must not be 0"},
    {{"shift", "1", "@IN"}, "{100}{250}A\n", 2, "", "--fps RATE"},

    // A script made elsewhere keeps its own columns; text that would reopen as other characters
    // in Windows-1250 is written as UTF-8.
    {{"shift", "1", "--in-place", "@IN"}, kForeignSsa, 0, "", "",
     "[Events]\r\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n"
     "Dialogue: 1,0:17:05.87,0:17:07.00,Sign,Anna,0010,0020,0030,Scroll up;5,Hi, you\r\n",
     "film.ssa"},
    {{"repair", "--no-block-end", "--no-punctuation", "--no-dash", "--no-row-end-spaces", "--brace-codes",
      "--in-place", "@IN"},
     "[10][20]P\xD3\xA3NOC{\x9C}\r\n", 0, "", "UTF-8", "[10][20]PÓŁNOC\r\n"},

    // nudge: one line, no line check; LF and the missing final break kept.
    {{"nudge", "3", "-", "--fps", "25", "--in-place", "@IN"}, "{100}{250}A\nnie napis\n{300}{}B", 0, "", "",
     "{100}{250}A\nnie napis\n{294}{}B"},
    {{"nudge", "4", "+", "--fps", "25", "@IN"}, "{100}{250}A\n", 2, "", "LINE must be 1..1"},
    {{"nudge", "1", "x", "--fps", "25", "@IN"}, "{100}{250}A\n", 2, "", "+ or -"},

    // display-time: each flag reaches the engine; the block end reads a frame line after the range.
    {{"display-time", "2", "--fps", "25", "@IN"}, kSpan, 0,
     "{250}{299}abcdefghijklmnopqrstuvwxy\r\n{300}{351}B\r\n"},
    {{"display-time", "2", "--fixed", "--only-unset", "--no-block-end", "--fps", "25", "@IN"}, kSpan, 0,
     "{250}{300}abcdefghijklmnopqrstuvwxy\r\n{300}{310}B\r\n"},
    {{"display-time", "--blank", "--fps", "25", "@IN"}, kSpan, 0,
     "{250}{}abcdefghijklmnopqrstuvwxy\r\n{300}{}B\r\n"},
    {{"display-time", "--blank", "2", "--fps", "25", "@IN"}, kSpan, 2, "", "--blank takes no SECONDS"},
    {{"display-time", "--blank", "--fixed", "--fps", "25", "@IN"}, kSpan, 2, "", "--blank takes no other"},
    {{"display-time", "0", "--fps", "25", "@IN"}, kSpan, 2, "", "SECONDS must be above 0"},
    {{"display-time", "2", "--lines", "1-1", "@IN"}, "[10][]A\n{100}{200}B\n", 2, "",
     "a frame line after the range"},
    {{"display-time", "2", "--lines", "1-1", "--no-block-end", "@IN"}, "[10][]A\n{100}{200}B\n", 0,
     "[10][30]A\n{100}{200}B\n"},

    // fps: the two rates are all it needs.
    {{"fps", "--from", "25", "--to", "30", "@IN"}, "{100}{250}A\n", 0, "{120}{300}A\n"},
    {{"fps", "--from", "25", "--to", "25", "@IN"}, "{100}{250}A\n", 2, "", "are equal"},
    {{"fps", "--from", "25", "@IN"}, "{100}{250}A\n", 2, "", "are required"},

    // merge: the count on standard error; the options and the dialog's limits.
    {{"merge", "--per50", "20", "--fps", "25", "@IN"}, kMergeable, 0,
     "{100}{150}Tak|Nie wiem\r\n{400}{500}Dobrze\r\n", "@IN: subtitles merged: 1"},
    {{"merge", "--per50", "20", "--max-length", "10", "--fps", "25", "@IN"}, kMergeable, 0, kMergeable,
     "subtitles merged: 0"},
    {{"merge", "--rows", "1", "--fps", "25", "@IN"}, kMergeable, 2, "", "--rows must lie between 2 and 99"},
    {{"merge", "--max-length", "80.5", "--fps", "25", "@IN"}, kMergeable, 2, "", "not a whole number"},
    {{"merge", "--per50", "0.05", "--fps", "25", "@IN"}, kMergeable, 2, "", "--per50 must lie between 0.10"},
    {{"merge", "--rows", "3", "--add-rows", "--fps", "25", "@IN"}, kMergeable, 2, "", "exclude each other"},

    // repair: the defaults, every switch, and nothing left to do.
    {{"repair", "--fps", "25", "@IN"}, kRepair, 0,
     "{100}{249}Tak, tak.|Nie!\r\n{250}{400}- Co?|- {c: red}Nic 1 000\r\n", "2 empty line(s) removed"},
    {{"repair", "--no-block-end", "--no-empty-lines", "--digit-spaces", "--brace-codes", "--fps", "25", "@IN"},
     kRepair, 0, "{100}{300}Tak, tak.|Nie!\r\n\r\n{250}{400}- Co?|- Nic 1000\r\n{0}{25}\r\n"},
    {{"repair", "--no-punctuation", "--no-dash", "--no-double-spaces", "--no-row-end-spaces", "@IN"},
     "[10][30]Tak ,tak|-Nie  \r\n", 0, "[10][30]Tak ,tak|-Nie  \r\n"},
    {{"repair", "--no-block-end", "--no-punctuation", "--no-dash", "--no-empty-lines", "--no-double-spaces",
      "--no-row-end-spaces", "@IN"},
     kRepair, 2, "", "every repair is switched off"},

    // sort: Windows-1250, LF and no final break kept in place; equal starts noted.
    {{"sort", "--fps", "25", "--on-bad-line", "ignore", "--in-place", "@IN"},
     "{125}{150}A \xB3\n[50][]B\n0:00:01:C\n\nnot a subtitle\n{250}{}D", 0, "",
     "start at the same time as the one before", "\nnot a subtitle\n0:00:01:C\n{125}{150}A \xB3\n[50][]B\n{250}{}D"},
    {{"sort", "--lines", "2-4", "@IN"}, "[90][]z\r\n[30][]c\r\n[10][]a\r\n[20][]b\r\n{1}{}y\r\nbad\r\n", 0,
     "[90][]z\r\n[10][]a\r\n[20][]b\r\n[30][]c\r\n{1}{}y\r\nbad\r\n", "line(s) moved"},
    {{"sort", "--lines", "2-5", "@IN"}, "[90][]z\r\n[30][]c\r\n[10][]a\r\n[20][]b\r\n{1}{}y\r\nbad\r\n", 2, "",
     "frame lines are read"},

    // The searches print the line the caret would land on; exit 1 when nothing is found.
    {{"find-short", "--fps", "25", "1.0", "@IN"}, kSearch, 0,
     "@IN:1: starts at 4 s, the next subtitle (line 2) 0.8 s later\n"
     "@IN:4: starts at 70 s, the next subtitle (line 5) -2 s later\n"
     "@IN:5: starts at 68 s, the next subtitle (line 6) 0 s later\n"},
    {{"find-unsorted", "--fps", "25", "@IN"}, kSearch, 0,
     "@IN:5: line 4 starts at 70 s, the next subtitle (line 5) at 68 s\n"
     "@IN:6: line 5 starts at 68 s, the next subtitle (line 6) at the same time\n"},
    {{"find-gaps", "--fps", "25", "60", "@IN"}, kSearch, 0,
     "@IN:3: gap of 62 s after line 2 (ends at 8 s, line 4 starts at 70 s)\n"},
    {{"find-short", "--fps", "25", "--lines", "2-3", "1", "@IN"}, kSearch, 1, "", "nothing found"},
    {{"find-short", "--fps", "25", "0", "@IN"}, kSearch, 2, "", "SECONDS must be above 0"},
    {{"find-short", "1", "@IN"}, kSearch, 2, "", "frame lines are read"},
    {{"find-unsorted", "@IN"}, kSsaHeader + Event("01.00", "02.00", "a") + Event("01.00", "03.00", "b"), 0,
     "@IN:12: line 11 starts at 1 s, the next subtitle (line 12) at the same time\n", "", {}, "e.ssa"},

    // correct: two points S@P; inconsistent or malformed points are refused.
    {{"correct", "--start", "98@100", "--end", "1003@1000", "--on-bad-line", "ignore", "@IN"}, kCorrect, 0,
     "[1000][1020]A\n[5500][]C\nbad\n[10000][10020]B\n"},
    {{"correct", "--start", "98@100", "--end", "1003@90", "@IN"}, kCorrect, 2, "", "must lie after"},
    {{"correct", "--start", "98", "--end", "1003@1000", "@IN"}, kCorrect, 2, "", "SUBTITLE@MOVIE"},
    {{"correct", "--start", "10@0", "--end", "110@100", "@IN"}, "[10][20]a\n[30][40]b\n", 0,
     "[-89][-79]a\n[-69][-59]b\n", "warning: some times became negative"},

    // italic: LINE and COLUMN from 1; frame numbers pass through without --fps.
    {{"italic", "--in-place", "1", "10", "@IN"}, "{10}{20}Ala|ma kota\r\n", 0, "",
     "italics added; caret now at line 1, column 11", "{10}{20}/Ala/|ma kota\r\n"},
    {{"italic", "1", "3", "@IN"}, "{10}{20}Ala|ma kota\r\n", 1, "", "@IN:1:3: no italics here"},
    {{"italic", "2", "1", "@IN"}, "{10}{20}Ala|ma kota\r\n", 2, "", "has only 1 line(s)"},
    {{"italic", "1", "0", "@IN"}, "{10}{20}Ala|ma kota\r\n", 2, "", "count from 1"},

    // mark: a frame marker needs a rate; the old marker is replaced; today's date by default.
    {{"mark", "--date", "26-01-31", "--in-place", "@IN"}, "{100}{250}Ala\r\n{300}{400}Ola\r\n", 2, "",
     "the marker is written as a frame line", "{100}{250}Ala\r\n{300}{400}Ola\r\n"},
    {{"mark", "--fps", "25", "--date", "26-02-01", "--in-place", "@IN"},
     kMarker + "  (26-01-31)/|https://kravelo.org\r\n{100}{250}Ala\r\n{300}{400}Ola\r\n", 0, "", "",
     kMarker + "  (26-02-01)/|https://kravelo.org\r\n{100}{250}Ala\r\n{300}{400}Ola\r\n"},
    {{"mark", "@IN"}, "[10][20]a\n[30][40]b\n", 0,
     "[1][30]/Edited with Kravelo b." + kBuild + "  (" + Today() + ")/|https://kravelo.org\n[10][20]a\n[30][40]b\n"},
    {{"mark", "@IN"}, "[10][20]a\n\n[30][40]b\n", 0, "[10][20]a\n\n[30][40]b\n", "no marker written"},
    {{"mark", "--date", "2026-01-31", "@IN"}, "[10][20]a\n", 2, "", "--date must be YY-MM-DD"},

    // info: the summary, and the rate its frame lines need.
    {{"info", "--fps", "25", "@IN"}, "{250}{300}a\r\n\r\n[50][]b\r\n00:01:00:c\r\njunk\r\n[600][620]d\r\n", 0,
     "@IN: 6 lines\n"
     "  formats: time 1, frame 1, decisecond 2\n"
     "  other lines: 1 empty, 1 unreadable\n"
     "  subtitles: 4\n"
     "  first time: 5 s (0:00:05.00)\n"
     "  last time: 62 s (0:01:02.00)\n"
     "  starts sorted: no, 1 step(s) back, 1 equal start(s); the first at line 1 and its next subtitle\n"},
    {{"info", "@IN"}, "{250}{300}a\r\n", 2, "", "frame lines are read"},
};

std::string Fill(std::string s, const std::string& in, const std::string& out) {
    for (auto [token, value] : {std::pair{std::string("@IN"), in}, std::pair{std::string("@OUT"), out}})
        for (std::size_t at = 0; (at = s.find(token, at)) != std::string::npos; at += value.size())
            s.replace(at, token.size(), value);
    return s;
}

}  // namespace

TEST(Cli, EveryRunOfTheTable) {
    for (const Case& c : kCases) {
        TempDir dir;
        const std::string in = dir.Write(c.name, c.input), out = dir.File("out.txt");
        std::vector<std::string> args;
        std::string shown;
        for (const std::string& a : c.args) {
            args.push_back(Fill(a, in, out));
            shown += " " + a;
        }
        SCOPED_TRACE("kravelo-cli" + shown);
        auto r = RunCli(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, Fill(c.out, in, out));
        EXPECT_NE(r.err.find(Fill(c.err, in, out)), std::string::npos) << r.err;
        // A failure always says why.
        if (c.status != 0) {
            EXPECT_FALSE(r.err.empty());
        }
        if (c.file) {
            const bool toOut = std::find(c.args.begin(), c.args.end(), "@OUT") != c.args.end();
            EXPECT_EQ(TempDir::Read(toOut ? out : in), *c.file);
            if (toOut) {
                EXPECT_EQ(TempDir::Read(in), c.input);
            }
        }
    }
}

TEST(Cli, HelpAndVersion) {
    auto r = RunCli({"--help"});
    EXPECT_EQ(r.status, 0);
    // The list comes from the registered commands, each of which the table runs.
    EXPECT_NE(r.out.find("\n  shift SECONDS "), std::string::npos) << r.out;
    r = RunCli({"shift", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("Usage: kravelo-cli shift SECONDS")) << r.out;
    EXPECT_EQ(RunCli({"--version"}).out, "kravelo-cli " + std::string(kravelo::kVersion) + "\n");
}
