#include <gtest/gtest.h>

#include <vector>

#include "ops/work_range.h"

using namespace kravelo;

namespace {

// Lines of 5, 3, 0 and 4 characters: line starts 0, 6, 10, 11; end offsets 6, 10, 11, 16.
const std::vector<long> kLengths = {5, 3, 0, 4};

void ExpectRange(long start, long length, long first, long last) {
    LineRange r = GetWorkRange(kLengths, start, length);
    EXPECT_EQ(r.first, first) << "selection " << start << "+" << length;
    EXPECT_EQ(r.last, last) << "selection " << start << "+" << length;
}

}  // namespace

TEST(WorkRange, SelectionToLines) {
    ExpectRange(3, 0, 0, 4);  // nothing selected: every line
    // A selection ending exactly at a line's start (just after the previous break) leaves it out.
    ExpectRange(0, 6, 0, 1);
    ExpectRange(0, 7, 0, 2);
    ExpectRange(6, 4, 1, 2);   // line 1 with its break
    ExpectRange(6, 5, 1, 3);   // and the empty line 2 with its break
    ExpectRange(5, 1, 0, 1);   // only line 0's break
    ExpectRange(9, 1, 1, 2);   // the last character of line 1
    ExpectRange(10, 1, 2, 3);  // the empty line's break
    ExpectRange(12, 2, 3, 4);
    // Past the end: no more than the line count.
    ExpectRange(15, 10, 3, 4);
    ExpectRange(40, 2, 4, 4);
    // A selection made backwards is the same selection.
    ExpectRange(7, -1, 1, 2);
    // No lines at all.
    EXPECT_EQ(GetWorkRange(std::vector<long>{}, 0, 0).last, 0);
    EXPECT_EQ(GetWorkRange(std::vector<long>{}, 0, 3).first, 0);
}

TEST(WorkRange, OffsetsAndRestoredSelection) {
    EXPECT_EQ(LineStartOffset(kLengths, 0), 0);
    EXPECT_EQ(LineStartOffset(kLengths, 2), 10);
    EXPECT_EQ(LineEndOffset(kLengths, 0), 6);
    EXPECT_EQ(LineEndOffset(kLengths, 2), 11);
    // Beyond the line count both are the whole text with every break.
    EXPECT_EQ(LineStartOffset(kLengths, 99), 16);
    EXPECT_EQ(LineEndOffset(kLengths, 99), 16);

    Selection s = SelectionOfRange(kLengths, 1, 3);
    EXPECT_EQ(s.start, 6);
    EXPECT_EQ(s.length, 5);  // lines 1 and 2 with the break after line 2

    // The restored selection gives back the same lines, for every range.
    for (long first = 0; first < 4; ++first)
        for (long last = first + 1; last <= 4; ++last) {
            Selection sel = SelectionOfRange(kLengths, first, last);
            LineRange r = GetWorkRange(kLengths, sel.start, sel.length);
            EXPECT_EQ(r.first, first);
            EXPECT_EQ(r.last, last);
        }
}
