#include "player/skin.h"

#include <QEvent>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <optional>

#include "core/skin_bitmap.h"
#include "core/text_file.h"
#include "player/kv_track_bar.h"

namespace kravelo {

namespace {

constexpr char kBackgroundName[] = "SkinBackground";

// Keeps a background picture the size of the widget it lies under.
class BackgroundFollower : public QObject {
  public:
    BackgroundFollower(QWidget* target, QLabel* picture) : QObject(picture), target_(target), picture_(picture) {
        target->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == target_ && event->type() == QEvent::Resize) {
            picture_->setGeometry(target_->rect());
            picture_->lower();
        }
        return false;
    }

  private:
    QWidget* target_;
    QLabel* picture_;
};

// The label that shows a target's picture: the target itself when it is a label, otherwise a
// label lying under the target's children and following its size.
QLabel* PictureLabel(QWidget* target, bool create) {
    if (auto* label = qobject_cast<QLabel*>(target)) return label;
    auto* picture = target->findChild<QLabel*>(QLatin1String(kBackgroundName), Qt::FindDirectChildrenOnly);
    if (picture || !create) return picture;
    picture = new QLabel(target);
    picture->setObjectName(QLatin1String(kBackgroundName));
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setGeometry(target->rect());
    new BackgroundFollower(target, picture);
    picture->lower();
    picture->show();
    return picture;
}

void SetPicture(QWidget* target, const QPixmap& pixmap) {
    if (!target) return;
    QLabel* label = PictureLabel(target, !pixmap.isNull());
    if (!label) return;
    if (pixmap.isNull()) {
        label->clear();
        return;
    }
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(pixmap);
}

QPixmap ToPixmap(const RgbImage& image) {
    if (image.Empty()) return {};
    const QImage view(image.rgb.data(), image.width, image.height, image.width * 3, QImage::Format_RGB888);
    return QPixmap::fromImage(view.copy());
}

// The skin with one brightness, tiled to a size (at least 1 x 1).
QPixmap Background(const RgbImage& skin, int brightness, int width, int height) {
    RgbImage copy = skin;
    AdjustBrightness(copy, brightness);
    return ToPixmap(TileImage(copy, std::max(width, 1), std::max(height, 1)));
}

void SetTrack(TKvTrackBar* bar, const QPixmap& track, const QPixmap& tracker) {
    if (!bar) return;
    bar->setTrackPic(track);
    bar->setTrackerPic(tracker);
}

}  // namespace

QPixmap SkinPicture(const QWidget* target) {
    if (!target) return {};
    QLabel* label = PictureLabel(const_cast<QWidget*>(target), false);
    return label ? label->pixmap() : QPixmap();
}

SkinOutcome ApplySkin(const SkinTargets& t, const QPixmap& tracker, const std::string& fileName,
                      const SkinBrightness& brightness, SkinImages& images) {
    std::optional<RgbImage> skin;
    std::string bytes;
    std::string error;
    const bool none = fileName == kNoSkin || !QFileInfo(QString::fromStdString(fileName)).isFile();
    if (!none) {
        if (ReadFileBytes(fileName, bytes, error)) skin = DecodeBmp(bytes, &error);
        if (!skin) return SkinOutcome::Damaged;  // the current look stays
    }

    if (skin) {
        const int stripHeight = t.windowControl ? t.windowControl->height() : 40;
        const QSize panel = t.fullScreenBackground ? t.fullScreenBackground->size() : kControlPanelSize;
        images.window = Background(*skin, brightness.window, kWindowStripWidth, stripHeight);
        images.windowTrack = Background(*skin, brightness.windowTrack, kWindowStripWidth, kTrackHeight);
        images.fullScreen = Background(*skin, brightness.fullScreen, panel.width(), panel.height());
        images.fullScreenTrack = Background(*skin, brightness.fullScreenTrack, panel.width(), kTrackHeight);
    } else {
        images = SkinImages{};
    }

    SetPicture(t.fullScreenBackground, images.fullScreen);
    for (TKvTrackBar* bar : {t.fullScreenPosition.data(), t.fullScreenFont.data(), t.fullScreenVolume.data(),
                             t.fullScreenZoom.data()})
        SetTrack(bar, images.fullScreenTrack, tracker);
    SetPicture(t.windowControl, images.window);
    SetTrack(t.windowPosition, images.windowTrack, tracker);
    SetTrack(t.windowVolume, images.windowTrack, tracker);
    for (const QPointer<QWidget>& w : t.windowBackgrounds) SetPicture(w, images.window);
    SetPicture(t.previewWindow, images.window);
    SetPicture(t.previewWindowTrack, images.windowTrack);
    SetPicture(t.previewFullScreen, images.fullScreen);
    SetPicture(t.previewFullScreenTrack, images.fullScreenTrack);
    return skin ? SkinOutcome::Applied : SkinOutcome::Removed;
}

void SetTrackerWidths(const SkinTargets& t, int videoSeek, int settings) {
    for (TKvTrackBar* bar : {t.fullScreenPosition.data(), t.windowPosition.data()})
        if (bar) bar->setTrackerWidth(videoSeek);
    for (TKvTrackBar* bar : {t.fullScreenFont.data(), t.fullScreenVolume.data(), t.fullScreenZoom.data(),
                             t.windowVolume.data()})
        if (bar) bar->setTrackerWidth(settings);
}

QPixmap TrackerPixmap() {
    // A raised knob: light top, darker bottom, a groove down the middle. Bars stretch it.
    QPixmap pix(20, 14);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    QLinearGradient g(0, 0, 0, 14);
    g.setColorAt(0.0, QColor(0xF4, 0xF4, 0xF0));
    g.setColorAt(0.5, QColor(0xC8, 0xCA, 0xCC));
    g.setColorAt(1.0, QColor(0x8C, 0x90, 0x94));
    p.fillRect(pix.rect(), g);
    p.setPen(QColor(0x50, 0x54, 0x58));
    p.drawRect(0, 0, 19, 13);
    p.setPen(QColor(0x70, 0x74, 0x78));
    p.drawLine(9, 3, 9, 10);
    p.setPen(QColor(0xFF, 0xFF, 0xFF));
    p.drawLine(10, 3, 10, 10);
    return pix;
}

}  // namespace kravelo
