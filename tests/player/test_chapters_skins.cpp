// Chapters and skins in the main window with its movie side, on a scripted player: the chapters
// window and dialog driven through the prompt seam, the chapters kept over a restart for every
// movie, and skins put on at start, from the skin dialog and refused when damaged.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/form_chapters.h"
#include "app/form_skin.h"
#include "app/full_screen.h"
#include "core/profile_file.h"
#include "player/control_panel.h"
#include "player/form_mp.h"
#include "player/movie_window.h"
#include "player/skin.h"

using namespace kravelo;
using kravelo::test::Q;
namespace fs = std::filesystem;

namespace {

std::string ShippedSkin(const char* name) { return std::string(KRAVELO_SOURCE_DIR) + "/data/skins/" + name; }

class ChaptersSkinsTest : public test::MovieWindowTest {
protected:
    // A start of the program; the settings lines count at the first start only.
    void Start(const std::string& settings = {}) {
        MovieWindowTest::Start(player, "AutoPlayMovie=0\r\n" + settings);
    }
    // The program ends normally (the settings are written) and starts again.
    void Restart() {
        window->close();
        movie.reset();
        window.reset();
        Start();
    }
    std::string Movie(const char* name, double length) {
        const std::string path = dir.Write(name, "");
        player.AddMovie(Q(path), {static_cast<long long>(length * 25), length, 320, 240});
        return path;
    }
    void Open(const std::string& path) {
        movie->Movie().Open(Q(path), false, false, true);
        ASSERT_TRUE(window->MovieLoaded());
    }
    std::vector<std::string> Chapters() const {
        std::vector<std::string> out;
        for (const TChapter& c : window->Chapters().Items()) out.push_back(c.Name + "@" + std::to_string(c.Position));
        return out;
    }
    // The chapter dialog's answer: a time (empty: keep the fields) and a name, then OK.
    void AnswerChapter(const QString& seconds, const QString& name, QString* shownTime = nullptr) {
        prompter.Dialog("FormChapterSet", [=](QDialog& d) {
            auto& set = static_cast<TFormChapterSet&>(d);
            if (shownTime) *shownTime = set.EditH->text() + ':' + set.EditM->text() + ':' + set.EditS->text();
            EXPECT_FALSE(set.Button1->isEnabled() && set.EditName->text().isEmpty());
            if (!seconds.isEmpty()) {
                set.EditH->setText("00");
                set.EditM->setText("00");
                set.EditS->setText(seconds);
            }
            set.EditName->setText(name);
            set.Button1->click();
        });
    }
};

}  // namespace

// Adding, editing, deleting and jumping through the chapters window and its keys, on a
// 1-minute movie that has no per-movie file: the chapters are still there after a restart.
TEST_F(ChaptersSkinsTest, ChaptersOfAShortMovieSurviveARestart) {
    const std::string clip = Movie("clip.avi", 60.0);
    Start();
    Open(clip);
    window->Editor()->setEnabled(false);  // the player's keys work
    // The full-screen control panel's chapter button opens the chapters window.
    prompter.Dialog("FormChapters", [](QDialog& d) { d.reject(); });
    movie->Full().ControlPanel()->SpeedButtonChapters->click();
    EXPECT_EQ(prompter.dialogsShown, (std::vector<QString>{"FormChapters"}));
    prompter.dialogsShown.clear();

    // Z opens the window; Add starts from the movie position; OK needs a name.
    player.SetPositionSilently(45.7);
    QString shownTime;
    int countWhileOpen = -1;
    prompter.Dialog("FormChapters", [&](QDialog& d) {
        auto& w = static_cast<TFormChapters&>(d);
        countWhileOpen = window->OpenDialogs().Value();
        EXPECT_FALSE(w.ButtonGoTo->isEnabled());  // nothing to go to yet
        w.ButtonAdd->click();
        EXPECT_EQ(w.ListBoxChapters->item(0)->text(), "1:  Intro");
        w.ButtonCancel->click();
    });
    AnswerChapter({}, "Intro", &shownTime);
    movie->KeyCommand(Qt::Key_Z, Qt::NoModifier);
    EXPECT_EQ(countWhileOpen, 5);
    EXPECT_EQ(shownTime, "00:00:45");
    EXPECT_EQ(Chapters(), (std::vector<std::string>{"Intro@45"}));

    // Shift+Z adds without the window; a chapter at 0 s cannot be made.
    prompter.Dialog("FormChapterSet", [](QDialog& d) {
        auto& set = static_cast<TFormChapterSet&>(d);
        set.SetChapter(0, "Start");
        EXPECT_FALSE(set.Button1->isEnabled());
        set.EditS->setText("20");
        set.Button1->click();
    });
    movie->KeyCommand(Qt::Key_Z, Qt::ShiftModifier);
    AnswerChapter("30", "Scene");
    movie->KeyCommand(Qt::Key_Z, Qt::ShiftModifier);
    EXPECT_EQ(Chapters(), (std::vector<std::string>{"Start@20", "Scene@30", "Intro@45"}));

    // The menu command: the current chapter is selected; edit it, delete (No, then Yes), go to.
    player.SetPositionSilently(31.0);
    prompter.Dialog("FormChapters", [&](QDialog& d) {
        auto& w = static_cast<TFormChapters&>(d);
        EXPECT_EQ(w.ListBoxChapters->currentRow(), 1);
        w.ButtonEdit->click();  // "Scene" moves to 10 s: first
        EXPECT_EQ(w.ListBoxChapters->currentRow(), 0);
        w.ListBoxChapters->setCurrentRow(2);
        w.ButtonDelete->click();  // No
        w.ButtonDelete->click();  // Yes: the last line goes, the new last line is selected
        w.ButtonGoTo->click();
    });
    AnswerChapter("10", "Cold open");
    prompter.answers = {BoxAnswer::No, BoxAnswer::Yes};
    window->Action("Rozdzialy1")->trigger();
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[0].text, "Delete the selected chapter?");
    EXPECT_EQ(player.CurrentPosition(), 20.0);
    EXPECT_EQ(Chapters(), (std::vector<std::string>{"Cold open@10", "Start@20"}));

    // Kept beside the movie, without the per-movie keys, and read back at the next start.
    Restart();
    Open(clip);
    EXPECT_EQ(Chapters(), (std::vector<std::string>{"Cold open@10", "Start@20"}));
    const ProfileFile file(clip + ".ini");
    EXPECT_FALSE(file.Find("Settings", "Zoom"));
}

// Opening another movie never hands the first one's chapters over to it; with per-movie files
// switched off a long movie keeps its chapters too. A full table refuses the hundred-and-first
// chapter; the window keeps its size in [Chapters].
TEST_F(ChaptersSkinsTest, ChaptersStayWithTheirOwnMovieAndTheTableIsFull) {
    const std::string film = Movie("film.avi", 40 * 60.0);
    const std::string other = Movie("other.avi", 40 * 60.0);
    const std::string third = Movie("third.avi", 40 * 60.0);
    Start();
    Open(film);
    window->Editor()->setEnabled(false);
    player.SetPositionSilently(600.0);
    AnswerChapter({}, "Middle");
    movie->KeyCommand(Qt::Key_Z, Qt::ShiftModifier);

    Open(other);
    EXPECT_TRUE(Chapters().empty());
    EXPECT_EQ(ProfileFile(other + ".ini").ReadString("Chapters", "n0", ""), "");

    window->GetSettings().UseIndividualMovieIniFile = false;
    Open(third);
    player.SetPositionSilently(600.0);
    AnswerChapter({}, "End");
    movie->KeyCommand(Qt::Key_Z, Qt::ShiftModifier);
    movie->Movie().CloseMovieCommand();
    EXPECT_TRUE(Chapters().empty());

    Open(other);
    for (int i = 1; i <= TChapters::kMaxCount; ++i) window->Chapters().Insert({"c", i});
    const std::size_t dialogs = prompter.dialogsShown.size();
    movie->KeyCommand(Qt::Key_Z, Qt::ShiftModifier);
    EXPECT_EQ(prompter.dialogsShown.size(), dialogs);
    prompter.Dialog("FormChapters", [](QDialog& d) {
        auto& w = static_cast<TFormChapters&>(d);
        EXPECT_FALSE(w.ButtonAdd->isEnabled());
        w.resize(420, 500);
        w.ButtonCancel->click();
    });
    window->Action("Rozdzialy1")->trigger();

    Restart();
    EXPECT_EQ(window->GetSettings().ChaptersWindowWidth, 420);
    EXPECT_EQ(window->GetSettings().ChaptersWindowHeight, 500);
    Open(third);
    EXPECT_EQ(Chapters(), (std::vector<std::string>{"End@600"}));
    EXPECT_FALSE(ProfileFile(third + ".ini").Find("Settings", "Zoom"));
    Open(film);
    EXPECT_EQ(Chapters(), (std::vector<std::string>{"Middle@600"}));
}

// The skin and the tracker widths of the settings go on at start; a damaged skin file is
// reported and changes nothing.
TEST_F(ChaptersSkinsTest, StoredSkinAtStartAndDamagedFilesLeaveTheLook) {
    Start("[Skin]\r\nSkinFileName=" + ShippedSkin("aurora.bmp") +
          "\r\n[TrackerWidth]\r\nVideoSeekTracker=15\r\nSettingsTracker=8\r\n");
    TFormMP& video = *movie->FormMP();
    EXPECT_EQ(video.KvTrackBarTrack->getTrackerWidth(), 15);
    EXPECT_EQ(video.KvTrackBarVolume->getTrackerWidth(), 8);
    const QImage strip = SkinPicture(video.ImageControl).toImage();
    // The skin's top-left pixel (14, 22, 48) brightened by 130 - 15.
    EXPECT_EQ(strip.pixelColor(0, 0), QColor(129, 137, 163));
    EXPECT_EQ(SkinPicture(window->ToolBar()).toImage(), strip);

    // The full-screen control panel carries the skin too, darker (brightness 180 - 130).
    TFormControlPanel* panel = movie->Full().ControlPanel();
    const QImage dark = SkinPicture(panel->ImageBackground).toImage();
    EXPECT_EQ(dark.pixelColor(0, 0), QColor(0, 0, 0));
    EXPECT_EQ(panel->KvTrackBar1->getTrackerWidth(), 15);

    // A damaged file (the reader's test has every kind): the message, and the look stays.
    window->GetSettings().SkinFileName = dir.Write("text.bmp", "[Skin]\nnot a picture\n");
    movie->Skins().ApplyStoredSkin();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "The skin file is damaged or not in the right format.");
    EXPECT_EQ(SkinPicture(video.ImageControl).toImage(), strip);

    // The widths go back into the settings; a damaged stored skin at the next start is
    // reported once the language is there, and the strip stays plain.
    Restart();
    EXPECT_EQ(window->GetSettings().VideoSeekTracker, 15);
    EXPECT_TRUE(SkinPicture(movie->FormMP()->ImageControl).isNull());
    QCoreApplication::processEvents();
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[1].text, "The skin file is damaged or not in the right format.");
}

// The skin dialog: the list, the live preview, Anuluj that restores, the tracker-width check
// and OK that stores.
TEST_F(ChaptersSkinsTest, SkinDialogPreviewsCancelsAndStores) {
    fs::create_directories(dir.path() / "prog" / "skins");
    fs::copy_file(ShippedSkin("aurora.bmp"), dir.path() / "prog" / "skins" / "aurora.bmp");
    fs::copy_file(ShippedSkin("ember.bmp"), dir.path() / "prog" / "skins" / "ember.bmp");
    Start();
    TFormMP& video = *movie->FormMP();
    const QString ember = Q(dir.File("prog/skins/ember.bmp"));

    prompter.Dialog("FormSkin", [&](QDialog& d) {
        auto& s = static_cast<TFormSkin&>(d);
        ASSERT_EQ(s.ListBox1->count(), 3);
        EXPECT_EQ(s.ListBox1->currentRow(), 0);  // no skin
        EXPECT_EQ(s.EditTrV->text(), "10");
        QSignalSpy tick(s.Timer1, &QTimer::timeout);
        s.ListBox1->setCurrentRow(s.ListBox1->row(s.ListBox1->findItems("ember.bmp", Qt::MatchExactly)[0]));
        ASSERT_TRUE(tick.wait(5000));
        EXPECT_FALSE(SkinPicture(video.ImageControl).isNull());  // the preview is on the strip
        s.Button2->click();
    });
    window->Action("Skra1")->trigger();
    EXPECT_TRUE(SkinPicture(video.ImageControl).isNull());  // Anuluj: back to no skin
    EXPECT_TRUE(window->GetSettings().SkinFileName.empty());

    prompter.Dialog("FormSkin", [&](QDialog& d) {
        auto& s = static_cast<TFormSkin&>(d);
        s.ListBox1->setCurrentRow(s.ListBox1->row(s.ListBox1->findItems("ember.bmp", Qt::MatchExactly)[0]));
        s.TrackBarW->setValue(130);
        s.EditTrV->setText("4");
        s.Button1->click();  // refused: the video width first
        EXPECT_EQ(s.focusWidget(), s.EditTrV);
        s.EditTrV->setText("12");
        s.EditTrS->setText("41");
        s.Button1->click();  // refused
        s.EditTrS->setText("7");
        s.Button1->click();
    });
    window->Action("Skra1")->trigger();
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[0].text, "The slider width must be a whole number from 5 to 40.");
    EXPECT_EQ(window->GetSettings().SkinFileName, ember.toStdString());
    EXPECT_EQ(window->GetSettings().WindowBright, 130);
    EXPECT_EQ(video.KvTrackBarTrack->getTrackerWidth(), 12);
    EXPECT_EQ(video.KvTrackBarVolume->getTrackerWidth(), 7);
    // Brightness 130: the skin's own colours (the ember ground at the top-left corner).
    EXPECT_EQ(SkinPicture(video.ImageControl).toImage().pixelColor(0, 0), QColor(40, 14, 16));

    // "Domyślna" puts the default looks in the dialog only.
    prompter.Dialog("FormSkin", [&](QDialog& d) {
        auto& s = static_cast<TFormSkin&>(d);
        EXPECT_EQ(s.ListBox1->currentItem()->text(), "ember.bmp");
        s.ButtonDefault->click();
        EXPECT_EQ(s.TrackBarW->value(), 15);
        s.Button2->click();
    });
    window->Action("Skra1")->trigger();
    EXPECT_EQ(window->GetSettings().WindowBright, 130);
}
