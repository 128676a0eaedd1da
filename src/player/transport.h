#pragma once
// Moving through the movie: seeks, jumps of seconds, minutes and frames, pause and play, and
// the transient coloured message over the picture that names what was done.
//
//     Transport transport(player, *formMP);
//     transport.messageText = [&](const char* key) { return prompts.Text("Messages", key); };
//     transport.frameRate = [&] { return session.State().frameRate; };
//     transport.Forward5();   // "5SecFrw" in green, position + 5 s

#include <QColor>
#include <QObject>
#include <QString>
#include <functional>

class QLabel;
class QTimer;

namespace kravelo {

class MediaPlayer;
class TFormMP;

// Transient message colours.
namespace message_color {
inline const QColor kGreen(0, 128, 0);
inline const QColor kRed(255, 0, 0);
inline const QColor kWhite(255, 255, 255);
inline const QColor kYellow(255, 255, 0);
inline const QColor kAqua(0, 255, 255);
}  // namespace message_color

class Transport : public QObject {
    Q_OBJECT
public:
    Transport(MediaPlayer& player, TFormMP& video, QObject* parent = nullptr);

    // The text of a Messages key of the language file.
    std::function<QString(const char* key)> messageText;
    // The frame rate frame steps use (1 frame per second when none is known).
    std::function<double()> frameRate;
    // Where messages appear (the full-screen message window); without one they show over the
    // picture.
    std::function<void(const QString& text, const QColor& color)> display;
    // The length of the loaded movie in seconds.
    double movieLength = 0.0;

    bool Loaded() const;
    double Position() const;
    // Seeks to a position; a negative one becomes 0.
    void Seek(double seconds);

    void PauseOrPlay();
    void Stop();
    void PlayFrom(double seconds);
    void Forward5();
    void Back5();
    // The user's own jumps, with their captions as messages.
    void JumpForward(double seconds, const QString& caption);
    void JumpBack(double seconds, const QString& caption);
    void ToStart();
    void ToEnd();
    void SecondForward();
    void MinuteForward();
    void MinuteBack();
    void FrameForward();
    void FrameBack();
    void ShowClock();

    void ShowMessage(const QString& text, const QColor& color);
    void ShowMessageKey(const char* key, const QColor& color);
    QString LastMessage() const { return lastMessage_; }
    QColor LastMessageColor() const { return lastMessageColor_; }

signals:
    // Playing on from a pause: the display starts again from the first line.
    void ResyncNeeded();

private:
    MediaPlayer& player_;
    QLabel* label_;
    QTimer* hideTimer_;
    QString lastMessage_;
    QColor lastMessageColor_;
};

}  // namespace kravelo
