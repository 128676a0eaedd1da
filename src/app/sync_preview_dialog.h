#pragma once
// The preview of a synchronisation with the movie's audio: the pieces found (lines and offset),
// the time scale, the confidence with a warning when the result is not trustworthy, and the
// waveform with the subtitles before (upper row) and after (lower row) the change. Zastosuj
// accepts; the window applies the change.

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <memory>
#include <vector>

#include "ops/audio_sync.h"
#include "ops/dialogs/counted_dialog.h"

namespace kravelo::media {
class PeakStore;
}

namespace kravelo {

class WaveformStrip;

class SyncPreviewDialog : public CountedDialog {
    Q_OBJECT
public:
    SyncPreviewDialog(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    // Shows a result for the lines it was found for; `damaged` packets were skipped in decoding.
    void Fill(const SyncResult& result, const std::vector<SyncLine>& lines,
              std::shared_ptr<const media::PeakStore> peaks, double movieLength, long damaged);

    QLabel* LabelScale;
    QLabel* ValueScale;
    QLabel* LabelConfidence;
    QLabel* ValueConfidence;
    QLabel* LabelWarning;
    QLabel* ValueDamaged;
    QLabel* LabelPreview;
    QTableWidget* Pieces;
    WaveformStrip* Strip;
    QScrollBar* Scroll;  // the strip's position in tenths of a second
    QPushButton* ButtonApply;
    QPushButton* Button2;
};

// Where each line goes: the start and end of every line moved by its piece (the lines in time
// order, a new piece beginning at its first line).
std::vector<SyncLine> MovedLines(const SyncResult& result, const std::vector<SyncLine>& lines);

}  // namespace kravelo
