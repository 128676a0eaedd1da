// Sorting: the stable sort that mends a selection sort that swaps equal starts, and the start-gap
// search behind find-unsorted.

#include <gtest/gtest.h>

#include "support/engine_doc.h"

#include <random>

#include "core/ssa.h"
#include "ops/sort.h"

namespace kravelo {
namespace {

using test::Doc;

TEST(SortLines, OrdersByStartTime) {
    auto doc = Doc({"[120][130]c", "[57][60]b", "[53][55]a"});
    SortResult r = SortLines(doc, 0, 3);
    EXPECT_EQ(doc.lines, (std::vector<std::string>{"[53][55]a", "[57][60]b", "[120][130]c"}));
    EXPECT_EQ(r.moved, 2);
    EXPECT_EQ(r.order.unsorted, 2);
}

TEST(SortLines, EqualStartsKeepTheirOrder) {
    // A selection sort would exchange the first line with the last and so put B
    // before A; the stable sort keeps A before B.
    auto doc = Doc({"{125}{150}A", "{125}{160}B", "{25}{50}C"});
    SortResult r = SortLines(doc, 0, 3);
    EXPECT_EQ(doc.lines, (std::vector<std::string>{"{25}{50}C", "{125}{150}A", "{125}{160}B"}));
    EXPECT_EQ(r.order.equal, 1);
}

TEST(SortLines, UnreadableAndEmptyLinesGatherAtTheTopInTheirOrder) {
    auto doc =
        Doc({"{750}{800}c", "", "not a subtitle 1", "{250}{300}a", "not a subtitle 2", "{500}{600}b", ""});
    SortLines(doc, 0, static_cast<long>(doc.lines.size()));
    EXPECT_EQ(doc.lines, (std::vector<std::string>{"", "not a subtitle 1", "not a subtitle 2", "",
                                                   "{250}{300}a", "{500}{600}b", "{750}{800}c"}));
}

TEST(SortLines, OnlyTheRangeMoves) {
    auto doc = Doc({"{900}{}z", "{300}{}c", "{100}{}a", "{200}{}b", "{0}{}y"});
    SortLines(doc, 1, 4);
    EXPECT_EQ(doc.lines,
              (std::vector<std::string>{"{900}{}z", "{100}{}a", "{200}{}b", "{300}{}c", "{0}{}y"}));
}

TEST(SortLines, SortedRangeIsLeftAsItIs) {
    auto doc = Doc({"", "junk", "{25}{}a", "{25}{}b", "[20][]c"});
    const auto before = doc.lines;
    SortResult r = SortLines(doc, 0, 5);
    EXPECT_EQ(r.moved, 0);
    EXPECT_EQ(r.order.equal, 1);
    EXPECT_EQ(doc.lines, before);
}

TEST(SortLines, RangeBeyondTheDocumentIsCut) {
    auto doc = Doc({"{2}{}b", "{1}{}a"});
    SortLines(doc, 0, 99);
    EXPECT_EQ(doc.lines, (std::vector<std::string>{"{1}{}a", "{2}{}b"}));
    SortLines(doc, 5, 9);  // nothing to do
    SortLines(doc, 1, 1);
    EXPECT_EQ(doc.lines.size(), 2u);
}

TEST(SortLines, StartsBeyondTheRunningMinimumKeepTheirOrder) {
    // 99999999 s and more: a selection sort from that minimum never picks such a line, so they stay as
    // they stand among themselves, after every smaller start.
    auto doc = Doc({"{3000000000}{}late2", "{2600000000}{}late1", "{25}{}early"});
    SortLines(doc, 0, 3);
    EXPECT_EQ(doc.lines,
              (std::vector<std::string>{"{25}{}early", "{3000000000}{}late2", "{2600000000}{}late1"}));
}

TEST(SortLines, SsaHeaderStaysOnTop) {
    SubtitleDocument doc;
    doc.lines = SsaHeaderLines(SsaOptions{});
    const std::vector<std::string> header = doc.lines;
    doc.lines.push_back("Dialogue: Marked=0,0:00:09.00,0:00:10.00,NORMAL,00,0000,0000,0000,,second");
    doc.lines.push_back("Dialogue: Marked=0,0:00:01.00,0:00:02.00,NORMAL,00,0000,0000,0000,,first");
    doc.ssa = ReadSsaHeader(doc.lines, true);
    doc.documentFormat = kFormatSsa;
    SortLines(doc, 0, static_cast<long>(doc.lines.size()));
    ASSERT_EQ(doc.lines.size(), header.size() + 2);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), doc.lines.begin()));
    EXPECT_NE(doc.lines[header.size()].find(",first"), std::string::npos);
    EXPECT_NE(doc.lines[header.size() + 1].find(",second"), std::string::npos);
}

TEST(SortLines, ProgressEveryTenthLineInBlue) {
    std::vector<std::string> lines;
    for (int i = 0; i < 35; ++i) lines.push_back("{" + std::to_string(100 - i) + "}{}x");
    auto doc = Doc(lines);
    std::vector<long> seen;
    SortLines(doc, 3, 35, [&](long pos, long total, ProgressColor c) {
        EXPECT_EQ(total, 35);
        EXPECT_EQ(c, ProgressColor::Blue);
        seen.push_back(pos);
    });
    EXPECT_EQ(seen, (std::vector<long>{10, 20, 30}));
}

TEST(SortLines, MatchesAStableReferenceOnRandomInput) {
    std::mt19937 rng(7);
    std::vector<std::string> lines;
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
    auto key = [](const std::string& s) {
        SubtitleLine l;
        return s.empty() || ParseLine(s, 25.0, l) != 1 ? -99999.0 : l.start;
    };
    std::stable_sort(lines.begin(), lines.end(),
                     [&](const auto& a, const auto& b) { return key(a) < key(b); });
    EXPECT_EQ(doc.lines, lines);
}

// --- FindStartGap and find-unsorted

TEST(FindUnsorted, FindsEqualStartsAndMovesTheCaretToTheNextLine) {
    auto doc = Doc({"{25}{}a", "{50}{}b", "{50}{}c", "{75}{}d"});
    SearchHit hit = FindUnsorted(doc, -1, 4);
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 1);
    EXPECT_EQ(hit.caretLine, 2);
    EXPECT_EQ(hit.nextLine, 2);
    EXPECT_DOUBLE_EQ(hit.time, 2.0);
    EXPECT_DOUBLE_EQ(hit.nextStart, 2.0);
}

TEST(FindUnsorted, StartsBelowTheCaretLine) {
    auto doc = Doc({"{50}{}a", "{25}{}b", "{75}{}c", "{60}{}d"});
    EXPECT_EQ(FindUnsorted(doc, -1, 4).line, 0);  // from the top
    EXPECT_EQ(FindUnsorted(doc, 0, 4).line, 2);   // the caret's line 0 itself is not examined
    EXPECT_FALSE(FindUnsorted(doc, 2, 4).found);  // the last subtitle has no successor
}

TEST(FindUnsorted, LooksAcrossLinesThatCarryNoSubtitle) {
    auto doc = Doc({"{75}{}a", "", "junk", "{0}{25}", "{50}{}b"});
    SearchHit hit = FindUnsorted(doc, -1, 5);
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 0);
    EXPECT_EQ(hit.nextLine, 4);
    EXPECT_EQ(hit.caretLine, 1);
}

TEST(FindUnsorted, SortedDocumentFindsNothing) {
    auto doc = Doc({"{25}{}a", "", "{50}{}b", "{75}{}c"});
    EXPECT_FALSE(FindUnsorted(doc, -1, 4).found);
    EXPECT_FALSE(FindUnsorted(Doc({}), -1, 0).found);
}

TEST(FindStartGap, CountLimitsTheExaminedLinesNotTheSuccessors) {
    auto doc = Doc({"{25}{}a", "{100}{}b", "{30}{}c"});
    EXPECT_FALSE(FindStartGap(doc, 0.0, -1, 1).found);  // line 0 only: its successor is later
    SearchHit hit = FindStartGap(doc, 0.0, -1, 2);      // line 1's successor lies past the count
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 1);
    EXPECT_EQ(hit.nextLine, 2);
}

}  // namespace
}  // namespace kravelo
