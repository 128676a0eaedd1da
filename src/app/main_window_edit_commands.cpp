// Main window: the editing commands of the Subtitles and Edit menus that rewrite lines: the
// display-time change, the merge of short subtitles, the repair and the sort (each in the
// operation frame), italics, the clipboard, and going to the subtitle of a time.

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include "app/main_window.h"
#include "ops/dialogs/edit_dialogs.h"
#include "ops/dialogs/search_dialogs.h"
#include "ops/line_commands.h"
#include "ops/sort.h"
#include "ui/command_names.h"
#include "ui/qt_text.h"

namespace kravelo {

void MainWindow::CreateEditDialogs() {
    displayTime_ = new TFormPytanie04CzasWysw(openDialogs_, prompts_, this);
    merge_ = new TFormPytanie13PolaczNapisy(openDialogs_, prompts_, this);
    repair_ = new TFormPytanie11PoprawNapisy(openDialogs_, prompts_, this);
    shortSearch_ = new TFormPytanie10ZnajdzSzybkiNapis(openDialogs_, prompts_, this);
    gapSearch_ = new TFormPytanie07ZnajdzPrzerwe(openDialogs_, prompts_, this);
    goTo_ = new TFormPytanie08PrzejdzDoNapisu(openDialogs_, prompts_, this);
    geom_ = new TFormPytanie02Geom(openDialogs_, prompts_, this);
    find_ = new TextSearchDialog(false, this);
    replace_ = new TextSearchDialog(true, this);
    for (QWidget* form : std::initializer_list<QWidget*>{displayTime_, merge_, repair_, shortSearch_, gapSearch_, goTo_,
                                                         geom_, find_, replace_})
        language_.AddForm(form);

    // The two thresholds live in the settings between runs.
    connect(this, &MainWindow::SettingsLoaded, this, [this] {
        shortSearch_->EditBreakSec->setText(Q(settings_.QuickSubtitleTime));
        gapSearch_->EditBreakSec->setText(Q(settings_.BreakFindValue));
    });
    connect(this, &MainWindow::SettingsAboutToBeSaved, this, [this] {
        settings_.QuickSubtitleTime = S(shortSearch_->EditBreakSec->text());
        settings_.BreakFindValue = S(gapSearch_->EditBreakSec->text());
    });

    connect(find_, &TextSearchDialog::FindNext, this, [this] { FindNextText(*find_); });
    connect(replace_, &TextSearchDialog::FindNext, this, [this] { FindNextText(*replace_); });
    connect(replace_, &TextSearchDialog::ReplaceCurrent, this, [this] { ReplaceCurrent(); });
    connect(replace_, &TextSearchDialog::ReplaceAll, this, [this] { ReplaceAll(); });
    for (TextSearchDialog* d : {find_, replace_})
        connect(d, &TextSearchDialog::Closed, this, [this] { KeepSelectionVisible(find_->isVisible() || replace_->isVisible()); });
}

void MainWindow::RegisterEditCommands() {
    using K = QKeySequence;
    const auto ctrl = Qt::CTRL;
    CommandTable& t = *commands_;
    // Editing commands: they go with the editor.
    auto add = [&t](const char* name, const char* caption, QList<QKeySequence> keys, std::function<void()> run) {
        return t.Add(name, caption, std::move(keys), std::move(run), kNeedsEditor);
    };
    add(cmd::kDisplayTime, "Zmień czas &wyświetlania napisów...", {K(ctrl | Qt::Key_W)},
        [this] { DisplayTimeCommand(); });
    add(cmd::kMerge, "Połącz szybko znikające napisy...", {K(ctrl | Qt::Key_G)}, [this] { MergeCommand(); });
    add(cmd::kRepair, "P&opraw napisy...", {K(ctrl | Qt::Key_R)}, [this] { RepairCommand(); });
    add(cmd::kSort, "&Sortuj napisy", {K(ctrl | Qt::Key_H)}, [this] { SortCommand(); });
    add(cmd::kGoToSubtitle, "Prz&ejdź do napisu...", {K(ctrl | Qt::SHIFT | Qt::ALT | Qt::Key_F)},
        [this] { GoToSubtitleCommand(); });
    add(cmd::kGoToSubtitlePopup, "Przejdź &do klatki...", {}, [this] { GoToSubtitleCommand(); });
    add(cmd::kItalics, "Kursywa", {K(ctrl | Qt::Key_I)}, [this] { ItalicsCommand(); });
    // The clipboard: the menu items carry the keys, the pop-up items show them too.
    add(cmd::kCut, "W&ytnij", {K(ctrl | Qt::Key_X)}, [this] { editor_->cut(); });
    add(cmd::kCopy, "&Kopiuj", {K(ctrl | Qt::Key_C)}, [this] { editor_->copy(); });
    add(cmd::kPaste, "&Wklej", {K(ctrl | Qt::Key_V)}, [this] { editor_->paste(); });
    add(cmd::kCutPopup, "W&ytnij", {}, [this] { editor_->cut(); });
    add(cmd::kCopyPopup, "&Kopiuj", {}, [this] { editor_->copy(); });
    add(cmd::kPastePopup, "&Wklej", {}, [this] { editor_->paste(); });
}

long MainWindow::SelectionStartLine() const {
    QTextCursor c = editor_->textCursor();
    return editor_->document()->findBlock(c.selectionStart()).blockNumber();
}

void MainWindow::GoToLine(long line, long column) {
    QTextBlock block = editor_->document()->findBlockByNumber(static_cast<int>(std::max(0L, line)));
    if (!block.isValid()) block = editor_->document()->lastBlock();
    const int length = block.length() - 1;
    int col = static_cast<int>(std::max(0L, column));
    if (col != 0) col = std::min(col, std::max(0, length - 1));
    QTextCursor c(block);
    c.setPosition(block.position() + col);
    editor_->setTextCursor(c);
    editor_->ensureCursorVisible();
}

// --- Whole-document commands

void MainWindow::DisplayTimeCommand() {
    LineRange r = frame_->GetWorkRange();
    if (!frame_->ValidateWorkRange(r.first, r.last)) return;
    if (!frame_->EnsureFrameRate()) return;
    displayTime_->SetFrameRate(State().frameRate);
    if (prompts_.ExecDialog(*displayTime_) != QDialog::Accepted) return;
    const DisplayTimeOptions options = displayTime_->Options();

    frame_->BeginBulkEdit();
    SubtitleDocument doc = session_->Copy();
    const std::vector<std::string> before = doc.lines;
    SetDisplayTimes(doc, options, r.first, r.last, frame_->Progress());
    frame_->WriteBack(before, doc.lines);
    frame_->EndBulkEdit(r.first, r.last);
}

void MainWindow::MergeCommand() {
    LineRange r = frame_->GetWorkRange();
    if (!frame_->ValidateWorkRange(r.first, r.last)) return;
    if (!frame_->EnsureFrameRate()) return;
    if (prompts_.ExecDialog(*merge_) != QDialog::Accepted) return;
    const MergeOptions options = merge_->Options();

    frame_->BeginBulkEdit();
    SubtitleDocument doc = session_->Copy();
    const std::vector<std::string> before = doc.lines;
    long last = r.last;
    MergeResult result = MergeShortSubtitles(doc, options, r.first, last, frame_->Progress());
    frame_->WriteBack(before, doc.lines);
    frame_->EndBulkEdit(r.first, last);
    prompts_.MessageBox(prompts_.Text(msg::SubtitlesMergeCount.section, msg::SubtitlesMergeCount.key) + u' ' +
                            QString::number(result.merges),
                        prompts_.Caption(MessageIcon::Information), BoxButtons::Ok, MessageIcon::Information);
}

void MainWindow::RepairCommand() {
    LineRange r = frame_->GetWorkRange();
    if (!frame_->ValidateWorkRange(r.first, r.last)) return;
    if (!frame_->EnsureFrameRate()) return;
    if (prompts_.ExecDialog(*repair_) != QDialog::Accepted) return;
    const RepairOptions options = repair_->Options();

    frame_->BeginBulkEdit();
    SubtitleDocument doc = session_->Copy();
    const std::vector<std::string> before = doc.lines;
    long last = r.last;
    RepairSubtitles(doc, options, r.first, last, frame_->Progress());
    frame_->WriteBack(before, doc.lines);
    frame_->EndBulkEdit(r.first, last);
}

void MainWindow::SortCommand() {
    LineRange r = frame_->GetWorkRange();
    if (!frame_->ValidateWorkRange(r.first, r.last)) return;
    if (prompts_.Box("Form1", "SortSubtitles", MessageIcon::Question, BoxButtons::YesNoCancel) != BoxAnswer::Yes)
        return;
    if (!frame_->EnsureFrameRate()) return;

    frame_->BeginBulkEdit();
    SubtitleDocument doc = session_->Copy();
    const std::vector<std::string> before = doc.lines;
    SortLines(doc, r.first, r.last, frame_->Progress());
    frame_->WriteBack(before, doc.lines);
    frame_->EndBulkEdit(r.first, r.last);
}

// --- Line commands

void MainWindow::ItalicsCommand() {
    const QTextCursor caret = editor_->textCursor();
    const int line = caret.blockNumber();
    // The column in characters of the line's text (code points, as the engine counts).
    const QString head = caret.block().text().left(caret.positionInBlock());
    const long column = static_cast<long>(head.toUcs4().size());
    SubtitleDocument doc = session_->Copy();
    if (line >= static_cast<int>(doc.lines.size())) return QApplication::beep();
    ItalicResult result = ToggleItalicAt(doc, line, column);
    if (!result.done) return QApplication::beep();
    frame_->ReplaceLine(line, doc.lines[static_cast<std::size_t>(line)]);
    // Back to the caret's place, one further when a "/" came before it, one back when it went.
    const QTextBlock block = editor_->document()->findBlockByNumber(line);
    const QString text = block.text();
    long offset = 0;
    for (long n = 0; n < result.column && offset < text.size(); ++n)
        offset += text.at(static_cast<qsizetype>(offset)).isHighSurrogate() ? 2 : 1;
    QTextCursor c(block);
    c.setPosition(block.position() + static_cast<int>(offset));
    editor_->setTextCursor(c);
}

void MainWindow::GoToSubtitleCommand() {
    if (!frame_->EnsureFrameRate()) return;
    goTo_->SetFrameRate(State().frameRate);
    if (prompts_.ExecDialog(*goTo_) != QDialog::Accepted) return;
    const GoToResult result = GoToTime(session_->Copy(), goTo_->Seconds());
    GoToLine(result.line, 0);
    if (result.pastEnd) QApplication::beep();
    if (editor_->isEnabled()) editor_->setFocus();
}

}  // namespace kravelo
