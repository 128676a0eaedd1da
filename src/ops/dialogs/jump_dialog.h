#pragma once
// TFormPytanie05SkokDo, "Skocz do": the movie position to jump to, as seconds, a frame number
// and hours / minutes / seconds that follow each other through the frame rate. Created once:
// the fields keep their values from one opening to the next.

#include <functional>

#include "ops/dialogs/counted_dialog.h"
#include "ops/dialogs/linked_time_fields.h"

class QLineEdit;

namespace kravelo {

class TFormPytanie05SkokDo : public CountedDialog {
    Q_OBJECT
public:
    TFormPytanie05SkokDo(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    void SetFrameRate(double rate) { fields_->SetFrameRate(rate); }
    // The position "Aktualny" writes into the seconds field.
    std::function<double()> currentPosition;
    double Seconds() const { return fields_->Seconds(); }

    QLabel* Label1;
    QLineEdit* EditGotoSec;
    QLabel* Label2;
    QLineEdit* EditGotoFrm;
    QLabel* Label3;
    QLineEdit* EditGotoH;
    QLineEdit* EditGotoM;
    QLineEdit* EditGotoS;
    QPushButton* SpeedButton1;
    QPushButton* Button1;
    QPushButton* Button2;

    // OK only for a frame above 0.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    LinkedTimeFields* fields_;
};

}  // namespace kravelo
