// The timing searches: short subtitles (starts too close) and gaps.

#include <gtest/gtest.h>

#include "support/engine_doc.h"

#include "ops/timing_search.h"

using namespace kravelo;

using kravelo::test::Doc;

TEST(FindShortSubtitle, StartsTooClose) {
    auto doc = Doc({"caret here", "{100}{110}A", "{120}{200}B"});
    SearchHit hit = FindShortSubtitle(doc, 1.0, 0, 3);  // 0.8 s between the starts
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 1);
    EXPECT_EQ(hit.caretLine, 1);
    EXPECT_EQ(hit.nextLine, 2);
    // With the caret on A's own line the search begins below it, and B is the last subtitle.
    EXPECT_FALSE(FindShortSubtitle(doc, 1.0, 1, 3).found);

    // The threshold is inclusive.
    auto second = Doc({"[10][]A", "[20][]B", "", "junk"});
    EXPECT_TRUE(FindShortSubtitle(second, 1.0, -1, 4).found);
    EXPECT_FALSE(FindShortSubtitle(second, 0.99, -1, 4).found);
    // The last subtitle is not measured against the end of the document.
    EXPECT_FALSE(FindShortSubtitle(second, 1e6, 0, 4).found);
}

TEST(FindGapAfterSubtitle, FromTheEndToTheNextStart) {
    auto doc = Doc({"[500][600]A", "[700][750]B", "[800][]C"});
    SearchHit hit = FindGapAfterSubtitle(doc, 10.0, 0, 3);  // ends at 60 s, next at 70 s
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 0);
    EXPECT_EQ(hit.caretLine, 1);  // the caret lands on the following line
    EXPECT_DOUBLE_EQ(hit.time, 60.0);
    EXPECT_DOUBLE_EQ(hit.nextStart, 70.0);
    doc.lines[1] = "[699][750]B";
    EXPECT_FALSE(FindGapAfterSubtitle(doc, 10.0, 0, 3).found);

    // The search starts at the caret's own line; the last subtitle has no next one; the count
    // limits the examined lines.
    doc = Doc({"[10][20]A", "[500][600]B", "[700][]C"});
    EXPECT_EQ(FindGapAfterSubtitle(doc, 10.0, 1, 3).line, 1);
    EXPECT_FALSE(FindGapAfterSubtitle(doc, 10.0, 2, 3).found);
    doc = Doc({"[10][20]A", "[30][40]B", "[900][]C"});
    EXPECT_FALSE(FindGapAfterSubtitle(doc, 10.0, 0, 1).found);
    EXPECT_EQ(FindGapAfterSubtitle(doc, 10.0, 0, 2).line, 1);

    // A missing end is estimated as for display: 10 s + 2 s + 0.06 s x 3 characters = 12.18 s.
    doc = Doc({"00:00:10:Ala", "00:00:20:B"});
    EXPECT_TRUE(FindGapAfterSubtitle(doc, 7.8, 0, 2).found);
    EXPECT_FALSE(FindGapAfterSubtitle(doc, 7.9, 0, 2).found);
    // An end past the next start is cut there.
    EXPECT_FALSE(FindGapAfterSubtitle(Doc({"[10][500]A", "[20][30]B"}), 0.001, 0, 2).found);

    // Lines that carry no subtitle are passed over.
    doc = Doc({"", "junk", "[10][20]A", "", "{0}{25}", "junk", "[400][]B"}, 25.0);
    hit = FindGapAfterSubtitle(doc, 30.0, 0, 7);
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 2);
    EXPECT_EQ(hit.nextLine, 6);
}
