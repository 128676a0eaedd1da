#include <gtest/gtest.h>

#include <random>

#include "core/format_size.h"
#include "core/subtitle_line.h"
#include "core/time_model.h"

using namespace kravelo;

TEST(LineFormats, ReadingEveryFormat) {
    const struct {
        const char* line;
        double fps;
        int format;
        double start, end;
        const char* text;
    } cases[] = {
        {"{100}{250}Ala ma kota", 25, kFormatFrame, 4.0, 10.0, "Ala ma kota"},
        {"{100}{}Tekst", 25, kFormatFrame, 4.0, 0.0, "Tekst"},  // an empty end reads as 0
        // Nothing between the braces is examined: non-numbers read as 0; braces in the text are text.
        {"{abc}{}", 25, kFormatFrame, 0.0, 0.0, ""},
        {"{12}{", 25, kFormatFrame, 0.48, 0.0, ""},
        {"{1}{2}{3}[4] 00:00:01:x", 25, kFormatFrame, 0.04, 0.08, "{3}[4] 00:00:01:x"},
        {"", 25, kFormatFrame, 0.0, 0.0, ""},  // an empty line is an empty frame line
        {"[12][34]Tekst", 0, kFormatDecisecond, 1.2, 3.4, "Tekst"},
        {"[ 7][-3]x", 0, kFormatDecisecond, 0.7, -0.3, "x"},
        {"0:01:02:Tekst", 0, kFormatTimeShort, 62.0, 0.0, "Tekst"},
        {"01:02:03 Tekst", 0, kFormatTime, 3723.0, 0.0, "Tekst"},
        {"01:02:03:a:b c", 0, kFormatTime, 3723.0, 0.0, "a:b c"},
        {"1:2:3", 0, kFormatTimeShort, 3723.0, 0.0, ""},
        {"0:99:99:x", 0, kFormatTimeShort, 99 * 60 + 99, 0.0, "x"},
    };
    for (const auto& c : cases) {
        SubtitleLine s;
        ASSERT_EQ(ParseLine(c.line, c.fps, s), 1) << c.line;
        EXPECT_EQ(s.format, c.format) << c.line;
        EXPECT_DOUBLE_EQ(s.start, c.start) << c.line;
        EXPECT_DOUBLE_EQ(s.end, c.end) << c.line;
        EXPECT_EQ(s.text, c.text) << c.line;
    }
    for (const char* line : {"{12}", "{", "[", "{}", "[]", "{12}x{3}", "{12", "[1][2", "x{1}{2}", "12:30", "1:2",
                             "a:00:01:x", "00:0x:01:x", "00:00:-5:x", "00:00::x", "00:00: 1:x",
                             "Dialogue: Marked=0,0:00:01.00,0:00:02.00,NORMAL,00,0000,0000,0000,,x"})
        EXPECT_FALSE(IsLineValid(line)) << line;
    EXPECT_TRUE(IsLineValid(""));
    EXPECT_TRUE(IsLineValid("[1]["));
}

TEST(LineFormats, WritingEveryFormat) {
    const struct {
        int format;
        double fps, start, end;
        const char* text;
        const char* line;
    } cases[] = {
        {kFormatFrame, 25, 4.0, 10.0, "Ala ma kota", "{100}{250}Ala ma kota"},
        {kFormatFrame, 25, 1.0, 0.01, "x", "{25}{}x"},  // an end that rounds to frame 0 is empty
        {kFormatFrame, 1, 1234, 5678, "t", "{1234}{5678}t"},  // rate 1 passes frame numbers through
        {kFormatDecisecond, 0, 1.26, 3.4, "Tekst", "[13][34]Tekst"},
        {kFormatDecisecond, 0, 1.2, 0.0, "Tekst", "[12][]Tekst"},
        // Seconds are truncated, exact hours stay exact.
        {kFormatTime, 0, 59.99, 0.0, "x", "00:00:59:x"},
        {kFormatTime, 0, 3600.0, 0.0, "x", "01:00:00:x"},
        {kFormatTimeShort, 0, 3725.9, 9.0, "x", "1:02:05:x"},
        {kFormatTime, 0, 360000.0, 0.0, "", "100:00:00:"},
        // A negative time is written as the arithmetic gives it (and no longer reads as a time).
        {kFormatTime, 0, -5.0, 0.0, "x", "00:00:-5:x"},
    };
    for (const auto& c : cases) EXPECT_EQ(putline(c.format, c.fps, c.start, c.end, c.text), c.line);
}

TEST(LineFormats, UnknownFormatsAreRefusedAndLongLinesKeptWhole) {
    std::string out = "unchanged";
    EXPECT_EQ(putline(99, 25.0, 1.0, 2.0, "x", out), -1);
    EXPECT_EQ(out, "unchanged");

    const std::string text(5000, 'a');
    SubtitleLine s;
    ASSERT_EQ(ParseLine("{1}{2}" + text, 25.0, s), 1);
    EXPECT_EQ(putline(kFormatFrame, 25.0, s.start, s.end, s.text), "{1}{2}" + text);
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
            // (That a line written again from what it holds is the same line is a fuzz
            // property over the seed corpus.)
        }
    }
}

TEST(TimeModel, SplitTimeAndFrameRounding) {
    auto split = [](double t) {
        SplitTimeParts p = SplitTime(t);
        return std::vector<int>{p.hours, p.minutes, p.seconds, p.hundredths};
    };
    EXPECT_EQ(split(7199.999), (std::vector<int>{1, 59, 59, 99}));
    // The double 0.29 is just below, yet a whole hundredth.
    EXPECT_EQ(split(0.29), (std::vector<int>{0, 0, 0, 29}));

    EXPECT_EQ(TimeToFrame(41.708, 25.0), 1043);
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
    EXPECT_EQ(s.text, kEndOfSubtitlesText);

    std::vector<std::string> none;
    index = 0;
    EXPECT_FALSE(NextSubtitle(none, 25.0, index, s));
    EXPECT_EQ(index, 0u);
}

TEST(ImplicitEnd, MissingEndsAndTheNextStart) {
    // 2 s plus 0.06 s per character, cut at the next start.
    EXPECT_DOUBLE_EQ(ImplicitEndTime(10.0, 0.0, std::string(20, 'x'), 100.0), 13.2);
    // An end not after the start counts as missing.
    EXPECT_DOUBLE_EQ(ImplicitEndTime(10.0, 9.0, "", 100.0), 12.0);
    EXPECT_DOUBLE_EQ(ImplicitEndTime(10.0, 15.0, "", 14.0), 14.0);
    EXPECT_DOUBLE_EQ(ImplicitEndTime(10.0, 15.0, "", 100.0), 15.0);
    // Characters, not bytes: "łódź" is four characters.
    EXPECT_DOUBLE_EQ(ImplicitEndTime(0.5, 0.0, "łódź", 100.0), 0.5 + 2.0 + 4 * 0.06);
}

TEST(FormatSize, UnitsAndTruncatedDecimal) {
    using Sizes = std::initializer_list<std::pair<unsigned long long, const char*>>;
    for (auto [bytes, text] : Sizes{{0, "0 B"}, {1023, "1023 B"}, {1024, "1.0 kB"}, {1536, "1.5 kB"}, {2047, "1.9 kB"},
                                    {1048575, "1023.9 kB"}, {1048576, "1.0 MB"}, {3ULL << 30, "3.0 GB"},
                                    {5ULL << 40, "5.0 TB"}, {2048ULL << 40, "2048.0 TB"}})
        EXPECT_EQ(FormatSize(bytes), text) << bytes;
    // The chooser's variant stops at Mb.
    for (auto [bytes, text] : Sizes{{1023, "1023 b"}, {1048575, "1023.9 kb"}, {6 * 1048576 - 1, "5.9 Mb"},
                                    {5000ULL * 1048576, "5000.0 Mb"}})
        EXPECT_EQ(ChooserSizeText(bytes), text) << bytes;
}
