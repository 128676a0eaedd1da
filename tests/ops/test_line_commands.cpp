// Line commands: italics on the row under the caret, and the jump to a time.

#include <gtest/gtest.h>

#include "support/engine_doc.h"

#include "ops/line_commands.h"

using namespace kravelo;

// Most of these lines are read without a frame rate.
static SubtitleDocument Doc(std::vector<std::string> lines, double rate = 0.0) { return test::Doc(std::move(lines), rate); }

TEST(ToggleItalicRow, RowUnderTheCaret) {
    const struct {
        const char* text;
        long position;
        const char* expected;
    } cases[] = {
        {"one|two|three", 5, "one|/two/|three"},
        {"one|two|three", 13, "one|two|/three/"},
        {"/one/|/two/|/three/", 0, "one|/two/|/three/"},
        // Just before "|": the row before; just after it: the row after.
        {"ab|cd", 2, "/ab/|cd"},
        {"ab|cd", 3, "ab|/cd/"},
        // Only an opening slash is removed; one "/" is both ends.
        {"Ala|/ma kota", 6, "Ala|ma kota"},
        {"/", 0, ""},
        // A closing slash is not doubled; an empty row.
        {"Ala/", 1, "/Ala/"},
        {"a||b", 2, "a|//|b"},
        // Positions count characters: "Żółw" is 4 characters in 7 bytes.
        {"Żółw|ma", 5, "Żółw|/ma/"},
    };
    for (const auto& c : cases) EXPECT_EQ(ToggleItalicRow(c.text, c.position).text, c.expected) << c.text << " @" << c.position;
    EXPECT_FALSE(ToggleItalicRow("Ala|/ma kota", 6).added);
}

TEST(ToggleItalicAt, EveryFormatAndTheCaret) {
    auto doc = Doc({"{10}{20}Ala|ma kota"});
    ItalicResult r = ToggleItalicAt(doc, 0, 9);  // caret after the "A" of "Ala"
    EXPECT_TRUE(r.added);
    EXPECT_EQ(r.column, 10);  // one place right
    EXPECT_EQ(doc.lines[0], "{10}{20}/Ala/|ma kota");
    EXPECT_EQ(doc.frameRate, 0.0);  // the 1.0 rate was for this command only
    r = ToggleItalicAt(doc, 0, r.column);
    EXPECT_EQ(r.column, 9);
    EXPECT_EQ(doc.lines[0], "{10}{20}Ala|ma kota");

    // Removing at the start of the text keeps the column.
    doc = Doc({"{1}{2}/a/"});
    EXPECT_EQ(ToggleItalicAt(doc, 0, 6).column, 6);
    EXPECT_EQ(doc.lines[0], "{1}{2}a");

    // Frames pass unchanged at the document's rate; the other formats; the caret at the text start.
    doc = Doc({"{1001}{1050}x", "00:01:02:Tekst", "[12][34]a|b", "0:00:05:x"}, 23.976);
    for (auto [line, column] : {std::pair{0L, 13L}, {1L, 14L}, {2L, 11L}, {3L, 8L}}) ASSERT_TRUE(ToggleItalicAt(doc, line, column).done);
    EXPECT_EQ(doc.lines, (std::vector<std::string>{"{1001}{1050}/x/", "00:01:02:/Tekst/", "[12][34]a|/b/", "0:00:05:/x/"}));

    auto ssa = test::SsaDoc({test::Ssa("0:00:01.00", "0:00:02.00", "Hello")}, 0.0);
    ASSERT_TRUE(ToggleItalicAt(ssa, 10, 70).done);
    EXPECT_EQ(ssa.lines.back(), "Dialogue: Marked=0,0:00:01.00,0:00:02.00,ITALIC,00,0000,0000,0000,,Hello");

    // Nothing to do: the caret in the times, an empty text, an unreadable, empty or missing line.
    doc = Doc({"{10}{20}Ala", "{10}{20}", "not a subtitle", ""});
    const auto before = doc.lines;
    for (auto [line, column] : {std::pair{0L, 3L}, {1L, 8L}, {2L, 3L}, {3L, 0L}, {9L, 0L}})
        EXPECT_FALSE(ToggleItalicAt(doc, line, column).done) << line;
    EXPECT_EQ(doc.lines, before);
}

TEST(GoToTime, LastSubtitleStartingAtOrBeforeTheTime) {
    auto doc = Doc({"", "{25}{50}A", "junk", "{100}{125}B", "{200}{225}C", ""}, 25.0);
    EXPECT_EQ(GoToTime(doc, 4.0).line, 3);  // B starts at exactly 4 s
    EXPECT_EQ(GoToTime(doc, 3.9).line, 2);  // the line before B, whatever it holds
    EXPECT_EQ(GoToTime(doc, 0.5).line, 0);
    EXPECT_FALSE(GoToTime(doc, 0.5).pastEnd);
    // Past the last subtitle.
    GoToResult r = GoToTime(doc, 60.0);
    EXPECT_TRUE(r.pastEnd);
    EXPECT_EQ(r.line, 5);
    EXPECT_TRUE(GoToTime(Doc({}), 1.0).pastEnd);
    EXPECT_EQ(GoToTime(Doc({}), 1.0).line, 0);  // never a line before the first
}
