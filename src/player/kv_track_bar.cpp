#include "player/kv_track_bar.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace kravelo {

namespace {

// One of the two pictures: draws its pixmap stretched, or a plain groove or knob without one,
// and hands its mouse events to the bar.
class TrackPicture : public QWidget {
  public:
    TrackPicture(TKvTrackBar* bar, bool tracker) : QWidget(bar), bar_(bar), tracker_(tracker) {
        setObjectName(tracker ? "ImageTracker" : "ImageTrack");
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QPixmap pic = tracker_ ? bar_->getTrackerPic() : bar_->getTrackPic();
        if (!pic.isNull()) {
            p.drawPixmap(rect(), pic);
            return;
        }
        if (tracker_) {
            p.fillRect(rect(), QColor(0xC8, 0xC8, 0xC8));
            p.setPen(Qt::white);
            p.drawLine(0, 0, width() - 1, 0);
            p.drawLine(0, 0, 0, height() - 1);
            p.setPen(QColor(0x50, 0x50, 0x50));
            p.drawLine(width() - 1, 0, width() - 1, height() - 1);
            p.drawLine(0, height() - 1, width() - 1, height() - 1);
        } else {
            p.fillRect(rect(), QColor(0x20, 0x20, 0x20));
            const int mid = height() / 2;
            p.fillRect(QRect(2, mid - 1, std::max(0, width() - 4), 2), QColor(0x70, 0x70, 0x70));
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        const int x = static_cast<int>(e->position().x());
        tracker_ ? bar_->ImageTrackerMouseDown(e->button(), x) : bar_->ImageTrackMouseDown(e->button(), x);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        const int x = static_cast<int>(e->position().x());
        tracker_ ? bar_->ImageTrackerMouseMove(e->buttons(), x) : bar_->ImageTrackMouseMove(e->buttons(), x);
    }

  private:
    TKvTrackBar* bar_;
    bool tracker_;
};

}  // namespace

TKvTrackBar::TKvTrackBar(QWidget* parent) : QFrame(parent) {
    setObjectName("TKvTrackBar");
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    imageTrack_ = new TrackPicture(this, false);
    imageTracker_ = new TrackPicture(this, true);
    resize(width_, height_);
    Relayout();
}

void TKvTrackBar::Relayout() {
    imageTrack_->setGeometry(1, 1, std::max(0, width_ - 3), std::max(0, height_ - 3));
    imageTracker_->setGeometry(trackerLeft_, 1, trackerWidth_, std::max(0, height_ - 3));
}

void TKvTrackBar::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    // Someone else (a layout, the owner's geometry code) sized the control: adopt it.
    if (width() != width_) setWidth(width());
    if (height() != height_) setHeight(height());
}

void TKvTrackBar::setWidth(int w) {
    width_ = std::max(w, 30);
    if (width() != width_) resize(width_, height_);
    Relayout();
    setPos(position_);
}

void TKvTrackBar::setHeight(int h) {
    height_ = std::clamp(h, 6, 17);
    if (height() != height_) resize(width_, height_);
    Relayout();
}

void TKvTrackBar::setTrackerWidth(int w) {
    trackerWidth_ = std::clamp(w, 5, 40);
    Relayout();
    setPos(position_);
}

void TKvTrackBar::setPos(int p) {
    int x = 0;
    if (maxValue_ != minValue_)
        x = static_cast<int>(static_cast<double>(p - minValue_) * (TrackWidth() - trackerWidth_) /
                                 (maxValue_ - minValue_) +
                             1.5);
    setScreenPos(x);
    position_ = std::clamp(p, minValue_, maxValue_);
    if (AlwaysRaiseOnChangeEvent && OnPositionChange) OnPositionChange(*this);
}

void TKvTrackBar::setScreenPos(int x) {
    x = std::max(x, 1);
    x = std::min(x, width_ - trackerWidth_ - 2);
    trackerLeft_ = x;
    imageTracker_->move(trackerLeft_, 1);
    position_ = getPos();
}

int TKvTrackBar::getPos() const {
    const int span = TrackWidth() - trackerWidth_;
    if (span == 0) return 0;
    return static_cast<int>(static_cast<double>(trackerLeft_ - 1) * (maxValue_ - minValue_) / span +
                            minValue_ + 0.5);
}

void TKvTrackBar::setMaxValue(int v) {
    maxValue_ = v > minValue_ ? v : minValue_ + 1;
    setPos(position_);
}

void TKvTrackBar::setMinValue(int v) {
    minValue_ = v < maxValue_ ? v : maxValue_ - 1;
    setPos(position_);
}

void TKvTrackBar::setTrackPic(const QPixmap& pic) {
    trackPic_ = pic;
    imageTrack_->update();
}

void TKvTrackBar::setTrackerPic(const QPixmap& pic) {
    trackerPic_ = pic;
    imageTracker_->update();
}

void TKvTrackBar::TrackSendEvent() {
    if (position_ == LastSentPosition) return;
    LastSentPosition = position_;
    if (OnPositionChange) OnPositionChange(*this);
}

void TKvTrackBar::ImageTrackerMouseDown(Qt::MouseButton button, int x) {
    if (button == Qt::LeftButton) DragOffset = x;
}

void TKvTrackBar::ImageTrackerMouseMove(Qt::MouseButtons buttons, int x) {
    if (!(buttons & Qt::LeftButton)) return;
    setScreenPos(trackerLeft_ + x - DragOffset);
    TrackSendEvent();
}

void TKvTrackBar::ImageTrackMouseDown(Qt::MouseButton button, int x) {
    if (button != Qt::LeftButton) return;
    setScreenPos(x - trackerWidth_ / 2 + 1);
    TrackSendEvent();
}

void TKvTrackBar::ImageTrackMouseMove(Qt::MouseButtons buttons, int x) {
    if (!(buttons & Qt::LeftButton)) return;
    setScreenPos(x - trackerWidth_ / 2 + 1);
    TrackSendEvent();
}

}  // namespace kravelo
