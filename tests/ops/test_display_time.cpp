#include <gtest/gtest.h>

#include "ops/display_time.h"
#include "ops/repair.h"
#include "support/engine_doc.h"

using namespace kravelo;
using kravelo::test::Doc;
using Lines = std::vector<std::string>;

namespace {

const std::string k25 = "abcdefghijklmnopqrstuvwxy";  // 25 characters

// Display-time options named by letters: f fixed (not by length), u only unset ends, n no block end.
DisplayTimeOptions Options(double seconds, std::string_view flags = "") {
    DisplayTimeOptions o;
    o.seconds = seconds;
    o.byLength = flags.find('f') == flags.npos;
    o.overwrite = flags.find('u') == flags.npos;
    o.blockEnd = flags.find('n') == flags.npos;
    return o;
}

}  // namespace

TEST(SetDisplayTimes, EndsFromTheStartAndTheLength) {
    const struct {
        Lines lines;
        DisplayTimeOptions options;
        long first, last;
        Lines expected;
    } cases[] = {
        {{"[100][]" + k25}, Options(2.0), 0, 1, {"[100][130]" + k25}},  // 10 + 2 + 2 x 25 x 0.02 = 13 s
        {{"[100][]" + k25}, Options(2.0, "f"), 0, 1, {"[100][120]" + k25}},  // 10 + 2 = 12 s
        // Characters, not bytes: four Polish letters are 4, so 0 + 2 + 2.5 x 4 x 0.02 = 2.2 s.
        {{"{0}{}Żółć"}, Options(2.5), 0, 1, {"{0}{55}Żółć"}},
        // Only unset ends: a line with an end keeps it; one starting below 0 is left without (its
        // start written again: -50 + 0.5 cut toward zero).
        {{"{100}{150}Tak", "{100}{}Tak", "{-50}{}Tak", "{2000}{}Ostatni"}, Options(2.0, "un"), 0, 3,
         {"{100}{150}Tak", "{100}{153}Tak", "{-49}{}Tak", "{2000}{}Ostatni"}},
        // The block end: a computed 13 s against a next start at 12 s is cut one frame, a tenth or a
        // hundredth before it, by the format of the line that is cut; the last subtitle is never cut.
        {{"{250}{}" + k25, "{300}{400}B"}, Options(2.0), 0, 2, {"{250}{299}" + k25, "{300}{351}B"}},
        {{"[100][]" + k25, "[120][150]B"}, Options(2.0), 0, 1, {"[100][119]" + k25, "[120][150]B"}},
        // The next subtitle in another format, past lines that carry none and outside the range, cuts.
        {{"{250}{}" + k25, "", "śmieci", "{0}{25}", "00:00:12:B"}, Options(2.0), 0, 1,
         {"{250}{299}" + k25, "", "śmieci", "{0}{25}", "00:00:12:B"}},
        // A next start exactly at the computed end cuts it too.
        {{"{250}{}A", "{300}{}B"}, Options(2.0, "f"), 0, 1, {"{250}{299}A", "{300}{}B"}},
        // The block end also cuts ends that were not recomputed.
        {{"{100}{400}A", "{300}{}B"}, Options(2.0, "u"), 0, 1, {"{100}{299}A", "{300}{}B"}},
        // A line left without an end has nothing to cut, even when the next starts before 0.
        {{"{-50}{}A", "{-25}{}B"}, Options(2.0, "u"), 0, 1, {"{-49}{}A", "{-25}{}B"}},
        // A computed end is not cut at or below the line's own start.
        {{"[0][]a", "[0][5]b"}, Options(2.0, "fu"), 0, 2, {"[0][20]a", "[0][5]b"}},
    };
    for (const auto& c : cases) {
        SubtitleDocument d = Doc(c.lines);
        SetDisplayTimes(d, c.options, c.first, c.last);
        EXPECT_EQ(d.lines, c.expected);
    }
    // An SSA event's cut, a hundredth before, is checked in BlockEndCut.
}

TEST(SetDisplayTimes, BlankEnds) {
    SubtitleDocument d = Doc({"{100}{150}A", "[1][2]x", "00:00:01:y", "zły wiersz"});
    DisplayTimeOptions o;
    o.emptyEnds = true;
    o.seconds = 0.0;  // ignored, like every other option
    SetDisplayTimes(d, o, 0, 4);
    EXPECT_EQ(d.lines, (Lines{"{100}{}A", "[1][]x", "00:00:01:y", "zły wiersz"}));

    SubtitleDocument s = test::SsaDoc({test::Ssa("0:00:01.00", "0:00:02.00", "A")});
    SetDisplayTimes(s, o, 0, 11);
    EXPECT_EQ(s.lines[10], test::Ssa("0:00:01.00", "0:00:00.00", "A"));
}

// The block-end cut over lines out of order: never below the line's own start, never an empty end.
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

    SubtitleDocument timed = Doc(lines);
    SetDisplayTimes(timed, Options(2.5, "u"), 0, 4);
    check(timed);

    SubtitleDocument ssa = test::SsaDoc({test::Ssa("0:00:00.00", "0:00:02.00", "a"), test::Ssa("0:00:00.00", "0:00:01.00", "b"),
                                         test::Ssa("0:00:05.00", "0:00:09.00", "c"), test::Ssa("0:00:07.00", "0:00:08.00", "d")});
    last = static_cast<long>(ssa.lines.size());
    RepairSubtitles(ssa, RepairOptions{}, 0, last);
    EXPECT_EQ(ssa.lines[10], test::Ssa("0:00:00.00", "0:00:02.00", "a"));
    EXPECT_EQ(ssa.lines[12], test::Ssa("0:00:05.00", "0:00:06.99", "c"));  // a real cut still happens
}
