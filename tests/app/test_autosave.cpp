// Autosave: the program is killed after an edit; the next start offers the copy and restores it.

#include <gtest/gtest.h>
#include <signal.h>

#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <filesystem>

#include "app/autosave_controller.h"
#include "app/main_window.h"
#include "app/scripted_prompter.h"
#include "support/temp_dir.h"
#include "ui/editor_text.h"

using namespace kravelo;
using kravelo::test::ScriptedPrompter;
using kravelo::test::TempDir;

TEST(Autosave, AKilledProgramsEditIsOfferedBackAndRestored) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "prog");
    dir.Write("prog/kravelo.ini", "[Settings]\nFirstStart=0\nLanguageFile=english.klg\nEditorEnabled=1\n");
    const std::string film = dir.Write("film.txt", "{100}{200}Ala\r\n{300}{400}kot\r\n");
    const std::string share = std::string(KRAVELO_SOURCE_DIR) + "/data";
    const std::string folder = dir.File("state/kravelo/autosave");
    const std::vector<std::string> edited = {"{100}{200}Ala", "{300}{400}kot", "{500}{600}pies"};

    QProcess helper;
    helper.start(QStringLiteral(KRAVELO_AUTOSAVE_HELPER),
                 {QString::fromStdString(dir.File("prog")), QString::fromStdString(dir.File("config")),
                  QString::fromStdString(share), QString::fromStdString(folder), QString::fromStdString(film),
                  QStringLiteral("{500}{600}pies")});
    ASSERT_TRUE(helper.waitForStarted());
    AutosaveStore store(folder);
    auto copied = [&] {
        auto copy = store.Load();
        return copy && copy->lines == edited;
    };
    ASSERT_TRUE(QTest::qWaitFor(copied, 60000)) << helper.readAllStandardError().toStdString();
    ::kill(static_cast<pid_t>(helper.processId()), SIGKILL);
    ASSERT_TRUE(helper.waitForFinished());

    // The next start: the question, then the edited text as the modified document of its file.
    ScriptedPrompter prompter;
    prompter.answers.push_back(BoxAnswer::Yes);
    MainWindow window(MainWindowPaths{dir.File("prog"), dir.File("config"), share}, &prompter);
    window.show();
    AutosaveController autosave(window, folder, 0);
    ASSERT_TRUE(autosave.OfferRestore());
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, window.GetPrompts().Text("Form1", "AutosaveRestore"));
    EXPECT_EQ(EditorLines(*window.Editor()->document()), edited);
    EXPECT_EQ(window.CurrentFileName().toStdString(), film);
    EXPECT_TRUE(window.Session().Modified());
    EXPECT_EQ(window.Session().State().textFormat.lineEnding, LineEnding::CrLf);
    EXPECT_TRUE(store.Exists());  // still unsaved: the copy stays

    // Saved (the document becomes unmodified): the copy goes.
    window.Session().SetModified(false);
    EXPECT_FALSE(store.Exists());

    // A copy refused at the question is thrown away and the editor keeps its text.
    std::string error;
    AutosaveCopy other;
    other.lines = {"[1][2]other"};
    ASSERT_TRUE(store.Save(other, error)) << error;
    prompter.answers.push_back(BoxAnswer::No);
    EXPECT_FALSE(autosave.OfferRestore());
    EXPECT_FALSE(store.Exists());
    EXPECT_EQ(EditorLines(*window.Editor()->document()), edited);
}

TEST(Autosave, IntervalComesFromTheSettingsFile) {
    TempDir dir;
    EXPECT_EQ(AutosaveController::IntervalFromSettings(dir.Write("a.ini", "[Autosave]\nIntervalSeconds=30\n")), 30000);
    EXPECT_EQ(AutosaveController::IntervalFromSettings(dir.Write("b.ini", "[Autosave]\nIntervalSeconds=0\n")), 0);
    EXPECT_EQ(AutosaveController::IntervalFromSettings(dir.Write("c.ini", "[Settings]\n")), 60000);
}
