// Main window: the options dialog and the statistics window, the running time and the
// editor font they share with the start-up.

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <cmath>

#include "app/form_options.h"
#include "app/form_statistics.h"
#include "app/main_window.h"
#include "core/display_modes.h"
#include "platform/display_modes.h"

namespace kravelo {

void MainWindow::CreateOptionsForms() {
    options_ = new TFormUstawienia(openDialogs_, prompts_, this);
    statistics_ = new TFormStatistics(settings_, openDialogs_, prompts_, this);
    statistics_->runningSeconds = [this] { return RunningSeconds(); };
    statistics_->restartRunningTime = [this] { RestartRunningTime(); };
    ownDisplayModes_ = MakeDisplayModeService();
    displayModes_ = ownDisplayModes_.get();
    language_.AddForm(options_);
    language_.AddForm(statistics_);
}

void MainWindow::SetFileAssociations(FileAssociations* associations) { options_->SetFileAssociations(associations); }

void MainWindow::SetDisplayModeService(DisplayModeService* service) {
    displayModes_ = service ? service : ownDisplayModes_.get();
    options_->SetDisplayModes(DistinctDisplayModes(displayModes_->DisplayModesAll()));
}

double MainWindow::RunningSeconds() const {
    // The small allowance keeps a whole second whole: the difference of two large clock readings
    // may come out a hair below it.
    return workingTimeAtStart_ + std::floor(std::max(0.0, secondsNow() - startSeconds_) + 1e-6);
}

void MainWindow::RestartRunningTime() {
    workingTimeAtStart_ = 0.0;
    startSeconds_ = secondsNow();
}

void MainWindow::ApplyEditorFontSize(int size) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(size > 0 ? size : 9);
    editor_->setFont(font);
}

void MainWindow::OptionsCommand() {
    options_->Fill(settings_, editor_->font().pointSize());
    if (prompts_.ExecDialog(*options_) != QDialog::Accepted) return;
    // Every value into its setting, then each applied where it acts, then saved.
    options_->Store(settings_);
    ApplyEditorFontSize(settings_.EditorFontSize);
    emit OptionsApplied();
    commands_->Refresh();  // the user jumps' captions carry their lengths
    settings_.SystemCrashed = true;
    SaveSettingsNow();
}

void MainWindow::StatisticsCommand() { prompts_.ExecDialog(*statistics_); }

}  // namespace kravelo
