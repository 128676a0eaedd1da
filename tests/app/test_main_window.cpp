// The main window driven through whole commands, every question answered by the scripted
// prompter: opening, the operation frame with its dialogs, conversion, saving, dropped files.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTextBlock>
#include <QTest>
#include <filesystem>

#include "app/about_box.h"
#include "app/window_test.h"
#include "core/profile_file.h"
#include "ops/dialogs/convert_dialogs.h"
#include "ops/dialogs/frame_rate_dialogs.h"
#include "ops/dialogs/line_error_dialog.h"

using namespace kravelo;
using namespace kravelo::test;
namespace fs = std::filesystem;

namespace {

// Answers the default-frame-rate dialog with a rate.
ScriptedPrompter::Script AnswerRate(const char* rate, bool* explanationShown = nullptr) {
    return [rate, explanationShown](QDialog& d) {
        if (explanationShown) *explanationShown = Find<QLabel>(d, "LabelDesc")->isVisible();
        Find<QComboBox>(d, "ComboBoxFps")->setEditText(QLatin1String(rate));
        ClickOk(d);
    };
}

ScriptedPrompter::Script AnswerShift(const char* seconds) {
    return [seconds](QDialog& d) {
        SetText(d, "EditSec", seconds);
        ClickOk(d);
    };
}

ScriptedPrompter::Script AnswerLineError(const char* radio) {
    return [radio](QDialog& d) {
        Find<QRadioButton>(d, radio)->setChecked(true);
        ClickOk(d);
    };
}

ScriptedPrompter::Script AnswerConvert(int target) {
    return [target](QDialog& d) {
        Find<QRadioButton>(d, ("RadioButton" + std::to_string(target)).c_str())->setChecked(true);
        ClickOk(d);
    };
}

const char* const kFrameLines =
    "{100}{250}Ala ma kota\r\n"
    "{260}{340}Drugi napis\r\n"
    "{400}{460}Trzeci napis\r\n"
    "{500}{560}Czwarty napis\r\n";

class MainWindowTest : public WindowTest {
protected:
    void SetUp() override {
        fs::create_directories(dir.path() / "out");
        Start("EditorEnabled=1\r\nSubtitlesFolder=" + dir.File("out") + "\r\n");
    }

    // Opens film.txt with the given lines at 25 fps, so that no frame-rate question comes.
    void OpenAt25(const std::string& text) {
        Open(dir.Write("film.txt", text));
        window->State().frameRate = 25.0;
    }

    // Selects lines [first, last] (the last one's break included).
    void SelectLines(int first, int last) {
        QTextDocument* doc = window->Editor()->document();
        QTextCursor c(doc);
        c.setPosition(doc->findBlockByNumber(first).position());
        QTextBlock after = doc->findBlockByNumber(last + 1);
        c.setPosition(after.isValid() ? after.position() : doc->characterCount() - 1, QTextCursor::KeepAnchor);
        window->Editor()->setTextCursor(c);
    }
};

// The window starts in the settings' language. The frame-rate question comes first and
// its Anuluj stops the command; a selection is shifted and stays selected; without one the whole
// document moves and the caret keeps its place.
TEST_F(MainWindowTest, ShiftThroughTheDialogs) {
    // english.klg reaches the dialogs made before it was loaded.
    EXPECT_EQ(window->ConvertDialog().Button2->text(), "Cancel");  // StdButtons

    Open(dir.Write("film.txt", kFrameLines));
    const std::vector<std::string> before = Lines();

    prompter.Dialog("FormPytanie09OkreslFPS", [](QDialog& d) { Find<QPushButton>(d, "Button2")->click(); });
    window->TimeShiftCommand();
    window->NudgeCommand(true);  // asks the same question and stops the same way
    EXPECT_EQ(Lines(), before);
    EXPECT_EQ(window->State().frameRate, 0.0);
    EXPECT_EQ(prompter.dialogsShown,
              (std::vector<QString>{"FormPytanie09OkreslFPS", "FormPytanie09OkreslFPS"}));

    SelectLines(1, 2);
    prompter.dialogsShown.clear();
    bool explanation = false;
    prompter.Dialog("FormPytanie09OkreslFPS", AnswerRate("25", &explanation));
    prompter.Dialog("FormPytanie03PrzesNap", AnswerShift("2"));
    window->TimeShiftCommand();
    EXPECT_EQ(prompter.dialogsShown, (std::vector<QString>{"FormPytanie09OkreslFPS", "FormPytanie03PrzesNap"}));
    EXPECT_TRUE(explanation);  // EnsureFrameRate shows the explanation
    // Lines 1 and 2 shifted and still selected, the break after line 2 included.
    EXPECT_EQ(Lines(), (std::vector<std::string>{"{100}{250}Ala ma kota", "{310}{390}Drugi napis",
                                                 "{450}{510}Trzeci napis", "{500}{560}Czwarty napis"}));
    QTextCursor c = window->Editor()->textCursor();
    QTextDocument* doc = window->Editor()->document();
    EXPECT_EQ(c.selectionStart(), doc->findBlockByNumber(1).position());
    EXPECT_EQ(c.selectionEnd(), doc->findBlockByNumber(3).position());
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(window->OpenDialogs().Value(), 0);

    // The whole document: the caret comes back to its place; negative times are reported once.
    c = QTextCursor(doc->findBlockByNumber(2));
    c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 7);
    window->Editor()->setTextCursor(c);
    prompter.Dialog("FormPytanie03PrzesNap", AnswerShift("-10"));
    window->TimeShiftCommand();
    EXPECT_EQ(Lines()[0].rfind("{-", 0), 0u) << Lines()[0];
    c = window->Editor()->textCursor();
    EXPECT_FALSE(c.hasSelection());
    EXPECT_EQ(c.blockNumber(), 2);
    EXPECT_EQ(c.positionInBlock(), 7);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, Text("Editor", "NegativeShowTime"));
    EXPECT_EQ(prompter.boxes[0].openDialogs, 1);  // the MessageBox wrapper counts the box
}

// The commands' keys win over the editor's own: Ctrl+D brings the shift dialog, which refuses
// zero frames and no box ticked; Ctrl+. nudges the caret's line.
TEST_F(MainWindowTest, KeysOfTheCommandsAndTheShiftDialogsRefusals) {
    OpenAt25(kFrameLines);
    const auto before = Lines();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->Editor()->setFocus();
    window->Editor()->selectAll();
    // Ctrl+D deletes in a QPlainTextEdit with X11 key bindings: the editor must not claim it.
    QKeyEvent ctrlD(QEvent::ShortcutOverride, Qt::Key_D, Qt::ControlModifier);
    QApplication::sendEvent(window->Editor(), &ctrlD);
    EXPECT_FALSE(ctrlD.isAccepted());
    QKeyEvent ctrlA(QEvent::ShortcutOverride, Qt::Key_A, Qt::ControlModifier);  // no command owns it
    QApplication::sendEvent(window->Editor(), &ctrlA);
    EXPECT_TRUE(ctrlA.isAccepted());
    prompter.Dialog("FormPytanie03PrzesNap", [&](QDialog& d) {
        SetText(d, "EditSec", "0.01");  // 0 frames at 25 fps
        ClickOk(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(LastBox(), Text("FormPytanie01Konwert", "IncorrectVal"));
        SetText(d, "EditSec", "2");
        Find<QCheckBox>(d, "CheckBoxFrom")->setChecked(false);
        Find<QCheckBox>(d, "CheckBoxTo")->setChecked(false);
        ClickOk(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(LastBox(), Text("FormPytanie03PrzesNap", "NothToDo"));
        Find<QPushButton>(d, "Button2")->click();
    });
    QTest::keyClick(window->Editor(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(prompter.dialogsShown, (std::vector<QString>{"FormPytanie03PrzesNap"}));
    EXPECT_EQ(Lines(), before);

    // Ctrl+. nudges the caret's line and leaves the caret where it was.
    QTextCursor c(window->Editor()->document());
    c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
    window->Editor()->setTextCursor(c);
    QTest::keyClick(window->Editor(), Qt::Key_Period, Qt::ControlModifier);
    EXPECT_EQ(Lines()[0], "{106}{256}Ala ma kota");
    EXPECT_EQ(window->Editor()->textCursor().position(), 3);
}

// A line that is no subtitle stops the command: Break (and Anuluj) leave everything and put the
// caret on it; Ignore and Delete act on the whole range, asked once per command.
TEST_F(MainWindowTest, LineErrorAnswers) {
    OpenAt25("{100}{250}Jeden\r\nzly\r\n{400}{460}Trzy\r\ntez zly\r\n{500}{560}Piec\r\n");
    const auto before = Lines();
    prompter.Dialog("FormPytanie12BladLinii", [&](QDialog& d) {
        // The check draws its red progress bar in status panel 0 while it runs.
        auto* panel = static_cast<ProgressPanel*>(window->StatusPanel(0));
        EXPECT_TRUE(panel->OwnerDrawn());
        AnswerLineError("RadioButtonBreak")(d);
    });
    window->TimeShiftCommand();
    EXPECT_FALSE(static_cast<ProgressPanel*>(window->StatusPanel(0))->OwnerDrawn());
    EXPECT_EQ(Lines(), before);
    EXPECT_EQ(prompter.dialogsShown, (std::vector<QString>{"FormPytanie12BladLinii"}));
    QTextCursor c = window->Editor()->textCursor();
    EXPECT_EQ(c.blockNumber(), 1);
    EXPECT_EQ(c.positionInBlock(), 0);

    // Anuluj counts as Break, and the next check starts with Break selected again.
    window->LineErrorDialog().RadioButtonDelete->setChecked(true);
    window->TimeShiftCommand();  // no script: the prompter presses Anuluj
    EXPECT_EQ(Lines(), before);
    EXPECT_TRUE(window->LineErrorDialog().RadioButtonBreak->isChecked());

    prompter.dialogsShown.clear();
    prompter.Dialog("FormPytanie12BladLinii", AnswerLineError("RadioButtonIgnore"));
    prompter.Dialog("FormPytanie03PrzesNap", AnswerShift("2"));
    window->TimeShiftCommand();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"{150}{300}Jeden", "zly", "{450}{510}Trzy", "tez zly", "{550}{610}Piec"}));
    prompter.Dialog("FormPytanie12BladLinii", AnswerLineError("RadioButtonDelete"));
    prompter.Dialog("FormPytanie03PrzesNap", AnswerShift("-2"));
    window->TimeShiftCommand();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"{100}{250}Jeden", "{400}{460}Trzy", "{500}{560}Piec"}));
    EXPECT_EQ(prompter.dialogsShown.size(), 4u);  // asked once per command
}

// Converting a selection puts the header in above it and selects the processed lines, moved by
// the ten header lines; the whole document converted back is the file as it was read.
TEST_F(MainWindowTest, ConversionToSsaAndBack) {
    Open(dir.Write("film.txt", "[40][100]Pierwszy\r\n[120][150]/Drugi/\r\n"));
    const auto original = Lines();

    SelectLines(1, 1);
    prompter.Dialog("FormPytanie09OkreslFPS", AnswerRate("25"));
    prompter.Dialog("FormPytanie01Konwert", [&](QDialog& d) {
        auto& dialog = static_cast<TFormPytanie01Konwert&>(d);
        dialog.RadioButtons[4]->setChecked(true);
        dialog.SsaEdits[1]->setText("0");  // a font size of 0 is refused
        ClickOk(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(LastBox(), Text("FormPytanie01Konwert", "IncorrectVal"));
        dialog.SsaEdits[1]->setText("30");
        ClickOk(d);
    });
    window->ConvertCommand();
    EXPECT_EQ(window->State().documentFormat, 5);
    EXPECT_EQ(window->GetSettings().SSA.fontSize, 30);
    ASSERT_EQ(Lines().size(), 12u);  // the header and the events; their text is the converter's
    EXPECT_EQ(Lines()[10], "[40][100]Pierwszy");  // outside the selection: unchanged
    EXPECT_EQ(window->Editor()->textCursor().selectionStart(),
              window->Editor()->document()->findBlockByNumber(11).position());
    EXPECT_TRUE(window->State().ssa.EventsKnown());

    // Saving an SSA document read from a ".txt" file becomes save-as with ".ssa" proposed.
    window->SaveDocument();
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    EXPECT_EQ(prompter.saveRequests[0].fileName, Q(dir.File("film.ssa")));
    EXPECT_EQ(prompter.saveRequests[0].filterIndex, 2);
    EXPECT_TRUE(window->Editor()->document()->isModified());  // cancelled: nothing written

    window->GoToLine(0);
    prompter.Dialog("FormPytanie01Konwert", AnswerConvert(4));
    window->ConvertCommand();
    EXPECT_EQ(Lines(), original);
    EXPECT_EQ(window->State().documentFormat, 4);
}

// Each save renews the one marker and keeps the previous file as a backup; save-as asks before
// it overwrites.
TEST_F(MainWindowTest, SavingKeepsOneMarkerABackupAndAsksBeforeOverwriting) {
    OpenAt25(kFrameLines);
    const std::string path = dir.File("film.txt");
    window->Editor()->appendPlainText("{600}{700}Piaty napis");
    window->SaveDocument();  // a plain save: nothing asked
    EXPECT_EQ(TempDir::Read(dir.File("film.bak")), kFrameLines);  // ".txt" replaced by ".bak"
    const std::string first = TempDir::Read(path);
    ASSERT_EQ(first.rfind("{1}{75}/Edited with Kravelo b.", 0), 0u) << first;
    EXPECT_NE(first.find("\r\n{600}{700}Piaty napis\r\n"), std::string::npos);

    // Saved again: the marker is renewed, not added, and the backup holds the first save.
    window->Editor()->appendPlainText("{800}{900}Szosty");
    window->SaveDocument();
    EXPECT_EQ(TempDir::Read(dir.File("film.bak")), first);
    const std::string second = TempDir::Read(path);
    EXPECT_EQ(second.rfind("{1}{75}/Edited with Kravelo b.", 0), 0u) << second;
    EXPECT_EQ(second.find("Edited with"), second.rfind("Edited with"));

    // Save-as over an existing file asks first; No writes nothing and keeps the name.
    const std::string other = dir.Write("inny.txt", "stary\r\n");
    prompter.saveAnswers.push_back(Q(other));
    prompter.answers.push_back(BoxAnswer::No);
    window->SaveDocumentAs();
    EXPECT_EQ(LastBox(), Text("Form1", "FileExists"));
    EXPECT_EQ(TempDir::Read(other), "stary\r\n");
    EXPECT_EQ(window->LabelFileName()->text(), Q(path));
    prompter.saveAnswers.push_back(Q(other));
    prompter.answers.push_back(BoxAnswer::Yes);
    window->SaveDocumentAs();
    EXPECT_EQ(window->LabelFileName()->text(), Q(other));
    EXPECT_NE(TempDir::Read(other).find("{800}{900}Szosty"), std::string::npos);
}

TEST_F(MainWindowTest, SaveFailureOffersSaveAsInTheSubtitlesFolder) {
    fs::create_directories(dir.path() / "media");
    const std::string path = dir.Write("media/film.txt", kFrameLines);
    Open(path);
    window->Editor()->appendPlainText("{700}{800}Nowy");
    // The folder becomes a regular file: nobody, root included, can write film.txt there.
    fs::rename(dir.path() / "media", dir.path() / "media-moved");
    dir.Write("media", "not a folder");

    const QString target = Q(dir.File("out/film.txt"));
    prompter.saveAnswers.push_back(target);
    window->SaveDocument();
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    EXPECT_EQ(prompter.saveRequests[0].folder, Q(dir.File("out")));
    EXPECT_EQ(prompter.saveRequests[0].fileName, target);
    EXPECT_EQ(window->LabelFileName()->text(), target);
    EXPECT_FALSE(window->Editor()->document()->isModified());
    EXPECT_NE(TempDir::Read(target.toStdString()).find("{700}{800}Nowy"), std::string::npos);
}

TEST_F(MainWindowTest, Windows1250FileWithCharactersItCannotHoldIsSavedAsUtf8OnlyWhenTheUserAgrees) {
    const std::string path = dir.Write("cp.txt", "{100}{200}\xb9\xe6\r\n");  // "ąć" in Windows-1250
    Open(path);
    window->GetSettings().CreateBackupFile = false;
    window->Editor()->appendPlainText(QString::fromUtf8("{300}{400}日本"));
    prompter.answers.push_back(BoxAnswer::No);
    window->SaveDocument();
    EXPECT_TRUE(window->Editor()->document()->isModified());
    EXPECT_EQ(TempDir::Read(path), "{100}{200}\xb9\xe6\r\n");  // nothing written
    prompter.answers.push_back(BoxAnswer::Yes);
    window->SaveDocument();
    EXPECT_FALSE(window->Editor()->document()->isModified());
    EXPECT_NE(TempDir::Read(path).find("日本"), std::string::npos);
    EXPECT_EQ(window->FileTextFormat().encoding, TextEncoding::Utf8);
}

// A SubRip file answered No stays SubRip; answered Yes it is converted and saved as ".txt".
TEST_F(MainWindowTest, SubRipIsConvertedOnlyWhenTheUserAgrees) {
    const std::string srt = dir.Write("film.srt",
                                      "1\r\n00:00:01,000 --> 00:00:02,500\r\nPierwszy\r\n\r\n"
                                      "2\r\n00:00:03,000 --> 00:00:04,000\r\nDrugi\r\nwiersz\r\n");
    Open(srt);
    EXPECT_EQ(LastBox(), Text("Form1", "SRTOpening"));
    EXPECT_EQ(window->State().documentFormat, 99);
    EXPECT_EQ(Lines().size(), 8u);

    prompter.answers.push_back(BoxAnswer::Yes);
    prompter.Dialog("FormPytanie09OkreslFPS", AnswerRate("25"));
    prompter.Dialog("FormPytanie01Konwert", AnswerConvert(4));
    Open(srt);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"[10][25]Pierwszy", "[30][40]Drugi|wiersz"}));
    window->SaveDocument();
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    EXPECT_EQ(prompter.saveRequests[0].fileName, Q(dir.File("film.txt")));
}

// Replacing or closing a modified document asks first: Anuluj keeps it and the window open, No
// drops it. Closing saves the settings.
TEST_F(MainWindowTest, ModifiedDocumentAsksBeforeItIsReplacedOrTheWindowCloses) {
    Open(dir.Write("film.txt", kFrameLines));
    EXPECT_EQ(window->GetSettings().LastSubFile, dir.File("film.txt"));
    window->Editor()->appendPlainText("zmiana");
    prompter.answers.push_back(BoxAnswer::Cancel);
    window->CloseDocument();
    prompter.answers.push_back(BoxAnswer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->Closing());
    EXPECT_EQ(Lines().size(), 5u);
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[0].text, Text("Form1", "TxtFileModify"));
    EXPECT_EQ(prompter.boxes[0].buttons, BoxButtons::YesNoCancel);
    EXPECT_EQ(prompter.boxes[1].text, Text("Form1", "TxtFileModify"));

    prompter.answers.push_back(BoxAnswer::No);
    window->CloseDocument();
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(window->LabelFileName()->text(), Text("Form1", "LabelDefaultFileName_Cpt"));
    EXPECT_EQ(window->GetSettings().LastSubFile, "");

    window->GetSettings().SystemCrashed = true;
    // The running time of this run (an hour on the test's clock) is added to the stored one,
    // once however often the settings are written.
    const double started = window->secondsNow();
    window->secondsNow = [started] { return started + 3600.0; };
    window->SaveSettingsNow();
    EXPECT_TRUE(window->close());
    const std::string ini = TempDir::Read(dir.File("prog/kravelo.ini"));
    EXPECT_NE(ini.find("SystemCrashed=0"), std::string::npos);
    EXPECT_NE(ini.find("Filename1=" + dir.File("film.txt")), std::string::npos);
    const double working = ProfileFile(dir.File("prog/kravelo.ini")).ReadFloat("Statistics", "WorkingTime", 0.0);
    EXPECT_GE(working, 3600.0);
    EXPECT_LE(working, 3660.0);
}

TEST_F(MainWindowTest, AppendAddsTheLinesUnchangedAndKeepsTheName) {
    const std::string path = dir.Write("film.txt", kFrameLines);
    Open(path);
    prompter.openAnswers.push_back(Q(dir.Write("dodatek.txt", "00:01:00:Czasowy\r\n")));
    window->AppendCommand();
    ASSERT_EQ(Lines().size(), 5u);
    EXPECT_EQ(Lines()[4], "00:01:00:Czasowy");
    EXPECT_EQ(window->LabelFileName()->text(), Q(path));
    EXPECT_TRUE(window->Editor()->document()->isModified());
}

TEST_F(MainWindowTest, ActiveFormatFollowsTheFileAndTheDialog) {
    Open(dir.Write("film.txt", "[40][100]Pierwszy\r\n"));
    const QString prefix = Text("Form1", "ActiveSubtitlesFormat");
    EXPECT_EQ(window->Action("FRM_MPL1")->text(), prefix + " [000][000]");
    prompter.Dialog("FormPytanie14SetFormat", [&](QDialog& d) {
        auto& dialog = static_cast<TFormPytanie14SetFormat&>(d);
        EXPECT_TRUE(dialog.RadioButtons[3]->isChecked());
        dialog.RadioButtons[4]->setChecked(true);
        ClickOk(d);
    });
    window->ActiveFormatCommand();
    EXPECT_EQ(window->GetSettings().DefaultSubtitlesFormat, 5);
    EXPECT_EQ(window->Action("FRM_MPL1")->text(), prefix + " SSA...");
    window->SetActiveFormat(0);
    EXPECT_EQ(window->Action("FRM_MPL1")->text(), prefix + " NA");
}

TEST_F(MainWindowTest, FrameRateChangeAndDefaultFrameRate) {
    Open(dir.Write("film.txt", "{250}{300}Tekst\r\n00:00:05:Czasowy\r\n"));
    prompter.Dialog("FormPytanie06ZmianaFPSNap", [&](QDialog& d) {
        Find<QComboBox>(d, "ComboBoxFpsAct")->setEditText("25");
        Find<QComboBox>(d, "ComboBoxFpsDest")->setEditText("25.000");
        ClickOk(d);  // equal rates
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(LastBox(), Text("FormPytanie03PrzesNap", "NothToDo"));
        Find<QComboBox>(d, "ComboBoxFpsDest")->setEditText("30");
        ClickOk(d);
    });
    window->FrameRateChangeCommand();
    // No frame rate asked for: an unscripted question would have stopped the command.
    EXPECT_EQ(Lines(), (std::vector<std::string>{"{300}{360}Tekst", "00:00:05:Czasowy"}));

    bool explanation = true;
    prompter.Dialog("FormPytanie09OkreslFPS", AnswerRate("23.976", &explanation));
    window->DefaultFrameRateCommand();
    EXPECT_FALSE(explanation);  // the menu command uses the short layout
    EXPECT_TRUE(window->DefaultFrameRateDialog().ExplanationVisible());
    EXPECT_EQ(window->State().frameRate, 23.976);
    EXPECT_EQ(window->FrameRateChangeDialog().LabelFps2->text(), "23.976");
}

TEST_F(MainWindowTest, RecentSubtitleMenu) {
    const std::string a = dir.Write("a.txt", kFrameLines);
    const std::string b = dir.Write("b.txt", kFrameLines);
    Open(a);
    Open(b);
    EXPECT_EQ(window->Action("reopentxt1")->text(), "&a " + Q(b));
    EXPECT_EQ(window->Action("reopentxt2")->text(), "&b " + Q(a));
    EXPECT_TRUE(window->Action("reopentxt2")->isVisible());
    EXPECT_FALSE(window->Action("reopentxt3")->isVisible());
    window->ReopenSubtitle(1);
    EXPECT_EQ(window->LabelFileName()->text(), Q(a));
}

TEST_F(MainWindowTest, FaqPagesAndTheAboutBox) {
    std::vector<QUrl> opened;
    window->openUrl = [&](const QUrl& url) { opened.push_back(url); };
    window->OpenFaq("faq_brak.html");  // nowhere
    EXPECT_EQ(LastBox(),
              Text("Form1", "CantLocalizeFile") + " \"" + Q(dir.File("prog/faq_brak.html")) + "\"");
    window->OpenFaq("faq_program.html");  // the shipped page, from the share folder's help/
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(Q(std::string(KRAVELO_SOURCE_DIR) + "/data/help/faq_program.html")));
    dir.Write("prog/faq_edycja.html", "<html></html>");  // the program folder comes first
    window->OpenFaq("faq_edycja.html");
    EXPECT_EQ(opened.back(), QUrl::fromLocalFile(Q(dir.File("prog/faq_edycja.html"))));
    opened.clear();

    prompter.Dialog("FormInformacje", [&](QDialog& d) {
        auto& about = static_cast<TFormInformacje&>(d);
        emit about.LabelWWW->clicked(about.LabelWWW->Url());
        ClickOk(d);
    });
    window->AboutCommand();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toString(), "https://kravelo.org");
    // Not over another dialog.
    prompter.dialogsShown.clear();
    {
        OpenDialogScope busy(window->OpenDialogs());
        window->AboutCommand();
    }
    EXPECT_TRUE(prompter.dialogsShown.empty());
}

}  // namespace
