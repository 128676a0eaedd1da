#pragma once
// The movie player as the rest of the program sees it: load a file, read its length, frame
// total and picture size, play, pause, stop and seek, and the events the main window handles.
// MpvPlayer plays with libmpv; FakePlayer is scripted by tests.

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>

class QEvent;
class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace kravelo {

// PlayState values, also reported by PlayStateChange.
enum PlayStateValue : int { kPlayStopped = 0, kPlayPaused = 1, kPlayPlaying = 2 };
// DisplayMode values: what Duration reports.
enum DisplayModeValue : int { kDisplayTime = 0, kDisplayFrames = 1 };
// ShowDialog value that opens the player's own context menu.
inline constexpr int kContextMenuDialog = 3;

class MediaPlayer : public QObject {
    Q_OBJECT

  public:
    explicit MediaPlayer(QObject* parent = nullptr) : QObject(parent) {}
    ~MediaPlayer() override = default;

    // True: a movie starts playing by itself once loaded. Set before FileName.
    virtual bool AutoStart() const = 0;
    virtual void SetAutoStart(bool on) = 0;

    // Assigning a path loads the movie, and returns when it is loaded or has failed; an empty
    // string unloads it.
    virtual QString FileName() const = 0;
    virtual void SetFileName(const QString& path) = 0;

    // Non-zero while a movie is loaded.
    virtual int OpenState() const = 0;
    // Why the last load failed.
    virtual QString ErrorDescription() const = 0;

    // kDisplayFrames: Duration is the frame total (whole frames); kDisplayTime: seconds.
    virtual int DisplayMode() const = 0;
    virtual void SetDisplayMode(int mode) = 0;
    virtual double Duration() const = 0;

    // Seconds. Writing seeks exactly (to the frame nearest the time) and raises PositionChange.
    virtual double CurrentPosition() const = 0;
    virtual void SetCurrentPosition(double seconds) = 0;

    virtual int PlayState() const = 0;
    virtual void Play() = 0;
    virtual void Pause() = 0;
    // Stops playing; the position stays where it is (callers seek to 0 themselves).
    virtual void Stop() = 0;

    // The movie's own picture size in pixels; 0 without a picture.
    virtual int ImageSourceWidth() const = 0;
    virtual int ImageSourceHeight() const = 0;

    // The player's own context menu: ShowDialog(kContextMenuDialog) opens it at the mouse while
    // EnableContextMenu is on.
    bool EnableContextMenu() const { return enableContextMenu_; }
    void SetEnableContextMenu(bool on) { enableContextMenu_ = on; }
    virtual void ShowDialog(int dialog) = 0;

    // What the player knows of the loaded movie (file, format, streams, length), for the
    // movie's properties box.
    virtual QString PropertiesText() const { return FileName(); }
    // The frame rate the video stream declares; 0 when it declares none.
    virtual double NominalFrameRate() const { return 0.0; }
    // The container's stream index of the audio track being played; -1 when no track plays or
    // the player cannot tell (the default audio stream is meant then).
    virtual int AudioStreamIndex() const { return -1; }

    // Sound level 0..255 (the volume bars' scale).
    virtual int VolumeLevel() const = 0;
    virtual void SetVolumeLevel(int level) = 0;

    // The widget that shows the picture. Its key and mouse events come out as the signals below;
    // a right click opens the pop-up menu given here.
    virtual QWidget* VideoWidget() = 0;
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
    QMenu* PopupMenu() const { return popupMenu_; }

    // For the picture widgets: turns their input events into the signals. True when handled.
    bool ForwardInputEvent(QEvent* event);

  signals:
    void EndOfStream();
    void PlayStateChange(int newState);
    // The position jumped (a seek), not the steady advance of playing.
    void PositionChange(double oldPosition, double newPosition);
    void KeyDown(QKeyEvent* event);
    void MouseDown(QMouseEvent* event);
    void MouseUp(QMouseEvent* event);
    void DblClick(QMouseEvent* event);
    void Enter();

  private:
    bool enableContextMenu_ = false;
    QPointer<QMenu> popupMenu_;
};

}  // namespace kravelo
