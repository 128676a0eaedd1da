#include <gtest/gtest.h>

#include "ops/display_time.h"
#include "support/engine_doc.h"

using namespace kravelo;
using kravelo::test::Doc;

namespace {

const std::string k25 = "abcdefghijklmnopqrstuvwxy";  // 25 characters

DisplayTimeOptions Options(double seconds, bool byLength = true, bool overwrite = true,
                           bool blockEnd = true) {
    DisplayTimeOptions o;
    o.seconds = seconds;
    o.byLength = byLength;
    o.overwrite = overwrite;
    o.blockEnd = blockEnd;
    return o;
}

double EndOf(const SubtitleDocument& d, std::size_t i) {
    SubtitleLine s;
    EXPECT_EQ(ParseLine(d.lines[i], d.frameRate, s, d.ssa), 1);
    return s.end;
}

}  // namespace

TEST(SetDisplayTimes, ByLengthOrFixed) {
    SubtitleDocument d = Doc({"[100][]" + k25, "[300][]" + k25, "{0}{}Żółć"});
    SetDisplayTimes(d, Options(2.0), 0, 2);
    EXPECT_EQ(d.lines[0], "[100][130]" + k25);  // 10 + 2 + 2 x 25 x 0.02 = 13 s
    SetDisplayTimes(d, Options(2.0, false), 0, 2);
    EXPECT_EQ(d.lines[0], "[100][120]" + k25);  // 10 + 2 = 12 s
    // Characters, not bytes: four Polish letters are 4, so 0 + 2 + 2.5 x 4 x 0.02 = 2.2 s.
    SetDisplayTimes(d, Options(2.5), 2, 3);
    EXPECT_EQ(d.lines[2], "{0}{55}Żółć");
}

TEST(SetDisplayTimes, OnlyUnsetEnds) {
    SubtitleDocument d = Doc({"{100}{150}Tak", "{100}{}Tak", "{-50}{}Tak", "{2000}{}Ostatni"});
    SetDisplayTimes(d, Options(2.0, true, false, false), 0, 3);
    EXPECT_EQ(d.lines[0], "{100}{150}Tak");  // has an end: kept
    EXPECT_EQ(d.lines[1], "{100}{153}Tak");  // 4 + 2 + 0.12 s
    EXPECT_EQ(EndOf(d, 2), 0.0);             // starts below 0: left without an end
}

TEST(SetDisplayTimes, BlockEndInEveryFormat) {
    // A computed end of 13 s against a next subtitle at 12 s: one frame, a tenth or a hundredth
    // before it, by the format of the line that is cut.
    SubtitleDocument frame = Doc({"{250}{}" + k25, "{300}{400}B"});
    SetDisplayTimes(frame, Options(2.0), 0, 2);
    EXPECT_EQ(frame.lines[0], "{250}{299}" + k25);  // 11.96 s
    EXPECT_EQ(frame.lines[1], "{300}{351}B");       // 14.04 s: the last subtitle is never cut

    SubtitleDocument deci = Doc({"[100][]" + k25, "[120][150]B"});
    SetDisplayTimes(deci, Options(2.0), 0, 1);
    EXPECT_EQ(deci.lines[0], "[100][119]" + k25);

    SubtitleDocument ssa = test::SsaDoc(
        {test::Ssa("0:00:10.00", "0:00:00.00", k25), test::Ssa("0:00:12.00", "0:00:14.00", "B")});
    SetDisplayTimes(ssa, Options(2.0), 10, 11);
    EXPECT_NEAR(EndOf(ssa, 10), 11.99, 0.006);

    // The next subtitle in another format, past blank, unreadable and empty zero lines, and
    // outside the range, still cuts.
    SubtitleDocument mixed = Doc({"{250}{}" + k25, "", "śmieci", "{0}{25}", "00:00:12:B"});
    SetDisplayTimes(mixed, Options(2.0), 0, 1);
    EXPECT_EQ(mixed.lines[0], "{250}{299}" + k25);
}

TEST(SetDisplayTimes, BlockEndEdges) {
    // A next start exactly at the computed end cuts it too.
    SubtitleDocument d = Doc({"{250}{}A", "{300}{}B"});
    SetDisplayTimes(d, Options(2.0, false), 0, 1);
    EXPECT_EQ(d.lines[0], "{250}{299}A");

    // Block end also applies to ends that were not recomputed.
    SubtitleDocument keep = Doc({"{100}{400}A", "{300}{}B"});
    SetDisplayTimes(keep, Options(2.0, true, false), 0, 1);
    EXPECT_EQ(keep.lines[0], "{100}{299}A");

    // A line left without an end has nothing to cut, even when the next starts before 0.
    SubtitleDocument none = Doc({"{-50}{}A", "{-25}{}B"});
    SetDisplayTimes(none, Options(2.0, true, false), 0, 1);
    EXPECT_EQ(EndOf(none, 0), 0.0);
}

TEST(SetDisplayTimes, BlankEnds) {
    SubtitleDocument d = Doc({"{100}{150}A", "[1][2]x", "00:00:01:y", "zły wiersz"});
    DisplayTimeOptions o;
    o.emptyEnds = true;
    o.seconds = 0.0;  // ignored, like every other option
    SetDisplayTimes(d, o, 0, 4);
    EXPECT_EQ(d.lines, (std::vector<std::string>{"{100}{}A", "[1][]x", "00:00:01:y", "zły wiersz"}));

    SubtitleDocument s = test::SsaDoc({test::Ssa("0:00:01.00", "0:00:02.00", "A")});
    SetDisplayTimes(s, o, 0, 11);
    EXPECT_EQ(s.lines[10], test::Ssa("0:00:01.00", "0:00:00.00", "A"));
}
