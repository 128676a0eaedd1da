// Main window: the document commands (new, open, append, close, save, save as) over the session,
// with their questions and the marker subtitle.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

#include "app/main_window.h"
#include "app/movie_port.h"
#include "core/format_size.h"
#include "core/marker.h"
#include "core/text_util.h"
#include "ui/qt_text.h"

namespace kravelo {

namespace {

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

}  // namespace

void MainWindow::MarkSaved() {
    session_->SetModified(false);
    labelFileSize_->setText(u'(' + Q(FormatSize(FileSizeOf(S(CurrentFileName())))) + u')');
}

// --- ConfirmDiscard, new and close

bool MainWindow::ConfirmDiscard() {
    if (handedOver_ || !session_->Modified()) {
        session_->ForgetFormats(true);
        return true;
    }
    BoxAnswer answer = prompts_.Box("Form1", "TxtFileModify", MessageIcon::Question, BoxButtons::YesNoCancel);
    if (answer == BoxAnswer::Cancel) return false;
    if (answer == BoxAnswer::Yes) {
        // Saved with the formats still known (NeedsSaveAs reads them); a save that did not
        // happen (save-as cancelled, write refused) keeps the document.
        SaveDocument();
        if (session_->Modified()) return false;
    }
    session_->ForgetFormats(MovieLoaded());
    session_->ReadSsaTablesQuietly();
    return true;
}

void MainWindow::CloseDocument() {
    if (!ConfirmDiscard()) return;
    settings_.LastSubFile.clear();
    session_->Clear();
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
    const QString path = prompts_.OpenFileName(request);
    if (!path.isEmpty()) session_->Append(path);
}

void MainWindow::OpenSubtitleFile(const QString& requested, bool offerChoice) {
    session_->ForgetFormats(true);
    QString path = requested;
    if (offerChoice && settings_.CheckForOtherSub && movie_) path = movie_->ChooseSubtitleVersion(path);
    if (path.isEmpty()) return;
    path = QFileInfo(path).absoluteFilePath();

    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (frame_->subtitleDisplayOn && frame_->subtitleDisplayOn() && frame_->toggleSubtitleDisplay)
        frame_->toggleSubtitleDisplay();
    if (!session_->Open(path)) {
        QApplication::restoreOverrideCursor();
        return;
    }
    settings_.SubtitleCount += 1;
    AddRecentSubtitle(S(path));
    if (settings_.AutoShowSubtitles && MovieLoaded() && frame_->subtitleDisplayOn && !frame_->subtitleDisplayOn() &&
        frame_->toggleSubtitleDisplay)
        frame_->toggleSubtitleDisplay();
    MarkSaved();
    settings_.LastSubFile = S(path);
    // The active format is that of the first subtitle; a file without one keeps it.
    if (session_->FirstFormat() != 0) SetActiveFormat(session_->FirstFormat());
    if (!MovieLoaded()) State().frameRate = 0.0;

    if (editor_->isEnabled()) editor_->setFocus();
    QApplication::restoreOverrideCursor();

    if (State().documentFormat == kFormatSubRip &&
        prompts_.Box("Form1", "SRTOpening", MessageIcon::Question, BoxButtons::YesNo) == BoxAnswer::Yes)
        ConvertCommand();
    settings_.TotalSubtitlesSize += static_cast<double>(FileSizeOf(S(path)));
}

// --- Saving

void MainWindow::SaveDocument() {
    const QString path = CurrentFileName();
    if (path.isEmpty() || NeedsSaveAs(State().documentFormat, State().fileFormat)) {
        SaveDocumentAs();
        return;
    }
    if (settings_.CreateBackupFile) session_->Backup();
    RenewMarker();
    const auto written = session_->Write(path);
    if (written == SubtitleSession::WriteResult::Declined) return;
    if (written == SubtitleSession::WriteResult::Failed) {
        // A read-only medium: offer the same name in the subtitles folder (the home folder
        // while none is set).
        QString folder = settings_.SubtitlesFolder.empty() ? QDir::homePath() : Q(settings_.SubtitlesFolder);
        saveFolder_ = folder;
        SaveToChosenFile(QDir(folder).filePath(QFileInfo(path).fileName()));
        return;
    }
    session_->ReadSsaTablesQuietly();
    MarkSaved();
}

void MainWindow::SaveDocumentAs() {
    QString path = CurrentFileName();
    saveFolder_ = path.isEmpty() ? QStringLiteral(".") : QFileInfo(path).path();
    saveFilterIndex_ = 1;
    if (!path.isEmpty()) {
        if (State().documentFormat == kFormatSsa) {
            saveFilterIndex_ = 2;
            path = WithExtension(path, QStringLiteral(".ssa"));
        } else if (State().documentFormat != kFormatSubRip) {
            path = WithExtension(path, QStringLiteral(".txt"));
        }
    } else if (State().documentFormat == kFormatSsa) {
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
        const auto written = session_->Write(chosen);
        if (written == SubtitleSession::WriteResult::Declined) return;
        if (written == SubtitleSession::WriteResult::Failed) {
            prompts_.Box("Form1", "FileSubstituteError", MessageIcon::Error);
            return;
        }
        session_->SetPath(QFileInfo(chosen).absoluteFilePath());
        settings_.LastSubFile = S(CurrentFileName());
        MarkSaved();
    }
    State().fileFormat = FormatFamilyOfPath(S(CurrentFileName()));
    session_->ReadSsaTablesQuietly();
}

void MainWindow::RenewMarker() {
    SubtitleDocument doc = session_->Copy();
    const std::vector<std::string> before = doc.lines;
    MarkerResult result = kravelo::RenewMarker(doc, TodayShortDate(), editor_->textCursor().position());
    if (!result.removed && !result.inserted) return;
    WriteLinesBack(*editor_, before, doc.lines);
    session_->LinesWereReplaced();
    QTextCursor c = editor_->textCursor();
    c.setPosition(static_cast<int>(std::clamp<long>(result.caret, 0, editor_->document()->characterCount() - 1)));
    editor_->setTextCursor(c);
}

}  // namespace kravelo
