#include "core/full_screen_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kravelo {

ZoomLayout FullScreenZoomLayout(int screenWidth, int screenHeight, int percent, int pictureWidth,
                                int pictureHeight) {
    percent = std::clamp(percent, 0, 100);
    const int offset = static_cast<int>(percent * screenWidth * 0.01);
    ZoomLayout z;
    z.width = screenWidth + offset;
    z.height = screenHeight + offset;
    z.x = -offset / 2;
    z.y = -offset / 2;
    if (pictureWidth > 0 && pictureHeight > 0) {
        const long long shown = static_cast<long long>(pictureHeight) * z.width / pictureWidth;
        const double bar = (static_cast<double>(z.height) - static_cast<double>(shown)) * 0.5 + 1.0;
        // A picture taller than the window gets no bars; the player keeps its aspect.
        z.bar = shown >= z.height ? 0 : std::max(0, static_cast<int>(bar));
    }
    return z;
}

namespace {

void SplitClock(double seconds, long long& h, int& m, int& s, int& ms) {
    if (!(seconds > 0.0)) seconds = 0.0;
    const long long totalMs = static_cast<long long>(seconds * 1000.0);
    const long long total = totalMs / 1000;
    ms = static_cast<int>(totalMs % 1000);
    h = total / 3600;
    m = static_cast<int>((total / 60) % 60);
    s = static_cast<int>(total % 60);
}

}  // namespace

std::string TimeDisplayText(double seconds) {
    long long h;
    int m, s, ms;
    SplitClock(seconds, h, m, s, ms);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%lld:%02d:%02d", h, m, s);
    return buf;
}

std::string StatusTimeText(double seconds) {
    long long h;
    int m, s, ms;
    SplitClock(seconds, h, m, s, ms);
    char buf[56];
    std::snprintf(buf, sizeof buf, "%lld:%02d:%02d.%03d", h, m, s, ms);
    return buf;
}

int ProgressTrackWidth(int ownerWidth, double position, double length) {
    if (ownerWidth <= 0 || !(length > 0.0) || !(position > 0.0)) return 0;
    const double w = (ownerWidth + 1) * position / length;
    if (!(w < ownerWidth)) return ownerWidth;
    return static_cast<int>(w);
}

ProgressStep NextProgressState(ProgressState now) {
    ProgressStep step;
    step.state = now;
    if (now.shown && now.mode == 0) {
        step.state.shown = false;
        step.firstMessage = "ProgressOff";
        return step;
    }
    if (now.mode == 0) {
        step.state.shown = true;
        step.firstMessage = "ProgressOn";
    }
    step.state.mode = (now.mode + 1) % 4;
    step.secondMessage = "PregressChange";
    return step;
}

PanelMouseResult PanelMouseTick(const PanelMouseInput& in) {
    PanelMouseResult r;
    r.idleTicks = in.idleTicks;
    const int dx = std::abs(in.x - in.lastX);
    const int dy = std::abs(in.y - in.lastY);
    if (!in.panelVisible) {
        r.idleTicks = 0;
        if (in.hasLastPosition && in.mayShow && (dx > 50 || dy > 50)) r.action = PanelAction::Show;
        return r;
    }
    if (dx < 2 && dy < 2) {
        if (!in.insidePanel) ++r.idleTicks;
    } else {
        r.idleTicks = 0;
    }
    if (r.idleTicks >= 3) {
        r.action = PanelAction::Close;
        r.idleTicks = 0;
    }
    return r;
}

MessagePlace MessageWindowPlace(int messageBoxPos, int screenWidth, int screenHeight, int windowWidth,
                                int windowHeight) {
    MessagePlace p;
    if (messageBoxPos == 1) {
        p.shown = true;
        p.x = (screenWidth - windowWidth) / 2;
        p.y = (screenHeight - windowHeight) / 2;
    } else if (messageBoxPos == 2) {
        p.shown = true;
        // The label's width plus the window's 6 px border sits 20 px from the right edge.
        p.x = screenWidth - (windowWidth - 6) - 20;
        p.y = 13;
    }
    return p;
}

ClientSize ZoomClientSize(int pictureWidth, int pictureHeight, int percent, bool compact) {
    ClientSize c;
    if (percent == 50) {
        c.width = pictureWidth / 2;
        c.height = pictureHeight / 2;
    } else if (percent == 200) {
        c.width = pictureWidth * 2;
        c.height = pictureHeight * 2;
    } else {
        c.width = pictureWidth;
        c.height = pictureHeight;
    }
    c.height += compact ? 21 : 90;
    return c;
}

}  // namespace kravelo
