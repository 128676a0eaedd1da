#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "player/display_timer.h"
#include "player/fake_player.h"
#include "player/form_mp.h"
#include "player/mpv_player.h"
#include "player/test_movie.h"

using namespace kravelo;
using kravelo::test::CanShowVideo;
using kravelo::test::TestMovie;

TEST(TFormMP, ControlStripDrivesThePlayer) {
    FakePlayer player;
    player.AddMovie("film.avi", {});
    TFormMP form(&player);
    form.resize(400, 300);
    form.show();
    player.SetAutoStart(false);
    player.SetFileName("film.avi");
    EXPECT_EQ(form.MediaPlayerNew1, player.VideoWidget());

    form.SpeedButtonPlayClick();
    EXPECT_EQ(player.PlayState(), kPlayPlaying);
    EXPECT_TRUE(form.SpeedButtonPlay->isChecked());
    EXPECT_TRUE(form.TimerNapisyToFront->isActive());
    form.SpeedButtonPauseClick();
    EXPECT_TRUE(form.SpeedButtonPause->isChecked());
    player.SetPositionSilently(4.0);
    form.SpeedButtonStopClick();
    EXPECT_TRUE(form.SpeedButtonStop->isChecked());
    EXPECT_EQ(player.log.mid(player.log.size() - 2), (QStringList{"Stop", "Seek 0"}));

    // At the end, play starts from the beginning.
    player.SetPositionSilently(10.0);
    form.SpeedButtonPlayClick();
    EXPECT_EQ(player.log.mid(player.log.size() - 2), (QStringList{"Seek 0", "Play"}));

    // The position bar counts deciseconds; code moves of it do not seek.
    form.KvTrackBarTrack->setMaxValue(100);
    form.KvTrackBarTrack->setPos(50);
    EXPECT_NE(player.log.last(), "Seek 5");
    form.KvTrackBarTrack->setPos(40);
    form.KvTrackBarTrack->TrackSendEvent();
    EXPECT_EQ(player.log.last(), "Seek 4");

    // The volume bar sets the player's volume, from code too.
    QSignalSpy volume(&form, &TFormMP::VolumeChanged);
    form.KvTrackBarVolume->setPos(200);
    EXPECT_EQ(player.VolumeLevel(), 200);
    ASSERT_EQ(volume.count(), 1);

    QSignalSpy repeat(&form, &TFormMP::RepeatClicked);
    form.SpeedButtonRepeat->click();
    ASSERT_EQ(repeat.count(), 1);
    EXPECT_TRUE(repeat[0][0].toBool());

    // The player's state changes press the matching button.
    player.Play();
    EXPECT_TRUE(form.SpeedButtonPlay->isChecked());
}

TEST(TFormMP, KeysAndClicksOnThePicture) {
    FakePlayer player;
    TFormMP form(&player);
    form.resize(400, 300);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    qRegisterMetaType<QKeyEvent*>();
    QSignalSpy keys(&form, &TFormMP::KeyPressed);
    QSignalSpy activate(&form, &TFormMP::ActivateMainWindow);
    QTest::keyClick(form.MediaPlayerNew1, Qt::Key_Space);
    QTest::keyClick(form.Subtitles->Window(3), Qt::Key_N);
    EXPECT_EQ(keys.count(), 2);
    QTest::mouseClick(form.MediaPlayerNew1, Qt::LeftButton);
    QTest::mouseClick(form.ImageControl, Qt::LeftButton, {}, QPoint(200, 35));
    EXPECT_GE(activate.count(), 2);
}

// The subtitle fonts and elevations of the settings: the window set outside full screen, the
// full-screen set in it, each placing the bottom row its elevation above the picture's bottom.
TEST(TFormMP, SubtitleSettingsGiveTheFontsAndTheElevation) {
    // Colours are COLORREF (0x00BBGGRR); each style switch sets its bit.
    const SubtitleFont red = MakeSubtitleFont("DejaVu Sans", 18, 0x0000FF, false, true, true, true);
    EXPECT_EQ(red.font.pointSize(), 18);
    EXPECT_EQ(red.color, QColor(255, 0, 0));
    EXPECT_TRUE(!red.font.bold() && red.font.italic() && red.font.underline() && red.font.strikeOut());
    struct {
        std::string Name = "DejaVu Serif";
        int Size = 26;
        int Color = 0xFF0000;
        bool Bold = true, Italic = false, Underline = false, StrikeOut = false;
    } fields;
    const SubtitleFont blue = SubtitleFontOf(fields);
    EXPECT_EQ(blue.font.family(), "DejaVu Serif");
    EXPECT_EQ(blue.color, QColor(0, 0, 255));
    EXPECT_TRUE(blue.font.bold() && !blue.font.italic() && !blue.font.underline() && !blue.font.strikeOut());

    FakePlayer player;
    TFormMP form(&player);
    form.resize(400, 300);
    form.show();
    form.ApplySubtitleSettings(blue, red, 12, 3);
    SubtitleWindows& subs = *form.Subtitles;
    EXPECT_EQ(subs.Label(3)->font().family(), "DejaVu Sans");
    subs.RenderSubtitle(QStringLiteral("Pierwszy|Drugi"), false, false, false);
    subs.SetSubtitleWindowsVisible(true, false);
    const int rowHeight = QFontMetrics(red.font).height();
    EXPECT_EQ(subs.Window(3)->height(), rowHeight);
    EXPECT_EQ(subs.Window(3)->geometry().bottom() + 1, 300 - 40 - 12);  // above the control strip
    EXPECT_EQ(subs.Window(2)->geometry().bottom() + 1, subs.Window(3)->y());
    // The elevation stays through a new layout.
    form.resize(500, 360);
    EXPECT_EQ(subs.Window(3)->geometry().bottom() + 1, 360 - 40 - 12);

    form.SetFullScreen(true);
    form.ApplySubtitleSettings(blue, red, 12, 3);
    EXPECT_EQ(subs.Label(3)->font().family(), "DejaVu Serif");
    EXPECT_EQ(subs.Window(3)->geometry().bottom() + 1, 360 - 3);  // no control strip
}

// Plays the generated movie in the video window with a subtitle over it and saves a screenshot
// (/tmp/kravelo-video-window.png) for a person to look at.
TEST(TFormMP, ShowsTheMovieWithASubtitleOverIt) {
    if (!CanShowVideo()) GTEST_SKIP() << "needs the xcb platform (run under xvfb-run)";
    ASSERT_FALSE(TestMovie().empty());
    MpvPlayer::Options o;
    o.silent = true;
    MpvPlayer player(o);
    ASSERT_TRUE(player.IsValid());
    TFormMP form(&player);
    form.resize(480, 400);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(200);

    player.SetAutoStart(false);
    player.SetFileName(QString::fromStdString(TestMovie()));
    ASSERT_NE(player.OpenState(), 0) << player.ErrorDescription().toStdString();
    form.SetLogoVisible(false);
    form.KvTrackBarTrack->setMaxValue(100);

    std::vector<std::string> lines = {"{50}{100}Pierwszy napis",
                                      "{125}{200}/Kursywa na górze|i zwykły wiersz & znak"};
    SubtitleDisplayTimer display(&player, form.Subtitles);
    display.Source = [&] { return DisplayInput{&lines, 25.0, nullptr, 0.0, 10.04}; };
    form.Subtitles->LabelW.font = QFont("DejaVu Sans", 14, QFont::Bold);
    form.Subtitles->ApplySubtitleFonts(false, 1, false);
    display.SetDisplayOn(true);

    player.SetCurrentPosition(6.0);
    ASSERT_TRUE(player.WaitForSeek());
    QTest::qWait(500);  // the edit delay, then the display rebuilds at 6.0
    EXPECT_EQ(form.Subtitles->Label(2)->text(), " Kursywa na górze ");
    EXPECT_GT(form.Subtitles->Window(3)->width(), 0);
    form.KvTrackBarTrack->setPos(60);

    const QImage shot = form.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    shot.save(QDir::temp().filePath("kravelo-video-window.png"));
    // The picture is there (testsrc is colourful, not black) and the subtitle strip is black
    // with light text.
    const QColor centre = shot.pixelColor(240, 80);
    EXPECT_GT(centre.red() + centre.green() + centre.blue(), 100);
    const QRect strip = form.Subtitles->Window(3)->geometry();
    int light = 0;
    for (int x = strip.left(); x <= strip.right(); ++x)
        if (shot.pixelColor(x, strip.center().y()).lightness() > 200) ++light;
    EXPECT_GT(light, 5);
    EXPECT_EQ(shot.pixelColor(strip.left(), strip.top()), QColor(Qt::black));
}

// Going full screen moves the video window to another top-level window: the OpenGL context
// is made anew, and mpv must draw the picture into the new one.
TEST(TFormMP, PictureSurvivesMovingToAnotherWindow) {
    if (!CanShowVideo()) GTEST_SKIP() << "needs the xcb platform (run under xvfb-run)";
    ASSERT_FALSE(TestMovie().empty());
    MpvPlayer::Options o;
    o.silent = true;
    MpvPlayer player(o);
    QWidget first;
    first.resize(400, 340);
    auto* form = new TFormMP(&player, &first);
    form->setGeometry(0, 0, 400, 340);
    first.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&first));
    player.SetAutoStart(false);
    player.SetFileName(QString::fromStdString(TestMovie()));
    ASSERT_NE(player.OpenState(), 0);
    form->SetLogoVisible(false);
    player.SetCurrentPosition(2.0);
    ASSERT_TRUE(player.WaitForSeek());

    auto pictureShows = [&] {
        const QImage shot = form->grab().toImage();
        const QColor c = shot.pixelColor(shot.width() / 2, 60);
        return c.red() + c.green() + c.blue() > 100;
    };
    EXPECT_TRUE(QTest::qWaitFor(pictureShows, 15000));

    QWidget second;
    second.resize(500, 400);
    form->setParent(&second);
    form->setGeometry(0, 0, 500, 400);
    second.show();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));
    EXPECT_TRUE(QTest::qWaitFor(pictureShows, 15000));
    // Playing goes on in the new window.
    player.Play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return player.ReportedPosition() > 2.5; }, 15000));
    player.Pause();
    EXPECT_TRUE(QTest::qWaitFor(pictureShows, 15000));
    form->grab().save(QDir::temp().filePath("kravelo-video-window-moved.png"));
}
