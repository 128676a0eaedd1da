// The marker subtitle and NeedsSaveAs.

#include <gtest/gtest.h>

#include "support/engine_doc.h"

#include "core/marker.h"
#include "core/ssa.h"
#include "core/text_util.h"
#include "kravelo_version.h"

namespace kravelo {
namespace {

using test::Doc;

std::string Text(const char* date = "26-01-31") {
    return MarkerText(date);
}

TEST(MarkerText, NamesProgramBuildDateAndAddress) {
    EXPECT_EQ(Text(),
              "/Edited with Kravelo b." + std::to_string(kBuildNumber) + "  (26-01-31)/|https://kravelo.org");
    EXPECT_TRUE(IsMarkerLine(Text()));
}

TEST(IsMarkerLine, NeedsAllThreePartsCaseSensitive) {
    EXPECT_TRUE(IsMarkerLine("{1}{75}/Edited with Kravelo b.7  (01-02-03)/|https://kravelo.org"));
    EXPECT_FALSE(IsMarkerLine("{1}{75}/Edited with Kravelo b.7|https://example.org"));  // no "kravelo"
    EXPECT_FALSE(IsMarkerLine("{1}{75}/Edited with Kravelo b.7 kravelo"));              // no "http"
    EXPECT_FALSE(IsMarkerLine("{1}{75}/edited with kravelo b.7 http://kravelo"));       // case
}

TEST(RenewMarker, FrameDocumentAt25Fps) {
    auto doc = Doc({"{100}{250}Ala", "{300}{400}Ola"});
    MarkerResult r = RenewMarker(doc, "26-01-31");
    EXPECT_TRUE(r.inserted);
    EXPECT_FALSE(r.removed);
    EXPECT_EQ(r.format, kFormatFrame);
    EXPECT_TRUE(r.usedFrameLines);
    ASSERT_EQ(doc.lines.size(), 3u);
    EXPECT_EQ(doc.lines[0], "{1}{75}" + Text());
    EXPECT_EQ(doc.lines[1], "{100}{250}Ala");
}

TEST(RenewMarker, TwiceKeepsOneMarker) {
    auto doc = Doc({"{100}{250}Ala", "{300}{400}Ola"});
    RenewMarker(doc, "26-01-31");
    MarkerResult r = RenewMarker(doc, "26-02-01");
    EXPECT_TRUE(r.removed);
    EXPECT_TRUE(r.inserted);
    EXPECT_EQ(doc.lines,
              (std::vector<std::string>{"{1}{75}" + Text("26-02-01"), "{100}{250}Ala", "{300}{400}Ola"}));
}

TEST(RenewMarker, StartPerFormatEndThreeSeconds) {
    auto deci = Doc({"[10][20]a", "[30][40]b"});
    RenewMarker(deci, "26-01-31");
    EXPECT_EQ(deci.lines[0], "[1][30]" + Text());
    auto time = Doc({"00:00:10:a", "00:00:20:b"});
    RenewMarker(time, "26-01-31");
    EXPECT_EQ(time.lines[0], "00:00:01:" + Text());
    auto shortTime = Doc({"00:00:10:a", "0:00:20:b"});
    RenewMarker(shortTime, "26-01-31");
    EXPECT_EQ(shortTime.lines[0], "0:00:01:" + Text());  // the format of the line after the first subtitle
    auto frame30 = Doc({"{10}{20}a", "{30}{40}b"}, 30.0);
    RenewMarker(frame30, "26-01-31");
    EXPECT_EQ(frame30.lines[0], "{1}{90}" + Text());
}

TEST(RenewMarker, BlankLineAfterTheFirstSubtitleGivesNoMarker) {
    auto doc = Doc({"{100}{250}Ala", "   ", "{300}{400}Ola"});
    MarkerResult r = RenewMarker(doc, "26-01-31");
    EXPECT_FALSE(r.inserted);
    EXPECT_EQ(doc.lines.size(), 3u);
    // An old marker is dropped all the same.
    auto marked = Doc({"{1}{75}" + Text(), "{100}{250}Ala", "", "{300}{400}Ola"});
    r = RenewMarker(marked, "26-02-01");
    EXPECT_TRUE(r.removed);
    EXPECT_FALSE(r.inserted);
    EXPECT_EQ(marked.lines, (std::vector<std::string>{"{100}{250}Ala", "", "{300}{400}Ola"}));
}

TEST(RenewMarker, UnreadableOrMissingFollowingLineGivesNoMarker) {
    auto junk = Doc({"{100}{250}Ala", "junk"});
    EXPECT_FALSE(RenewMarker(junk, "26-01-31").inserted);
    auto single = Doc({"", "{100}{250}Ala"});
    EXPECT_FALSE(RenewMarker(single, "26-01-31").inserted);
    auto empty = Doc({});
    EXPECT_FALSE(RenewMarker(empty, "26-01-31").inserted);
    EXPECT_TRUE(empty.lines.empty());
}

TEST(RenewMarker, FirstSubtitleIsFoundPastLinesWithoutOne) {
    // {0}{25} carries no subtitle; the first subtitle is "a", the line after it decides.
    auto doc = Doc({"", "{0}{25}", "{100}{}a", "[30][40]b"});
    RenewMarker(doc, "26-01-31");
    EXPECT_EQ(doc.lines[0], "[1][30]" + Text());
}

TEST(RenewMarker, SsaDocumentAfterTheHeader) {
    SubtitleDocument doc;
    doc.lines = SsaHeaderLines(SsaOptions{});
    const std::size_t h = doc.lines.size();
    doc.lines.push_back("Dialogue: Marked=0,0:00:05.00,0:00:07.00,NORMAL,00,0000,0000,0000,,One");
    doc.lines.push_back("Dialogue: Marked=0,0:00:08.00,0:00:09.00,NORMAL,00,0000,0000,0000,,Two");
    doc.ssa = ReadSsaHeader(doc.lines, true);
    doc.documentFormat = kFormatSsa;
    doc.frameRate = 0.0;
    MarkerResult r = RenewMarker(doc, "26-01-31");
    EXPECT_TRUE(r.inserted);
    EXPECT_EQ(r.line, static_cast<long>(h));
    EXPECT_FALSE(r.usedFrameLines);
    ASSERT_EQ(doc.lines.size(), h + 3);
    EXPECT_EQ(doc.lines[h],
              "Dialogue: Marked=0,0:00:01.00,0:00:03.00,ITALIC,00,0000,0000,0000,,Edited with Kravelo b." +
                  std::to_string(kBuildNumber) + "  (26-01-31)/ https://kravelo.org");
    EXPECT_TRUE(IsMarkerLine(doc.lines[h]));
    // The header is read again after saving; the marker is the first event line then.
    doc.ssa = ReadSsaHeader(doc.lines, true);
    EXPECT_EQ(doc.ssa.headerLines, static_cast<int>(h));
    RenewMarker(doc, "26-02-01");
    EXPECT_EQ(doc.lines.size(), h + 3);
    EXPECT_NE(doc.lines[h].find("(26-02-01)"), std::string::npos);
    EXPECT_NE(doc.lines[h + 1].find(",One"), std::string::npos);
}

TEST(RenewMarker, OnlyTheMarkerPositionIsExamined) {
    auto doc = Doc({"{100}{250}Ala", "{1}{75}" + Text(), "{300}{400}Ola"});
    MarkerResult r = RenewMarker(doc, "26-01-31");
    EXPECT_FALSE(r.removed);
    EXPECT_EQ(doc.lines.size(), 4u);
}

TEST(RenewMarker, CaretStaysOnTheSameText) {
    auto doc = Doc({"{100}{250}Ala", "{300}{400}Ola"});
    const long markerLength = static_cast<long>(CountChars("{1}{75}" + Text()));
    // Caret after "Ol" on the second line: 13 + 1 + 12.
    MarkerResult r = RenewMarker(doc, "26-01-31", 26);
    EXPECT_EQ(r.caret, 26 + markerLength + 1);
    // Renewing with a longer date: the caret moves by the difference only.
    r = RenewMarker(doc, "2026-01-31", r.caret);
    EXPECT_EQ(r.caret, 26 + markerLength + 2 + 1);
    // A caret inside the old marker goes to the start of its line, then past the new marker.
    r = RenewMarker(doc, "26-01-31", 5);
    EXPECT_EQ(r.caret, markerLength + 1);
}

TEST(RenewMarker, CaretBeforeAnSsaMarkerStays) {
    SubtitleDocument doc;
    doc.lines = SsaHeaderLines(SsaOptions{});
    doc.lines.push_back("Dialogue: Marked=0,0:00:05.00,0:00:07.00,NORMAL,00,0000,0000,0000,,One");
    doc.lines.push_back("Dialogue: Marked=0,0:00:08.00,0:00:09.00,NORMAL,00,0000,0000,0000,,Two");
    doc.ssa = ReadSsaHeader(doc.lines, true);
    doc.documentFormat = kFormatSsa;
    EXPECT_EQ(RenewMarker(doc, "26-01-31", 3).caret, 3);
}

TEST(RenewMarker, WithoutFrameRateFramesPassUnchanged) {
    auto doc = Doc({"{100}{250}Ala", "{300}{400}Ola"}, 0.0);
    MarkerResult r = RenewMarker(doc, "26-01-31");
    EXPECT_TRUE(r.usedFrameLines);  // the caller needs a real rate
    EXPECT_EQ(doc.lines[0], "{1}{3}" + Text());
    auto deci = Doc({"[10][20]a", "[30][40]b"}, 0.0);
    EXPECT_FALSE(RenewMarker(deci, "26-01-31").usedFrameLines);
}

TEST(NeedsSaveAs, FamilyChanges) {
    EXPECT_TRUE(NeedsSaveAs(3, 99));  // SubRip text converted to frame lines
    EXPECT_TRUE(NeedsSaveAs(5, 1));  // text file converted to SSA
    EXPECT_TRUE(NeedsSaveAs(1, 5));  // SSA file converted to a text format
    EXPECT_FALSE(NeedsSaveAs(99, 99));  // unconverted SubRip goes back to its .srt
    EXPECT_FALSE(NeedsSaveAs(0, 99));
    EXPECT_FALSE(NeedsSaveAs(1, 1));
    EXPECT_FALSE(NeedsSaveAs(5, 5));
}

}  // namespace
}  // namespace kravelo
