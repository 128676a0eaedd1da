#include "app/form_skin.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/main_window.h"
#include "player/form_mp.h"
#include "player/kv_track_bar.h"
#include "ui/command_names.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

namespace kravelo {

namespace {

// The sliders' defaults ("&Domyślna").
constexpr SkinBrightness kDefaultBrightness{};

QSlider* BrightnessSlider(QWidget* parent, const char* name) {
    auto* s = Named(new QSlider(Qt::Horizontal, parent), name);
    s->setRange(0, 200);
    return s;
}

QLabel* Preview(QWidget* parent, const char* name, int height) {
    auto* l = Named(new QLabel(parent), name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setFixedHeight(height);
    l->setMinimumWidth(160);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

// A tracker width typed into the dialog: a whole number from 5 to 40, or -1.
int TrackerWidthOf(const QLineEdit* edit) {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok && value >= 5 && value <= 40 ? value : -1;
}

}  // namespace

QString SkinsFolder(const std::string& programFolder, const std::string& shareFolder) {
    const QString own = QDir(Q(programFolder)).filePath(QStringLiteral("skins"));
    if (QFileInfo(own).isDir() || shareFolder.empty()) return own;
    return QDir(Q(shareFolder)).filePath(QStringLiteral("skins"));
}

// --- The dialog

TFormSkin::TFormSkin(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormSkin"));
    setWindowTitle(QStringLiteral("Skóra"));
    ListBox1 = Named(new QListWidget(this), "ListBox1");
    LabelSkinName = Label(this, "LabelSkinName", "");
    EditskinFileName = Named(new QLineEdit(this), "EditskinFileName");
    EditskinFileName->setReadOnly(true);
    TrackBarW = BrightnessSlider(this, "TrackBarW");
    TrackBarWT = BrightnessSlider(this, "TrackBarWT");
    TrackBarF = BrightnessSlider(this, "TrackBarF");
    TrackBarFT = BrightnessSlider(this, "TrackBarFT");
    LabelW = Label(this, "LabelW", "");
    LabelWT = Label(this, "LabelWT", "");
    LabelF = Label(this, "LabelF", "");
    LabelFT = Label(this, "LabelFT", "");
    ImageW = Preview(this, "ImageW", 40);
    ImageWT = Preview(this, "ImageWT", 14);
    ImageF = Preview(this, "ImageF", 40);
    ImageFT = Preview(this, "ImageFT", 14);
    LabelTrV = Label(this, "LabelTrV", "Szerokość suwaka przewijania filmu:");
    EditTrV = Edit(this, "EditTrV", "", 2);
    LabelTrS = Label(this, "LabelTrS", "Szerokość suwaków ustawień:");
    EditTrS = Edit(this, "EditTrS", "", 2);
    LabelTrV->setBuddy(EditTrV);
    LabelTrS->setBuddy(EditTrS);
    ButtonDefault = Named(new QPushButton(QStringLiteral("&Domyślna"), this), "ButtonDefault");
    ButtonDefault->setAutoDefault(false);
    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(500);

    auto* grid = new QGridLayout;
    const std::pair<const char*, const char*> captions[] = {{"LabelWindow", "Okno"},
                                                            {"LabelWindowTrack", "Okno - suwak"},
                                                            {"LabelFullScreen", "Pełny ekran"},
                                                            {"LabelFullScreenTrack", "Pełny ekran - suwak"}};
    QSlider* sliders[] = {TrackBarW, TrackBarWT, TrackBarF, TrackBarFT};
    QLabel* values[] = {LabelW, LabelWT, LabelF, LabelFT};
    QLabel* previews[] = {ImageW, ImageWT, ImageF, ImageFT};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(Label(this, captions[i].first, captions[i].second), i, 0);
        grid->addWidget(sliders[i], i, 1);
        values[i]->setMinimumWidth(40);
        grid->addWidget(values[i], i, 2);
        grid->addWidget(previews[i], i, 3);
        connect(sliders[i], &QSlider::valueChanged, this, &TFormSkin::BrightnessChanged);
    }
    grid->addWidget(ButtonDefault, 4, 1);
    auto* widths = new QGridLayout;
    widths->addWidget(LabelTrV, 0, 0);
    widths->addWidget(EditTrV, 0, 1);
    widths->addWidget(LabelTrS, 1, 0);
    widths->addWidget(EditTrS, 1, 1);
    for (QLineEdit* e : {EditTrV, EditTrS}) e->setMaximumWidth(40);

    auto* left = new QVBoxLayout;
    left->addWidget(LabelSkinName);
    left->addWidget(ListBox1, 1);
    left->addWidget(EditskinFileName);
    auto* right = new QVBoxLayout;
    right->addLayout(grid);
    right->addLayout(widths);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(right, 2);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addLayout(ButtonRow(Button1, Button2));
    resize(720, 320);

    connect(ListBox1, &QListWidget::currentRowChanged, this, &TFormSkin::Select);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] {
        if (Button1->isEnabled()) accept();
    });
    connect(ButtonDefault, &QPushButton::clicked, this, [this] {
        TrackBarW->setValue(kDefaultBrightness.window);
        TrackBarWT->setValue(kDefaultBrightness.windowTrack);
        TrackBarF->setValue(kDefaultBrightness.fullScreen);
        TrackBarFT->setValue(kDefaultBrightness.fullScreenTrack);
    });
    connect(Timer1, &QTimer::timeout, this, [this] {
        if (preview) preview();
    });
}

void TFormSkin::Prepare(const SkinBrightness& b, const QString& skinName, int videoTracker, int settingsTracker) {
    const QSignalBlocker blockW(TrackBarW), blockWT(TrackBarWT), blockF(TrackBarF), blockFT(TrackBarFT);
    TrackBarW->setValue(b.window);
    TrackBarWT->setValue(b.windowTrack);
    TrackBarF->setValue(b.fullScreen);
    TrackBarFT->setValue(b.fullScreenTrack);
    for (auto [slider, label] : {std::pair{TrackBarW, LabelW}, {TrackBarWT, LabelWT}, {TrackBarF, LabelF},
                                 {TrackBarFT, LabelFT}})
        label->setText(QString::number(slider->value()) + u'%');
    name_ = skinName;
    LabelSkinName->setText(skinName);
    EditTrV->setText(QString::number(videoTracker));
    EditTrS->setText(QString::number(settingsTracker));
    Timer1->stop();
}

SkinBrightness TFormSkin::Brightness() const {
    return {TrackBarW->value(), TrackBarWT->value(), TrackBarF->value(), TrackBarFT->value()};
}

int TFormSkin::VideoTracker() const { return TrackerWidthOf(EditTrV); }
int TFormSkin::SettingsTracker() const { return TrackerWidthOf(EditTrS); }

void TFormSkin::showEvent(QShowEvent* event) {
    CountedDialog::showEvent(event);
    FillList();
}

void TFormSkin::FillList() {
    const QSignalBlocker block(ListBox1);
    ListBox1->clear();
    ListBox1->addItem(prompts_.Text("FormSkin", "WithOut"));
    const QDir folder(skinsFolder);
    for (const QString& file : folder.entryList({QStringLiteral("*.bmp"), QStringLiteral("*.BMP")}, QDir::Files,
                                                QDir::Unsorted))
        ListBox1->addItem(file);
    int row = 0;
    if (!skinShown || skinShown()) {
        for (int i = 1; i < ListBox1->count(); ++i)
            if (folder.filePath(ListBox1->item(i)->text()).compare(name_, Qt::CaseInsensitive) == 0) row = i;
    }
    ListBox1->setCurrentRow(row);
    EditskinFileName->setText(row >= 1 ? folder.filePath(ListBox1->item(row)->text()) : ListBox1->item(row)->text());
    Button1->setEnabled(true);
}

void TFormSkin::Select(int row) {
    if (row < 0) return;
    if (row == 0) {
        name_ = QString::fromLatin1(kNoSkin);
        EditskinFileName->setText(ListBox1->item(0)->text());
        Button1->setEnabled(true);
    } else {
        name_ = QDir(skinsFolder).filePath(ListBox1->item(row)->text());
        EditskinFileName->setText(name_);
        Button1->setEnabled(QFileInfo(name_).isFile());
    }
    Timer1->start();
}

void TFormSkin::BrightnessChanged() {
    for (auto [slider, label] : {std::pair{TrackBarW, LabelW}, {TrackBarWT, LabelWT}, {TrackBarF, LabelF},
                                 {TrackBarFT, LabelFT}})
        label->setText(QString::number(slider->value()) + u'%');
    Timer1->start();
}

void TFormSkin::accept() {
    for (QLineEdit* edit : {EditTrV, EditTrS}) {
        if (TrackerWidthOf(edit) < 0) {
            prompts_.WarningBox("FormSkin", "TrackerWidth");
            edit->setFocus();
            return;
        }
    }
    Timer1->stop();
    CountedDialog::accept();
}

void TFormSkin::reject() {
    Timer1->stop();
    CountedDialog::reject();
}

// --- The commands

SkinCommands::SkinCommands(MainWindow& window, TFormMP& video, QString skinsFolder, QObject* parent)
    : QObject(parent), window_(window), video_(video), tracker_(TrackerPixmap()) {
    dialog_ = new TFormSkin(window_.OpenDialogs(), window_.GetPrompts(), &window_);
    dialog_->skinsFolder = std::move(skinsFolder);
    window_.GetLanguage().AddForm(dialog_);
    dialog_->skinShown = [this] { return !images_.window.isNull(); };
    dialog_->preview = [this] { Apply(S(dialog_->SkinName()), dialog_->Brightness()); };

    targets_.windowControl = video_.ImageControl;
    targets_.windowPosition = video_.KvTrackBarTrack;
    targets_.windowVolume = video_.KvTrackBarVolume;
    targets_.previewWindow = dialog_->ImageW;
    targets_.previewWindowTrack = dialog_->ImageWT;
    targets_.previewFullScreen = dialog_->ImageF;
    targets_.previewFullScreenTrack = dialog_->ImageFT;

    window_.Commands().Add(cmd::kSkin, "&Skóra...", {}, [this] { SkinCommand(); });

    // At start: the tool bar and the editor header exist by now; the skin and the tracker widths
    // of the settings go on.
    connect(&window_, &MainWindow::SettingsLoaded, this, [this] {
        targets_.windowBackgrounds = {window_.ToolBar(), window_.EditorHeader()};
        const Settings& s = window_.GetSettings();
        dialog_->Prepare(StoredBrightness(), Q(s.SkinFileName), s.VideoSeekTracker, s.SettingsTracker);
        // The language is read after the settings: a damaged skin is reported once it is there.
        ApplyStoredSkin(true);
        SetTrackerWidths(targets_, s.VideoSeekTracker, s.SettingsTracker);
    });
    connect(&window_, &MainWindow::SettingsAboutToBeSaved, this, [this] {
        Settings& s = window_.GetSettings();
        s.VideoSeekTracker = video_.KvTrackBarTrack->getTrackerWidth();
        s.SettingsTracker = video_.KvTrackBarVolume->getTrackerWidth();
    });
}

SkinBrightness SkinCommands::StoredBrightness() const {
    const Settings& s = window_.GetSettings();
    return {s.WindowBright, s.WindowBrightTrack, s.FullScrBright, s.FullScrBrightTrack};
}

bool SkinCommands::Apply(const std::string& fileName, const SkinBrightness& brightness, bool reportLater) {
    if (ApplySkin(targets_, tracker_, fileName, brightness, images_) != SkinOutcome::Damaged) return true;
    auto report = [this] {
        Prompts& p = window_.GetPrompts();
        p.MessageBox(p.Text("FormSkin", "CorruptFile"), p.Caption(MessageIcon::Error), BoxButtons::Ok,
                     MessageIcon::Error);
    };
    if (reportLater)
        QTimer::singleShot(0, this, report);
    else
        report();
    return false;
}

void SkinCommands::ApplyStoredSkin(bool reportLater) {
    Apply(window_.GetSettings().SkinFileName, StoredBrightness(), reportLater);
}

void SkinCommands::SkinCommand() {
    Settings& s = window_.GetSettings();
    dialog_->Prepare(StoredBrightness(), Q(s.SkinFileName), video_.KvTrackBarTrack->getTrackerWidth(),
                     video_.KvTrackBarVolume->getTrackerWidth());
    if (window_.GetPrompts().ExecDialog(*dialog_) != QDialog::Accepted) {
        // Cancelled or closed: the stored look comes back.
        dialog_->Timer1->stop();
        ApplyStoredSkin();
        return;
    }
    const SkinBrightness b = dialog_->Brightness();
    s.WindowBright = b.window;
    s.WindowBrightTrack = b.windowTrack;
    s.FullScrBright = b.fullScreen;
    s.FullScrBrightTrack = b.fullScreenTrack;
    s.SkinFileName = S(dialog_->SkinName());
    ApplyStoredSkin();
    SetTrackerWidths(targets_, dialog_->VideoTracker(), dialog_->SettingsTracker());
}

}  // namespace kravelo
