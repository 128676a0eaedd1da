// The marker subtitle and NeedsSaveAs.

#include <gtest/gtest.h>

#include "support/engine_doc.h"

#include "core/marker.h"
#include "core/ssa.h"
#include "core/text_util.h"
#include "kravelo_version.h"

using namespace kravelo;

using kravelo::test::Doc;
using Lines = std::vector<std::string>;

const std::string kBuild = std::to_string(kBuildNumber);
const std::string kOld = "/Edited with Kravelo b." + kBuild + "  (26-01-31)/|https://kravelo.org";
const std::string kNew = "/Edited with Kravelo b." + kBuild + "  (26-02-01)/|https://kravelo.org";

TEST(MarkerText, NamesProgramBuildDateAndAddressAndIsRecognised) {
    EXPECT_EQ(MarkerText("26-01-31"), kOld);
    EXPECT_TRUE(IsMarkerLine(kOld));
    EXPECT_TRUE(IsMarkerLine("{1}{75}/Edited with Kravelo b.7  (01-02-03)/|https://kravelo.org"));
    EXPECT_FALSE(IsMarkerLine("{1}{75}/Edited with Kravelo b.7|https://example.org"));  // no "kravelo"
    EXPECT_FALSE(IsMarkerLine("{1}{75}/Edited with Kravelo b.7 kravelo"));              // no "http"
    EXPECT_FALSE(IsMarkerLine("{1}{75}/edited with kravelo b.7 http://kravelo"));       // case
}

TEST(RenewMarker, FormatOfTheLineAfterTheFirstSubtitle) {
    struct Case {
        Lines lines;
        double fps;
        Lines expected;
        bool inserted, removed, usedFrameLines;
    } cases[] = {
        {{"{100}{250}Ala", "{300}{400}Ola"}, 25, {"{1}{75}" + kNew, "{100}{250}Ala", "{300}{400}Ola"}, true, false, true},
        // Renewed: still one marker.
        {{"{1}{75}" + kOld, "{100}{250}Ala", "{300}{400}Ola"}, 25,
         {"{1}{75}" + kNew, "{100}{250}Ala", "{300}{400}Ola"}, true, true, true},
        // Start one frame, a tenth or a second; the end 3 s.
        {{"[10][20]a", "[30][40]b"}, 25, {"[1][30]" + kNew, "[10][20]a", "[30][40]b"}, true, false, false},
        {{"00:00:10:a", "0:00:20:b"}, 25, {"0:00:01:" + kNew, "00:00:10:a", "0:00:20:b"}, true, false, false},
        // Without a rate frame numbers pass through; the caller is told a rate was needed.
        {{"{100}{250}Ala", "{300}{400}Ola"}, 0, {"{1}{3}" + kNew, "{100}{250}Ala", "{300}{400}Ola"}, true, false, true},
        // {0}{25} carries no subtitle: the line after "a" decides.
        {{"", "{0}{25}", "{100}{}a", "[30][40]b"}, 25, {"[1][30]" + kNew, "", "{0}{25}", "{100}{}a", "[30][40]b"},
         true, false, true},
        // Only the marker position is looked at for an old marker.
        {{"{100}{250}Ala", "{1}{75}" + kOld}, 25, {"{1}{75}" + kNew, "{100}{250}Ala", "{1}{75}" + kOld}, true, false,
         true},
        // A blank, unreadable or missing line after the first subtitle: no marker, an old one goes.
        {{"{100}{250}Ala", "   ", "{300}{400}Ola"}, 25, {"{100}{250}Ala", "   ", "{300}{400}Ola"}, false, false, true},
        {{"{1}{75}" + kOld, "{100}{250}Ala", ""}, 25, {"{100}{250}Ala", ""}, false, true, true},
        {{"", "{100}{250}Ala"}, 25, {"", "{100}{250}Ala"}, false, false, true},
        {{}, 25, {}, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.empty() ? "(empty)" : c.lines.back());
        auto doc = Doc(c.lines, c.fps);
        MarkerResult r = RenewMarker(doc, "26-02-01");
        EXPECT_EQ(doc.lines, c.expected);
        EXPECT_EQ(r.inserted, c.inserted);
        EXPECT_EQ(r.removed, c.removed);
        EXPECT_EQ(r.usedFrameLines, c.usedFrameLines);
        EXPECT_EQ(doc.frameRate, c.fps);
    }
}

TEST(RenewMarker, SsaDocumentAfterTheHeader) {
    auto doc = test::SsaDoc({test::Ssa("0:00:05.00", "0:00:07.00", "One"), test::Ssa("0:00:08.00", "0:00:09.00", "Two")}, 0.0);
    const std::size_t h = 10;
    EXPECT_EQ(RenewMarker(doc, "26-01-31", 3).caret, 3);  // a caret in the header stays
    ASSERT_EQ(doc.lines.size(), h + 3);
    EXPECT_EQ(doc.lines[h], "Dialogue: Marked=0,0:00:01.00,0:00:03.00,ITALIC,00,0000,0000,0000,,Edited with Kravelo b." +
                                kBuild + "  (26-01-31)/ https://kravelo.org");
    // The header is read again after saving; the marker is the first event line then.
    doc.ssa = ReadSsaHeader(doc.lines, true);
    MarkerResult r = RenewMarker(doc, "26-02-01");
    EXPECT_EQ(r.line, static_cast<long>(h));
    EXPECT_FALSE(r.usedFrameLines);
    EXPECT_EQ(doc.lines.size(), h + 3);
    EXPECT_NE(doc.lines[h].find("(26-02-01)"), std::string::npos);
    EXPECT_EQ(doc.lines[h + 1], test::Ssa("0:00:05.00", "0:00:07.00", "One"));
}

TEST(RenewMarker, CaretStaysOnTheSameText) {
    auto doc = Doc({"{100}{250}Ala", "{300}{400}Ola"});
    const long markerLength = static_cast<long>(CountChars("{1}{75}" + kOld));
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

TEST(NeedsSaveAs, FamilyChanges) {
    // (document format, file format): SubRip text converted to frame lines, a text file converted
    // to SSA and back; unconverted SubRip goes back to its .srt.
    for (auto [doc, file] : {std::pair{3, 99}, {5, 1}, {1, 5}}) EXPECT_TRUE(NeedsSaveAs(doc, file)) << doc << "/" << file;
    for (auto [doc, file] : {std::pair{99, 99}, {0, 99}, {1, 1}, {5, 5}}) EXPECT_FALSE(NeedsSaveAs(doc, file)) << doc << "/" << file;
}
