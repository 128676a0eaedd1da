#pragma once
// TFormMP, the video window: the picture, the logo shown while no movie is open, the
// letterbox bars of the full-screen zoom, and the control strip with play, pause, stop, repeat,
// the position bar and the volume bar. The three subtitle windows are its children. The main
// window places it into its video panel (PanelMP) and handles the signals.

#include <QWidget>

#include "player/kv_track_bar.h"
#include "player/media_player.h"
#include "player/subtitle_windows.h"

class QLabel;
class QTimer;
class QToolButton;

namespace kravelo {

class TFormMP : public QWidget {
    Q_OBJECT

  public:
    // The player's picture widget becomes a child of the window.
    explicit TFormMP(MediaPlayer* player, QWidget* parent = nullptr);

    MediaPlayer* Player() const { return player_; }

    QWidget* PanelKraveloLogo;
    QLabel* ImageKraveloLogo;
    QWidget* PanelTop;  // letterbox bars, hidden outside the full-screen zoom
    QWidget* PanelBottom;
    QWidget* MediaPlayerNew1;  // the player's picture
    QWidget* PanelControl;
    QLabel* ImageControl;  // the control strip's skin picture (plain without a skin)
    QWidget* Shape1;
    QToolButton* SpeedButtonPlay;
    QToolButton* SpeedButtonPause;
    QToolButton* SpeedButtonStop;
    QToolButton* SpeedButtonRepeat;
    TKvTrackBar* KvTrackBarTrack;   // deciseconds
    TKvTrackBar* KvTrackBarVolume;  // 0..255
    QLabel* ImageVolume;
    QTimer* TimerNapisyToFront;
    SubtitleWindows* Subtitles;  // TFormNapis1..TFormNapis3

    // Shows the logo over the picture (no movie open) or the picture.
    void SetLogoVisible(bool visible);
    // Full screen: no control strip; the subtitle windows sit on the bottom of the picture.
    void SetFullScreen(bool on);
    bool FullScreen() const { return fullScreen_; }
    // The letterbox bars of the full-screen zoom, each `height` pixels (0: none).
    void SetLetterbox(int height);
    int Letterbox() const { return letterbox_; }
    // The subtitles are painted transparently (full screen with "TransparentFonts").
    bool TransparentMode = false;

    // The subtitle fonts and elevations of the settings: `fullScreen` with `elevationFS` in full
    // screen, `window` with `elevation` otherwise. The current mode's set goes onto the subtitle
    // windows at once (its elevation stays for later layouts); the other set is kept for the
    // switch of mode.
    void ApplySubtitleSettings(const SubtitleFont& fullScreen, const SubtitleFont& window, int elevation,
                               int elevationFS);
    // The lift of the subtitles above the bottom of the picture in the current mode.
    int SubtitleElevation() const { return fullScreen_ ? elevationFS_ : elevation_; }

    // Presses the button that matches a play state (0 stop, 1 pause, 2 play).
    void ShowPlayState(int state);
    // Brings the subtitle windows to the front (after a click or a bar move on the picture).
    void BringSubtitlesToFront();

    // The control-strip buttons, as their clicks run them.
    void SpeedButtonPlayClick();
    void SpeedButtonPauseClick();
    void SpeedButtonStopClick();
    void SpeedButtonRepeatClick();

  signals:
    // A key pressed on the window, the picture or a subtitle window: for the keyboard commands.
    void KeyPressed(QKeyEvent* event);
    // A click on the picture, the bars or the control strip outside full screen: the main
    // window takes the focus back.
    void ActivateMainWindow();
    // The repeat button was clicked (its new state); the main window mirrors it.
    void RepeatClicked(bool down);
    // The volume bar set the player's volume; the main window mirrors the level.
    void VolumeChanged(int level);
    void FilesDropped(const QStringList& paths);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void Relayout();
    void PictureClicked();
    void RestartToFrontTimer();

    MediaPlayer* player_;
    bool fullScreen_ = false;
    int elevation_ = 0;
    int elevationFS_ = 0;
    int letterbox_ = 0;
};

}  // namespace kravelo
