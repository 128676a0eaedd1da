#include <gtest/gtest.h>

#include "support/engine_doc.h"
#include "ops/shift.h"

using namespace kravelo;
using kravelo::test::Doc;

TEST(ShiftTimes, EveryFormatKeepsItsOwnFormat) {
    SubtitleDocument d = Doc({
        "{100}{250}Ala",
        "[12][34]Tekst",
        "0:01:02:Czas",
        "00:00:10:A",
        "",
        "nie napis",
        "{100}{}Bez końca",
    });
    ShiftResult r = ShiftTimes(d, 1.5, true, true, 0, 7);
    EXPECT_FALSE(r.Warning());
    EXPECT_EQ(r.linesWritten, 5);
    EXPECT_EQ(d.lines, (std::vector<std::string>{
                           "{138}{288}Ala",  // 5.5 s and 11.5 s at 25 fps, rounded half up
                           "[27][49]Tekst",
                           "0:01:03:Czas",  // 63.5 s: the hundredths are dropped
                           "00:00:11:A", "",
                           "nie napis",         // unreadable lines are left alone
                           "{138}{}Bez końca",  // no end time stays without one
                       }));

    SubtitleDocument s = test::SsaDoc({test::Ssa("0:00:01.50", "0:00:04.00", "Hello, world")});
    ShiftTimes(s, 1.5, true, true, 0, static_cast<long>(s.lines.size()));
    EXPECT_EQ(s.lines.back(), test::Ssa("0:00:03.00", "0:00:05.50", "Hello, world"));
    EXPECT_EQ(s.lines[0], "[Script Info]");  // header lines are not subtitles
}

TEST(ShiftTimes, StartOnlyEndOnlyAndRange) {
    SubtitleDocument d = Doc({"{100}{250}A", "{100}{250}B", "{100}{}C", "{100}{250}D"});
    ShiftTimes(d, 2.0, false, true, 1, 3);  // only the ends of lines 1 and 2
    EXPECT_EQ(d.lines, (std::vector<std::string>{"{100}{250}A", "{100}{300}B", "{100}{}C", "{100}{250}D"}));
    ShiftTimes(d, -2.0, true, false, 0, 99);  // only the starts, a range past the end
    EXPECT_EQ(d.lines, (std::vector<std::string>{"{50}{250}A", "{50}{300}B", "{50}{}C", "{50}{250}D"}));
}

TEST(ShiftTimes, NegativeTimesAreWrittenAndReportedOnce) {
    SubtitleDocument d = Doc({"{125}{300}A", "00:00:05:B", "[50][]C", "{500}{600}D"});
    ShiftResult r = ShiftTimes(d, -10.0, true, true, 0, 4);
    ASSERT_TRUE(r.Warning());
    EXPECT_EQ(*r.Warning(), msg::NegativeShowTime);
    EXPECT_EQ(d.lines[0], "{-124}{50}A");  // -125 + 0.5 cut toward zero
    EXPECT_EQ(d.lines[1], "00:00:-5:B");   // unreadable from now on, as the time model writes it
    EXPECT_EQ(d.lines[2], "[-49][]C");
    EXPECT_EQ(d.lines[3], "{250}{350}D");

    // Only the end shifted below zero counts too.
    SubtitleDocument e = Doc({"{100}{150}A"});
    EXPECT_TRUE(ShiftTimes(e, -7.0, false, true, 0, 1).negativeTime);
    EXPECT_EQ(e.lines[0], "{100}{-24}A");
}

TEST(ShiftTimes, ProgressEveryTenthLine) {
    SubtitleDocument d = Doc(std::vector<std::string>(25, "{1}{2}x"));
    std::vector<long> seen;
    ShiftTimes(d, 1.0, true, true, 3, 25, [&](long pos, long total, ProgressColor c) {
        seen.push_back(pos);
        EXPECT_EQ(total, 25);
        EXPECT_EQ(c, ProgressColor::Blue);
    });
    EXPECT_EQ(seen, (std::vector<long>{10, 20}));
}

TEST(NudgeLine, QuarterSecondOfOneLine) {
    SubtitleDocument d = Doc({"{100}{250}A", "", "nie napis", "[40][]B", "{2}{}C"});
    EXPECT_FALSE(NudgeLine(d, 0, true).negativeTime);
    EXPECT_EQ(d.lines[0], "{106}{256}A");
    NudgeLine(d, 0, false);
    NudgeLine(d, 0, false);
    EXPECT_EQ(d.lines[0], "{94}{244}A");
    NudgeLine(d, 3, true);
    EXPECT_EQ(d.lines[3], "[43][]B");  // 4.25 s; the missing end stays missing

    // Empty, unreadable and missing lines: nothing changes and nothing is reported.
    std::vector<std::string> before = d.lines;
    EXPECT_EQ(NudgeLine(d, 1, true).linesWritten, 0);
    EXPECT_EQ(NudgeLine(d, 2, true).linesWritten, 0);
    EXPECT_EQ(NudgeLine(d, 5, true).linesWritten, 0);
    EXPECT_EQ(NudgeLine(d, -1, false).linesWritten, 0);
    EXPECT_EQ(d.lines, before);

    ShiftResult r = NudgeLine(d, 4, false);
    EXPECT_TRUE(r.negativeTime);
    EXPECT_EQ(d.lines[4], "{-3}{}C");
    EXPECT_EQ(d.lines[0], "{94}{244}A");  // other lines untouched
}
