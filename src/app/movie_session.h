#pragma once
// The loaded movie: opening it with its subtitle file and its own settings, closing and
// resetting, the 100 ms housekeeping tick (position texts, track bar, the crash-resume position
// every 10 s), the end of the movie (next part, repeat, power-off), the start-up resume after a
// run that did not end normally, and the hand-over of a file from a newer instance.

#include <QObject>
#include <QString>
#include <string>

#include "app/movie_port.h"
#include "platform/crash_resume_marker.h"

class QTimer;

namespace kravelo {

class MainWindow;
class MediaPlayer;
class PowerOff;
class SubtitleDisplayTimer;
class TFormMP;
class TFormOpenText;
class Transport;

// The movie's frame rate from its frame total and length (1.0 for a zero length). A container
// length usually runs a little past the last frame (the sound is longer), which would put
// frame-format subtitles out of step by minutes over a film: when the nominal rate of the video
// stream lies within 1% of the ratio, the nominal rate is the true one.
double MovieFrameRate(long long frameTotal, double length, double nominalRate);

class MovieSession : public QObject, public MoviePort {
    Q_OBJECT
public:
    MovieSession(MainWindow& window, MediaPlayer& player, TFormMP& video, Transport& transport,
                 SubtitleDisplayTimer& display, PowerOff& powerOff, std::string programPath,
                 std::string configHome);
    ~MovieSession() override;

    // MoviePort.
    bool Loaded() const override;
    int ImageHeight() const override;
    int ImageWidth() const override;
    void Open(const QString& path, bool offerChoice, bool loadSubtitles, bool useMovieSettings) override;
    void Reset() override;
    QString ChooseSubtitleVersion(const QString& path) override;
    bool ResumeAfterCrash() override;
    void Closing() override;
    void AfterOpening(OpenedBy by) override;

    void OpenMovieCommand();
    void CloseMovieCommand();
    // A newer instance handed over its first argument.
    void ArgumentReceived(const QString& argument);
    // The end of the movie: the next part, the power-off or the repeat.
    void MovieEnd();
    void TimerTimer();
    // The options were confirmed: the windowed lift, the display's switches and edit delay, the
    // italics, and the crash-resume marker as "ResumeWhenCrashed" now says.
    void ApplyOptions();

    bool ShutdownAfterMovie() const { return shutdownAfterMovie_; }
    void SetShutdownAfterMovie(bool on);
    bool Repeat() const;

    long long MovieFrameTotal = 0;
    double MovieLength = 0.0;
    QTimer* Timer() const { return timer_; }
    const CrashResumeMarker& Marker() const { return marker_; }

signals:
    void MovieReset();
    void MovieOpened(double frameRate);
    // Loaded or closed: the commands that need a movie follow.
    void LoadedChanged();
    // The housekeeping tick has run, with the position it read.
    void Ticked(double position);
    // The settings want full screen after an opening: at once, or `deferred` by the 100 ms
    // auto-full-screen timer (command line and resume).
    void FullScreenWanted(bool deferred);

private:
    void PlaceVideoWindow();
    void SetControlsEnabled(bool on);

    MainWindow& window_;
    MediaPlayer& player_;
    TFormMP& video_;
    Transport& transport_;
    SubtitleDisplayTimer& display_;
    PowerOff* powerOff_;
    CrashResumeMarker marker_;
    TFormOpenText* chooser_;
    QTimer* timer_;
    int crashSaveMs_ = 0;
    bool shutdownAfterMovie_ = false;
    // The switch of the run before, for the resume after it.
    bool shutdownOfLastRun_ = false;
};

}  // namespace kravelo
