#include "ops/dialogs/edit_dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

#include "ui/prompts.h"
#include "core/text_util.h"

namespace kravelo {

namespace {

QCheckBox* Check(QWidget* parent, const char* name, const char* text, bool ticked) {
    auto* c = Named(new QCheckBox(QString::fromUtf8(text), parent), name);
    c->setChecked(ticked);
    return c;
}

void TabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* const* w = widgets.begin();
    for (std::size_t i = 1; i < widgets.size(); ++i) QWidget::setTabOrder(w[i - 1], w[i]);
}

// A whole number typed as digits only (blanks around allowed); nullopt for anything else.
std::optional<long> WholeNumber(const QLineEdit* edit) {
    bool ok = false;
    const long value = edit->text().trimmed().toLong(&ok);
    if (!ok) return std::nullopt;
    return value;
}

}  // namespace

double FieldNumber(const QLineEdit* edit) { return ParseLeadingDouble(edit->text().toStdString()); }

// --- Seconds and frames

SecondsFramesLink::SecondsFramesLink(QLineEdit* seconds, QLineEdit* frames) : seconds_(seconds), frames_(frames) {
    QObject::connect(seconds_, &QLineEdit::textChanged, seconds_, [this] { SecondsChanged(); });
    QObject::connect(frames_, &QLineEdit::textChanged, frames_, [this] { FramesChanged(); });
}

void SecondsFramesLink::Refresh() {
    const bool wasGuarded = guard_;
    guard_ = false;
    SecondsChanged();
    guard_ = wasGuarded;
}

void SecondsFramesLink::SecondsChanged() {
    if (guard_) return;
    guard_ = true;
    double frames = std::trunc(FieldNumber(seconds_) * rate_);
    if (!std::isfinite(frames)) frames = 0.0;
    frames = std::clamp(frames, -9.0e18, 9.0e18);  // a typed 1e300 must not overflow the integer
    frames_->setText(QString::number(static_cast<long long>(frames)));
    guard_ = false;
}

void SecondsFramesLink::FramesChanged() {
    if (guard_) return;
    guard_ = true;
    if (rate_ != 0.0) seconds_->setText(QString::fromStdString(FormatGeneral(FieldNumber(frames_) / rate_)));
    guard_ = false;
}

// --- Display time

TFormPytanie04CzasWysw::TFormPytanie04CzasWysw(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent),
      link_((EditShowSec = Edit(this, "EditShowSec", "0.0", 15)), (EditShowFrm = Edit(this, "EditShowFrm", "0", 15))) {
    setObjectName(QStringLiteral("FormPytanie04CzasWysw"));
    setWindowTitle(QStringLiteral("Zmień czas wyświetlania napisów"));
    setProperty("HelpContext", 320);

    CheckBox1 = Check(this, "CheckBox1", "&Wpisz puste pozycje", false);
    GroupBox1 = Named(new QGroupBox(QStringLiteral("Opcje "), this), "GroupBox1");
    CheckBoxOverwrite = Check(GroupBox1, "CheckBoxOverwrite", "&Zmieniaj tylko nieokreślone czasy", false);
    CheckBoxOverwrite->setToolTip(QStringLiteral("Nadaje czas końcowy tylko napisom, które go jeszcze nie mają"));
    Label3 = Label(GroupBox1, "Label3", "{x}");
    Label4 = Label(GroupBox1, "Label4", "{}");
    Label4->setStyleSheet(QStringLiteral("color: blue"));
    CheckBoxNa100 = Check(GroupBox1, "CheckBoxNa100", "&Czas zależny od długości napisu", true);
    CheckBoxNa100->setToolTip(QStringLiteral(
        "Czas wyświetlania uzależniony od długości napisu (wpisany czas rozdziela się na 50 znaków)"));
    CheckBoxNieWieksze = Check(GroupBox1, "CheckBoxNieWieksze", "&Blokuj czas końcowy", true);
    CheckBoxNieWieksze->setToolTip(
        QStringLiteral("Czas końcowy zawsze mniejsza od początkowego czasu następnego napisu"));
    auto* options = new QGridLayout(GroupBox1);
    auto* sample = new QHBoxLayout;
    sample->setSpacing(0);
    sample->addWidget(Label3);
    sample->addWidget(Label4);
    sample->addStretch();
    options->addWidget(CheckBoxOverwrite, 0, 0);
    options->addLayout(sample, 0, 1);
    options->addWidget(CheckBoxNa100, 1, 0, 1, 2);
    options->addWidget(CheckBoxNieWieksze, 2, 0, 1, 2);

    GroupBox2 = Named(new QGroupBox(QStringLiteral("Czas wyświetlania "), this), "GroupBox2");
    SecondsFramesFields(GroupBox2, EditShowSec, EditShowFrm, QStringLiteral("Ilość sekund wyświetlania napisu"),
                        Label1, Label2);

    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CheckBox1);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addLayout(ButtonRow(Button1, Button2));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    TabOrder({CheckBox1, CheckBoxOverwrite, CheckBoxNa100, CheckBoxNieWieksze, EditShowSec, EditShowFrm, Button1,
                 Button2});

    connect(CheckBox1, &QCheckBox::toggled, this, [this] { EmptyEndsClicked(); });
}

void TFormPytanie04CzasWysw::EmptyEndsClicked() {
    const bool on = !CheckBox1->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{CheckBoxOverwrite, CheckBoxNa100, CheckBoxNieWieksze,
                                                      EditShowSec, EditShowFrm, Label3, Label4})
        w->setEnabled(on);
}

DisplayTimeOptions TFormPytanie04CzasWysw::Options() const {
    DisplayTimeOptions o;
    o.seconds = FieldNumber(EditShowSec);
    o.overwrite = !CheckBoxOverwrite->isChecked();
    o.byLength = CheckBoxNa100->isChecked();
    o.blockEnd = CheckBoxNieWieksze->isChecked();
    o.emptyEnds = CheckBox1->isChecked();
    return o;
}

void TFormPytanie04CzasWysw::accept() {
    if (!CheckBox1->isChecked() && !(static_cast<float>(FieldNumber(EditShowFrm)) > 0.0f)) {
        prompts_.WarningBox("FormPytanie01Konwert", "IncorrectVal");
        EditShowFrm->setFocus();
        return;
    }
    CountedDialog::accept();
}

void TFormPytanie04CzasWysw::showEvent(QShowEvent* event) {
    CountedDialog::showEvent(event);
    link_.Refresh();
    if (FieldNumber(EditShowSec) == 0.0) EditShowSec->setText(QStringLiteral("2.5"));
    if (EditShowSec->isEnabled()) {
        EditShowSec->setFocus();
        EditShowSec->selectAll();
    } else {
        CheckBox1->setFocus();
    }
}

// --- Merge

TFormPytanie13PolaczNapisy::TFormPytanie13PolaczNapisy(OpenDialogCounter& openDialogs, Prompts& prompts,
                                                       QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormPytanie13PolaczNapisy"));
    setWindowTitle(QStringLiteral("Połącz szybko znikające napisy"));
    setProperty("HelpContext", 335);

    Label1 = Label(this, "Label1", "&Złącz napis jeżeli czas wyświetlenia 50 znaków, tego napisu jest mniejszy niż");
    Edit1 = Edit(this, "Edit1", "2.0", 6);
    Label2 = Label(this, "Label2", "sekund");
    Label3 = Label(this, "Label3",
                   "&a czas między wyświetleniem pierwszego napisu a schowaniem ostatniego jest mniejszy niż");
    Edit2 = Edit(this, "Edit2", "4.0", 6);
    Label4 = Label(this, "Label4", "sekund,");
    Label5 = Label(this, "Label5", "&lub czas między wyświetleniami pierwszego i ostatniego napisu jest mniejszy niż");
    Edit5 = Edit(this, "Edit5", "2.0", 6);
    Label6 = Label(this, "Label6", "sekund,");
    CheckBox1 = Check(this, "CheckBox1", "Nie łącz jeżeli długość napisu przekroczy", true);
    Edit3 = Edit(this, "Edit3", "80", 10);
    Label7 = Named(new ClickLabel(QStringLiteral("znaków."), this), "Label7");
    Label1->setBuddy(Edit1);
    Label3->setBuddy(Edit2);
    Label5->setBuddy(Edit5);

    GroupBox1 = Named(new QGroupBox(QStringLiteral("&Sposób tworzenia wierszy nowego napisu"), this), "GroupBox1");
    RadioButton1 = Named(new QRadioButton(QStringLiteral("&Dodaj jako kolejne wiersze"), GroupBox1), "RadioButton1");
    RadioButton2 =
        Named(new QRadioButton(QStringLiteral("&Złącz tak, żeby nie było więcej niż"), GroupBox1), "RadioButton2");
    RadioButton2->setChecked(true);
    Edit4 = Edit(GroupBox1, "Edit4", "3", 2);
    Label8 = Label(GroupBox1, "Label8", "wierszy");

    for (QLineEdit* e : {Edit1, Edit2, Edit5, Edit3, Edit4}) e->setFixedWidth(48);
    auto sentence = [](QLabel* before, QLineEdit* edit, QWidget* after) {
        auto* row = new QHBoxLayout;
        row->addWidget(before);
        row->addWidget(edit);
        row->addWidget(after);
        row->addStretch();
        return row;
    };
    auto* rows = new QVBoxLayout(GroupBox1);
    rows->addWidget(RadioButton1);
    auto* limited = new QHBoxLayout;
    limited->addWidget(RadioButton2);
    limited->addWidget(Edit4);
    limited->addWidget(Label8);
    limited->addStretch();
    rows->addLayout(limited);

    auto* length = new QHBoxLayout;
    length->addWidget(CheckBox1);
    length->addWidget(Edit3);
    length->addWidget(Label7);
    length->addStretch();

    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sentence(Label1, Edit1, Label2));
    layout->addLayout(sentence(Label3, Edit2, Label4));
    layout->addLayout(sentence(Label5, Edit5, Label6));
    layout->addLayout(length);
    layout->addWidget(GroupBox1);
    layout->addLayout(ButtonRow(Button1, Button2));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    TabOrder({Edit1, Edit2, Edit5, CheckBox1, Edit3, RadioButton1, RadioButton2, Edit4, Button1, Button2});

    connect(CheckBox1, &QCheckBox::toggled, this, [this] { UpdateEnabled(); });
    connect(RadioButton2, &QRadioButton::toggled, this, [this] { UpdateEnabled(); });
    connect(Label7, &ClickLabel::clicked, CheckBox1, &QCheckBox::toggle);
}

void TFormPytanie13PolaczNapisy::UpdateEnabled() {
    Edit3->setEnabled(CheckBox1->isChecked());
    Edit4->setEnabled(RadioButton2->isChecked());
}

MergeOptions TFormPytanie13PolaczNapisy::Options() const {
    MergeOptions o;
    o.per50 = FieldNumber(Edit1);
    o.spanEnd = FieldNumber(Edit2);
    o.spanStart = FieldNumber(Edit5);
    o.maxLength = CheckBox1->isChecked() ? WholeNumber(Edit3).value_or(0) : 0;
    o.asRows = RadioButton1->isChecked();
    o.maxRows = WholeNumber(Edit4).value_or(2);
    return o;
}

bool TFormPytanie13PolaczNapisy::Refuse(QLineEdit* edit, const QString& text) {
    prompts_.MessageBox(text, prompts_.Caption(MessageIcon::Warning), BoxButtons::Ok, MessageIcon::Warning);
    edit->setFocus();
    edit->selectAll();
    return false;
}

void TFormPytanie13PolaczNapisy::accept() {
    const QString atLeast = prompts_.Text("FormPytanie13PolaczNapisy", "GreatEqualVal") + u' ';
    for (QLineEdit* e : {Edit1, Edit2, Edit5})
        if (!(FieldNumber(e) >= 0.1)) return void(Refuse(e, atLeast + QStringLiteral("0.10")));
    // The length and the row count are whole numbers: a typed 0.5 must not become 0 ("no limit").
    struct Whole {
        QLineEdit* edit;
        long minimum;
    };
    for (const Whole& w : {Whole{Edit3, 1}, Whole{Edit4, 2}}) {
        if (!w.edit->isEnabled()) continue;
        const std::optional<long> value = WholeNumber(w.edit);
        if (!value) {
            prompts_.WarningBox("FormPytanie01Konwert", "IncorrectVal");
            w.edit->setFocus();
            return;
        }
        if (*value < w.minimum) return void(Refuse(w.edit, atLeast + QString::number(w.minimum)));
    }
    CountedDialog::accept();
}

void TFormPytanie13PolaczNapisy::showEvent(QShowEvent* event) {
    CountedDialog::showEvent(event);
    UpdateEnabled();
    Edit1->setFocus();
}

// --- Repair

TFormPytanie11PoprawNapisy::TFormPytanie11PoprawNapisy(OpenDialogCounter& openDialogs, Prompts& prompts,
                                                       QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormPytanie11PoprawNapisy"));
    setWindowTitle(QStringLiteral("Popraw napisy"));
    setProperty("HelpContext", 350);
    CheckBox1 = Check(this, "CheckBox1", "&Blokuj czas pokazywania napisu", true);
    CheckBox2 = Check(this, "CheckBox2", "Popraw pozycje znaków interpunkcyjnych", true);
    CheckBox3 = Check(this, "CheckBox3", "Popraw pozycję znaku myślnika (dialogi)", true);
    CheckBoxPN1 = Check(this, "CheckBoxPN1", "&Usuwaj puste wiersze", true);
    CheckBoxPN2 = Check(this, "CheckBoxPN2", "Usuwaj &podwójne spacje", true);
    CheckBoxPN3 = Check(this, "CheckBoxPN3", "Usuwaj spacje na &końcach wierszy", true);
    CheckBoxPN4 = Check(this, "CheckBoxPN4", "Usuwaj spacje między &cyframi", false);
    CheckBoxPN5 = Check(this, "CheckBoxPN5", "Usuwaj informacje o kolorze (m&DVDp)", false);
    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();
    auto* layout = new QVBoxLayout(this);
    for (QCheckBox* c :
         {CheckBox1, CheckBox2, CheckBox3, CheckBoxPN1, CheckBoxPN2, CheckBoxPN3, CheckBoxPN4, CheckBoxPN5})
        layout->addWidget(c);
    layout->addLayout(ButtonRow(Button1, Button2));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

RepairOptions TFormPytanie11PoprawNapisy::Options() const {
    RepairOptions o;
    o.blockEnd = CheckBox1->isChecked();
    o.punctuation = CheckBox2->isChecked();
    o.dash = CheckBox3->isChecked();
    o.emptyLines = CheckBoxPN1->isChecked();
    o.doubleSpaces = CheckBoxPN2->isChecked();
    o.rowEndSpaces = CheckBoxPN3->isChecked();
    o.digitSpaces = CheckBoxPN4->isChecked();
    o.braceCodes = CheckBoxPN5->isChecked();
    return o;
}

void TFormPytanie11PoprawNapisy::accept() {
    if (!Options().Any()) {
        prompts_.WarningBox("FormPytanie03PrzesNap", "NothToDo");
        CheckBoxPN1->setFocus();
        return;
    }
    CountedDialog::accept();
}

void TFormPytanie11PoprawNapisy::showEvent(QShowEvent* event) {
    CountedDialog::showEvent(event);
    CheckBox1->setFocus();
}

}  // namespace kravelo
