#pragma once
// The main window with its movie side on a scripted (or a real) player, started from a settings
// file of the test's own, as the program starts.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QString>
#include <QTextBlock>
#include <filesystem>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/movie_side.h"
#include "app/scripted_prompter.h"
#include "platform/power_off.h"
#include "player/fake_player.h"
#include "support/temp_dir.h"

namespace kravelo::test {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }

class MovieWindowTest : public ::testing::Test {
protected:
    // Starts the program on `player`. The settings file gets `settings` after the first-start and
    // language lines, unless an earlier start left one.
    void Start(MediaPlayer& player, const std::string& settings = {}) {
        std::filesystem::create_directories(dir.path() / "prog");
        if (!std::filesystem::exists(dir.File("prog/kravelo.ini")))
            dir.Write("prog/kravelo.ini",
                      "[Settings]\r\nFirstStart=0\r\nLanguageFile=english.klg\r\n" + settings);
        MainWindowPaths paths{dir.File("prog"), dir.File("config"),
                              std::string(KRAVELO_SOURCE_DIR) + "/data"};
        window = std::make_unique<MainWindow>(paths, &prompter);
        prompter.counter = &window->OpenDialogs();
        movie = std::make_unique<MovieSideController>(*window, player, powerOff, "/usr/bin/kravelo",
                                                      dir.File("xdg"));
        window->resize(640, 560);
        window->show();
        window->TimerOpenVideoTimer();  // the start-up timer's work, done now
    }
    // The editor's text, with the caret at the start of line `caretLine`.
    void SetText(const std::string& text, int caretLine = 0) {
        window->Editor()->setPlainText(QString::fromStdString(text));
        PutCaret(caretLine);
    }
    void PutCaret(int line) {
        window->Editor()->setTextCursor(QTextCursor(window->Editor()->document()->findBlockByNumber(line)));
    }
    std::string Line(int i) const {
        return window->Editor()->document()->findBlockByNumber(i).text().toStdString();
    }

    TempDir dir;
    ScriptedPrompter prompter;
    RecordingPowerOff powerOff;
    // The players outlive the window that shows them.
    FakePlayer player;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MovieSideController> movie;
};

}  // namespace kravelo::test
