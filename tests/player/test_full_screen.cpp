// Full screen on a scripted player and on a real movie: the switch and its way back, the
// display mode, the crop zoom, the control panel, progress and message windows, the full-screen
// keys, the volume, the properties box, the subtitle-font dialog and the modes of the
// editor-hidden player.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFontDialog>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "app/full_screen.h"
#include "app/subtitle_font_dialog.h"
#include "app/view_modes.h"
#include "platform/display_modes.h"
#include "player/control_panel.h"
#include "player/display_timer.h"
#include "player/form_mp.h"
#include "player/full_screen_windows.h"
#include "player/movie_window.h"
#include "player/mpv_player.h"
#include "player/test_movie.h"
#include "player/transport.h"
#include "ui/command_names.h"

using namespace kravelo;
namespace fs = std::filesystem;

namespace {

class FullScreenTest : public test::MovieWindowTest {
protected:
    ~FullScreenTest() override {
        // The window and its movie side go before the display modes and the player they hold.
        movie.reset();
        window.reset();
    }
    void Start(MediaPlayer& p, const std::string& settings) {
        MovieWindowTest::Start(p, "AutoFullScreen=0\r\nAutoFullScreenMenu=0\r\n" + settings);
        modes.modes = {{1024, 768, 24, 60}, {800, 600, 24, 75}, {640, 480, 16, 60}};
        modes.current = {1024, 768, 24, 60};
        Full().SetDisplayModes(&modes);
    }
    FullScreenController& Full() { return movie->Full(); }
    void Key(int key, Qt::KeyboardModifiers m = Qt::NoModifier) { movie->KeyCommand(key, m); }

    FakeDisplayModes modes;
    std::unique_ptr<MpvPlayer> mpv;  // the real player, when a test makes one
};

// In and out of full screen with a display-mode change: the window, editor and splitter come
// back as they were, and so does the display mode with its refresh rate.
TEST_F(FullScreenTest, SwitchChangesTheModeAndGivesEverythingBack) {
    if (!test::CanShowVideo()) GTEST_SKIP() << "needs the xcb platform (xvfb-run)";
    player.AddMovie("film.avi", {250, 10.0, 640, 272});
    Start(player, "EditorEnabled=1\r\nZoom=0\r\n[Resolution]\r\nKindOfResChange=1\r\n");
    movie->Movie().Open("film.avi", false, false, true);
    window->Splitter()->setSizes({300, 180});
    const QRect geometry = window->geometry();
    const QList<int> sizes = window->Splitter()->sizes();
    TFormMP* mp = movie->FormMP();

    window->Action(cmd::kFullScreen)->trigger();
    ASSERT_TRUE(Full().FullScreen());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(mp->parentWidget(), Full().Host());
    EXPECT_EQ(modes.current, (DisplayMode{800, 600, 24, 75}));
    EXPECT_EQ(Full().ControlPanel()->LabelVRes->text(), "800x600x24");
    EXPECT_EQ(movie->Movie().Timer()->interval(), 500);
    // The progress window shows in mode 1, with the time and the track.
    TFormFSProgress* progress = Full().Progress();
    EXPECT_TRUE(progress->ProgressShown());
    Full().ShowTimeDisplay(5.0);
    EXPECT_EQ(progress->LabelCurrent->text(), "0:00:05");
    EXPECT_EQ(progress->PanelProgressTrack->width(), 75);

    Key(Qt::Key_Escape);
    EXPECT_FALSE(Full().FullScreen());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->geometry(), geometry);
    EXPECT_EQ(window->Splitter()->sizes(), sizes);
    EXPECT_EQ(mp->parentWidget(), window->PanelMP());
    EXPECT_TRUE(mp->PanelControl->isVisible());
    EXPECT_EQ(modes.current, (DisplayMode{1024, 768, 24, 60}));
    EXPECT_EQ(movie->Movie().Timer()->interval(), 100);
    // Outside full screen the status bar's panel 2 has the clock with milliseconds.
    Full().ShowTimeDisplay(3725.5);
    EXPECT_EQ(window->StatusPanel(2)->text(), "1:02:05.500");

    // A display that refuses the change: nothing counts as changed, nothing is restored.
    modes.refuse = true;
    Full().SetFullScreen(true);
    EXPECT_FALSE(Full().ModeChanged());
    const int attempts = modes.changes;
    Full().SetFullScreen(false);
    EXPECT_EQ(modes.changes, attempts);
    EXPECT_EQ(modes.current, (DisplayMode{1024, 768, 24, 60}));
}

// The keys of full screen, the control panel and the messages.
TEST_F(FullScreenTest, KeysPanelProgressAndMessages) {
    if (!test::CanShowVideo()) GTEST_SKIP() << "needs the xcb platform (xvfb-run)";
    player.AddMovie("film.avi", {250, 10.0, 480, 640});  // portrait
    Start(player, "EditorEnabled=1\r\nZoom=20\r\nMessageBoxPos=2\r\n");
    movie->Movie().Open("film.avi", false, false, true);
    Full().SetFullScreen(true);
    TFormMP* mp = movie->FormMP();
    // The zoom crops: the video window reaches past the screen's edges.
    const int w = Full().Host()->width();
    EXPECT_EQ(mp->x(), -(w / 5) / 2);

    // T: mode 1 → 2 → 3 → 0 → hidden → shown in mode 1.
    TFormFSProgress* progress = Full().Progress();
    for (int i = 0; i < 4; ++i) Key(Qt::Key_T);
    EXPECT_FALSE(progress->ProgressShown());
    EXPECT_FALSE(window->GetSettings().TimePosOnFullScreen);
    Key(Qt::Key_T);
    EXPECT_TRUE(progress->ProgressShown());
    EXPECT_EQ(progress->ProgressMode(), 1);

    // The message window sits at the right.
    TFormMessage* message = Full().Message();
    EXPECT_TRUE(message->isVisible());
    EXPECT_EQ(message->x() + message->LabelZoom->width() + 20, w);

    // C opens the control panel (an open window), Esc closes it, the second Esc leaves.
    TFormControlPanel* panel = Full().ControlPanel();
    Key(Qt::Key_C);
    EXPECT_EQ(window->OpenDialogs().Value(), 1);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(window->OpenDialogs().Value(), 0);

    // + moves the zoom by 3, PgUp the volume by 12, Ctrl+PgUp the font by 1, S the shutdown
    // switch.
    Key(Qt::Key_Plus);
    EXPECT_EQ(window->GetSettings().Zoom, 23);
    EXPECT_EQ(movie->GetTransport().LastMessage(), "Zoom 23%");
    Key(Qt::Key_PageUp);
    EXPECT_EQ(player.VolumeLevel(), 112);
    EXPECT_EQ(movie->GetTransport().LastMessage(), "Volume 43%");
    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(mp->Subtitles->LabelFS.font.pointSize(), 23);
    // The sample sits on the bottom of the screen, not of the zoomed window.
    QWidget* bottom = mp->Subtitles->Window(3);
    EXPECT_EQ(bottom->mapTo(Full().Host(), QPoint(0, bottom->height())).y(), Full().Host()->height());
    Key(Qt::Key_S);
    EXPECT_TRUE(movie->Movie().ShutdownAfterMovie());
    Key(Qt::Key_S);

    // No messages with MessageBoxPos 0; none outside full screen either.
    message->hide();
    window->GetSettings().MessageBoxPos = 0;
    Key(Qt::Key_Right);
    EXPECT_FALSE(message->isVisible());
    window->GetSettings().MessageBoxPos = 1;
    Full().SetFullScreen(false);
    window->Action(cmd::kForward5)->trigger();
    EXPECT_FALSE(message->isVisible());
    // The volume the panel had goes back to the video window's bar.
    EXPECT_EQ(mp->KvTrackBarVolume->Position(), 112);
}

// The properties come from the player in a box, without moving the mouse; the pop-up menu of
// the video window holds its items.
TEST_F(FullScreenTest, PropertiesAndVideoMenu) {
    player.AddMovie("film.avi", {});
    Start(player, "EditorEnabled=1\r\n");
    movie->Movie().Open("film.avi", false, false, true);
    const QPoint mouse = QCursor::pos();
    window->Action(cmd::kMovieProperties)->trigger();
    ASSERT_FALSE(prompter.boxes.empty());
    EXPECT_EQ(prompter.boxes.back().text, "film.avi");
    EXPECT_EQ(QCursor::pos(), mouse);
    QMenu* menu = player.PopupMenu();
    ASSERT_NE(menu, nullptr);
    QStringList names;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) names << a->objectName();
    EXPECT_EQ(names, QStringList({"Otwzplikwideo1", "Pau1", "Skoczdoklatki1", "Waciwociplikuwideo1",
                                  "Trybpelonoera1", "MenuMediaPlayera1"}));
    window->Action(cmd::kPlayerMenu)->trigger();
    EXPECT_EQ(player.log.last(), "Menu");
}

// Apply previews a font; Cancel gives back the one before, on the windows and in the settings.
TEST_F(FullScreenTest, FontDialogCancelAfterApplyKeepsTheFontBefore) {
    Start(player, "EditorEnabled=1\r\n");
    SubtitleWindows* subs = movie->FormMP()->Subtitles;
    int previewed = 0;
    prompter.Dialog("FormSubtitleFont", [&](QDialog& d) {
        auto& dialog = static_cast<TFormSubtitleFont&>(d);
        QFont f = dialog.FontChooser->currentFont();
        f.setPointSize(40);
        dialog.FontChooser->setCurrentFont(f);
        dialog.ButtonApply->click();
        previewed = subs->LabelFS.font.pointSize();
    });
    window->Action(cmd::kFontFullScreen)->trigger();
    EXPECT_EQ(previewed, 40);
    EXPECT_EQ(subs->LabelFS.font.pointSize(), 22);
    EXPECT_EQ(window->GetSettings().FontFullScreen.Size, 22);

    // OK keeps the windowed font, sized within 6..100, and stores it.
    prompter.Dialog("FormSubtitleFont", [&](QDialog& d) {
        auto& dialog = static_cast<TFormSubtitleFont&>(d);
        QFont f = dialog.FontChooser->currentFont();
        f.setPointSize(130);
        dialog.FontChooser->setCurrentFont(f);
        dialog.SetColor(QColor(255, 255, 0));
        dialog.ButtonOK->click();
    });
    window->Action(cmd::kFontWindow)->trigger();
    EXPECT_EQ(window->GetSettings().FontWindow.Size, 100);
    EXPECT_EQ(window->GetSettings().FontWindow.Color, 0x00FFFF);
    EXPECT_EQ(subs->Label(3)->font().pointSize(), 100);  // the window set is the current one
}

// With the editor hidden the player's keys work, the hints name them, and the window-size zoom
// sizes the window by the picture.
TEST_F(FullScreenTest, EditorHiddenPlayerKeysHintsAndZoom) {
    player.AddMovie("film.avi", {250, 10.0, 641, 481});
    Start(player, "EditorEnabled=0\r\nAutoPlayMovie=0\r\n");
    movie->Movie().Open("film.avi", false, false, true);
    TFormMP* mp = movie->FormMP();
    EXPECT_EQ(mp->SpeedButtonPlay->toolTip(), "Play (Spacja)");
    Key(Qt::Key_Space);
    EXPECT_EQ(player.PlayState(), kPlayPlaying);
    Key(Qt::Key_N);
    EXPECT_TRUE(movie->DisplayOn());
    Key(Qt::Key_R);
    EXPECT_TRUE(mp->SpeedButtonRepeat->isChecked());

    window->Action(cmd::kZoom100)->trigger();
    EXPECT_EQ(window->size(), QSize(641, 481 + 90));

    window->Action(cmd::kShowEditor)->trigger();
    EXPECT_EQ(mp->SpeedButtonPlay->toolTip(), "Play (Ctrl+L)");

    // Esc leaves compact mode outside full screen.
    window->Views().ToggleCompact();
    Key(Qt::Key_Escape);
    EXPECT_FALSE(window->GetSettings().CompactMode);
    EXPECT_TRUE(window->EditorShown());
}

// The automatic switch: deferred after a command-line movie, at once after a dropped one.
TEST_F(FullScreenTest, AutomaticSwitchAfterOpening) {
    if (!test::CanShowVideo()) GTEST_SKIP() << "needs the xcb platform (xvfb-run)";
    const std::string film = dir.Write("film.avi", "");
    player.AddMovie(QString::fromStdString(film), {});
    Start(player, "EditorEnabled=1\r\n");
    window->GetSettings().AutoFullScreen = true;
    window->SetCommandLine({QString::fromStdString(film)});
    window->TimerOpenVideoTimer();
    EXPECT_TRUE(Full().TimerAutoFS()->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Full().FullScreen(); }, 5000));
    Full().SetFullScreen(false);

    window->GetSettings().AutoFullScreenMenu = true;
    window->DropFiles({QString::fromStdString(film)});
    EXPECT_TRUE(Full().FullScreen());
    // The exit key leaves full screen before the window closes.
    Key(Qt::Key_QuoteLeft);
    EXPECT_FALSE(Full().FullScreen());
}

// The real player on a generated movie: the open command finds its subtitles beside it and plays
// it, the picture is drawn with the subtitles over it; the movie goes full screen and back in both
// languages, drawn and playing on in either window, the control panel opens and closes, and the
// editor has the keys again; closing the movie forgets it. Screenshots go to /tmp/shots-fullscreen.
TEST_F(FullScreenTest, RealMovieFullScreenAndBack) {
    if (!test::CanShowVideo()) GTEST_SKIP() << "needs the xcb platform (xvfb-run)";
    const std::string film = test::TestMovie();
    ASSERT_FALSE(film.empty()) << "ffmpeg could not make the test movie";
    const std::string sub = fs::path(film).replace_extension(".txt").string();
    std::ofstream(sub, std::ios::binary) << "{0}{250}Napis przez caly film|/druga linia\r\n";
    MpvPlayer::Options options;
    options.silent = true;
    mpv = std::make_unique<MpvPlayer>(options);
    Start(*mpv, "EditorEnabled=1\r\nAutoPlayMovie=1\r\nZoom=0\r\n");
    prompter.openAnswers.push_back(test::Q(film));
    window->Action("Otwrzplikwideo1")->trigger();
    ASSERT_TRUE(window->MovieLoaded()) << mpv->ErrorDescription().toStdString();
    EXPECT_TRUE(window->StatusPanel(4)->text().startsWith("film1.avi     (320x240  25 fps)     "));
    EXPECT_EQ(window->LabelFileName()->text(), test::Q(sub));
    ASSERT_TRUE(movie->DisplayOn());
    ASSERT_TRUE(QTest::qWaitFor([&] { return mpv->PlayState() == kPlayPlaying; }, 5000));
    window->Editor()->setFocus();
    TFormMP* mp = movie->FormMP();
    SubtitleWindows* subs = mp->Subtitles;
    auto shown = [&] {
        movie->Display()->TimerNapisyTimer();
        return subs->Label(3)->text().trimmed() == "druga linia" && subs->Window(3)->width() > 0;
    };
    ASSERT_TRUE(QTest::qWaitFor(shown, 5000));
    // The test pattern is drawn in `w`, not black.
    auto drawn = [](QWidget* w) {
        return QTest::qWaitFor(
            [w] {
                return w->grab().toImage().pixelColor(w->width() / 2, w->height() / 3) != QColor(Qt::black);
            },
            5000);
    };
    // Over the picture the subtitle is light text on a black strip.
    ASSERT_TRUE(drawn(mp));
    const QImage shot = mp->grab().toImage();
    const QRect row = subs->Window(3)->geometry();
    int light = 0;
    for (int x = row.left(); x <= row.right(); ++x)
        light += shot.pixelColor(x, row.center().y()).lightness() > 200;
    EXPECT_GT(light, 5);
    EXPECT_EQ(shot.pixelColor(row.topLeft()), QColor(Qt::black));

    const QString shots = QStringLiteral("/tmp/shots-fullscreen");
    QDir().mkpath(shots);
    for (const char* language : {"english.klg", "polski.klg"}) {
        window->GetLanguage().LoadLanguage(language);
        const QString tag = QString::fromLatin1(language).left(2);
        // From the start, so the movie plays throughout.
        mpv->SetCurrentPosition(0.0);
        ASSERT_TRUE(mpv->WaitForSeek());
        mpv->Play();
        QElapsedTimer clock;
        clock.start();
        Full().SetFullScreen(true);
        const double switchMs = clock.nsecsElapsed() / 1e6;
        QApplication::processEvents();
        const double enterMs = clock.nsecsElapsed() / 1e6;
        QWidget* host = Full().Host();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(host));
        EXPECT_EQ(host->geometry(), host->screen()->geometry());
        EXPECT_EQ(movie->FormMP()->geometry(), QRect(QPoint(0, 0), host->size()));
        // The subtitle sits on the bottom of the screen (no control strip, elevation 0).
        ASSERT_TRUE(QTest::qWaitFor(shown, 5000));
        QWidget* bottom = subs->Window(3);
        EXPECT_EQ(bottom->mapTo(host, QPoint(0, bottom->height())).y(), host->height());
        // The picture, moved into another window, is drawn there, and the movie plays on.
        EXPECT_TRUE(drawn(host));
        EXPECT_TRUE(QTest::qWaitFor([&] { return mpv->ReportedPosition() > 0.5; }, 5000));
        host->grab().save(shots + "/fullscreen_" + tag + ".png");

        Key(Qt::Key_C);
        Full().ControlPanel()->grab().save(shots + "/control_panel_" + tag + ".png");
        host->grab().save(shots + "/fullscreen_panel_" + tag + ".png");
        Full().Progress()->grab().save(shots + "/progress_" + tag + ".png");
        Key(Qt::Key_Escape);

        clock.restart();
        Key(Qt::Key_Escape);
        const double backMs = clock.nsecsElapsed() / 1e6;
        QApplication::processEvents();
        const double leaveMs = clock.nsecsElapsed() / 1e6;
        std::cout << "[ figures ] full screen " << tag.toStdString() << ": enter " << enterMs << " ms (switch "
                  << switchMs << "), leave " << leaveMs << " ms (switch " << backMs << ")\n";
        EXPECT_FALSE(Full().FullScreen());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->Editor()->hasFocus(); }, 2000));
        // Back in the window the picture is drawn, and the subtitle over it above the control strip.
        ASSERT_TRUE(QTest::qWaitFor(shown, 5000));
        EXPECT_TRUE(drawn(mp));
        EXPECT_EQ(bottom->mapTo(mp, QPoint(0, bottom->height())).y(),
                  mp->height() - mp->PanelControl->height() - window->GetSettings().SubtitlesElevation);
        window->grab().save(shots + "/window_after_" + tag + ".png");
    }

    // Closing the movie: no movie, no marker, the remembered movie forgotten.
    window->Action("Zamknijplikwideo1")->trigger();
    EXPECT_FALSE(window->MovieLoaded());
    EXPECT_FALSE(movie->DisplayOn());
    EXPECT_TRUE(window->GetSettings().LastMovieFile.empty());
    EXPECT_TRUE(movie->Movie().Marker().RegisteredProgram().empty());
}

}  // namespace
