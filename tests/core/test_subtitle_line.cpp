#include <gtest/gtest.h>

#include <random>

#include "core/format_size.h"
#include "core/subtitle_line.h"
#include "core/time_model.h"

using namespace kravelo;

namespace {

SubtitleLine Parse(std::string_view line, double fps = 25.0, int expectResult = 1) {
    SubtitleLine s;
    EXPECT_EQ(ParseLine(line, fps, s), expectResult) << line;
    return s;
}

}  // namespace

TEST(LineFormats, FrameLinesReadAndWriteBack) {
    SubtitleLine s = Parse("{100}{250}Ala ma kota");
    EXPECT_EQ(s.format, kFormatFrame);
    EXPECT_DOUBLE_EQ(s.start, 4.0);
    EXPECT_DOUBLE_EQ(s.end, 10.0);
    EXPECT_EQ(s.text, "Ala ma kota");
    EXPECT_EQ(putline(s.format, 25.0, s.start, s.end, s.text), "{100}{250}Ala ma kota");

    // An empty end field reads as 0 and is written back empty.
    s = Parse("{100}{}Tekst");
    EXPECT_EQ(s.end, 0.0);
    EXPECT_EQ(putline(kFormatFrame, 25.0, s.start, s.end, s.text), "{100}{}Tekst");

    // An end that rounds to frame 0 is written as an empty field.
    EXPECT_EQ(putline(kFormatFrame, 25.0, 1.0, 0.01, "x"), "{25}{}x");

    // Nothing between the braces is examined; braces in the text are text.
    EXPECT_EQ(Parse("{abc}{}").format, kFormatFrame);
    s = Parse("{12}{");
    EXPECT_EQ(s.format, kFormatFrame);
    EXPECT_DOUBLE_EQ(s.start, 12 / 25.0);
    EXPECT_EQ(s.text, "");
    s = Parse("{1}{2}{3}[4] 00:00:01:x");
    EXPECT_EQ(s.text, "{3}[4] 00:00:01:x");

    // Non-numeric fields read as 0; such a line carries no subtitle.
    s = Parse("{a}{b}");
    EXPECT_EQ(s.start, 0.0);
    EXPECT_EQ(s.end, 0.0);
    EXPECT_EQ(s.text, "");

    // Frame rate 1 passes frame numbers through unchanged.
    s = Parse("{1234}{5678}t", 1.0);
    EXPECT_EQ(putline(kFormatFrame, 1.0, s.start, s.end, s.text), "{1234}{5678}t");
}

TEST(LineFormats, BrokenBracketShapesAreUnreadable) {
    for (const char* line : {"{12}", "{", "[", "{}", "[]", "{12}x{3}", "{12", "[1][2", "x{1}{2}"})
        EXPECT_FALSE(IsLineValid(line)) << line;
    EXPECT_TRUE(IsLineValid(""));
    EXPECT_TRUE(IsLineValid("[1]["));
    // An empty line parses as an empty frame line.
    SubtitleLine s = Parse("");
    EXPECT_EQ(s.format, kFormatFrame);
}

TEST(LineFormats, DecisecondLines) {
    SubtitleLine s = Parse("[12][34]Tekst");
    EXPECT_EQ(s.format, kFormatDecisecond);
    EXPECT_DOUBLE_EQ(s.start, 1.2);
    EXPECT_DOUBLE_EQ(s.end, 3.4);
    EXPECT_EQ(putline(kFormatDecisecond, 0.0, 1.26, 3.4, "Tekst"), "[13][34]Tekst");
    EXPECT_EQ(putline(kFormatDecisecond, 0.0, 1.2, 0.0, "Tekst"), "[12][]Tekst");
    // Decisecond lines need no frame rate.
    EXPECT_DOUBLE_EQ(Parse("[ 7][-3]x", 0.0).end, -0.3);
}

TEST(LineFormats, TimeLines) {
    SubtitleLine s = Parse("0:01:02:Tekst");
    EXPECT_EQ(s.format, kFormatTimeShort);
    EXPECT_DOUBLE_EQ(s.start, 62.0);
    EXPECT_EQ(s.end, 0.0);
    EXPECT_EQ(s.text, "Tekst");
    EXPECT_EQ(Parse("00:01:02:Tekst").format, kFormatTime);
    EXPECT_EQ(Parse("01:02:03 Tekst").text, "Tekst");
    EXPECT_EQ(Parse("01:02:03=Tekst").text, "Tekst");
    EXPECT_EQ(Parse("01:02:03:a:b c").text, "a:b c");

    s = Parse("1:2:3");
    EXPECT_DOUBLE_EQ(s.start, 3723.0);
    EXPECT_EQ(s.text, "");
    EXPECT_DOUBLE_EQ(Parse("0:99:99:x").start, 99 * 60 + 99);

    for (const char* line : {"12:30", "1:2", "a:00:01:x", "00:0x:01:x", "00:00:-5:x", "00:00::x", "00:00: 1:x",
                             "Dialogue: Marked=0,0:00:01.00,0:00:02.00,NORMAL,00,0000,0000,0000,,x"})
        EXPECT_FALSE(IsLineValid(line)) << line;

    // Seconds are truncated, exact hours stay exact.
    EXPECT_EQ(putline(kFormatTime, 0.0, 59.99, 0.0, "x"), "00:00:59:x");
    EXPECT_EQ(putline(kFormatTime, 0.0, 3600.0, 0.0, "x"), "01:00:00:x");
    EXPECT_EQ(putline(kFormatTimeShort, 0.0, 3725.9, 9.0, "x"), "1:02:05:x");
    EXPECT_EQ(putline(kFormatTime, 0.0, 360000.0, 0.0, ""), "100:00:00:");
    // A negative time is written as the arithmetic gives it and no longer reads as a time line.
    std::string negative = putline(kFormatTime, 0.0, -5.0, 0.0, "x");
    EXPECT_EQ(negative, "00:00:-5:x");
    EXPECT_FALSE(IsLineValid(negative));
}

TEST(LineFormats, PutlineRejectsUnknownFormats) {
    std::string out = "unchanged";
    EXPECT_EQ(putline(0, 25.0, 1.0, 2.0, "x", out), -1);
    EXPECT_EQ(putline(99, 25.0, 1.0, 2.0, "x", out), -1);
    EXPECT_EQ(out, "unchanged");
}

TEST(LineFormats, LongLinesAreKeptWhole) {
    std::string text(5000, 'a');
    SubtitleLine s = Parse("{1}{2}" + text);
    EXPECT_EQ(s.text.size(), 5000u);
    EXPECT_EQ(putline(kFormatFrame, 25.0, s.start, s.end, s.text).size(), 5006u);
}

TEST(LineFormats, EveryFormatRoundTripsWithinItsResolution) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> times(0.0, 20000.0);
    SsaTables ssa = ReadSsaHeader(SsaHeaderLines(SsaOptions{}), true);
    const double fps = 23.976;
    const double resolution[] = {0, 1.0, 1.0, 1.0 / fps, 0.1, 0.01};
    for (int format = 1; format <= 5; ++format) {
        for (int n = 0; n < 500; ++n) {
            double start = times(rng), end = start + times(rng) / 100.0;
            std::string line = putline(format, fps, start, end, "Tekst|drugi");
            SubtitleLine s;
            ASSERT_EQ(ParseLine(line, fps, s, ssa), 1) << line;
            EXPECT_EQ(s.format, format) << line;
            EXPECT_NEAR(s.start, start, resolution[format] + 1e-9) << line;
            if (format >= 3) {
                EXPECT_NEAR(s.end, end, resolution[format] + 1e-9) << line;
            }
            // Writing what was read gives the same line again. SSA hundredths are truncated
            // from the double, so they may drop by one instead.
            if (format != kFormatSsa) {
                EXPECT_EQ(putline(format, fps, s.start, s.end, s.text), line);
            }
        }
    }
}

TEST(TimeModel, SplitTimeAndFrameRounding) {
    SplitTimeParts p = SplitTime(3600.0);
    EXPECT_EQ(p.hours, 1);
    EXPECT_EQ(p.minutes, 0);
    EXPECT_EQ(p.seconds, 0);
    p = SplitTime(7199.999);
    EXPECT_EQ(p.hours, 1);
    EXPECT_EQ(p.minutes, 59);
    EXPECT_EQ(p.seconds, 59);
    EXPECT_EQ(p.hundredths, 99);
    EXPECT_EQ(SplitTime(0.29).hundredths, 28);  // the double 0.29 is just below
    p = SplitTime(-5.0);
    EXPECT_EQ(p.hours, 0);
    EXPECT_EQ(p.seconds, -5);

    EXPECT_EQ(TimeToFrame(41.708, 25.0), 1043);
    EXPECT_EQ(TimeToFrame(0.01, 25.0), 0);
    EXPECT_EQ(TimeToFrame(-0.3, 25.0), -7);  // toward zero after adding a half
    EXPECT_EQ(TimeToFrame(1e300, 25.0), 2147483647);
}

TEST(NextSubtitle, SkipsLinesWithoutSubtitles) {
    std::vector<std::string> lines = {"", "garbage", "{0}{25}", "{a}{b}", "{50}{75}Pierwszy", "[0][10]x", "{100}{}"};
    std::size_t index = 0;
    SubtitleLine s;
    ASSERT_TRUE(NextSubtitle(lines, 25.0, index, s));
    EXPECT_EQ(index, 5u);
    EXPECT_EQ(s.text, "Pierwszy");
    ASSERT_TRUE(NextSubtitle(lines, 25.0, index, s));  // start 0 but a text
    EXPECT_EQ(index, 6u);
    ASSERT_TRUE(NextSubtitle(lines, 25.0, index, s));  // no text but a start
    EXPECT_DOUBLE_EQ(s.start, 4.0);
    EXPECT_FALSE(NextSubtitle(lines, 25.0, index, s));
    EXPECT_EQ(index, lines.size());
    EXPECT_EQ(s.start, kEndOfSubtitlesTime);
    EXPECT_EQ(s.end, kEndOfSubtitlesTime);
    EXPECT_EQ(s.text, kEndOfSubtitlesText);

    std::vector<std::string> none;
    index = 0;
    EXPECT_FALSE(NextSubtitle(none, 25.0, index, s));
    EXPECT_EQ(index, 0u);
}

TEST(ImplicitEnd, MissingEndsAndTheNextStart) {
    // 2 s plus 0.06 s per character, cut at the next start.
    EXPECT_DOUBLE_EQ(ImplicitEndTime(10.0, 0.0, std::string(20, 'x'), 12.0), 12.0);
    EXPECT_DOUBLE_EQ(ImplicitEndTime(10.0, 0.0, std::string(20, 'x'), 100.0), 13.2);
    // An end not after the start counts as missing.
    EXPECT_DOUBLE_EQ(ImplicitEndTime(10.0, 9.0, "", 100.0), 12.0);
    EXPECT_DOUBLE_EQ(ImplicitEndTime(10.0, 15.0, "", 14.0), 14.0);
    EXPECT_DOUBLE_EQ(ImplicitEndTime(10.0, 15.0, "", 15.0), 15.0);
    // Characters, not bytes: "łódź" is four characters.
    EXPECT_DOUBLE_EQ(ImplicitEndTime(0.5, 0.0, "łódź", 100.0), 0.5 + 2.0 + 4 * 0.06);
}

TEST(FormatSize, UnitsAndTruncatedDecimal) {
    EXPECT_EQ(FormatSize(0), "0 B");
    EXPECT_EQ(FormatSize(1023), "1023 B");
    EXPECT_EQ(FormatSize(1024), "1.0 kB");
    EXPECT_EQ(FormatSize(1536), "1.5 kB");
    EXPECT_EQ(FormatSize(2047), "1.9 kB");
    EXPECT_EQ(FormatSize(1048575), "1023.9 kB");
    EXPECT_EQ(FormatSize(1048576), "1.0 MB");
    EXPECT_EQ(FormatSize(3ULL << 30), "3.0 GB");
    EXPECT_EQ(FormatSize(5ULL << 40), "5.0 TB");
    EXPECT_EQ(FormatSize(2048ULL << 40), "2048.0 TB");
    // The chooser's variant stops at Mb.
    EXPECT_EQ(ChooserSizeText(1023), "1023 b");
    EXPECT_EQ(ChooserSizeText(1048575), "1023.9 kb");
    EXPECT_EQ(ChooserSizeText(6 * 1048576 - 1), "5.9 Mb");
    EXPECT_EQ(ChooserSizeText(5000ull * 1048576), "5000.0 Mb");
}
