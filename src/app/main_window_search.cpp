// Main window: the searches. Text search and replace through the modeless Find and Replace
// dialogs, the short-subtitle, gap and unsorted-subtitle searches, and "find next" (F3), which
// repeats whichever search ran last. Searches go forward from the caret and never wrap.

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "app/main_window.h"
#include "ops/dialogs/search_dialogs.h"
#include "ops/sort.h"
#include "ops/timing_search.h"
#include "ui/command_names.h"

namespace kravelo {

namespace {

QTextDocument::FindFlags FlagsOf(const TextSearchDialog& d) {
    QTextDocument::FindFlags flags;
    if (d.MatchCase()) flags |= QTextDocument::FindCaseSensitively;
    if (d.WholeWord()) flags |= QTextDocument::FindWholeWords;
    return flags;
}

// The selection is exactly a match of the dialog's text under its options.
bool SelectionIsMatch(const QTextCursor& selection, const TextSearchDialog& d) {
    if (!selection.hasSelection() || d.FindText().isEmpty()) return false;
    const QTextCursor found = selection.document()->find(d.FindText(), selection.selectionStart(), FlagsOf(d));
    return !found.isNull() && found.selectionStart() == selection.selectionStart() &&
           found.selectionEnd() == selection.selectionEnd();
}

}  // namespace

void MainWindow::RegisterSearchCommands() {
    using K = QKeySequence;
    const auto ctrl = Qt::CTRL;
    CommandTable& t = *commands_;
    // Editing commands: they go with the editor.
    auto add = [&t](const char* name, const char* caption, QList<QKeySequence> keys, std::function<void()> run) {
        return t.Add(name, caption, std::move(keys), std::move(run), kNeedsEditor);
    };
    add(cmd::kFindText, "&Znajdź tekst...", {K(ctrl | Qt::Key_F)}, [this] { FindTextCommand(); });
    add(cmd::kFindTextPopup, "Znajdź &tekst...", {}, [this] { FindTextCommand(); });
    add(cmd::kFindNext, "Znaj&dź następny ", {K(Qt::Key_F3)}, [this] { FindNextCommand(); });
    add(cmd::kFindNextPopup, "Znajdź następny", {}, [this] { FindNextCommand(); });
    add(cmd::kReplace, "Znajdź i zamień...", {K(ctrl | Qt::SHIFT | Qt::Key_R)}, [this] { ReplaceCommand(); });
    add(cmd::kFindUnsorted, "Znajdź nieposortowany napis...", {K(ctrl | Qt::ALT | Qt::Key_F)},
        [this] { FindUnsortedCommand(); });
    add(cmd::kFindShortSubtitle, "Znajdź krótko wyświetlany &napis...", {K(ctrl | Qt::SHIFT | Qt::Key_D)},
        [this] { ShortSubtitleCommand(); });
    add(cmd::kFindShortSubtitlePopup, "Znajdź krótko wyświetlany &napis...", {}, [this] { ShortSubtitleCommand(); });
    add(cmd::kFindGap, "Znajdź &przerwę w wyświetlaniu napisów...", {K(ctrl | Qt::SHIFT | Qt::Key_F)},
        [this] { GapCommand(); });
    add(cmd::kFindGapPopup, "Znajdź &przerwę w wyświetlaniu napisów...", {}, [this] { GapCommand(); });
}

void MainWindow::SearchFinished() { prompts_.Box("Form1", "SearchFinished", MessageIcon::Information); }

// While a search dialog is open the editor shows its selection even without the focus.
void MainWindow::KeepSelectionVisible(bool keep) {
    QPalette p = editor_->palette();
    const QPalette normal = QApplication::palette(editor_);
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setColor(QPalette::Inactive, role,
                   keep ? normal.color(QPalette::Active, role) : normal.color(QPalette::Inactive, role));
    editor_->setPalette(p);
}

// --- Text search and replace

void MainWindow::FindTextCommand() {
    KeepSelectionVisible(true);
    find_->show();
    find_->raise();
    find_->activateWindow();
}

void MainWindow::ReplaceCommand() {
    KeepSelectionVisible(true);
    replace_->show();
    replace_->raise();
    replace_->activateWindow();
}

bool MainWindow::FindNextText(const TextSearchDialog& dialog) {
    lastSearch_ = LastSearch::Text;
    if (dialog.FindText().isEmpty()) return false;
    // From the end of the selection, or the caret, to the end of the document.
    const int start = editor_->textCursor().selectionEnd();
    const QTextCursor found = editor_->document()->find(dialog.FindText(), start, FlagsOf(dialog));
    if (found.isNull()) {
        SearchFinished();
        return false;
    }
    editor_->setTextCursor(found);
    editor_->ensureCursorVisible();
    return true;
}

void MainWindow::ReplaceCurrent() {
    QTextCursor selection = editor_->textCursor();
    // Only a match is replaced; any other selection stays and the next match is selected.
    if (!SelectionIsMatch(selection, *replace_)) {
        FindNextText(*replace_);
        return;
    }
    selection.insertText(replace_->ReplaceText());
    editor_->setTextCursor(selection);
    lastSearch_ = LastSearch::Text;
}

long MainWindow::ReplaceAll() {
    lastSearch_ = LastSearch::Text;
    const QString text = replace_->FindText();
    if (text.isEmpty()) return 0;
    const QTextCursor selection = editor_->textCursor();
    // A selected match is the first one replaced; otherwise the matches after the selection.
    int position = SelectionIsMatch(selection, *replace_) ? selection.selectionStart() : selection.selectionEnd();
    const QString replacement = replace_->ReplaceText();
    const QTextDocument::FindFlags flags = FlagsOf(*replace_);
    QTextDocument* doc = editor_->document();
    QTextCursor edit(doc);
    edit.beginEditBlock();
    long count = 0;
    QTextCursor last;
    // Each pass moves past the text it inserted, so the loop ends at the end of the document.
    for (;;) {
        QTextCursor found = doc->find(text, position, flags);
        if (found.isNull()) break;
        found.insertText(replacement);
        position = found.position();
        last = found;
        ++count;
    }
    edit.endEditBlock();
    if (!last.isNull()) {
        editor_->setTextCursor(last);
        editor_->ensureCursorVisible();
    }
    prompts_.MessageBox(prompts_.Text("Form1", "ReplacedCount") + u' ' + QString::number(count),
                        prompts_.Caption(MessageIcon::Information), BoxButtons::Ok, MessageIcon::Information);
    return count;
}

void MainWindow::FindNextCommand() {
    switch (lastSearch_) {
        case LastSearch::None:
            FindTextCommand();
            break;
        case LastSearch::Text:
            // The Find dialog's own text and options, whichever dialog searched last.
            if (find_->FindText().isEmpty())
                FindTextCommand();
            else
                FindNextText(*find_);
            break;
        case LastSearch::ShortSubtitle:
            FindShortSubtitleNow();
            break;
        case LastSearch::Gap:
            FindGapNow();
            break;
        case LastSearch::Unsorted:
            FindUnsortedCommand();
            break;
    }
}

// --- Timing searches

void MainWindow::FindUnsortedCommand() {
    if (!frame_->EnsureFrameRate()) return;
    lastSearch_ = LastSearch::Unsorted;
    const SubtitleDocument doc = session_->Copy();
    const SearchHit hit = FindUnsorted(doc, SelectionStartLine(), static_cast<long>(doc.lines.size()));
    if (hit.found)
        GoToLine(hit.caretLine, 0);
    else
        SearchFinished();
    if (editor_->isEnabled()) editor_->setFocus();
}

void MainWindow::ShortSubtitleCommand() {
    if (!frame_->EnsureFrameRate()) return;
    shortSearch_->SetFrameRate(State().frameRate);
    if (prompts_.ExecDialog(*shortSearch_) != QDialog::Accepted) return;
    FindShortSubtitleNow();
}

void MainWindow::GapCommand() {
    if (!frame_->EnsureFrameRate()) return;
    gapSearch_->SetFrameRate(State().frameRate);
    if (prompts_.ExecDialog(*gapSearch_) != QDialog::Accepted) return;
    FindGapNow();
}

void MainWindow::FindShortSubtitleNow() {
    const double threshold = shortSearch_->Threshold();
    FindTimingNow(LastSearch::ShortSubtitle, [threshold](const SubtitleDocument& doc, long from) {
        return FindShortSubtitle(doc, threshold, from, static_cast<long>(doc.lines.size()));
    });
}

void MainWindow::FindGapNow() {
    const double threshold = gapSearch_->Threshold();
    FindTimingNow(LastSearch::Gap, [threshold](const SubtitleDocument& doc, long from) {
        return FindGapAfterSubtitle(doc, threshold, from, static_cast<long>(doc.lines.size()));
    });
}

// A timing search from the selection's first line: the caret on the hit, or the "search
// finished" box.
void MainWindow::FindTimingNow(LastSearch kind, const std::function<SearchHit(const SubtitleDocument&, long)>& find) {
    if (!frame_->EnsureFrameRate()) return;
    lastSearch_ = kind;
    const SearchHit hit = find(session_->Copy(), SelectionStartLine());
    if (hit.found) {
        GoToLine(hit.caretLine, 0);
    } else {
        SearchFinished();
        if (!editor_->textCursor().hasSelection()) GoToLine(editor_->textCursor().blockNumber(), 0);
    }
    if (editor_->isEnabled()) editor_->setFocus();
}

}  // namespace kravelo
