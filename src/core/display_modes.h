#pragma once
// Display-mode tables and the choice of a mode for full-screen playback. Qt-free; the platform
// layer lists and switches the real modes.

#include <vector>

namespace kravelo {

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int refreshRate = 0;  // Hz, 0 when unknown
    bool operator==(const DisplayMode&) const = default;
};

// The distinct sizes of `all`, narrowest first. Where one size comes with several depths, the
// entry nearest the end of `all` gives the depth (drivers list the deepest last).
std::vector<DisplayMode> DistinctDisplayModes(const std::vector<DisplayMode>& all);

// The smallest mode of `modes` that holds a picture of the given size in both directions, at or
// below the limit when `limited`; when none holds it, the largest allowed mode. Nothing (false)
// when no mode is allowed or the picture size is unknown.
bool ChooseModeForPicture(const std::vector<DisplayMode>& modes, int pictureWidth, int pictureHeight,
                          bool limited, int limitWidth, int limitHeight, DisplayMode* chosen);

struct ResolutionRequest {
    int kind = 0;  // 0 keep, 1 fixed size, 2 chosen from the picture size
    int fixedWidth = 800;
    int fixedHeight = 600;
    bool limited = false;
    int limitWidth = 800;
    int limitHeight = 600;
    int colourKind = 0;  // 0 keep the depth, 1 the deepest the size offers
};

// The mode to switch to when full screen starts: the current one with the requested size and
// depth (refresh left to the display, 0).
DisplayMode ResolutionForMovie(const ResolutionRequest& request, const DisplayMode& current,
                               const std::vector<DisplayMode>& all, int pictureWidth, int pictureHeight);

}  // namespace kravelo
