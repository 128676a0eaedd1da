// The options dialog's pages and their controls; filling, checking and storing them is in
// form_options_values.cpp.

#include "app/form_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/file_associations.h"
#include "ui/open_dialog_count.h"
#include "ui/prompts.h"

namespace kravelo {
namespace {

QCheckBox* Check(QWidget* parent, const char* name, const char* caption) {
    return Named(new QCheckBox(QString::fromUtf8(caption), parent), name);
}

QRadioButton* Radio(QWidget* parent, const char* name, const char* caption) {
    return Named(new QRadioButton(QString::fromUtf8(caption), parent), name);
}

// A caption over its field, the field as wide as `width` characters of "0" need.
QVBoxLayout* Field(QLabel* label, QLineEdit* edit, int width) {
    label->setBuddy(edit);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(width, u'0')) + 12);
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    column->addWidget(label);
    column->addWidget(edit);
    return column;
}

// A caption with its field to the right.
QHBoxLayout* Row(QLabel* label, QWidget* field) {
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        label->setBuddy(edit);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
    }
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(field);
    row->addStretch();
    return row;
}

QFrame* PagePanel(QWidget* parent, const char* name) {
    auto* page = Named(new QFrame(parent), name);
    page->setFrameShape(QFrame::NoFrame);  // no bevel
    return page;
}

// The captions of the classic extensions' boxes, with their access keys.
QString AssociationCaption(const std::string& extension) {
    static const std::pair<const char*, const char*> kCaptions[] = {
        {"asf", "&ASF"}, {"avi", "A&VI"},  {"ivf", "&IVF"},  {"m1v", "M&1V"},   {"mov", "M&OV"}, {"mp2", "MP&2"},
        {"mp2v", "MP2V"}, {"mpa", "M&PA"}, {"mpe", "MP&E"}, {"mpeg", "MPE&G"}, {"mpg", "&MPG"}, {"qt", "&QT"},
    };
    for (const auto& [ext, caption] : kCaptions)
        if (extension == ext) return QString::fromLatin1(caption);
    return QString::fromStdString(extension).toUpper();
}

}  // namespace

// --- The title strip

SubjectLabel::SubjectLabel(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(24);
    QFont f = font();
    f.setBold(true);
    setFont(f);
}

void SubjectLabel::setText(const QString& text) {
    text_ = text;
    update();
}

void SubjectLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // One vertical line per pixel column, 0x808080 at the left edge to 0xC0C0C0 at the right.
    const int w = std::max(1, width());
    for (int x = 0; x < w; ++x) {
        const int grey = 0x80 + (0xC0 - 0x80) * x / std::max(1, w - 1);
        p.setPen(QColor(grey, grey, grey));
        p.drawLine(x, 0, x, height() - 1);
    }
    p.setPen(Qt::white);
    QString caption = text_;
    caption.remove(u'&');
    p.drawText(rect().adjusted(8, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, caption);
}

// --- The dialog

TFormUstawienia::TFormUstawienia(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormUstawienia"));
    setWindowTitle(QStringLiteral("Opcje"));

    ListBox1 = Named(new QListWidget(this), "ListBox1");
    ListBox1->setFixedWidth(130);
    for (const char* page : {"Edycja", "Napisy", "Film", "Pełny ekran", "Skojarzenia plików"})
        ListBox1->addItem(QString::fromUtf8(page));
    LabelSubject = Named(new SubjectLabel(this), "LabelSubject");

    PanelEdit = PagePanel(this, "PanelEdit");
    PanelSubtitles = PagePanel(this, "PanelSubtitles");
    PanelMovie = PagePanel(this, "PanelMovie");
    PanelRes = PagePanel(this, "PanelRes");
    PanelAssociations = PagePanel(this, "PanelAssociations");
    Pages = {PanelEdit, PanelSubtitles, PanelMovie, PanelRes, PanelAssociations};
    BuildEditPage();
    BuildSubtitlesPage();
    BuildMoviePage();
    BuildResolutionPage();
    BuildAssociationsPage();

    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();

    // The pages share one place under the title, as large as the largest needs.
    pageStack_ = new QStackedWidget(this);
    for (QFrame* page : Pages) pageStack_->addWidget(page);
    auto* right = new QVBoxLayout;
    right->setSpacing(10);
    right->addWidget(LabelSubject);
    right->addWidget(pageStack_, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(ListBox1);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(ButtonRow(Button1, Button2));
    // 610 pixels wide unless a caption needs more (the layout's minimum wins).
    resize(610, sizeHint().height());

    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) ShowPage(row);
    });
    chooseFolder = [this](const QString& title, const QString& folder) {
        OpenDialogScope counted(openDialogs_);
        return QFileDialog::getExistingDirectory(this, title, folder);
    };
    ShowPage(0);
    FollowSwitches();
}

void TFormUstawienia::ShowPage(int index) {
    if (index < 0 || index >= static_cast<int>(Pages.size())) return;
    page_ = index;
    if (ListBox1->currentRow() != index) ListBox1->setCurrentRow(index);
    QListWidgetItem* item = ListBox1->item(index);
    LabelSubject->setText(item ? item->text() : QString());
    pageStack_->setCurrentIndex(index);
}

void TFormUstawienia::BuildEditPage() {
    QFrame* p = PanelEdit;
    LabelSzybkoscReakcji = Label(p, "LabelSzybkoscReakcji",
                                 "&Szybkość reakcji w sekundach (do opcji \"Wstaw klatkę początkową\")");
    EditSzybkoscReakcji = Edit(p, "EditSzybkoscReakcji", "0", 10);
    CheckBoxKoncowaReakcja = Check(p, "CheckBoxKoncowaReakcja", "&Zastosuj dla \"Wstaw klatkę końcową\"");
    CheckBoxReakcjaPrzyOpoznieniu = Check(p, "CheckBoxReakcjaPrzyOpoznieniu",
                                          "Z&astosuj przy badaniu opóźnienia napisów względem filmu");
    LabelEditorFontSize = Label(p, "LabelEditorFontSize", "Wielkość &czcionki edytora (6 do 22)");
    EditEditorFontSize = Edit(p, "EditEditorFontSize", "9", 2);
    CheckBoxLeveDiff = Check(p, "CheckBoxLeveDiff",
                             "&Przy wstawianiu klatki początkowej zachowaj poprzednią różnicę między klatkami");
    CheckBoxKursorWDol = Check(p, "CheckBoxKursorWDol",
                               "Po &wstawieniu klatki początkowej napisu przenieś kursor do następnego wiersza");
    CheckBoxOgniskoNaRichEdit = Check(p, "CheckBoxOgniskoNaRichEdit", "&Focus na pole edycyjne po wyświetleniu napisu");
    CheckBoxCreateBackupFile = Check(p, "CheckBoxCreateBackupFile", "Twórz kopię zapasową pliku z napisami (*.bak)");

    auto* reaction = new QVBoxLayout;
    reaction->setSpacing(2);
    reaction->addLayout(Field(LabelSzybkoscReakcji, EditSzybkoscReakcji, 8));
    auto* indented = new QVBoxLayout;
    indented->setContentsMargins(20, 0, 0, 0);
    indented->addWidget(CheckBoxKoncowaReakcja);
    indented->addWidget(CheckBoxReakcjaPrzyOpoznieniu);
    reaction->addLayout(indented);
    auto* layout = new QVBoxLayout(p);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(reaction);
    layout->addSpacing(6);
    layout->addLayout(Row(LabelEditorFontSize, EditEditorFontSize));
    layout->addSpacing(6);
    for (QCheckBox* b : {CheckBoxLeveDiff, CheckBoxKursorWDol, CheckBoxOgniskoNaRichEdit, CheckBoxCreateBackupFile})
        layout->addWidget(b);
    layout->addStretch();
}

void TFormUstawienia::BuildSubtitlesPage() {
    QFrame* p = PanelSubtitles;
    CheckBoxAutoSub = Check(p, "CheckBoxAutoSub",
                            "Automatycznie &włączaj wyświetlanie napisów po wczytaniu pliku tekstowego");
    LabelKatalogZNapisami = Label(p, "LabelKatalogZNapisami", "Domyślny katalog z &napisami");
    EditKatalogZNapisami = Edit(p, "EditKatalogZNapisami", "", 32767);
    Button3 = Named(new QToolButton(p), "Button3");
    Button3->setText(QStringLiteral("..."));
    CheckBoxAutoSubOpen = Check(p, "CheckBoxAutoSubOpen", "Automatyczne &otwieraj napisy po wczytaniu filmu");
    CheckBoxSubVer = Check(p, "CheckBoxSubVer",
                           "&Przy automatycznym otwarciu pliku z napisami proponuj różne wersje językowe");
    LabelPodwyzszenieNapisow = Label(p, "LabelPodwyzszenieNapisow", "Podwyższenie napisów w oknie");
    EditPodwyzszenieNapisow = Edit(p, "EditPodwyzszenieNapisow", "1", 5);
    LabelPodwyzszenieNapisowFS = Label(p, "LabelPodwyzszenieNapisowFS", "Podwyższenie na pełnym ekranie");
    EditPodwyzszenieNapisowFS = Edit(p, "EditPodwyzszenieNapisowFS", "0", 5);
    LabelOpoznienieWlNap = Label(p, "LabelOpoznienieWlNap", "Opóźnienie wyświetlania napisów przy przewijaniu [ms]");
    EditOpoznienieWlNap = Edit(p, "EditOpoznienieWlNap", "10", 6);
    CheckBoxDostosujWiersze = Check(p, "CheckBoxDostosujWiersze",
                                    "&Dostosuj szerokość wierszy napisów, jeżeli wychodzą poza ekran");
    CheckBoxItalic = Check(p, "CheckBoxItalic", "Wiersz zaczynający się od znaku \"/\" wyświetlaj w kursywie");
    CheckBoxNotSorted = Check(p, "CheckBoxNotSorted", "Podczas oglądania filmu informuj o nieposortowanych napisach");

    LabelKatalogZNapisami->setBuddy(EditKatalogZNapisami);
    auto* folder = new QHBoxLayout;
    folder->addWidget(EditKatalogZNapisami, 1);
    folder->addWidget(Button3);
    auto* indented = new QVBoxLayout;
    indented->setContentsMargins(20, 0, 0, 0);
    indented->addWidget(CheckBoxSubVer);
    auto* lifts = new QHBoxLayout;
    lifts->addLayout(Field(LabelPodwyzszenieNapisow, EditPodwyzszenieNapisow, 4));
    lifts->addSpacing(16);
    lifts->addLayout(Field(LabelPodwyzszenieNapisowFS, EditPodwyzszenieNapisowFS, 4));
    lifts->addStretch();

    auto* layout = new QVBoxLayout(p);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(CheckBoxAutoSub);
    layout->addSpacing(4);
    layout->addWidget(LabelKatalogZNapisami);
    layout->addLayout(folder);
    layout->addSpacing(4);
    layout->addWidget(CheckBoxAutoSubOpen);
    layout->addLayout(indented);
    layout->addSpacing(4);
    layout->addLayout(lifts);
    layout->addLayout(Row(LabelOpoznienieWlNap, EditOpoznienieWlNap));
    layout->addSpacing(4);
    for (QCheckBox* b : {CheckBoxDostosujWiersze, CheckBoxItalic, CheckBoxNotSorted}) layout->addWidget(b);
    layout->addStretch();

    connect(Button3, &QToolButton::clicked, this, &TFormUstawienia::BrowseFolder);
    connect(CheckBoxAutoSubOpen, &QCheckBox::toggled, this, &TFormUstawienia::FollowSwitches);
}

void TFormUstawienia::BuildMoviePage() {
    QFrame* p = PanelMovie;
    CheckBoxAutoPlay = Check(p, "CheckBoxAutoPlay", "&Automatycznie odtwarzaj filmu po wczytaniu");
    CheckBoxAutoFSCommandLine =
        Check(p, "CheckBoxAutoFSCommandLine",
              "Włączaj \"pełny ekran\" jeżeli plik filmu wywołany jest z linii komend (lub przez skojarzenie)");
    CheckBoxAutoFS = Check(p, "CheckBoxAutoFS", "Włączaj \"pełny ekran\" dla plików wideo otwartych z menu");
    CheckBoxLastPos = Check(p, "CheckBoxLastPos", "Przywracaj poprzednią pozycję filmu przy powtórnym otwieraniu");
    CheckBoxResumeWhenCrash =
        Check(p, "CheckBoxResumeWhenCrash", "Po zawieszeniu systemu przywracaj odtwarzanie ostatniego filmu");
    CheckBoxNextVolCheck = Check(p, "CheckBoxNextVolCheck", "Po zakończeniu filmu szukaj następnego odcinka");
    CheckBoxAuto100Perc = Check(p, "CheckBoxAuto100Perc", "Ustawiaj wielkość okna programu na 100% wielkości filmu");
    LabelBackward = Label(p, "LabelBackward", "Przewinięcie w lewo");
    EditBackward = Edit(p, "EditBackward", "3", 10);
    LabelForward = Label(p, "LabelForward", "Przewinięcie w prawo");
    EditForward = Edit(p, "EditForward", "3", 10);
    CheckBoxUseIndividualIni =
        Check(p, "CheckBoxUseIndividualIni", "Używaj indywidualnych ustawień dla każdego filmu dłuższego niż");
    EditLen = Edit(p, "EditLen", "20", 5);
    EditLen->setFixedWidth(EditLen->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    LabelLen = Label(p, "LabelLen", "minut");

    auto* jumps = new QHBoxLayout;
    jumps->addLayout(Field(LabelBackward, EditBackward, 6));
    jumps->addSpacing(16);
    jumps->addLayout(Field(LabelForward, EditForward, 6));
    jumps->addStretch();
    auto* individual = new QHBoxLayout;
    individual->addWidget(CheckBoxUseIndividualIni);
    individual->addWidget(EditLen);
    individual->addWidget(LabelLen);
    individual->addStretch();

    auto* layout = new QVBoxLayout(p);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QCheckBox* b : {CheckBoxAutoPlay, CheckBoxAutoFSCommandLine, CheckBoxAutoFS, CheckBoxLastPos,
                         CheckBoxResumeWhenCrash, CheckBoxNextVolCheck, CheckBoxAuto100Perc})
        layout->addWidget(b);
    layout->addSpacing(6);
    layout->addLayout(jumps);
    layout->addSpacing(6);
    layout->addLayout(individual);
    layout->addStretch();

    connect(CheckBoxUseIndividualIni, &QCheckBox::toggled, this, &TFormUstawienia::FollowSwitches);
}

void TFormUstawienia::BuildResolutionPage() {
    QFrame* p = PanelRes;
    GroupBoxRes = Named(new QGroupBox(QStringLiteral("Rozdzielczość ekranu "), p), "GroupBoxRes");
    RadioButtonDontChange = Radio(GroupBoxRes, "RadioButtonDontChange", "Nie zmieniaj");
    RadioButtonChangeTo = Radio(GroupBoxRes, "RadioButtonChangeTo", "Zmień na:");
    ComboBoxRes = Named(new QComboBox(GroupBoxRes), "ComboBoxRes");
    RadioButtonAutoChange =
        Radio(GroupBoxRes, "RadioButtonAutoChange", "Zmień automatycznie, zależnie od rozdzielczości filmu");
    CheckBoxNoMoreRes = Check(GroupBoxRes, "CheckBoxNoMoreRes", "nie większa niż:");
    ComboBoxNoMoreRes = Named(new QComboBox(GroupBoxRes), "ComboBoxNoMoreRes");
    for (QComboBox* c : {ComboBoxRes, ComboBoxNoMoreRes}) c->setMinimumWidth(110);
    auto* res = new QGridLayout(GroupBoxRes);
    res->addWidget(RadioButtonDontChange, 0, 0, 1, 3);
    res->addWidget(RadioButtonChangeTo, 1, 0);
    res->addWidget(ComboBoxRes, 1, 1);
    res->addWidget(RadioButtonAutoChange, 2, 0, 1, 3);
    auto* limit = new QHBoxLayout;
    limit->setContentsMargins(20, 0, 0, 0);
    limit->addWidget(CheckBoxNoMoreRes);
    limit->addWidget(ComboBoxNoMoreRes);
    limit->addStretch();
    res->addLayout(limit, 3, 0, 1, 3);
    res->setColumnStretch(2, 1);

    GroupBoxCol = Named(new QGroupBox(QStringLiteral("Liczba kolorów "), p), "GroupBoxCol");
    RadioButtonColDontChange = Radio(GroupBoxCol, "RadioButtonColDontChange", "Nie zmieniaj");
    RadioButtonColMaxBpp = Radio(GroupBoxCol, "RadioButtonColMaxBpp", "Maksymalna dla danej rozdzielczości");
    auto* col = new QVBoxLayout(GroupBoxCol);
    col->addWidget(RadioButtonColDontChange);
    col->addWidget(RadioButtonColMaxBpp);

    GroupBoxMBP = Named(new QGroupBox(QStringLiteral("Położenie komunikatów "), p), "GroupBoxMBP");
    RadioButtonMBPDontDisplay = Radio(GroupBoxMBP, "RadioButtonMBPDontDisplay", "Nie wyświetlaj");
    RadioButtonMBPCentered = Radio(GroupBoxMBP, "RadioButtonMBPCentered", "Na środku okna");
    RadioButtonMBPTopRight = Radio(GroupBoxMBP, "RadioButtonMBPTopRight", "Prawy górny róg okna");
    auto* mbp = new QVBoxLayout(GroupBoxMBP);
    for (QRadioButton* b : {RadioButtonMBPDontDisplay, RadioButtonMBPCentered, RadioButtonMBPTopRight})
        mbp->addWidget(b);

    auto* layout = new QVBoxLayout(p);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(GroupBoxRes);
    auto* lower = new QHBoxLayout;
    lower->addWidget(GroupBoxCol, 1);
    lower->addWidget(GroupBoxMBP, 1);
    layout->addLayout(lower);
    layout->addStretch();

    for (QRadioButton* b : {RadioButtonDontChange, RadioButtonChangeTo, RadioButtonAutoChange})
        connect(b, &QRadioButton::toggled, this, &TFormUstawienia::FollowSwitches);
    connect(CheckBoxNoMoreRes, &QCheckBox::toggled, this, &TFormUstawienia::FollowSwitches);
}

void TFormUstawienia::BuildAssociationsPage() {
    QFrame* p = PanelAssociations;
    auto* grid = new QGridLayout;
    const std::vector<std::string>& extensions = AssociationExtensions();
    for (std::size_t i = 0; i < extensions.size(); ++i) {
        auto* box = new QCheckBox(AssociationCaption(extensions[i]), p);
        box->setObjectName(QStringLiteral("CheckBox") + QString::fromStdString(extensions[i]).toUpper());
        box->setProperty("Tag", 997);
        grid->addWidget(box, static_cast<int>(i % 7), static_cast<int>(i / 7));
        AssociationBoxes.push_back(box);
    }
    ButtonAll = Named(new QPushButton(QStringLiteral("&Wszystkie"), p), "ButtonAll");
    ButtonNone = Named(new QPushButton(QStringLiteral("Ża&den"), p), "ButtonNone");
    for (QPushButton* b : {ButtonAll, ButtonNone}) b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonAll);
    buttons->addWidget(ButtonNone);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(p);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->addStretch();

    // Every box with Tag 997 ticked or cleared.
    const auto setAll = [this](bool on) {
        for (QCheckBox* b : PanelAssociations->findChildren<QCheckBox*>())
            if (b->property("Tag").toInt() == 997 && b->isEnabled()) b->setChecked(on);
    };
    connect(ButtonAll, &QPushButton::clicked, this, [setAll] { setAll(true); });
    connect(ButtonNone, &QPushButton::clicked, this, [setAll] { setAll(false); });
}

// The controls that depend on a switch are enabled only while it is on.
void TFormUstawienia::FollowSwitches() {
    CheckBoxSubVer->setEnabled(CheckBoxAutoSubOpen->isChecked());
    EditLen->setEnabled(CheckBoxUseIndividualIni->isChecked());
    ComboBoxRes->setEnabled(RadioButtonChangeTo->isChecked());
    CheckBoxNoMoreRes->setEnabled(RadioButtonAutoChange->isChecked());
    ComboBoxNoMoreRes->setEnabled(RadioButtonAutoChange->isChecked() && CheckBoxNoMoreRes->isChecked());
}

void TFormUstawienia::BrowseFolder() {
    if (!chooseFolder) return;
    const QString folder = chooseFolder(prompts_.Text("FormUstawienia", "SubtitDir"), EditKatalogZNapisami->text());
    if (!folder.isEmpty()) EditKatalogZNapisami->setText(folder);
}

}  // namespace kravelo
