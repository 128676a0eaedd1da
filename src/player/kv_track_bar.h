#pragma once
// TKvTrackBar: a slider made of a track picture and a tracker picture the user drags along it.
// The tracker's left edge is the screen position; the value follows from it and the range.
// User moves report through TrackSendEvent (real changes only); code that calls setPos reports
// only when AlwaysRaiseOnChangeEvent is on.

#include <QFrame>
#include <QPixmap>
#include <functional>

class QMouseEvent;

namespace kravelo {

class TKvTrackBar : public QFrame {
    Q_OBJECT

  public:
    explicit TKvTrackBar(QWidget* parent = nullptr);

    void setWidth(int w);
    int getWidth() const { return width_; }
    void setHeight(int h);
    int getHeight() const { return height_; }
    void setTrackerWidth(int w);
    int getTrackerWidth() const { return trackerWidth_; }

    void setPos(int p);
    int getPos() const;
    void setScreenPos(int x);
    int getScreenPos() const { return trackerLeft_; }
    int Position() const { return position_; }

    void setMaxValue(int v);
    int MaxValue() const { return maxValue_; }
    void setMinValue(int v);
    int MinValue() const { return minValue_; }

    void setTrackPic(const QPixmap& pic);
    QPixmap getTrackPic() const { return trackPic_; }
    void setTrackerPic(const QPixmap& pic);
    QPixmap getTrackerPic() const { return trackerPic_; }

    // Calls the handler when the position differs from the one last reported.
    void TrackSendEvent();

    bool AlwaysRaiseOnChangeEvent = false;
    int LastSentPosition = 0;
    int DragOffset = 0;
    std::function<void(TKvTrackBar&)> OnPositionChange;

    // Mouse handling of the two pictures; x is relative to the picture.
    void ImageTrackerMouseDown(Qt::MouseButton button, int x);
    void ImageTrackerMouseMove(Qt::MouseButtons buttons, int x);
    void ImageTrackMouseDown(Qt::MouseButton button, int x);
    void ImageTrackMouseMove(Qt::MouseButtons buttons, int x);

    QWidget* ImageTrack() const { return imageTrack_; }
    QWidget* ImageTracker() const { return imageTracker_; }

    // The width of the track picture (control width - 3).
    int TrackWidth() const { return width_ - 3; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Relayout();

    QWidget* imageTrack_;
    QWidget* imageTracker_;
    QPixmap trackPic_;
    QPixmap trackerPic_;
    int width_ = 150;
    int height_ = 15;
    int trackerWidth_ = 20;
    int trackerLeft_ = 1;
    int position_ = 0;
    int maxValue_ = 100;
    int minValue_ = 0;
};

}  // namespace kravelo
