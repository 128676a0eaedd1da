#include "app/movie_session.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTimer>
#include <QToolButton>
#include <cmath>

#include "app/form_open_text.h"
#include "app/main_window.h"
#include "core/format_size.h"
#include "core/media_types.h"
#include "platform/foreground.h"
#include "core/subtitle_candidate.h"
#include "core/text_util.h"
#include "ops/subtitle_display.h"
#include "platform/power_off.h"
#include "player/display_timer.h"
#include "player/form_mp.h"
#include "player/media_player.h"
#include "player/transport.h"
#include "ui/qt_text.h"

namespace kravelo {

using namespace message_color;

double MovieFrameRate(long long frameTotal, double length, double nominalRate) {
    if (length == 0.0) return 1.0;
    const double ratio = static_cast<double>(frameTotal) / length;
    if (nominalRate > 0.0 && std::fabs(ratio - nominalRate) <= nominalRate * 0.01) return nominalRate;
    return ratio;
}

MovieSession::MovieSession(MainWindow& window, MediaPlayer& player, TFormMP& video, Transport& transport,
                           SubtitleDisplayTimer& display, PowerOff& powerOff, std::string programPath,
                           std::string configHome)
    : window_(window),
      player_(player),
      video_(video),
      transport_(transport),
      display_(display),
      powerOff_(&powerOff),
      marker_(programPath.empty() ? S(QApplication::applicationFilePath()) : std::move(programPath),
              std::move(configHome)),
      chooser_(new TFormOpenText(window.GetLanguage(), window.OpenDialogs(), window.GetPrompts(), &window)),
      timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("Timer"));
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &MovieSession::TimerTimer);
    // The end of the movie may open the next part, which waits for the player: it runs after
    // the player has finished handling its own event.
    connect(&player_, &MediaPlayer::EndOfStream, this, &MovieSession::MovieEnd, Qt::QueuedConnection);
    connect(this, &MovieSession::MovieReset, &window_, &MainWindow::MovieReset);
    connect(this, &MovieSession::MovieOpened, &window_, &MainWindow::MovieOpened);
    // The shutdown switch is written from its current state.
    connect(&window_, &MainWindow::SettingsLoaded, this,
            [this] { shutdownOfLastRun_ = window_.GetSettings().AutoTurnOffComputer; });
    connect(&window_, &MainWindow::SettingsAboutToBeSaved, this,
            [this] { window_.GetSettings().AutoTurnOffComputer = shutdownAfterMovie_; });
    connect(&window_, &MainWindow::OptionsApplied, this, &MovieSession::ApplyOptions);
    SetControlsEnabled(false);
    // A marker left by an earlier run has done its work.
    marker_.Remove();
}

MovieSession::~MovieSession() = default;

bool MovieSession::Loaded() const { return player_.OpenState() != 0; }

int MovieSession::ImageHeight() const { return player_.ImageSourceHeight(); }

int MovieSession::ImageWidth() const { return player_.ImageSourceWidth(); }

QString MovieSession::ChooseSubtitleVersion(const QString& path) { return chooser_->ChooseSubtitleVersion(path); }

void MovieSession::SetControlsEnabled(bool on) {
    for (QWidget* b : {static_cast<QWidget*>(video_.SpeedButtonPlay), static_cast<QWidget*>(video_.SpeedButtonPause),
                       static_cast<QWidget*>(video_.SpeedButtonStop), static_cast<QWidget*>(video_.SpeedButtonRepeat)})
        b->setEnabled(on);
}

// --- Opening and closing

void MovieSession::OpenMovieCommand() {
    OpenDialogScope counted(window_.OpenDialogs());
    FileRequest r;
    r.title = QStringLiteral("Otwórz plik z filmem");
    r.folder = QStringLiteral(".");
    r.defaultSuffix = QStringLiteral("avi");
    r.filters = FiltersFromPairs(MovieOpenFilter());
    const QString path = window_.GetPrompts().OpenFileName(r);
    const Settings& s = window_.GetSettings();
    if (path.isEmpty()) return;
    Open(path, s.CheckForOtherSub, s.AutoOpenSubtitle, true);
    AfterOpening(OpenedBy::Menu);
}

void MovieSession::AfterOpening(OpenedBy by) {
    if (!Loaded()) return;
    const Settings& s = window_.GetSettings();
    const bool commandLine = by == OpenedBy::CommandLine || by == OpenedBy::HandOver;
    if (commandLine ? s.AutoFullScreen : s.AutoFullScreenMenu) emit FullScreenWanted(by == OpenedBy::CommandLine);
}

void MovieSession::Open(const QString& path, bool offerChoice, bool loadSubtitles, bool useMovieSettings) {
    Settings& s = window_.GetSettings();
    Prompts& prompts = window_.GetPrompts();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Reset();
    // The previous movie's per-movie file and chapters were written by the reset; this one
    // has its own.
    s.MovieIniPath.clear();
    s.ChaptersIniPath.clear();
    window_.Chapters().Clear();

    player_.SetAutoStart(s.AutoPlayMovie);
    player_.SetFileName(path);
    if (player_.OpenState() == 0) {
        QApplication::restoreOverrideCursor();
        prompts.MessageBox(player_.ErrorDescription(), prompts.Caption(MessageIcon::Error), BoxButtons::Ok,
                           MessageIcon::Error);
        return;
    }
    s.MovieCount += 1;
    window_.AddRecentMovie(S(path));
    SetControlsEnabled(true);

    // Frame total and length, and the frame rate from them.
    player_.SetDisplayMode(kDisplayFrames);
    MovieFrameTotal = static_cast<long long>(player_.Duration());
    player_.SetDisplayMode(kDisplayTime);
    MovieLength = player_.Duration();
    transport_.movieLength = MovieLength;
    s.TotalMovieTime += MovieLength / 3600.0;
    video_.KvTrackBarTrack->setMaxValue(PositionBarValue(MovieLength));
    const double rate = MovieFrameRate(MovieFrameTotal, MovieLength, player_.NominalFrameRate());
    window_.State().frameRate = rate;

    // The movie information.
    const std::uint64_t size = FileSizeOf(S(path));
    window_.StatusPanel(4)->setText(QFileInfo(path).fileName() + QStringLiteral("     (") +
                                    QString::number(player_.ImageSourceWidth()) + u'x' +
                                    QString::number(player_.ImageSourceHeight()) + QStringLiteral("  ") +
                                    Q(FormatGeneral(rate)).left(6) + QStringLiteral(" fps)     ") +
                                    Q(FormatSize(size)));
    s.TotalMovieSize += static_cast<double>(size);
    emit MovieOpened(rate);
    emit LoadedChanged();

    // The matching subtitle file.
    if (loadSubtitles) {
        s.LastSubFile.clear();
        if (s.AutoOpenSubtitle) {
            const std::string candidate =
                MatchingSubtitleCandidate(S(path), s.SubtitlesFolder, s.CheckForOtherSub && offerChoice, RealFileProbe());
            if (!candidate.empty() && window_.ConfirmDiscard()) window_.OpenSubtitleFile(Q(candidate), offerChoice);
        }
    }

    // The position it was left at.
    if (QString::compare(path, Q(s.LastMovieFile), Qt::CaseInsensitive) == 0 && s.RestorePosition &&
        s.MoviePosition <= MovieLength)
        transport_.Seek(s.MoviePosition);
    if (useMovieSettings && UseMovieSettingsFor(s, MovieLength)) {
        OpenMovieSettings(s, window_.Chapters(), S(path));
        if (s.RestorePosition && s.MoviePosition >= 0.0f && s.MoviePosition <= MovieLength)
            transport_.Seek(s.MoviePosition);
    }
    // Every movie keeps its chapters, whether or not it has a per-movie file.
    if (s.ChaptersIniPath.empty()) s.ChaptersIniPath = ChaptersPathFor(s, S(path));
    LoadChapters(window_.Chapters(), s.ChaptersIniPath);
    SaveMovieSettings(s, window_.Chapters(), s.MovieIniPath);

    s.LastMovieFile = S(QFileInfo(player_.FileName()).absoluteFilePath());
    if (s.ResumeWhenCrashed)
        marker_.Register();
    else
        marker_.Remove();
    s.SystemCrashed = true;
    s.MoviePosition = static_cast<float>(player_.CurrentPosition());
    window_.SaveSettingsNow();

    video_.SetLogoVisible(false);
    video_.KvTrackBarTrack->show();
    PlaceVideoWindow();
    crashSaveMs_ = 0;
    timer_->start();
    QApplication::restoreOverrideCursor();
}

void MovieSession::PlaceVideoWindow() {
    // The picture at its own aspect in the panel's width, leaving the editor at least 100 px.
    QSplitter* splitter = window_.Splitter();
    if (QSplitterHandle* handle = splitter->handle(1)) handle->setEnabled(true);
    const int total = splitter->height();
    const int w = std::max(1, player_.ImageSourceWidth());
    const int picture = player_.ImageSourceHeight() * window_.PanelMP()->width() / w + 40;
    const int panel = std::clamp(picture, 100, std::max(100, total - 100));
    splitter->setSizes({panel, std::max(total - panel, 100)});
}

void MovieSession::Reset() {
    marker_.Remove();
    timer_->stop();
    player_.SetFileName(QString());
    MovieFrameTotal = 0;
    MovieLength = 0.0;
    transport_.movieLength = 0.0;
    video_.SetLogoVisible(true);
    video_.KvTrackBarTrack->setPos(0);
    video_.KvTrackBarTrack->hide();
    video_.Subtitles->SetSubtitleWindowsVisible(false, display_.TransparentMode());
    SetControlsEnabled(false);
    // The subtitle fonts and elevations of the settings (loaded by the first reset at start).
    Settings& s = window_.GetSettings();
    video_.ApplySubtitleSettings(SubtitleFontOf(s.FontFullScreen), SubtitleFontOf(s.FontWindow), s.SubtitlesElevation,
                                 s.SubtitlesElevationFS);
    emit MovieReset();  // the window saves the settings, the movie's file and its chapters
    // The closed movie's chapters and files are done with: nothing later writes into them.
    window_.Chapters().Clear();
    s.ChaptersIniPath.clear();
    s.MovieIniPath.clear();
    emit LoadedChanged();
}

void MovieSession::ApplyOptions() {
    const Settings& s = window_.GetSettings();
    video_.ApplySubtitleSettings(SubtitleFontOf(s.FontFullScreen), SubtitleFontOf(s.FontWindow), s.SubtitlesElevation,
                                 s.SubtitlesElevationFS);
    DisplayOptions& o = display_.Options;
    o.DelaySubtitleOn = s.DelaySubtitleOn;
    o.SubtitleAdjust = s.SubtitleAdjust;
    o.FocusNaPoleEdycyjne = s.FocusNaPoleEdycyjne;
    o.InfoNotSortSub = s.InfoNotSortSub;
    o.LetItalic = s.LetItalic;
    if (!s.LetItalic)
        for (int i = 1; i <= 3; ++i) video_.Subtitles->Label(i)->setItalic(false);
    if (s.ResumeWhenCrashed)
        marker_.Register();
    else
        marker_.Remove();
}

void MovieSession::CloseMovieCommand() {
    Settings& s = window_.GetSettings();
    s.LastMovieFile.clear();
    s.MoviePosition = 0.0f;
    window_.ResetMovie();
}

bool MovieSession::ResumeAfterCrash() {
    Settings& s = window_.GetSettings();
    const QString movie = Q(s.LastMovieFile);
    const QString sub = Q(s.LastSubFile);
    if (!s.SystemCrashed || !s.ResumeWhenCrashed || movie.isEmpty() || !QFileInfo::exists(movie) ||
        (!sub.isEmpty() && !QFileInfo::exists(sub)))
        return false;
    // Opening writes the position of its own: keep the one the crash left, and the shutdown
    // switch the interrupted run had.
    const double position = s.MoviePosition;
    const bool shutdown = shutdownOfLastRun_;
    Open(movie, false, false, true);
    if (!sub.isEmpty()) window_.OpenSubtitleFile(sub, false);
    if (Loaded()) transport_.PlayFrom(position);
    SetShutdownAfterMovie(shutdown);
    return true;
}

void MovieSession::Closing() {
    // A normal close: no restart at the next log-in; the position for the next opening.
    display_.Closing = true;
    marker_.Remove();
    if (Loaded()) window_.GetSettings().MoviePosition = static_cast<float>(player_.CurrentPosition());
}

void MovieSession::ArgumentReceived(const QString& argument) {
    ForceForeground(&window_);
    if (window_.OpenDialogs().Value() != 0) {
        QApplication::beep();
        return;
    }
    if (QFileInfo(argument).isFile()) {
        window_.update();
        window_.CloseDocument();
        window_.ResetMovie();
        const Settings& s = window_.GetSettings();
        Open(argument, s.CheckForOtherSub, s.AutoOpenSubtitle, true);
        AfterOpening(OpenedBy::HandOver);
    } else if (!argument.isEmpty()) {
        Prompts& p = window_.GetPrompts();
        p.MessageBox(p.Text("Form1", "CantLocalizeFile") + QStringLiteral(": ") + argument, p.Caption(MessageIcon::Error),
                     BoxButtons::Ok, MessageIcon::Error);
    }
}

// --- The housekeeping tick

void MovieSession::TimerTimer() {
    Settings& s = window_.GetSettings();
    crashSaveMs_ += timer_->interval();
    if (crashSaveMs_ >= 10000) {
        crashSaveMs_ = 0;
        s.MoviePosition = static_cast<float>(player_.CurrentPosition());
        s.SystemCrashed = true;
        window_.SaveSettingsNow();
    }
    const double position = player_.CurrentPosition();
    if (!window_.FullScreen()) {
        window_.StatusPanel(0)->setText(Q(FramePositionText(position, window_.State().frameRate, MovieFrameTotal)));
        window_.StatusPanel(1)->setText(Q(DecisecondPositionText(position, MovieLength)));
    }
    video_.KvTrackBarTrack->setPos(PositionBarValue(position));
    emit Ticked(position);
}

// --- End of the movie

void MovieSession::SetShutdownAfterMovie(bool on) {
    shutdownAfterMovie_ = on;
    window_.GetSettings().AutoTurnOffComputer = on;
    window_.Commands().Refresh();
}

bool MovieSession::Repeat() const { return video_.SpeedButtonRepeat->isChecked(); }

void MovieSession::MovieEnd() {
    if (window_.Closing()) return;
    Settings& s = window_.GetSettings();
    transport_.ShowMessageKey("MovieEnd", kRed);
    bool nextOpened = false;
    if (s.CheckNextVol && Loaded()) {
        auto exists = [](const std::string& p) { return QFileInfo(Q(p)).isFile(); };
        const std::string next = NextPartName(S(player_.FileName()), exists);
        if (!next.empty()) {
            transport_.ShowMessageKey("NextVolOpening", kRed);
            const QString subtitles = window_.CurrentFileName();
            const std::string nextSub = subtitles.isEmpty() ? std::string() : NextPartName(S(subtitles), exists);
            const bool search = nextSub.empty();
            Open(Q(next), search && s.CheckForOtherSub, search && s.AutoOpenSubtitle, true);
            if (Loaded() && !nextSub.empty() && window_.ConfirmDiscard()) window_.OpenSubtitleFile(Q(nextSub), false);
            nextOpened = true;
        }
    }
    if (shutdownAfterMovie_ && !nextOpened) {
        marker_.Remove();
        s.SystemCrashed = false;
        window_.SaveSettingsNow();
        QString error;
        if (!powerOff_->Shutdown(&error)) {
            Prompts& p = window_.GetPrompts();
            p.MessageBox(error, p.Caption(MessageIcon::Error), BoxButtons::Ok, MessageIcon::Error);
        }
        return;
    }
    if (!nextOpened && Repeat()) transport_.PlayFrom(0.0);
}

}  // namespace kravelo
