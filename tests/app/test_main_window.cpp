// The main window driven through whole commands, every question answered by the scripted
// prompter: opening, the operation frame with its dialogs, conversion, saving, dropped files.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/about_box.h"
#include "app/main_window.h"
#include "app/scripted_prompter.h"
#include "core/marker.h"
#include "core/profile_file.h"
#include "core/ssa.h"
#include "ops/dialogs/convert_dialogs.h"
#include "ops/dialogs/frame_rate_dialogs.h"
#include "ops/dialogs/line_error_dialog.h"
#include "ops/dialogs/shift_dialog.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::ScriptedPrompter;
using kravelo::test::TempDir;
namespace fs = std::filesystem;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

template <typename T>
T* Find(QDialog& d, const char* name) {
    T* w = d.findChild<T*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void ClickOk(QDialog& d) { Find<QPushButton>(d, "Button1")->click(); }

// Answers the default-frame-rate dialog with a rate.
ScriptedPrompter::Script AnswerRate(const char* rate, bool* explanationShown = nullptr) {
    return [rate, explanationShown](QDialog& d) {
        if (explanationShown) *explanationShown = Find<QLabel>(d, "LabelDesc")->isVisible();
        Find<QComboBox>(d, "ComboBoxFps")->setEditText(QLatin1String(rate));
        ClickOk(d);
    };
}

ScriptedPrompter::Script AnswerShift(const char* seconds, QString* framesShown = nullptr) {
    return [seconds, framesShown](QDialog& d) {
        Find<QLineEdit>(d, "EditSec")->setText(QLatin1String(seconds));
        if (framesShown) *framesShown = Find<QLineEdit>(d, "EditFrm")->text();
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

const char* const kSubRip =
    "1\r\n00:00:01,000 --> 00:00:02,500\r\nPierwszy\r\n\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\nDrugi\r\nwiersz\r\n";

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir.path() / "prog");
        fs::create_directories(dir.path() / "out");
        dir.Write("prog/kravelo.ini", "[Settings]\r\nFirstStart=0\r\nLanguageFile=english.klg\r\nEditorEnabled=1\r\nSubtitlesFolder=" +
                                          dir.File("out") + "\r\n");
        MainWindowPaths paths{dir.File("prog"), dir.File("config"), std::string(KRAVELO_SOURCE_DIR) + "/data"};
        window = std::make_unique<MainWindow>(paths, &prompter);
        prompter.counter = &window->OpenDialogs();
        window->show();
        ASSERT_TRUE(window->StartupDone());
    }

    std::vector<std::string> Lines() const { return EditorLines(*window->Editor()->document()); }
    QString Text(const char* section, const char* key) const { return window->GetPrompts().Text(section, key); }

    // Opens a file through the open command and its file dialog.
    void Open(const std::string& path) {
        prompter.openAnswers.push_back(Q(path));
        window->OpenCommand();
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

    TempDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, StartsWithAnEmptyDocumentAndTheLanguageApplied) {
    EXPECT_EQ(window->LabelFileName()->text(), "No subtitle file");
    EXPECT_TRUE(Lines().empty());
    EXPECT_FALSE(window->Action("Zapisz1")->isEnabled());
    EXPECT_TRUE(prompter.boxes.empty());
    // english.klg reaches the menus and the dialogs made before it was loaded.
    EXPECT_EQ(window->Action("Open1")->text(), "Open subtitle file");
    EXPECT_EQ(window->ConvertDialog().Button2->text(), "Cancel");  // StdButtons
}

TEST_F(MainWindowTest, ShiftOfSelectedLinesThroughTheDialogs) {
    std::string path = dir.Write("film.txt", kFrameLines);
    Open(path);
    ASSERT_EQ(Lines().size(), 4u);
    EXPECT_EQ(window->LabelFileName()->text(), Q(path));
    EXPECT_EQ(window->State().documentFormat, 1);
    EXPECT_FALSE(window->Editor()->document()->isModified());

    const std::vector<std::string> before = Lines();
    SelectLines(1, 2);
    bool explanation = false;
    QString frames;
    prompter.Dialog("FormPytanie09OkreslFPS", AnswerRate("25", &explanation));
    prompter.Dialog("FormPytanie03PrzesNap", AnswerShift("1.5", &frames));
    window->TimeShiftCommand();

    EXPECT_EQ(prompter.dialogsShown, (std::vector<QString>{"FormPytanie09OkreslFPS", "FormPytanie03PrzesNap"}));
    EXPECT_TRUE(explanation);  // EnsureFrameRate shows the explanation
    EXPECT_EQ(frames, "37");   // 1.5 s at 25 fps
    EXPECT_EQ(window->State().frameRate, 25.0);

    // Lines 1 and 2 shifted (the arithmetic is the shift engine's), the others untouched.
    EXPECT_EQ(Lines()[0], before[0]);
    EXPECT_NE(Lines()[1], before[1]);
    EXPECT_NE(Lines()[2], before[2]);
    EXPECT_EQ(Lines()[3], before[3]);

    // Lines 1 and 2 selected, including the break after line 2.
    QTextCursor c = window->Editor()->textCursor();
    QTextDocument* doc = window->Editor()->document();
    EXPECT_EQ(c.selectionStart(), doc->findBlockByNumber(1).position());
    EXPECT_EQ(c.selectionEnd(), doc->findBlockByNumber(3).position());

    EXPECT_TRUE(doc->isModified());
    EXPECT_TRUE(window->Action("Zapisz1")->isEnabled());
    EXPECT_EQ(window->OpenDialogs().Value(), 0);
}

TEST_F(MainWindowTest, ShiftOfTheWholeDocumentPutsTheCaretBackAndWarnsOnceOfNegativeTimes) {
    OpenAt25(kFrameLines);
    QTextCursor c(window->Editor()->document()->findBlockByNumber(2));
    c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 7);
    window->Editor()->setTextCursor(c);
    prompter.Dialog("FormPytanie03PrzesNap", AnswerShift("-10"));
    window->TimeShiftCommand();

    EXPECT_EQ(Lines()[0].rfind("{-", 0), 0u) << Lines()[0];
    QTextCursor after = window->Editor()->textCursor();
    EXPECT_FALSE(after.hasSelection());
    EXPECT_EQ(after.blockNumber(), 2);
    EXPECT_EQ(after.positionInBlock(), 7);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, Text("Editor", "NegativeShowTime"));
    EXPECT_EQ(prompter.boxes[0].openDialogs, 1);  // the MessageBox wrapper counts the box
}

TEST_F(MainWindowTest, KeysOfTheCommandsWinOverTheEditorsOwn) {
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

TEST_F(MainWindowTest, ShiftDialogRefusesZeroFramesAndNoBoxTicked) {
    OpenAt25(kFrameLines);
    const auto before = Lines();
    prompter.Dialog("FormPytanie03PrzesNap", [&](QDialog& d) {
        Find<QLineEdit>(d, "EditSec")->setText("0.01");  // 0 frames at 25 fps
        ClickOk(d);
        EXPECT_TRUE(d.isVisible());
        Find<QLineEdit>(d, "EditFrm")->setText("50");
        EXPECT_EQ(Find<QLineEdit>(d, "EditSec")->text(), "2");
        Find<QCheckBox>(d, "CheckBoxFrom")->setChecked(false);
        Find<QCheckBox>(d, "CheckBoxTo")->setChecked(false);
        ClickOk(d);
        EXPECT_TRUE(d.isVisible());
        Find<QPushButton>(d, "Button2")->click();
    });
    window->TimeShiftCommand();
    EXPECT_EQ(Lines(), before);
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[0].text, Text("FormPytanie01Konwert", "IncorrectVal"));
    EXPECT_EQ(prompter.boxes[1].text, Text("FormPytanie03PrzesNap", "NothToDo"));
    // The fields keep their values for the next use.
    window->ShiftDialog().show();
    EXPECT_EQ(window->ShiftDialog().EditFrm->text(), "50");
    window->ShiftDialog().reject();
}

TEST_F(MainWindowTest, LineErrorBreakLeavesEverythingAndPutsTheCaretOnTheLine) {
    OpenAt25("{100}{250}Jeden\r\n{260}{340}Dwa\r\nto nie jest napis\r\n{400}{460}Cztery\r\n");
    const auto before = Lines();
    prompter.Dialog("FormPytanie12BladLinii", [&](QDialog& d) {
        // The check draws its red progress bar in status panel 0 while it runs.
        auto* panel = static_cast<ProgressPanel*>(window->StatusPanel(0));
        EXPECT_TRUE(panel->OwnerDrawn());
        EXPECT_EQ(panel->BarColor(), QColor(255, 0, 0));
        AnswerLineError("RadioButtonBreak")(d);
    });
    window->TimeShiftCommand();
    EXPECT_FALSE(static_cast<ProgressPanel*>(window->StatusPanel(0))->OwnerDrawn());
    EXPECT_EQ(Lines(), before);
    EXPECT_EQ(prompter.dialogsShown, (std::vector<QString>{"FormPytanie12BladLinii"}));
    QTextCursor c = window->Editor()->textCursor();
    EXPECT_EQ(c.blockNumber(), 2);
    EXPECT_EQ(c.positionInBlock(), 0);
    EXPECT_FALSE(window->Editor()->document()->isModified());
    EXPECT_EQ(window->OpenDialogs().Value(), 0);

    // Anuluj counts as Break, and the next check starts with Break selected again.
    prompter.dialogsShown.clear();
    window->LineErrorDialog().RadioButtonDelete->setChecked(true);
    window->TimeShiftCommand();  // no script: the prompter presses Anuluj
    EXPECT_EQ(Lines(), before);
    EXPECT_TRUE(window->LineErrorDialog().RadioButtonBreak->isChecked());
}

TEST_F(MainWindowTest, LineErrorIgnoreAndDeleteActOnTheWholeRange) {
    OpenAt25("{100}{250}Jeden\r\nzly\r\n{400}{460}Trzy\r\ntez zly\r\n{500}{560}Piec\r\n");
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

TEST_F(MainWindowTest, CancelledFrameRateQuestionChangesNothing) {
    Open(dir.Write("film.txt", kFrameLines));
    const auto before = Lines();
    prompter.Dialog("FormPytanie09OkreslFPS", [](QDialog& d) { Find<QPushButton>(d, "Button2")->click(); });
    window->TimeShiftCommand();
    EXPECT_EQ(Lines(), before);
    EXPECT_EQ(window->State().frameRate, 0.0);
    EXPECT_EQ(prompter.dialogsShown, (std::vector<QString>{"FormPytanie09OkreslFPS"}));
    EXPECT_FALSE(window->Editor()->document()->isModified());
    EXPECT_EQ(window->OpenDialogs().Value(), 0);

    // A nudge asks the same question and stops the same way.
    window->NudgeCommand(true);
    EXPECT_EQ(Lines(), before);
}

TEST_F(MainWindowTest, ConversionToSsaAndBack) {
    const std::string path = dir.Write("film.txt", "[40][100]Pierwszy\r\n[120][150]/Drugi/\r\n");
    Open(path);
    const auto original = Lines();
    EXPECT_EQ(window->State().activeFormat, 4);

    prompter.Dialog("FormPytanie09OkreslFPS", AnswerRate("25"));
    prompter.Dialog("FormPytanie01Konwert", [&](QDialog& d) {
        auto& dialog = static_cast<TFormPytanie01Konwert&>(d);
        dialog.RadioButtons[4]->setChecked(true);
        dialog.SsaEdits[1]->setText("0");  // a font size of 0 is refused
        ClickOk(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(dialog.SsaEdits[1]->hasFocus() || !d.isActiveWindow());
        dialog.SsaEdits[1]->setText("30");
        ClickOk(d);
    });
    window->ConvertCommand();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, Text("FormPytanie01Konwert", "IncorrectVal"));
    EXPECT_EQ(window->State().documentFormat, 5);
    EXPECT_EQ(window->GetSettings().SSA.fontSize, 30);
    std::vector<std::string> ssa = Lines();
    ASSERT_EQ(ssa.size(), 12u);  // the header and the events; their text is the converter's
    EXPECT_TRUE(window->State().ssa.EventsKnown());
    EXPECT_FALSE(window->Action("Cofnij1")->isEnabled());

    // Saving an SSA document read from a ".txt" file becomes save-as with ".ssa" proposed.
    window->SaveDocument();
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    EXPECT_EQ(prompter.saveRequests[0].fileName, Q(dir.File("film.ssa")));
    EXPECT_EQ(prompter.saveRequests[0].filterIndex, 2);
    EXPECT_TRUE(window->Editor()->document()->isModified());  // cancelled: nothing written

    prompter.Dialog("FormPytanie01Konwert", AnswerConvert(4));
    window->ConvertCommand();
    EXPECT_EQ(Lines(), original);
    EXPECT_EQ(window->State().documentFormat, 4);
    EXPECT_EQ(prompter.boxes.size(), 1u);
}

TEST_F(MainWindowTest, ConversionOfASelectionFurtherDownMovesWithTheHeader) {
    OpenAt25("[10][20]A\r\n[30][40]B\r\n[50][60]C\r\n");
    SelectLines(1, 2);
    prompter.Dialog("FormPytanie01Konwert", AnswerConvert(5));
    window->ConvertCommand();
    ASSERT_EQ(Lines().size(), 13u);
    EXPECT_EQ(Lines()[10], "[10][20]A");  // outside the selection: unchanged
    // The processed lines (moved by the ten header lines) are selected.
    QTextCursor c = window->Editor()->textCursor();
    QTextDocument* doc = window->Editor()->document();
    EXPECT_EQ(c.selectionStart(), doc->findBlockByNumber(11).position());
}

TEST_F(MainWindowTest, SavingTwiceKeepsOneMarkerAndABackupOfThePreviousFile) {
    const std::string path = dir.Write("napisy.txt", kFrameLines);
    Open(path);
    window->State().frameRate = 25.0;
    QTextCursor c(window->Editor()->document());
    c.movePosition(QTextCursor::End);
    c.insertText("\n{600}{700}Piaty napis");
    window->SaveDocument();
    EXPECT_TRUE(prompter.saveRequests.empty());  // a plain save
    EXPECT_FALSE(window->Editor()->document()->isModified());
    EXPECT_EQ(TempDir::Read(dir.File("napisy.bak")), kFrameLines);  // ".txt" replaced by ".bak"

    std::string first = TempDir::Read(path);
    ASSERT_EQ(first.rfind("{1}{75}/Edited with Kravelo b.", 0), 0u) << first;
    EXPECT_NE(first.find("\r\n{600}{700}Piaty napis\r\n"), std::string::npos);

    c.movePosition(QTextCursor::End);
    c.insertText("\n{800}{900}Szosty");
    window->SaveDocument();
    EXPECT_EQ(TempDir::Read(dir.File("napisy.bak")), first);
    TextDocument saved;
    std::string error;
    ASSERT_TRUE(ReadTextFile(path, saved, error));
    int markers = 0;
    for (const auto& line : saved.lines) markers += IsMarkerLine(line) ? 1 : 0;
    EXPECT_EQ(markers, 1);
    EXPECT_TRUE(IsMarkerLine(saved.lines[0]));
    EXPECT_EQ(saved.lines.size(), 7u);
}

TEST_F(MainWindowTest, SaveFailureOffersSaveAsInTheSubtitlesFolder) {
    fs::create_directories(dir.path() / "media");
    const std::string path = dir.Write("media/film.txt", kFrameLines);
    Open(path);
    window->State().frameRate = 25.0;
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

TEST_F(MainWindowTest, SaveAsOverAnExistingFileAsksFirst) {
    Open(dir.Write("film.txt", kFrameLines));
    const std::string other = dir.Write("inny.txt", "stary\r\n");
    prompter.saveAnswers.push_back(Q(other));
    prompter.answers.push_back(BoxAnswer::No);
    window->SaveDocumentAs();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, Text("Form1", "FileExists"));
    EXPECT_EQ(TempDir::Read(other), "stary\r\n");
    EXPECT_EQ(window->LabelFileName()->text(), Q(dir.File("film.txt")));

    prompter.saveAnswers.push_back(Q(other));
    prompter.answers.push_back(BoxAnswer::Yes);
    window->SaveDocumentAs();
    EXPECT_EQ(window->LabelFileName()->text(), Q(other));
    EXPECT_NE(TempDir::Read(other).find("{100}{250}Ala ma kota"), std::string::npos);
}

TEST_F(MainWindowTest, Windows1250FileWithCharactersItCannotHoldIsSavedAsUtf8OnlyWhenTheUserAgrees) {
    const std::string path = dir.Write("cp.txt", "{100}{200}\xb9\xe6\r\n");  // "ąć" in Windows-1250
    Open(path);
    EXPECT_EQ(window->FileTextFormat().encoding, TextEncoding::Windows1250);
    EXPECT_EQ(Lines()[0], "{100}{200}ąć");
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

TEST_F(MainWindowTest, SubRipAnsweredNoStaysSubRip) {
    const std::string srt = kSubRip;
    Open(dir.Write("film.srt", srt));
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, Text("Form1", "SRTOpening"));
    EXPECT_EQ(window->State().documentFormat, 99);
    EXPECT_EQ(window->State().fileFormat, 99);
    EXPECT_EQ(Lines().size(), 8u);
    EXPECT_TRUE(prompter.dialogsShown.empty());
}

TEST_F(MainWindowTest, SubRipAnsweredYesIsConverted) {
    const std::string srt = kSubRip;
    prompter.answers.push_back(BoxAnswer::Yes);
    prompter.Dialog("FormPytanie09OkreslFPS", AnswerRate("25"));
    prompter.Dialog("FormPytanie01Konwert", AnswerConvert(4));
    Open(dir.Write("film.srt", srt));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"[10][25]Pierwszy", "[30][40]Drugi|wiersz"}));
    EXPECT_EQ(window->State().documentFormat, 4);
    // A converted SubRip document is saved as a ".txt" file.
    window->SaveDocument();
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    EXPECT_EQ(prompter.saveRequests[0].fileName, Q(dir.File("film.txt")));
}

TEST_F(MainWindowTest, DroppedUnknownFileShowsTheBoxAndTheOthersStillOpen) {
    const std::string sub = dir.Write("film.txt", kFrameLines);
    const std::string other = dir.Write("notatki.doc", "x");
    window->DropFiles({Q(other), Q(sub)});
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, Text("Form1", "CantRecognizeExt") + " :\n" + Q(other));
    EXPECT_EQ(window->LabelFileName()->text(), Q(sub));
    EXPECT_EQ(Lines().size(), 4u);
}

TEST_F(MainWindowTest, ReplacingAModifiedDocumentAsksFirst) {
    Open(dir.Write("film.txt", kFrameLines));
    window->Editor()->appendPlainText("zmiana");
    prompter.answers.push_back(BoxAnswer::Cancel);
    window->CloseDocument();
    EXPECT_EQ(Lines().size(), 5u);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, Text("Form1", "TxtFileModify"));
    EXPECT_EQ(prompter.boxes[0].buttons, BoxButtons::YesNoCancel);

    prompter.answers.push_back(BoxAnswer::No);
    window->CloseDocument();
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(window->LabelFileName()->text(), Text("Form1", "LabelDefaultFileName_Cpt"));
    EXPECT_EQ(window->GetSettings().LastSubFile, "");
}

TEST_F(MainWindowTest, ClosingAsksAboutChangesAndSavesTheSettings) {
    Open(dir.Write("film.txt", kFrameLines));
    window->Editor()->appendPlainText("zmiana");
    prompter.answers.push_back(BoxAnswer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->Closing());

    window->GetSettings().SystemCrashed = true;
    // The running time of this run (an hour on the test's clock) is added to the stored one,
    // once however often the settings are written.
    const double started = window->secondsNow();
    window->secondsNow = [started] { return started + 3600.0; };
    window->SaveSettingsNow();
    prompter.answers.push_back(BoxAnswer::No);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(window->Closing());
    const std::string ini = TempDir::Read(dir.File("prog/kravelo.ini"));
    EXPECT_NE(ini.find("SystemCrashed=0"), std::string::npos);
    EXPECT_NE(ini.find("SubtitleFilename=" + dir.File("film.txt")), std::string::npos);
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
    EXPECT_EQ(window->State().activeFormat, 5);
    EXPECT_EQ(window->GetSettings().DefaultSubtitlesFormat, 5);
    EXPECT_EQ(window->Action("FRM_MPL1")->text(), prefix + " SSA...");
    window->SetActiveFormat(0);
    EXPECT_EQ(window->Action("FRM_MPL1")->text(), prefix + " NA");
}

TEST_F(MainWindowTest, FrameRateChangeAndDefaultFrameRate) {
    Open(dir.Write("film.txt", "{250}{300}Tekst\r\n00:00:05:Czasowy\r\n"));
    prompter.Dialog("FormPytanie06ZmianaFPSNap", [](QDialog& d) {
        Find<QComboBox>(d, "ComboBoxFpsAct")->setEditText("25");
        Find<QComboBox>(d, "ComboBoxFpsDest")->setEditText("25.000");
        ClickOk(d);  // equal rates: NothToDo
        EXPECT_TRUE(d.isVisible());
        Find<QComboBox>(d, "ComboBoxFpsDest")->setEditText("30");
        ClickOk(d);
    });
    window->FrameRateChangeCommand();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, Text("FormPytanie03PrzesNap", "NothToDo"));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"{300}{360}Tekst", "00:00:05:Czasowy"}));
    EXPECT_EQ(window->State().frameRate, 0.0);  // no frame rate asked for

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
    EXPECT_FALSE(window->Action("reopentxt1")->isVisible());
    Open(a);
    Open(b);
    EXPECT_EQ(window->Action("reopentxt1")->text(), "&a " + Q(b));
    EXPECT_EQ(window->Action("reopentxt2")->text(), "&b " + Q(a));
    EXPECT_TRUE(window->Action("reopentxt2")->isVisible());
    EXPECT_FALSE(window->Action("reopentxt3")->isVisible());
    window->ReopenSubtitle(1);
    EXPECT_EQ(window->LabelFileName()->text(), Q(a));
    EXPECT_EQ(window->Action("reopentxt1")->text(), "&a " + Q(a));
}

TEST_F(MainWindowTest, FaqPagesAndTheAboutBox) {
    std::vector<QUrl> opened;
    window->openUrl = [&](const QUrl& url) { opened.push_back(url); };
    window->OpenFaq("faq_brak.html");  // nowhere
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text,
              Text("Form1", "CantLocalizeFile") + " \"" + Q(dir.File("prog/faq_brak.html")) + "\"");
    EXPECT_TRUE(opened.empty());
    window->OpenFaq("faq_program.html");  // the shipped page, from the share folder's help/
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(Q(std::string(KRAVELO_SOURCE_DIR) + "/data/help/faq_program.html")));
    dir.Write("prog/faq_edycja.html", "<html></html>");  // the program folder comes first
    window->OpenFaq("faq_edycja.html");
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1], QUrl::fromLocalFile(Q(dir.File("prog/faq_edycja.html"))));
    opened.clear();

    int countWhileShown = -1;
    prompter.Dialog("FormInformacje", [&](QDialog& d) {
        countWhileShown = window->OpenDialogs().Value();
        auto& about = static_cast<TFormInformacje&>(d);
        emit about.LabelWWW->clicked(about.LabelWWW->Url());
        ClickOk(d);
    });
    window->AboutCommand();
    EXPECT_EQ(countWhileShown, 1);
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

TEST_F(MainWindowTest, CommandLineOpensTheFirstSubtitleFile) {
    const std::string sub = dir.Write("film.txt", kFrameLines);
    window->SetCommandLine({Q(dir.File("film.avi")), Q(sub), Q(dir.Write("drugi.ssa", ""))});
    window->TimerOpenVideoTimer();
    EXPECT_EQ(window->LabelFileName()->text(), Q(sub));
}

}  // namespace
