#include "ops/dialogs/operation_frame.h"

#include <QAction>
#include <QApplication>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "ops/dialogs/frame_rate_dialogs.h"
#include "ops/dialogs/line_error_dialog.h"
#include "ops/validate.h"
#include "ui/prompts.h"
#include "ui/subtitle_session.h"

namespace kravelo {

namespace {

int EndOfBlock(const QTextBlock& b) { return b.position() + b.length() - 1; }

}  // namespace

// --- ProgressPanel

ProgressPanel::ProgressPanel(QWidget* parent) : QLabel(parent) {}

void ProgressPanel::SetOwnerDrawn(bool ownerDrawn) {
    ownerDrawn_ = ownerDrawn;
    update();
}

void ProgressPanel::Draw(long position, long total, const QColor& color) {
    int width = total > 0 ? static_cast<int>(position * 101 / total) : 0;
    // Redraw only when the bar changes: engines report every tenth line.
    if (width == barWidth_ && color == color_) return;
    barWidth_ = width;
    color_ = color;
    if (ownerDrawn_ && isVisible()) repaint();
}

void ProgressPanel::paintEvent(QPaintEvent* event) {
    if (!ownerDrawn_) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.fillRect(QRect(1, height() / 2 - 6, barWidth_, 15), color_);
}

// --- OperationFrame

OperationFrame::OperationFrame(QPlainTextEdit& editor, ProgressPanel& panel, Prompts& prompts, SubtitleSession& session,
                               TFormPytanie12BladLinii& lineError, TFormPytanie09OkreslFPS& defaultFrameRate,
                               QAction* undo)
    : editor_(editor),
      panel_(panel),
      prompts_(prompts),
      session_(session),
      lineError_(lineError),
      defaultFrameRate_(defaultFrameRate),
      undo_(undo) {}

LineRange OperationFrame::GetWorkRange() const {
    QTextCursor c = editor_.textCursor();
    std::vector<long> lengths = EditorLineLengths(*editor_.document());
    return kravelo::GetWorkRange(lengths, c.selectionStart(), c.selectionEnd() - c.selectionStart());
}

SubtitleDocument OperationFrame::CopyDocument() const {
    return session_.Copy();
}

void OperationFrame::WriteBack(const std::vector<std::string>& before, const std::vector<std::string>& after) {
    WriteLinesBack(editor_, before, after);
    session_.LinesWereReplaced();
}

void OperationFrame::DrawProgress(long position, long total, ProgressColor color) {
    QColor c = color == ProgressColor::Red    ? QColor(255, 0, 0)
               : color == ProgressColor::Blue ? QColor(0, 0, 255)
                                              : panel_.palette().button().color();
    panel_.Draw(position, total, c);
}

ProgressFn OperationFrame::Progress() {
    return [this](long position, long total, ProgressColor color) { DrawProgress(position, total, color); };
}

void OperationFrame::BeginBulkEdit() {
    panel_.SetOwnerDrawn(true);
    DrawProgress(100, 100, ProgressColor::Face);
    displayWasOn_ = subtitleDisplayOn && subtitleDisplayOn();
    if (displayWasOn_ && toggleSubtitleDisplay) toggleSubtitleDisplay();
    QTextCursor c = editor_.textCursor();
    selectionStart_ = c.selectionStart();
    selectionLength_ = c.selectionEnd() - c.selectionStart();
    caretLine_ = c.blockNumber();
    caretColumn_ = c.positionInBlock();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    editor_.setUpdatesEnabled(false);
    active_ = true;
}

// The editor comes back to life: the part of EndBulkEdit that AbortBulkEdit shares.
void OperationFrame::ResumeEditor() {
    editor_.setUpdatesEnabled(true);
    editor_.viewport()->update();
    session_.LinesWereReplaced();
    if (editor_.isEnabled() && editor_.isVisible()) editor_.setFocus();
    panel_.SetOwnerDrawn(false);
    if (active_) QApplication::restoreOverrideCursor();
    active_ = false;
    if (displayWasOn_ && toggleSubtitleDisplay) toggleSubtitleDisplay();
    displayWasOn_ = false;
}

void OperationFrame::EndBulkEdit(long first, long last) {
    QTextDocument& doc = *editor_.document();
    QTextCursor c(&doc);
    const long count = EditorLineCount(doc);
    if (first == 0 && last >= count) {
        // The whole document: the caret back on its line, at its column or the line's end.
        QTextBlock b = doc.findBlockByNumber(std::min(caretLine_, doc.blockCount() - 1));
        c.setPosition(b.position() + std::min(caretColumn_, b.length() - 1));
    } else {
        // The processed lines selected, including the last one's line break.
        Selection s = SelectionOfRange(EditorLineLengths(doc), first, last);
        const int end = std::min<long>(s.start + s.length, doc.characterCount() - 1);
        c.setPosition(static_cast<int>(std::min<long>(s.start, end)));
        c.setPosition(end, QTextCursor::KeepAnchor);
    }
    editor_.setTextCursor(c);
    ResumeEditor();
    editor_.ensureCursorVisible();
    // Undo is disabled: the rewrite cannot be undone line by line, and undoing it would leave
    // DocumentFormat and the SSA tables behind the text.
    doc.clearUndoRedoStacks();
    if (undo_) undo_->setEnabled(false);
}

void OperationFrame::AbortBulkEdit() {
    ResumeEditor();
    QTextCursor c = editor_.textCursor();
    if (!c.hasSelection()) {
        c.movePosition(QTextCursor::StartOfBlock);
        editor_.setTextCursor(c);
    }
    editor_.ensureCursorVisible();
}

bool OperationFrame::ValidateWorkRange(long first, long& last) {
    BeginBulkEdit();
    SubtitleDocument doc = CopyDocument();
    const std::vector<std::string> before = doc.lines;
    auto choose = [this](long index) {
        // The caret goes to the unrecognised line, and the editor shows it while the dialog is up.
        QTextCursor c(editor_.document()->findBlockByNumber(static_cast<int>(index)));
        editor_.setTextCursor(c);
        editor_.setUpdatesEnabled(true);
        editor_.ensureCursorVisible();
        lineError_.SelectBreak();
        int result = prompts_.ExecDialog(lineError_);
        editor_.setUpdatesEnabled(false);
        return result == QDialog::Accepted ? lineError_.Choice() : LineErrorChoice::Break;
    };
    ValidateResult result = ValidateLines(doc, first, last, choose, Progress());
    lineError_.SelectBreak();
    if (result.deleted > 0) WriteBack(before, doc.lines);
    if (result.ok) {
        EndBulkEdit(first, last);
        return true;
    }
    AbortBulkEdit();
    return false;
}

bool OperationFrame::EnsureFrameRate() {
    if (session_.State().frameRate != 0.0) return true;
    defaultFrameRate_.SetExplanationVisible(true);
    if (prompts_.ExecDialog(defaultFrameRate_) != QDialog::Accepted) return false;
    session_.State().frameRate = defaultFrameRate_.Rate();
    return true;
}

void OperationFrame::ReplaceLine(long index, const std::string& text) {
    QTextBlock b = editor_.document()->findBlockByNumber(static_cast<int>(index));
    if (!b.isValid()) return;
    QTextCursor c(b);
    c.setPosition(EndOfBlock(b), QTextCursor::KeepAnchor);
    c.insertText(QString::fromStdString(text));
    editor_.setTextCursor(c);
    session_.LinesWereReplaced();
}

}  // namespace kravelo
