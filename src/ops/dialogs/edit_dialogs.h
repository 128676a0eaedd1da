#pragma once
// The parameter dialogs of the display-time change (TFormPytanie04CzasWysw), the merge of
// short subtitles (TFormPytanie13PolaczNapisy) and the repair (TFormPytanie11PoprawNapisy).
// Each is created once and keeps its values from one use to the next; each checks its fields
// on OK and stays open with a warning when they do not fit.

#include "ops/dialogs/counted_dialog.h"
#include "ops/display_time.h"
#include "ops/merge.h"
#include "ops/repair.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace kravelo {

// A seconds field and a frames field that follow each other through a frame rate: frames =
// seconds x rate truncated toward zero, seconds = frames / rate in general number format.
// The guard stops each change from echoing back.
class SecondsFramesLink {
public:
    SecondsFramesLink(QLineEdit* seconds, QLineEdit* frames);
    void SetFrameRate(double rate) { rate_ = rate; }
    double Rate() const { return rate_; }
    // Recomputes the frames from the seconds (after the rate changed).
    void Refresh();

private:
    void SecondsChanged();
    void FramesChanged();

    QLineEdit* seconds_;
    QLineEdit* frames_;
    double rate_ = 0.0;
    bool guard_ = false;
};

// A field read as a number the way every dialog reads it (leading number, else 0).
double FieldNumber(const QLineEdit* edit);

class TFormPytanie04CzasWysw : public CountedDialog {
    Q_OBJECT
public:
    TFormPytanie04CzasWysw(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    void SetFrameRate(double rate) { link_.SetFrameRate(rate); }
    DisplayTimeOptions Options() const;

    QCheckBox* CheckBox1;  // "Wpisz puste pozycje": blanks every end, the rest is disabled
    QGroupBox* GroupBox1;  // "Opcje "
    QCheckBox* CheckBoxOverwrite;
    QLabel* Label3;  // the sample "{x}"
    QLabel* Label4;  // the sample "{}" in blue
    QCheckBox* CheckBoxNa100;
    QCheckBox* CheckBoxNieWieksze;
    QGroupBox* GroupBox2;  // "Czas wyświetlania "
    QLabel* Label1;
    QLineEdit* EditShowSec;
    QLabel* Label2;
    QLineEdit* EditShowFrm;
    QPushButton* Button1;
    QPushButton* Button2;

    // OK: blank ends always; otherwise more than 0 frames (IncorrectVal).
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void EmptyEndsClicked();
    SecondsFramesLink link_;
};

class TFormPytanie13PolaczNapisy : public CountedDialog {
    Q_OBJECT
public:
    TFormPytanie13PolaczNapisy(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    MergeOptions Options() const;

    QLabel* Label1;
    QLineEdit* Edit1;  // seconds per 50 characters
    QLabel* Label2;
    QLabel* Label3;
    QLineEdit* Edit2;  // first start to last end
    QLabel* Label4;
    QLabel* Label5;
    QLineEdit* Edit5;  // first start to last start
    QLabel* Label6;
    QCheckBox* CheckBox1;
    QLineEdit* Edit3;  // maximum length
    ClickLabel* Label7;
    QGroupBox* GroupBox1;  // "Sposób tworzenia wierszy nowego napisu"
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QLineEdit* Edit4;  // maximum rows
    QLabel* Label8;
    QPushButton* Button1;
    QPushButton* Button2;

    // OK: the three times at least 0.10 s; the length a whole number of at least 1 and the rows
    // a whole number of at least 2, each checked only while its field is enabled.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateEnabled();
    bool Refuse(QLineEdit* edit, const QString& text);
};

class TFormPytanie11PoprawNapisy : public CountedDialog {
    Q_OBJECT
public:
    TFormPytanie11PoprawNapisy(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    RepairOptions Options() const;

    QCheckBox* CheckBox1;  // block end time
    QCheckBox* CheckBox2;  // punctuation
    QCheckBox* CheckBox3;  // dialogue dash
    QCheckBox* CheckBoxPN1;
    QCheckBox* CheckBoxPN2;
    QCheckBox* CheckBoxPN3;
    QCheckBox* CheckBoxPN4;
    QCheckBox* CheckBoxPN5;
    QPushButton* Button1;
    QPushButton* Button2;

    // OK: at least one box ticked (NothToDo).
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace kravelo
