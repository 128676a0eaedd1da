#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "player/display_timer.h"
#include "player/fake_player.h"

using namespace kravelo;

namespace {

// The display over a fake player and subtitle windows on a plain widget.
struct Rig {
    QWidget video;
    FakePlayer player;
    SubtitleWindows* windows;
    SubtitleDisplayTimer display;
    std::vector<std::string> lines;
    int notices = 0;

    explicit Rig(std::vector<std::string> l)
        : windows(new SubtitleWindows(&video)), display(&player, windows), lines(std::move(l)) {
        video.resize(640, 480);
        windows->ApplySubtitleFonts(false, 0, false);
        player.AddMovie("film.avi", FakePlayer::Movie{2500, 100.0, 640, 480});
        player.SetFileName("film.avi");
        display.Source = [this] { return DisplayInput{&lines, 25.0, nullptr, 0.0, 100.0}; };
        display.ShowNotSortedNotice = [this] {
            ++notices;
            // The notice is modal: the display is stopped and the movie paused meanwhile.
            EXPECT_FALSE(display.TimerNapisy->isActive());
            EXPECT_EQ(player.PlayState(), kPlayPaused);
        };
        display.SetDisplayOn(true);
    }
    // Moves the movie on as playing does and runs one tick.
    QString At(double t) {
        player.SetPositionSilently(t);
        display.TimerNapisyTimer();
        return Shown();
    }
    // The rows on screen, joined with "|" (empty when hidden).
    QString Shown() const {
        QStringList rows;
        for (int i = 1; i <= 3; ++i)
            if (windows->Window(i)->width() > 0) rows << windows->Label(i)->text().trimmed();
        return rows.join('|');
    }
};

}  // namespace

TEST(SubtitleDisplayTimer, ShowsAndHidesWithThePosition) {
    Rig r({"{125}{0}0123456789", "", "{0}{0}", "[70][80]Druga|linia"});
    EXPECT_EQ(r.At(5.0), "0123456789");
    EXPECT_EQ(r.At(7.0), "Druga|linia");  // cut at the next start, shown in the same tick
    EXPECT_EQ(r.At(8.0), "");

    // Switching the display off hides the subtitle and stops the tick.
    r.display.RequestResync();
    EXPECT_EQ(r.At(7.5), "Druga|linia");
    r.display.SetDisplayOn(false);
    EXPECT_EQ(r.Shown(), "");
    EXPECT_FALSE(r.display.TimerNapisy->isActive());
}

TEST(SubtitleDisplayTimer, SeekBackwardsResyncsAfterTheEditDelay) {
    Rig r({"[10][30]Pierwszy", "[50][70]Drugi"});
    r.display.Options.DelaySubtitleOn = 30;
    EXPECT_EQ(r.At(6.0), "Drugi");

    r.player.SetCurrentPosition(1.5);  // raises PositionChange
    // Until the delay has passed the display stays as it was.
    r.display.TimerNapisyTimer();
    EXPECT_EQ(r.Shown(), "Drugi");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !r.display.TimerNowyTekst->isActive(); }, 10000));
    r.display.TimerNapisyTimer();
    EXPECT_EQ(r.Shown(), "Pierwszy");

    // While closing, seeks do not start the delay.
    r.display.Closing = true;
    r.player.SetCurrentPosition(9.0);
    EXPECT_FALSE(r.display.TimerNowyTekst->isActive());
}

TEST(SubtitleDisplayTimer, UnsortedNoticePausesAndResumes) {
    Rig r({"[10][20]A", "[50][60]C", "[30][40]B"});
    r.display.Options.InfoNotSortSub = true;
    r.player.Play();
    r.At(1.0);
    r.At(2.0);  // C becomes current with B before it
    EXPECT_EQ(r.notices, 1);
    EXPECT_EQ(r.player.PlayState(), kPlayPlaying);
    EXPECT_TRUE(r.display.TimerNapisy->isActive());
    EXPECT_EQ(r.player.log.filter("Pause").size(), 1);

    // Paused movies stay paused; with the notice switched off nothing is shown.
    Rig q({"[10][20]A", "[50][60]C", "[30][40]B"});
    q.display.Options.InfoNotSortSub = false;
    q.At(1.0);
    q.At(2.0);
    EXPECT_EQ(q.notices, 0);
    Rig p({"[10][20]A", "[50][60]C", "[30][40]B"});
    p.display.Options.InfoNotSortSub = true;
    p.player.Pause();
    p.At(1.0);
    p.display.ShowNotSortedNotice = [&] { ++p.notices; };
    p.At(2.0);
    EXPECT_EQ(p.notices, 1);
    EXPECT_EQ(p.player.PlayState(), kPlayPaused);
    EXPECT_EQ(p.player.log.filter("Play").size(), 0);
}

TEST(SubtitleDisplayTimer, TransparentModeAndTheChaptersWindow) {
    Rig r({"[10][30]Napis"});
    int dialogs = 5;
    r.display.OpenDialogCount = [&] { return dialogs; };
    r.display.FullScreen = true;
    r.display.Options.TransparentFonts = true;
    r.windows->FullScreen = true;
    // Over the chapters window (it counts five) nothing is painted, but the subtitle counts as shown.
    r.At(1.5);
    EXPECT_TRUE(r.display.Cursor.SubtitleShown);
    EXPECT_EQ(r.windows->PaintedRows(), (QStringList{"", "", ""}));
    dialogs = 0;
    r.display.RequestResync();
    r.At(1.5);
    EXPECT_EQ(r.windows->PaintedRows()[2], " Napis ");
    EXPECT_EQ(r.Shown(), "");  // painted, not in windows
}
