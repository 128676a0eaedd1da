#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "support/engine_doc.h"
#include "ops/merge.h"

using namespace kravelo;
using kravelo::test::Doc;

namespace {

using Lines = std::vector<std::string>;

MergeOptions Options(double per50, long maxLength = 80, bool asRows = false) {
    MergeOptions o;
    o.per50 = per50;
    o.maxLength = maxLength;
    o.asRows = asRows;
    return o;
}

}  // namespace

TEST(MergeShortSubtitles, ShortSubtitlesJoinANeighbour) {
    const std::string a41(41, 'a'), b41(41, 'b');
    std::string z40;  // 40 characters in 80 bytes
    while (z40.size() < 80) z40 += "ż";
    const Lines chain = {"{100}{105}Aa", "{110}{115}Bb", "{120}{125}Cc", "{130}{135}Dddddddddd", "{500}{600}Ee"};
    const struct {
        Lines lines;
        MergeOptions options;
        Lines expected;
    } cases[] = {
        // 0.8 s is not less than 2.0 x 3 x 0.02 = 0.12 s; with 20 s per 50 characters it is, and
        // the first joins the next (6.0 - 4.0 < 4.0).
        {{"{100}{120}Tak", "{125}{150}Nie wiem", "{400}{500}Dobrze"}, Options(2.0),
         {"{100}{120}Tak", "{125}{150}Nie wiem", "{400}{500}Dobrze"}},
        {{"{100}{120}Tak", "{125}{150}Nie wiem", "{400}{500}Dobrze"}, Options(20),
         {"{100}{150}Tak|Nie wiem", "{400}{500}Dobrze"}},
        // Backward: the merged line takes the previous subtitle's place in the current line's
        // format; the blank line stays.
        {{"[40][60]Pierwszy", "", "{160}{162}Hej", "{400}{500}Dalej"}, Options(2.0),
         {"{100}{162}Pierwszy|Hej", "", "{400}{500}Dalej"}},
        // Both neighbours qualify: the shorter text wins, a tie goes forward.
        {{"{100}{150}Ab", "{160}{161}Hej", "{170}{200}Cd"}, Options(2.0), {"{100}{150}Ab", "{160}{200}Hej|Cd"}},
        {{"{100}{150}Ab", "{160}{161}Hej", "{170}{200}Cde"}, Options(2.0), {"{100}{161}Ab|Hej", "{170}{200}Cde"}},
        // A chain: Aa absorbs Bb, Cc joins them backward (Dd is longer), Dd too; four rows
        // re-wrapped to three, or every row kept.
        {chain, Options(20), {"{100}{135}Aa Bb|Cc|Dddddddddd", "{500}{600}Ee"}},
        {chain, Options(20, 80, true), {"{100}{135}Aa|Bb|Cc|Dddddddddd", "{500}{600}Ee"}},
        // A missing end is estimated (10 + 2 + 0.18 s) and cut at the next start: shown 0.4 s.
        {{"{250}{}Tak", "{260}{300}Nie"}, Options(20), {"{250}{300}Tak|Nie"}},
        {{"{250}{}Tak", "{600}{700}Nie"}, Options(20), {"{250}{}Tak", "{600}{700}Nie"}},
        // The next subtitle's missing end is estimated as well and becomes the merged end (12.58 s).
        {{"{250}{255}Tak", "{260}{}Nie"}, Options(20), {"{250}{315}Tak|Nie"}},
        // The length limit counts characters: 82 > 80; no limit; 40 Polish letters twice is 80.
        {{"{100}{105}" + a41, "{110}{115}" + b41}, Options(20), {"{100}{105}" + a41, "{110}{115}" + b41}},
        {{"{100}{105}" + a41, "{110}{115}" + b41}, Options(20, 0), {"{100}{115}" + a41 + "|" + b41}},
        {{"{100}{105}" + z40, "{110}{115}" + z40}, Options(20), {"{100}{115}" + z40 + "|" + z40}},
    };
    for (const auto& c : cases) {
        SubtitleDocument d = Doc(c.lines);
        long last = static_cast<long>(c.lines.size());
        MergeShortSubtitles(d, c.options, 0, last);
        EXPECT_EQ(d.lines, c.expected);
        EXPECT_EQ(last, static_cast<long>(c.expected.size()));
    }
}

TEST(MergeShortSubtitles, ReWrapShares) {
    // The join and the left part's break stay.
    EXPECT_EQ(RewrapMergedText("A|B|C|D", 3, 3), "A|B|C D");
    // The longer left part keeps the break nearest to its middle.
    EXPECT_EQ(RewrapMergedText("aaaa|bbbb|cccc|dd", 14, 3), "aaaa bbbb|cccc|dd");
    // A left part without breaks gives its share to the right part; two equally near breaks:
    // the first wins.
    EXPECT_EQ(RewrapMergedText("abcdefgh|x|y|z", 8, 3), "abcdefgh|x|y z");
    // A short left part gets no break; the right part keeps the one nearest to its middle.
    EXPECT_EQ(RewrapMergedText("ab|c|d|e|f", 2, 3), "ab|c d|e f");
    // Three breaks kept one after another nearest to n/2, n/3, n/4.
    EXPECT_EQ(RewrapMergedText("a|b|c|d|e|f|g|h", 13, 5), "a|b|c|d e f g|h");
    // Positions are characters, not bytes.
    EXPECT_EQ(RewrapMergedText("abcdefgh|żżż|żżżżż|x", 26, 3), "abcdefgh|żżż żżżżż|x");
}

TEST(MergeShortSubtitles, RangeEdges) {
    // The first line of the range never merges backward.
    const Lines lines = {"{100}{150}Poprzedni", "{160}{161}Hej", "{600}{700}Daleko"};
    SubtitleDocument d = Doc(lines);
    long last = 3;
    EXPECT_EQ(MergeShortSubtitles(d, MergeOptions{}, 1, last).merges, 0);
    EXPECT_EQ(d.lines, lines);

    // The last line of the range may absorb the subtitle after the range; the range keeps its
    // lines. Unreadable lines in between are passed over and stay.
    SubtitleDocument e = Doc({"{25}{50}Zero", "{100}{105}Aa", "śmieci", "{110}{115}Bb", "{500}{600}Cc"});
    last = 2;
    EXPECT_EQ(MergeShortSubtitles(e, Options(20), 1, last).merges, 1);
    EXPECT_EQ(e.lines, (Lines{"{25}{50}Zero", "{100}{115}Aa|Bb", "śmieci", "{500}{600}Cc"}));
    EXPECT_EQ(last, 2);
}

TEST(MergeShortSubtitles, ReWrapKeepsTheJoinAndExactlyTheAllowedBreaks) {
    // Random texts: the re-wrap only turns "|" into spaces, keeps the join, and leaves exactly
    // maxRows - 1 breaks whenever there were more.
    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    const char* pieces[] = {"a", "b", "|", "ż", " ", "|", "ęą"};
    for (int round = 0; round < 2000; ++round) {
        auto part = [&] {
            std::string s;
            for (std::uint32_t n = next(12); n > 0; --n) s += pieces[next(7)];
            return s;
        };
        const std::string left = part(), right = part(), text = left + "|" + right;
        const long maxRows = 2 + static_cast<long>(next(4));
        const long breaks = static_cast<long>(std::count(text.begin(), text.end(), '|'));
        if (breaks <= maxRows - 1) continue;
        const std::string out = RewrapMergedText(text, left.size(), maxRows);
        ASSERT_EQ(out.size(), text.size()) << text;
        EXPECT_EQ(out[left.size()], '|') << text;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (out[i] != text[i]) {
                EXPECT_TRUE(text[i] == '|' && out[i] == ' ') << text;
            }
        EXPECT_EQ(std::count(out.begin(), out.end(), '|'), maxRows - 1) << text << " -> " << out;
    }
}
