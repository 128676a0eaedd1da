#pragma once
// The subtitle display on the main window: TimerNapisy (60 ms) runs the display tick against
// the player's position and draws into the subtitle windows; TimerNowyTekst, the edit delay,
// holds the display still after a seek and then has it rebuilt from the first line.
//
// The main window gives it the document through Source (its lines, frame rate, SSA tables and
// the movie length), keeps Options in step with the settings, calls RequestResync after
// anything that adds, removes or replaces lines or moves backwards, and SetDisplayOn from the
// display switch.

#include <QObject>
#include <functional>

#include "ops/subtitle_display.h"
#include "player/media_player.h"
#include "player/subtitle_windows.h"

class QTimer;

namespace kravelo {

struct DisplayOptions {
    bool SubtitleAdjust = true;
    bool LetItalic = true;
    bool TransparentFonts = false;
    bool FocusNaPoleEdycyjne = true;
    bool InfoNotSortSub = false;
    int DelaySubtitleOn = 10;  // ms
};

class SubtitleDisplayTimer : public QObject, private SubtitleDisplaySink {
    Q_OBJECT

  public:
    SubtitleDisplayTimer(MediaPlayer* player, SubtitleWindows* windows, QObject* parent = nullptr);

    // The document as the tick needs it; the position is filled in from the player.
    std::function<DisplayInput()> Source;
    DisplayOptions Options;
    bool FullScreen = false;
    bool Closing = false;
    // Number of open dialogs and auxiliary windows (the chapters window counts five).
    std::function<int()> OpenDialogCount;
    // Shows the modal "subtitles not sorted" notice (TFormSubNotSorted).
    std::function<void()> ShowNotSortedNotice;

    SubtitleCursor Cursor;
    bool ResyncRequested = true;

    QTimer* TimerNapisy;
    QTimer* TimerNowyTekst;

    // The display switch: the tick runs exactly while it is on. Off hides the subtitle.
    void SetDisplayOn(bool on);
    bool DisplayOn() const { return displayOn_; }
    void RequestResync() { ResyncRequested = true; }
    // The player's position jumped: start the edit delay.
    void PositionChanged();

    // One tick of TimerNapisy.
    void TimerNapisyTimer();
    // Transparent mode: full screen with transparent fonts.
    bool TransparentMode() const { return FullScreen && Options.TransparentFonts; }

  private:
    void ShowSubtitle(std::string_view text) override;
    void HideSubtitle() override;
    void SubtitlesNotSorted() override;

    MediaPlayer* player_;
    SubtitleWindows* windows_;
    bool displayOn_ = false;
};

}  // namespace kravelo
