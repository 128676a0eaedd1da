#include "player/fake_player.h"

#include <QPalette>
#include <algorithm>

namespace kravelo {

namespace {

// A black picture that hands its input to the player.
class FakeVideoWidget : public QWidget {
  public:
    explicit FakeVideoWidget(MediaPlayer* player) : player_(player) {
        setObjectName("MediaPlayerNew1");
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::black);
        setPalette(p);
        setFocusPolicy(Qt::StrongFocus);
    }

  protected:
    bool event(QEvent* e) override {
        if (player_->ForwardInputEvent(e)) return true;
        return QWidget::event(e);
    }

  private:
    MediaPlayer* player_;
};

}  // namespace

FakePlayer::FakePlayer(QObject* parent) : MediaPlayer(parent) {}
FakePlayer::~FakePlayer() {
    delete widget_;
}

void FakePlayer::SetFileName(const QString& path) {
    log << "Open " + path;
    fileName_ = path;
    position_ = 0.0;
    SetState(kPlayStopped);
    auto it = movies_.find(path);
    loaded_ = !path.isEmpty() && it != movies_.end();
    if (path.isEmpty()) return;
    if (!loaded_) {
        error_ = "Cannot open \"" + path + "\": unknown movie";
        return;
    }
    movie_ = *it;
    error_.clear();
    if (autoStart_) SetState(kPlayPlaying);
}

double FakePlayer::Duration() const {
    if (!loaded_) return 0.0;
    return displayMode_ == kDisplayFrames ? static_cast<double>(movie_.frameTotal) : movie_.length;
}

void FakePlayer::SetCurrentPosition(double seconds) {
    if (!loaded_) return;
    log << "Seek " + QString::number(seconds);
    const double old = position_;
    position_ = std::clamp(seconds, 0.0, movie_.length);
    emit PositionChange(old, position_);
}

void FakePlayer::Advance(double seconds) {
    if (!loaded_ || state_ != kPlayPlaying) return;
    position_ += seconds;
    if (position_ >= movie_.length) {
        position_ = movie_.length;
        SetState(kPlayStopped);
        emit EndOfStream();
    }
}

void FakePlayer::Play() {
    log << "Play";
    if (loaded_) SetState(kPlayPlaying);
}

void FakePlayer::Pause() {
    log << "Pause";
    if (loaded_) SetState(kPlayPaused);
}

void FakePlayer::Stop() {
    log << "Stop";
    if (loaded_) SetState(kPlayStopped);
}

void FakePlayer::ShowDialog(int dialog) {
    if (dialog == kContextMenuDialog && EnableContextMenu()) log << "Menu";
}

void FakePlayer::SetVolumeLevel(int level) {
    volume_ = std::clamp(level, 0, 255);
    log << "Volume " + QString::number(volume_);
}

QWidget* FakePlayer::VideoWidget() {
    if (!widget_) widget_ = new FakeVideoWidget(this);
    return widget_;
}

void FakePlayer::SetState(int state) {
    if (state == state_) return;
    state_ = state;
    emit PlayStateChange(state);
}

}  // namespace kravelo
