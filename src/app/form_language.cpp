#include "app/form_language.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/language.h"
#include "core/settings.h"
#include "ui/open_dialog_count.h"

namespace kravelo {

TFormLanguage::TFormLanguage(Language& language, Settings& settings, OpenDialogCounter& openDialogs,
                             QWidget* parent)
    : QDialog(parent), language_(language), settings_(settings), openDialogs_(openDialogs) {
    setObjectName(QStringLiteral("FormLanguage"));
    setWindowTitle(QStringLiteral("Język (Language)"));
    resize(320, 260);

    ListBoxFiles = new QListWidget(this);
    ListBoxFiles->setObjectName(QStringLiteral("ListBoxFiles"));
    EditPath = new QLineEdit(this);
    EditPath->setObjectName(QStringLiteral("EditPath"));
    EditPath->setReadOnly(true);
    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->setProperty("Tag", 1);
    ButtonOK->setDefault(true);
    ButtonCancel = new QPushButton(QStringLiteral("Anuluj"), this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    ButtonCancel->setProperty("Tag", 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListBoxFiles);
    layout->addWidget(EditPath);
    layout->addLayout(buttons);

    connect(ListBoxFiles, &QListWidget::currentRowChanged, this, [this](int row) { ShowPathOf(row); });
    connect(ListBoxFiles, &QListWidget::itemDoubleClicked, this, [this] {
        if (ButtonOK->isEnabled()) accept();
    });
    connect(ButtonOK, &QPushButton::clicked, this, &TFormLanguage::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &TFormLanguage::reject);

    // Ctrl+Alt+Shift+S works whichever control has the focus.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);

    language_.AddForm(this);
}

std::string TFormLanguage::ShownPath() const {
    return EditPath->text().toStdString();
}

std::string TFormLanguage::ChosenFileName() const {
    return QFileInfo(EditPath->text()).fileName().toStdString();
}

void TFormLanguage::FillList() {
    ListBoxFiles->clear();
    EditPath->clear();
    QDir folder(QString::fromStdString(language_.LanguageFolder()));
    // The name filter is case-insensitive, so "SAVE.KLG" is listed too. Sorted by name without
    // regard to case, so the list reads the same on every file system.
    const QStringList names =
        folder.entryList({QStringLiteral("*.klg")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    const QString current = QString::fromStdString(language_.PathOf(currentFile_));
    int selected = 0;
    for (int i = 0; i < names.size(); ++i) {
        QString path = folder.filePath(names[i]);
        auto* item = new QListWidgetItem(names[i], ListBoxFiles);
        item->setData(Qt::UserRole, path);
        if (path.compare(current, Qt::CaseInsensitive) == 0) selected = i;
    }
    ButtonOK->setEnabled(!names.isEmpty());
    if (!names.isEmpty()) {
        ListBoxFiles->setCurrentRow(selected);
        ShowPathOf(selected);
    }
}

void TFormLanguage::ShowPathOf(int row) {
    if (QListWidgetItem* item = ListBoxFiles->item(row))
        EditPath->setText(item->data(Qt::UserRole).toString());
}

void TFormLanguage::showEvent(QShowEvent* event) {
    if (!counted_) {
        openDialogs_.Add();
        counted_ = true;
    }
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    FillList();
    ListBoxFiles->setFocus();
    QDialog::showEvent(event);
}

void TFormLanguage::hideEvent(QHideEvent* event) {
    // A spontaneous hide (the desktop minimising the window) does not close it.
    if (counted_ && !event->spontaneous()) {
        openDialogs_.Remove();
        counted_ = false;
    }
    QDialog::hideEvent(event);
}

bool TFormLanguage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        constexpr auto kMods = Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;
        if (key->key() == Qt::Key_S && (key->modifiers() & ~Qt::KeypadModifier) == kMods) {
            language_.ExportLanguage("SAVE.KLG");
            QApplication::beep();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormLanguage::accept() {
    if (ChosenFileName().empty()) return;
    settings_.LanguageFile = ChosenFileName();
    QDialog::accept();
    language_.LoadLanguage(settings_.LanguageFile);
    if (onLanguageChanged) onLanguageChanged();
}

}  // namespace kravelo
