#pragma once
// MediaPlayer on libmpv. The picture is rendered through mpv's render API into a
// QOpenGLWidget; mpv's events are drained on the GUI thread. Loading waits for mpv to open the
// file, so the length, frame total and picture size can be read right after FileName is set.

#include <QPointer>
#include <QWidget>
#include <optional>

#include "player/media_player.h"

struct mpv_handle;
struct mpv_event;

namespace kravelo {

class MpvVideoWidget;

class MpvPlayer : public MediaPlayer {
    Q_OBJECT

  public:
    struct Options {
        // No picture and no sound (vo=null, ao=null): for tests and tools.
        bool nullOutput = false;
        // No sound (ao=null), the picture as usual.
        bool silent = false;
        // How long loading a file may take before it counts as failed.
        int openTimeoutMs = 20000;
    };

    // Needs a QApplication. Sets the C numeric locale, which mpv requires.
    explicit MpvPlayer(QObject* parent = nullptr);
    MpvPlayer(const Options& options, QObject* parent = nullptr);
    ~MpvPlayer() override;

    // False when mpv could not be created; ErrorDescription says why.
    bool IsValid() const { return mpv_ != nullptr; }

    bool AutoStart() const override { return autoStart_; }
    void SetAutoStart(bool on) override { autoStart_ = on; }
    QString FileName() const override { return fileName_; }
    void SetFileName(const QString& path) override;
    int OpenState() const override { return loaded_ ? 1 : 0; }
    QString ErrorDescription() const override { return error_; }
    int DisplayMode() const override { return displayMode_; }
    void SetDisplayMode(int mode) override { displayMode_ = mode; }
    double Duration() const override;
    double CurrentPosition() const override;
    void SetCurrentPosition(double seconds) override;
    int PlayState() const override { return state_; }
    void Play() override;
    void Pause() override;
    void Stop() override;
    int ImageSourceWidth() const override;
    int ImageSourceHeight() const override;
    double NominalFrameRate() const override;
    int AudioStreamIndex() const override;
    void ShowDialog(int dialog) override;
    int VolumeLevel() const override { return volume_; }
    void SetVolumeLevel(int level) override;
    QWidget* VideoWidget() override;

    // Handles every mpv event waiting now. Runs by itself after mpv wakes the GUI thread.
    void DrainEvents();
    // Processes mpv events until the last seek has landed (or the timeout); true when it has.
    bool WaitForSeek(int timeoutMs = 10000);
    // The position mpv reports now, without the target of a seek still under way.
    double ReportedPosition() const;

    mpv_handle* Handle() const { return mpv_; }

  private:
    void HandleEvent(const ::mpv_event& event);
    void SetState(int state);
    QString PropertyText(const char* name) const;
    void ShowProperties();
    QString PropertiesText() const override;

    Options options_;
    mpv_handle* mpv_ = nullptr;
    QPointer<QWidget> widget_;  // an MpvVideoWidget
    QString fileName_;
    QString error_;
    bool autoStart_ = true;
    bool loaded_ = false;
    bool eof_ = false;
    int displayMode_ = kDisplayTime;
    int state_ = kPlayStopped;
    int volume_ = 100;
    std::optional<double> pendingSeek_;  // target of a seek mpv has not finished
    // A load in progress: its file has started (the end of the previous file is not its end)
    // and has finished, one way or the other.
    bool loadStarted_ = false;
    bool loadDone_ = false;
};

}  // namespace kravelo
