#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "support/engine_doc.h"
#include "ops/repair.h"

using namespace kravelo;
using kravelo::test::Doc;

namespace {

using Lines = std::vector<std::string>;

// The rules named by letters: punctuation, dash, spaces (double), row ends, g (digits), braces,
// empty lines, k (block end); "*" is every text rule.
RepairOptions Rules(std::string_view which) {
    RepairOptions o;
    const bool all = which == "*";
    auto on = [&](char letter) { return all || which.find(letter) != which.npos; };
    o.punctuation = on('p'), o.dash = on('d'), o.doubleSpaces = on('s'), o.rowEndSpaces = on('r');
    o.digitSpaces = on('g'), o.braceCodes = on('b');
    o.emptyLines = which.find('e') != which.npos, o.blockEnd = which.find('k') != which.npos;
    return o;
}

}  // namespace

TEST(RepairText, EachRuleAndTheirOrder) {
    const struct {
        const char* rules;
        const char* text;
        const char* expected;
    } cases[] = {
        {"p", "Ala ,ma kota .Tak", "Ala, ma kota. Tak"},
        {"p", "Czekaj...Co", "Czekaj... Co"},  // a space only after the last mark of a run
        {"p", "Tak ,tak.|Nie !", "Tak, tak.|Nie!"},
        // Decimal numbers and clock times keep their form; other marks between digits get a space.
        {"p", "3.14 i 10:15", "3.14 i 10:15"},
        {"p", "koniec.3", "koniec. 3"},
        {"p", "1,5", "1, 5"},
        {"p", "Uwaga :  żółw", "Uwaga: żółw"},
        {"d", "- Tak|-Nie", "- Tak|- Nie"},
        {"d", "-   Tak| -  Nie", "- Tak|- Nie"},
        {"d", "--Tak", "--Tak"},
        {"d", "Tak|-", "Tak|-"},
        {"d", "-|x", "-|x"},
        {"d", "A -b", "A -b"},  // not at a row's start
        {"s", "  Ala  ma   kota ", "Ala ma kota "},
        {"r", " Tak  |  Nie  ", " Tak|Nie"},
        {"g", "1 000 000 zł", "1000000 zł"},
        {"g", "1  000", "1  000"},  // a run of two spaces is not touched
        {"g", " 1 a 2", " 1 a 2"},
        {"b", "{y:i}{c:red}Tak {b}x", "Tak x"},
        {"b", "{a{b}c}", "c}"},
        {"b", "a}{b", "a}{b"},  // an unclosed "{" stays
        // Double spaces go before the digit rule, so the run of two becomes one and then goes.
        {"*", "1  000", "1000"},
        // Codes go last: the space after a leading code is no longer at the start when the space
        // rules run, and stays.
        {"*", "{c:red} Tak", " Tak"},
        // The punctuation rule spaces a mark before the dash rule looks at row starts.
        {"*", "Uwaga:-Tak|  -Nie ,dobrze", "Uwaga: -Tak|- Nie, dobrze"},
        // The punctuation rule leaves no space before "|" and the row-end rule takes the rest.
        {"*", "Tak . |  Nie  !  ", "Tak.|Nie!"},
    };
    for (const auto& c : cases) EXPECT_EQ(RepairText(c.text, Rules(c.rules)), c.expected) << c.rules << ": " << c.text;
}

TEST(RepairSubtitles, EmptyLinesGoOnlyWithTheirBox) {
    const Lines lines = {"{100}{150}Tak", "", "{100}{150}", "{100}{150}  ", "{100}{150}  Nie ,tak",
                         "śmieci  ,x", "{ 100}{150}Raz", "[1][2]x"};
    SubtitleDocument d = Doc(lines);
    long last = 8;
    RepairSubtitles(d, Rules(""), 0, last);
    // Nothing but the times written again in their format.
    EXPECT_EQ(d.lines, (Lines{"{100}{150}Tak", "", "{100}{150}", "{100}{150}  ", "{100}{150}  Nie ,tak",
                              "śmieci  ,x", "{100}{150}Raz", "[1][2]x"}));
    RepairSubtitles(d, Rules("e"), 0, last);
    EXPECT_EQ(last, 5);
    EXPECT_EQ(d.lines,
              (Lines{"{100}{150}Tak", "{100}{150}Nie ,tak", "śmieci  ,x", "{100}{150}Raz", "[1][2]x"}));
}

// The cut itself, in each format, is the display-time tests' (the same cut); repair reads the
// next subtitle past blank lines and past the range, from the lines not yet repaired.
TEST(RepairSubtitles, BlockEndReadsTheNextSubtitlePastTheRange) {
    SubtitleDocument d = Doc({"[10][30]A", "", "[25][40]B"});
    long last = 1;
    RepairSubtitles(d, Rules("k"), 0, last);
    EXPECT_EQ(d.lines, (Lines{"[10][24]A", "", "[25][40]B"}));
}

TEST(RepairSubtitles, DefaultsOverARangeAndTheSsaHeader) {
    SubtitleDocument d = Doc({"{1}{2}  przed ,zakresem", "{100}{300}Tak ,tak.|Nie !", "", "-Co?|-Nic  .",
                              "{250}{400}  ", "{260}{400}B", "{1000}{1100}  po ,zakresie"});
    long last = 6;
    RepairSubtitles(d, RepairOptions{}, 1, last);
    EXPECT_EQ(last, 4);
    // Line 1's next subtitle is the spaces-only line (10 s), read before that line is removed.
    EXPECT_EQ(d.lines, (Lines{"{1}{2}  przed ,zakresem", "{100}{249}Tak, tak.|Nie!", "-Co?|-Nic  .",
                              "{260}{400}B", "{1000}{1100}  po ,zakresie"}));

    // The header's blank lines stay; an empty event goes.
    SubtitleDocument s = test::SsaDoc(
        {test::Ssa("0:00:01.00", "0:00:02.00", "  "), test::Ssa("0:00:03.00", "0:00:04.00", "a ,b")});
    last = static_cast<long>(s.lines.size());
    RepairSubtitles(s, RepairOptions{}, 0, last);
    ASSERT_EQ(s.lines.size(), 11u);
    EXPECT_EQ(last, 11);
    EXPECT_EQ(s.lines[10], test::Ssa("0:00:03.00", "0:00:04.00", "a, b"));
}

TEST(RepairText, RandomTextsEndWithoutSurplusSpaces) {
    // Whatever the punctuation and dash rules insert, the space rules that follow leave no
    // leading, trailing or double space and none beside a "|" (brace removal, which runs last,
    // is off here).
    std::uint32_t seed = 4242;
    auto next = [&seed](std::uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    const char* pieces[] = {"a", "1", " ", "  ", ".", ",", "!", ":", "-", "|", "ż", "{x}", "?"};
    RepairOptions o;
    o.digitSpaces = true;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (std::uint32_t n = next(16); n > 0; --n) text += pieces[next(13)];
        const std::string out = RepairText(text, o);
        EXPECT_EQ(out.find("  "), std::string::npos) << text << " -> " << out;
        EXPECT_EQ(out.find(" |"), std::string::npos) << text << " -> " << out;
        EXPECT_EQ(out.find("| "), std::string::npos) << text << " -> " << out;
        if (!out.empty()) {
            EXPECT_NE(out.front(), ' ') << text;
            EXPECT_NE(out.back(), ' ') << text;
        }
    }
}
