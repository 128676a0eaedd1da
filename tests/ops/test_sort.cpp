// Sorting: the stable sort that mends a selection sort that swaps equal starts, and the start-gap
// search behind find-unsorted.

#include <gtest/gtest.h>

#include "support/engine_doc.h"

#include <random>

#include "ops/sort.h"

using namespace kravelo;

using kravelo::test::Doc;
using Lines = std::vector<std::string>;

TEST(SortLines, StableByStartWithLinesWithoutTimesOnTop) {
    const struct {
        Lines lines;
        long first, last;
        Lines expected;
    } cases[] = {
        // The order in general, lines without times first and equal starts as they stand, is
        // compared with a stable sort below. Only the range moves; a range past the end is cut;
        // an empty range does nothing.
        {{"{900}{}z", "{300}{}c", "{100}{}a", "{200}{}b", "{0}{}y"}, 1, 4,
         {"{900}{}z", "{100}{}a", "{200}{}b", "{300}{}c", "{0}{}y"}},
        {{"{2}{}b", "{1}{}a"}, 0, 99, {"{1}{}a", "{2}{}b"}},
        {{"{2}{}b", "{1}{}a"}, 5, 9, {"{2}{}b", "{1}{}a"}},
        // Starts of 99999999 s and more: a selection sort from that minimum never picks them, so
        // they stay as they stand among themselves, after every smaller start.
        {{"{3000000000}{}late2", "{2600000000}{}late1", "{25}{}early"}, 0, 3,
         {"{25}{}early", "{3000000000}{}late2", "{2600000000}{}late1"}},
    };
    for (const auto& c : cases) {
        auto doc = Doc(c.lines);
        SortLines(doc, c.first, c.last);
        EXPECT_EQ(doc.lines, c.expected);
    }

    auto doc = Doc({"[120][130]c", "[57][60]b", "[53][55]a"});
    SortResult r = SortLines(doc, 0, 3);
    EXPECT_EQ(r.moved, 2);
    doc = Doc({"", "junk", "{25}{}a", "{25}{}b", "[20][]c"});
    r = SortLines(doc, 0, 5);
    EXPECT_EQ(r.moved, 0);  // already sorted: left as it is
    EXPECT_EQ(r.order.equal, 1);

    // SSA events are read with their script's columns; the header, without times, stays on top.
    auto ssa = test::SsaDoc({test::Ssa("0:00:09.00", "0:00:10.00", "second"), test::Ssa("0:00:01.00", "0:00:02.00", "first")});
    SortLines(ssa, 0, 12);
    EXPECT_EQ(Lines(ssa.lines.begin() + 10, ssa.lines.end()),
              (Lines{test::Ssa("0:00:01.00", "0:00:02.00", "first"), test::Ssa("0:00:09.00", "0:00:10.00", "second")}));
}

TEST(SortLines, MatchesAStableReferenceOnRandomInput) {
    std::mt19937 rng(7);
    Lines lines;
    for (int i = 0; i < 5000; ++i) {
        int kind = static_cast<int>(rng() % 10);
        int frame = static_cast<int>(rng() % 300);
        if (kind == 0)
            lines.push_back("");
        else if (kind == 1)
            lines.push_back("junk " + std::to_string(i));
        else
            lines.push_back("{" + std::to_string(frame) + "}{}t" + std::to_string(i));
    }
    auto doc = Doc(lines);
    SortLines(doc, 0, static_cast<long>(lines.size()));
    // The reference key: the frame number, lines without one first.
    auto key = [](const std::string& s) { return s.starts_with("{") ? std::stoi(s.substr(1)) : -1; };
    std::stable_sort(lines.begin(), lines.end(), [&](const auto& a, const auto& b) { return key(a) < key(b); });
    EXPECT_EQ(doc.lines, lines);
}

TEST(FindUnsorted, StepsBackAndEqualStartsBelowTheCaret) {
    auto doc = Doc({"{25}{}a", "{50}{}b", "{50}{}c", "{75}{}d"});
    SearchHit hit = FindUnsorted(doc, -1, 4);
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 1);
    EXPECT_EQ(hit.caretLine, 2);  // the caret goes to the next line
    EXPECT_DOUBLE_EQ(hit.time, 2.0);
    EXPECT_DOUBLE_EQ(hit.nextStart, 2.0);

    doc = Doc({"{50}{}a", "{25}{}b", "{75}{}c", "{60}{}d"});
    EXPECT_EQ(FindUnsorted(doc, -1, 4).line, 0);  // from the top
    EXPECT_EQ(FindUnsorted(doc, 0, 4).line, 2);   // the caret's line 0 itself is not examined
    EXPECT_FALSE(FindUnsorted(doc, 2, 4).found);  // the last subtitle has no successor

    // Across lines that carry no subtitle.
    hit = FindUnsorted(Doc({"{75}{}a", "", "junk", "{0}{25}", "{50}{}b"}), -1, 5);
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 0);
    EXPECT_EQ(hit.nextLine, 4);
    EXPECT_EQ(hit.caretLine, 1);

    EXPECT_FALSE(FindUnsorted(Doc({"{25}{}a", "", "{50}{}b", "{75}{}c"}), -1, 4).found);
    EXPECT_FALSE(FindUnsorted(Doc({}), -1, 0).found);

    // The count limits the examined lines, not their successors.
    doc = Doc({"{25}{}a", "{100}{}b", "{30}{}c"});
    EXPECT_FALSE(FindStartGap(doc, 0.0, -1, 1).found);
    hit = FindStartGap(doc, 0.0, -1, 2);
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 1);
    EXPECT_EQ(hit.nextLine, 2);
}
