#include <gtest/gtest.h>

#include "core/display_modes.h"

using namespace kravelo;

static std::vector<DisplayMode> Driver() {
    // A driver listing each size at 16 then 32 bits, widest sizes not in order.
    return {{1024, 768, 16}, {1024, 768, 32}, {640, 480, 16}, {640, 480, 32}, {1920, 1080, 32},
            {800, 600, 16},  {800, 600, 32},  {1280, 720, 32}};
}

TEST(DisplayModes, DistinctSizesNarrowestFirstWithTheLastListedDepth) {
    const std::vector<DisplayMode> distinct = DistinctDisplayModes(Driver());
    const std::vector<DisplayMode> expected{
        {640, 480, 32}, {800, 600, 32}, {1024, 768, 32}, {1280, 720, 32}, {1920, 1080, 32}};
    EXPECT_EQ(distinct, expected);
}

TEST(DisplayModes, ChoiceForAPictureHonoursTheLimit) {
    const std::vector<DisplayMode> modes = DistinctDisplayModes(Driver());
    DisplayMode chosen;
    ASSERT_TRUE(ChooseModeForPicture(modes, 720, 576, false, 0, 0, &chosen));
    EXPECT_EQ(chosen.width, 800);  // smallest holding 720x576 in both directions
    // A wider mode fits, but the limit keeps the choice at or below 800x600.
    ASSERT_TRUE(ChooseModeForPicture(modes, 1000, 700, true, 800, 600, &chosen));
    EXPECT_EQ(chosen.width, 800);
    // Nothing fits an oversized picture: the largest mode.
    ASSERT_TRUE(ChooseModeForPicture(modes, 4000, 3000, false, 0, 0, &chosen));
    EXPECT_EQ(chosen.width, 1920);
    EXPECT_FALSE(ChooseModeForPicture(modes, 0, 0, false, 0, 0, &chosen));
    EXPECT_FALSE(ChooseModeForPicture(modes, 640, 480, true, 320, 200, &chosen));
}

TEST(DisplayModes, ResolutionForMovieByKind) {
    const DisplayMode current{1920, 1080, 24, 60};
    ResolutionRequest keep;
    EXPECT_EQ(ResolutionForMovie(keep, current, Driver(), 720, 576), (DisplayMode{1920, 1080, 24, 0}));
    ResolutionRequest fixed{1, 1024, 768};
    fixed.colourKind = 1;
    EXPECT_EQ(ResolutionForMovie(fixed, current, Driver(), 720, 576), (DisplayMode{1024, 768, 32, 0}));
    ResolutionRequest automatic{2};
    EXPECT_EQ(ResolutionForMovie(automatic, current, Driver(), 720, 576), (DisplayMode{800, 600, 24, 0}));
    // Unknown picture size keeps the current size; a depth the size lacks reads as 0.
    automatic.colourKind = 1;
    EXPECT_EQ(ResolutionForMovie(automatic, {1366, 768, 24, 60}, Driver(), 0, 0), (DisplayMode{1366, 768, 0, 0}));
}
