#pragma once
// TFormPytanie01Konwert (target format of a conversion, with the SSA output options
// shown only while SSA is chosen) and TFormPytanie14SetFormat (the active format). The five
// choices are RadioButton1..5 = formats 1..5, each with a remark label Label1..5.

#include <array>

#include "core/ssa.h"
#include "ops/dialogs/counted_dialog.h"

class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace kravelo {

class TFormPytanie01Konwert : public CountedDialog {
    Q_OBJECT
public:
    TFormPytanie01Konwert(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    int Target() const;  // 1..5
    void SetTarget(int format);

    // FillConversionDialog: the SSA options into Edit1..Edit6 (PlayResY as given).
    void FillSsaOptions(const SsaOptions& options, int playResY);
    // StoreSsaOptions: the six fields read back as integers.
    SsaOptions SsaOptionsOf() const;

    QGroupBox* GroupBox1;  // "Format docelowy "
    std::array<QRadioButton*, 5> RadioButtons;  // RadioButton1..RadioButton5
    std::array<QLabel*, 5> Remarks;             // Label1..Label5
    QGroupBox* GroupBoxSSA;
    std::array<QLabel*, 6> SsaLabels;    // Label6..Label11
    std::array<QLineEdit*, 6> SsaEdits;  // Edit1..Edit6
    QPushButton* Button1;
    QPushButton* Button2;

    // OK with SSA chosen: Edit2..Edit6 must be integers (size at least 1, the others at least 0).
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ChoiceChanged();
};

class TFormPytanie14SetFormat : public CountedDialog {
    Q_OBJECT
public:
    // Takes over the remark labels and button captions of the conversion dialog when shown.
    TFormPytanie14SetFormat(TFormPytanie01Konwert& convert, OpenDialogCounter& openDialogs, Prompts& prompts,
                            QWidget* parent = nullptr);

    int Chosen() const;
    void SetChosen(int format);
    // The caption of choice 1..5 ("00:00:00" ... "SSA..."), empty for another value.
    QString ChoiceCaption(int format) const;

    QGroupBox* GroupBox1;
    std::array<QRadioButton*, 5> RadioButtons;
    std::array<QLabel*, 5> Remarks;
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TFormPytanie01Konwert& convert_;
};

}  // namespace kravelo
