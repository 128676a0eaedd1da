#include "ops/dialogs/line_error_dialog.h"

#include <QHBoxLayout>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kravelo {

TFormPytanie12BladLinii::TFormPytanie12BladLinii(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormPytanie12BladLinii"));
    setWindowTitle(QStringLiteral("Błąd formatu w aktualnej linii"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    Label1 = new QLabel(QStringLiteral("Program znalazł napis o nieznanym formacie!"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);

    RadioButtonBreak = new QRadioButton(
        QStringLiteral("Przerwij, ustawiając kursor na nierozpoznanej linii napisu (zalecane)"), this);
    RadioButtonBreak->setObjectName(QStringLiteral("RadioButtonBreak"));
    RadioButtonIgnore = new QRadioButton(QStringLiteral("Kontynuuj, IGNORUJĄC wszystkie nierozpoznane linie"), this);
    RadioButtonIgnore->setObjectName(QStringLiteral("RadioButtonIgnore"));
    RadioButtonDelete = new QRadioButton(QStringLiteral("Kontynuuj, USUWAJĄC wszystkie nierozpoznane linie"), this);
    RadioButtonDelete->setObjectName(QStringLiteral("RadioButtonDelete"));
    RadioButtonBreak->setChecked(true);

    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();

    auto* top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addWidget(Label1, 1);
    QHBoxLayout* buttons = ButtonRow(Button1, Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addWidget(RadioButtonBreak);
    layout->addWidget(RadioButtonIgnore);
    layout->addWidget(RadioButtonDelete);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

LineErrorChoice TFormPytanie12BladLinii::Choice() const {
    if (RadioButtonDelete->isChecked()) return LineErrorChoice::Delete;
    if (RadioButtonIgnore->isChecked()) return LineErrorChoice::Ignore;
    return LineErrorChoice::Break;
}

void TFormPytanie12BladLinii::SelectBreak() { RadioButtonBreak->setChecked(true); }

void TFormPytanie12BladLinii::reject() {
    SelectBreak();
    CountedDialog::reject();
}

void TFormPytanie12BladLinii::showEvent(QShowEvent* event) {
    CountedDialog::showEvent(event);
    SelectBreak();
    RadioButtonBreak->setFocus();
}

}  // namespace kravelo
