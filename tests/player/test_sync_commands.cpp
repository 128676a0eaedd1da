// Synchronising with the movie's audio through the window, on the scripted player and a movie
// made by ffmpeg: the worker, the preview, the bulk edit, the frame-rate offer, Cancel, and the
// waveform strip under the video.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "app/sync_commands.h"
#include "app/sync_preview_dialog.h"
#include "core/subtitle_line.h"
#include "player/form_mp.h"
#include "player/movie_window.h"
#include "player/waveform_strip.h"
#include "support/speech_media.h"

using namespace kravelo;
using kravelo::test::Burst;
using kravelo::test::TempDir;

namespace {

constexpr char kSync[] = "Synchronizujzdwikiemfilmu1";
constexpr char kStrip[] = "Pasekdwiku1";

std::vector<Burst> Bursts() {
    std::vector<Burst> b;
    uint32_t x = 11;
    auto next = [&x] {
        x = x * 1664525u + 1013904223u;
        return (x >> 8) / 16777216.0;
    };
    for (double t = 1.0; t < 290.0;) {
        const double d = 0.8 + 2.2 * next();
        b.push_back({t, t + d});
        t += d + 0.5 + 3.5 * next();
    }
    return b;
}

// Frame lines at 25 fps for the bursts read as `scale * t + shift`, each from 0.05 s before its
// burst to 0.15 s after it.
std::string FrameLines(const std::vector<Burst>& bursts, double scale, double shift) {
    std::string text;
    for (std::size_t i = 0; i < bursts.size(); ++i) {
        const long a = std::lround((scale * (bursts[i].start - 0.05) + shift) * 25.0);
        const long b = std::lround((scale * (bursts[i].end + 0.15) + shift) * 25.0);
        text += "{" + std::to_string(a) + "}{" + std::to_string(b) + "}Linia " + std::to_string(i + 1) + "\n";
    }
    return text;
}

class SyncTest : public test::MovieWindowTest {
protected:
    static void SetUpTestSuite() {
        movieDir = new TempDir;
        bursts = new std::vector<Burst>(Bursts());
        test::SpeechMovie recipe{*bursts, 300.0};
        recipe.video = false;
        movieOk = test::MakeSpeechMovie(movieDir->File("film.mka"), recipe);
    }
    static void TearDownTestSuite() {
        delete movieDir;
        delete bursts;
    }

    void SetUp() override {
        ASSERT_TRUE(movieOk) << "ffmpeg could not make the test movie";
        Start(player, "EditorEnabled=1\r\nAutoPlayMovie=0\r\n");
        window->resize(800, 600);
        const QString film = test::Q(movieDir->File("film.mka"));
        player.AddMovie(film, {7500, 300.0, 320, 240});
        movie->Movie().Open(film, false, false, true);
        ASSERT_TRUE(window->MovieLoaded());
        Sync().cacheFolder = dir.File("cache");
    }

    SyncCommands& Sync() { return movie->Sync(); }
    // Runs the command and waits for its end.
    bool RunSync() {
        QSignalSpy done(&Sync(), &SyncCommands::Finished);
        window->Action(kSync)->trigger();
        return done.count() > 0 || done.wait(60000);
    }
    // Expects every frame line of the editor kept and the first `count` starting where their
    // bursts begin (each was made to start 0.05 s before its burst).
    void ExpectAligned(std::size_t count) const {
        std::vector<double> starts;
        SubtitleLine l;
        for (QTextBlock b = window->Editor()->document()->begin(); b.isValid(); b = b.next())
            if (ParseLine(b.text().toStdString(), 25.0, l) == 1 && !l.text.empty()) starts.push_back(l.start);
        ASSERT_EQ(starts.size(), bursts->size());
        for (std::size_t i = 0; i < count; ++i)
            EXPECT_NEAR(starts[i], (*bursts)[i].start - 0.05, 0.15) << "line " << i + 1;
    }

    static TempDir* movieDir;
    static std::vector<Burst>* bursts;
    static bool movieOk;
};
TempDir* SyncTest::movieDir = nullptr;
std::vector<Burst>* SyncTest::bursts = nullptr;
bool SyncTest::movieOk = false;

TEST_F(SyncTest, PreviewThenOneBulkEditOfTheWholeDocument) {
    SetText(FrameLines(*bursts, 1.0, 2.5));
    Sync().options.fixRate = false;  // a plain offset

    bool busy = false, readOnly = false;
    prompter.Dialog("FormSyncPreview", [&](QDialog& d) {
        auto& p = static_cast<SyncPreviewDialog&>(d);
        EXPECT_EQ(p.ValueScale->text(), "1.000000");
        EXPECT_FALSE(p.LabelWarning->isVisible());
        ASSERT_EQ(p.Pieces->rowCount(), 1);
        EXPECT_EQ(p.Pieces->item(0, 0)->text(), QString("1 - %1").arg(bursts->size()));
        EXPECT_TRUE(p.Pieces->item(0, 1)->text().startsWith("-2.")) << p.Pieces->item(0, 1)->text().toStdString();
        EXPECT_NEAR(p.Strip->Position(), bursts->front().start - 0.05, 0.15);  // the first line where it lands
        readOnly = window->Editor()->isReadOnly();
        busy = !window->Action(kSync)->isEnabled();
        p.ButtonApply->click();
    });
    ASSERT_TRUE(RunSync());
    EXPECT_TRUE(readOnly);
    EXPECT_TRUE(busy);
    ExpectAligned(bursts->size());
    EXPECT_FALSE(window->Editor()->isReadOnly());
    EXPECT_TRUE(window->Action(kSync)->isEnabled());
    EXPECT_TRUE(window->Editor()->document()->isModified());
    EXPECT_FALSE(window->Editor()->document()->isUndoAvailable());  // one bulk edit, undo cleared

    // Declining the preview changes nothing; the second run needs no decoding.
    const QString before = window->Editor()->toPlainText();
    ASSERT_TRUE(RunSync());
    EXPECT_EQ(prompter.dialogsShown.size(), 2u);
    EXPECT_EQ(window->Editor()->toPlainText(), before);
}

TEST_F(SyncTest, OnlyTheSelectedLinesMove) {
    const std::string text = FrameLines(*bursts, 1.0, 2.5);
    SetText(text);
    Sync().options.fixRate = false;
    // Lines 1-30 selected (a selection ending inside line 30 covers it whole).
    QTextCursor c(window->Editor()->document()->findBlockByNumber(0));
    c.setPosition(window->Editor()->document()->findBlockByNumber(29).position() + 3, QTextCursor::KeepAnchor);
    window->Editor()->setTextCursor(c);
    prompter.Dialog("FormSyncPreview", [](QDialog& d) {
        auto& p = static_cast<SyncPreviewDialog&>(d);
        EXPECT_EQ(p.Pieces->item(0, 0)->text(), "1 - 30");
        p.ButtonApply->click();
    });
    ASSERT_TRUE(RunSync());
    ExpectAligned(30);
    const QStringList after = window->Editor()->toPlainText().split('\n');
    const QStringList before = QString::fromStdString(text).split('\n');
    EXPECT_EQ(after.mid(30), before.mid(30));
    // The processed lines stay selected.
    EXPECT_EQ(window->Editor()->textCursor().selectionStart(), 0);
    EXPECT_EQ(window->Editor()->textCursor().selectedText().count(QChar::ParagraphSeparator), 30);
}

TEST_F(SyncTest, FrameLinesForAnotherFrameRateGetTheFrameRateChange) {
    // Frames counted at 23.976 fps while the movie runs at 25: times read 4 % too early.
    SetText(FrameLines(*bursts, 23.976 / 25.0, 0.0));
    prompter.Dialog("FormSyncPreview", [](QDialog& d) {
        auto& p = static_cast<SyncPreviewDialog&>(d);
        EXPECT_EQ(p.ValueScale->text(), "1.042709 (25/23.976)");
        p.ButtonApply->click();
    });
    prompter.answers.push_back(BoxAnswer::Yes);
    ASSERT_TRUE(RunSync());
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_TRUE(prompter.boxes[0].text.endsWith("23.976 → 25")) << prompter.boxes[0].text.toStdString();
    ExpectAligned(bursts->size());
}

// The audio track the player plays is the one synchronised: a silent track gives the warning
// with Anuluj as the default; the voiced track, chosen in the player afterwards, aligns.
TEST_F(SyncTest, ThePlayedAudioTrackIsSynchronised) {
    const std::string two = dir.File("two.mka");
    test::SpeechMovie recipe{*bursts, 300.0};
    recipe.video = false;
    recipe.silentFirstTrack = true;  // stream 0 silent, stream 1 the voice
    ASSERT_TRUE(test::MakeSpeechMovie(two, recipe));
    player.AddMovie(QString::fromStdString(two), {7500, 300.0, 320, 240});
    player.audioStream = 0;
    movie->Movie().Open(QString::fromStdString(two), false, false, true);
    ASSERT_TRUE(window->MovieLoaded());
    const std::string text = FrameLines(*bursts, 1.0, 2.5);
    SetText(text);
    bool shown = false;
    prompter.Dialog("FormSyncPreview", [&](QDialog& d) {
        auto& p = static_cast<SyncPreviewDialog&>(d);
        shown = true;
        EXPECT_TRUE(p.LabelWarning->isVisible());
        EXPECT_FALSE(p.ButtonApply->isDefault());
        EXPECT_TRUE(p.Button2->isDefault());
        p.Button2->click();
    });
    ASSERT_TRUE(RunSync());
    // Either the preview warned, or nothing could be matched at all.
    if (!shown) {
        ASSERT_EQ(prompter.boxes.size(), 1u);
        EXPECT_EQ(prompter.boxes[0].text, "The subtitles could not be matched to the movie's audio.");
    }
    EXPECT_EQ(window->Editor()->toPlainText().toStdString(), text);

    player.audioStream = 1;
    prompter.Dialog("FormSyncPreview", [](QDialog& d) { static_cast<SyncPreviewDialog&>(d).ButtonApply->click(); });
    ASSERT_TRUE(RunSync());
    ExpectAligned(bursts->size());
}

TEST_F(SyncTest, CancelStopsTheRunAndNothingChanges) {
    const std::string text = FrameLines(*bursts, 1.0, 2.5);
    SetText(text);
    QSignalSpy done(&Sync(), &SyncCommands::Finished);
    window->Action(kSync)->trigger();
    ASSERT_TRUE(Sync().Running());
    EXPECT_FALSE(Sync().CancelButton()->isHidden());
    Sync().CancelButton()->click();
    ASSERT_TRUE(done.count() > 0 || done.wait(60000));
    EXPECT_TRUE(prompter.dialogsShown.empty());
    EXPECT_EQ(window->Editor()->toPlainText().toStdString(), text);
    EXPECT_FALSE(window->Editor()->isReadOnly());
    EXPECT_TRUE(Sync().CancelButton()->isHidden());
}

TEST_F(SyncTest, NothingToAlignAndNoMovie) {
    SetText("{0}{0}\n\n");
    window->Action(kSync)->trigger();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "There are no subtitles to synchronise in the chosen lines.");
    EXPECT_FALSE(Sync().Running());

    movie->Movie().CloseMovieCommand();
    EXPECT_FALSE(window->Action(kSync)->isEnabled());
    EXPECT_FALSE(window->Action(kStrip)->isEnabled());
}

TEST_F(SyncTest, WaveformStripFillsInSeeksAndRepaintsOnlyWhenMoved) {
    SetText(FrameLines(*bursts, 1.0, 0.0));
    WaveformStrip* strip = Sync().Strip();
    QSignalSpy ready(&Sync(), &SyncCommands::AudioReady);
    window->Action(kStrip)->trigger();
    EXPECT_TRUE(strip->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Sync().Running(); }, 60000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ready.count() >= 2; }, 5000));  // blocks, then the audio

    player.SetPositionSilently(bursts->at(3).start + 0.5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return strip->Position() == bursts->at(3).start + 0.5; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return strip->Paints() > 0; }, 5000));
    // Once the blocks and the layout have settled, a position that has not moved draws nothing.
    QTimer* tick = Sync().findChild<QTimer*>("StripTick");
    QTimer* blocks = Sync().findChild<QTimer*>("StripBlocks");
    ASSERT_TRUE(tick && blocks);
    QSignalSpy ticks(tick, &QTimer::timeout);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !blocks->isActive() && ticks.count() >= 2; }, 5000));
    const int asked = strip->MoveRepaints();
    const int seen = ticks.count();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.count() >= seen + 3; }, 5000));
    EXPECT_EQ(strip->MoveRepaints(), asked);
    // A move draws once.
    const int paints = strip->Paints();
    player.SetPositionSilently(bursts->at(3).start + 1.0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return strip->Paints() > paints; }, 5000));
    EXPECT_EQ(strip->MoveRepaints(), asked + 1);

    // The wheel zooms out and in.
    QWheelEvent out(QPointF(10, 10), strip->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(strip, &out);
    EXPECT_DOUBLE_EQ(strip->Span(), 12.5);

    // A click seeks there.
    player.log.clear();
    const QPoint quarter(strip->width() / 4, strip->height() / 2);
    const double target = strip->TimeAt(quarter.x());
    QTest::mouseClick(strip, Qt::LeftButton, Qt::NoModifier, quarter);
    ASSERT_FALSE(player.log.isEmpty());
    EXPECT_NEAR(player.log.last().mid(5).toDouble(), target, 0.05) << player.log.last().toStdString();

    window->Action(kStrip)->trigger();
    EXPECT_TRUE(strip->isHidden());
    // Closing the movie hides it and forgets the audio.
    window->Action(kStrip)->trigger();
    movie->Movie().CloseMovieCommand();
    EXPECT_TRUE(strip->isHidden());
}

}  // namespace
