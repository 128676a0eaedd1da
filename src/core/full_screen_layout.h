#pragma once
// Geometry and texts of full-screen playback and the view modes, without a GUI: the zoomed
// video window with its letterbox bars, the time texts, the progress track, the time-display
// key's cycle, the control panel's mouse rule, the message window's place and the window-size
// zoom.

#include <string>

namespace kravelo {

// The video window in full screen: larger than the screen by `percent` of its width in each
// direction (the picture's edges are cut off), and the height of each letterbox bar.
struct ZoomLayout {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int bar = 0;  // each of the top and bottom bars; 0 when the picture fills the height
};
// `percent` is clamped to 0..100. Bars are computed only when the picture size is known; they
// are never negative: a picture taller than the window (portrait, or 4:3 zoomed) keeps its
// aspect without bars.
ZoomLayout FullScreenZoomLayout(int screenWidth, int screenHeight, int percent, int pictureWidth,
                                int pictureHeight);

// "H:MM:SS" (hours not padded) of a position in seconds; negative positions count as 0.
std::string TimeDisplayText(double seconds);
// "H:MM:SS.mmm", the status bar's clock outside full screen.
std::string StatusTimeText(double seconds);

// Width of the progress track in a panel `ownerWidth` wide: (ownerWidth + 1) × position /
// length, within 0..ownerWidth; 0 when the length is unknown (0 or less).
int ProgressTrackWidth(int ownerWidth, double position, double length);

// The progress window's state and what the time-display key (T) makes of it:
// hidden → shown in mode 1 → 2 → 3 → 0 → hidden.
struct ProgressState {
    bool shown = true;
    int mode = 1;  // 0 time above bar, 1 bar above time, 2 bar only, 3 time only
};
struct ProgressStep {
    ProgressState state;
    const char* firstMessage = nullptr;   // "ProgressOff" or "ProgressOn", or none
    const char* secondMessage = nullptr;  // "PregressChange" when the mode stepped
};
ProgressStep NextProgressState(ProgressState now);

// The control panel's rule on each housekeeping tick in full screen.
struct PanelMouseInput {
    bool hasLastPosition = false;
    int lastX = 0, lastY = 0;
    int x = 0, y = 0;
    bool panelVisible = false;
    bool insidePanel = false;
    bool mayShow = false;  // the application is active and no other window is open
    int idleTicks = 0;
};
enum class PanelAction { None, Show, Close };
struct PanelMouseResult {
    PanelAction action = PanelAction::None;
    int idleTicks = 0;
};
PanelMouseResult PanelMouseTick(const PanelMouseInput& in);

// Where the message window goes: 1 centred, 2 the top right; 0 nowhere (no message).
struct MessagePlace {
    bool shown = false;
    int x = 0;
    int y = 0;
};
MessagePlace MessageWindowPlace(int messageBoxPos, int screenWidth, int screenHeight, int windowWidth,
                                int windowHeight);

// The main window's client size for the window-size zoom (50, 100 or 200 %) of a picture: half
// sizes round toward zero; the height adds room for the tool bar and controls (21 pixels in
// compact mode, 90 otherwise).
struct ClientSize {
    int width = 0;
    int height = 0;
};
ClientSize ZoomClientSize(int pictureWidth, int pictureHeight, int percent, bool compact);

}  // namespace kravelo
