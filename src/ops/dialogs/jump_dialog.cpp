#include "ops/dialogs/jump_dialog.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/prompts.h"
#include "core/text_util.h"

namespace kravelo {

TFormPytanie05SkokDo::TFormPytanie05SkokDo(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormPytanie05SkokDo"));
    setWindowTitle(QStringLiteral("Skocz do"));
    auto field = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(15);
        return e;
    };
    Label1 = new QLabel(QStringLiteral("&Sekundy:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    EditGotoSec = field("EditGotoSec");
    Label2 = new QLabel(QStringLiteral("&Klatki:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    EditGotoFrm = field("EditGotoFrm");
    Label3 = new QLabel(QStringLiteral("&Czasu:"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    EditGotoH = field("EditGotoH");
    EditGotoM = field("EditGotoM");
    EditGotoS = field("EditGotoS");
    Label1->setBuddy(EditGotoSec);
    Label2->setBuddy(EditGotoFrm);
    Label3->setBuddy(EditGotoH);
    SpeedButton1 = new QPushButton(QStringLiteral("&Aktualny"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setToolTip(QStringLiteral("Wpisuje aktualny czas filmu"));
    SpeedButton1->setAutoDefault(false);
    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(EditGotoSec, 0, 1, 1, 3);
    grid->addWidget(SpeedButton1, 0, 4);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(EditGotoFrm, 1, 1, 1, 3);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(EditGotoH, 2, 1);
    grid->addWidget(EditGotoM, 2, 2);
    grid->addWidget(EditGotoS, 2, 3);
    auto* all = new QVBoxLayout(this);
    all->addLayout(grid);
    all->addLayout(ButtonRow(Button1, Button2));

    fields_ = new LinkedTimeFields(EditGotoSec, EditGotoFrm, LinkedTimeFields::Frames::Number, this);
    fields_->AddClock(EditGotoH, EditGotoM, EditGotoS);
    fields_->SetFrameRate(25.0);
    connect(SpeedButton1, &QPushButton::clicked, this, [this] {
        if (currentPosition) EditGotoSec->setText(QString::fromStdString(FormatGeneral(currentPosition())));
    });
}

void TFormPytanie05SkokDo::accept() {
    if (EditGotoFrm->text().toLongLong() <= 0) {
        prompts_.WarningBox("FormPytanie01Konwert", "IncorrectVal");
        EditGotoFrm->setFocus();
        return;
    }
    CountedDialog::accept();
}

void TFormPytanie05SkokDo::showEvent(QShowEvent* event) {
    CountedDialog::showEvent(event);
    CenterOnScreen();
    EditGotoSec->setFocus();
    EditGotoSec->selectAll();
}

}  // namespace kravelo
