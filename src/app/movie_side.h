#pragma once
// The movie side of the main window: the video window in PanelMP with its player, opening and
// closing movies, the subtitle display and its timers, the navigation and stamping commands,
// the keyboard dispatcher, the end of a movie, crash resume and the hand-over from a newer
// instance. It fills MainWindow::movie and adds its commands to the window's action table.
// The player must outlive the window; the controller goes before the window.
//
//     MpvPlayer player;
//     LogindPowerOff powerOff;
//     MainWindow window(paths);
//     MovieSideController movie(window, player, powerOff);   // before window.show()
//     window.show();

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "app/form_sub_not_sorted.h"
#include "ops/dialogs/jump_dialog.h"
#include "platform/crash_resume_marker.h"

class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;

namespace kravelo {

class DocumentLines;
class MainWindow;
class MediaPlayer;
class PowerOff;
class SubtitleDisplayTimer;
class TFormMP;

// The movie's frame rate from its frame total and length (1.0 for a zero length). A container
// length usually runs a little past the last frame (the sound is longer), which would put
// frame-format subtitles out of step by minutes over a film: when the nominal rate of the video
// stream lies within 1% of the ratio, the nominal rate is the true one.
double MovieFrameRate(long long frameTotal, double length, double nominalRate);

class MovieSideController : public QObject {
    Q_OBJECT
public:
    MovieSideController(MainWindow& window, MediaPlayer& player, PowerOff& powerOff,
                        std::string programPath = {}, std::string configHome = XdgConfigHome());
    ~MovieSideController() override;

    MediaPlayer& Player() { return player_; }
    TFormMP* FormMP() const { return formMP_; }
    SubtitleDisplayTimer* Display() const { return display_; }
    TFormPytanie05SkokDo& JumpDialog() { return *jump_; }
    const CrashResumeMarker& Marker() const { return marker_; }
    QTimer* Timer() const { return timer_; }

    long long MovieFrameTotal = 0;
    double MovieLength = 0.0;

    // --- Opening and closing (the open-movie command, OpenMovie, the close-movie command).
    void OpenMovieCommand();
    void OpenMovie(const QString& path, bool offerChoice, bool loadSubtitles, bool useMovieSettings);
    void CloseMovieCommand();
    // TimerOpenVideoTimer's crash resume; true when it reopened the movie.
    bool ResumeAfterCrash();
    // A newer instance handed over its first argument.
    void ArgumentReceived(const QString& argument);

    // --- Display.
    void DisplaySwitch();  // Shift+Ctrl+N
    bool DisplayOn() const;
    void TimerTimer();  // the 100 ms housekeeping tick

    // --- Navigation and stamping.
    void StampStart();
    void StampEnd();
    void GoToLineForPosition();
    void PlayFromLine();
    void PauseOrPlay();
    void StopCommand();
    void Forward5();
    void Back5();
    void UserForward();
    void UserBack();
    void ToStart();
    void ToEnd();
    void JumpToCommand();
    // The keyboard dispatcher; never consumes the key.
    void KeyCommand(int key, Qt::KeyboardModifiers modifiers);

    // --- End of the movie.
    void MovieEnd();
    void SetShutdownAfterMovie(bool on);
    bool ShutdownAfterMovie() const;
    bool Repeat() const;

    // The last transient message shown over the picture and its colour.
    QString LastMessage() const { return lastMessage_; }
    QColor LastMessageColor() const { return lastMessageColor_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateCommands();
    void ResetPlayer();
    void Stamp(bool start);
    void Seek(double seconds);
    void ShowMessage(const QString& text, const QColor& color);
    void ShowMessageKey(const char* key, const QColor& color);
    void UpdateUserJumpCaptions();
    void PlayStateChanged(int state);
    void PlaceVideoWindow();
    bool Loaded() const;

    MainWindow& window_;
    MediaPlayer& player_;
    PowerOff* powerOff_;
    CrashResumeMarker marker_;
    TFormMP* formMP_ = nullptr;
    SubtitleDisplayTimer* display_ = nullptr;
    DocumentLines* lines_ = nullptr;
    QTimer* timer_ = nullptr;
    QLabel* messageLabel_ = nullptr;
    QTimer* messageTimer_ = nullptr;
    TFormPytanie05SkokDo* jump_ = nullptr;
    // Without a parent: its texts come with each showing, not from the window's language section.
    std::unique_ptr<TFormSubNotSorted> notSorted_;
    QToolButton* buttonShowSubtitles_ = nullptr;
    QToolButton* buttonShutDown_ = nullptr;
    int crashSaveMs_ = 0;
    QString lastMessage_;
    QColor lastMessageColor_;
    // The key event last dispatched: a key travels up the widget chain as one event.
    const QEvent* lastKey_ = nullptr;
    unsigned long lastKeyTime_ = 0;
};

}  // namespace kravelo
