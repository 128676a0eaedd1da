// Full-screen geometry and texts: the zoomed window and its bars, the time texts, the progress
// track, the time-display key's cycle, the control panel's mouse rule, the message's place and
// the window-size zoom.

#include <gtest/gtest.h>

#include "core/full_screen_layout.h"

using namespace kravelo;

TEST(FullScreenZoomLayout, EnlargesTheWindowAndFitsTheBars) {
    // Zoom 5 on a 1024-pixel screen: 51 px larger each way, shifted by -25.
    ZoomLayout z = FullScreenZoomLayout(1024, 768, 5, 0, 0);
    EXPECT_EQ(z.width, 1075);
    EXPECT_EQ(z.x, -25);
    EXPECT_EQ(z.bar, 0);  // no picture size yet
    // A 640x272 movie at zoom 0: picture 435 high, bars trunc((768 - 435) * 0.5 + 1).
    EXPECT_EQ(FullScreenZoomLayout(1024, 768, 0, 640, 272).bar, 167);
    // A 4:3 picture on a wide screen, zoomed or not, and a portrait picture: taller than the
    // window, no negative bars.
    EXPECT_EQ(FullScreenZoomLayout(1280, 720, 10, 640, 480).bar, 0);
    EXPECT_EQ(FullScreenZoomLayout(1024, 768, 20, 640, 480).bar, 26);  // still shorter: bars
    EXPECT_EQ(FullScreenZoomLayout(1280, 1024, 0, 480, 640).bar, 0);
    // A picture exactly the window's height.
    EXPECT_EQ(FullScreenZoomLayout(1024, 768, 0, 1024, 768).bar, 0);
    // Out-of-range zooms are clamped.
    EXPECT_EQ(FullScreenZoomLayout(1000, 800, 250, 0, 0).width, 2000);
    EXPECT_EQ(FullScreenZoomLayout(1000, 800, -5, 0, 0).width, 1000);
}

TEST(TimeTexts, ClockAndStatusForms) {
    EXPECT_EQ(TimeDisplayText(3725.9), "1:02:05");
    EXPECT_EQ(TimeDisplayText(36000.0 * 3), "30:00:00");
    EXPECT_EQ(TimeDisplayText(-4.0), "0:00:00");
    EXPECT_EQ(StatusTimeText(7322.5), "2:02:02.500");
}

TEST(ProgressTrackWidth, ScalesAndClamps) {
    EXPECT_EQ(ProgressTrackWidth(150, 5.0, 10.0), 75);  // 151 * 0.5 = 75.5
    EXPECT_EQ(ProgressTrackWidth(150, 12.0, 10.0), 150);  // past the reported length
    // A movie that reports no length: no division by zero, an empty track.
    EXPECT_EQ(ProgressTrackWidth(150, 5.0, 0.0), 0);
    EXPECT_EQ(ProgressTrackWidth(150, -1.0, 10.0), 0);
    EXPECT_EQ(ProgressTrackWidth(0, 5.0, 10.0), 0);
}

TEST(NextProgressState, CyclesHiddenThroughTheFourModes) {
    ProgressState s{false, 0};
    std::string seen;
    for (int i = 0; i < 5; ++i) {
        s = NextProgressState(s).state;
        seen += s.shown ? std::to_string(s.mode) : std::string("off");
        seen += ' ';
    }
    EXPECT_EQ(seen, "1 2 3 0 off ");
    // Off with mode 0: shown again, in mode 1, with both messages.
    ProgressStep step = NextProgressState({false, 0});
    EXPECT_STREQ(step.firstMessage, "ProgressOn");
    EXPECT_STREQ(step.secondMessage, "PregressChange");
    step = NextProgressState({true, 0});
    EXPECT_STREQ(step.firstMessage, "ProgressOff");
    EXPECT_EQ(step.secondMessage, nullptr);
    EXPECT_EQ(NextProgressState({true, 2}).firstMessage, nullptr);
}

TEST(PanelMouseTick, ShowsOnLargeMovesAndClosesAfterThreeIdleTicks) {
    using enum PanelAction;
    const struct {
        PanelMouseInput in;
        PanelAction action;
        int idleTicks;
    } cases[] = {
        // Hidden: shown on a move of more than 50 px, with a last position and while it may show
        // (no other window open).
        {{.x = 300, .mayShow = true}, None, 0},
        {{.hasLastPosition = true, .lastX = 250, .x = 300, .mayShow = true}, None, 0},
        {{.hasLastPosition = true, .lastX = 249, .x = 300, .mayShow = true}, Show, 0},
        {{.hasLastPosition = true, .lastX = 249, .x = 300, .mayShow = false}, None, 0},
        // Visible: a third idle tick outside the panel closes it; over the panel it stays; a move
        // resets the count.
        {{.hasLastPosition = true, .panelVisible = true, .idleTicks = 1}, None, 2},
        {{.hasLastPosition = true, .panelVisible = true, .idleTicks = 2}, Close, 0},
        {{.hasLastPosition = true, .panelVisible = true, .insidePanel = true, .idleTicks = 2}, None, 2},
        {{.hasLastPosition = true, .lastX = 295, .x = 300, .panelVisible = true, .idleTicks = 2}, None, 0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const PanelMouseResult r = PanelMouseTick(cases[i].in);
        EXPECT_EQ(r.action, cases[i].action) << i;
        EXPECT_EQ(r.idleTicks, cases[i].idleTicks) << i;
    }
}

TEST(MessageWindowPlace, FollowsTheSetting) {
    EXPECT_FALSE(MessageWindowPlace(0, 1024, 768, 106, 30).shown);
    MessagePlace p = MessageWindowPlace(2, 1024, 768, 106, 30);  // label 100 wide
    EXPECT_EQ(p.x, 1024 - 100 - 20);
    EXPECT_EQ(p.y, 13);
    p = MessageWindowPlace(1, 1024, 768, 106, 30);
    EXPECT_EQ(p.x, 459);
    EXPECT_EQ(p.y, 369);
}

TEST(ZoomClientSize, HalvesTowardZeroAndAddsRoomForControls) {
    ClientSize c = ZoomClientSize(641, 481, 50, false);
    EXPECT_EQ(c.width, 320);
    EXPECT_EQ(c.height, 240 + 90);
    c = ZoomClientSize(640, 480, 200, true);
    EXPECT_EQ(c.width, 1280);
    EXPECT_EQ(c.height, 960 + 21);
}
