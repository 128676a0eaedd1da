#pragma once
// The language chooser TFormLanguage: a list of the "*.klg" files of the language
// folder, the full path of the selected one, "OK" and "Anuluj". OK stores the chosen file name
// in Settings::LanguageFile and loads it; Ctrl+Alt+Shift+S exports the current texts to
// "SAVE.KLG" and beeps.
//
// The "Language1" command (and the first start) runs it as:
//
//     TFormLanguage dialog(language, settings, openDialogs, mainWindow);
//     dialog.onLanguageChanged = [&] { /* re-apply the active format and the jump captions */ };
//     dialog.SetCurrentFile(settings.LanguageFile);
//     dialog.exec();

#include <QDialog>
#include <functional>
#include <string>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace kravelo {

class Language;
class OpenDialogCounter;
struct Settings;

class TFormLanguage : public QDialog {
    Q_OBJECT
public:
    TFormLanguage(Language& language, Settings& settings, OpenDialogCounter& openDialogs,
                  QWidget* parent = nullptr);

    // The file in use, put into the dialog before it is shown.
    void SetCurrentFile(const std::string& fileName) { currentFile_ = fileName; }
    // The full path shown in the path field, and its file-name part.
    std::string ShownPath() const;
    std::string ChosenFileName() const;

    // Run after OK has loaded the chosen language.
    std::function<void()> onLanguageChanged;

    // Controls, by the names the language files use.
    QListWidget* ListBoxFiles;
    QLineEdit* EditPath;
    QPushButton* ButtonOK;      // Tag 1
    QPushButton* ButtonCancel;  // Tag 2

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillList();
    void ShowPathOf(int row);

    Language& language_;
    Settings& settings_;
    OpenDialogCounter& openDialogs_;
    std::string currentFile_;
    bool counted_ = false;
};

}  // namespace kravelo
