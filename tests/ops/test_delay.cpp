// Delay measurement and the two-point correction.

#include <gtest/gtest.h>

#include "support/engine_doc.h"

#include "core/ssa.h"
#include "ops/delay.h"

namespace kravelo {
namespace {

using test::Doc;

// The worked points: A = 98 s heard at 100 s, B = 1003 s heard at 1000 s.
constexpr double PA = 100.0, PB = 1000.0, SA = 98.0, SB = 1003.0;

TEST(DelayAt, ContinuesLinearlyOutsideThePoints) {
    // 5 s of drift over 905 s of subtitle time.
    EXPECT_DOUBLE_EQ(DelayAt(PA, PB, SA, SB, 0.0), -2.0 - 5.0 * 98.0 / 905.0);
    EXPECT_DOUBLE_EQ(DelayAt(PA, PB, SA, SB, 1908.0), 8.0);
}

TEST(CorrectTimes, WorkedExample) {
    auto doc = Doc({"[980][1000]A", "[10030][10050]B", "[5505][5525]C"});
    CorrectResult r = CorrectTimes(doc, 0, 3, PA, PB, SA, SB);
    EXPECT_TRUE(r.done);
    EXPECT_FALSE(r.negativeTime);
    EXPECT_EQ(r.changed, 3);
    // A moves onto 100 s; its end 100 s has delay -2 + 5 x 2 / 905.
    EXPECT_EQ(doc.lines[0], "[1000][1020]A");
    EXPECT_EQ(doc.lines[1], "[10000][10020]B");
    EXPECT_EQ(doc.lines[2], "[5500][5520]C");
}

TEST(CorrectTimes, OutsideTheTwoPoints) {
    auto doc = Doc({"00:00:00:before", "00:31:48:after", "{0}{}zero"});
    CorrectTimes(doc, 0, 3, PA, PB, SA, SB);
    // 0 s - (-2.5414...) = 2.54 s, written as whole seconds: 2.
    EXPECT_EQ(doc.lines[0], "00:00:02:before");
    // 1908 s - 8 s = 1900 s.
    EXPECT_EQ(doc.lines[1], "00:31:40:after");
    // Frame 0 at 25 fps: start 2.5414 s -> frame 64 (63.54 + 0.5); the empty end stays empty.
    EXPECT_EQ(doc.lines[2], "{64}{}zero");
}

TEST(CorrectTimes, EndZeroStaysZero) {
    auto doc = Doc({"{2500}{}x", "[1000][]y"});
    CorrectTimes(doc, 0, 2, PA, PB, SA, SB);
    EXPECT_EQ(doc.lines[0].substr(doc.lines[0].find('}') + 1, 2), "{}");
    EXPECT_EQ(doc.lines[1], "[1020][]y");
}

TEST(CorrectTimes, NegativeTimesAreWrittenAndReportedOnce) {
    // Subtitles late by 10 s at both points: everything moves 10 s earlier.
    auto doc = Doc({"[10][20]a", "[30][40]b", "[500][510]c"});
    CorrectResult r = CorrectTimes(doc, 0, 3, /*PA*/ 0.0, /*PB*/ 100.0, /*SA*/ 10.0, /*SB*/ 110.0);
    EXPECT_TRUE(r.negativeTime);
    ASSERT_TRUE(r.Warning());
    EXPECT_EQ(*r.Warning(), msg::NegativeShowTime);
    EXPECT_EQ(doc.lines[0], "[-89][-79]a");  // -9 s: integer part of -90 + 0.5
    EXPECT_EQ(doc.lines[2], "[400][410]c");
}

TEST(CorrectTimes, RefusesInconsistentPoints) {
    auto doc = Doc({"[10][20]a"});
    EXPECT_FALSE(CorrectTimes(doc, 0, 1, 100.0, 100.0, 10.0, 20.0).done);  // PB = PA
    EXPECT_FALSE(CorrectTimes(doc, 0, 1, 100.0, 200.0, 20.0, 10.0).done);  // SB < SA
    EXPECT_EQ(doc.lines[0], "[10][20]a");
    EXPECT_FALSE(PointsConsistent({10.0, 100.0}, {10.0, 200.0}));
    EXPECT_TRUE(PointsConsistent({10.0, 100.0}, {11.0, 101.0}));
}

TEST(CorrectTimes, LeavesUnreadableLinesAndTheRangeOutsideAlone) {
    auto doc = Doc({"[980][]a", "junk", "", "[980][]b"});
    CorrectResult r = CorrectTimes(doc, 0, 3, PA, PB, SA, SB);
    EXPECT_EQ(r.changed, 1);
    EXPECT_EQ(doc.lines, (std::vector<std::string>{"[1000][]a", "junk", "", "[980][]b"}));
}

TEST(CorrectTimes, SsaLinesKeepTheirFormatAndTheHeaderIsUntouched) {
    SubtitleDocument doc;
    doc.lines = SsaHeaderLines(SsaOptions{});
    auto header = doc.lines;
    doc.lines.push_back("Dialogue: Marked=0,0:01:38.00,0:01:40.00,NORMAL,00,0000,0000,0000,,Hi");
    doc.ssa = ReadSsaHeader(doc.lines, true);
    doc.documentFormat = kFormatSsa;
    CorrectTimes(doc, 0, static_cast<long>(doc.lines.size()), PA, PB, SA, SB);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), doc.lines.begin()));
    EXPECT_EQ(doc.lines.back().substr(0, 39), "Dialogue: Marked=0,0:01:40.00,0:01:41.9");
}

TEST(MeasureDelay, MovieMinusSubtitleStart) {
    auto doc = Doc({"[100][120]x", "", "junk"});
    ASSERT_TRUE(MeasureDelay(doc, 0, 12.5));
    EXPECT_DOUBLE_EQ(*MeasureDelay(doc, 0, 12.5), 2.5);
    EXPECT_DOUBLE_EQ(*MeasureDelay(doc, 0, 12.5, 0.3), 2.8);  // reaction time taken off the subtitle
    EXPECT_FALSE(MeasureDelay(doc, 1, 12.5));
    EXPECT_FALSE(MeasureDelay(doc, 2, 12.5));
    EXPECT_FALSE(MeasureDelay(doc, 7, 12.5));
}

}  // namespace
}  // namespace kravelo
