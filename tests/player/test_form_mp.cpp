#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "player/fake_player.h"
#include "player/form_mp.h"

using namespace kravelo;

// The control strip drives the player and follows it; keys and clicks on the picture go to the
// main window.
TEST(TFormMP, ControlStripDrivesThePlayerAndThePictureReportsInput) {
    FakePlayer player;
    player.AddMovie("film.avi", {});
    TFormMP form(&player);
    form.resize(400, 300);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    player.SetAutoStart(false);
    player.SetFileName("film.avi");
    EXPECT_EQ(form.MediaPlayerNew1, player.VideoWidget());

    form.SpeedButtonPlayClick();
    EXPECT_EQ(player.PlayState(), kPlayPlaying);
    EXPECT_TRUE(form.TimerNapisyToFront->isActive());
    form.SpeedButtonPauseClick();
    EXPECT_TRUE(form.SpeedButtonPause->isChecked());
    player.SetPositionSilently(4.0);
    form.SpeedButtonStopClick();
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
// full-screen set in it, each placing the bottom row its elevation above the picture's bottom, and
// keeping it through a new layout.
TEST(TFormMP, SubtitleSettingsGiveTheFontsAndTheElevation) {
    // Colours are COLORREF (0x00BBGGRR); each style switch sets its bit.
    const SubtitleFont red = MakeSubtitleFont("DejaVu Sans", 18, 0x0000FF, false, true, true, true);
    const SubtitleFont blue = MakeSubtitleFont("DejaVu Serif", 26, 0xFF0000, true, false, false, false);
    EXPECT_EQ(red.color, QColor(255, 0, 0));
    EXPECT_TRUE(!red.font.bold() && red.font.italic() && red.font.underline() && red.font.strikeOut());
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
    EXPECT_EQ(subs.Window(3)->height(), QFontMetrics(red.font).height());
    form.resize(500, 360);
    EXPECT_EQ(subs.Window(3)->geometry().bottom() + 1, 360 - 40 - 12);  // above the control strip

    form.SetFullScreen(true);
    form.ApplySubtitleSettings(blue, red, 12, 3);
    EXPECT_EQ(subs.Label(3)->font().family(), "DejaVu Serif");
    EXPECT_EQ(subs.Window(3)->geometry().bottom() + 1, 360 - 3);  // no control strip
}
