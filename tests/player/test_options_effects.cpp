// Confirmed options act at once where they are used: the next stamp, the user jumps and their
// captions, the subtitle windows, the display's edit delay and the crash-resume marker.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <filesystem>
#include <memory>

#include "app/form_options.h"
#include "app/main_window.h"
#include "app/movie_side.h"
#include "app/scripted_prompter.h"
#include "platform/power_off.h"
#include "player/display_timer.h"
#include "player/fake_player.h"
#include "player/form_mp.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::ScriptedPrompter;
using kravelo::test::TempDir;
namespace fs = std::filesystem;

namespace {

class OptionsEffectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir.path() / "prog");
        dir.Write("prog/kravelo.ini", "[Settings]\r\nFirstStart=0\r\nLanguageFile=english.klg\r\nEditorEnabled=1\r\nReactionSpeed=0\r\n");
        MainWindowPaths paths{dir.File("prog"), dir.File("config"), std::string(KRAVELO_SOURCE_DIR) + "/data"};
        window = std::make_unique<MainWindow>(paths, &prompter);
        prompter.counter = &window->OpenDialogs();
        movie = std::make_unique<MovieSideController>(*window, player, powerOff, "/usr/bin/kravelo", dir.File("xdg"));
        window->resize(640, 560);
        window->show();
        player.AddMovie("film.avi", {2500, 100.0, 320, 240});
        movie->Movie().Open("film.avi", false, false, true);
        ASSERT_TRUE(window->MovieLoaded());
    }
    void Options(std::function<void(TFormUstawienia&)> script) {
        prompter.Dialog("FormUstawienia", [script](QDialog& d) {
            auto& options = static_cast<TFormUstawienia&>(d);
            script(options);
            options.Button1->click();
        });
        window->OptionsCommand();
    }
    std::string StampStartOn(const char* line) {
        window->Editor()->setPlainText(QString::fromUtf8(line));
        window->Editor()->setTextCursor(QTextCursor(window->Editor()->document()));
        window->Action("Wstawklatkfilmudoliniijakoklatkpoczrkow1")->trigger();
        return window->Editor()->document()->firstBlock().text().toStdString();
    }
    QString JumpCaption(const char* key) const { return window->GetPrompts().Text("Form1", key); }

    TempDir dir;
    ScriptedPrompter prompter;
    RecordingPowerOff powerOff;
    FakePlayer player;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MovieSideController> movie;
};

TEST_F(OptionsEffectsTest, ReactionTimeAndJumpsActOnTheNextCommand) {
    player.SetPositionSilently(10.0);
    EXPECT_EQ(StampStartOn("{100}{150}Napis"), "{250}{300}Napis");

    Options([](TFormUstawienia& d) {
        d.EditSzybkoscReakcji->setText("0.4");
        d.EditBackward->setText("7.5");
        d.EditForward->setText("12");
    });
    // 0.4 s earlier: frame 240, the span of 50 frames kept.
    EXPECT_EQ(StampStartOn("{100}{150}Napis"), "{240}{290}Napis");

    // The jump commands carry their new lengths and jump by them.
    window->Commands().Refresh();
    EXPECT_EQ(window->Action("Przewinicieuytkownikawprzd1")->text(),
              JumpCaption("Przewinicieuytkownikawprzd1_Cpt") + " 12");
    EXPECT_EQ(window->Action("Przewinicieuytkownikawstecz1")->text(),
              JumpCaption("Przewinicieuytkownikawstecz1_Cpt") + " 7.5");
    player.SetPositionSilently(30.0);
    window->Action("Przewinicieuytkownikawprzd1")->trigger();
    EXPECT_EQ(player.log.last(), "Seek 42");
    window->Action("Przewinicieuytkownikawstecz1")->trigger();
    EXPECT_EQ(player.log.last(), "Seek 34.5");
}

TEST_F(OptionsEffectsTest, SubtitleWindowsDisplayAndMarkerFollowAtOnce) {
    TFormMP* form = movie->FormMP();
    SubtitleWindows* subs = form->Subtitles;
    ASSERT_FALSE(movie->Movie().Marker().RegisteredProgram().empty());  // registered by the opening
    subs->Label(2)->setItalic(true);
    Options([](TFormUstawienia& d) {
        d.EditPodwyzszenieNapisow->setText("30");
        d.EditOpoznienieWlNap->setText("250");
        d.CheckBoxItalic->setChecked(false);
        d.CheckBoxDostosujWiersze->setChecked(false);
        d.CheckBoxResumeWhenCrash->setChecked(false);
    });
    EXPECT_EQ(form->SubtitleElevation(), 30);
    EXPECT_EQ(subs->Window(3)->geometry().bottom() + 1, form->height() - 40 - 30);
    EXPECT_EQ(movie->Display()->Options.DelaySubtitleOn, 250);
    EXPECT_FALSE(movie->Display()->Options.LetItalic);
    EXPECT_FALSE(movie->Display()->Options.SubtitleAdjust);
    EXPECT_FALSE(subs->Label(2)->font().italic());
    EXPECT_TRUE(movie->Movie().Marker().RegisteredProgram().empty());

    Options([](TFormUstawienia& d) { d.CheckBoxResumeWhenCrash->setChecked(true); });
    EXPECT_EQ(movie->Movie().Marker().RegisteredProgram(), "/usr/bin/kravelo");
}

}  // namespace
