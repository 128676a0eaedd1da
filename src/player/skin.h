#pragma once
// Skins on the player's strips. A skin is one bitmap from the skins/ folder, tiled into four
// backgrounds (window strip, window track, full-screen panel, full-screen track), each with its
// own brightness, and put onto whatever parts are registered in `SkinTargets`. Every target is
// a guarded pointer that may be null: a part that does not exist yet (or any more) is skipped,
// so new strips plug in by filling their fields.
//
//     SkinTargets t;
//     t.windowControl = formMP->ImageControl;
//     t.windowPosition = formMP->KvTrackBarTrack;
//     t.windowBackgrounds = {toolBar, editorHeader};
//     SkinImages images;
//     if (ApplySkin(t, TrackerPixmap(), settings.SkinFileName, brightness, images) == SkinOutcome::Damaged) ...
//     SetTrackerWidths(t, 10, 6);

#include <QPixmap>
#include <QPointer>
#include <QSize>
#include <string>
#include <vector>

class QLabel;
class QWidget;

namespace kravelo {

class TKvTrackBar;

// The four brightness values (0..200; 130 leaves the skin as it is, lower is brighter).
struct SkinBrightness {
    int window = 15;
    int windowTrack = 80;
    int fullScreen = 180;
    int fullScreenTrack = 160;
    bool operator==(const SkinBrightness&) const = default;
};

struct SkinTargets {
    // The video window: its control strip picture and its two bars.
    QPointer<QWidget> windowControl;
    QPointer<TKvTrackBar> windowPosition;
    QPointer<TKvTrackBar> windowVolume;
    // The full-screen control panel: its background and its four bars.
    QPointer<QWidget> fullScreenBackground;
    QPointer<TKvTrackBar> fullScreenPosition;
    QPointer<TKvTrackBar> fullScreenFont;
    QPointer<TKvTrackBar> fullScreenVolume;
    QPointer<TKvTrackBar> fullScreenZoom;
    // Other strips drawn with the window background: the editor header, the tool bar.
    std::vector<QPointer<QWidget>> windowBackgrounds;
    // The skin dialog's previews of the four backgrounds.
    QPointer<QWidget> previewWindow;
    QPointer<QWidget> previewWindowTrack;
    QPointer<QWidget> previewFullScreen;
    QPointer<QWidget> previewFullScreenTrack;
};

// The four tiled backgrounds of the skin in use; null pictures without a skin.
struct SkinImages {
    QPixmap window;
    QPixmap windowTrack;
    QPixmap fullScreen;
    QPixmap fullScreenTrack;
};

// The word that stands for "no skin" in the settings.
inline constexpr char kNoSkin[] = "without";

enum class SkinOutcome {
    Removed,  // "without", or no such file: every picture taken off
    Applied,
    Damaged,  // the file could not be read as a bitmap: nothing was changed
};

// Sizes the backgrounds are tiled to when their target does not exist.
inline constexpr int kWindowStripWidth = 1600;
inline constexpr int kTrackHeight = 14;
inline constexpr QSize kControlPanelSize{636, 95};

// Puts the skin onto the targets (or takes it off); every bar's tracker shows `tracker`.
SkinOutcome ApplySkin(const SkinTargets& targets, const QPixmap& tracker, const std::string& fileName,
                      const SkinBrightness& brightness, SkinImages& images);

// The position bars take the video-seek width, the volume, font and zoom bars the settings width
// (each kept within the bars' 5..40).
void SetTrackerWidths(const SkinTargets& targets, int videoSeek, int settings);

// The program's own tracker picture.
QPixmap TrackerPixmap();

// The picture a background target shows; null when it has none.
QPixmap SkinPicture(const QWidget* target);

}  // namespace kravelo
