#pragma once
// The movie side of the main window: puts the video window with its player into PanelMP, runs
// the subtitle display over it, and adds the movie commands (navigation, stamping, the display
// switch, the jump dialog) and the player's keys to the window's command table. The movie itself
// is kept by `MovieSession`, the moves through it by `Transport`.
// The player must outlive the window; the controller goes before the window.
//
//     MpvPlayer player;
//     LogindPowerOff powerOff;
//     MainWindow window(paths);
//     MovieSideController movie(window, player, powerOff);   // before window.show()
//     window.show();

#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "app/form_sub_not_sorted.h"
#include "app/movie_session.h"
#include "ops/dialogs/jump_dialog.h"
#include "platform/xdg_paths.h"

namespace kravelo {

class ChapterCommands;
class DelayCommands;
class FullScreenController;
class SyncCommands;
class SkinCommands;
class MainWindow;
class MediaPlayer;
class PowerOff;
class SubtitleDisplayTimer;
class TFormMP;
class Transport;

class MovieSideController : public QObject {
    Q_OBJECT
public:
    MovieSideController(MainWindow& window, MediaPlayer& player, PowerOff& powerOff,
                        std::string programPath = {}, std::string configHome = XdgConfigHome());
    ~MovieSideController() override;

    MediaPlayer& Player() { return player_; }
    TFormMP* FormMP() const { return formMP_; }
    SubtitleDisplayTimer* Display() const { return display_; }
    Transport& GetTransport() { return *transport_; }
    MovieSession& Movie() { return *movie_; }
    TFormPytanie05SkokDo& JumpDialog() { return *jump_; }
    DelayCommands& Delay() { return *delay_; }
    FullScreenController& Full() { return *fullScreen_; }
    // Keys pressed in another top-level window of the program (full screen) reach the
    // dispatcher too.
    void AddKeyWindow(QWidget* window) { keyWindows_.push_back(window); }
    SyncCommands& Sync() { return *sync_; }
    ChapterCommands& Chapters() { return *chapters_; }
    SkinCommands& Skins() { return *skins_; }

    // --- Display.
    void DisplaySwitch();  // Shift+Ctrl+N
    bool DisplayOn() const;

    // --- Navigation and stamping.
    void StampStart();
    void StampEnd();
    void GoToLineForPosition();
    void PlayFromLine();
    void JumpToCommand();
    // The keyboard dispatcher: the player's keys of the command table; never consumes the key.
    void KeyCommand(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RegisterCommands();
    // The video window's hints name the keys of the current mode.
    void SetModeHints(bool editorShown);
    void Stamp(bool start);
    QString UserJumpCaption(bool forward) const;
    // A movie is loaded and a frame rate known (asked for when none is).
    bool ReadyWithFrameRate();

    MainWindow& window_;
    MediaPlayer& player_;
    TFormMP* formMP_ = nullptr;
    SubtitleDisplayTimer* display_ = nullptr;
    Transport* transport_ = nullptr;
    MovieSession* movie_ = nullptr;
    TFormPytanie05SkokDo* jump_ = nullptr;
    DelayCommands* delay_ = nullptr;
    FullScreenController* fullScreen_ = nullptr;
    std::vector<QWidget*> keyWindows_;
    SyncCommands* sync_ = nullptr;
    ChapterCommands* chapters_ = nullptr;
    SkinCommands* skins_ = nullptr;
    // Without a parent: its texts come with each showing, not from the window's language section.
    std::unique_ptr<TFormSubNotSorted> notSorted_;
};

}  // namespace kravelo
