#include <gtest/gtest.h>

#include "core/ssa.h"
#include "core/subtitle_line.h"

using namespace kravelo;

namespace {

std::vector<std::string> ProgramHeader() { return SsaHeaderLines(SsaOptions{}); }

struct Collected {
    std::vector<std::string> keys;
    MessageSink sink() {
        return [this](const Message& m) { keys.emplace_back(m.key); };
    }
};

}  // namespace

TEST(Ssa, ReadsEventsAfterTheProgramsOwnHeader) {
    std::vector<std::string> lines = ProgramHeader();
    lines.push_back("Dialogue: Marked=0,0:00:01.50,0:00:04.00,ITALIC,00,0000,0000,0000,,Hello, world");
    lines.push_back("Dialogue: Marked=0,1:02:05.25,1:02:07.00,NORMAL,00,0000,0000,0000,,  Plain ,text  ");
    Collected c;
    SsaTables t = ReadSsaHeader(lines, false, c.sink());
    EXPECT_TRUE(c.keys.empty());
    EXPECT_EQ(t.headerLines, 10);

    // The ITALIC style's line reads as italic, the NORMAL one's as upright.
    SubtitleLine s;
    ASSERT_EQ(ParseLine(lines[10], 0.0, s, t), 1);
    EXPECT_EQ(s.format, kFormatSsa);
    EXPECT_DOUBLE_EQ(s.start, 1.5);
    EXPECT_DOUBLE_EQ(s.end, 4.0);
    EXPECT_EQ(s.text, "/Hello, world/");
    ASSERT_EQ(ParseLine(lines[11], 0.0, s, t), 1);
    EXPECT_EQ(s.text, "Plain ,text");

    // A bad time makes the line unreadable.
    EXPECT_FALSE(IsLineValid("Dialogue: Marked=0,0:0x:01.50,0:00:04.00,NORMAL,00,0000,0000,0000,,x", t));
    EXPECT_FALSE(IsLineValid("Comment: Marked=0,0:00:01.50,0:00:04.00,NORMAL,00,0000,0000,0000,,x", t));
}

TEST(Ssa, WritesEventLines) {
    // (Italics and row breaks written from whole lines: the conversion tests.)
    // A slash inside the text is written unchanged; only the italic markers go.
    EXPECT_EQ(putline(kFormatSsa, 0.0, 0.0, 1.0, "/a/b|c/"),
              "Dialogue: Marked=0,0:00:00.00,0:00:01.00,ITALIC,00,0000,0000,0000,,a/b c");
    EXPECT_EQ(putline(kFormatSsa, 0.0, 0.0, 1.0, "a/b/"),
              "Dialogue: Marked=0,0:00:00.00,0:00:01.00,NORMAL,00,0000,0000,0000,,a/b/");
    // The hundredths field counts hundredths whatever its length.
    EXPECT_DOUBLE_EQ(*ReadSsaTime("0:00:01.5"), 1.05);
    for (const char* bad : {"0:00:01", "0:00.01", "x:00:01.00", "0:00:01.", "0:00:-1.00", ""})
        EXPECT_FALSE(ReadSsaTime(bad)) << bad;
}

TEST(Ssa, StyleTableRules) {
    // Lower case and leading spaces are understood.
    std::vector<std::string> lines = {"[Script Info]", "[v4 styles]", "  format: NAME, fontname, ITALIC"};
    for (int i = 0; i < 11; ++i)
        lines.push_back("Style: S" + std::to_string(i) + ",Arial," + (i == 3 ? "1" : i == 4 ? "-1" : "0"));
    lines.push_back("[Events]");
    lines.push_back("Format: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text");
    lines.push_back("Dialogue: 0,0:00:01.00,0:00:02.00,S3,,0,0,0,,kursywa");
    SsaTables t = ReadSsaHeader(lines, false);
    ASSERT_EQ(t.styles.size(), 10u);  // the eleventh is ignored
    EXPECT_EQ(t.styles[9].name, "S9");
    EXPECT_FALSE(t.styles[4].italic);  // only "1" counts
    SubtitleLine s;
    ASSERT_EQ(ParseLine(lines.back(), 0.0, s, t), 1);
    EXPECT_EQ(s.text, "/kursywa/");
    // Style names match with regard to case.
    ASSERT_EQ(ParseLine("Dialogue: 0,0:00:01.00,0:00:02.00,s3,,0,0,0,,x", 0.0, s, t), 1);
    EXPECT_EQ(s.text, "x");
}

TEST(Ssa, HeaderErrorsAreReportedOnlyWhenNotQuiet) {
    std::vector<std::string> noLegend = {"[V4 Styles]", "Style: A,Arial,0", "[Events]",
                                         "Format: Start, End, Text", "Dialogue: 0:00:01.00,0:00:02.00,x"};
    Collected loud;
    SsaTables t = ReadSsaHeader(noLegend, false, loud.sink());
    EXPECT_EQ(loud.keys, std::vector<std::string>{"EdSSANoLegend"});
    EXPECT_TRUE(t.styles.empty());
    // Events are still looked for, and a missing Style column is allowed.
    EXPECT_TRUE(IsLineValid(noLegend[4], t));

    std::vector<std::string> noFormat = {"[Events]", "Dialogue: Marked=0,0:00:01.00,0:00:02.00,NORMAL,,0,0,0,,x"};
    Collected loud2, quiet;
    t = ReadSsaHeader(noFormat, false, loud2.sink());
    EXPECT_EQ(loud2.keys, std::vector<std::string>{"EdSSALegendError"});
    EXPECT_FALSE(IsLineValid(noFormat[1], t));
    ReadSsaHeader(noFormat, true, quiet.sink());
    EXPECT_TRUE(quiet.keys.empty());
}

TEST(Ssa, QuietReadingLooksAtTheFirstHundredLinesOnly) {
    std::vector<std::string> lines(101, "; comment");
    std::vector<std::string> header = ProgramHeader();
    lines.insert(lines.end(), header.begin(), header.end());
    lines.push_back("Dialogue: Marked=0,0:00:01.00,0:00:02.00,NORMAL,00,0000,0000,0000,,x");
    EXPECT_FALSE(ReadSsaHeader(lines, true).EventsKnown());
    EXPECT_EQ(ReadSsaHeader(lines, false).headerLines, 111);
}

TEST(Ssa, HeaderInsertionMovesTheRange) {
    std::vector<std::string> lines = {"a", "b", "c"};
    long first = 0, last = 3;
    WriteSsaHeader(lines, SsaOptions{}, first, last);
    EXPECT_EQ(first, 0);  // a range from the top takes in the header
    EXPECT_EQ(last, 13);  // a range lower down moves with the lines: the conversion test

    auto h = SsaHeaderLines({.fontName = "Arial", .fontSize = 30, .outline = 2, .shadow = 1, .marginV = 20, .playResY = 576});
    ASSERT_EQ(h.size(), 10u);
    EXPECT_EQ(h[1], "PlayResY: 576");
    EXPECT_EQ(h[5], "Style: NORMAL,Arial,30,16777215,65535,65535,0,1,0,1,2,1,2,30,30,20,0,238");
}
