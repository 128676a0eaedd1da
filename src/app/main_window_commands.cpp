// Main window: the active format and the whole-document commands that run in the operation
// frame (Parts 1.5, 2.1, 2.3).

#include <QAction>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolButton>

#include "app/main_window.h"
#include "core/convert.h"
#include "core/text_util.h"
#include "ops/dialogs/convert_dialogs.h"
#include "ops/dialogs/frame_rate_dialogs.h"
#include "ops/dialogs/shift_dialog.h"
#include "ops/frame_rate.h"
#include "ops/shift.h"

namespace kravelo {

// --- Active format

void MainWindow::SetActiveFormat(int format) {
    state_.activeFormat = format;
    settings_.DefaultSubtitlesFormat = format;
    QString choice = setFormat_->ChoiceCaption(format);
    if (choice.isEmpty()) choice = QStringLiteral("NA");
    const QString caption = prompts_.Text("Form1", "ActiveSubtitlesFormat") + u' ' + choice;
    Action(QStringLiteral("FRM_MPL1"))->setText(caption);
    QString hint = caption + QStringLiteral(" (Ctrl+~)");
    if (qsizetype amp = hint.indexOf(u'&'); amp >= 0) hint.remove(amp, 1);
    buttonFrmMpl_->setToolTip(hint);
}

void MainWindow::ActiveFormatCommand() {
    setFormat_->SetChosen(state_.activeFormat);
    if (prompts_.ExecDialog(*setFormat_) == QDialog::Accepted) state_.activeFormat = setFormat_->Chosen();
    SetActiveFormat(state_.activeFormat);
}

// --- Conversion

void MainWindow::ConvertCommand() {
    LineRange r = frame_->GetWorkRange();
    // SubRip text is not validated: its lines are not subtitle lines.
    if (state_.documentFormat != kFormatSubRip && !frame_->ValidateWorkRange(r.first, r.last)) return;
    if (!frame_->EnsureFrameRate()) return;
    const int playResY = MovieLoaded() && movie.imageHeight ? movie.imageHeight() : settings_.SSA.playResY;
    convert_->FillSsaOptions(settings_.SSA, playResY);
    if (prompts_.ExecDialog(*convert_) != QDialog::Accepted) return;
    const int target = convert_->Target();
    if (target == kFormatSsa) settings_.SSA = convert_->SsaOptionsOf();

    frame_->BeginBulkEdit();
    SubtitleDocument doc = frame_->CopyDocument();
    const std::vector<std::string> before = doc.lines;
    OrderReport report = ConvertLines(doc, target, settings_.SSA, r.first, r.last, frame_->Progress());
    state_.documentFormat = target;
    state_.ssa = doc.ssa;
    frame_->WriteBack(before, doc.lines);
    frame_->EndBulkEdit(r.first, r.last);
    if (auto warning = report.Warning()) ShowMessage(*warning);
}

// --- Time shift and nudges

void MainWindow::TimeShiftCommand() {
    LineRange r = frame_->GetWorkRange();
    if (!frame_->ValidateWorkRange(r.first, r.last)) return;
    if (!frame_->EnsureFrameRate()) return;
    shift_->SetFrameRate(state_.frameRate);
    if (prompts_.ExecDialog(*shift_) != QDialog::Accepted) return;
    const double amount = shift_->Seconds();

    frame_->BeginBulkEdit();
    SubtitleDocument doc = frame_->CopyDocument();
    const std::vector<std::string> before = doc.lines;
    ShiftResult result =
        ShiftTimes(doc, amount, shift_->ChangeStart(), shift_->ChangeEnd(), r.first, r.last, frame_->Progress());
    frame_->WriteBack(before, doc.lines);
    frame_->EndBulkEdit(r.first, r.last);
    if (auto warning = result.Warning()) ShowMessage(*warning);
}

void MainWindow::NudgeCommand(bool forward) {
    const int selectionStart = editor_->textCursor().selectionStart();
    if (!frame_->EnsureFrameRate()) return;
    const int line = editor_->textCursor().blockNumber();
    // Only the caret's line is read and written: no line check, no bulk edit.
    SubtitleDocument doc = frame_->CopyDocument();
    if (line >= static_cast<int>(doc.lines.size())) return;
    const std::string old = doc.lines[static_cast<std::size_t>(line)];
    ShiftResult result = NudgeLine(doc, line, forward);
    if (doc.lines[static_cast<std::size_t>(line)] != old) frame_->ReplaceLine(line, doc.lines[static_cast<std::size_t>(line)]);
    QTextCursor c = editor_->textCursor();
    c.setPosition(std::min(selectionStart, editor_->document()->characterCount() - 1));
    editor_->setTextCursor(c);
    if (auto warning = result.Warning()) ShowMessage(*warning);
}

// --- Frame rates

void MainWindow::FrameRateChangeCommand() {
    LineRange r = frame_->GetWorkRange();
    if (!frame_->ValidateWorkRange(r.first, r.last)) return;
    if (prompts_.ExecDialog(*fpsChange_) != QDialog::Accepted) return;
    frame_->BeginBulkEdit();
    SubtitleDocument doc = frame_->CopyDocument();
    const std::vector<std::string> before = doc.lines;
    ChangeFrameRate(doc, fpsChange_->SourceRate(), fpsChange_->TargetRate(), r.first, r.last, frame_->Progress());
    frame_->WriteBack(before, doc.lines);
    frame_->EndBulkEdit(r.first, r.last);
}

void MainWindow::DefaultFrameRateCommand() {
    defaultFps_->SetExplanationVisible(false);
    if (prompts_.ExecDialog(*defaultFps_) != QDialog::Accepted) return;
    state_.frameRate = defaultFps_->Rate();
    fpsChange_->LabelFps2->setText(QString::fromStdString(FormatGeneral(state_.frameRate)));
}

}  // namespace kravelo
