#pragma once
// Full-screen playback: the video window leaves the main window for a window of its own that
// covers the screen (enlarged beyond it by the crop zoom), the display mode may change to suit
// the movie, and the control panel, the progress window and the message window take over from
// the main window. Also the sound volume, the transparent subtitles, the video window's pop-up
// menu and the movie's properties.
//
//     FullScreenController fs(window, movieSide);   // made by the movie side
//     fs.SetDisplayModes(&fakeModes);                // tests; otherwise the platform's own
//     fs.SetFullScreen(true);

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QList>
#include <memory>

#include "core/display_modes.h"

class QMenu;
class QTimer;
class QWidget;

namespace kravelo {

class DisplayModeService;
class MainWindow;
class MovieSideController;
class TFormControlPanel;
class TFormFSProgress;
class TFormMessage;

class FullScreenController : public QObject {
    Q_OBJECT
public:
    FullScreenController(MainWindow& window, MovieSideController& movie);
    ~FullScreenController() override;

    // The display modes; without one the platform's service is made when first needed.
    void SetDisplayModes(DisplayModeService* modes) { modes_ = modes; }

    void SetFullScreen(bool on);
    bool FullScreen() const { return fullScreen_; }
    // The crop zoom: the video window larger than the screen by `percent` of its width.
    void FullScreenZoom(int percent);
    // The time texts: the progress window and the control panel in full screen, status panel 2
    // otherwise.
    void ShowTimeDisplay(double position);
    // Key T: hidden → mode 1 → 2 → 3 → 0 → hidden.
    void CycleProgress();
    void ShowProgress();
    void HideProgress();
    // The sound level 0..255 of both volume bars, with its message.
    void SetVolume(int level);
    void ToggleTransparent();
    void ShowControlPanel();
    void CloseControlPanel();
    void ToggleControlPanel();
    // The housekeeping tick's share: cursor, time display, the control panel's mouse rule.
    void Tick(double position);
    // The message window: shown only in full screen and where "MessageBoxPos" says.
    void ShowMessage(const QString& text, const QColor& color);
    void MoviePropertiesCommand();

    QWidget* Host() const { return host_; }
    TFormControlPanel* ControlPanel() const { return panel_; }
    TFormFSProgress* Progress() const { return progress_; }
    TFormMessage* Message() const { return message_; }
    QMenu* VideoMenu() const { return videoMenu_; }
    QTimer* TimerAutoFS() const { return timerAutoFS_; }
    QTimer* TimerZoom() const { return timerZoom_; }
    // The display mode noted when full screen started.
    const DisplayMode& NotedMode() const { return noted_; }
    bool ModeChanged() const { return modeChanged_; }

signals:
    // The control panel's chapter button and menu items.
    void ChaptersRequested();
    void AddChapterRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RegisterCommands();
    void BuildVideoMenu();
    void ConnectPanel();
    void Enter();
    void Leave();
    void SetFontBar(int points);
    void SetZoomBar(int percent);
    void ApplyTransparentMode();
    void SetMenusEnabled(bool on);
    DisplayModeService& Modes();

    MainWindow& window_;
    MovieSideController& movie_;
    DisplayModeService* modes_ = nullptr;
    std::unique_ptr<DisplayModeService> ownModes_;
    QWidget* host_ = nullptr;
    TFormControlPanel* panel_ = nullptr;
    TFormFSProgress* progress_ = nullptr;
    TFormMessage* message_ = nullptr;
    QMenu* videoMenu_ = nullptr;
    QTimer* timerAutoFS_ = nullptr;
    QTimer* timerZoom_ = nullptr;

    bool fullScreen_ = false;
    DisplayMode noted_;
    bool modeChanged_ = false;
    int rememberedPlayState_ = 1;
    bool zoomInProgress_ = false;
    bool hasLastMouse_ = false;
    QPoint lastMouse_;
    int panelIdleTicks_ = 0;
    bool panelCounted_ = false;
    bool settingBar_ = false;
    // The window as it was before full screen, given back exactly.
    QRect windowGeometry_;
    bool windowMaximized_ = false;
    QList<int> splitterSizes_;
    bool editorHadFocus_ = false;
};

}  // namespace kravelo
