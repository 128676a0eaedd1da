#include <gtest/gtest.h>
#include <mpv/client.h>

#include <QSignalSpy>
#include <QTest>

#include "player/mpv_player.h"
#include "player/test_movie.h"

using namespace kravelo;
using kravelo::test::TempDir;
using kravelo::test::TestMovie;

namespace {

MpvPlayer::Options Null() {
    MpvPlayer::Options o;
    o.nullOutput = true;
    return o;
}

}  // namespace

TEST(MpvPlayer, OpensAMovieWithItsFramesLengthAndPictureAndSeeksIt) {
    ASSERT_FALSE(TestMovie().empty()) << "ffmpeg could not make the test movie";
    MpvPlayer p(Null());
    ASSERT_TRUE(p.IsValid()) << p.ErrorDescription().toStdString();
    EXPECT_EQ(p.OpenState(), 0);

    p.SetAutoStart(false);
    p.SetFileName(QString::fromStdString(TestMovie()));
    ASSERT_NE(p.OpenState(), 0) << p.ErrorDescription().toStdString();
    EXPECT_EQ(p.PlayState(), kPlayStopped);
    p.SetDisplayMode(kDisplayFrames);
    EXPECT_EQ(p.Duration(), 250.0);
    p.SetDisplayMode(kDisplayTime);
    EXPECT_NEAR(p.Duration(), 10.04, 0.02);
    EXPECT_EQ(p.ImageSourceWidth(), 320);
    EXPECT_EQ(p.ImageSourceHeight(), 240);
    EXPECT_EQ(p.AudioStreamIndex(), 1);  // the sine, after the picture
    EXPECT_NEAR(p.CurrentPosition(), 0.0, 1e-9);

    // Seeks land on the asked frame.
    QSignalSpy jumps(&p, &MediaPlayer::PositionChange);

    for (double t : {4.0, 123 / 25.0, 1.0}) {
        p.SetCurrentPosition(t);
        // Until mpv has finished the seek the target is the position.
        EXPECT_DOUBLE_EQ(p.CurrentPosition(), t);
        ASSERT_TRUE(p.WaitForSeek());
        EXPECT_NEAR(p.ReportedPosition(), t, 1e-3);
        EXPECT_NEAR(p.CurrentPosition(), t, 1e-3);
    }
    ASSERT_EQ(jumps.count(), 3);
    EXPECT_NEAR(jumps[1][0].toDouble(), 4.0, 1e-3);  // old position
    EXPECT_NEAR(jumps[1][1].toDouble(), 4.92, 1e-9);

    // A negative time is the start, not a time counted from the end.
    p.SetCurrentPosition(-3.0);
    ASSERT_TRUE(p.WaitForSeek());
    EXPECT_NEAR(p.ReportedPosition(), 0.0, 1e-3);

    // Unloading.
    p.SetFileName("");
    EXPECT_EQ(p.OpenState(), 0);
    EXPECT_EQ(p.ImageSourceWidth(), 0);
}

TEST(MpvPlayer, PlaysToTheEndAndReportsStates) {
    ASSERT_FALSE(TestMovie().empty());
    MpvPlayer p(Null());
    QSignalSpy states(&p, &MediaPlayer::PlayStateChange);
    QSignalSpy ends(&p, &MediaPlayer::EndOfStream);
    p.SetAutoStart(true);
    p.SetFileName(QString::fromStdString(TestMovie()));
    ASSERT_NE(p.OpenState(), 0);
    EXPECT_EQ(p.PlayState(), kPlayPlaying);
    p.Pause();
    EXPECT_EQ(p.PlayState(), kPlayPaused);
    p.SetCurrentPosition(9.5);
    ASSERT_TRUE(p.WaitForSeek());
    p.Play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ends.count() > 0; }, 20000));
    EXPECT_EQ(p.PlayState(), kPlayStopped);
    ASSERT_GE(states.count(), 3);
    EXPECT_EQ(states.last()[0].toInt(), kPlayStopped);

    // Play after the end starts again from the beginning.
    p.Play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.ReportedPosition() < 5.0; }, 15000));
    p.Stop();
    EXPECT_EQ(p.PlayState(), kPlayStopped);

    // The volume bars' 0..255 is mpv's 0..100.
    double v = 0;
    p.SetVolumeLevel(51);
    mpv_get_property(p.Handle(), "volume", MPV_FORMAT_DOUBLE, &v);
    EXPECT_NEAR(v, 20.0, 1e-9);
}

TEST(MpvPlayer, AFileItCannotPlayGivesAnErrorDescription) {
    TempDir dir;
    MpvPlayer p(Null());
    const QString text = QString::fromStdString(dir.Write("notes.avi", std::string(4000, 'x')));
    p.SetFileName(text);
    EXPECT_EQ(p.OpenState(), 0);
    EXPECT_TRUE(p.ErrorDescription().contains("notes.avi")) << p.ErrorDescription().toStdString();
    EXPECT_EQ(p.Duration(), 0.0);

    const QString missing = QString::fromStdString(dir.File("missing.avi"));
    p.SetFileName(missing);
    EXPECT_EQ(p.OpenState(), 0);
    EXPECT_TRUE(p.ErrorDescription().contains("does not exist")) << p.ErrorDescription().toStdString();

    // A good movie after a bad one opens, and a bad one after it unloads it.
    ASSERT_FALSE(TestMovie().empty());
    p.SetFileName(QString::fromStdString(TestMovie()));
    EXPECT_NE(p.OpenState(), 0) << p.ErrorDescription().toStdString();
    p.SetFileName(text);
    EXPECT_EQ(p.OpenState(), 0);
}
