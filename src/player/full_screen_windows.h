#pragma once
// The two small windows of full-screen playback besides the control panel: the progress window
// (the time and a progress track at the top left) and the message window that confirms each
// command for a second. Both are children of the full-screen window, drawn over the picture.

#include <QColor>
#include <QWidget>

class QLabel;
class QMenu;
class QTimer;

namespace kravelo {

class TFormFSProgress : public QWidget {
    Q_OBJECT
  public:
    explicit TFormFSProgress(QWidget* parent = nullptr);

    QWidget* PanelTime;
    QLabel* LabelCurrent;
    QLabel* LabelSlash;
    QLabel* LabelDuration;
    QWidget* PanelProgress;  // 150 x 6
    QWidget* PanelProgressOwner;
    QWidget* PanelProgressTrack;
    QMenu* PopupMenuWielkoscCzcionki;

    // 0 time above the bar, 1 the bar above the time, 2 the bar only, 3 the time only.
    void SetProgressMode(int mode);
    int ProgressMode() const { return mode_; }
    // The time texts and the track for a position of a movie `length` seconds long.
    void ShowTimeDisplay(double position, double length);
    // Shown at the top left, or moved out of sight (-500, -500).
    void ShowProgress();
    void HideProgress();
    bool ProgressShown() const { return shown_; }
    void SetFontSize(int points);
    int FontSize() const { return fontSize_; }

  signals:
    // A size from the pop-up menu: the settings keep it.
    void FontSizeChosen(int points);

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void Relayout();
    int mode_ = 1;
    int fontSize_ = 10;
    bool shown_ = false;
};

class TFormMessage : public QWidget {
    Q_OBJECT
  public:
    explicit TFormMessage(QWidget* parent = nullptr);

    QLabel* LabelZoom;
    QTimer* Timer1;                 // 1000 ms: the message goes
    QTimer* TimerRefreshSubtitles;  // 1 ms after it went: the subtitles are drawn again

    // Shows the text in its colour at the place `messageBoxPos` names (0 none, 1 centre,
    // 2 top right) within the parent; false when nothing is shown.
    bool ShowMessage(const QString& text, const QColor& color, int messageBoxPos);
    void CloseMessage();

  signals:
    void RefreshSubtitles();
};

}  // namespace kravelo
