#pragma once
// The main window started on a temporary program folder with english.klg, every question
// answered by the scripted prompter, and the helpers that fill a dialog by its fields' names.

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/scripted_prompter.h"
#include "support/temp_dir.h"
#include "ui/editor_text.h"
#include "ui/qt_text.h"

namespace kravelo::test {

template <typename T>
T* Find(QDialog& d, const char* name) {
    T* w = d.findChild<T*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}
inline void SetText(QDialog& d, const char* name, const char* text) {
    Find<QLineEdit>(d, name)->setText(QString::fromUtf8(text));
}
inline void ClickOk(QDialog& d) {
    Find<QPushButton>(d, "Button1")->click();
}

class WindowTest : public ::testing::Test {
  protected:
    // Starts the window with these lines added to the [Settings] section.
    void Start(const std::string& settings) {
        std::filesystem::create_directories(dir.path() / "prog");
        dir.Write("prog/kravelo.ini",
                  "[Settings]\r\nFirstStart=0\r\nLanguageFile=english.klg\r\n" + settings);
        const std::string share = std::string(KRAVELO_SOURCE_DIR) + "/data";
        window = std::make_unique<MainWindow>(MainWindowPaths{dir.File("prog"), dir.File("config"), share},
                                              &prompter);
        prompter.counter = &window->OpenDialogs();
        window->show();
        ASSERT_TRUE(window->StartupDone());
    }

    // Opens a file through the open command and its file dialog.
    void Open(const std::string& path) {
        prompter.openAnswers.push_back(Q(path));
        window->OpenCommand();
    }

    std::vector<std::string> Lines() const { return EditorLines(*window->Editor()->document()); }
    QString Text(const char* section, const char* key) const {
        return window->GetPrompts().Text(section, key);
    }
    QString LastBox() const { return prompter.boxes.empty() ? QString() : prompter.boxes.back().text; }

    TempDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow> window;
};

}  // namespace kravelo::test
