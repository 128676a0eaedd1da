#pragma once
// The chapters of the open movie: the chapters window TFormChapters (the list, go to, add,
// edit, delete), the chapter dialog TFormChapterSet (time and name of one chapter), and the
// commands that open them: "Rozdziały" (Shift+Ctrl+Z, tool button, key Z) and "add a chapter"
// (Shift+Z). The table itself is the window's `TChapters`, kept with the movie's settings.
//
//     ChapterCommands chapters(window, [&player] { return player.CurrentPosition(); },
//                              [&](double s) { transport.Seek(s); display.RequestResync(); });
//     chapters.ShowChapters();     // modal, through the prompt seam

#include <QObject>
#include <functional>

#include "ops/dialogs/counted_dialog.h"

class QLineEdit;
class QListWidget;

namespace kravelo {

class MainWindow;
class TChapters;
struct Settings;

class TFormChapterSet : public CountedDialog {
    Q_OBJECT
public:
    TFormChapterSet(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    // The movie position "&Aktualny" writes into the time fields.
    std::function<double()> currentPosition;

    void SetChapter(int seconds, const QString& name);
    // The time of the fields in whole seconds (0 when they do not make one).
    int Seconds() const;
    QString Name() const;

    QLabel* Label1;  // "&Czas:"
    QLineEdit* EditH;
    QLabel* Label12;  // "g"
    QLineEdit* EditM;
    QLabel* Label13;  // "m"
    QLineEdit* EditS;
    QLabel* Label14;  // "s"
    QLabel* Label2;  // "&Nazwa:"
    QLineEdit* EditName;
    QPushButton* SpeedButton1;
    QPushButton* Button1;
    QPushButton* Button2;

    // OK only with a name and a time above 0 seconds.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool Acceptable() const;
    void UpdateOk();
};

class TFormChapters : public CountedDialog {
    Q_OBJECT
public:
    TFormChapters(TChapters& chapters, TFormChapterSet& chapterSet, Settings& settings, OpenDialogCounter& openDialogs,
                  Prompts& prompts, QWidget* parent = nullptr);

    std::function<double()> currentPosition;
    std::function<void(double)> seek;

    QLabel* Label1;
    QListWidget* ListBoxChapters;
    QPushButton* ButtonGoTo;
    QPushButton* ButtonAdd;
    QPushButton* ButtonEdit;
    QPushButton* ButtonDelete;
    QPushButton* ButtonCancel;

    // The buttons' handlers. Add is also run on its own (Shift+Z); it returns the index of the
    // new chapter, or -1 when none was added (cancelled, or the table is full).
    void ButtonGoToClick();
    int ButtonAddClick();
    void ButtonEditClick();
    void ButtonDeleteClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Fills the list from the table and selects a line (-1: none).
    void Refill(int select);
    void UpdateButtons();
    // Runs the chapter dialog; true when it ended with OK.
    bool EditInDialog(int seconds, const QString& name);
    int InsertFromDialog();

    TChapters& chapters_;
    TFormChapterSet& chapterSet_;
    Settings& settings_;
    bool extraCounted_ = false;
};

class ChapterCommands : public QObject {
    Q_OBJECT
public:
    // Registers "Rozdziały" (Shift+Ctrl+Z, key Z) and the add-a-chapter key (Shift+Z).
    ChapterCommands(MainWindow& window, std::function<double()> moviePosition, std::function<void(double)> seek,
                    QObject* parent = nullptr);

    // The chapters window, modal.
    void ShowChapters();
    // A chapter at the movie position, through the chapter dialog; a full table refuses (with
    // a beep). The control panel's "Dodaj rozdział" runs this too.
    void AddChapter();

    TFormChapters& Window() { return *form_; }
    TFormChapterSet& ChapterDialog() { return *set_; }

private:
    MainWindow& window_;
    TFormChapterSet* set_;
    TFormChapters* form_;
};

}  // namespace kravelo
