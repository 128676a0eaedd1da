#include <gtest/gtest.h>

#include <cstdint>

#include "support/engine_doc.h"
#include "ops/repair.h"

using namespace kravelo;
using kravelo::test::Doc;

namespace {

using Lines = std::vector<std::string>;

RepairOptions Only() {
    RepairOptions o;
    o.blockEnd = o.punctuation = o.dash = o.emptyLines = o.doubleSpaces = o.rowEndSpaces = false;
    return o;
}

std::string Fix(const std::string& text, RepairOptions o = RepairOptions{}) {
    return RepairText(text, o);
}

}  // namespace

TEST(RepairText, Punctuation) {
    RepairOptions p = Only();
    p.punctuation = true;
    EXPECT_EQ(Fix("Ala ,ma kota .Tak", p), "Ala, ma kota. Tak");
    EXPECT_EQ(Fix("Co?!Nie", p), "Co?! Nie");
    EXPECT_EQ(Fix("Czekaj...Co", p), "Czekaj... Co");  // a space only after the last mark of a run
    EXPECT_EQ(Fix("Tak ,tak.|Nie !", p), "Tak, tak.|Nie!");
    // Decimal numbers and clock times keep their form; other marks between digits get a space.
    EXPECT_EQ(Fix("3.14 i 10:15", p), "3.14 i 10:15");
    EXPECT_EQ(Fix("koniec.3", p), "koniec. 3");
    EXPECT_EQ(Fix("1,5", p), "1, 5");
    EXPECT_EQ(Fix("Uwaga :  żółw", p), "Uwaga: żółw");
}

TEST(RepairText, DialogueDashes) {
    RepairOptions d = Only();
    d.dash = true;
    EXPECT_EQ(Fix("  -Tak", d), "- Tak");
    EXPECT_EQ(Fix("- Tak|-Nie", d), "- Tak|- Nie");
    EXPECT_EQ(Fix("-   Tak| -  Nie", d), "- Tak|- Nie");
    EXPECT_EQ(Fix("Ala-ma kota", d), "Ala-ma kota");
    EXPECT_EQ(Fix("--Tak", d), "--Tak");
    EXPECT_EQ(Fix("Tak|-", d), "Tak|-");
    EXPECT_EQ(Fix("-|x", d), "-|x");
    EXPECT_EQ(Fix("A -b", d), "A -b");  // not at a row's start
}

TEST(RepairText, SpacesDigitsAndBraces) {
    RepairOptions s = Only();
    s.doubleSpaces = true;
    EXPECT_EQ(Fix("  Ala  ma   kota ", s), "Ala ma kota ");
    s = Only();
    s.rowEndSpaces = true;
    EXPECT_EQ(Fix(" Tak  |  Nie  ", s), " Tak|Nie");
    s = Only();
    s.digitSpaces = true;
    EXPECT_EQ(Fix("1 000 000 zł", s), "1000000 zł");
    EXPECT_EQ(Fix("1  000", s), "1  000");  // a run of two spaces is not touched
    EXPECT_EQ(Fix(" 1 a 2", s), " 1 a 2");
    s = Only();
    s.braceCodes = true;
    EXPECT_EQ(Fix("{c:$0000FF}Tak", s), "Tak");
    EXPECT_EQ(Fix("{y:i}{c:red}Tak {b}x", s), "Tak x");
    EXPECT_EQ(Fix("{a{b}c}", s), "c}");
    EXPECT_EQ(Fix("a}{b", s), "a}{b");  // an unclosed "{" stays
}

TEST(RepairText, RulesRunInTheirOrder) {
    RepairOptions all;
    all.digitSpaces = all.braceCodes = true;
    // Double spaces go before the digit rule, so the run of two becomes one and then goes.
    EXPECT_EQ(Fix("1  000", all), "1000");
    // Codes go last: the space after a leading code is no longer at the start when the space
    // rules run, and stays.
    EXPECT_EQ(Fix("{c:red} Tak", all), " Tak");
    // The punctuation rule spaces a mark before the dash rule looks at row starts.
    EXPECT_EQ(Fix("Uwaga:-Tak|  -Nie ,dobrze", all), "Uwaga: -Tak|- Nie, dobrze");
    // The punctuation rule leaves no space before "|" and the row-end rule takes the rest.
    EXPECT_EQ(Fix("Tak . |  Nie  !  ", all), "Tak.|Nie!");
}

TEST(RepairSubtitles, EmptyLinesOnly) {
    SubtitleDocument d = Doc({"{100}{150}Tak", "", "{100}{150}", "{100}{150}  ", "{100}{150}  Nie ,tak",
                              "śmieci  ,x", "{ 100}{150}Raz", "[1][2]x"});
    RepairOptions o = Only();
    o.emptyLines = true;
    long last = 8;
    RepairResult r = RepairSubtitles(d, o, 0, last);
    EXPECT_EQ(r.linesRemoved, 3);
    EXPECT_EQ(last, 5);
    EXPECT_EQ(d.lines,
              (Lines{"{100}{150}Tak", "{100}{150}Nie ,tak", "śmieci  ,x", "{100}{150}Raz", "[1][2]x"}));
}

TEST(RepairSubtitles, NothingRemovedWithoutTheEmptyLineBox) {
    SubtitleDocument d = Doc({"", "{100}{150}  ", "{100}{150}  a"});
    long last = 3;
    RepairSubtitles(d, Only(), 0, last);
    EXPECT_EQ(last, 3);
    EXPECT_EQ(d.lines, (Lines{"", "{100}{150}  ", "{100}{150}  a"}));
}

TEST(RepairSubtitles, BlockEndInEveryFormat) {
    RepairOptions o = Only();
    o.blockEnd = true;
    SubtitleDocument f = Doc({"{100}{300}A", "{250}{400}B"});
    long last = 2;
    RepairSubtitles(f, o, 0, last);
    EXPECT_EQ(f.lines, (Lines{"{100}{249}A", "{250}{400}B"}));

    SubtitleDocument d = Doc({"[10][30]A", "", "[25][40]B"});
    last = 1;
    RepairSubtitles(d, o, 0, last);  // the next subtitle lies outside the range
    EXPECT_EQ(d.lines[0], "[10][24]A");

    SubtitleDocument m = Doc({"{100}{300}A", "00:00:05:B"});
    last = 1;
    RepairSubtitles(m, o, 0, last);
    EXPECT_EQ(m.lines[0], "{100}{124}A");  // 5 - 0.04 s

    SubtitleDocument s = test::SsaDoc(
        {test::Ssa("0:00:01.00", "0:00:03.00", "A"), test::Ssa("0:00:02.50", "0:00:04.00", "B")});
    last = static_cast<long>(s.lines.size());
    RepairSubtitles(s, o, 0, last);
    EXPECT_EQ(s.lines[10], test::Ssa("0:00:01.00", "0:00:02.49", "A"));

    // A next subtitle after the end, or a line without an end, is not touched.
    SubtitleDocument n = Doc({"{100}{200}A", "{300}{400}B", "{500}{}C", "{400}{}D"});
    last = 4;
    RepairSubtitles(n, o, 0, last);
    EXPECT_EQ(n.lines, (Lines{"{100}{200}A", "{300}{400}B", "{500}{}C", "{400}{}D"}));
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
    EXPECT_EQ(s.lines[2], "");
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
