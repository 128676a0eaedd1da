#pragma once
// TFormSubNotSorted: the notice the subtitle display shows during playback when it meets
// subtitles out of order. It counts down from 5 once a second and closes itself at 0, so a
// viewer who is not at the keyboard is not left with a paused movie.

#include "ops/dialogs/counted_dialog.h"

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace kravelo {

class TFormSubNotSorted : public CountedDialog {
    Q_OBJECT
  public:
    TFormSubNotSorted(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    // Shows the notice modally through the prompt seam: caption TypeMessages/Warning, text
    // Form1/SubtitlesNotSorted.
    void Notify();

    // One second of the countdown: LabelCount goes down by one (a text that is not a number
    // counts as 5) and the notice closes as if OK were pressed when it reaches 0.
    void Timer1Timer();

    QLabel* ImageWarning;
    QLabel* LabelMessage;
    QLabel* LabelCount;
    QFrame* Bevel1;
    QPushButton* Button1;  // OK
    QTimer* Timer1;

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
};

}  // namespace kravelo
