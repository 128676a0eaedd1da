#pragma once
// The dialogs of the searches and of moving through the document: the thresholds of the
// short-subtitle and gap searches (TFormPytanie10ZnajdzSzybkiNapis, TFormPytanie07ZnajdzPrzerwe),
// the time of "go to subtitle" (TFormPytanie08PrzejdzDoNapisu), the two delay measurements of
// the geometric correction (TFormPytanie02Geom), and the modeless text Find and Replace dialogs.

#include <QDialog>

#include "ops/dialogs/counted_dialog.h"
#include "ops/dialogs/linked_time_fields.h"
#include "ops/dialogs/edit_dialogs.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace kravelo {

// The threshold of a timing search: seconds and frames that follow each other.
class TimingSearchDialog : public CountedDialog {
    Q_OBJECT
public:
    void SetFrameRate(double rate) { link_.SetFrameRate(rate); }
    double Threshold() const { return FieldNumber(EditBreakSec); }

    QGroupBox* GroupBox1;
    QLabel* Label1;
    QLineEdit* EditBreakSec;
    QLabel* Label2;
    QLineEdit* EditBreakFrm;
    QPushButton* Button1;
    QPushButton* Button2;

    // OK: a threshold above 0 (IncorrectVal).
    void accept() override;

protected:
    TimingSearchDialog(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent, const char* name,
                       const char* caption, int helpContext, const char* group, const char* seconds);
    void showEvent(QShowEvent* event) override;

private:
    SecondsFramesLink link_;
};

class TFormPytanie10ZnajdzSzybkiNapis : public TimingSearchDialog {
    Q_OBJECT
public:
    TFormPytanie10ZnajdzSzybkiNapis(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);
};

class TFormPytanie07ZnajdzPrzerwe : public TimingSearchDialog {
    Q_OBJECT
public:
    TFormPytanie07ZnajdzPrzerwe(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);
};

// "Przejdź do napisu": frames, seconds and hours/minutes/seconds that follow each other.
class TFormPytanie08PrzejdzDoNapisu : public CountedDialog {
    Q_OBJECT
public:
    TFormPytanie08PrzejdzDoNapisu(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    void SetFrameRate(double rate);
    double Seconds() const;

    QFrame* Panel1;
    QLabel* Label1;
    QLineEdit* EditGotoFrm;
    QLabel* Label2;
    QLineEdit* EditGotoSec;
    QLabel* Label3;
    QLineEdit* EditGotoH;
    QLabel* Label4;
    QLineEdit* EditGotoM;
    QLabel* Label5;
    QLineEdit* EditGotoS;
    QLabel* Label6;
    QPushButton* Button1;
    QPushButton* Button2;

    // OK only for a frame above 0 (IncorrectVal).
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    LinkedTimeFields* fields_;
};

// The two measurements the geometric correction will use, shown for confirmation.
class TFormPytanie02Geom : public CountedDialog {
    Q_OBJECT
public:
    TFormPytanie02Geom(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    QGroupBox* GroupBox1;  // "Pomiar początkowy "
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* PoczNr;
    QLabel* PoczLinia;
    QLabel* PoczPrzes;
    QGroupBox* GroupBox2;  // "Pomiar końcowy "
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* KonNr;
    QLabel* KonLinia;
    QLabel* KonPrzes;
    QPushButton* Button1;
    QPushButton* Button2;
};

// The modeless text search ("Find") and search-and-replace ("Replace") dialog. It only holds
// the texts and options and says which button was pressed; the window does the searching.
class TextSearchDialog : public QDialog {
    Q_OBJECT
public:
    TextSearchDialog(bool replace, QWidget* parent = nullptr);

    QString FindText() const;
    QString ReplaceText() const;
    bool MatchCase() const;
    bool WholeWord() const;

    QLabel* Label1;
    QLineEdit* EditFind;
    QLabel* Label2 = nullptr;
    QLineEdit* EditReplace = nullptr;
    QCheckBox* CheckBoxWholeWord;
    QCheckBox* CheckBoxMatchCase;
    QPushButton* ButtonFindNext;
    QPushButton* ButtonReplace = nullptr;
    QPushButton* ButtonReplaceAll = nullptr;
    QPushButton* ButtonCancel;

signals:
    void FindNext();
    void ReplaceCurrent();
    void ReplaceAll();
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
};

}  // namespace kravelo
