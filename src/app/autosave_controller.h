#pragma once
// Autosave of the open document: while it is modified its lines and state are copied into the
// autosave folder every interval (setting [Autosave] IntervalSeconds of the settings file,
// default 60; 0 switches it off); a save, a document that becomes unmodified and a normal end
// remove the copy. At start-up a copy left by an abnormal end is offered back (the question
// [Form1] AutosaveRestore): Yes puts its text into the editor as the modified document of its
// file, No discards it.
//
//     AutosaveController autosave(window, AutosaveController::DefaultFolder());
//     QTimer::singleShot(0, &autosave, &AutosaveController::OfferRestore);

#include <QObject>
#include <QTimer>
#include <string>

#include "core/autosave.h"

namespace kravelo {

class MainWindow;

class AutosaveController : public QObject {
    Q_OBJECT
public:
    // `intervalMs` < 0: the setting decides.
    AutosaveController(MainWindow& window, std::string folder, int intervalMs = -1);
    ~AutosaveController() override;

    // $XDG_STATE_HOME/kravelo/autosave (or ~/.local/state/kravelo/autosave).
    static std::string DefaultFolder();
    // The interval the settings file asks for, in milliseconds (0: off).
    static int IntervalFromSettings(const std::string& iniPath);

    // Offers a copy left by an abnormal end; true when it was restored.
    bool OfferRestore();
    // Writes the copy now when the document has unsaved changes since the last copy.
    void SaveNow();
    const AutosaveStore& Store() const { return store_; }

private:
    void Discard();

    MainWindow& window_;
    AutosaveStore store_;
    QTimer timer_;
    bool dirty_ = false;      // edited since the last copy
    bool restoring_ = false;  // the copy is being put into the editor
};

}  // namespace kravelo
