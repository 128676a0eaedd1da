#include <gtest/gtest.h>

#include "core/convert.h"
#include "support/engine_doc.h"

using namespace kravelo;
using kravelo::test::Doc;

namespace {

OrderReport ConvertAll(SubtitleDocument& d, int target) {
    long first = 0, last = static_cast<long>(d.lines.size());
    return ConvertLines(d, target, SsaOptions{}, first, last);
}

}  // namespace

TEST(Convert, EveryPairOfFormatsKeepsTimesWithinResolution) {
    const double fps = 25.0;
    for (int from = 1; from <= 5; ++from) {
        for (int to = 1; to <= 5; ++to) {
            // Start from whole seconds so every format can hold the times exactly.
            SubtitleDocument src = Doc({"{250}{300}Raz|dwa", "", "{500}{}Trzy", "śmieci"});
            ConvertAll(src, from);
            ConvertAll(src, to);
            SsaTables& t = src.ssa;
            SubtitleLine s;
            std::size_t index = 0;
            ASSERT_TRUE(NextSubtitle(src.lines, fps, index, s, t)) << from << "->" << to;
            EXPECT_DOUBLE_EQ(s.start, 10.0);
            bool endsKept = from >= 3 && to >= 3;
            EXPECT_NEAR(s.end, endsKept ? 12.0 : 0.0, 1e-9) << from << "->" << to;
            EXPECT_EQ(s.text, to == kFormatSsa || from == kFormatSsa ? "Raz dwa" : "Raz|dwa");
            EXPECT_EQ(src.lines.back(), "śmieci");  // unreadable lines stay
        }
    }
}

TEST(Convert, SsaHeaderIsInsertedAndRemovedWithTheRange) {
    SubtitleDocument d = Doc({"[10][20]a", "[30][40]b", "[50][60]c"});
    long first = 1, last = 3;
    ConvertLines(d, kFormatSsa, SsaOptions{}, first, last);
    EXPECT_EQ(d.lines.size(), 13u);
    EXPECT_EQ(first, 11);
    EXPECT_EQ(last, 13);
    EXPECT_EQ(d.lines[10], "[10][20]a");  // outside the selection
    EXPECT_EQ(d.lines[11], "Dialogue: Marked=0,0:00:03.00,0:00:04.00,NORMAL,00,0000,0000,0000,,b");
    EXPECT_EQ(d.ssa.headerLines, 11);
    EXPECT_EQ(d.documentFormat, kFormatSsa);

    // Back to decisecond lines: the header before the first event goes, the range with it; the
    // unconverted subtitle line between header and events is not header and stays.
    first = 0, last = 13;
    ConvertLines(d, kFormatDecisecond, SsaOptions{}, first, last);
    EXPECT_EQ(d.lines, (std::vector<std::string>{"[10][20]a", "[30][40]b", "[50][60]c"}));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 3);
}

TEST(Convert, SsaToSsaReplacesTheHeaderAndKeepsItalics) {
    SubtitleDocument d = Doc({"{25}{50}/Kursywa/", "{75}{100}Zwykły"});
    ConvertAll(d, kFormatSsa);
    SsaOptions big;
    big.fontSize = 40;
    d.documentFormat = kFormatSsa;
    long first = 0, last = static_cast<long>(d.lines.size());
    ConvertLines(d, kFormatSsa, big, first, last);
    EXPECT_EQ(d.lines.size(), 12u);
    EXPECT_NE(d.lines[5].find(",40,"), std::string::npos);
    EXPECT_EQ(d.lines[10], "Dialogue: Marked=0,0:00:01.00,0:00:02.00,ITALIC,00,0000,0000,0000,,Kursywa");
    ConvertAll(d, kFormatFrame);
    EXPECT_EQ(d.lines[0], "{25}{50}/Kursywa/");
}

TEST(Convert, OrderWarnings) {
    SubtitleDocument equal = Doc({"{25}{50}a", "{25}{60}b", "{70}{80}c"});
    EXPECT_EQ(ConvertAll(equal, kFormatDecisecond).Warning(), msg::TheSameShowTime);
    SubtitleDocument both = Doc({"{25}{50}a", "{25}{60}b", "{10}{80}c"});
    OrderReport r = ConvertAll(both, kFormatDecisecond);
    EXPECT_EQ(r.unsorted, 1);
    EXPECT_EQ(r.equal, 1);
    EXPECT_EQ(r.Warning(), msg::ApperNotSorted);  // unsorted wins
    SubtitleDocument fine = Doc({"{25}{50}a", "", "{30}{60}b"});
    EXPECT_FALSE(ConvertAll(fine, kFormatDecisecond).Warning());
}

TEST(SubRip, BlocksBecomeLines) {
    SubtitleDocument d = Doc(
        {
            "1",
            "00:00:01,500 --> 00:00:04,000",
            "Pierwszy wiersz",
            "  ",
            "drugi wiersz",
            "",
            "2",
            "00:00:05,000 --> 00:00:07,250 X1:100 X2:200 Y1:10 Y2:20",  // position data: end kept from before
            "Drugi",
            "",
            "00:00:08,000 --> 00:00:09,000",  // block number missing
            "Trzeci",
            "",
            "4",
            "00:00:00,000 --> 00:00:00,000",  // zero times still move on
            "Zerowy",
            "",
            "5",
            "00:01:00,000 --> 00:01:02,000",
            "Ostatni",
            "",
            "śmieci na końcu",
        });
    d.documentFormat = kFormatSubRip;
    long first = 0, last = static_cast<long>(d.lines.size());
    OrderReport r = ConvertLines(d, kFormatDecisecond, SsaOptions{}, first, last);
    EXPECT_EQ(d.lines, (std::vector<std::string>{
                           "[15][40]Pierwszy wiersz|drugi wiersz",
                           "[50][40]Drugi",
                           "[80][90]Trzeci",
                           "[0][]Zerowy",
                           "[600][620]Ostatni|śmieci na końcu",
                       }));
    EXPECT_EQ(r.Warning(), msg::ApperNotSorted);
    EXPECT_EQ(d.documentFormat, kFormatDecisecond);
    EXPECT_EQ(last, 5);
}

TEST(SubRip, BlockReaderMovesForwardOnEveryInput) {
    // Time lines back to back and text that looks like times never make the reader stall (a
    // stall would count on to the bound).
    std::vector<std::string> lines = {"00:00:01,000 --> 00:00:02,000", "00:00:03,000 --> 00:00:04,000",
                                      "00:00:05,000", "x", "1", "2"};
    std::size_t index = 0, blocks = 0;
    SubRipBlock b;
    while (blocks < 10 && ReadSubRipBlock(lines, index, b)) ++blocks;
    EXPECT_EQ(blocks, 3u);
    EXPECT_EQ(b.text, "x|1|2");

    EXPECT_DOUBLE_EQ(*ReadSubRipTime("01:02:03,004"), 3723.004);
    for (const char* bad : {"01:02:03", "01:02,003", "a:02:03,004", "01:02:03,004 x", "01:02:03,"})
        EXPECT_FALSE(ReadSubRipTime(bad)) << bad;
}

TEST(SubRip, ToSsaWritesTheHeader) {
    SubtitleDocument d = Doc({"1", "00:00:01,000 --> 00:00:02,000", "<i>Tekst</i>", ""});
    d.documentFormat = kFormatSubRip;
    long first = 0, last = 4;
    ConvertLines(d, kFormatSsa, SsaOptions{}, first, last);
    ASSERT_EQ(d.lines.size(), 11u);
    EXPECT_EQ(d.lines[10], "Dialogue: Marked=0,0:00:01.00,0:00:02.00,NORMAL,00,0000,0000,0000,,<i>Tekst</i>");
    EXPECT_EQ(d.ssa.headerLines, 10);
}
