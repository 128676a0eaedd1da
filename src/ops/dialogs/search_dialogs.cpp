#include "ops/dialogs/search_dialogs.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHideEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/prompts.h"
#include "core/text_util.h"
#include "core/time_model.h"

namespace kravelo {

// --- Timing-search thresholds

TimingSearchDialog::TimingSearchDialog(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent,
                                       const char* name, const char* caption, int helpContext, const char* group,
                                       const char* seconds)
    : CountedDialog(openDialogs, prompts, parent),
      link_((EditBreakSec = Edit(this, "EditBreakSec", seconds, 15)), (EditBreakFrm = Edit(this, "EditBreakFrm", "0", 15))) {
    setObjectName(QLatin1String(name));
    setWindowTitle(QString::fromUtf8(caption));
    setProperty("HelpContext", helpContext);
    GroupBox1 = Named(new QGroupBox(QString::fromUtf8(group), this), "GroupBox1");
    SecondsFramesFields(GroupBox1, EditBreakSec, EditBreakFrm, QStringLiteral("Min. wielkość przerwy między napisami"),
                        Label1, Label2);
    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(ButtonRow(Button1, Button2));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TimingSearchDialog::accept() {
    if (!(static_cast<float>(Threshold()) > 0.0f)) {
        prompts_.WarningBox("FormPytanie01Konwert", "IncorrectVal");
        EditBreakSec->setFocus();
        return;
    }
    CountedDialog::accept();
}

void TimingSearchDialog::showEvent(QShowEvent* event) {
    CountedDialog::showEvent(event);
    link_.Refresh();  // the frames follow the rate given for this showing
    EditBreakSec->setFocus();
    EditBreakSec->selectAll();
}

TFormPytanie10ZnajdzSzybkiNapis::TFormPytanie10ZnajdzSzybkiNapis(OpenDialogCounter& openDialogs, Prompts& prompts,
                                                                 QWidget* parent)
    : TimingSearchDialog(openDialogs, prompts, parent, "FormPytanie10ZnajdzSzybkiNapis",
                         "Znajdź krótko wyświetlany napis", 209, "Nie dłużej niż ", "1.0") {}

TFormPytanie07ZnajdzPrzerwe::TFormPytanie07ZnajdzPrzerwe(OpenDialogCounter& openDialogs, Prompts& prompts,
                                                         QWidget* parent)
    : TimingSearchDialog(openDialogs, prompts, parent, "FormPytanie07ZnajdzPrzerwe",
                         "Znajdź przerwę w wyświetlaniu napisów", 210, "Co najmniej ", "10.0") {}

// --- Go to subtitle

TFormPytanie08PrzejdzDoNapisu::TFormPytanie08PrzejdzDoNapisu(OpenDialogCounter& openDialogs, Prompts& prompts,
                                                             QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormPytanie08PrzejdzDoNapisu"));
    setWindowTitle(QStringLiteral("Przejdź do napisu"));
    setProperty("HelpContext", 215);
    Panel1 = Named(new QFrame(this), "Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    Label1 = Label(Panel1, "Label1", "&Klatki:");
    EditGotoFrm = Edit(Panel1, "EditGotoFrm", "0", 15);
    EditGotoFrm->setToolTip(QStringLiteral("Klatka do której będzie wykonany skok"));
    Label2 = Label(Panel1, "Label2", "&Sekundy:");
    EditGotoSec = Edit(Panel1, "EditGotoSec", "0.0", 15);
    EditGotoSec->setToolTip(QStringLiteral("Sekunda do której będzie wykonany skok"));
    Label3 = Label(Panel1, "Label3", "&Czasu:");
    EditGotoH = Edit(Panel1, "EditGotoH", "00", 2);
    Label4 = Label(Panel1, "Label4", "g");
    EditGotoM = Edit(Panel1, "EditGotoM", "00", 2);
    Label5 = Label(Panel1, "Label5", "m");
    EditGotoS = Edit(Panel1, "EditGotoS", "00", 2);
    Label6 = Label(Panel1, "Label6", "s");
    for (QLineEdit* e : {EditGotoH, EditGotoM, EditGotoS}) {
        e->setToolTip(QStringLiteral("Czas do którego będzie wykonany skok"));
        e->setFixedWidth(32);
    }
    Label1->setBuddy(EditGotoFrm);
    Label2->setBuddy(EditGotoSec);
    Label3->setBuddy(EditGotoH);
    auto* clock = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{EditGotoH, Label4, EditGotoM, Label5, EditGotoS, Label6})
        clock->addWidget(w);
    clock->addStretch();
    auto* grid = new QGridLayout(Panel1);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(EditGotoFrm, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(EditGotoSec, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addLayout(clock, 2, 1);
    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1);
    layout->addLayout(ButtonRow(Button1, Button2));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Frames, seconds and the clock follow each other through the frame rate, as in the jump dialog.
    fields_ = new LinkedTimeFields(EditGotoSec, EditGotoFrm, LinkedTimeFields::Frames::Number, this);
    fields_->AddClock(EditGotoH, EditGotoM, EditGotoS);
    fields_->SetFrameRate(25.0);
}

void TFormPytanie08PrzejdzDoNapisu::SetFrameRate(double rate) { fields_->SetFrameRate(rate); }

double TFormPytanie08PrzejdzDoNapisu::Seconds() const { return fields_->Seconds(); }

void TFormPytanie08PrzejdzDoNapisu::accept() {
    if (EditGotoFrm->text().trimmed().toLongLong() <= 0) {
        prompts_.WarningBox("FormPytanie01Konwert", "IncorrectVal");
        EditGotoSec->setFocus();
        return;
    }
    CountedDialog::accept();
}

void TFormPytanie08PrzejdzDoNapisu::showEvent(QShowEvent* event) {
    CountedDialog::showEvent(event);
    EditGotoSec->setFocus();
    EditGotoSec->selectAll();
}

// --- Geometric correction

TFormPytanie02Geom::TFormPytanie02Geom(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormPytanie02Geom"));
    setWindowTitle(QStringLiteral("Geometryczne przesunięcie napisów..."));
    setProperty("HelpContext", 448);
    auto group = [this](const char* name, const char* caption, const char* const labels[3], QLabel** labelOut,
                        const char* const values[3], QLabel** valueOut) {
        auto* box = Named(new QGroupBox(QString::fromUtf8(caption), this), name);
        auto* grid = new QGridLayout(box);
        static const char* const kTexts[3] = {"Nr linii:", "Linia:", "Opóźnienie:"};
        for (int i = 0; i < 3; ++i) {
            labelOut[i] = Label(box, labels[i], kTexts[i]);
            valueOut[i] = Label(box, values[i], "");
            valueOut[i]->setMinimumWidth(240);
            grid->addWidget(labelOut[i], i, 0);
            grid->addWidget(valueOut[i], i, 1);
        }
        return box;
    };
    static const char* const kStartLabels[3] = {"Label1", "Label2", "Label3"};
    static const char* const kStartValues[3] = {"PoczNr", "PoczLinia", "PoczPrzes"};
    static const char* const kEndLabels[3] = {"Label4", "Label5", "Label6"};
    static const char* const kEndValues[3] = {"KonNr", "KonLinia", "KonPrzes"};
    QLabel* labels[6];
    QLabel* values[6];
    GroupBox1 = group("GroupBox1", "Pomiar początkowy ", kStartLabels, labels, kStartValues, values);
    GroupBox2 = group("GroupBox2", "Pomiar końcowy ", kEndLabels, labels + 3, kEndValues, values + 3);
    Label1 = labels[0], Label2 = labels[1], Label3 = labels[2];
    Label4 = labels[3], Label5 = labels[4], Label6 = labels[5];
    PoczNr = values[0], PoczLinia = values[1], PoczPrzes = values[2];
    KonNr = values[3], KonLinia = values[4], KonPrzes = values[5];
    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addLayout(ButtonRow(Button1, Button2));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// --- Find and Replace

TextSearchDialog::TextSearchDialog(bool replace, QWidget* parent) : QDialog(parent) {
    setObjectName(replace ? QStringLiteral("Replace") : QStringLiteral("Find"));
    setWindowTitle(replace ? QStringLiteral("Zamień") : QStringLiteral("Znajdź"));
    setProperty("HelpContext", replace ? 213 : 214);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    Label1 = Label(this, "Label1", "&Znajdź:");
    EditFind = Named(new QLineEdit(this), "EditFind");
    Label1->setBuddy(EditFind);
    auto* fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(EditFind, 0, 1);
    if (replace) {
        Label2 = Label(this, "Label2", "Zamień &na:");
        EditReplace = Named(new QLineEdit(this), "EditReplace");
        Label2->setBuddy(EditReplace);
        fields->addWidget(Label2, 1, 0);
        fields->addWidget(EditReplace, 1, 1);
    }
    CheckBoxWholeWord = Named(new QCheckBox(QStringLiteral("Tylko całe &wyrazy"), this), "CheckBoxWholeWord");
    CheckBoxMatchCase = Named(new QCheckBox(QStringLiteral("&Uwzględniaj wielkość liter"), this), "CheckBoxMatchCase");
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(CheckBoxWholeWord);
    left->addWidget(CheckBoxMatchCase);
    left->addStretch();

    auto button = [this](const char* name, const char* caption) {
        auto* b = Named(new QPushButton(QString::fromUtf8(caption), this), name);
        b->setAutoDefault(false);
        return b;
    };
    ButtonFindNext = button("ButtonFindNext", "Znajdź &następny");
    ButtonFindNext->setDefault(true);
    auto* right = new QVBoxLayout;
    right->addWidget(ButtonFindNext);
    if (replace) {
        ButtonReplace = button("ButtonReplace", "Za&mień");
        ButtonReplaceAll = button("ButtonReplaceAll", "Zamień &wszystkie");
        right->addWidget(ButtonReplace);
        right->addWidget(ButtonReplaceAll);
        connect(ButtonReplace, &QPushButton::clicked, this, &TextSearchDialog::ReplaceCurrent);
        connect(ButtonReplaceAll, &QPushButton::clicked, this, &TextSearchDialog::ReplaceAll);
    }
    ButtonCancel = button("ButtonCancel", "Anuluj");
    right->addWidget(ButtonCancel);
    right->addStretch();
    connect(ButtonFindNext, &QPushButton::clicked, this, &TextSearchDialog::FindNext);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    resize(420, sizeHint().height());
}

QString TextSearchDialog::FindText() const { return EditFind->text(); }
QString TextSearchDialog::ReplaceText() const { return EditReplace ? EditReplace->text() : QString(); }
bool TextSearchDialog::MatchCase() const { return CheckBoxMatchCase->isChecked(); }
bool TextSearchDialog::WholeWord() const { return CheckBoxWholeWord->isChecked(); }

void TextSearchDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    EditFind->setFocus();
    EditFind->selectAll();
}

void TextSearchDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) emit Closed();
}

}  // namespace kravelo
