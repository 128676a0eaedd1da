#include "ops/dialogs/shift_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/text_util.h"
#include "ui/prompts.h"

namespace kravelo {

namespace {
double Number(const QLineEdit* edit) { return ParseLeadingDouble(edit->text().toStdString()); }
}  // namespace

TFormPytanie03PrzesNap::TFormPytanie03PrzesNap(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormPytanie03PrzesNap"));
    setWindowTitle(QStringLiteral("Przesuń czas napisów"));
    setProperty("HelpContext", 315);

    GroupBox1 = new QGroupBox(QStringLiteral("Zakres "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    CheckBoxFrom = new QCheckBox(QStringLiteral("Zmieniaj czas/klatki st&artowe"), GroupBox1);
    CheckBoxFrom->setObjectName(QStringLiteral("CheckBoxFrom"));
    CheckBoxFrom->setToolTip(QStringLiteral("Zmienia klatki początkowe"));
    CheckBoxFrom->setChecked(true);
    CheckBoxTo = new QCheckBox(QStringLiteral("Zmieniaj czas/klatki k&ońcowe"), GroupBox1);
    CheckBoxTo->setObjectName(QStringLiteral("CheckBoxTo"));
    CheckBoxTo->setToolTip(QStringLiteral("Zmienia klatki końcowe"));
    CheckBoxTo->setChecked(true);
    auto* range = new QVBoxLayout(GroupBox1);
    range->addWidget(CheckBoxFrom);
    range->addWidget(CheckBoxTo);

    GroupBox2 = new QGroupBox(QStringLiteral("Przesunięcie "), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    const QString hint = QStringLiteral("Ilość sekund wyświetlania napisu");
    Label1 = new QLabel(QStringLiteral("&Sekund:"), GroupBox2);
    Label1->setObjectName(QStringLiteral("Label1"));
    EditSec = new QLineEdit(QStringLiteral("0.0"), GroupBox2);
    EditSec->setObjectName(QStringLiteral("EditSec"));
    EditSec->setMaxLength(15);
    EditSec->setToolTip(hint);
    Label1->setBuddy(EditSec);
    Label2 = new QLabel(QStringLiteral("&Klatek:"), GroupBox2);
    Label2->setObjectName(QStringLiteral("Label2"));
    EditFrm = new QLineEdit(QStringLiteral("0"), GroupBox2);
    EditFrm->setObjectName(QStringLiteral("EditFrm"));
    EditFrm->setMaxLength(15);
    EditFrm->setToolTip(hint);
    Label2->setBuddy(EditFrm);
    auto* amount = new QGridLayout(GroupBox2);
    amount->addWidget(Label1, 0, 0);
    amount->addWidget(EditSec, 0, 1);
    amount->addWidget(Label2, 1, 0);
    amount->addWidget(EditFrm, 1, 1);

    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();
    QHBoxLayout* buttons = ButtonRow(Button1, Button2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    fields_ = new LinkedTimeFields(EditSec, EditFrm, LinkedTimeFields::Frames::Count, this);
}

double TFormPytanie03PrzesNap::Seconds() const { return fields_->Seconds(); }
bool TFormPytanie03PrzesNap::ChangeStart() const { return CheckBoxFrom->isChecked(); }
bool TFormPytanie03PrzesNap::ChangeEnd() const { return CheckBoxTo->isChecked(); }

void TFormPytanie03PrzesNap::accept() {
    float frames = static_cast<float>(Number(EditFrm));
    if (frames == 0.0f) {
        prompts_.WarningBox("FormPytanie01Konwert", "IncorrectVal");
        EditFrm->setFocus();
        return;
    }
    if (!CheckBoxFrom->isChecked() && !CheckBoxTo->isChecked()) {
        prompts_.WarningBox("FormPytanie03PrzesNap", "NothToDo");
        CheckBoxFrom->setFocus();
        return;
    }
    CountedDialog::accept();
}

void TFormPytanie03PrzesNap::showEvent(QShowEvent* event) {
    CountedDialog::showEvent(event);
    EditSec->setFocus();
    EditSec->selectAll();
}

}  // namespace kravelo
