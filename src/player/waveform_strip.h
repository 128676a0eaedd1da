#pragma once
// A strip of the movie's sound: the waveform peaks around a position, the subtitles as blocks
// over them (one or two rows: the preview shows the lines before and after a change), the
// current line marked, the detected speech as a bar along the bottom and a playhead in the
// middle. A click asks to seek there; the wheel zooms. It repaints
// only when the position, the blocks or the decoded length changed.

#include <QWidget>
#include <memory>
#include <vector>

#include "ops/audio_sync.h"

namespace kravelo::media {
class PeakStore;
}

namespace kravelo {

class WaveformStrip : public QWidget {
    Q_OBJECT
public:
    struct Block {
        double start, end;  // seconds
    };

    explicit WaveformStrip(QWidget* parent = nullptr);

    void SetPeaks(std::shared_ptr<const media::PeakStore> peaks);
    // The voice detector's decisions, a thin bar along the bottom edge.
    void SetSpeech(std::shared_ptr<const SpeechTrack> speech);
    // Row 0 is drawn over the upper half, row 1 (when set) over the lower one.
    void SetBlocks(int row, std::vector<Block> blocks);
    // The position under the playhead; repaints only when it moved or the peaks grew.
    void SetPosition(double seconds);
    double Position() const { return position_; }
    // Seconds shown on each side of the playhead.
    void SetSpan(double seconds);
    double Span() const { return span_; }

    // The time under a column of the widget.
    double TimeAt(int x) const;
    // Paint events so far, and the repaints SetPosition asked for (an unmoved position asks none).
    int Paints() const { return paints_; }
    int MoveRepaints() const { return moveRepaints_; }

signals:
    void SeekRequested(double seconds);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The wheel zooms: 1 s to 5 minutes each side.
    void wheelEvent(QWheelEvent* event) override;
    QSize sizeHint() const override { return {400, 64}; }

private:
    std::shared_ptr<const media::PeakStore> peaks_;
    std::shared_ptr<const SpeechTrack> speech_;
    std::vector<Block> rows_[2];
    double position_ = 0.0;
    double span_ = 10.0;
    long long decodedAtPaint_ = -1;
    int paints_ = 0;
    int moveRepaints_ = 0;
};

}  // namespace kravelo
