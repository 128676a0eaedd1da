#include <gtest/gtest.h>

#include <vector>

#include "ops/work_range.h"

using namespace kravelo;

namespace {

// Lines of 5, 3, 0 and 4 characters: line starts 0, 6, 10, 11; end offsets 6, 10, 11, 16.
const std::vector<long> kLengths = {5, 3, 0, 4};

}  // namespace

TEST(WorkRange, SelectionToLines) {
    // {selection start, length, first, last}: nothing selected is every line; a selection ending
    // exactly at a line's start leaves it out; line 1 with its break, and the empty line 2 with
    // its; only line 0's break; the last character of line 1; the empty line's break; past the
    // end no more than the line count; a selection made backwards.
    const long cases[][4] = {{3, 0, 0, 4}, {0, 6, 0, 1}, {0, 7, 0, 2},  {6, 4, 1, 2},  {6, 5, 1, 3}, {5, 1, 0, 1},
                             {9, 1, 1, 2}, {10, 1, 2, 3}, {12, 2, 3, 4}, {15, 10, 3, 4}, {40, 2, 4, 4}, {7, -1, 1, 2}};
    for (const auto& c : cases) {
        LineRange r = GetWorkRange(kLengths, c[0], c[1]);
        EXPECT_EQ(std::pair(r.first, r.last), std::pair(c[2], c[3])) << "selection " << c[0] << "+" << c[1];
    }
    // No lines at all.
    EXPECT_EQ(GetWorkRange(std::vector<long>{}, 0, 3).first, 0);
}

TEST(WorkRange, OffsetsAndRestoredSelection) {
    EXPECT_EQ(LineStartOffset(kLengths, 2), 10);
    // Beyond the line count: the whole text with every break.
    EXPECT_EQ(LineStartOffset(kLengths, 99), 16);

    // The end of line 2 is offset 11.
    Selection s = SelectionOfRange(kLengths, 1, 3);
    EXPECT_EQ(s.start, 6);
    EXPECT_EQ(s.length, 5);  // lines 1 and 2 with the break after line 2

    // The restored selection gives back the same lines, for every range.
    for (long first = 0; first < 4; ++first)
        for (long last = first + 1; last <= 4; ++last) {
            Selection sel = SelectionOfRange(kLengths, first, last);
            LineRange r = GetWorkRange(kLengths, sel.start, sel.length);
            EXPECT_EQ(std::pair(r.first, r.last), std::pair(first, last));
        }
}
