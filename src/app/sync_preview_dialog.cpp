#include "app/sync_preview_dialog.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>

#include "ops/sync_lines.h"
#include "player/waveform_strip.h"
#include "ui/prompts.h"

namespace kravelo {

std::vector<SyncLine> MovedLines(const SyncResult& result, const std::vector<SyncLine>& lines) {
    std::vector<SyncLine> sorted = lines;
    std::stable_sort(sorted.begin(), sorted.end(), [](const SyncLine& a, const SyncLine& b) { return a.start < b.start; });
    std::size_t piece = 0;
    for (SyncLine& l : sorted) {
        while (piece + 1 < result.pieces.size() && l.line == result.pieces[piece + 1].firstLine) ++piece;
        if (result.pieces.empty()) break;
        const SyncPiece& p = result.pieces[piece];
        l.start = p.scale * l.start + p.offset;
        l.end = p.scale * l.end + p.offset;
    }
    return sorted;
}

SyncPreviewDialog::SyncPreviewDialog(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormSyncPreview"));
    setWindowTitle(QStringLiteral("Synchronizacja z dźwiękiem filmu"));
    LabelScale = Label(this, "LabelScale", "Skala czasu:");
    ValueScale = Named(new QLabel(this), "ValueScale");
    LabelConfidence = Label(this, "LabelConfidence", "Pewność dopasowania:");
    ValueConfidence = Named(new QLabel(this), "ValueConfidence");
    LabelWarning = Label(this, "LabelWarning",
                         "Wynik jest niepewny: to może być inny film, inna wersja albo inna ścieżka dźwiękowa. "
                         "Sprawdź go na podglądzie przed zastosowaniem.");
    LabelWarning->setWordWrap(true);
    LabelWarning->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold"));
    ValueDamaged = Named(new QLabel(this), "ValueDamaged");
    Pieces = Named(new QTableWidget(0, 2, this), "Pieces");
    Pieces->verticalHeader()->setVisible(false);
    Pieces->horizontalHeader()->setStretchLastSection(true);
    Pieces->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Pieces->setSelectionBehavior(QAbstractItemView::SelectRows);
    Pieces->setMinimumHeight(110);
    LabelPreview = Label(this, "LabelPreview", "Napisy przed zmianą (u góry) i po niej (u dołu):");
    Strip = new WaveformStrip(this);
    Strip->setObjectName(QStringLiteral("PreviewStrip"));
    Strip->setMinimumSize(560, 90);
    Scroll = Named(new QScrollBar(Qt::Horizontal, this), "Scroll");
    connect(Scroll, &QScrollBar::valueChanged, this, [this](int v) { Strip->SetPosition(v / 10.0); });
    connect(Strip, &WaveformStrip::SeekRequested, this, [this](double t) { Scroll->setValue(static_cast<int>(t * 10)); });
    ButtonApply = MakeOkButton("ButtonApply");
    ButtonApply->setProperty("Tag", QVariant());  // its own caption, not the standard OK
    ButtonApply->setText(QStringLiteral("&Zastosuj"));
    Button2 = MakeCancelButton();

    auto* grid = new QGridLayout;
    grid->addWidget(LabelScale, 0, 0);
    grid->addWidget(ValueScale, 0, 1);
    grid->addWidget(LabelConfidence, 1, 0);
    grid->addWidget(ValueConfidence, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(LabelWarning);
    layout->addWidget(ValueDamaged);
    layout->addWidget(Pieces);
    layout->addWidget(LabelPreview);
    layout->addWidget(Strip);
    layout->addWidget(Scroll);
    layout->addLayout(ButtonRow(ButtonApply, Button2));
}

void SyncPreviewDialog::Fill(const SyncResult& result, const std::vector<SyncLine>& lines,
                             std::shared_ptr<const media::PeakStore> peaks, double movieLength, long damaged) {
    QString scale = QString::number(result.scale, 'f', 6);
    if (std::string name = StandardRatioName(result.scale); !name.empty())
        scale += QStringLiteral(" (") + QString::fromStdString(name) + u')';
    ValueScale->setText(scale);
    ValueConfidence->setText(QString::number(result.confidence, 'f', 1));
    LabelWarning->setVisible(!result.trustworthy);
    ValueDamaged->setVisible(damaged > 0);
    ValueDamaged->setText(prompts_.Text("FormSyncPreview", "DamagedPackets") + u' ' + QString::number(damaged));
    // A doubtful result is not applied by a stray Enter.
    ButtonApply->setDefault(result.trustworthy);
    Button2->setDefault(!result.trustworthy);

    Pieces->setHorizontalHeaderLabels(
        {prompts_.Text("FormSyncPreview", "ColumnLines"), prompts_.Text("FormSyncPreview", "ColumnOffset")});
    Pieces->setRowCount(static_cast<int>(result.pieces.size()));
    for (std::size_t i = 0; i < result.pieces.size(); ++i) {
        const SyncPiece& p = result.pieces[i];
        const int row = static_cast<int>(i);
        Pieces->setItem(row, 0, new QTableWidgetItem(QStringLiteral("%1 - %2").arg(p.firstLine + 1).arg(p.lastLine + 1)));
        Pieces->setItem(row, 1, new QTableWidgetItem(QString::asprintf("%+.3f s", p.offset)));
    }

    std::vector<WaveformStrip::Block> before, after;
    for (const SyncLine& l : lines)
        if (!l.cue) before.push_back({l.start, l.end});
    const std::vector<SyncLine> moved = MovedLines(result, lines);
    for (const SyncLine& l : moved)
        if (!l.cue) after.push_back({l.start, l.end});
    Strip->SetPeaks(std::move(peaks));
    Strip->SetBlocks(0, std::move(before));
    Strip->SetBlocks(1, std::move(after));
    double end = movieLength;
    for (const SyncLine& l : moved) end = std::max(end, l.end);
    Scroll->setRange(0, static_cast<int>(end * 10) + 1);
    Scroll->setPageStep(100);
    // Start at the first spoken line where it lands.
    double first = 0.0;
    for (const SyncLine& l : moved)
        if (!l.cue) {
            first = l.start;
            break;
        }
    Scroll->setValue(static_cast<int>(first * 10));
    Strip->SetPosition(first);
}

}  // namespace kravelo
