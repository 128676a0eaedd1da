#pragma once
// TFormPytanie12BladLinii: the line check found an unrecognised line. Break (the
// default) stops with the caret on the line, Ignore stops checking, Delete removes every
// unrecognised line of the range.

#include "ops/dialogs/counted_dialog.h"
#include "ops/validate.h"

class QRadioButton;

namespace kravelo {

class TFormPytanie12BladLinii : public CountedDialog {
    Q_OBJECT
public:
    TFormPytanie12BladLinii(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    // The choice the radio buttons hold.
    LineErrorChoice Choice() const;
    void SelectBreak();

    QLabel* Image1;
    QLabel* Label1;
    QRadioButton* RadioButtonBreak;
    QRadioButton* RadioButtonIgnore;
    QRadioButton* RadioButtonDelete;
    QPushButton* Button1;
    QPushButton* Button2;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace kravelo
