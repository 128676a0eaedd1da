#include "app/form_chapters.h"

#include <QApplication>
#include <QGridLayout>
#include <QHideEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QShowEvent>
#include <QVBoxLayout>
#include <cmath>

#include "app/main_window.h"
#include "core/chapters.h"
#include "core/settings.h"
#include "ui/command_names.h"
#include "ui/open_dialog_count.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

namespace kravelo {

// The chapters window counts as this many open windows (transparent subtitles stop while it is up).
constexpr int kChaptersWindowCount = 5;

// --- The chapter dialog

TFormChapterSet::TFormChapterSet(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormChapterSet"));
    setWindowTitle(QStringLiteral("Rozdział"));
    const QString hint = QStringLiteral("Czas do którego będzie wykonany skok");
    Label1 = Label(this, "Label1", "&Czas:");
    EditH = Edit(this, "EditH", "00", 2);
    EditM = Edit(this, "EditM", "00", 2);
    EditS = Edit(this, "EditS", "00", 2);
    for (QLineEdit* e : {EditH, EditM, EditS}) {
        e->setToolTip(hint);
        e->setMaximumWidth(40);
    }
    Label12 = Label(this, "Label12", "g");
    Label13 = Label(this, "Label13", "m");
    Label14 = Label(this, "Label14", "s");
    Label1->setBuddy(EditH);
    Label2 = Label(this, "Label2", "&Nazwa:");
    EditName = Named(new QLineEdit(this), "EditName");
    Label2->setBuddy(EditName);
    SpeedButton1 = Named(new QPushButton(QStringLiteral("&Aktualny"), this), "SpeedButton1");
    SpeedButton1->setToolTip(QStringLiteral("Wpisuje aktualny czas filmu"));
    SpeedButton1->setAutoDefault(false);
    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    auto* time = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{EditH, Label12, EditM, Label13, EditS, Label14}) time->addWidget(w);
    time->addStretch();
    time->addWidget(SpeedButton1);
    grid->addLayout(time, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(EditName, 1, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(grid);
    all->addLayout(ButtonRow(Button1, Button2));
    resize(360, 120);

    for (QLineEdit* e : {EditH, EditM, EditS, EditName}) connect(e, &QLineEdit::textChanged, this, &TFormChapterSet::UpdateOk);
    connect(SpeedButton1, &QPushButton::clicked, this, [this] {
        if (currentPosition) {
            const QString name = EditName->text();
            SetChapter(static_cast<int>(std::trunc(currentPosition())), name);
        }
    });
    UpdateOk();
}

void TFormChapterSet::SetChapter(int seconds, const QString& name) {
    const ChapterTimeFields f = SecondsToFields(seconds);
    EditH->setText(Q(f.h));
    EditM->setText(Q(f.m));
    EditS->setText(Q(f.s));
    EditName->setText(name);
    UpdateOk();
}

int TFormChapterSet::Seconds() const { return FieldsToSeconds(S(EditH->text()), S(EditM->text()), S(EditS->text())); }

QString TFormChapterSet::Name() const { return EditName->text(); }

bool TFormChapterSet::Acceptable() const { return !EditName->text().isEmpty() && Seconds() > 0; }

void TFormChapterSet::UpdateOk() { Button1->setEnabled(Acceptable()); }

void TFormChapterSet::accept() {
    if (!Acceptable()) return;
    CountedDialog::accept();
}

void TFormChapterSet::showEvent(QShowEvent* event) {
    CountedDialog::showEvent(event);
    EditName->setFocus();
}

// --- The chapters window

TFormChapters::TFormChapters(TChapters& chapters, TFormChapterSet& chapterSet, Settings& settings,
                             OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent), chapters_(chapters), chapterSet_(chapterSet), settings_(settings) {
    setObjectName(QStringLiteral("FormChapters"));
    setWindowTitle(QStringLiteral("Rozdziały"));
    Label1 = Label(this, "Label1", "Rozdział:");
    ListBoxChapters = Named(new QListWidget(this), "ListBoxChapters");
    Label1->setBuddy(ListBoxChapters);
    auto button = [this](const char* name, const char* caption) {
        auto* b = Named(new QPushButton(QString::fromUtf8(caption), this), name);
        b->setAutoDefault(false);
        return b;
    };
    ButtonGoTo = button("ButtonGoTo", "Przejdź do rozdziału");
    ButtonGoTo->setDefault(true);
    ButtonAdd = button("ButtonAdd", "&Dodaj");
    ButtonEdit = button("ButtonEdit", "&Edytuj");
    ButtonDelete = button("ButtonDelete", "&Usuń");
    ButtonCancel = button("ButtonCancel", "Zamknij");

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {ButtonGoTo, ButtonAdd, ButtonEdit, ButtonDelete}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(ButtonCancel);
    auto* body = new QHBoxLayout;
    body->addWidget(ListBoxChapters, 1);
    body->addLayout(buttons);
    auto* all = new QVBoxLayout(this);
    all->addWidget(Label1);
    all->addLayout(body, 1);

    connect(ButtonGoTo, &QPushButton::clicked, this, &TFormChapters::ButtonGoToClick);
    connect(ButtonAdd, &QPushButton::clicked, this, [this] { ButtonAddClick(); });
    connect(ButtonEdit, &QPushButton::clicked, this, &TFormChapters::ButtonEditClick);
    connect(ButtonDelete, &QPushButton::clicked, this, &TFormChapters::ButtonDeleteClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBoxChapters, &QListWidget::itemDoubleClicked, this, &TFormChapters::ButtonGoToClick);
}

void TFormChapters::showEvent(QShowEvent* event) {
    if (!extraCounted_) {
        extraCounted_ = true;
        openDialogs_.Add(kChaptersWindowCount - 1);
        resize(std::max(settings_.ChaptersWindowWidth, 200), std::max(settings_.ChaptersWindowHeight, 150));
    }
    CountedDialog::showEvent(event);
    if (y() < 0) move(x(), 0);
    const double now = currentPosition ? currentPosition() : 0.0;
    Refill(chapters_.Count() > 0 ? CurrentChapterIndex(chapters_, now) : -1);
    ListBoxChapters->setFocus();
}

void TFormChapters::hideEvent(QHideEvent* event) {
    if (extraCounted_ && !event->spontaneous()) {
        extraCounted_ = false;
        openDialogs_.Remove(kChaptersWindowCount - 1);
        settings_.ChaptersWindowWidth = width();
        settings_.ChaptersWindowHeight = height();
    }
    CountedDialog::hideEvent(event);
}

void TFormChapters::Refill(int select) {
    ListBoxChapters->clear();
    for (int i = 0; i < chapters_.Count(); ++i) ListBoxChapters->addItem(Q(ChapterListLine(i, chapters_[i].Name)));
    if (select >= 0 && select < ListBoxChapters->count()) ListBoxChapters->setCurrentRow(select);
    UpdateButtons();
}

void TFormChapters::UpdateButtons() {
    const bool any = chapters_.Count() > 0;
    ButtonGoTo->setEnabled(any);
    ButtonEdit->setEnabled(any);
    ButtonDelete->setEnabled(any);
    ButtonAdd->setEnabled(!chapters_.Full());
}

void TFormChapters::ButtonGoToClick() {
    const int row = ListBoxChapters->currentRow();
    if (row < 0 || row >= chapters_.Count()) return;
    if (seek) seek(chapters_[row].Position);
    accept();
}

bool TFormChapters::EditInDialog(int seconds, const QString& name) {
    chapterSet_.SetChapter(seconds, name);
    return prompts_.ExecDialog(chapterSet_) == QDialog::Accepted;
}

int TFormChapters::InsertFromDialog() {
    const int index = chapters_.Insert(TChapter{S(chapterSet_.Name()), chapterSet_.Seconds()});
    Refill(index);
    return index;
}

int TFormChapters::ButtonAddClick() {
    if (chapters_.Full()) return -1;
    const double now = currentPosition ? currentPosition() : 0.0;
    if (!EditInDialog(static_cast<int>(std::trunc(now)), QString())) return -1;
    return InsertFromDialog();
}

void TFormChapters::ButtonEditClick() {
    const int row = ListBoxChapters->currentRow();
    if (row < 0 || row >= chapters_.Count()) return;
    const TChapter chapter = chapters_[row];
    if (!EditInDialog(chapter.Position, Q(chapter.Name))) return;
    chapters_.Remove(row);
    InsertFromDialog();
}

void TFormChapters::ButtonDeleteClick() {
    const int row = ListBoxChapters->currentRow();
    if (row < 0 || row >= chapters_.Count()) return;
    if (prompts_.Box("FormChapters", "DeleteChapter", MessageIcon::Question, BoxButtons::YesNoCancel) != BoxAnswer::Yes)
        return;
    chapters_.Remove(row);
    Refill(std::min(row, chapters_.Count() - 1));
}

// --- The commands

ChapterCommands::ChapterCommands(MainWindow& window, std::function<double()> moviePosition,
                                 std::function<void(double)> seek, QObject* parent)
    : QObject(parent), window_(window) {
    set_ = new TFormChapterSet(window_.OpenDialogs(), window_.GetPrompts(), &window_);
    set_->currentPosition = moviePosition;
    form_ = new TFormChapters(window_.Chapters(), *set_, window_.GetSettings(), window_.OpenDialogs(),
                              window_.GetPrompts(), &window_);
    form_->currentPosition = std::move(moviePosition);
    form_->seek = std::move(seek);
    window_.GetLanguage().AddForm(form_);
    window_.GetLanguage().AddForm(set_);

    CommandTable& t = window_.Commands();
    t.Add(cmd::kChapters, "Rozdziały", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, [this] { ShowChapters(); },
          kNeedsMovie, {KeyBinding{QKeyCombination(Qt::NoModifier, Qt::Key_Z), KeyScope::EditorOffOrFullScreen}});
    Command add;
    add.name = cmd::kKeyAddChapter;
    add.run = [this] { AddChapter(); };
    add.needs = kNeedsMovie;
    add.keys = {KeyBinding{QKeyCombination(Qt::ShiftModifier, Qt::Key_Z), KeyScope::EditorOffOrFullScreen}};
    add.menuItem = false;
    t.Add(std::move(add));
}

void ChapterCommands::ShowChapters() {
    if (!window_.MovieLoaded()) return;
    window_.GetPrompts().ExecDialog(*form_);
}

void ChapterCommands::AddChapter() {
    if (!window_.MovieLoaded()) return;
    if (window_.Chapters().Full()) {
        QApplication::beep();
        return;
    }
    form_->ButtonAddClick();
}

}  // namespace kravelo
