#include "core/display_modes.h"

#include <algorithm>

namespace kravelo {

std::vector<DisplayMode> DistinctDisplayModes(const std::vector<DisplayMode>& all) {
    std::vector<DisplayMode> out;
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        const bool seen = std::any_of(out.begin(), out.end(), [&](const DisplayMode& m) {
            return m.width == it->width && m.height == it->height;
        });
        if (!seen) out.push_back(DisplayMode{it->width, it->height, it->bitsPerPixel, 0});
    }
    std::stable_sort(out.begin(), out.end(), [](const DisplayMode& a, const DisplayMode& b) {
        return a.width != b.width ? a.width < b.width : a.height < b.height;
    });
    return out;
}

bool ChooseModeForPicture(const std::vector<DisplayMode>& modes, int pictureWidth, int pictureHeight,
                          bool limited, int limitWidth, int limitHeight, DisplayMode* chosen) {
    if (pictureWidth <= 0 || pictureHeight <= 0) return false;
    const DisplayMode* fitting = nullptr;
    const DisplayMode* largest = nullptr;
    auto area = [](const DisplayMode& m) { return static_cast<long long>(m.width) * m.height; };
    for (const DisplayMode& m : modes) {
        if (m.width <= 0 || m.height <= 0) continue;
        if (limited && (m.width > limitWidth || m.height > limitHeight)) continue;
        if (!largest || area(m) > area(*largest)) largest = &m;
        if (m.width >= pictureWidth && m.height >= pictureHeight && (!fitting || area(m) < area(*fitting)))
            fitting = &m;
    }
    const DisplayMode* pick = fitting ? fitting : largest;
    if (!pick) return false;
    *chosen = *pick;
    return true;
}

DisplayMode ResolutionForMovie(const ResolutionRequest& request, const DisplayMode& current,
                               const std::vector<DisplayMode>& all, int pictureWidth, int pictureHeight) {
    DisplayMode target = current;
    target.refreshRate = 0;
    if (request.kind == 1) {
        target.width = request.fixedWidth;
        target.height = request.fixedHeight;
    } else if (request.kind == 2) {
        DisplayMode chosen;
        if (ChooseModeForPicture(DistinctDisplayModes(all), pictureWidth, pictureHeight, request.limited,
                                 request.limitWidth, request.limitHeight, &chosen)) {
            target.width = chosen.width;
            target.height = chosen.height;
        }
    }
    if (request.colourKind == 1) {
        int deepest = 0;
        for (const DisplayMode& m : all)
            if (m.width == target.width && m.height == target.height) deepest = std::max(deepest, m.bitsPerPixel);
        target.bitsPerPixel = deepest;
    }
    return target;
}

}  // namespace kravelo
