// The matching subtitle file of a movie and the chooser of its language versions.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>

#include "app/form_open_text.h"
#include "app/language.h"
#include "app/open_dialog_count.h"
#include "app/prompts.h"
#include "app/subtitle_candidate.h"
#include "app/scripted_prompter.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::ScriptedPrompter;
using kravelo::test::TempDir;
namespace fs = std::filesystem;

namespace {

// A file system made of a list of paths.
FileProbe ListProbe(std::vector<std::string> paths) {
    FileProbe probe;
    probe.exists = [paths](const std::string& p) { return std::find(paths.begin(), paths.end(), p) != paths.end(); };
    probe.list = [paths](const std::string& folder) {
        std::vector<std::string> names;
        for (const std::string& p : paths) {
            VersionPattern split = VersionPatternOf(p);
            if (split.folder == folder) names.push_back(split.stem + split.extension);
        }
        return names;
    };
    return probe;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TEST(SubtitleCandidate, SubtitlesFolderFirstThenBesideTheMovie) {
    const std::string movie = "/filmy/film.avi";
    auto find = [&](std::vector<std::string> files, const std::string& folder, bool versions) {
        return MatchingSubtitleCandidate(movie, folder, versions, ListProbe(std::move(files)));
    };
    // Both present: the subtitles folder wins, with or without its closing separator.
    EXPECT_EQ(find({"/sub/film.txt", "/filmy/film.txt"}, "/sub", false), "/sub/film.txt");
    EXPECT_EQ(find({"/sub/film.txt", "/filmy/film.txt"}, "/sub/", false), "/sub/film.txt");
    EXPECT_EQ(find({"/sub/film.txt", "/filmy/film.txt"}, "", false), "/filmy/film.txt");
    EXPECT_EQ(find({"/sub/inny.txt", "/filmy/film.txt"}, "/sub", false), "/filmy/film.txt");
    EXPECT_EQ(find({"/sub/inny.txt"}, "/sub", false), "");

    // Another version counts only when the chooser will be offered; the path given is the
    // pattern's file, which the chooser turns into the version to open.
    EXPECT_EQ(find({"/sub/film_pl.txt", "/filmy/film.txt"}, "/sub", true), "/sub/film.txt");
    EXPECT_EQ(find({"/sub/film_pl.txt", "/filmy/film.txt"}, "/sub", false), "/filmy/film.txt");
    EXPECT_EQ(find({"/filmy/filmEN.txt"}, "", true), "/filmy/film.txt");
    EXPECT_EQ(find({"/filmy/filmEN.txt"}, "", false), "");

    // The candidate keeps the movie's name and takes "txt"; names without a usable extension
    // (even when a folder has a dot) give none.
    FileProbe all = ListProbe({"/a/Film.txt", "/a.b/film.txt", "/a/.txt", "/a/x.txt"});
    EXPECT_EQ(MatchingSubtitleCandidate("/a/Film.AVI", "", false, all), "/a/Film.txt");
    EXPECT_EQ(MatchingSubtitleCandidate("/a.b/film", "", true, all), "");
    EXPECT_EQ(MatchingSubtitleCandidate("/a/.avi", "", true, all), "");
    EXPECT_EQ(MatchingSubtitleCandidate("/a/film.avi", "", false, all), "");  // letter case counts
}

TEST(SubtitleCandidate, VersionPatternMatchesAndSorts) {
    const VersionPattern film = VersionPatternOf("/d/film.txt");
    EXPECT_EQ(film.folder, "/d/");
    for (const char* yes : {"film.txt", "film_pl.txt", "filmEN.txt", "film.en.txt"})
        EXPECT_TRUE(MatchesVersionPattern(yes, film)) << yes;
    for (const char* no : {"film.txt.bak", "xfilm.txt", "FILM.TXT", "film.srt", "fil.txt"})
        EXPECT_FALSE(MatchesVersionPattern(no, film)) << no;
    // Stem and extension may not share characters: film.t*.txt does not match film.txt.
    EXPECT_FALSE(MatchesVersionPattern("film.txt", VersionPatternOf("film.t.txt")));
    EXPECT_EQ(VersionPatternOf("film.txt").folder, "");

    const FileProbe probe = ListProbe({"/d/film_B.txt", "/d/film_a.txt", "/d/film.txt", "/d/inny.txt", "/e/film_c.txt"});
    EXPECT_EQ(ListVersions(film, probe), (std::vector<std::string>{"film.txt", "film_a.txt", "film_B.txt"}));
    EXPECT_TRUE(SubtitleCandidateExists("/d/film.txt", true, probe));
    EXPECT_TRUE(SubtitleCandidateExists("/e/film.txt", true, probe));
    EXPECT_FALSE(SubtitleCandidateExists("/e/film.txt", false, probe));

    // The real file system: directories are not versions.
    TempDir dir;
    dir.Write("film_pl.txt", "x");
    fs::create_directory(dir.path() / "film_dir.txt");
    EXPECT_EQ(ListVersions(VersionPatternOf(dir.File("film.txt")), RealFileProbe()),
              std::vector<std::string>{"film_pl.txt"});
    EXPECT_TRUE(SubtitleCandidateExists(dir.File("film.txt"), true, RealFileProbe()));
    EXPECT_FALSE(SubtitleCandidateExists(dir.File("film.txt"), false, RealFileProbe()));
}

TEST(SubtitleChooser, SizeTextTruncatesItsDecimal) {
    EXPECT_EQ(ChooserSizeText(0), "0 b");
    EXPECT_EQ(ChooserSizeText(1023), "1023 b");
    EXPECT_EQ(ChooserSizeText(1024), "1.0 kb");
    EXPECT_EQ(ChooserSizeText(1536), "1.5 kb");
    EXPECT_EQ(ChooserSizeText(1048575), "1023.9 kb");
    EXPECT_EQ(ChooserSizeText(1048576), "1.0 Mb");
    EXPECT_EQ(ChooserSizeText(6 * 1048576 - 1), "5.9 Mb");
    EXPECT_EQ(ChooserSizeText(5000ull * 1048576), "5000.0 Mb");
}

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
    int openWhileShown = 0;
    prompter.Dialog("FormOpenText", [&](QDialog&) {
        for (int i = 0; i < chooser.ListViewFiles->topLevelItemCount(); ++i)
            rows.emplace_back(chooser.ListViewFiles->topLevelItem(i)->text(0),
                              chooser.ListViewFiles->topLevelItem(i)->text(1));
        EXPECT_EQ(chooser.ListViewFiles->currentItem(), chooser.ListViewFiles->topLevelItem(0));
        EXPECT_EQ(chooser.LabelDir->text(), Q(dir.path().string() + "/"));
        openWhileShown = open.Value();
        chooser.ListViewFiles->setCurrentItem(chooser.ListViewFiles->topLevelItem(2));
        chooser.Button1->click();
    });
    EXPECT_EQ(Choose("film.txt"), Q(dir.File("film_pl.txt")));
    EXPECT_EQ(rows, (std::vector<std::pair<QString, QString>>{
                        {"film.txt", "10 b"}, {"film_en.txt", "1.9 kb"}, {"film_pl.txt", "1.5 kb"}}));
    EXPECT_EQ(openWhileShown, 1);
    EXPECT_EQ(open.Value(), 0);
    EXPECT_EQ(chooser.windowTitle(), QString::fromUtf8("Wybierz wersję napisów"));
    EXPECT_EQ(chooser.ListViewFiles->headerItem()->text(0), "Nazwa pliku");
    EXPECT_EQ(chooser.ListViewFiles->columnWidth(0), 214);
    EXPECT_EQ(chooser.ListViewFiles->columnWidth(1), 56);

    // A double click confirms its row; Anuluj opens nothing.
    prompter.Dialog("FormOpenText", [&](QDialog&) {
        QTreeWidgetItem* row = chooser.ListViewFiles->topLevelItem(1);
        chooser.ListViewFiles->setCurrentItem(row);
        emit chooser.ListViewFiles->itemDoubleClicked(row, 0);
    });
    EXPECT_EQ(Choose("film.txt"), Q(dir.File("film_en.txt")));
    prompter.Dialog("FormOpenText", [&](QDialog&) { chooser.Button2->click(); });
    EXPECT_EQ(Choose("film.txt"), "");
    EXPECT_EQ(prompter.dialogsShown.size(), 3u);
    EXPECT_EQ(open.Value(), 0);
}

TEST_F(SubtitleChooserTest, OneVersionOpensWithoutTheDialogNoneGivesNothing) {
    dir.Write("film.txt", "x");
    dir.Write("filmowy.srt", "x");
    EXPECT_EQ(Choose("film.txt"), Q(dir.File("film.txt")));
    // The pattern's own file may be missing: its only version is taken.
    EXPECT_EQ(Choose("fil.txt"), Q(dir.File("film.txt")));
    EXPECT_EQ(Choose("brak.txt"), "");
    EXPECT_EQ(chooser.ListViewFiles->topLevelItemCount(), 0);
    EXPECT_TRUE(prompter.dialogsShown.empty());
    EXPECT_EQ(open.Value(), 0);
}

TEST(SubtitleChooserLanguage, ShippedFilesTranslateTheChooser) {
    OpenDialogCounter open;
    ScriptedPrompter prompter;
    const std::string source = KRAVELO_SOURCE_DIR;
    Language shipped(source + "/data", "");
    Prompts prompts(prompter, open, shipped.Texts());
    TFormOpenText chooser(shipped, open, prompts);
    ASSERT_TRUE(shipped.LoadLanguage("english.klg"));
    EXPECT_EQ(chooser.windowTitle(), "Choose the subtitle version");
    EXPECT_EQ(chooser.ListViewFiles->headerItem()->text(0), "File name");
    EXPECT_EQ(chooser.Button2->text(), "Cancel");
    // A chooser built after the language was loaded takes its column titles too.
    TFormOpenText later(shipped, open, prompts);
    EXPECT_EQ(later.ListViewFiles->headerItem()->text(0), "File name");
    EXPECT_EQ(later.ListViewFiles->headerItem()->text(1), "Size");
    ASSERT_TRUE(shipped.LoadLanguage("polski.klg"));
    EXPECT_EQ(chooser.ListViewFiles->headerItem()->text(1), "Rozmiar");
    EXPECT_EQ(chooser.windowTitle(), QString::fromUtf8("Wybierz wersję napisów"));
    EXPECT_EQ(chooser.Button2->text(), "Anuluj");
}
