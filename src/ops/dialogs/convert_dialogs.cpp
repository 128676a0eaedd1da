#include "ops/dialogs/convert_dialogs.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "core/text_util.h"
#include "ui/prompts.h"

namespace kravelo {

namespace {

struct Choice {
    const char* caption;
    const char* remark;
};
constexpr Choice kChoices[5] = {
    {"00:00:00", "(czasowy)"},
    {"0:00:00", "(czasowy)"},
    {"{000}{000}", "(klatkowy, mDVD)"},
    {"[000][000]", "(czasowy, MPL2)"},
    {"SSA...", "(Sub Station Alpha)"},
};

// Layout of the form: the target group at 8 with a width of 230, the SSA group to its right; the
// client is 246 pixels wide without SSA and 481 with it, so opening the SSA options widens it.
constexpr int kMargin = 8;
constexpr int kTargetWidth = 230;
constexpr int kSsaLeft = 246;
constexpr int kSsaWidth = 227;
constexpr int kGroupTop = 8;
constexpr int kGroupHeight = 172;
constexpr int kButtonTop = kGroupTop + kGroupHeight + 10;
constexpr int kClientHeight = kButtonTop + 28 + 10;

// The five choices with their remarks, inside a group.
void BuildChoices(QGroupBox* group, std::array<QRadioButton*, 5>& radios, std::array<QLabel*, 5>& remarks) {
    for (int i = 0; i < 5; ++i) {
        radios[i] = new QRadioButton(QString::fromUtf8(kChoices[i].caption), group);
        radios[i]->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        radios[i]->setGeometry(10, 26 + i * 28, 96, 24);
        remarks[i] = new QLabel(QString::fromUtf8(kChoices[i].remark), group);
        remarks[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        remarks[i]->setGeometry(109, 26 + i * 28, 120, 24);
    }
    radios[0]->setChecked(true);
}

int CheckedChoice(const std::array<QRadioButton*, 5>& radios) {
    for (int i = 0; i < 5; ++i)
        if (radios[i]->isChecked()) return i + 1;
    return 1;
}

void PlaceButtons(QPushButton* ok, QPushButton* cancel) {
    // Under the target group, right-aligned within the narrow width.
    cancel->setGeometry(kMargin + kTargetWidth - 88, kButtonTop, 88, 28);
    ok->setGeometry(kMargin + kTargetWidth - 88 - 8 - 88, kButtonTop, 88, 28);
}

}  // namespace

// --- TFormPytanie01Konwert

TFormPytanie01Konwert::TFormPytanie01Konwert(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormPytanie01Konwert"));
    setWindowTitle(QStringLiteral("Konwertuj format napisów"));

    GroupBox1 = new QGroupBox(QStringLiteral("Format docelowy "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(kMargin, kGroupTop, kTargetWidth, kGroupHeight);
    BuildChoices(GroupBox1, RadioButtons, Remarks);

    GroupBoxSSA = new QGroupBox(QStringLiteral("Sub Station Alpha"), this);
    GroupBoxSSA->setObjectName(QStringLiteral("GroupBoxSSA"));
    GroupBoxSSA->setGeometry(kSsaLeft, kGroupTop, kSsaWidth, kGroupHeight);
    const char* labels[6] = {"&Czcionka:", "&Rozmiar:", "&Zarys:", "&Cień:", "&Dolny marg.:", "&PlayResY:"};
    const int maxLength[6] = {0, 4, 2, 2, 4, 5};
    for (int i = 0; i < 6; ++i) {
        SsaLabels[i] = new QLabel(QString::fromUtf8(labels[i]), GroupBoxSSA);
        SsaLabels[i]->setObjectName(QStringLiteral("Label%1").arg(i + 6));
        SsaLabels[i]->setGeometry(10, 24 + i * 24, 92, 22);
        SsaEdits[i] = new QLineEdit(GroupBoxSSA);
        SsaEdits[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        SsaEdits[i]->setGeometry(104, 24 + i * 24, i == 0 ? 113 : 60, 22);
        if (maxLength[i] > 0) SsaEdits[i]->setMaxLength(maxLength[i]);
        SsaLabels[i]->setBuddy(SsaEdits[i]);
    }

    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();
    PlaceButtons(Button1, Button2);

    for (QRadioButton* r : RadioButtons) connect(r, &QRadioButton::toggled, this, [this] { ChoiceChanged(); });
    ChoiceChanged();
}

int TFormPytanie01Konwert::Target() const { return CheckedChoice(RadioButtons); }

void TFormPytanie01Konwert::SetTarget(int format) {
    if (format >= 1 && format <= 5) RadioButtons[format - 1]->setChecked(true);
}

void TFormPytanie01Konwert::FillSsaOptions(const SsaOptions& options, int playResY) {
    SsaEdits[0]->setText(QString::fromStdString(options.fontName));
    SsaEdits[0]->setCursorPosition(0);
    SsaEdits[1]->setText(QString::number(options.fontSize));
    SsaEdits[2]->setText(QString::number(options.outline));
    SsaEdits[3]->setText(QString::number(options.shadow));
    SsaEdits[4]->setText(QString::number(options.marginV));
    SsaEdits[5]->setText(QString::number(playResY));
}

SsaOptions TFormPytanie01Konwert::SsaOptionsOf() const {
    auto number = [this](int i) {
        return static_cast<int>(ParseWholeInt(SsaEdits[i]->text().toStdString()).value_or(0));
    };
    SsaOptions o;
    o.fontName = SsaEdits[0]->text().toStdString();
    o.fontSize = number(1);
    o.outline = number(2);
    o.shadow = number(3);
    o.marginV = number(4);
    o.playResY = number(5);
    return o;
}

void TFormPytanie01Konwert::ChoiceChanged() {
    const bool ssa = RadioButtons[4]->isChecked();
    GroupBoxSSA->setVisible(ssa);
    const int width = ssa ? kSsaLeft + kSsaWidth + kMargin : kTargetWidth + 2 * kMargin;
    setFixedSize(width, kClientHeight);
}

void TFormPytanie01Konwert::accept() {
    if (Target() == 5) {
        // Edit2 (size) at least 1; Edit3..Edit6 at least 0; text that is not an integer fails.
        for (int i = 1; i < 6; ++i) {
            auto value = ParseWholeInt(SsaEdits[i]->text().toStdString());
            const long long minimum = i == 1 ? 1 : 0;
            if (!value || *value < minimum) {
                prompts_.WarningBox("FormPytanie01Konwert", "IncorrectVal");
                SsaEdits[i]->setFocus();
                SsaEdits[i]->selectAll();
                return;
            }
        }
    }
    CountedDialog::accept();
}

void TFormPytanie01Konwert::showEvent(QShowEvent* event) {
    ChoiceChanged();
    CountedDialog::showEvent(event);
    RadioButtons[0]->setFocus();
}

// --- TFormPytanie14SetFormat

TFormPytanie14SetFormat::TFormPytanie14SetFormat(TFormPytanie01Konwert& convert, OpenDialogCounter& openDialogs,
                                                 Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent), convert_(convert) {
    setObjectName(QStringLiteral("FormPytanie14SetFormat"));
    GroupBox1 = new QGroupBox(QStringLiteral("Format docelowy "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(kMargin, kGroupTop, kTargetWidth, kGroupHeight);
    BuildChoices(GroupBox1, RadioButtons, Remarks);
    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();
    PlaceButtons(Button1, Button2);
    setFixedSize(kTargetWidth + 2 * kMargin, kClientHeight);
}

int TFormPytanie14SetFormat::Chosen() const { return CheckedChoice(RadioButtons); }

void TFormPytanie14SetFormat::SetChosen(int format) {
    if (format >= 1 && format <= 5) {
        RadioButtons[format - 1]->setChecked(true);
    } else {
        // No choice for a format outside 1..5.
        for (QRadioButton* r : RadioButtons) {
            r->setAutoExclusive(false);
            r->setChecked(false);
            r->setAutoExclusive(true);
        }
    }
}

QString TFormPytanie14SetFormat::ChoiceCaption(int format) const {
    if (format < 1 || format > 5) return {};
    return RadioButtons[format - 1]->text();
}

void TFormPytanie14SetFormat::showEvent(QShowEvent* event) {
    // One translation serves both dialogs: the remarks, the group title and the buttons.
    for (int i = 0; i < 5; ++i) Remarks[i]->setText(convert_.Remarks[i]->text());
    GroupBox1->setTitle(convert_.GroupBox1->title());
    Button1->setText(convert_.Button1->text());
    Button2->setText(convert_.Button2->text());
    // Caption: ActiveSubtitlesFormat without its first ":" and its first "&".
    QString caption = prompts_.Text("Form1", "ActiveSubtitlesFormat");
    if (qsizetype colon = caption.indexOf(u':'); colon >= 0) caption.remove(colon, 1);
    if (qsizetype amp = caption.indexOf(u'&'); amp >= 0) caption.remove(amp, 1);
    setWindowTitle(caption);
    CountedDialog::showEvent(event);
    RadioButtons[static_cast<std::size_t>(Chosen() - 1)]->setFocus();
}

}  // namespace kravelo
