#include <gtest/gtest.h>

#include "core/subtitle_line.h"
#include "ops/stamp.h"

using namespace kravelo;

namespace {

constexpr StampSettings kNoReaction{0.0, true, false};

std::string Stamped(std::string_view line, double position, StampEdge edge, const StampSettings& s,
                    int activeFormat = kFormatFrame, double rate = 25.0) {
    StampResult r = StampLine(line, position, edge, s, activeFormat, rate);
    EXPECT_FALSE(r.error) << line;
    return r.line;
}

}  // namespace

TEST(StampLine, StartKeepsTheLineFormatAndItsDisplayDuration) {
    // 10.0 s less 0.3 s reaction: 9.7 s (just below frame 242.5), the end moves along to 11.7 s.
    const StampResult r = StampLine("{100}{150}Frame line", 10.0, StampEdge::Start, {0.3, true, false}, 4, 25.0);
    EXPECT_EQ(r.line, "{242}{293}Frame line");
    EXPECT_TRUE(r.hasText);
    // Without LeaveFramesDifference the end stays; a line without an end keeps none.
    EXPECT_EQ(Stamped("{100}{150}Frame line", 10.0, StampEdge::Start, {0.0, false, false}), "{250}{150}Frame line");
    EXPECT_EQ(Stamped("{100}{}Tekst", 10.0, StampEdge::Start, kNoReaction), "{250}{}Tekst");
    // A subtitle line writes back in its own format, whatever the active format (how each format
    // is written is the line tests').
    EXPECT_EQ(Stamped("[12][34]Tekst", 10.0, StampEdge::Start, kNoReaction, 3), "[100][122]Tekst");
    // A reaction time longer than the position stops at 0; the duration is kept from there.
    EXPECT_EQ(Stamped("{100}{150}X", 0.1, StampEdge::Start, {0.3, true, false}), "{0}{50}X");
}

TEST(StampLine, EndKeepsTheStartAndTakesTheReactionOnlyWhenAsked) {
    EXPECT_EQ(Stamped("{100}{150}Frame line", 10.0, StampEdge::End, {0.3, true, false}), "{100}{250}Frame line");
    EXPECT_EQ(Stamped("{100}{150}Frame line", 10.0, StampEdge::End, {0.3, true, true}), "{100}{242}Frame line");
    EXPECT_EQ(Stamped("[12][34]Tekst", 0.1, StampEdge::End, {0.3, true, true}), "[12][]Tekst");
    // An empty line: start 0 and the position as its end, no text for the caret to keep.
    const StampResult r = StampLine("", 10.0, StampEdge::End, kNoReaction, kFormatDecisecond, 25.0);
    EXPECT_EQ(r.line, "[0][100]");
    EXPECT_FALSE(r.hasText);
}

TEST(StampLine, OtherLinesBecomeTheTextOfALineInTheActiveFormat) {
    EXPECT_EQ(Stamped("Ala ma kota", 10.0, StampEdge::Start, {0.3, true, false}, kFormatDecisecond),
              "[97][]Ala ma kota");
    // Not readable, or too short to be taken as a subtitle ({1}{ is a frame line of 4 characters).
    EXPECT_EQ(Stamped("{1}{", 1.0, StampEdge::Start, kNoReaction), "{25}{}{1}{");
    EXPECT_EQ(Stamped("{0}{0}", 0.1, StampEdge::Start, {0.3, true, false}), "{0}{}");
    // An SSA event without its script's columns is text too (with them, the SSA layout tests stamp it).
    EXPECT_EQ(Stamped("Dialogue: Marked=0,0:00:01.00,0:00:02.50,NORMAL,00,0000,0000,0000,,Hi", 1.0,
                      StampEdge::Start, kNoReaction, kFormatDecisecond),
              "[10][]Dialogue: Marked=0,0:00:01.00,0:00:02.50,NORMAL,00,0000,0000,0000,,Hi");
}

TEST(StampLine, AnActiveFormatThatIsNoLineFormatLeavesTheLine) {
    // An active format of 0 (or any other non-format) must not turn plain text into an empty line.
    for (int format : {0, 6, 99, -1}) {
        for (std::string_view line : {"Ala ma kota", "", "{1}{"}) {
            const StampResult r = StampLine(line, 10.0, StampEdge::Start, kNoReaction, format, 25.0);
            ASSERT_TRUE(r.error) << format << " " << line;
            EXPECT_EQ(*r.error, msg::PutlineFormatError);
            EXPECT_TRUE(r.line.empty());
        }
    }
    // A subtitle line is written in its own format, so it stamps all the same.
    EXPECT_EQ(Stamped("{100}{150}X", 10.0, StampEdge::End, kNoReaction, 0), "{100}{250}X");
}
