#include "ops/dialogs/frame_rate_dialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>

#include "core/text_util.h"
#include "ui/prompts.h"

namespace kravelo {

namespace {

const QString kNotAvailable = QStringLiteral("N/A");

QComboBox* RateBox(QWidget* parent, const char* name, const QString& text, const QString& hint) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(StandardFrameRates());
    box->model()->sort(0);
    box->lineEdit()->setMaxLength(10);
    // No inline completion: typing "25" stays "25", and Enter presses OK at once.
    box->setCompleter(nullptr);
    box->setEditText(text);
    box->setToolTip(hint);
    return box;
}

double Number(const QComboBox* box) { return ParseLeadingDouble(box->currentText().toStdString()); }

// The hint of a movie-rate label: FPSNotAccesible while it reads "N/A", else ClickToWriteDown.
void HintRateLabel(QLabel* label, const Prompts& prompts) {
    label->setToolTip(prompts.Text("FormPytanie06ZmianaFPSNap",
                                   label->text() == kNotAvailable ? "FPSNotAccesible" : "ClickToWriteDown"));
}

void FocusAndSelect(QComboBox* box) {
    box->setFocus();
    box->lineEdit()->selectAll();
}

}  // namespace

QStringList StandardFrameRates() {
    return {QStringLiteral("12.000"), QStringLiteral("14.998"), QStringLiteral("23.976"), QStringLiteral("24.000"),
            QStringLiteral("25.000"), QStringLiteral("29.970"), QStringLiteral("30.000")};
}

// --- TFormPytanie06ZmianaFPSNap

TFormPytanie06ZmianaFPSNap::TFormPytanie06ZmianaFPSNap(OpenDialogCounter& openDialogs, Prompts& prompts,
                                                       QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormPytanie06ZmianaFPSNap"));
    setWindowTitle(QStringLiteral("Zmień współczynnik FPS napisów"));
    setProperty("HelpContext", 325);

    GroupBox1 = new QGroupBox(QStringLiteral("Ilość klatek na sekundę "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Label1 = new QLabel(QStringLiteral("&Aktualna:"), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    ComboBoxFpsAct = RateBox(GroupBox1, "ComboBoxFpsAct", QStringLiteral("23.976"),
                             QStringLiteral("Aktualny współczynnik FPS dla napisów"));
    Label1->setBuddy(ComboBoxFpsAct);
    Label2 = new QLabel(QStringLiteral("&Docelowa:"), GroupBox1);
    Label2->setObjectName(QStringLiteral("Label2"));
    ComboBoxFpsDest = RateBox(GroupBox1, "ComboBoxFpsDest", QStringLiteral("25.000"),
                              QStringLiteral("Docelowy współczynnik FPS dla napisów (czyli FPS filmu)"));
    Label2->setBuddy(ComboBoxFpsDest);
    Label8 = new QLabel(QStringLiteral("FPS filmu:"), GroupBox1);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->setToolTip(QStringLiteral("Wartość FPS dla aktualnego filmu"));
    LabelFps2 = new ClickLabel(QStringLiteral("Ilość klatek na sekundę wyliczona z aktualnego filmu"), GroupBox1);
    LabelFps2->setObjectName(QStringLiteral("LabelFps2"));
    auto* grid = new QGridLayout(GroupBox1);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(ComboBoxFpsAct, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(ComboBoxFpsDest, 1, 1);
    grid->addWidget(Label8, 2, 0);
    grid->addWidget(LabelFps2, 2, 1);

    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();
    QHBoxLayout* buttons = ButtonRow(Button1, Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(LabelFps2, &ClickLabel::clicked, this, [this] {
        if (LabelFps2->text() != kNotAvailable) ComboBoxFpsDest->setEditText(LabelFps2->text());
    });
}

double TFormPytanie06ZmianaFPSNap::SourceRate() const { return Number(ComboBoxFpsAct); }
double TFormPytanie06ZmianaFPSNap::TargetRate() const { return Number(ComboBoxFpsDest); }

void TFormPytanie06ZmianaFPSNap::accept() {
    float source = static_cast<float>(SourceRate());
    float target = static_cast<float>(TargetRate());
    if (!(source > 0.0f)) {
        prompts_.WarningBox("FormPytanie01Konwert", "IncorrectVal");
        FocusAndSelect(ComboBoxFpsAct);
        return;
    }
    if (!(target > 0.0f)) {
        prompts_.WarningBox("FormPytanie01Konwert", "IncorrectVal");
        FocusAndSelect(ComboBoxFpsDest);
        return;
    }
    if (source == target) {
        prompts_.WarningBox("FormPytanie03PrzesNap", "NothToDo");
        FocusAndSelect(ComboBoxFpsAct);
        return;
    }
    CountedDialog::accept();
}

void TFormPytanie06ZmianaFPSNap::showEvent(QShowEvent* event) {
    CountedDialog::showEvent(event);
    FocusAndSelect(ComboBoxFpsAct);
    HintRateLabel(LabelFps2, prompts_);
}

// --- TFormPytanie09OkreslFPS

TFormPytanie09OkreslFPS::TFormPytanie09OkreslFPS(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormPytanie09OkreslFPS"));
    setWindowTitle(QStringLiteral("Domyślna wartość współczynnika FPS"));
    setProperty("HelpContext", 515);

    // Laid out by position as designed: the two rate groups stand at 70 and 140 pixels
    // with the explanation, at 10 and 80 without it.
    ImageDesc = new QLabel(this);
    ImageDesc->setObjectName(QStringLiteral("ImageDesc"));
    ImageDesc->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    ImageDesc->setGeometry(10, 12, 32, 32);
    LabelDesc = new QLabel(QStringLiteral("Do programu nie został przypisany domyślny współczynnik FPS. Aby wywołać "
                                          "tę funkcję, musisz najpierw określić jego wartość."),
                           this);
    LabelDesc->setObjectName(QStringLiteral("LabelDesc"));
    LabelDesc->setWordWrap(true);
    LabelDesc->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    LabelDesc->setGeometry(52, 6, 278, 58);

    GroupBox1 = new QGroupBox(QStringLiteral("Wartość FPS filmu "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    LabelFPS = new ClickLabel(kNotAvailable, GroupBox1);
    LabelFPS->setObjectName(QStringLiteral("LabelFPS"));
    LabelFPS->setGeometry(12, 24, 296, 24);

    GroupBox2 = new QGroupBox(QStringLiteral("Wartość FPS używana przez program "), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    ComboBoxFps = RateBox(GroupBox2, "ComboBoxFps", QStringLiteral("0.000"),
                          QStringLiteral("Ilość klatek filmu na sekundę odtwarzania"));
    ComboBoxFps->setGeometry(12, 24, 140, 26);

    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();

    connect(LabelFPS, &ClickLabel::clicked, this, [this] {
        if (LabelFPS->text() != kNotAvailable) ComboBoxFps->setEditText(LabelFPS->text());
    });
    SetExplanationVisible(true);
}

void TFormPytanie09OkreslFPS::SetExplanationVisible(bool visible) {
    explanation_ = visible;
    ImageDesc->setVisible(visible);
    LabelDesc->setVisible(visible);
    const int top = visible ? 70 : 10;
    const int width = 340;
    GroupBox1->setGeometry(10, top, width - 20, 60);
    GroupBox2->setGeometry(10, top + 70, width - 20, 60);
    const int buttonsTop = top + 140;
    Button2->setGeometry(width - 10 - 88, buttonsTop, 88, 28);
    Button1->setGeometry(width - 10 - 88 - 8 - 88, buttonsTop, 88, 28);
    // The client area alone is sized here (278 and 218 pixels high with title bar and frame);
    // the window manager adds its own decoration.
    setFixedSize(width, buttonsTop + 28 + 10);
}

double TFormPytanie09OkreslFPS::Rate() const { return Number(ComboBoxFps); }

void TFormPytanie09OkreslFPS::accept() {
    if (!(static_cast<float>(Rate()) > 0.0f)) {
        prompts_.WarningBox("FormPytanie01Konwert", "IncorrectVal");
        FocusAndSelect(ComboBoxFps);
        return;
    }
    CountedDialog::accept();
}

void TFormPytanie09OkreslFPS::showEvent(QShowEvent* event) {
    CountedDialog::showEvent(event);
    FocusAndSelect(ComboBoxFps);
    HintRateLabel(LabelFPS, prompts_);
}

void TFormPytanie09OkreslFPS::hideEvent(QHideEvent* event) {
    // EnsureFrameRate always shows the explanation: the menu command hides it only for one use.
    if (!event->spontaneous()) SetExplanationVisible(true);
    CountedDialog::hideEvent(event);
}

}  // namespace kravelo
