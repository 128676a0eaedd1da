// Main window: opening, appending, closing and saving subtitle documents (Parts 1.3, 1.4) and the
// movie-side reset that the document rules depend on.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/main_window.h"
#include "core/document.h"
#include "core/format_size.h"
#include "core/marker.h"
#include "core/text_util.h"
#include "ops/dialogs/frame_rate_dialogs.h"

namespace kravelo {

namespace {

namespace fs = std::filesystem;

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

constexpr std::string_view kOpenFilter =
    "Rozpoznawane formaty (*.txt;*.ssa;*.srt)|*.txt;*.ssa;*.srt|Plik tekstowy (*.txt)|*.txt|"
    "Sub Station Alpha (*.ssa)|*.ssa|Sub Ripper (*.srt)|*.srt|Wszystkie pliki (*.*)|*";
constexpr std::string_view kSaveFilter = "Plik tekstowy (*.txt)|*.txt|Sub Station Alpha (*.ssa)|*.ssa";

FileRequest SubtitleOpenRequest() {
    FileRequest r;
    r.title = QStringLiteral("Otwórz plik z napisami");
    r.folder = QStringLiteral(".");
    r.filters = FiltersFromPairs(kOpenFilter);
    r.defaultSuffix = QStringLiteral("txt");
    return r;
}

QString JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    std::size_t size = 0;
    for (const std::string& l : lines) size += l.size() + 1;
    text.reserve(size);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += '\n';
        text += lines[i];
    }
    return Q(text);
}

// The path with the extension of its file name replaced (or added).
QString WithExtension(const QString& path, const QString& extension) {
    QFileInfo info(path);
    QString name = info.fileName();
    qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0) name.truncate(dot);
    QString folder = path.left(path.size() - info.fileName().size());
    return folder + name + extension;
}

std::uint64_t FileSizeOf(const QString& path) {
    std::error_code ec;
    auto size = fs::file_size(fs::path(S(path)), ec);
    return ec ? 0 : static_cast<std::uint64_t>(size);
}

void SetLabelColor(QLabel* label, const QColor& color) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}

}  // namespace

// --- Labels and the modified flag

QString MainWindow::CurrentFileName() const {
    QString shown = labelFileName_->text();
    if (shown.isEmpty() || shown == prompts_.Text("Form1", "LabelDefaultFileName_Cpt")) return {};
    return shown;
}

void MainWindow::SetFileName(const QString& path) { labelFileName_->setText(path); }

void MainWindow::MarkSaved() {
    editor_->document()->setModified(false);
    Action(QStringLiteral("Zapisz1"))->setEnabled(false);
    labelFileSize_->setText(u'(' + Q(FormatSize(FileSizeOf(CurrentFileName()))) + u')');
    SetLabelColor(labelFileName_, Qt::black);
}

void MainWindow::EditorModificationChanged(bool modified) {
    // A changed document can be saved; its name is drawn in blue (COLORREF 0xFF0000).
    Action(QStringLiteral("Zapisz1"))->setEnabled(modified);
    SetLabelColor(labelFileName_, modified ? QColor(0, 0, 255) : QColor(0, 0, 0));
}

void MainWindow::EditorTextChanged() {
    const int count = editor_->document()->blockCount();
    if (count != lastLineCount_) state_.resyncRequested = true;
    lastLineCount_ = count;
}

void MainWindow::ReadSsaTablesQuietly() { state_.ssa = ReadSsaHeader(EditorLines(*editor_->document()), true); }

void MainWindow::ShowMessage(const Message& message) { prompts_.Box(message); }

// --- ConfirmDiscard, new and close

bool MainWindow::ConfirmDiscard() {
    if (handedOver_ || !editor_->document()->isModified()) {
        state_.documentFormat = 0;
        state_.fileFormat = 0;
        return true;
    }
    BoxAnswer answer = prompts_.Box("Form1", "TxtFileModify", MessageIcon::Question, BoxButtons::YesNoCancel);
    if (answer == BoxAnswer::Cancel) return false;
    if (answer == BoxAnswer::Yes) {
        // Saved with the formats still known (NeedsSaveAs reads them); a save that did not
        // happen (save-as cancelled, write refused) keeps the document.
        SaveDocument();
        if (editor_->document()->isModified()) return false;
    }
    state_.documentFormat = 0;
    state_.fileFormat = 0;
    if (!MovieLoaded()) state_.frameRate = 0.0;
    ReadSsaTablesQuietly();
    return true;
}

void MainWindow::CloseDocument() {
    if (!ConfirmDiscard()) return;
    settings_.LastSubFile.clear();
    SetFileName(prompts_.Text("Form1", "LabelDefaultFileName_Cpt"));
    editor_->clear();
    textFormat_ = TextFormat{};  // a new file is UTF-8 with CR LF
    MarkSaved();
}

// --- Opening

void MainWindow::OpenCommand() {
    OpenDialogScope counted(openDialogs_);
    if (ConfirmDiscard()) {
        FileRequest request = SubtitleOpenRequest();
        QString path = prompts_.OpenFileName(request);
        if (!path.isEmpty()) OpenSubtitleFile(path, false);
    }
    update();
}

void MainWindow::AppendCommand() {
    FileRequest request = SubtitleOpenRequest();
    QString path = prompts_.OpenFileName(request);
    if (path.isEmpty()) return;
    TextDocument file;
    std::string error;
    if (!ReadTextFile(S(path), file, error)) {
        prompts_.Box("Form1", "TxtFileOpenError", MessageIcon::Error);
        return;
    }
    if (file.lines.empty()) return;
    // The lines go after the last line, unchanged; the document keeps its name and formats.
    QTextCursor c(editor_->document());
    c.movePosition(QTextCursor::End);
    const bool empty = EditorLineCount(*editor_->document()) == 0;
    c.insertText(empty ? JoinLines(file.lines) : u'\n' + JoinLines(file.lines));
    state_.resyncRequested = true;
}

void MainWindow::OpenSubtitleFile(const QString& requested, bool offerChoice) {
    state_.documentFormat = 0;
    state_.fileFormat = 0;
    // Kept absolute: the name goes into the recent list and the settings.
    QString path = QFileInfo(requested).absoluteFilePath();
    if (offerChoice && settings_.CheckForOtherSub && movie.chooseSubtitleVersion)
        path = movie.chooseSubtitleVersion(path);
    if (path.isEmpty()) return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (frame_->subtitleDisplayOn && frame_->subtitleDisplayOn() && frame_->toggleSubtitleDisplay)
        frame_->toggleSubtitleDisplay();
    state_.resyncRequested = true;

    TextDocument file;
    std::string error;
    if (!ReadTextFile(S(path), file, error)) {
        QApplication::restoreOverrideCursor();
        prompts_.Box("Form1", "TxtFileOpenError", MessageIcon::Error);
        return;
    }
    editor_->setPlainText(JoinLines(file.lines));
    textFormat_ = file.format;
    settings_.SubtitleCount += 1;

    SetFileName(path);
    AddRecentSubtitle(S(path));
    if (settings_.AutoShowSubtitles && MovieLoaded() && frame_->subtitleDisplayOn && !frame_->subtitleDisplayOn() &&
        frame_->toggleSubtitleDisplay)
        frame_->toggleSubtitleDisplay();
    MarkSaved();
    settings_.LastSubFile = S(path);

    // Active format: that of the first subtitle, read with the file's own SSA tables (so an
    // SSA file gives 5); without any subtitle, that of the last line.
    const SsaTables fileTables = ReadSsaHeader(file.lines, true);
    std::size_t index = 0;
    SubtitleLine line;
    NextSubtitle(file.lines, state_.frameRate, index, line, fileTables);
    if (index > 0) {
        SubtitleLine first;
        ParseLine(file.lines[index - 1], state_.frameRate, first, fileTables);
        SetActiveFormat(first.format);
    }
    if (!MovieLoaded()) state_.frameRate = 0.0;

    const bool ssaFile = QFileInfo(path).suffix().compare(QLatin1String("ssa"), Qt::CaseInsensitive) == 0;
    state_.ssa = ReadSsaHeader(file.lines, !ssaFile, [this](const Message& m) { ShowMessage(m); });

    if (editor_->isEnabled()) editor_->setFocus();
    QApplication::restoreOverrideCursor();

    state_.fileFormat = state_.documentFormat = FormatFamilyOfPath(S(path));
    if (state_.documentFormat == kFormatSubRip &&
        prompts_.Box("Form1", "SRTOpening", MessageIcon::Question, BoxButtons::YesNo) == BoxAnswer::Yes)
        ConvertCommand();
    settings_.TotalSubtitlesSize += static_cast<double>(FileSizeOf(path));
}

// --- Saving

MainWindow::WriteResult MainWindow::WriteDocument(const QString& path) {
    std::vector<std::string> lines = EditorLines(*editor_->document());
    TextFormat format = textFormat_;
    if (format.encoding == TextEncoding::Windows1250) {
        // Characters the code page cannot hold would be lost: offer UTF-8 instead.
        std::size_t unmappable = 0;
        EncodeText(lines, format, &unmappable);
        if (unmappable > 0) {
            if (prompts_.Box("Form1", "SaveAsUtf8", MessageIcon::Question, BoxButtons::YesNo) != BoxAnswer::Yes)
                return WriteResult::Declined;
            format.encoding = TextEncoding::Utf8;
            format.bom = false;
        }
    }
    std::string error;
    if (!WriteTextFile(S(path), lines, format, error)) return WriteResult::Failed;
    textFormat_ = format;
    return WriteResult::Written;
}

void MainWindow::SaveDocument() {
    const QString path = CurrentFileName();
    if (path.isEmpty() || NeedsSaveAs(state_.documentFormat, state_.fileFormat)) {
        SaveDocumentAs();
        return;
    }
    if (settings_.CreateBackupFile) {
        std::error_code ec;  // a failed copy is ignored
        fs::copy_file(fs::path(S(path)), fs::path(S(WithExtension(path, QStringLiteral(".bak")))),
                      fs::copy_options::overwrite_existing, ec);
    }
    RenewMarker();
    WriteResult written = WriteDocument(path);
    if (written == WriteResult::Declined) return;
    if (written == WriteResult::Failed) {
        // A read-only medium: offer the same name in the subtitles folder (the home folder
        // while none is set).
        QString folder = settings_.SubtitlesFolder.empty() ? QDir::homePath() : Q(settings_.SubtitlesFolder);
        saveFolder_ = folder;
        SaveToChosenFile(QDir(folder).filePath(QFileInfo(path).fileName()));
        return;
    }
    ReadSsaTablesQuietly();
    MarkSaved();
}

void MainWindow::SaveDocumentAs() {
    QString path = CurrentFileName();
    saveFolder_ = path.isEmpty() ? QStringLiteral(".") : QFileInfo(path).path();
    saveFilterIndex_ = 1;
    if (!path.isEmpty()) {
        if (state_.documentFormat == kFormatSsa) {
            saveFilterIndex_ = 2;
            path = WithExtension(path, QStringLiteral(".ssa"));
        } else if (state_.documentFormat != kFormatSubRip) {
            path = WithExtension(path, QStringLiteral(".txt"));
        }
    } else if (state_.documentFormat == kFormatSsa) {
        saveFilterIndex_ = 2;
    }
    SaveToChosenFile(path);
}

void MainWindow::SaveToChosenFile(const QString& suggestedPath) {
    FileRequest request;
    request.title = QStringLiteral("Zapisz plik z napisami");
    request.folder = saveFolder_;
    request.fileName = suggestedPath;
    request.filters = FiltersFromPairs(kSaveFilter);
    request.filterIndex = saveFilterIndex_;
    request.defaultSuffix = QStringLiteral("txt");
    saveFilterIndex_ = 1;
    const QString chosen = prompts_.SaveFileName(request);
    if (!chosen.isEmpty()) {
        if (QFileInfo::exists(chosen) &&
            prompts_.Box("Form1", "FileExists", MessageIcon::Question, BoxButtons::YesNoCancel) != BoxAnswer::Yes)
            return;
        RenewMarker();
        WriteResult written = WriteDocument(chosen);
        if (written == WriteResult::Declined) return;
        if (written == WriteResult::Failed) {
            prompts_.Box("Form1", "FileSubstituteError", MessageIcon::Error);
            return;
        }
        SetFileName(chosen);
        settings_.LastSubFile = S(chosen);
        MarkSaved();
    }
    state_.fileFormat = FormatFamilyOfPath(S(CurrentFileName()));
    ReadSsaTablesQuietly();
}

void MainWindow::RenewMarker() {
    SubtitleDocument doc = frame_->CopyDocument();
    const std::vector<std::string> before = doc.lines;
    MarkerResult result = kravelo::RenewMarker(doc, TodayShortDate(), editor_->textCursor().position());
    if (!result.removed && !result.inserted) return;
    WriteLinesBack(*editor_, before, doc.lines);
    state_.resyncRequested = true;
    QTextCursor c = editor_->textCursor();
    c.setPosition(static_cast<int>(std::clamp<long>(result.caret, 0, editor_->document()->characterCount() - 1)));
    editor_->setTextCursor(c);
}

// --- The movie side's reset (ResetMovie), as far as it concerns the window.

void MainWindow::ResetMovie() {
    if (movie.reset) movie.reset();
    // No-movie layout: the video panel 109 pixels high, no splitter to move.
    const int total = splitter_->height();
    splitter_->setSizes({109, std::max(total - 109, 100)});
    if (QSplitterHandle* handle = splitter_->handle(1)) handle->setEnabled(false);
    fpsChange_->LabelFps2->setText(QStringLiteral("N/A"));
    defaultFps_->LabelFPS->setText(QStringLiteral("N/A"));
    if (frame_->subtitleDisplayOn && frame_->subtitleDisplayOn() && frame_->toggleSubtitleDisplay)
        frame_->toggleSubtitleDisplay();
    statusPanels_[4]->clear();
    statusPanels_[0]->setText(QStringLiteral("{0}{0}"));
    statusPanels_[1]->setText(QStringLiteral("[0][0]"));
    SaveAllSettings(settings_, chapters_);
    state_.frameRate = 0.0;
    update();
}

}  // namespace kravelo
