// Delay measurement and the two-point correction.

#include <gtest/gtest.h>

#include "support/engine_doc.h"

#include "ops/delay.h"

using namespace kravelo;

using kravelo::test::Doc;
using Lines = std::vector<std::string>;

// The worked points: A = 98 s heard at 100 s, B = 1003 s heard at 1000 s.
constexpr double PA = 100.0, PB = 1000.0, SA = 98.0, SB = 1003.0;

// 5 s of drift over 905 s of subtitle time. Unreadable lines and the range are the shared rewrite
// loop's, checked with the shift.
TEST(CorrectTimes, DelayInterpolatedAndContinuedLinearly) {
    const struct {
        Lines lines;
        Lines expected;
    } cases[] = {
        // A moves onto 100 s; its end 100 s has delay -2 + 5 x 2 / 905.
        {{"[980][1000]A", "[10030][10050]B", "[5505][5525]C"}, {"[1000][1020]A", "[10000][10020]B", "[5500][5520]C"}},
        // Outside the points: 0 s - (-2.54 s) written as whole seconds; 1908 s - 8 s; frame 0 at
        // 25 fps becomes frame 64 (63.54 + 0.5) and its empty end stays empty.
        {{"00:00:00:before", "00:31:48:after", "{0}{}zero"}, {"00:00:02:before", "00:31:40:after", "{64}{}zero"}},
    };
    for (const auto& c : cases) {
        auto doc = Doc(c.lines);
        CorrectResult r = CorrectTimes(doc, 0, static_cast<long>(c.lines.size()), PA, PB, SA, SB);
        EXPECT_FALSE(r.negativeTime);
        EXPECT_EQ(doc.lines, c.expected);
    }
}

TEST(CorrectTimes, NegativeTimesAndInconsistentPoints) {
    // Subtitles late by 10 s at both points: everything moves 10 s earlier, reported once.
    auto doc = Doc({"[10][20]a", "[30][40]b", "[500][510]c"});
    CorrectResult r = CorrectTimes(doc, 0, 3, /*PA*/ 0.0, /*PB*/ 100.0, /*SA*/ 10.0, /*SB*/ 110.0);
    EXPECT_TRUE(r.negativeTime);  // the warning it gives: the command-line tests
    EXPECT_EQ(doc.lines, (Lines{"[-89][-79]a", "[-69][-59]b", "[400][410]c"}));  // -9 s: integer part of -90 + 0.5

    doc = Doc({"[10][20]a"});
    EXPECT_FALSE(CorrectTimes(doc, 0, 1, 100.0, 100.0, 10.0, 20.0).done);  // PB = PA
    EXPECT_FALSE(CorrectTimes(doc, 0, 1, 100.0, 200.0, 20.0, 10.0).done);  // SB < SA
    EXPECT_EQ(doc.lines[0], "[10][20]a");
    EXPECT_FALSE(PointsConsistent({10.0, 100.0}, {10.0, 200.0}));
    EXPECT_TRUE(PointsConsistent({10.0, 100.0}, {11.0, 101.0}));
}

TEST(MeasureDelay, MovieMinusSubtitleStart) {
    auto doc = Doc({"[100][120]x", "", "junk"});
    EXPECT_DOUBLE_EQ(MeasureDelay(doc, 0, 12.5).value_or(-1), 2.5);
    EXPECT_DOUBLE_EQ(MeasureDelay(doc, 0, 12.5, 0.3).value_or(-1), 2.8);  // reaction time taken off the subtitle
    for (long line : {1, 2, 7}) EXPECT_FALSE(MeasureDelay(doc, line, 12.5)) << line;
}
