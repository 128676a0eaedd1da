#pragma once
// Synchronising the subtitles with the movie's audio, and the waveform strip under the video.
//
// The audio track the player plays is analysed once per movie and track in a worker thread (speech
// track and peaks, from the cache when the movie has not changed): the status bar's panel 0 shows
// the progress and a Cancel button stops it. The sync command then aligns the work range in the
// same worker, shows the preview dialog and applies the result as one bulk edit; for frame lines
// whose result is one piece at a usual frame-rate ratio it offers the frame-rate change instead.
// The strip draws the peaks as they are decoded. Made by the movie side, which owns the player.
//
//     SyncCommands sync(window, player, [&](double t) { transport.Seek(t); });  // registers
//     sync.SyncCommand();   // returns at once; Finished() when the run is over

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ops/audio_sync.h"
#include "ops/work_range.h"

class QPushButton;
class QTimer;

namespace kravelo::media {
class PeakStore;
}

namespace kravelo {

class MainWindow;
class MediaPlayer;
class SyncPreviewDialog;
class WaveformStrip;

class SyncCommands : public QObject {
    Q_OBJECT
public:
    // Registers the two commands and puts the (hidden) strip under the video panel's content.
    SyncCommands(MainWindow& window, MediaPlayer& player, std::function<void(double)> seek,
                 QObject* parent = nullptr);
    ~SyncCommands() override;

    void SyncCommand();
    void ToggleStrip();
    bool StripShown() const;
    // Stops a run (the Cancel button).
    void Cancel();
    bool Running() const { return running_; }
    // The movie closed: any run stops and its analysis is forgotten.
    void MovieClosed();

    // Where the analyses are cached; empty for $XDG_CACHE_HOME/kravelo/audio.
    std::string cacheFolder;
    // Options of the next alignment.
    SyncOptions options;

    WaveformStrip* Strip() const { return strip_; }
    SyncPreviewDialog& Preview() { return *preview_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    // The last analysis came from the cache.
    bool LastFromCache() const { return fromCache_; }

signals:
    // A sync run is over (applied, declined, cancelled or failed).
    void Finished();
    // The movie's audio has been analysed (or the analysis failed).
    void AudioReady();

private:
    struct Pending {
        LineRange range;
        std::vector<std::string> lines;  // the document when the run began
        std::vector<SyncLine> syncLines;
    };
    void StartWorker(bool align);
    void WorkerDone(int generation, bool ok, bool cancelled, const std::string& error, std::optional<SyncResult> result);
    void EndRun();
    void Review(SyncResult result);
    void Apply(const SyncResult& result);
    // Called on the worker thread.
    void Progress(int generation, long position, long total);
    void StopWorker();
    void Tick();

    MainWindow& window_;
    MediaPlayer& player_;
    std::function<void(double)> seek_;
    WaveformStrip* strip_ = nullptr;
    SyncPreviewDialog* preview_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QTimer* tick_ = nullptr;

    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<long> lastPermille_{-1};
    bool running_ = false;      // the worker runs
    bool syncing_ = false;      // a sync command waits for it
    int generation_ = 0;        // results of an older worker are dropped
    std::optional<Pending> pending_;

    // The analysis of the current movie.
    std::string moviePath_;  // the movie and audio stream speech_ and peaks_ belong to
    int stream_ = -1;
    std::shared_ptr<media::PeakStore> peaks_;
    std::shared_ptr<const SpeechTrack> speech_;
    long damaged_ = 0;
    double duration_ = 0.0;
    bool fromCache_ = false;
};

}  // namespace kravelo
