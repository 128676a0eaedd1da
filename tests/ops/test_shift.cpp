#include <gtest/gtest.h>

#include "support/engine_doc.h"
#include "ops/frame_rate.h"
#include "ops/shift.h"

using namespace kravelo;
using kravelo::test::Doc;
using Lines = std::vector<std::string>;

TEST(ShiftTimes, EveryFormatKeepsItsOwnFormat) {
    const struct {
        Lines lines;
        double seconds;
        bool start, end;
        long first, last;
        Lines expected;
    } cases[] = {
        {{"{100}{250}Ala", "[12][34]Tekst", "0:01:02:Czas", "00:00:10:A", "", "nie napis", "{100}{}Bez końca"},
         1.5, true, true, 0, 7,
         {"{138}{288}Ala",  // 5.5 s and 11.5 s at 25 fps, rounded half up
          "[27][49]Tekst",
          "0:01:03:Czas",  // 63.5 s: the hundredths are dropped
          "00:00:11:A", "",
          "nie napis",           // unreadable lines are left alone
          "{138}{}Bez końca"}},  // no end time stays without one
        // Only the ends of lines 1 and 2; only the starts, over a range past the end.
        {{"{100}{250}A", "{100}{250}B", "{100}{}C", "{100}{250}D"}, 2.0, false, true, 1, 3,
         {"{100}{250}A", "{100}{300}B", "{100}{}C", "{100}{250}D"}},
        {{"{100}{250}A", "{100}{}C"}, -2.0, true, false, 0, 99, {"{50}{250}A", "{50}{}C"}},
        // Below zero: written as the arithmetic gives it (-125 + 0.5 cut toward zero); a time line
        // becomes unreadable, as the time model writes it.
        {{"{125}{300}A", "00:00:05:B", "[50][]C", "{500}{600}D"}, -10.0, true, true, 0, 4,
         {"{-124}{50}A", "00:00:-5:B", "[-49][]C", "{250}{350}D"}},
        {{"{100}{150}A"}, -7.0, false, true, 0, 1, {"{100}{-24}A"}},
    };
    for (const auto& c : cases) {
        SubtitleDocument d = Doc(c.lines);
        ShiftResult r = ShiftTimes(d, c.seconds, c.start, c.end, c.first, c.last);
        EXPECT_EQ(d.lines, c.expected);
        EXPECT_EQ(r.negativeTime, c.seconds < -5);  // the warning it gives: the command-line tests
    }

    SubtitleDocument s = test::SsaDoc({test::Ssa("0:00:01.50", "0:00:04.00", "Hello, world")});
    ShiftTimes(s, 1.5, true, true, 0, 11);
    EXPECT_EQ(s.lines.back(), test::Ssa("0:00:03.00", "0:00:05.50", "Hello, world"));
}

TEST(ShiftTimes, ProgressEveryTenthLine) {
    SubtitleDocument d = Doc(Lines(25, "{1}{2}x"));
    std::vector<long> seen;
    ShiftTimes(d, 1.0, true, true, 3, 25, [&](long pos, long total, ProgressColor c) {
        seen.push_back(pos);
        EXPECT_EQ(total, 25);
        EXPECT_EQ(c, ProgressColor::Blue);
    });
    EXPECT_EQ(seen, (std::vector<long>{10, 20}));
}

TEST(NudgeLine, QuarterSecondOfOneLine) {
    // Line 0 a quarter second later, then twice earlier: 100 + 6 - 6 - 6 frames.
    SubtitleDocument d = Doc({"{100}{250}A", "", "nie napis", "[40][]B", "{2}{}C"});
    EXPECT_FALSE(NudgeLine(d, 0, true).negativeTime);
    NudgeLine(d, 0, false);
    NudgeLine(d, 0, false);
    NudgeLine(d, 3, true);  // 4.25 s; the missing end stays missing
    // Empty, unreadable and missing lines: nothing changes.
    for (long line : {1, 2, 5, -1}) NudgeLine(d, line, true);
    EXPECT_TRUE(NudgeLine(d, 4, false).negativeTime);
    EXPECT_EQ(d.lines, (Lines{"{94}{244}A", "", "nie napis", "[43][]B", "{-3}{}C"}));  // other lines untouched
}

TEST(ChangeFrameRate, FramesRescaledOtherFormatsKept) {
    SubtitleDocument d =
        Doc({"{250}{300}Tekst", "{1000}{}X", "00:01:02:Tekst", "[12][34]T", "", "zły", "{250}{300}Poza"},
            0.0);  // the document's own rate plays no part
    ChangeFrameRate(d, 25.0, 30.0, 0, 6);
    EXPECT_EQ(d.lines, (std::vector<std::string>{"{300}{360}Tekst", "{1200}{}X", "00:01:02:Tekst",
                                                 "[12][34]T", "", "zły", "{250}{300}Poza"}));
    EXPECT_EQ(d.frameRate, 0.0);
    // Rounding to the nearest frame is the line writer's.
}
