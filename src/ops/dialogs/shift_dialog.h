#pragma once
// TFormPytanie03PrzesNap: the time-shift parameters. Seconds and frames mirror each
// other through the frame rate given when the dialog is shown. Created once: the fields keep
// their values from one use to the next.

#include "ops/dialogs/counted_dialog.h"
#include "ops/dialogs/linked_time_fields.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace kravelo {

class TFormPytanie03PrzesNap : public CountedDialog {
    Q_OBJECT
public:
    TFormPytanie03PrzesNap(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    // The frame rate the two fields are mirrored with; set before showing.
    void SetFrameRate(double frameRate) { fields_->SetFrameRate(frameRate); }
    double Seconds() const;  // EditSec, read as a number
    bool ChangeStart() const;
    bool ChangeEnd() const;

    QGroupBox* GroupBox1;  // "Zakres "
    QCheckBox* CheckBoxFrom;
    QCheckBox* CheckBoxTo;
    QGroupBox* GroupBox2;  // "Przesunięcie "
    QLabel* Label1;
    QLineEdit* EditSec;
    QLabel* Label2;
    QLineEdit* EditFrm;
    QPushButton* Button1;
    QPushButton* Button2;

    // OK: refuses zero frames (IncorrectVal) and no box ticked (NothToDo).
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    LinkedTimeFields* fields_;
};

}  // namespace kravelo
