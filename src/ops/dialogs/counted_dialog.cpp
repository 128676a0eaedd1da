#include "ops/dialogs/counted_dialog.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShowEvent>
#include <QScreen>

#include "ui/open_dialog_count.h"

namespace kravelo {

CountedDialog::CountedDialog(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : QDialog(parent), openDialogs_(openDialogs), prompts_(prompts) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QPushButton* CountedDialog::MakeOkButton(const char* name) {
    auto* b = new QPushButton(QStringLiteral("OK"), this);
    b->setObjectName(QLatin1String(name));
    b->setProperty("Tag", 1);
    b->setDefault(true);
    b->setAutoDefault(true);
    connect(b, &QPushButton::clicked, this, &QDialog::accept);
    return b;
}

QPushButton* CountedDialog::MakeCancelButton(const char* name) {
    auto* b = new QPushButton(QStringLiteral("Anuluj"), this);
    b->setObjectName(QLatin1String(name));
    b->setProperty("Tag", 2);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, &QDialog::reject);
    return b;
}

QHBoxLayout* CountedDialog::ButtonRow(QPushButton* ok, QPushButton* cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

QLineEdit* Edit(QWidget* parent, const char* name, const char* text, int maxLength) {
    auto* e = Named(new QLineEdit(QString::fromUtf8(text), parent), name);
    e->setMaxLength(maxLength);
    return e;
}

QLabel* Label(QWidget* parent, const char* name, const char* text) {
    return Named(new QLabel(QString::fromUtf8(text), parent), name);
}

void CountedDialog::SecondsFramesFields(QWidget* group, QLineEdit* seconds, QLineEdit* frames, const QString& hint,
                                        QLabel*& label1, QLabel*& label2) {
    seconds->setParent(group);
    frames->setParent(group);
    seconds->setToolTip(hint);
    frames->setToolTip(hint);
    label1 = new QLabel(QStringLiteral("&Sekund:"), group);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setBuddy(seconds);
    label2 = new QLabel(QStringLiteral("&Klatek:"), group);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setBuddy(frames);
    auto* grid = new QGridLayout(group);
    grid->addWidget(label1, 0, 0);
    grid->addWidget(seconds, 0, 1);
    grid->addWidget(label2, 1, 0);
    grid->addWidget(frames, 1, 1);
}

void CountedDialog::showEvent(QShowEvent* event) {
    if (!counted_) {
        counted_ = true;
        openDialogs_.Add();
        CenterOnScreen();
    }
    QDialog::showEvent(event);
}

void CountedDialog::hideEvent(QHideEvent* event) {
    if (counted_ && !event->spontaneous()) {
        counted_ = false;
        openDialogs_.Remove();
    }
    QDialog::hideEvent(event);
}

void CountedDialog::CenterOnScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void ClickLabel::enterEvent(QEnterEvent* event) {
    SetColor(Qt::blue);
    QLabel::enterEvent(event);
}

void ClickLabel::leaveEvent(QEvent* event) {
    SetColor(Qt::black);
    QLabel::leaveEvent(event);
}

void ClickLabel::SetColor(Qt::GlobalColor color) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

}  // namespace kravelo
