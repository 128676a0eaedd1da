#include "player/waveform_strip.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "media/peaks.h"

namespace kravelo {

WaveformStrip::WaveformStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("WaveformStrip"));
    setMinimumHeight(48);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WaveformStrip::SetPeaks(std::shared_ptr<const media::PeakStore> peaks) {
    peaks_ = std::move(peaks);
    decodedAtPaint_ = -1;
    update();
}

void WaveformStrip::SetSpeech(std::shared_ptr<const SpeechTrack> speech) {
    speech_ = std::move(speech);
    update();
}

void WaveformStrip::SetBlocks(int row, std::vector<Block> blocks) {
    if (row < 0 || row > 1) return;
    std::sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) { return a.start < b.start; });
    rows_[row] = std::move(blocks);
    update();
}

void WaveformStrip::SetPosition(double seconds) {
    const long long decoded = peaks_ ? peaks_->DecodedSamples() : 0;
    if (seconds == position_ && decoded == decodedAtPaint_) return;
    position_ = seconds;
    ++moveRepaints_;
    update();
}

void WaveformStrip::SetSpan(double seconds) {
    if (!(seconds > 0.0) || seconds == span_) return;
    span_ = seconds;
    update();
}

double WaveformStrip::TimeAt(int x) const {
    const int w = std::max(1, width());
    return position_ - span_ + 2.0 * span_ * (x + 0.5) / w;
}

void WaveformStrip::paintEvent(QPaintEvent*) {
    ++paints_;
    QPainter p(this);
    const int w = width(), h = height();
    p.fillRect(rect(), QColor(16, 20, 28));
    const double secondsPerColumn = 2.0 * span_ / std::max(1, w);
    const double from = position_ - span_;

    // The waveform: one vertical line per column from its lowest to its highest sample.
    if (peaks_) {
        decodedAtPaint_ = peaks_->DecodedSamples();
        const double rate = peaks_->SampleRate();
        std::vector<int16_t> lo(static_cast<std::size_t>(w)), hi(static_cast<std::size_t>(w));
        peaks_->Columns(from * rate, secondsPerColumn * rate, w, lo.data(), hi.data());
        QVector<QLine> lines;
        lines.reserve(w);
        const double mid = h / 2.0, scale = (h / 2.0 - 2) / 32768.0;
        for (int x = 0; x < w; ++x) {
            const auto i = static_cast<std::size_t>(x);
            if (lo[i] > hi[i]) continue;
            lines.append(QLine(x, static_cast<int>(mid - hi[i] * scale), x, static_cast<int>(mid - lo[i] * scale)));
        }
        p.setPen(QColor(90, 200, 120));
        p.drawLines(lines);
    }

    // The subtitles: translucent blocks, the one under the playhead brighter.
    const bool twoRows = !rows_[1].empty();
    for (int row = 0; row < (twoRows ? 2 : 1); ++row) {
        const int top = twoRows ? (row == 0 ? 2 : h / 2 + 1) : 2;
        const int bottom = twoRows ? (row == 0 ? h / 2 - 1 : h - 2) : h - 2;
        const QColor fill = row == 0 ? QColor(80, 140, 255, 70) : QColor(255, 170, 60, 70);
        const QColor current = row == 0 ? QColor(120, 180, 255, 140) : QColor(255, 200, 90, 140);
        const auto& blocks = rows_[row];
        auto it = std::lower_bound(blocks.begin(), blocks.end(), from - 60.0,
                                   [](const Block& b, double t) { return b.start < t; });
        for (; it != blocks.end() && it->start < position_ + span_; ++it) {
            if (it->end < from) continue;
            const int x0 = static_cast<int>((it->start - from) / secondsPerColumn);
            const int x1 = std::max(x0 + 1, static_cast<int>((it->end - from) / secondsPerColumn));
            const bool isCurrent = it->start <= position_ && position_ < it->end;
            QRect r(QPoint(x0, top), QPoint(x1 - 1, bottom));
            p.fillRect(r, isCurrent ? current : fill);
            p.setPen(isCurrent ? current.lighter(150) : fill.lighter(180));
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }

    // The detected speech: runs of speech frames as a bar 3 pixels high.
    if (speech_ && speech_->frameSeconds > 0.0) {
        const auto& s = speech_->speech;
        const double per = speech_->frameSeconds;
        const long long n = static_cast<long long>(s.size());
        long long k = std::max(0LL, static_cast<long long>(from / per));
        const long long stop = std::min(n, static_cast<long long>((position_ + span_) / per) + 1);
        while (k < stop) {
            if (!s[static_cast<std::size_t>(k)]) {
                ++k;
                continue;
            }
            long long e = k;
            while (e < stop && s[static_cast<std::size_t>(e)]) ++e;
            const int x0 = static_cast<int>((k * per - from) / secondsPerColumn);
            const int x1 = std::max(x0 + 1, static_cast<int>((e * per - from) / secondsPerColumn));
            p.fillRect(QRect(x0, h - 3, x1 - x0, 3), QColor(240, 220, 80));
            k = e;
        }
    }

    // The playhead.
    p.setPen(QColor(255, 80, 80));
    p.drawLine(w / 2, 0, w / 2, h);
}

void WaveformStrip::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0) return QWidget::wheelEvent(event);
    SetSpan(std::clamp(span_ * std::pow(1.25, -steps), 1.0, 300.0));
    event->accept();
}

void WaveformStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    emit SeekRequested(std::max(0.0, TimeAt(static_cast<int>(event->position().x()))));
}

}  // namespace kravelo
