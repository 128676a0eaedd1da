#pragma once
// A scripted MediaPlayer for tests: movies are entries in a table, time moves only when the
// test advances it, and every transport call is logged.

#include <QMap>
#include <QStringList>
#include <QWidget>

#include "player/media_player.h"

namespace kravelo {

class FakePlayer : public MediaPlayer {
    Q_OBJECT

  public:
    struct Movie {
        long long frameTotal = 250;
        double length = 10.0;
        int width = 320;
        int height = 240;
    };

    explicit FakePlayer(QObject* parent = nullptr);
    ~FakePlayer() override;

    // The files the fake can "open"; any other name fails with an error description.
    void AddMovie(const QString& path, const Movie& movie) { movies_[path] = movie; }

    // Moves the position forwards by `seconds` while playing (the steady advance, no
    // PositionChange); reaching the end stops and raises EndOfStream.
    void Advance(double seconds);
    // Puts the position anywhere without an event, as playing would.
    void SetPositionSilently(double seconds) { position_ = seconds; }

    // "Play", "Pause", "Stop", "Seek 4.5", "Open name", "Volume 100", "Menu"...
    QStringList log;
    // What AudioStreamIndex reports while a movie is loaded.
    int audioStream = -1;

    bool AutoStart() const override { return autoStart_; }
    void SetAutoStart(bool on) override { autoStart_ = on; }
    QString FileName() const override { return fileName_; }
    void SetFileName(const QString& path) override;
    int OpenState() const override { return loaded_ ? 1 : 0; }
    QString ErrorDescription() const override { return error_; }
    int DisplayMode() const override { return displayMode_; }
    void SetDisplayMode(int mode) override { displayMode_ = mode; }
    double Duration() const override;
    double CurrentPosition() const override { return position_; }
    void SetCurrentPosition(double seconds) override;
    int PlayState() const override { return state_; }
    void Play() override;
    void Pause() override;
    void Stop() override;
    int ImageSourceWidth() const override { return loaded_ ? movie_.width : 0; }
    int ImageSourceHeight() const override { return loaded_ ? movie_.height : 0; }
    void ShowDialog(int dialog) override;
    int AudioStreamIndex() const override { return loaded_ ? audioStream : -1; }
    int VolumeLevel() const override { return volume_; }
    void SetVolumeLevel(int level) override;
    QWidget* VideoWidget() override;

  private:
    void SetState(int state);

    QMap<QString, Movie> movies_;
    Movie movie_;
    QString fileName_;
    QString error_;
    bool autoStart_ = true;
    bool loaded_ = false;
    int displayMode_ = kDisplayTime;
    double position_ = 0.0;
    int state_ = kPlayStopped;
    int volume_ = 100;
    QPointer<QWidget> widget_;  // parented by the video window; deleted with the player
};

}  // namespace kravelo
