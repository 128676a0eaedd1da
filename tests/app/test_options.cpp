// The options dialog and the statistics window driven through the main window's commands, every
// question answered by the scripted prompter.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>
#include <vector>

#include "app/form_options.h"
#include "app/form_statistics.h"
#include "app/window_test.h"
#include "core/profile_file.h"
#include "platform/display_modes.h"
#include "platform/file_associations.h"

using namespace kravelo;
using namespace kravelo::test;

namespace {

class OptionsTest : public WindowTest {
protected:
    // Starts the window with the editor shown, four display modes and the fake associations.
    void Start(const std::string& settings = {}) {
        WindowTest::Start("EditorEnabled=1\r\n" + settings);
        modes.modes = {{640, 480, 32}, {800, 600, 16}, {1024, 768, 32}, {800, 600, 32}};
        window->SetDisplayModeService(&modes);
        window->SetFileAssociations(&associations);
    }
    // Runs the options command from its menu item with `script` acting on the dialog.
    void Options(std::function<void(TFormUstawienia&)> script) {
        prompter.Dialog("FormUstawienia", [script](QDialog& d) { script(static_cast<TFormUstawienia&>(d)); });
        window->Action("Ustawieniaprogramu1")->trigger();
    }
    std::string Ini() const { return TempDir::Read(dir.File("prog/kravelo.ini")); }

    FakeDisplayModes modes;
    FakeFileAssociations associations;
};

TEST_F(OptionsTest, EveryPageFilledFromTheSettingsAndStoredOnOk) {
    Start("ReactionSpeed=0.25\r\nEditorFontSize=11\r\nMessageBoxPos=1\r\nAutoOpenSubtitle=1\r\n"
          "[Resolution]\r\nKindOfResChange=1\r\nChangeXRes=800\r\nChangeYRes=600\r\nNoMoreXRes=1280\r\n");
    Options([&](TFormUstawienia& d) {
        // Filled as the settings say; 800x600 once for its two depths, 1280x600 is no mode.
        QStringList filled;
        for (QLineEdit* e : {d.EditSzybkoscReakcji, d.EditEditorFontSize, d.EditPodwyzszenieNapisow,
                             d.EditOpoznienieWlNap, d.EditBackward, d.EditLen})
            filled << e->text();
        filled << QString::number(d.ComboBoxRes->count()) << d.ComboBoxRes->itemText(0) << d.ComboBoxRes->currentText()
               << QString::number(d.ComboBoxNoMoreRes->currentIndex());
        EXPECT_EQ(filled.join(u'|'), "0.25|11|1|10|3|20|3|640x480|800x600|-1");
        EXPECT_TRUE(d.RadioButtonChangeTo->isChecked() && d.RadioButtonColDontChange->isChecked() &&
                    d.RadioButtonMBPCentered->isChecked());

        // Editing.
        d.EditSzybkoscReakcji->setText("0.5");
        d.CheckBoxKoncowaReakcja->setChecked(true);
        d.CheckBoxReakcjaPrzyOpoznieniu->setChecked(true);
        d.EditEditorFontSize->setText("14");
        d.CheckBoxLeveDiff->setChecked(false);
        d.CheckBoxKursorWDol->setChecked(true);
        d.CheckBoxOgniskoNaRichEdit->setChecked(false);
        d.CheckBoxCreateBackupFile->setChecked(false);
        // Subtitles, the folder through the browser.
        d.ListBox1->setCurrentRow(1);
        EXPECT_TRUE(d.PanelSubtitles->isVisible());
        d.chooseFolder = [](auto&&...) { return QStringLiteral("/media/napisy"); };
        d.Button3->click();
        d.CheckBoxAutoSub->setChecked(false);
        d.CheckBoxAutoSubOpen->setChecked(false);
        d.EditPodwyzszenieNapisow->setText("20");
        d.EditPodwyzszenieNapisowFS->setText("7");
        d.EditOpoznienieWlNap->setText("250");
        d.CheckBoxDostosujWiersze->setChecked(false);
        d.CheckBoxItalic->setChecked(false);
        d.CheckBoxNotSorted->setChecked(true);
        // Movie.
        for (QCheckBox* b : {d.CheckBoxAutoPlay, d.CheckBoxAutoFSCommandLine, d.CheckBoxAutoFS, d.CheckBoxLastPos,
                             d.CheckBoxResumeWhenCrash, d.CheckBoxNextVolCheck, d.CheckBoxAuto100Perc})
            b->setChecked(false);
        d.EditBackward->setText("7.5");
        d.EditForward->setText("12");
        d.EditLen->setText("45");
        // Full screen: the automatic choice with a limit, the deepest colours, no messages.
        d.RadioButtonAutoChange->setChecked(true);
        EXPECT_FALSE(d.ComboBoxRes->isEnabled());
        d.CheckBoxNoMoreRes->setChecked(true);
        d.ComboBoxNoMoreRes->setCurrentIndex(2);
        d.RadioButtonColMaxBpp->setChecked(true);
        d.RadioButtonMBPDontDisplay->setChecked(true);
        d.Button1->click();
    });

    const Settings& s = window->GetSettings();
    // The switches page by page, then the numbers, folder and choices.
    const std::vector<bool> switches{
        s.ReactionForEndFrameToo, s.ReactionForDelayCheckToo, s.LeaveFramesDifference, s.AfterInsertCursorDown,
        s.FocusNaPoleEdycyjne, s.CreateBackupFile,
        s.AutoShowSubtitles, s.AutoOpenSubtitle, s.SubtitleAdjust, s.LetItalic, s.InfoNotSortSub,
        s.AutoPlayMovie, s.AutoFullScreen, s.AutoFullScreenMenu, s.RestorePosition, s.ResumeWhenCrashed,
        s.CheckNextVol, s.Auto100, s.NoMoreThen};
    EXPECT_EQ(switches, (std::vector<bool>{1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_DOUBLE_EQ(s.ReactionSpeed, 0.5);
    EXPECT_DOUBLE_EQ(s.CustomerBackward, 7.5);
    EXPECT_DOUBLE_EQ(s.CustomerForward, 12.0);
    const std::vector<int> numbers{s.EditorFontSize, s.SubtitlesElevation, s.SubtitlesElevationFS,
                                   s.DelaySubtitleOn, s.MinLengthToIndividualMovieIniFile, s.KindOfResChange,
                                   s.ChangeXRes, s.NoMoreXRes, s.NoMoreYRes, s.KindOfColChange, s.MessageBoxPos};
    EXPECT_EQ(numbers, (std::vector<int>{14, 20, 7, 250, 45, 2, 800, 1024, 768, 1, 0}));
    EXPECT_EQ(s.SubtitlesFolder, "/media/napisy");
    // The editor font at once; everything saved, with the crash flag set.
    EXPECT_EQ(window->Editor()->font().pointSize(), 14);
    const ProfileFile ini(dir.File("prog/kravelo.ini"));
    EXPECT_EQ(ini.ReadInt("Settings", "EditorFontSize", 0), 14);
    EXPECT_EQ(ini.ReadInt("LastMovie", "SystemCrashed", 0), 1);
}

// Each field that holds no value of its kind is named in turn (which values those are is the
// number reader's): a warning, the field's page shown and the field focused, the dialog open and
// nothing applied. A field switched off is not read.
TEST_F(OptionsTest, OkRefusesEveryInvalidNumberAndFocusesItsField) {
    Start();
    struct Step {
        QLineEdit* TFormUstawienia::*field;
        const char* bad;
        const char* good;  // none: the field is switched off instead
        const char* section;
        const char* key;
        int page;
    };
    const Step steps[] = {
        {&TFormUstawienia::EditEditorFontSize, "23", "12", "FormUstawienia", "FntSize", 0},
        {&TFormUstawienia::EditSzybkoscReakcji, "-0.5", "0.2", "FormPytanie01Konwert", "IncorrectVal", 0},
        {&TFormUstawienia::EditPodwyzszenieNapisow, "100000", "5", "FormPytanie01Konwert", "IncorrectVal", 1},
        {&TFormUstawienia::EditPodwyzszenieNapisowFS, "abc", "3", "FormPytanie01Konwert", "IncorrectVal", 1},
        {&TFormUstawienia::EditOpoznienieWlNap, "0", "40", "FormUstawienia", "Delay", 1},
        {&TFormUstawienia::EditBackward, "0", "0.5", "FormPytanie01Konwert", "IncorrectVal", 2},
        {&TFormUstawienia::EditForward, "-2", "4", "FormPytanie01Konwert", "IncorrectVal", 2},
        {&TFormUstawienia::EditLen, "-1", nullptr, "FormPytanie01Konwert", "IncorrectVal", 2},
    };
    Options([&](TFormUstawienia& d) {
        for (const Step& step : steps) (d.*step.field)->setText(step.bad);
        d.ShowPage(4);
        for (const Step& step : steps) {
            const std::size_t before = prompter.boxes.size();
            d.Button1->click();
            ASSERT_EQ(prompter.boxes.size(), before + 1) << step.bad;
            EXPECT_EQ(prompter.boxes.back().text, Text(step.section, step.key));
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(d.Page(), step.page) << step.bad;
            EXPECT_EQ(d.focusWidget(), d.*step.field) << step.bad;
            EXPECT_EQ(window->GetSettings().SubtitlesElevation, 1);  // nothing applied yet
            if (step.good) (d.*step.field)->setText(step.good);
        }
        d.CheckBoxUseIndividualIni->setChecked(false);
        d.Button1->click();
    });
    EXPECT_EQ(window->GetSettings().SubtitlesElevation, 5);
    EXPECT_FALSE(window->GetSettings().UseIndividualMovieIniFile);
    EXPECT_EQ(window->GetSettings().MinLengthToIndividualMovieIniFile, 20);
}

TEST_F(OptionsTest, AssociationsFollowTheBoxesAndCancelChangesNothing) {
    associations.associated["avi"] = true;
    Start();
    const std::string iniBefore = Ini();
    // "Wszystkie", other changes, then Anuluj.
    Options([](TFormUstawienia& d) {
        ASSERT_EQ(d.AssociationBoxes.size(), AssociationExtensions().size());
        EXPECT_TRUE(Find<QCheckBox>(d, "CheckBoxAVI")->isChecked());
        EXPECT_FALSE(Find<QCheckBox>(d, "CheckBoxMKV")->isChecked());
        d.ButtonAll->click();
        for (QCheckBox* b : d.AssociationBoxes) EXPECT_TRUE(b->isChecked());
        d.EditPodwyzszenieNapisow->setText("50");
        d.EditEditorFontSize->setText("20");
        d.Button2->click();
    });
    EXPECT_EQ(associations.associated.at("avi"), true);
    EXPECT_EQ(std::count_if(associations.associated.begin(), associations.associated.end(),
                            [](const auto& e) { return e.second; }),
              1);
    EXPECT_EQ(window->GetSettings().SubtitlesElevation, 1);
    EXPECT_EQ(Ini(), iniBefore);

    // "Żaden", then two boxes ticked: AVI is given up, the two taken.
    Options([](TFormUstawienia& d) {
        d.ButtonNone->click();
        Find<QCheckBox>(d, "CheckBoxMKV")->setChecked(true);
        Find<QCheckBox>(d, "CheckBoxASF")->setChecked(true);
        d.Button1->click();
    });
    EXPECT_FALSE(associations.associated.at("avi"));
    EXPECT_TRUE(associations.associated.at("mkv"));
    EXPECT_TRUE(associations.associated.at("asf"));

    // A change the desktop refuses is reported; the box shows the real state next time.
    associations.refuse = true;
    Options([](TFormUstawienia& d) {
        Find<QCheckBox>(d, "CheckBoxMKV")->setChecked(false);
        d.Button1->click();
    });
    EXPECT_TRUE(LastBox().startsWith(Text("FormUstawienia", "AssociationFailed")));
    EXPECT_TRUE(LastBox().endsWith("mkv: refused by the test"));
    EXPECT_TRUE(associations.associated.at("mkv"));
    Options([](TFormUstawienia& d) {
        EXPECT_TRUE(Find<QCheckBox>(d, "CheckBoxMKV")->isChecked());
        d.Button2->click();
    });

    // Without an association service the page cannot be used.
    window->SetFileAssociations(nullptr);
    Options([](TFormUstawienia& d) {
        EXPECT_FALSE(Find<QCheckBox>(d, "CheckBoxAVI")->isEnabled());
        d.Button1->click();
    });
}

TEST_F(OptionsTest, StatisticsShowTheCountersAndResetAfterTheQuestion) {
    Start("[Statistics]\r\nDateFrom=26-12-01\r\nExecuteCount=4\r\nMovieCount=2\r\nSubtitleCount=3\r\n"
          "WorkingTime=3600\r\nTotalMovieTime=3.5\r\nTotalMovieSize=2147483648\r\nTotalSubtitlesSize=1024\r\n");
    double clock = window->StartSeconds() + 90.5;
    window->secondsNow = [&clock] { return clock; };
    TFormStatistics& stats = window->StatisticsWindow();
    stats.now = [] { return DateTime{2026, 12, 6, 12, 0, 0}; };
    auto fields = [&stats] {  // every field, in the window's order
        QStringList out;
        for (QLineEdit* e : stats.findChildren<QLineEdit*>()) out << e->text();
        return out.join(u'|');
    };
    prompter.answers = {BoxAnswer::No, BoxAnswer::Yes};
    prompter.Dialog("FormStatistics", [&](QDialog&) {
        // 3600 s stored + 90 s of this run; this start counted.
        EXPECT_EQ(fields(), "26-12-01|26-12-06|6|5|0|1|1|30|10|2|3|2.0 GB|1.0 kB|3.5|0.5833333");
        stats.ButtonReset->click();  // No
        EXPECT_EQ(fields(), "26-12-01|26-12-06|6|5|0|1|1|30|10|2|3|2.0 GB|1.0 kB|3.5|0.5833333");
        stats.ButtonReset->click();  // Yes
        EXPECT_EQ(fields(), "26-12-06|26-12-06|1|0|0|0|0|0|0|0|0|0 B|0 B|0|0");
        stats.Button1->click();
    });
    window->Action("Statystyki1")->trigger();
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[0].text, Text("FormStatistics", "Reset"));
    EXPECT_EQ(prompter.boxes[0].openDialogs, 2);  // over the statistics window, itself counted

    // The reset reaches the file with the next save; the running time starts again from it.
    clock += 61.0;
    window->SaveSettingsNow();
    const ProfileFile ini(dir.File("prog/kravelo.ini"));
    EXPECT_EQ(ini.ReadInt("Statistics", "ExecuteCount", -1), 0);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Statistics", "WorkingTime", -1), 61.0);
}

// The options dialog follows a change of language (started in English): the title over the open
// page, which stays open, and the "minutes" label taken from the statistics window.
TEST_F(OptionsTest, CaptionsFollowTheLanguage) {
    Start();
    TFormUstawienia& d = window->OptionsDialog();
    d.ShowPage(3);
    ASSERT_TRUE(window->GetLanguage().LoadLanguage("polski.klg"));
    EXPECT_EQ(d.LabelSubject->text(), "Pełny ekran");
    EXPECT_EQ(d.Page(), 3);
    EXPECT_EQ(d.LabelLen->text(), "minut");
}

// No caption of either window is cut in either language; with KRAVELO_SHOTS set the pages and
// the statistics window are saved there as pictures.
TEST_F(OptionsTest, EveryCaptionFitsInBothLanguages) {
    Start();
    const QString shots = qEnvironmentVariable("KRAVELO_SHOTS");
    if (!shots.isEmpty()) QDir().mkpath(shots);
    auto checkFits = [](QWidget& form, const QString& where) {
        for (QWidget* w : form.findChildren<QWidget*>()) {
            if (!w->isVisible() || !(qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w))) continue;
            EXPECT_GE(w->width(), w->sizeHint().width()) << where.toStdString() << " " << w->objectName().toStdString();
        }
    };
    for (const char* language : {"english", "polski"}) {
        ASSERT_TRUE(window->GetLanguage().LoadLanguage(std::string(language) + ".klg"));
        for (int page = 0; page < 5; ++page) {
            Options([&](TFormUstawienia& d) {
                d.ShowPage(page);
                d.adjustSize();
                const QString name = QStringLiteral("options-%1-%2").arg(QLatin1String(language)).arg(page);
                checkFits(d, name);
                if (!shots.isEmpty()) d.grab().save(QDir(shots).filePath(name + ".png"));
                d.Button2->click();
            });
        }
        prompter.Dialog("FormStatistics", [&](QDialog& d) {
            const QString name = QStringLiteral("statistics-%1").arg(QLatin1String(language));
            checkFits(d, name);
            if (!shots.isEmpty()) d.grab().save(QDir(shots).filePath(name + ".png"));
        });
        window->StatisticsCommand();
    }
}

}  // namespace
