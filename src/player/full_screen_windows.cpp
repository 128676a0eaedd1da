#include "player/full_screen_windows.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include "core/full_screen_layout.h"

namespace kravelo {

namespace {

void Paint(QWidget* w, const QColor& color) {
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
}

QLabel* TimeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(0xE0, 0xE0, 0xE0));
    l->setPalette(p);
    return l;
}

}  // namespace

TFormFSProgress::TFormFSProgress(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FormFSProgress"));
    Paint(this, Qt::black);
    PanelTime = new QWidget(this);
    PanelTime->setObjectName(QStringLiteral("PanelTime"));
    auto* row = new QHBoxLayout(PanelTime);
    row->setContentsMargins(4, 1, 4, 1);
    row->setSpacing(2);
    LabelCurrent = TimeLabel(PanelTime, "LabelCurrent", QStringLiteral("0:00:00"));
    LabelSlash = TimeLabel(PanelTime, "LabelSlash", QStringLiteral("/"));
    LabelDuration = TimeLabel(PanelTime, "LabelDuration", QStringLiteral("0:00:00"));
    row->addWidget(LabelCurrent);
    row->addWidget(LabelSlash);
    row->addWidget(LabelDuration);
    row->addStretch();

    PanelProgress = new QWidget(this);
    PanelProgress->setObjectName(QStringLiteral("PanelProgress"));
    PanelProgressOwner = new QWidget(PanelProgress);
    PanelProgressOwner->setObjectName(QStringLiteral("PanelProgressOwner"));
    Paint(PanelProgressOwner, QColor(0x40, 0x40, 0x40));
    PanelProgressTrack = new QWidget(PanelProgressOwner);
    PanelProgressTrack->setObjectName(QStringLiteral("PanelProgressTrack"));
    Paint(PanelProgressTrack, QColor(0xC0, 0xC0, 0xC0));
    PanelProgress->resize(150, 6);
    PanelProgressOwner->setGeometry(0, 0, 150, 6);
    PanelProgressTrack->setGeometry(0, 0, 0, 6);

    PopupMenuWielkoscCzcionki = new QMenu(this);
    PopupMenuWielkoscCzcionki->setObjectName(QStringLiteral("PopupMenuWielkoscCzcionki"));
    for (int size : {8, 10, 12, 14, 16}) {
        QAction* a = PopupMenuWielkoscCzcionki->addAction(QStringLiteral("Czcionka: %1").arg(size));
        a->setObjectName(QStringLiteral("Czcionka%1").arg(size));
        connect(a, &QAction::triggered, this, [this, size] {
            SetFontSize(size);
            emit FontSizeChosen(size);
        });
    }
    SetFontSize(10);
    move(-500, -500);
}

void TFormFSProgress::SetFontSize(int points) {
    fontSize_ = std::clamp(points, 8, 16);
    QFont f = font();
    f.setPointSize(fontSize_);
    for (QLabel* l : {LabelCurrent, LabelSlash, LabelDuration}) l->setFont(f);
    Relayout();
}

void TFormFSProgress::SetProgressMode(int mode) {
    mode_ = std::clamp(mode, 0, 3);
    Relayout();
}

void TFormFSProgress::Relayout() {
    PanelTime->adjustSize();
    const int timeHeight = PanelTime->sizeHint().height();
    const int barHeight = PanelProgress->height() + 4;
    const int width = std::max(PanelTime->sizeHint().width(), PanelProgress->width() + 8);
    const bool time = mode_ != 2;
    const bool bar = mode_ != 3;
    PanelTime->setVisible(time);
    PanelProgress->setVisible(bar);
    int y = 0;
    auto placeTime = [&] {
        PanelTime->setGeometry(0, y, width, timeHeight);
        y += timeHeight;
    };
    auto placeBar = [&] {
        PanelProgress->move(4, y + 2);
        y += barHeight;
    };
    if (mode_ == 0) {
        placeTime();
        placeBar();
    } else if (mode_ == 1) {
        placeBar();
        placeTime();
    } else if (bar) {
        placeBar();
    } else {
        placeTime();
    }
    resize(width, y);
}

void TFormFSProgress::ShowTimeDisplay(double position, double length) {
    LabelCurrent->setText(QString::fromStdString(TimeDisplayText(position)));
    LabelDuration->setText(QString::fromStdString(TimeDisplayText(length)));
    const int w = ProgressTrackWidth(PanelProgressOwner->width(), position, length);
    PanelProgressTrack->setGeometry(0, 0, w, PanelProgressOwner->height());
}

void TFormFSProgress::ShowProgress() {
    shown_ = true;
    SetProgressMode(mode_);
    PanelProgressTrack->resize(0, PanelProgressTrack->height());
    move(0, 0);
    show();
    raise();
}

void TFormFSProgress::HideProgress() {
    shown_ = false;
    move(-500, -500);
}

void TFormFSProgress::contextMenuEvent(QContextMenuEvent* event) {
    PopupMenuWielkoscCzcionki->popup(event->globalPos());
}

TFormMessage::TFormMessage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FormMessage"));
    Paint(this, Qt::black);
    LabelZoom = new QLabel(this);
    LabelZoom->setObjectName(QStringLiteral("LabelZoom"));
    QFont f = LabelZoom->font();
    f.setBold(true);
    f.setPointSize(12);
    LabelZoom->setFont(f);
    LabelZoom->move(3, 3);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(1000);
    TimerRefreshSubtitles = new QTimer(this);
    TimerRefreshSubtitles->setObjectName(QStringLiteral("TimerRefreshSubtitles"));
    TimerRefreshSubtitles->setSingleShot(true);
    TimerRefreshSubtitles->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &TFormMessage::CloseMessage);
    connect(TimerRefreshSubtitles, &QTimer::timeout, this, &TFormMessage::RefreshSubtitles);
    hide();
}

bool TFormMessage::ShowMessage(const QString& text, const QColor& color, int messageBoxPos) {
    if (messageBoxPos == 0 || !parentWidget()) return false;
    QPalette p = LabelZoom->palette();
    p.setColor(QPalette::WindowText, color);
    LabelZoom->setPalette(p);
    LabelZoom->setText(text);
    LabelZoom->adjustSize();
    resize(LabelZoom->width() + 6, LabelZoom->height() + 6);
    const MessagePlace place =
        MessageWindowPlace(messageBoxPos, parentWidget()->width(), parentWidget()->height(), width(), height());
    if (!place.shown) return false;
    move(place.x, place.y);
    show();
    raise();
    update();
    Timer1->start();
    return true;
}

void TFormMessage::CloseMessage() {
    Timer1->stop();
    hide();
    TimerRefreshSubtitles->start();
}

}  // namespace kravelo
