#pragma once
// Display modes of the screen the program runs on: listing them, reading the current one and
// switching for full-screen playback. The real service speaks XRandR when the display is X11;
// elsewhere it reports the one current mode and refuses changes. Tests use FakeDisplayModes.

#include <memory>
#include <vector>

#include "core/display_modes.h"

namespace kravelo {

class DisplayModeService {
public:
    virtual ~DisplayModeService() = default;
    // Every mode the display offers (width, height, bits per pixel; refresh where known).
    virtual std::vector<DisplayMode> DisplayModesAll() = 0;
    virtual DisplayMode ReadCurrentDisplayMode() = 0;
    // Fields of `mode` that are 0 keep their current value. True only when the display took it.
    virtual bool ChangeDisplayMode(const DisplayMode& mode) = 0;
};

// XRandR on X11, a fixed single mode otherwise.
std::unique_ptr<DisplayModeService> MakeDisplayModeService();

// In-memory display for tests: `modes` is what it offers; a change to a mode not in the list,
// or any change while `refuse` is set, fails and leaves `current` alone.
class FakeDisplayModes : public DisplayModeService {
public:
    std::vector<DisplayMode> modes;
    DisplayMode current;
    bool refuse = false;
    int changes = 0;

    std::vector<DisplayMode> DisplayModesAll() override { return modes; }
    DisplayMode ReadCurrentDisplayMode() override { return current; }
    bool ChangeDisplayMode(const DisplayMode& mode) override {
        ++changes;
        if (refuse) return false;
        for (const DisplayMode& m : modes) {
            if ((mode.width <= 0 || m.width == mode.width) && (mode.height <= 0 || m.height == mode.height) &&
                (mode.bitsPerPixel <= 0 || m.bitsPerPixel == mode.bitsPerPixel)) {
                current = m;
                if (mode.refreshRate > 0) current.refreshRate = mode.refreshRate;
                return true;
            }
        }
        return false;
    }
};

}  // namespace kravelo
