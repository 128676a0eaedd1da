// The editing commands of the window driven end to end through the scripted prompter: open a
// document, place the caret or select lines, answer the dialog, check the lines, the caret and
// the boxes shown.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

#include "app/delay_commands.h"
#include "app/window_test.h"
#include "ops/dialogs/edit_dialogs.h"
#include "ops/dialogs/search_dialogs.h"
#include "ops/dialogs/shift_dialog.h"
#include "ui/command_names.h"

using namespace kravelo;
using namespace kravelo::test;

namespace {

class EditCommandsTest : public WindowTest {
protected:
    void SetUp() override { Start("EditorEnabled=1\r\n"); }

    // Opens the lines as a file at the given frame rate, caret on line 0.
    void OpenAt(const std::string& text, double rate = 25.0, const char* name = "film.txt") {
        Open(dir.Write(name, text));
        window->State().frameRate = rate;
        window->GoToLine(0);
    }
    int CaretLine() const { return window->Editor()->textCursor().blockNumber(); }
    QString Selected() const { return window->Editor()->textCursor().selectedText(); }
    bool Run(const char* name) { return window->Commands().Run(name); }
};

TEST_F(EditCommandsTest, DisplayTimeThroughItsDialogAndUndoStaysCleared) {
    OpenAt("{100}{150}Ala\r\n{200}{}Kot\r\n{300}{400}Pies\r\n");
    // Something typed can be undone until the command rewrites the document.
    QTextCursor c = window->Editor()->textCursor();
    c.movePosition(QTextCursor::End);
    c.insertText("x");
    c.deletePreviousChar();
    ASSERT_TRUE(window->Action(cmd::kUndo)->isEnabled());
    prompter.Dialog("FormPytanie04CzasWysw", [&](QDialog& d) {
        SetText(d, "EditShowSec", "0.01");  // no whole frame
        ClickOk(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(LastBox(), Text("FormPytanie01Konwert", "IncorrectVal"));
        Find<QCheckBox>(d, "CheckBoxOverwrite")->setChecked(true);  // only unset ends
        Find<QCheckBox>(d, "CheckBoxNa100")->setChecked(false);
        SetText(d, "EditShowSec", "2");
        ClickOk(d);
    });
    ASSERT_TRUE(Run(cmd::kDisplayTime));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"{100}{150}Ala", "{200}{250}Kot", "{300}{400}Pies"}));
    EXPECT_FALSE(window->Action(cmd::kUndo)->isEnabled());

    // Blank ends: accepted whatever the fields hold, every other option disabled.
    prompter.Dialog("FormPytanie04CzasWysw", [](QDialog& d) {
        Find<QCheckBox>(d, "CheckBox1")->setChecked(true);
        SetText(d, "EditShowFrm", "0");
        ClickOk(d);
    });
    Run(cmd::kDisplayTime);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"{100}{}Ala", "{200}{}Kot", "{300}{}Pies"}));
}

TEST_F(EditCommandsTest, MergeReportsItsCountAndChecksOnlyEnabledWholeNumbers) {
    OpenAt("{100}{120}Tak\r\n{125}{150}Nie wiem\r\n{400}{500}Dobrze\r\n");
    prompter.Dialog("FormPytanie13PolaczNapisy", [&](QDialog& d) {
        SetText(d, "Edit3", "0.5");  // would have meant "no limit"
        ClickOk(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(LastBox(), Text("FormPytanie01Konwert", "IncorrectVal"));
        // A field the user cannot edit does not block OK.
        Find<QCheckBox>(d, "CheckBox1")->setChecked(false);
        SetText(d, "Edit3", "");
        SetText(d, "Edit4", "1");
        ClickOk(d);
        EXPECT_EQ(LastBox(), Text("FormPytanie13PolaczNapisy", "GreatEqualVal") + " 2");
        SetText(d, "Edit1", "0.05");
        ClickOk(d);
        EXPECT_EQ(LastBox(), Text("FormPytanie13PolaczNapisy", "GreatEqualVal") + " 0.10");
        SetText(d, "Edit1", "20");
        Find<QRadioButton>(d, "RadioButton1")->setChecked(true);
        ClickOk(d);
    });
    Run(cmd::kMerge);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"{100}{150}Tak|Nie wiem", "{400}{500}Dobrze"}));
    EXPECT_EQ(LastBox(), "Number of subtitles merged: 1");
    EXPECT_EQ(window->MergeDialog().Options().maxLength, 0);
}

TEST_F(EditCommandsTest, RepairRunsTheTickedRulesAndRefusesNothingToDo) {
    OpenAt("{100}{150}Tak\r\n\r\n{200}{250}Nie ,tak\r\n");
    prompter.Dialog("FormPytanie11PoprawNapisy", [&](QDialog& d) {
        for (QCheckBox* box : d.findChildren<QCheckBox*>()) box->setChecked(false);
        ClickOk(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(LastBox(), Text("FormPytanie03PrzesNap", "NothToDo"));
        Find<QCheckBox>(d, "CheckBoxPN1")->setChecked(true);  // empty lines only
        ClickOk(d);
    });
    Run(cmd::kRepair);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"{100}{150}Tak", "{200}{250}Nie ,tak"}));
}

// The unsorted search steps through the document until its end; sorting asks first.
TEST_F(EditCommandsTest, UnsortedSearchRepeatsUntilTheEndAndSortAsksFirst) {
    OpenAt("{100}{110}A\r\n{200}{210}B\r\n{150}{160}C\r\n{300}{310}D\r\n{250}{260}E\r\n");
    Run(cmd::kFindUnsorted);
    EXPECT_EQ(CaretLine(), 2);
    Run(cmd::kFindNext);
    EXPECT_EQ(CaretLine(), 4);
    Run(cmd::kFindNext);
    EXPECT_EQ(CaretLine(), 4);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "Search finished");

    const std::vector<std::string> before = Lines();
    prompter.answers.push_back(BoxAnswer::No);
    Run(cmd::kSort);
    EXPECT_EQ(Lines(), before);
    EXPECT_EQ(LastBox(), Text("Form1", "SortSubtitles"));
    prompter.answers.push_back(BoxAnswer::Yes);
    Run(cmd::kSort);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"{100}{110}A", "{150}{160}C", "{200}{210}B", "{250}{260}E",
                                                 "{300}{310}D"}));
}

TEST_F(EditCommandsTest, FindAndReplaceTouchOnlyMatches) {
    OpenAt("Ala ma kota\r\nKot i takie tam\r\nkot kot\r\n");
    // F3 before any search opens the Find dialog.
    Run(cmd::kFindNext);
    TextSearchDialog& find = window->FindDialog();
    ASSERT_TRUE(find.isVisible());
    find.EditFind->setText("kot");
    find.CheckBoxWholeWord->setChecked(true);
    find.ButtonFindNext->click();  // "kota" is not a whole word; case is ignored
    EXPECT_EQ(Selected(), "Kot");
    find.CheckBoxMatchCase->setChecked(true);
    find.ButtonFindNext->click();
    EXPECT_EQ(CaretLine(), 2);
    EXPECT_EQ(Selected(), "kot");

    // A selection that is not a match is not replaced: the next match is selected instead.
    QTextCursor c(window->Editor()->document());
    c.setPosition(0);
    c.setPosition(3, QTextCursor::KeepAnchor);
    window->Editor()->setTextCursor(c);
    Run(cmd::kReplace);
    TextSearchDialog& replace = window->ReplaceDialog();
    replace.EditFind->setText("kot");
    replace.EditReplace->setText("pies");
    replace.ButtonReplace->click();
    EXPECT_EQ(Lines()[0], "Ala ma kota");
    EXPECT_EQ(Selected(), "kot");
    replace.ButtonReplace->click();
    EXPECT_EQ(Lines()[0], "Ala ma piesa");
    replace.ButtonReplaceAll->click();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Ala ma piesa", "pies i takie tam", "pies pies"}));
    EXPECT_EQ(LastBox(), "Number of replacements: 3");
    // F3 repeats with the Find dialog's text: nothing is left.
    Run(cmd::kFindNext);
    EXPECT_EQ(LastBox(), "Search finished");
}

TEST_F(EditCommandsTest, TimingSearchesTakeTheirThresholdAndRepeat) {
    // A's end is missing: its display end (about 6 s) is 9.94 s before B, so it is no gap.
    OpenAt("{100}{}A\r\n{400}{450}B\r\n{700}{750}C\r\n{1200}{1250}D\r\n");
    prompter.Dialog("FormPytanie07ZnajdzPrzerwe", [&](QDialog& d) {
        EXPECT_EQ(Find<QLineEdit>(d, "EditBreakFrm")->text(), "250");  // 10 s at 25 fps
        ClickOk(d);
    });
    Run(cmd::kFindGap);
    EXPECT_EQ(CaretLine(), 2);
    Run(cmd::kFindNext);
    EXPECT_EQ(CaretLine(), 3);
    EXPECT_EQ(prompter.dialogsShown.size(), 1u);

    window->GoToLine(0);
    prompter.Dialog("FormPytanie10ZnajdzSzybkiNapis", [&](QDialog& d) {
        SetText(d, "EditBreakSec", "0");
        ClickOk(d);
        EXPECT_EQ(LastBox(), Text("FormPytanie01Konwert", "IncorrectVal"));
        SetText(d, "EditBreakSec", "12");
        ClickOk(d);
    });
    Run(cmd::kFindShortSubtitle);
    EXPECT_EQ(CaretLine(), 1);  // B, followed by C 12 s later; the search begins below A
    EXPECT_EQ(window->LastSearchKind(), MainWindow::LastSearch::ShortSubtitle);
    // The thresholds are kept in the settings.
    window->SaveSettingsNow();
    EXPECT_EQ(window->GetSettings().QuickSubtitleTime, "12");
    EXPECT_EQ(window->GetSettings().BreakFindValue, "10.0");
}

TEST_F(EditCommandsTest, ItalicsGoToSubtitleAndThePopupMenu) {
    OpenAt("{10}{20}Ala|ma kota\r\n{100}{110}B\r\n{200}{210}C\r\n", 0.0);
    window->GoToLine(0, 9);  // in "Ala"
    Run(cmd::kItalics);  // needs no frame rate: an unscripted question would stop it
    EXPECT_EQ(Lines()[0], "{10}{20}/Ala/|ma kota");
    EXPECT_EQ(window->Editor()->textCursor().positionInBlock(), 10);

    window->State().frameRate = 25.0;
    prompter.Dialog("FormPytanie08PrzejdzDoNapisu", [&](QDialog& d) {
        SetText(d, "EditGotoSec", "0");
        ClickOk(d);
        EXPECT_EQ(LastBox(), Text("FormPytanie01Konwert", "IncorrectVal"));
        SetText(d, "EditGotoSec", "5");
        ClickOk(d);
    });
    Run(cmd::kGoToSubtitle);
    EXPECT_EQ(CaretLine(), 1);

    // The language file's fix-ups give a pop-up duplicate its main item's caption.
    EXPECT_EQ(window->Action(cmd::kGoToSubtitlePopup)->text(), window->Action(cmd::kGoToSubtitle)->text());
}

TEST_F(EditCommandsTest, DelayMeasurementFillsTheShiftDialogAndCorrectsBetweenTwoPoints) {
    double position = 12.5;
    DelayCommands delay(*window, [&position] { return position; });
    OpenAt("[100][110]A\r\n[980][990]B\r\n[5505][5510]M\r\n[10030][10040]E\r\n");
    delay.MeasureDelay();
    EXPECT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(window->ShiftDialog().EditSec->text(), "2.5");
    window->GetSettings().ReactionForDelayCheckToo = true;
    window->GetSettings().ReactionSpeed = 0.3;
    delay.MeasureDelay();
    EXPECT_EQ(window->ShiftDialog().EditSec->text(), "2.8");
    window->GetSettings().ReactionForDelayCheckToo = false;

    // The end point alone, or two points out of order, leave the correction off.
    window->GoToLine(3);
    position = 1000.0;
    delay.EndPoint();
    EXPECT_FALSE(delay.CorrectionEnabled());
    window->GoToLine(1);
    position = 100.0;
    delay.StartPoint();
    ASSERT_TRUE(delay.CorrectionEnabled());
    prompter.Dialog("FormPytanie02Geom", [](QDialog& d) {
        EXPECT_EQ(Find<QLabel>(d, "PoczPrzes")->text(), "-2 s");
        ClickOk(d);
    });
    window->GoToLine(0);
    delay.GeometricCorrection();
    const std::vector<std::string> lines = Lines();
    EXPECT_EQ(lines[1].substr(0, 6), "[1000]");
    EXPECT_EQ(lines[3].substr(0, 7), "[10000]");
    delay.Clear();
    EXPECT_FALSE(delay.CorrectionEnabled());
}

}  // namespace
