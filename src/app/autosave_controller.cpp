#include "app/autosave_controller.h"

#include <QCoreApplication>
#include <QTextDocument>
#include <cstdlib>

#include "app/main_window.h"
#include "core/profile_file.h"
#include "ui/editor_text.h"
#include "ui/subtitle_session.h"

namespace kravelo {

AutosaveController::AutosaveController(MainWindow& window, std::string folder, int intervalMs)
    : window_(window), store_(std::move(folder)) {
    SubtitleSession& session = window_.Session();
    connect(&session.Document(), &QTextDocument::contentsChanged, this, [this] { dirty_ = true; });
    connect(&session, &SubtitleSession::Changed, this, [this](SubtitleSession::Changes changes) {
        // Saved, or another document with nothing unsaved: the copy has served.
        if (!restoring_ && (changes & (SubtitleSession::ModifiedChanged | SubtitleSession::PathChanged)) &&
            !window_.Session().Modified())
            Discard();
    });
    // A normal end: the user has saved or chosen to drop the changes.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &AutosaveController::Discard);
    if (intervalMs < 0) intervalMs = IntervalFromSettings(window_.GetSettings().IniPath);
    if (intervalMs > 0) {
        connect(&timer_, &QTimer::timeout, this, &AutosaveController::SaveNow);
        timer_.start(intervalMs);
    }
}

AutosaveController::~AutosaveController() = default;

std::string AutosaveController::DefaultFolder() {
    return DefaultAutosaveFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
}

int AutosaveController::IntervalFromSettings(const std::string& iniPath) {
    const int seconds = iniPath.empty() ? 60 : ProfileFile(iniPath).ReadInt("Autosave", "IntervalSeconds", 60);
    return seconds <= 0 ? 0 : seconds > 86400 ? 86400 * 1000 : seconds * 1000;
}

void AutosaveController::SaveNow() {
    SubtitleSession& session = window_.Session();
    if (!session.Modified() || !dirty_) return;
    const DocumentState& state = session.State();
    AutosaveCopy copy;
    copy.lines = EditorLines(session.Document());
    copy.path = state.path;
    copy.textFormat = state.textFormat;
    copy.frameRate = state.frameRate;
    copy.documentFormat = state.documentFormat;
    copy.fileFormat = state.fileFormat;
    std::string error;
    // A copy that cannot be written (a full disk) is tried again at the next interval.
    if (store_.Save(copy, error)) dirty_ = false;
}

void AutosaveController::Discard() {
    store_.Remove();
    dirty_ = false;
}

bool AutosaveController::OfferRestore() {
    std::optional<AutosaveCopy> copy = store_.Load();
    if (!copy) {
        store_.Remove();  // nothing usable (or nothing at all)
        return false;
    }
    if (window_.GetPrompts().Box("Form1", "AutosaveRestore", MessageIcon::Question, BoxButtons::YesNo) !=
        BoxAnswer::Yes) {
        store_.Remove();
        return false;
    }
    SubtitleSession& session = window_.Session();
    restoring_ = true;
    session.Document().setPlainText(JoinLines(copy->lines));
    session.SetModified(true);
    DocumentState& state = session.State();
    state.textFormat = copy->textFormat;
    state.frameRate = copy->frameRate;
    state.documentFormat = copy->documentFormat;
    state.fileFormat = copy->fileFormat;
    session.SetPath(QString::fromStdString(copy->path));
    session.ReadSsaTablesQuietly();
    session.LinesWereReplaced();
    restoring_ = false;
    dirty_ = false;  // the copy on disk is this text
    return true;
}

}  // namespace kravelo
