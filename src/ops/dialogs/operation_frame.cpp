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

namespace kravelo {

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

// --- Editor lines

long EditorLineCount(const QTextDocument& document) {
    if (document.characterCount() <= 1) return 0;  // only the closing paragraph separator
    return document.blockCount();
}

std::vector<std::string> EditorLines(const QTextDocument& document) {
    std::vector<std::string> lines;
    if (EditorLineCount(document) == 0) return lines;
    lines.reserve(static_cast<std::size_t>(document.blockCount()));
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) lines.push_back(b.text().toStdString());
    return lines;
}

std::vector<long> EditorLineLengths(const QTextDocument& document) {
    std::vector<long> lengths;
    if (EditorLineCount(document) == 0) return lengths;
    lengths.reserve(static_cast<std::size_t>(document.blockCount()));
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) lengths.push_back(b.length() - 1);
    return lengths;
}

namespace {

QString Join(const std::vector<std::string>& lines, std::size_t from, std::size_t to) {
    std::string text;
    std::size_t size = 0;
    for (std::size_t i = from; i < to; ++i) size += lines[i].size() + 1;
    text.reserve(size);
    for (std::size_t i = from; i < to; ++i) {
        if (i > from) text += '\n';
        text += lines[i];
    }
    return QString::fromStdString(text);
}

int EndOfBlock(const QTextBlock& b) { return b.position() + b.length() - 1; }

}  // namespace

void WriteLinesBack(QPlainTextEdit& editor, const std::vector<std::string>& before,
                    const std::vector<std::string>& after) {
    QTextDocument& doc = *editor.document();
    const std::size_t nb = before.size();
    const std::size_t na = after.size();
    std::size_t head = 0;
    while (head < nb && head < na && before[head] == after[head]) ++head;
    if (head == nb && head == na) return;
    std::size_t tail = 0;
    while (tail < nb - head && tail < na - head && before[nb - 1 - tail] == after[na - 1 - tail]) ++tail;
    const std::size_t oldCount = nb - head - tail;
    const std::size_t newCount = na - head - tail;

    QTextCursor c(&doc);
    c.beginEditBlock();
    if (nb == 0 || na == 0) {
        c.select(QTextCursor::Document);
        c.insertText(Join(after, 0, na));
    } else if (oldCount > 0 && newCount > 0) {
        QTextBlock first = doc.findBlockByNumber(static_cast<int>(head));
        QTextBlock last = doc.findBlockByNumber(static_cast<int>(head + oldCount - 1));
        c.setPosition(first.position());
        c.setPosition(EndOfBlock(last), QTextCursor::KeepAnchor);
        c.insertText(Join(after, head, head + newCount));
    } else if (oldCount == 0) {  // lines inserted
        if (head < nb) {
            c.setPosition(doc.findBlockByNumber(static_cast<int>(head)).position());
            c.insertText(Join(after, head, head + newCount) + u'\n');
        } else {
            c.setPosition(EndOfBlock(doc.lastBlock()));
            c.insertText(u'\n' + Join(after, head, head + newCount));
        }
    } else {  // lines deleted
        if (head + oldCount < nb) {
            c.setPosition(doc.findBlockByNumber(static_cast<int>(head)).position());
            c.setPosition(doc.findBlockByNumber(static_cast<int>(head + oldCount)).position(), QTextCursor::KeepAnchor);
        } else {
            c.setPosition(EndOfBlock(doc.findBlockByNumber(static_cast<int>(head - 1))));
            c.setPosition(EndOfBlock(doc.lastBlock()), QTextCursor::KeepAnchor);
        }
        c.removeSelectedText();
    }
    c.endEditBlock();
}

// --- OperationFrame

OperationFrame::OperationFrame(QPlainTextEdit& editor, ProgressPanel& panel, Prompts& prompts, DocumentState& state,
                               TFormPytanie12BladLinii& lineError, TFormPytanie09OkreslFPS& defaultFrameRate,
                               QAction* undo)
    : editor_(editor),
      panel_(panel),
      prompts_(prompts),
      state_(state),
      lineError_(lineError),
      defaultFrameRate_(defaultFrameRate),
      undo_(undo) {}

LineRange OperationFrame::GetWorkRange() const {
    QTextCursor c = editor_.textCursor();
    std::vector<long> lengths = EditorLineLengths(*editor_.document());
    return kravelo::GetWorkRange(lengths, c.selectionStart(), c.selectionEnd() - c.selectionStart());
}

SubtitleDocument OperationFrame::CopyDocument() const {
    SubtitleDocument doc;
    doc.lines = EditorLines(*editor_.document());
    doc.frameRate = state_.frameRate;
    doc.documentFormat = state_.documentFormat;
    doc.ssa = state_.ssa;
    return doc;
}

void OperationFrame::WriteBack(const std::vector<std::string>& before, const std::vector<std::string>& after) {
    WriteLinesBack(editor_, before, after);
    state_.resyncRequested = true;
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
    state_.resyncRequested = true;
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
    if (state_.frameRate != 0.0) return true;
    defaultFrameRate_.SetExplanationVisible(true);
    if (prompts_.ExecDialog(defaultFrameRate_) != QDialog::Accepted) return false;
    state_.frameRate = defaultFrameRate_.Rate();
    return true;
}

void OperationFrame::ReplaceLine(long index, const std::string& text) {
    QTextBlock b = editor_.document()->findBlockByNumber(static_cast<int>(index));
    if (!b.isValid()) return;
    QTextCursor c(b);
    c.setPosition(EndOfBlock(b), QTextCursor::KeepAnchor);
    c.insertText(QString::fromStdString(text));
    editor_.setTextCursor(c);
    state_.resyncRequested = true;
}

}  // namespace kravelo
