// The main window with its movie side: opening a real movie, the display over the picture,
// stamping, navigation and the end of a movie on a scripted player.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <regex>

#include "core/profile_file.h"
#include "player/form_mp.h"
#include "player/movie_window.h"
#include "player/transport.h"
#include "support/english_keys.h"

using namespace kravelo;
using kravelo::test::Q;
namespace fs = std::filesystem;

namespace {

class MovieSideTest : public test::MovieWindowTest {
protected:
    void Start(MediaPlayer& p, const std::string& settings = {}) {
        MovieWindowTest::Start(p,
                               "EditorEnabled=1\r\nAutoFullScreen=0\r\nAutoFullScreenMenu=0\r\n" + settings);
    }
};

TEST(MovieFrameRate, NominalRateWhenTheLengthRunsPastTheLastFrame) {
    EXPECT_DOUBLE_EQ(MovieFrameRate(250, 10.04, 25.0), 25.0);  // sound 40 ms longer than the picture
    EXPECT_NEAR(MovieFrameRate(250, 10.04, 0.0), 24.900, 0.001);  // no declared rate
    EXPECT_NEAR(MovieFrameRate(250, 10.0, 30.0), 25.0, 1e-9);     // a declared rate far off is not trusted
    EXPECT_DOUBLE_EQ(MovieFrameRate(250, 0.0, 25.0), 1.0);
}

// The stamp commands take the reaction time, the active format and the caret settings; the
// stamp is one replacement of the line.
TEST_F(MovieSideTest, StampingStartAndEnd) {
    player.AddMovie("film.avi", {});
    Start(player, "ReactionSpeed=0.3\r\n");
    movie->Movie().Open("film.avi", false, false, true);
    SetText("{100}{150}Frame line\n\nAla ma kota\n");
    player.SetPositionSilently(10.0);

    // The display span stays; the caret stays on the line.
    window->Action("Wstawklatkfilmudoliniijakoklatkpoczrkow1")->trigger();
    EXPECT_EQ(Line(0), "{242}{293}Frame line");
    EXPECT_EQ(window->Editor()->textCursor().blockNumber(), 0);
    // The end takes the reaction time only when asked to.
    window->GetSettings().ReactionForEndFrameToo = true;
    window->Action("Wstawklatkinnyskrt1")->trigger();
    EXPECT_EQ(Line(0), "{242}{242}Frame line");

    // An empty line, in the active format, with the caret behind it.
    window->SetActiveFormat(4);
    PutCaret(1);
    window->GetSettings().ReactionForEndFrameToo = false;
    window->Action("Wstawklatkfilmudoliniijakoklatkkocow1")->trigger();
    EXPECT_EQ(Line(1), "[0][100]");
    EXPECT_EQ(window->Editor()->textCursor().position(),
              window->Editor()->document()->findBlockByNumber(1).position() + 8);

    // Plain text becomes the text of a line; with AfterInsertCursorDown the caret goes down.
    window->GetSettings().AfterInsertCursorDown = true;
    PutCaret(2);
    QSignalSpy changes(&window->Session(), &SubtitleSession::Changed);
    window->Action("Wstawklatkfilmudoliniijakoklatkpoczrkow1")->trigger();
    EXPECT_EQ(Line(2), "[97][]Ala ma kota");
    EXPECT_EQ(window->Editor()->textCursor().blockNumber(), 3);
    ASSERT_FALSE(changes.isEmpty());
    EXPECT_TRUE(changes.last().at(0).value<SubtitleSession::Changes>() & SubtitleSession::LinesReplaced);
}

// A settings file may hold an active format that is no line format: a stamp on plain text
// reports the writing error and keeps the line.
TEST_F(MovieSideTest, StampingWithoutAnActiveFormatKeepsTheLine) {
    player.AddMovie("film.avi", {});
    Start(player, "DefaultSubtitlesFormat=0\r\n");
    movie->Movie().Open("film.avi", false, false, true);
    ASSERT_TRUE(window->MovieLoaded());
    window->OpenSubtitleFile(Q(dir.Write("notes.txt", "Ala ma kota\r\nDruga linia\r\n")), false);
    PutCaret(1);
    player.SetPositionSilently(10.0);
    const std::size_t boxes = prompter.boxes.size();

    window->Action("Wstawklatkfilmudoliniijakoklatkpoczrkow1")->trigger();
    EXPECT_EQ(Line(1), "Druga linia");
    ASSERT_EQ(prompter.boxes.size(), boxes + 1);
    EXPECT_EQ(prompter.boxes.back().text, "putline() 'format' parametr error!!!");
    EXPECT_FALSE(window->Editor()->document()->isModified());
}

TEST_F(MovieSideTest, NavigationKeysAndTheJumpDialog) {
    player.AddMovie("film.avi", {2500, 100.0, 320, 240});
    Start(player, "AutoPlayMovie=0\r\n");
    movie->Movie().Open("film.avi", false, false, true);
    SetText("{0}{50}Jeden\n{100}{150}Dwa\n{500}{600}Trzy");

    player.SetPositionSilently(3.0);
    window->Action("Skokwsteczo50klatek1")->trigger();
    EXPECT_EQ(player.log.last(), "Seek 0");

    // The editor's keys stay the editor's while it is enabled; disabled, they drive the movie.
    player.SetPositionSilently(0.0);
    const int seeks = player.log.size();
    movie->KeyCommand(Qt::Key_Left, Qt::ControlModifier);
    window->Editor()->setEnabled(false);
    movie->KeyCommand(Qt::Key_Left, Qt::ControlModifier);  // at 0: nothing
    EXPECT_EQ(player.log.size(), seeks);
    movie->KeyCommand(Qt::Key_Period, Qt::NoModifier);
    EXPECT_EQ(player.log.last(), "Seek 0.04");
    window->Editor()->setEnabled(true);

    // The line for the movie position: at 5 s "Dwa" (4..6 s). The status bar has the frame.
    player.SetPositionSilently(5.0);
    movie->Movie().TimerTimer();
    EXPECT_EQ(window->StatusPanel(0)->text(), "{125}{2500}");
    window->Action("Skokdoliniizaktualnklatkfilmu1")->trigger();
    EXPECT_EQ(window->Editor()->textCursor().blockNumber(), 1);
    window->Action("Odtwarzajfilmodklatki1")->trigger();
    EXPECT_EQ(player.log.mid(player.log.size() - 2), (QStringList{"Seek 4", "Play"}));

    // Frame 0 is refused; a frame is jumped to by its time.
    prompter.Dialog("FormPytanie05SkokDo", [](QDialog& d) {
        d.findChild<QLineEdit*>("EditGotoFrm")->setText("0");
        d.findChild<QPushButton*>("Button1")->click();
    });
    window->Action("Skokdowybranejklatkifilmu1")->trigger();
    EXPECT_EQ(prompter.boxes.back().text, window->GetPrompts().Text("FormPytanie01Konwert", "IncorrectVal"));
    prompter.Dialog("FormPytanie05SkokDo", [](QDialog& d) {
        // A huge time gives the largest frame number, not an overflow.
        d.findChild<QLineEdit*>("EditGotoSec")->setText("1e300");
        EXPECT_EQ(d.findChild<QLineEdit*>("EditGotoFrm")->text(), "2147483647");
        d.findChild<QLineEdit*>("EditGotoFrm")->setText("1525");
        d.findChild<QPushButton*>("Button1")->click();
    });
    window->Action("Skokdowybranejklatkifilmu1")->trigger();
    EXPECT_EQ(player.log.last(), "Seek 61");
}

TEST_F(MovieSideTest, EndOfMovieOpensTheNextPartOrPowersOff) {
    const std::string part1 = dir.Write("cd1.avi", "x");
    const std::string part2 = dir.Write("cd02.avi", "x");
    const std::string sub2 = dir.Write("cd02.txt", "{0}{25}Druga część\r\n");
    dir.Write("cd1.txt", "{0}{25}Pierwsza\r\n");
    player.AddMovie(Q(part1), {});
    player.AddMovie(Q(part2), {});
    Start(player);
    movie->Movie().Open(Q(part1), false, true, true);
    player.Play();
    player.Advance(20.0);
    QApplication::processEvents();
    EXPECT_EQ(player.FileName(), Q(part2));
    EXPECT_EQ(window->LabelFileName()->text(), Q(sub2));
    EXPECT_EQ(powerOff.requests, 0);

    // The last part: the switch turns the computer off; a refusal is reported.
    window->Action("Wyczkomputerposkoczeniufilmu1")->trigger();
    powerOff.result = false;
    player.Play();
    player.Advance(20.0);
    QApplication::processEvents();
    EXPECT_EQ(powerOff.requests, 1);
    EXPECT_EQ(prompter.boxes.back().text, "refused by the test");
    EXPECT_FALSE(window->GetSettings().SystemCrashed);
}

// The video window has a section of its own in the language files.
TEST_F(MovieSideTest, VideoWindowTakesItsTextsFromItsOwnSection) {
    Start(player);
    TFormMP* form = movie->FormMP();
    fs::create_directories(dir.path() / "prog" / "language");
    dir.Write("prog/language/test.klg",
              "[Form1]\nSpeedButtonPlay_Hnt=Main window\n[FormMP]\nForm_Cpt=Video\nSpeedButtonStop_Hnt=Halt\n");
    ASSERT_TRUE(window->GetLanguage().LoadLanguage("test.klg"));
    // The main window's keys do not reach it; the play hint names the key of the editor mode.
    EXPECT_EQ(form->SpeedButtonPlay->toolTip(), "Play (Ctrl+L)");
    EXPECT_EQ(form->SpeedButtonStop->toolTip(), "Halt");
}

// The settings' windowed subtitle font and elevation are what the subtitles show with; the
// full-screen font waits for full screen.
TEST_F(MovieSideTest, SubtitleFontsAndElevationComeFromTheSettings) {
    Start(player,
          "SubtitlesElevation=15\r\nSubtitlesElevationFS=4\r\n"
          "[Fonts]\r\nName=DejaVu Serif\r\nSize=30\r\nColor=65535\r\n"
          "[FontsWindow]\r\nName=DejaVu Sans\r\nSize=20\r\nColor=255\r\nBold=0\r\n");
    TFormMP* form = movie->FormMP();
    SubtitleWindows* subs = form->Subtitles;
    EXPECT_EQ(subs->Label(3)->font().family(), "DejaVu Sans");
    EXPECT_EQ(subs->Label(3)->color(), QColor(255, 0, 0));
    EXPECT_EQ(subs->LabelFS.font.family(), "DejaVu Serif");
    EXPECT_EQ(subs->Window(3)->geometry().bottom() + 1, form->height() - 40 - 15);
}

// A movie and a subtitle file named relative to the folder the program was started in open,
// and are remembered by their full names.
TEST_F(MovieSideTest, RelativeNamesOfTheCommandLineAreOpenedAndKeptAbsolute) {
    Start(player);
    fs::create_directories(dir.path() / "filmy");
    const std::string film = dir.File("filmy/film.avi");
    const std::string sub = dir.Write("filmy/film.txt", "{1}{25}Napis\r\n");
    player.AddMovie(Q(film), {});
    const fs::path before = fs::current_path();
    fs::current_path(dir.path() / "filmy");
    window->SetCommandLine({QStringLiteral("film.avi"), QStringLiteral("./film.txt")});
    window->TimerOpenVideoTimer();
    fs::current_path(before);
    ASSERT_TRUE(window->MovieLoaded());
    EXPECT_EQ(player.FileName(), Q(film));
    EXPECT_EQ(window->LabelFileName()->text(), Q(sub));
    const Settings& s = window->GetSettings();
    EXPECT_EQ(s.ReopenMovies[0], film);
    EXPECT_EQ(s.ReopenTxt[0], sub);
}

// Every caption and hint the whole window exports (its dialogs, the movie side and the jump
// dialog included) is in english.klg, except texts that are not words (format patterns,
// standard buttons, numbers shown) or are built at run time.
TEST_F(MovieSideTest, EnglishCoversEveryCaption) {
    Start(player);
    fs::create_directories(dir.path() / "prog" / "language");
    ASSERT_TRUE(window->GetLanguage().ExportLanguage("all.klg"));
    const std::regex runtime(
        "Przewiniciey.*|(reopen|reopentxt)[1-5]_Cpt|N[0-9]+_Cpt|PopupMenuEditor_Cpt|FRM_MPL1_Cpt|Button[12]_Cpt|"
        "RadioButton[1-5]_Cpt|LabelFps2_Cpt|LabelFPS_Cpt|Label(Version|Date|WWW|Email)_Cpt|StatusPanel[0-4]_Cpt|"
        "LabelFile(Name|Size)_Cpt|SpeedButtonFRM_MPL_Hnt|LabelMessage_Cpt|LabelCursorPos_Cpt|LabelNapis.*|"
        "Label(Current|Duration|Slash)_Cpt|Label(W|WT|F|FT|SkinName)_Cpt");
    const int checked = test::ExpectEnglishHas(
        dir.File("prog/language/all.klg"), [&](const std::string& section, const std::string& key, const std::string& value) {
            return !value.empty() && !std::regex_match(key, runtime) && !(section == "Form1" && key == "Form_Cpt") &&
                   section != "FormOpenText";
        });
    EXPECT_GT(checked, 100);
}

// Commands that need a movie are disabled without one, in menus, tool buttons and keys alike.
TEST_F(MovieSideTest, MovieCommandsFollowTheLoadedMovie) {
    player.AddMovie("film.avi", {250, 10.0, 320, 240});
    Start(player, "AutoPlayMovie=0\r\n");
    const char* movieCommands[] = {"Zamknijplikwideo1", "PauzaOdtwarzaj1", "Stop1", "Skokdowybranejklatkifilmu1",
                                   "Wstawklatkfilmudoliniijakoklatkpoczrkow1", "Skokdoliniizaktualnklatkfilmu1"};
    for (const char* name : movieCommands) EXPECT_FALSE(window->Action(name)->isEnabled()) << name;
    window->Editor()->setEnabled(false);
    const QStringList before = player.log;
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_EQ(player.log, before);

    window->Editor()->setEnabled(true);
    movie->Movie().Open("film.avi", false, false, true);
    for (const char* name : movieCommands) EXPECT_TRUE(window->Action(name)->isEnabled()) << name;
    // Editing commands go with the editor, the player's commands stay.
    window->Editor()->setEnabled(false);
    EXPECT_TRUE(window->Action("PauzaOdtwarzaj1")->isEnabled());
    EXPECT_FALSE(window->Action("Wstawklatkfilmudoliniijakoklatkpoczrkow1")->isEnabled());
    EXPECT_FALSE(window->findChild<QToolButton*>("SpeedButtonAddFrames")->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_EQ(player.PlayState(), kPlayPlaying);

    window->Action("Zamknijplikwideo1")->trigger();
    EXPECT_FALSE(window->Action("PauzaOdtwarzaj1")->isEnabled());
}

// After a run that did not end normally the program reopens the movie and its subtitles where
// they were, and the shutdown switch of that run comes back; the switch is saved as it stands.
TEST_F(MovieSideTest, ResumesAnInterruptedRunWithItsShutdownSwitch) {
    const std::string film = dir.Write("film.avi", "x");
    const std::string sub = dir.Write("film.txt", "{0}{25}Napis\r\n");
    player.AddMovie(Q(film), {2500, 100.0, 320, 240});
    Start(player, "AutoTurnOffComputer=1\r\n[LastMovie]\r\nFilename=" + film + "\r\nSubtitleFilename=" + sub +
                      "\r\nMoviePosition=42.5\r\nSystemCrashed=1\r\nResumeWhenCrashed=1\r\n");
    ASSERT_TRUE(window->MovieLoaded());
    EXPECT_EQ(window->CurrentFileName(), Q(sub));
    EXPECT_EQ(player.log.mid(player.log.size() - 2), (QStringList{"Seek 42.5", "Play"}));
    EXPECT_TRUE(window->findChild<QToolButton*>("SpeedButtonShDown")->isChecked());

    // Switched off with the button, it is written off.
    window->findChild<QToolButton*>("SpeedButtonShDown")->click();
    window->close();
    ProfileFile ini(dir.File("prog/kravelo.ini"));
    EXPECT_EQ(ini.ReadString("Settings", "AutoTurnOffComputer", "?"), "0");
    EXPECT_EQ(ini.ReadString("LastMovie", "SystemCrashed", "?"), "0");
}

// A file handed over by a newer instance replaces the document and the movie; while a dialog is
// open nothing changes; a file that is not there is reported.
TEST_F(MovieSideTest, HandOverFromANewerInstance) {
    const std::string film = dir.Write("film.avi", "x");
    dir.Write("film.txt", "{0}{25}Napis filmu\r\n");
    player.AddMovie(Q(film), {250, 10.0, 320, 240});
    Start(player);
    window->Editor()->setPlainText("zmieniony tekst");
    prompter.answers.push_back(BoxAnswer::No);  // do not save the changed document

    {
        OpenDialogScope open(window->OpenDialogs());
        movie->Movie().ArgumentReceived(Q(film));
        EXPECT_FALSE(window->MovieLoaded());
    }
    movie->Movie().ArgumentReceived(Q(film));
    ASSERT_TRUE(window->MovieLoaded());
    EXPECT_EQ(window->CurrentFileName(), Q(dir.File("film.txt")));
    EXPECT_EQ(window->Editor()->toPlainText(), "{0}{25}Napis filmu");

    movie->Movie().ArgumentReceived(Q(dir.File("missing.avi")));
    ASSERT_FALSE(prompter.boxes.empty());
    EXPECT_TRUE(prompter.boxes.back().text.endsWith(Q(dir.File("missing.avi"))));
    EXPECT_TRUE(window->MovieLoaded());
}

}  // namespace
