#pragma once
// TFormControlPanel: the full-screen control panel at the top of the screen, shown when the
// mouse moves. Its buttons and bars only report what the user did (signals); the full-screen
// controller acts on them and mirrors the states back. Skins replace `ImageBackground` and the
// bars' pictures; the chapter commands arrive through `ChaptersRequested`/`AddChapterRequested`
// and the pop-up menu's actions.

#include <QWidget>

#include "player/kv_track_bar.h"

class QButtonGroup;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;

namespace kravelo {

class TFormControlPanel : public QWidget {
    Q_OBJECT
  public:
    explicit TFormControlPanel(QWidget* parent = nullptr);

    QLabel* ImageBackground;
    QLabel* ImageLogo;
    QLabel* LabelCurrent;
    QLabel* Label1;
    QLabel* LabelDuration;
    QLabel* LabelFileName;
    QLabel* LabelVRes;
    QToolButton* SpeedButtonTimeBack;
    QToolButton* SpeedButtonStop;
    QToolButton* SpeedButtonPause;
    QToolButton* SpeedButtonPlay;
    QToolButton* SpeedButtonFFwd;
    QToolButton* SpeedButtonFullScreen;
    QToolButton* SpeedButtonShowSubTit;
    QToolButton* SpeedButtonCPHide;
    QToolButton* SpeedButtonProgress;
    QToolButton* SpeedButtonShDown;
    QToolButton* SpeedButtonRepeat;
    QToolButton* SpeedButtonChapters;
    QToolButton* SpeedButtonClose;
    TKvTrackBar* KvTrackBar1;       // position, deciseconds
    TKvTrackBar* KvTrackBarFont;    // 10..48
    TKvTrackBar* KvTrackBarVolume;  // 0..255
    TKvTrackBar* KvTrackBarZoom;    // 0..100
    QTimer* TimerWlaczNapisy;       // 1300 ms after a font change: the sample goes
    QMenu* PopupMenu;
    // The volume level when the panel was made.
    int StoredVolume = 100;

    // Presses the button of a play state (0 stop, 1 pause, 2 play).
    void ShowPlayState(int state);
    // The pop-up menu's item by its object name.
    QAction* MenuItem(const char* name) const;
    // Places the panel at the top of a parent `width` wide, centred but never left of x = 109.
    void PlaceAtTop(int parentWidth);

  signals:
    void PlayClicked();
    void PauseClicked();
    void StopClicked();
    void TimeBackClicked();
    void ForwardClicked();
    void FullScreenOffClicked();
    void ShowSubtitlesClicked();
    void ExitClicked();
    void ProgressClicked();
    void ShutDownClicked(bool down);
    void RepeatClicked(bool down);
    void ChaptersRequested();
    void AddChapterRequested();
    void CloseClicked();
    // A bar moved by the user (or set with its change event raised).
    void PositionMoved(int deciseconds);
    void VolumeMoved(int level);
    void ZoomMoved(int percent);
    void FontMoved(int points);
    // While it is dragged, the subtitles are out of the way.
    void DragStarted();
    void DragFinished();
    void Hidden();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QToolButton* Button(const char* name, int icon, const QString& hint, bool checkable);
    QPoint dragOffset_;
    bool dragging_ = false;
};

}  // namespace kravelo
