#pragma once
// The operation frame on the subtitle editor: the range a whole-document command
// works on, the line check with its dialog, the bulk edit that suspends the editor and the
// subtitle display, the progress bar in status-bar panel 0, and the frame-rate question.
//
// Engines run on a copy of the lines: a command takes `CopyDocument()`, runs the engine and
// gives both line vectors to `WriteBack`, which changes the editor in ONE QTextCursor edit
// block (only the lines that differ). A command reads:
//
//     LineRange r = frame.GetWorkRange();
//     if (!frame.ValidateWorkRange(r.first, r.last) || !frame.EnsureFrameRate()) return;
//     ...ask for parameters...
//     frame.BeginBulkEdit();
//     SubtitleDocument doc = frame.CopyDocument();
//     std::vector<std::string> before = doc.lines;
//     auto result = ShiftTimes(doc, ..., r.first, r.last, frame.Progress());
//     frame.WriteBack(before, doc.lines);
//     frame.EndBulkEdit(r.first, r.last);

#include <QLabel>
#include <functional>
#include <string>
#include <vector>

#include "core/document.h"
#include "ops/work_range.h"
#include "ui/editor_text.h"

class QAction;
class QPlainTextEdit;
class QTextDocument;

namespace kravelo {

class Prompts;
class SubtitleSession;
class TFormPytanie09OkreslFPS;
class TFormPytanie12BladLinii;

// Status-bar panel 0: plain text, or (owner-drawn) the progress bar of DrawProgress.
class ProgressPanel : public QLabel {
    Q_OBJECT
public:
    explicit ProgressPanel(QWidget* parent = nullptr);
    void SetOwnerDrawn(bool ownerDrawn);
    bool OwnerDrawn() const { return ownerDrawn_; }
    // Fills x = 1 .. 1 + position * 101 / total, 15 pixels high from height / 2 - 6.
    void Draw(long position, long total, const QColor& color);
    int BarWidth() const { return barWidth_; }
    QColor BarColor() const { return color_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool ownerDrawn_ = false;
    int barWidth_ = 0;
    QColor color_;
};

class OperationFrame {
public:
    OperationFrame(QPlainTextEdit& editor, ProgressPanel& panel, Prompts& prompts, SubtitleSession& session,
                   TFormPytanie12BladLinii& lineError, TFormPytanie09OkreslFPS& defaultFrameRate, QAction* undo);

    // The subtitle display switch; until the player exists the display is never on.
    std::function<bool()> subtitleDisplayOn;
    std::function<void()> toggleSubtitleDisplay;

    LineRange GetWorkRange() const;
    bool ValidateWorkRange(long first, long& last);
    void BeginBulkEdit();
    void EndBulkEdit(long first, long last);
    void AbortBulkEdit();
    bool BulkEditActive() const { return active_; }
    void DrawProgress(long position, long total, ProgressColor color);
    ProgressFn Progress();
    bool EnsureFrameRate();
    void ReplaceLine(long index, const std::string& text);

    // The editor's lines with the document state, for an engine.
    SubtitleDocument CopyDocument() const;
    void WriteBack(const std::vector<std::string>& before, const std::vector<std::string>& after);

private:
    void ResumeEditor();

    QPlainTextEdit& editor_;
    ProgressPanel& panel_;
    Prompts& prompts_;
    SubtitleSession& session_;
    TFormPytanie12BladLinii& lineError_;
    TFormPytanie09OkreslFPS& defaultFrameRate_;
    QAction* undo_;

    // Remembered by BeginBulkEdit.
    bool active_ = false;
    bool displayWasOn_ = false;
    int selectionStart_ = 0;
    int selectionLength_ = 0;
    int caretLine_ = 0;
    int caretColumn_ = 0;
};

}  // namespace kravelo
