// The window on the desktop: help pages and their contexts, the screen saver, the movie types
// of the command line and of drops, and the video panel's share of the height.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QSplitter>
#include <QTest>
#include <filesystem>
#include <regex>

#include "app/help.h"
#include "app/language.h"
#include "app/movie_port.h"
#include "app/window_test.h"
#include "ops/dialogs/shift_dialog.h"
#include "platform/screen_saver.h"

using namespace kravelo;
using namespace kravelo::test;
namespace fs = std::filesystem;

namespace {

const std::string kHelp = std::string(KRAVELO_SOURCE_DIR) + "/data/help/";

class FakeMovie : public MoviePort {
public:
    bool loaded = false;
    std::vector<QString> opened;
    bool Loaded() const override { return loaded; }
    int ImageHeight() const override { return 240; }
    void Open(const QString& path, bool, bool, bool) override {
        opened.push_back(path);
        loaded = true;
    }
    void Reset() override { loaded = false; }
    QString ChooseSubtitleVersion(const QString& path) override { return path; }
    bool ResumeAfterCrash() override { return false; }
    void Closing() override {}
};

class DesktopTest : public WindowTest {
protected:
    void SetUp() override {
        Start("EditorEnabled=1\r\n");
        window->openUrl = [this](const QUrl& url) { opened.push_back(url); };
    }

    // Resizes the window and runs the event loop until the splitter follows; its new height.
    int ResizeWindow(int height) {
        const int before = window->Splitter()->height();
        window->resize(600, height);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->Splitter()->height() != before; }, 5000));
        return window->Splitter()->height();
    }

    FakeMovie movie;
    std::vector<QUrl> opened;
};

// The targets of a page's links: (file, anchor) pairs.
std::vector<std::pair<std::string, std::string>> Links(const std::string& html) {
    std::vector<std::pair<std::string, std::string>> links;
    static const std::regex href("href=\"([a-z_]+\\.(?:html|css))?(?:#([a-z-]+))?\"");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), href); it != std::sregex_iterator(); ++it)
        links.emplace_back((*it)[1].str(), (*it)[2].str());
    return links;
}

}  // namespace

TEST_F(DesktopTest, HelpContentsAndDialogPagesFollowTheLanguage) {
    QAction* help = window->Action("Pomoc2");
    EXPECT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
    help->trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(Q(kHelp + "index_en.html")));

    // F1 in a dialog opens that dialog's section; the window's own F1 is left to the command.
    window->ShiftDialog().show();
    QTest::keyClick(&window->ShiftDialog(), Qt::Key_F1);
    window->ShiftDialog().hide();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1].toLocalFile(), Q(kHelp + "subtitles_en.html"));
    EXPECT_EQ(opened[1].fragment(), "shift");
    QTest::keyClick(window->Editor(), Qt::Key_F1, Qt::ShiftModifier);  // not the help key
    EXPECT_EQ(opened.size(), 2u);

    // Polish pages with the Polish language file, from the program folder when it has them.
    ASSERT_TRUE(window->GetLanguage().LoadLanguage("polski.klg"));
    fs::create_directories(dir.path() / "prog" / "help");
    dir.Write("prog/help/index_pl.html", "<html></html>");
    window->OpenHelp("Form1");
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[2], QUrl::fromLocalFile(Q(dir.File("prog/help/index_pl.html"))));
}

TEST(Help, PageLookupAndFallbacks) {
    TempDir dir;
    const QString program = Q(dir.File("prog"));
    const QString share = Q(dir.File("share"));
    fs::create_directories(dir.path() / "prog" / "help");
    fs::create_directories(dir.path() / "share" / "help");
    EXPECT_EQ(FindHelpPage({"movie", "jump"}, "en", program, share), "");
    dir.Write("share/help/movie_pl.html", "x");
    // A language without pages of its own reads English, and without those the Polish page.
    EXPECT_EQ(HelpLanguage("de"), "en");
    EXPECT_EQ(HelpLanguage(""), "pl");
    EXPECT_EQ(FindHelpPage({"movie", "jump"}, "de", program, share), Q(dir.File("share/help/movie_pl.html")));
    dir.Write("share/help/movie_en.html", "x");
    EXPECT_EQ(FindHelpPage({"movie", "jump"}, "en", program, share), Q(dir.File("share/help/movie_en.html")));
    dir.Write("prog/help/movie_en.html", "x");
    EXPECT_EQ(FindHelpPage({"movie", ""}, "en", program, share), Q(dir.File("prog/help/movie_en.html")));
    EXPECT_EQ(HelpTopicFor("NoSuchForm").page, "index");
}

TEST(Help, EveryDialogHasItsSectionInBothLanguagesAndNoLinkIsBroken) {
    // Every form with a language section, and the two dialogs without one.
    std::vector<std::string_view> forms(std::begin(kLanguageForms), std::end(kLanguageForms));
    forms.insert(forms.end(), {"FormPytanie14SetFormat", "FormSubNotSorted"});
    for (std::string_view form : forms) {
        const HelpTopic topic = HelpTopicFor(form);
        if (form != "Form1") {
            EXPECT_NE(topic.page, "index") << form;
        }
        for (const char* language : {"pl", "en"}) {
            const std::string page = TempDir::Read(kHelp + topic.page + "_" + language + ".html");
            ASSERT_FALSE(page.empty()) << form << " " << language;
            if (!topic.anchor.empty()) {
                EXPECT_NE(page.find("id=\"" + topic.anchor + "\""), std::string::npos) << form << " " << language;
            }
        }
    }
    // Every link between the pages reaches a page and a section that exist.
    int links = 0;
    for (const auto& entry : fs::directory_iterator(kHelp)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("faq_") || !name.ends_with(".html")) continue;
        const std::string html = TempDir::Read(entry.path().string());
        EXPECT_NE(html.find("<html lang=\"" + name.substr(name.size() - 7, 2) + "\">"), std::string::npos) << name;
        for (const auto& [file, anchor] : Links(html)) {
            ++links;
            const std::string target = file.empty() ? html : TempDir::Read(kHelp + file);
            ASSERT_FALSE(target.empty()) << name << " -> " << file;
            if (!anchor.empty()) {
                EXPECT_NE(target.find("id=\"" + anchor + "\""), std::string::npos)
                    << name << " -> " << file << "#" << anchor;
            }
        }
    }
    EXPECT_GT(links, 100);
}

TEST_F(DesktopTest, ScreenSaverHeldForTheWindowsLifetime) {
    RecordingScreenSaver saver;
    window->SetScreenSaver(&saver);
    EXPECT_EQ(saver.inhibits, 1);
    EXPECT_EQ(saver.releases, 0);
    window.reset();
    EXPECT_EQ(saver.releases, 1);
}

// The command line opens its first movie and its first subtitle file and names a file of an
// unknown kind instead of passing it over; a drop does the same, with the newer movie types.
TEST_F(DesktopTest, CommandLineAndDropsTakeTheNewMovieTypes) {
    window->SetMoviePort(&movie);
    const std::string sub = dir.Write("film.txt", "{1}{2}Ala\r\n");
    const std::string notes = dir.Write("notatki.doc", "x");
    window->SetCommandLine({Q(dir.File("film.mkv")), Q(notes), Q(dir.File("drugi.mp4")), Q(sub),
                            Q(dir.Write("drugi.ssa", ""))});
    window->TimerOpenVideoTimer();
    EXPECT_EQ(movie.opened, std::vector<QString>{Q(dir.File("film.mkv"))});
    EXPECT_EQ(window->LabelFileName()->text(), Q(sub));
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, Text("Form1", "CantRecognizeExt") + " :\n" + Q(notes));

    const std::string dropped = dir.Write("inny.txt", "{1}{2}Inny\r\n");
    window->DropFiles({Q(notes), Q(dir.File("b.M2TS")), Q(dropped)});
    EXPECT_EQ(prompter.boxes.size(), 2u);  // notatki.doc named again
    EXPECT_EQ(movie.opened.back(), Q(dir.File("b.M2TS")));
    EXPECT_EQ(Lines(), std::vector<std::string>{"{1}{2}Inny"});
    window->SetMoviePort(nullptr);
}

TEST_F(DesktopTest, VideoPanelKeepsItsShareOfTheHeight) {
    window->SetMoviePort(&movie);
    movie.loaded = true;
    QSplitter* splitter = window->Splitter();
    const int handle = splitter->handleWidth();
    int height = ResizeWindow(700);
    splitter->setSizes({height / 3, height - handle - height / 3});
    int panel = splitter->sizes()[0];

    // Shorter: the panel keeps its share.
    int newHeight = ResizeWindow(500);
    EXPECT_EQ(splitter->sizes()[0], newHeight * panel / height);

    // The editor keeps its 100 pixels when the share would leave it less.
    splitter->setSizes({newHeight - handle - 110, 110});
    newHeight = ResizeWindow(420);
    EXPECT_EQ(splitter->sizes()[1], 100);

    // Without a movie the panel keeps its fixed height.
    movie.loaded = false;
    splitter->setSizes({109, newHeight - handle - 109});
    ResizeWindow(800);
    EXPECT_EQ(splitter->sizes()[0], 109);
    window->SetMoviePort(nullptr);
}
