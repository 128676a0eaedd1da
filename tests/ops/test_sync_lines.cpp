#include <gtest/gtest.h>

#include "ops/sync_lines.h"
#include "support/engine_doc.h"

using namespace kravelo;
using kravelo::test::Doc;

TEST(SyncLines, CaptionsThatNameASoundAreCues) {
    const struct {
        const char* text;
        bool cue;
    } cases[] = {
        {"[MUSIC]", true},
        {"(śmiech)", true},
        {"\u266A la la la \u266A", true},
        {"# la la #", true},
        {"/[drzwi]", true},                  // italic
        {"{y:i}(szept)|[muzyka]", true},     // a code, two parts
        {"[muzyka]||", true},
        {"Ala ma kota", false},
        {"[MUSIC]|Ala ma kota", false},      // a part with speech
        {"(a) b", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsCueText(c.text), c.cue) << c.text;
}

TEST(SyncLines, ReadableLinesOfTheRangeWithRealEnds) {
    const SubtitleDocument doc = Doc({
        "{25}{50}Pierwszy",     // 0: 1 s .. 2 s
        "",                     // empty
        "nie napis",            // unreadable
        "{100}{}B",             // 3: no end: 2 s + 0.06 s, cut at the next start in time (5 s)
        "{75}{90}[MUSIC]",      // 4: out of order, a cue
        "{125}{150}Dalej",      // 5
        "{0}{0}",               // an empty frame line carries nothing
        "{200}{250}Poza",       // 7: outside the range
    });
    const std::vector<SyncLine> lines = SyncLinesOf(doc, 0, 7);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].line, 0);
    EXPECT_DOUBLE_EQ(lines[0].end, 2.0);
    EXPECT_FALSE(lines[0].cue);
    EXPECT_EQ(lines[1].line, 3);
    EXPECT_DOUBLE_EQ(lines[1].start, 4.0);
    EXPECT_DOUBLE_EQ(lines[1].end, 5.0);
    EXPECT_EQ(lines[2].line, 4);
    EXPECT_TRUE(lines[2].cue);
    EXPECT_DOUBLE_EQ(lines[2].end, 3.6);
    EXPECT_EQ(lines[3].line, 5);

    // The last line's implicit end is not cut by a line outside the range.
    const std::vector<SyncLine> tail = SyncLinesOf(doc, 3, 4);
    ASSERT_EQ(tail.size(), 1u);
    EXPECT_DOUBLE_EQ(tail[0].end, 6.06);
    EXPECT_TRUE(SyncLinesOf(doc, 5, 100).size() == 2u);  // a range past the end is cut
}

TEST(SyncLines, UsualFrameRateRatiosByName) {
    EXPECT_EQ(StandardRatioName(1.042709), "25/23.976");  // near enough
    EXPECT_EQ(StandardRatioName(0.95904), "23.976/25");
    EXPECT_EQ(StandardRatioName(1.0), "");
    EXPECT_EQ(StandardRatioName(1.003), "");
}
