// Line commands: italics on the row under the caret, and the jump to a time.

#include <gtest/gtest.h>

#include "support/engine_doc.h"

#include "core/ssa.h"
#include "ops/line_commands.h"

namespace kravelo {
namespace {

// Most of these lines are read without a frame rate.
SubtitleDocument Doc(std::vector<std::string> lines, double rate = 0.0) { return test::Doc(std::move(lines), rate); }

TEST(ToggleItalicRow, FirstMiddleAndLastRow) {
    EXPECT_EQ(ToggleItalicRow("one|two|three", 0).text, "/one/|two|three");
    EXPECT_EQ(ToggleItalicRow("one|two|three", 5).text, "one|/two/|three");
    EXPECT_EQ(ToggleItalicRow("one|two|three", 13).text, "one|two|/three/");
    EXPECT_EQ(ToggleItalicRow("/one/|/two/|/three/", 0).text, "one|/two/|/three/");
    EXPECT_EQ(ToggleItalicRow("/one/|/two/|/three/", 7).text, "/one/|two|/three/");
    EXPECT_EQ(ToggleItalicRow("/one/|/two/|/three/", 19).text, "/one/|/two/|three");
}

TEST(ToggleItalicRow, CaretAtARowBreak) {
    // Just before "|": the row before; just after it: the row after.
    EXPECT_EQ(ToggleItalicRow("ab|cd", 2).text, "/ab/|cd");
    EXPECT_EQ(ToggleItalicRow("ab|cd", 3).text, "ab|/cd/");
}

TEST(ToggleItalicRow, OnlyAnOpeningSlash) {
    auto r = ToggleItalicRow("Ala|/ma kota", 6);
    EXPECT_EQ(r.text, "Ala|ma kota");
    EXPECT_FALSE(r.added);
    EXPECT_EQ(ToggleItalicRow("/", 0).text, "");  // one "/" is both ends
}

TEST(ToggleItalicRow, ClosingSlashIsNotDoubled) {
    EXPECT_EQ(ToggleItalicRow("Ala/", 1).text, "/Ala/");
    EXPECT_EQ(ToggleItalicRow("a||b", 2).text, "a|//|b");  // an empty row
}

TEST(ToggleItalicRow, PositionsCountCharacters) {
    // "Żółw" is 4 characters in 7 bytes; position 5 is in the second row.
    EXPECT_EQ(ToggleItalicRow("Żółw|ma", 5).text, "Żółw|/ma/");
    EXPECT_EQ(ToggleItalicRow("Żółw|ma", 4).text, "/Żółw/|ma");
}

TEST(ToggleItalicAt, WorkedExampleWithoutFrameRate) {
    auto doc = Doc({"{10}{20}Ala|ma kota"});
    ItalicResult r = ToggleItalicAt(doc, 0, 9);  // caret after the "A" of "Ala"
    ASSERT_TRUE(r.done);
    EXPECT_TRUE(r.added);
    EXPECT_EQ(r.column, 10);  // one place right
    EXPECT_EQ(doc.lines[0], "{10}{20}/Ala/|ma kota");
    EXPECT_EQ(doc.frameRate, 0.0);  // the 1.0 rate was for this command only
    r = ToggleItalicAt(doc, 0, r.column);
    ASSERT_TRUE(r.done);
    EXPECT_FALSE(r.added);
    EXPECT_EQ(r.column, 9);
    EXPECT_EQ(doc.lines[0], "{10}{20}Ala|ma kota");
}

TEST(ToggleItalicAt, FramesPassUnchangedAtTheDocumentRate) {
    auto doc = Doc({"{1001}{1050}x"}, 23.976);
    ASSERT_TRUE(ToggleItalicAt(doc, 0, 13).done);
    EXPECT_EQ(doc.lines[0], "{1001}{1050}/x/");
}

TEST(ToggleItalicAt, OtherFormats) {
    auto doc = Doc({"00:01:02:Tekst", "[12][34]a|b", "0:00:05:x"});
    ASSERT_TRUE(ToggleItalicAt(doc, 0, 14).done);
    EXPECT_EQ(doc.lines[0], "00:01:02:/Tekst/");
    ASSERT_TRUE(ToggleItalicAt(doc, 1, 11).done);
    EXPECT_EQ(doc.lines[1], "[12][34]a|/b/");
    ASSERT_TRUE(ToggleItalicAt(doc, 2, 8).done);  // caret at the start of the text
    EXPECT_EQ(doc.lines[2], "0:00:05:/x/");
}

TEST(ToggleItalicAt, RemovingAtTextStartKeepsTheColumn) {
    auto doc = Doc({"{1}{2}/a/"});
    ItalicResult r = ToggleItalicAt(doc, 0, 6);  // position 0 in the text
    ASSERT_TRUE(r.done);
    EXPECT_EQ(doc.lines[0], "{1}{2}a");
    EXPECT_EQ(r.column, 6);
}

TEST(ToggleItalicAt, BeepsWithoutChange) {
    auto doc = Doc({"{10}{20}Ala", "{10}{20}", "not a subtitle", ""});
    EXPECT_FALSE(ToggleItalicAt(doc, 0, 3).done);  // caret in the time fields
    EXPECT_FALSE(ToggleItalicAt(doc, 1, 8).done);  // empty text
    EXPECT_FALSE(ToggleItalicAt(doc, 2, 3).done);  // unreadable
    EXPECT_FALSE(ToggleItalicAt(doc, 3, 0).done);  // empty line
    EXPECT_FALSE(ToggleItalicAt(doc, 9, 0).done);  // no such line
    EXPECT_EQ(doc.lines[0], "{10}{20}Ala");
    EXPECT_EQ(doc.lines[2], "not a subtitle");
}

TEST(ToggleItalicAt, SsaLineBecomesItalicStyle) {
    SubtitleDocument doc;
    doc.lines = SsaHeaderLines(SsaOptions{});
    doc.lines.push_back("Dialogue: Marked=0,0:00:01.00,0:00:02.00,NORMAL,00,0000,0000,0000,,Hello");
    doc.ssa = ReadSsaHeader(doc.lines, true);
    doc.documentFormat = kFormatSsa;
    const long last = static_cast<long>(doc.lines.size()) - 1;
    ASSERT_TRUE(ToggleItalicAt(doc, last, 70).done);
    EXPECT_EQ(doc.lines.back(), "Dialogue: Marked=0,0:00:01.00,0:00:02.00,ITALIC,00,0000,0000,0000,,Hello");
}

TEST(GoToTime, LandsOnTheLastSubtitleStartingAtOrBeforeTheTime) {
    auto doc = Doc({"", "{25}{50}A", "junk", "{100}{125}B", "{200}{225}C"}, 25.0);
    EXPECT_EQ(GoToTime(doc, 5.0).line, 3);  // C (8 s) is the first later one
    EXPECT_EQ(GoToTime(doc, 4.0).line, 3);  // B starts at exactly 4 s
    EXPECT_EQ(GoToTime(doc, 3.9).line, 2);  // the line before B, whatever it holds
    EXPECT_EQ(GoToTime(doc, 0.5).line, 0);
    EXPECT_FALSE(GoToTime(doc, 0.5).pastEnd);
}

TEST(GoToTime, FirstLineLaterGivesLineZero) {
    auto doc = Doc({"{250}{}A", "{500}{}B"}, 25.0);
    EXPECT_EQ(GoToTime(doc, 1.0).line, 0);
}

TEST(GoToTime, PastTheLastSubtitle) {
    auto doc = Doc({"{25}{50}A", "{100}{125}B", ""}, 25.0);
    GoToResult r = GoToTime(doc, 60.0);
    EXPECT_TRUE(r.pastEnd);
    EXPECT_EQ(r.line, 2);
    EXPECT_TRUE(GoToTime(Doc({}), 1.0).pastEnd);
    EXPECT_EQ(GoToTime(Doc({}), 1.0).line, 0);
}

}  // namespace
}  // namespace kravelo
