// The block-end cut over lines out of order: never below the line's own start, never an empty end.

#include <gtest/gtest.h>

#include "ops/display_time.h"
#include "ops/repair.h"
#include "support/engine_doc.h"

using namespace kravelo;
using kravelo::test::Doc;

TEST(BlockEndCut, NeverBelowTheLinesOwnStart) {
    // A later subtitle starting at 0: the cut would write 0:00:00.-1 or blank a frame end.
    const std::vector<std::string> lines = {"[0][20]a", "{0}{50}b", "{1}{50}c", "{0}{10}d"};
    auto check = [](const SubtitleDocument& d) {
        EXPECT_EQ(d.lines[0], "[0][20]a");  // the next (frame 0) starts at its own start: kept
        EXPECT_EQ(d.lines[1], "{0}{50}b");  // next at frame 1: a cut to frame 0 would blank it
        EXPECT_EQ(d.lines[2], "{1}{50}c");  // next starts earlier: kept
    };
    SubtitleDocument repaired = Doc(lines);
    long last = 4;
    RepairSubtitles(repaired, RepairOptions{}, 0, last);
    check(repaired);

    DisplayTimeOptions keepEnds;
    keepEnds.overwrite = false;
    SubtitleDocument timed = Doc(lines);
    SetDisplayTimes(timed, keepEnds, 0, 4);
    check(timed);

    SubtitleDocument ssa = test::SsaDoc({test::Ssa("0:00:00.00", "0:00:02.00", "a"), test::Ssa("0:00:00.00", "0:00:01.00", "b"),
                                         test::Ssa("0:00:05.00", "0:00:09.00", "c"), test::Ssa("0:00:07.00", "0:00:08.00", "d")});
    last = static_cast<long>(ssa.lines.size());
    RepairSubtitles(ssa, RepairOptions{}, 0, last);
    EXPECT_EQ(ssa.lines[10], test::Ssa("0:00:00.00", "0:00:02.00", "a"));
    EXPECT_EQ(ssa.lines[12], test::Ssa("0:00:05.00", "0:00:06.99", "c"));  // a real cut still happens
}

TEST(BlockEndCut, AnEmptyEndStaysEmpty) {
    SubtitleDocument d = Doc({"{100}{}a", "{50}{60}b"});
    long last = 2;
    RepairSubtitles(d, RepairOptions{}, 0, last);
    EXPECT_EQ(d.lines[0], "{100}{}a");
    DisplayTimeOptions keepEnds;
    keepEnds.overwrite = false;
    keepEnds.byLength = false;
    keepEnds.seconds = 2.0;
    d = Doc({"[0][]a", "[0][5]b"});
    SetDisplayTimes(d, keepEnds, 0, 2);
    EXPECT_EQ(d.lines[0], "[0][20]a");  // a missing end is given one; the next start is not after it
}
