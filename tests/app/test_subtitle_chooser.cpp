// The chooser of the language versions of a subtitle file.
#include <gtest/gtest.h>

#include <QTreeWidget>

#include "app/form_open_text.h"
#include "app/language.h"
#include "app/scripted_prompter.h"
#include "support/temp_dir.h"
#include "ui/open_dialog_count.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

using namespace kravelo;
using kravelo::test::ScriptedPrompter;
using kravelo::test::TempDir;

class SubtitleChooserTest : public ::testing::Test {
protected:
    TempDir dir;
    Language language{dir.path().string(), ""};
    OpenDialogCounter open;
    ScriptedPrompter prompter;
    Prompts prompts{prompter, open, language.Texts()};
    TFormOpenText chooser{language, open, prompts};

    QString Choose(const std::string& name) { return chooser.ChooseSubtitleVersion(Q(dir.File(name))); }
};

TEST_F(SubtitleChooserTest, ThreeVersionsAreListedByName) {
    dir.Write("film_pl.txt", std::string(1536, 'p'));
    dir.Write("film.txt", "0123456789");
    dir.Write("film_en.txt", std::string(2000, 'e'));
    dir.Write("inny.txt", "x");

    std::vector<std::pair<QString, QString>> rows;
    prompter.Dialog("FormOpenText", [&](QDialog&) {
        for (int i = 0; i < chooser.ListViewFiles->topLevelItemCount(); ++i)
            rows.emplace_back(chooser.ListViewFiles->topLevelItem(i)->text(0),
                              chooser.ListViewFiles->topLevelItem(i)->text(1));
        EXPECT_EQ(chooser.ListViewFiles->currentItem(), chooser.ListViewFiles->topLevelItem(0));
        EXPECT_EQ(chooser.LabelDir->text(), Q(dir.path().string() + "/"));
        chooser.ListViewFiles->setCurrentItem(chooser.ListViewFiles->topLevelItem(2));
        chooser.Button1->click();
    });
    EXPECT_EQ(Choose("film.txt"), Q(dir.File("film_pl.txt")));
    EXPECT_EQ(rows, (std::vector<std::pair<QString, QString>>{
                        {"film.txt", "10 b"}, {"film_en.txt", "1.9 kb"}, {"film_pl.txt", "1.5 kb"}}));

    // A double click confirms its row; Anuluj opens nothing.
    prompter.Dialog("FormOpenText", [&](QDialog&) {
        QTreeWidgetItem* row = chooser.ListViewFiles->topLevelItem(1);
        chooser.ListViewFiles->setCurrentItem(row);
        emit chooser.ListViewFiles->itemDoubleClicked(row, 0);
    });
    EXPECT_EQ(Choose("film.txt"), Q(dir.File("film_en.txt")));
    prompter.Dialog("FormOpenText", [&](QDialog&) { chooser.Button2->click(); });
    EXPECT_EQ(Choose("film.txt"), "");
}

TEST_F(SubtitleChooserTest, OneVersionOpensWithoutTheDialogNoneGivesNothing) {
    dir.Write("film.txt", "x");
    dir.Write("filmowy.srt", "x");
    EXPECT_EQ(Choose("film.txt"), Q(dir.File("film.txt")));
    // The pattern's own file may be missing: its only version is taken.
    EXPECT_EQ(Choose("fil.txt"), Q(dir.File("film.txt")));
    EXPECT_EQ(Choose("brak.txt"), "");
    EXPECT_TRUE(prompter.dialogsShown.empty());
}

// A chooser built after the language was loaded takes its column titles too (one built before
// gets them from the language's fix-ups).
TEST(SubtitleChooserLanguage, AChooserBuiltLaterTakesTheLoadedTitles) {
    OpenDialogCounter open;
    ScriptedPrompter prompter;
    Language shipped(std::string(KRAVELO_SOURCE_DIR) + "/data", "");
    Prompts prompts(prompter, open, shipped.Texts());
    ASSERT_TRUE(shipped.LoadLanguage("english.klg"));
    TFormOpenText later(shipped, open, prompts);
    EXPECT_EQ(later.ListViewFiles->headerItem()->text(0), "File name");
    EXPECT_EQ(later.ListViewFiles->headerItem()->text(1), "Size");
}
