#pragma once
// TFormStatistics, "Statystyki": since when the statistics are kept, how often and how long the
// program ran, how many movies and subtitle files it opened and their total length and sizes.
// The counters are settings; the window shows them, recomputed each time it is shown, and
// "Zeruj" starts them again (written by the next save).
//
//     TFormStatistics stats(settings, openDialogs, prompts, window);
//     stats.runningSeconds = [&] { return window.RunningSeconds(); };
//     stats.restartRunningTime = [&] { window.RestartRunningTime(); };
//     prompts.ExecDialog(stats);

#include <functional>

#include "core/statistics.h"
#include "ops/dialogs/counted_dialog.h"

class QLineEdit;

namespace kravelo {

struct Settings;

class TFormStatistics : public CountedDialog {
    Q_OBJECT
public:
    TFormStatistics(Settings& settings, OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    // The running time of the earlier runs and this one, in seconds.
    std::function<double()> runningSeconds;
    // The running time starts again from 0 now.
    std::function<void()> restartRunningTime;
    // The local date and time (the system's unless a test replaces it).
    std::function<DateTime()> now = LocalNow;

    // Recomputes every field.
    void RefreshStatistics();
    // "Zeruj": asks, then starts every counter again from today.
    void Reset();

    QLineEdit* EditDateFrom;
    QLineEdit* EditDateTo;
    QLineEdit* EditDaysCount;
    QLineEdit* EditExecuteCount;
    QLineEdit* EditTimeCountD;
    QLineEdit* EditTimeCountH;
    QLineEdit* EditTimeCountM;
    QLineEdit* EditTimeCountS;
    QLineEdit* EditTimePerDay;
    QLineEdit* EditMoviesCount;
    QLineEdit* EditSubtitlesCount;
    QLineEdit* EditTotalMovieSize;
    QLineEdit* EditTotalSubSize;
    QLineEdit* EditTotalMovieTime;
    QLineEdit* EditMovieTimePerDay;
    QPushButton* ButtonReset;
    QPushButton* Button1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Settings& settings_;
};

}  // namespace kravelo
