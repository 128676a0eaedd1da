// Confirmed options act at once where they are used: the next stamp, the user jumps and their
// captions, the subtitle windows, the display's edit delay and the crash-resume marker.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>

#include "app/form_options.h"
#include "player/display_timer.h"
#include "player/form_mp.h"
#include "player/movie_window.h"

using namespace kravelo;

namespace {

class OptionsEffectsTest : public test::MovieWindowTest {
protected:
    void SetUp() override {
        Start(player, "EditorEnabled=1\r\nReactionSpeed=0\r\n");
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
        SetText(line);
        window->Action("Wstawklatkfilmudoliniijakoklatkpoczrkow1")->trigger();
        return Line(0);
    }
    QString JumpCaption(const char* key) const { return window->GetPrompts().Text("Form1", key); }
};

TEST_F(OptionsEffectsTest, ReactionTimeAndJumpsActOnTheNextCommand) {
    player.SetPositionSilently(10.0);
    Options([](TFormUstawienia& d) {
        d.EditSzybkoscReakcji->setText("0.4");
        d.EditBackward->setText("7.5");
        d.EditForward->setText("12");
    });
    // 0.4 s earlier: frame 240, the span of 50 frames kept.
    EXPECT_EQ(StampStartOn("{100}{150}Napis"), "{240}{290}Napis");

    // The jump commands carry their new lengths and jump by them.
    window->Commands().Refresh();
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
