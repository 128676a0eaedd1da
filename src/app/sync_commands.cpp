#include "app/sync_commands.h"

#include <QLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTextDocument>
#include <QTimer>
#include <cmath>

#include "app/main_window.h"
#include "app/sync_preview_dialog.h"
#include "core/text_util.h"
#include "media/audio_analysis.h"
#include "ops/frame_rate.h"
#include "ops/shift.h"
#include "ops/sync_lines.h"
#include "player/media_player.h"
#include "player/waveform_strip.h"
#include "ui/command_names.h"
#include "ui/qt_text.h"

namespace kravelo {

SyncCommands::SyncCommands(MainWindow& window, MediaPlayer& player, std::function<void(double)> seek, QObject* parent)
    : QObject(parent), window_(window), player_(player), seek_(std::move(seek)) {
    CommandTable& t = window_.Commands();
    Command sync;
    sync.name = cmd::kSyncWithAudio;
    sync.caption = QStringLiteral("Synchronizuj z dźwiękiem filmu...");
    sync.run = [this] { SyncCommand(); };
    sync.needs = kNeedsMovie | kNeedsEditor;
    sync.enabled = [this] { return !syncing_; };
    t.Add(std::move(sync));
    Command strip;
    strip.name = cmd::kWaveformStrip;
    strip.caption = QStringLiteral("Pasek dźwięku");
    strip.run = [this] { ToggleStrip(); };
    strip.needs = kNeedsMovie;
    strip.checkable = true;
    strip.checked = [this] { return StripShown(); };
    t.Add(std::move(strip));

    strip_ = new WaveformStrip(window_.PanelMP());
    strip_->setFixedHeight(64);
    strip_->hide();
    if (QLayout* layout = window_.PanelMP()->layout()) layout->addWidget(strip_);
    connect(strip_, &WaveformStrip::SeekRequested, this, [this](double t) {
        if (seek_) seek_(t);
        strip_->SetPosition(t);
    });
    tick_ = new QTimer(this);
    tick_->setObjectName(QStringLiteral("StripTick"));
    tick_->setInterval(60);  // the display's tick
    connect(tick_, &QTimer::timeout, this, &SyncCommands::Tick);
    // The blocks follow the document while the strip is shown, at most a few times a second.
    auto* rebuild = new QTimer(this);
    rebuild->setObjectName(QStringLiteral("StripBlocks"));
    rebuild->setSingleShot(true);
    rebuild->setInterval(250);
    connect(rebuild, &QTimer::timeout, this, [this] {
        if (!StripShown()) return;
        std::vector<WaveformStrip::Block> blocks;
        const SubtitleDocument doc = window_.Session().Copy();
        for (const SyncLine& l : SyncLinesOf(doc, 0, static_cast<long>(doc.lines.size())))
            blocks.push_back({l.start, l.end});
        strip_->SetBlocks(0, std::move(blocks));
    });
    connect(window_.Editor()->document(), &QTextDocument::contentsChanged, rebuild, qOverload<>(&QTimer::start));
    connect(&window_.Session(), &SubtitleSession::Changed, rebuild, qOverload<>(&QTimer::start));
    connect(this, &SyncCommands::AudioReady, rebuild, qOverload<>(&QTimer::start));

    preview_ = new SyncPreviewDialog(window_.OpenDialogs(), window_.GetPrompts(), &window_);
    window_.GetLanguage().AddForm(preview_);

    cancelButton_ = new QPushButton(QStringLiteral("Anuluj"), window_.statusBar());
    cancelButton_->setObjectName(QStringLiteral("SyncCancel"));
    cancelButton_->hide();
    window_.statusBar()->addPermanentWidget(cancelButton_);
    connect(cancelButton_, &QPushButton::clicked, this, &SyncCommands::Cancel);
}

SyncCommands::~SyncCommands() { StopWorker(); }

bool SyncCommands::StripShown() const { return strip_ && !strip_->isHidden(); }

void SyncCommands::StopWorker() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

void SyncCommands::Cancel() { cancel_ = true; }

void SyncCommands::MovieClosed() {
    StopWorker();
    ++generation_;
    if (running_) {
        running_ = false;
        cancelButton_->hide();
        window_.Frame().DrawProgress(0, 1000, ProgressColor::Face);
        if (auto* panel = qobject_cast<ProgressPanel*>(window_.StatusPanel(0))) panel->SetOwnerDrawn(false);
    }
    if (syncing_) EndRun();
    moviePath_.clear();
    speech_.reset();
    peaks_.reset();
    strip_->SetPeaks(nullptr);
    strip_->SetSpeech(nullptr);
    strip_->hide();
    tick_->stop();
    window_.Commands().Refresh();
}

void SyncCommands::ToggleStrip() {
    if (StripShown()) {
        strip_->hide();
        tick_->stop();
    } else {
        strip_->show();
        tick_->start();
        emit AudioReady();  // fills the blocks in
        if (!running_ && (!speech_ || moviePath_ != S(player_.FileName()) || stream_ != player_.AudioStreamIndex()))
            StartWorker(false);
    }
    window_.Commands().Refresh();
}

void SyncCommands::Tick() {
    if (StripShown()) strip_->SetPosition(player_.CurrentPosition());
}

// --- The run

void SyncCommands::SyncCommand() {
    if (syncing_ || !window_.MovieLoaded()) return;
    OperationFrame& frame = window_.Frame();
    const LineRange r = frame.GetWorkRange();
    long last = r.last;
    if (!frame.ValidateWorkRange(r.first, last)) return;
    if (!frame.EnsureFrameRate()) return;
    const SubtitleDocument doc = window_.Session().Copy();
    std::vector<SyncLine> lines = SyncLinesOf(doc, r.first, last);
    if (lines.empty()) {
        window_.GetPrompts().Box("FormSyncPreview", "NoLines", MessageIcon::Information);
        return;
    }
    pending_ = Pending{{r.first, last}, doc.lines, std::move(lines)};
    syncing_ = true;
    window_.Editor()->setReadOnly(true);
    window_.Commands().Refresh();
    if (running_) return;  // the strip's analysis is under way: the alignment follows it
    StartWorker(true);
}

void SyncCommands::StartWorker(bool align) {
    if (worker_.joinable()) worker_.join();
    // The audio the user hears: another track chosen in the player is analysed afresh.
    const std::string path = S(player_.FileName());
    const int stream = player_.AudioStreamIndex();
    if (path != moviePath_ || stream != stream_ || !peaks_) {
        moviePath_ = path;
        stream_ = stream;
        speech_.reset();
        peaks_ = std::make_shared<media::PeakStore>();
        strip_->SetPeaks(peaks_);
        strip_->SetSpeech(nullptr);
    }
    running_ = true;
    cancel_ = false;
    lastPermille_ = -1;
    const int generation = ++generation_;
    cancelButton_->show();
    if (auto* panel = qobject_cast<ProgressPanel*>(window_.StatusPanel(0))) panel->SetOwnerDrawn(true);
    window_.Frame().DrawProgress(0, 1000, ProgressColor::Blue);

    media::AnalyzeOptions analyze;
    analyze.stream = stream;
    analyze.cacheFolder = cacheFolder;
    analyze.live = peaks_;
    std::shared_ptr<const SpeechTrack> speech = speech_;
    std::vector<SyncLine> lines = align && pending_ ? pending_->syncLines : std::vector<SyncLine>{};
    const SyncOptions opts = options;
    worker_ = std::thread([this, path, analyze, speech, lines, opts, align, generation]() mutable {
        const ProgressFn progress = [this, generation](long position, long total, ProgressColor) {
            Progress(generation, position, total);
        };
        bool ok = true;
        std::string error;
        if (!speech) {
            media::AnalyzeResult a = media::AnalyzeMovieAudio(path, analyze, progress, &cancel_);
            if (!a.ok) {
                QMetaObject::invokeMethod(this, [this, generation, cancelled = a.cancelled, error = a.error] {
                    WorkerDone(generation, false, cancelled, error, std::nullopt);
                }, Qt::QueuedConnection);
                return;
            }
            auto track = std::make_shared<SpeechTrack>();
            track->frameSeconds = a.analysis.frameSeconds;
            track->speech = std::move(a.analysis.speech);
            speech = track;
            QMetaObject::invokeMethod(this, [this, generation, track, damaged = a.analysis.corruptPackets,
                                             duration = a.analysis.duration, cached = a.fromCache] {
                if (generation != generation_) return;
                speech_ = track;
                strip_->SetSpeech(track);
                damaged_ = damaged;
                duration_ = duration;
                fromCache_ = cached;
                emit AudioReady();
            }, Qt::QueuedConnection);
        }
        std::optional<SyncResult> result;
        if (align && !cancel_) {
            lastPermille_ = -1;
            result = AlignToSpeech(lines, *speech, opts, progress, &cancel_);
        }
        const bool cancelled = cancel_.load() || (result && result->cancelled);
        QMetaObject::invokeMethod(this, [this, generation, ok, cancelled, error, result] {
            WorkerDone(generation, ok, cancelled, error, result);
        }, Qt::QueuedConnection);
    });
}

// Called on the worker: the bar moves only when its thousandth changes.
void SyncCommands::Progress(int generation, long position, long total) {
    if (total <= 0) return;
    const long permille = static_cast<long>(std::min<long long>(1000, position * 1000LL / total));
    if (lastPermille_.exchange(permille) == permille) return;
    QMetaObject::invokeMethod(this, [this, generation, permille] {
        if (generation == generation_ && running_) window_.Frame().DrawProgress(permille, 1000, ProgressColor::Blue);
    }, Qt::QueuedConnection);
}

void SyncCommands::WorkerDone(int generation, bool ok, bool cancelled, const std::string& error,
                              std::optional<SyncResult> result) {
    if (generation != generation_) return;
    if (worker_.joinable()) worker_.join();
    running_ = false;
    cancelButton_->hide();
    window_.Frame().DrawProgress(0, 1000, ProgressColor::Face);
    if (auto* panel = qobject_cast<ProgressPanel*>(window_.StatusPanel(0))) panel->SetOwnerDrawn(false);
    if (!ok && !cancelled) {
        if (StripShown()) strip_->hide();
        if (syncing_)
            window_.GetPrompts().MessageBox(window_.GetPrompts().Text("FormSyncPreview", "AudioError") + u'\n' + Q(error),
                                            window_.GetPrompts().Caption(MessageIcon::Error), BoxButtons::Ok,
                                            MessageIcon::Error);
        emit AudioReady();
    }
    if (!syncing_) {
        window_.Commands().Refresh();
        return;
    }
    if (!ok || cancelled) {
        EndRun();
        return;
    }
    if (!result) {
        // The analysis ran for the strip while the command waited: align now.
        StartWorker(true);
        return;
    }
    Review(std::move(*result));
}

void SyncCommands::EndRun() {
    syncing_ = false;
    pending_.reset();
    window_.Editor()->setReadOnly(false);
    window_.Commands().Refresh();
    emit Finished();
}

void SyncCommands::Review(SyncResult result) {
    Prompts& prompts = window_.GetPrompts();
    SubtitleDocument doc = window_.Session().Copy();
    if (doc.lines != pending_->lines && speech_) {
        // The document changed meanwhile (a command that does not need the editor): align again.
        pending_->range.last = std::min(pending_->range.last, static_cast<long>(doc.lines.size()));
        pending_->syncLines = SyncLinesOf(doc, pending_->range.first, pending_->range.last);
        pending_->lines = doc.lines;
        result = AlignToSpeech(pending_->syncLines, *speech_, options, window_.Frame().Progress());
    }
    if (result.pieces.empty()) {
        prompts.Box("FormSyncPreview", "NotAligned", MessageIcon::Warning);
        EndRun();
        return;
    }
    preview_->Fill(result, pending_->syncLines, peaks_, duration_, damaged_);
    preview_->Strip->SetSpeech(speech_);
    if (prompts.ExecDialog(*preview_) == QDialog::Accepted) Apply(result);
    EndRun();
}

void SyncCommands::Apply(const SyncResult& result) {
    Prompts& prompts = window_.GetPrompts();
    OperationFrame& frame = window_.Frame();
    const long first = pending_->range.first, last = pending_->range.last;
    const double rate = window_.State().frameRate;
    bool frameLines = false;
    for (long i = first; i < last && !frameLines; ++i) {
        const std::string& line = pending_->lines[static_cast<std::size_t>(i)];
        frameLines = !line.empty() && LineFormat(line, window_.State().ssa) == kFormatFrame;
    }
    // Frame lines made for another frame rate: the frame-rate change says what happened.
    bool changeRate = false;
    double source = 0.0;
    if (frameLines && rate > 0.0 && result.pieces.size() == 1 && !StandardRatioName(result.scale).empty()) {
        source = std::round(rate / result.scale * 1000.0) / 1000.0;
        const QString text = prompts.Text("FormSyncPreview", "FrameRateOffer") + QStringLiteral("\n\n") +
                             Q(FormatGeneral(source)) + QStringLiteral(" → ") + Q(FormatGeneral(rate));
        const BoxAnswer a =
            prompts.MessageBox(text, prompts.Caption(MessageIcon::Question), BoxButtons::YesNoCancel, MessageIcon::Question);
        if (a == BoxAnswer::Cancel) return;
        changeRate = a == BoxAnswer::Yes;
    }

    frame.BeginBulkEdit();
    SubtitleDocument doc = window_.Session().Copy();
    const std::vector<std::string> before = doc.lines;
    std::optional<Message> warning;
    if (changeRate) {
        ChangeFrameRate(doc, source, rate, first, last, frame.Progress());
        const double offset = result.pieces.front().offset;
        if (std::fabs(offset) >= 0.5 / rate) warning = ShiftTimes(doc, offset, true, true, first, last, frame.Progress()).Warning();
    } else {
        warning = ApplySync(doc, first, last, result, frame.Progress()).Warning();
    }
    frame.WriteBack(before, doc.lines);
    frame.EndBulkEdit(first, last);
    if (warning) prompts.Box(*warning);
}

}  // namespace kravelo
