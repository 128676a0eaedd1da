#pragma once
// Every question the program puts to the user goes through here: message boxes, parameter
// dialogs and file dialogs. The main window talks to a `Prompter`; the program uses `QtPrompter`
// (real modal boxes and dialogs), tests use a scripted one that answers from a list, so a test
// drives a whole command (open, choose lines, answer the dialog, check lines and messages)
// without a real modal loop.
//
// `Prompts` is the one wrapper the rest of the program calls. Its `MessageBox` counts
// `OpenDialogCount` around every box; dialogs count themselves when shown and hidden
// (`CountedDialog`).
//
//     prompts.Box(msg::NegativeShowTime);                              // warning, OK
//     if (prompts.Box("Form1", "TxtFileModify", MessageIcon::Question,
//                     BoxButtons::YesNoCancel) == BoxAnswer::Cancel) ...
//     if (prompts.ExecDialog(shiftDialog) != QDialog::Accepted) return;

#include <QDialog>
#include <QString>
#include <QStringList>
#include <string>
#include <string_view>

#include "core/messages.h"

namespace kravelo {

class MessageTexts;
class OpenDialogCounter;

enum class BoxButtons { Ok, YesNo, YesNoCancel };
enum class BoxAnswer { Ok, Yes, No, Cancel };

// A file dialog as the program asks for it. Filters are Qt filter strings ("Plik tekstowy
// (*.txt)"); filterIndex is 1-based like the dialog's filter entries and is updated to
// the entry the user chose.
struct FileRequest {
    QString title;
    QString folder;    // starting folder
    QString fileName;  // suggested file (save dialog)
    QStringList filters;
    int filterIndex = 1;
    QString defaultSuffix;  // without the dot
};

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual BoxAnswer MessageBox(QWidget* owner, const QString& text, const QString& caption, BoxButtons buttons,
                                 MessageIcon icon) = 0;
    // Shows a dialog modally; QDialog::Accepted or QDialog::Rejected.
    virtual int ExecDialog(QDialog& dialog) = 0;
    // The chosen path, or empty when cancelled.
    virtual QString OpenFileName(QWidget* owner, FileRequest& request) = 0;
    virtual QString SaveFileName(QWidget* owner, FileRequest& request) = 0;
};

// Real modal QMessageBox, QDialog::exec and QFileDialog.
class QtPrompter : public Prompter {
public:
    BoxAnswer MessageBox(QWidget* owner, const QString& text, const QString& caption, BoxButtons buttons,
                         MessageIcon icon) override;
    int ExecDialog(QDialog& dialog) override;
    QString OpenFileName(QWidget* owner, FileRequest& request) override;
    QString SaveFileName(QWidget* owner, FileRequest& request) override;
};

class Prompts {
public:
    Prompts(Prompter& prompter, OpenDialogCounter& openDialogs, const MessageTexts& texts, QWidget* owner = nullptr);

    Prompter& GetPrompter() { return *prompter_; }
    void SetPrompter(Prompter& prompter) { prompter_ = &prompter; }
    QWidget* Owner() const { return owner_; }

    // The MessageBox wrapper: OpenDialogCount + 1 while the box is up.
    BoxAnswer MessageBox(const QString& text, const QString& caption, BoxButtons buttons, MessageIcon icon);
    // A language text with the caption of its kind (TypeMessages/Question, Error, Warning, Information).
    // An empty section shows the key as it stands.
    BoxAnswer Box(std::string_view section, std::string_view key, MessageIcon icon,
                  BoxButtons buttons = BoxButtons::Ok);
    BoxAnswer Box(const Message& message, BoxButtons buttons = BoxButtons::Ok) {
        return Box(message.section, message.key, message.icon, buttons);
    }
    // WarningBox: the text, caption TypeMessages/Warning, exclamation icon, OK.
    void WarningBox(std::string_view section, std::string_view key) {
        Box(section, key, MessageIcon::Warning, BoxButtons::Ok);
    }

    QString Text(std::string_view section, std::string_view key) const;
    QString Caption(MessageIcon icon) const;

    int ExecDialog(QDialog& dialog) { return prompter_->ExecDialog(dialog); }
    QString OpenFileName(FileRequest& request) { return prompter_->OpenFileName(owner_, request); }
    QString SaveFileName(FileRequest& request) { return prompter_->SaveFileName(owner_, request); }

private:
    Prompter* prompter_;
    OpenDialogCounter& openDialogs_;
    const MessageTexts& texts_;
    QWidget* owner_;
};

// Converts "|"-separated caption and pattern pairs ("Text (*.txt)|*.txt|All (*.*)|*.*") into Qt
// filter entries.
QStringList FiltersFromPairs(std::string_view pairs);

}  // namespace kravelo
