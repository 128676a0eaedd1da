#include "player/transport.h"

#include <QLabel>
#include <QTime>
#include <QTimer>
#include <algorithm>

#include "player/form_mp.h"
#include "player/media_player.h"

namespace kravelo {

using namespace message_color;

Transport::Transport(MediaPlayer& player, TFormMP& video, QObject* parent)
    : QObject(parent), player_(player), label_(new QLabel(&video)), hideTimer_(new QTimer(this)) {
    label_->setObjectName(QStringLiteral("LabelMessage"));
    QFont f = label_->font();
    f.setBold(true);
    f.setPointSize(12);
    label_->setFont(f);
    label_->move(8, 6);
    label_->hide();
    hideTimer_->setSingleShot(true);
    hideTimer_->setInterval(1500);
    connect(hideTimer_, &QTimer::timeout, label_, &QLabel::hide);
}

bool Transport::Loaded() const { return player_.OpenState() != 0; }

double Transport::Position() const { return player_.CurrentPosition(); }

void Transport::Seek(double seconds) { player_.SetCurrentPosition(std::max(0.0, seconds)); }

void Transport::ShowMessage(const QString& text, const QColor& color) {
    lastMessage_ = text;
    lastMessageColor_ = color;
    if (display) {
        display(text, color);
        return;
    }
    label_->setText(text);
    label_->setStyleSheet(QStringLiteral("QLabel { color: %1; background: black; padding: 2px; }").arg(color.name()));
    label_->adjustSize();
    label_->show();
    label_->raise();
    hideTimer_->start();
}

void Transport::ShowMessageKey(const char* key, const QColor& color) {
    ShowMessage(messageText ? messageText(key) : QString::fromLatin1(key), color);
}

void Transport::PauseOrPlay() {
    switch (player_.PlayState()) {
        case kPlayStopped:
            if (Position() == movieLength) Seek(0.0);
            player_.Play();
            break;
        case kPlayPaused:
            emit ResyncNeeded();
            player_.Play();
            break;
        default:
            player_.Pause();
            break;
    }
}

void Transport::Stop() {
    player_.Stop();
    Seek(0.0);
}

void Transport::PlayFrom(double seconds) {
    Seek(seconds);
    player_.Play();
}

void Transport::Forward5() {
    ShowMessageKey("5SecFrw", kGreen);
    Seek(Position() + 5.0);
}

void Transport::Back5() {
    const double target = Position() - 5.0;
    if (target != 0.0) ShowMessageKey("5SecRew", kGreen);
    Seek(target);
}

void Transport::JumpForward(double seconds, const QString& caption) {
    ShowMessage(caption, kGreen);
    Seek(Position() + seconds);
}

void Transport::JumpBack(double seconds, const QString& caption) {
    if (Position() <= 0.0) return;
    ShowMessage(caption, kGreen);
    // Computed in single precision, as the jump's setting is stored.
    Seek(static_cast<float>(Position()) - static_cast<float>(seconds));
}

void Transport::ToStart() {
    ShowMessageKey("MovieStart", kRed);
    Seek(0.0);
}

void Transport::ToEnd() {
    ShowMessageKey("MovieEnd", kRed);
    Seek(movieLength);
}

void Transport::SecondForward() {
    ShowMessageKey("SecFwd", kGreen);
    Seek(Position() + 1.0);
}

void Transport::MinuteForward() {
    ShowMessageKey("MinutFwd", kGreen);
    Seek(Position() + 60.0);
}

void Transport::MinuteBack() {
    const double target = Position() - 60.0;
    if (target != 0.0) ShowMessageKey("MinutRew", kGreen);
    Seek(target);
}

void Transport::FrameForward() {
    const double rate = frameRate && frameRate() > 0.0 ? frameRate() : 1.0;
    ShowMessageKey("FrameFwd", kGreen);
    Seek(Position() + 1.0 / rate);
}

void Transport::FrameBack() {
    const double position = Position();
    if (position <= 0.0) return;
    const double rate = frameRate && frameRate() > 0.0 ? frameRate() : 1.0;
    ShowMessageKey("FrameRew", kGreen);
    Seek(position - 1.0 / rate);
}

void Transport::ShowClock() { ShowMessage(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).left(5), kWhite); }

}  // namespace kravelo
