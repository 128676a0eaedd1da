#pragma once
// TFormPytanie06ZmianaFPSNap (source and target rate of the frame-rate change) and
// TFormPytanie09OkreslFPS (the default frame rate, also shown by EnsureFrameRate with its
// explanation). Both are created once and keep their values between uses. The movie-rate
// labels show the movie's rate or "N/A"; clicking one copies its rate into the field.

#include "ops/dialogs/counted_dialog.h"

class QComboBox;
class QGroupBox;

namespace kravelo {

// "12.000" ... "30.000": the rates all three combo boxes offer.
QStringList StandardFrameRates();

class TFormPytanie06ZmianaFPSNap : public CountedDialog {
    Q_OBJECT
public:
    TFormPytanie06ZmianaFPSNap(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    double SourceRate() const;  // ComboBoxFpsAct read as a number
    double TargetRate() const;  // ComboBoxFpsDest

    QGroupBox* GroupBox1;  // "Ilość klatek na sekundę "
    QLabel* Label1;
    QComboBox* ComboBoxFpsAct;
    QLabel* Label2;
    QComboBox* ComboBoxFpsDest;
    QLabel* Label8;
    ClickLabel* LabelFps2;
    QPushButton* Button1;
    QPushButton* Button2;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
};

class TFormPytanie09OkreslFPS : public CountedDialog {
    Q_OBJECT
public:
    TFormPytanie09OkreslFPS(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    // The explanation and the tall layout (EnsureFrameRate), or neither (the menu command).
    void SetExplanationVisible(bool visible);
    bool ExplanationVisible() const { return explanation_; }
    double Rate() const;  // ComboBoxFps read as a number

    QLabel* ImageDesc;
    QLabel* LabelDesc;
    QGroupBox* GroupBox1;  // "Wartość FPS filmu "
    ClickLabel* LabelFPS;
    QGroupBox* GroupBox2;  // "Wartość FPS używana przez program "
    QComboBox* ComboBoxFps;
    QPushButton* Button1;
    QPushButton* Button2;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool explanation_ = true;
};

}  // namespace kravelo
