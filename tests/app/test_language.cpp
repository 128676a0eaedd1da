#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>

#include "app/form_language.h"
#include "app/language.h"
#include "core/settings.h"
#include "support/temp_dir.h"
#include "ui/open_dialog_count.h"
#include "ui/qt_text.h"

using namespace kravelo;
using kravelo::test::TempDir;
namespace fs = std::filesystem;

namespace {

template <typename T, typename P>
T* Make(P* parent, const char* name) {
    T* w = new T(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

struct NamedForm : QWidget {
    explicit NamedForm(const char* name) { setObjectName(QLatin1String(name)); }
};

// A main window with one control of each translated kind, menus at several depths, a pop-up
// menu, standard buttons and an embedded form that has its own section.
struct MainForm {
    QMainWindow window;
    QLabel* Label1;
    QLabel* LabelFileName;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;
    QPushButton* Button1;
    QCheckBox* CheckBox1;
    QRadioButton* RadioButton1;
    QGroupBox* GroupBox1;
    QLabel* Label2;  // inside the group box
    QFrame* Panel1;
    QLineEdit* Edit1;  // not translated
    QAction* Open1;
    QAction* Recent1;  // in a submenu
    QAction* Kopiuj2;  // in the pop-up menu: the duplicate
    QMenu* Plik1;
    QMenu* Ostatnie1;
    QWidget* FormMP;  // an embedded form
    QLabel* MPLabel;

    MainForm() {
        window.setObjectName("Form1");
        window.setWindowTitle("Kravelo");
        auto* central = new QWidget(&window);
        window.setCentralWidget(central);
        (Label1 = Make<QLabel>(central, "Label1"))->setText(Q("Etykieta"));
        LabelFileName = Make<QLabel>(central, "LabelFileName");
        (ButtonOK = Make<QPushButton>(central, "ButtonOK"))->setText("OK");
        ButtonOK->setProperty("Tag", 1);
        (ButtonCancel = Make<QPushButton>(central, "ButtonCancel"))->setText("Anuluj");
        ButtonCancel->setProperty("Tag", 2);
        (Button1 = Make<QPushButton>(central, "Button1"))->setText(Q("Przycisk"));
        (CheckBox1 = Make<QCheckBox>(central, "CheckBox1"))->setText(Q("Zaznacz"));
        (RadioButton1 = Make<QRadioButton>(central, "RadioButton1"))->setText(Q("Wybierz"));
        (GroupBox1 = Make<QGroupBox>(central, "GroupBox1"))->setTitle(Q("Grupa"));
        (Label2 = Make<QLabel>(GroupBox1, "Label2"))->setText(Q("W grupie"));
        (Panel1 = Make<QFrame>(central, "Panel1"))->setToolTip(Q("Panel"));
        Make<QToolButton>(central, "SpeedButtonShowSubTit")->setToolTip(Q("Wyświetlaj napisy"));
        (Edit1 = Make<QLineEdit>(central, "Edit1"))->setText("text");
        Edit1->setToolTip("edit hint");

        Plik1 = window.menuBar()->addMenu(Q("&Plik"));
        Plik1->menuAction()->setObjectName("Plik1");
        (Open1 = Plik1->addAction(Q("&Otwórz")))->setObjectName("Open1");
        Plik1->addSeparator();
        (Ostatnie1 = Plik1->addMenu(Q("Ostatnie")))->setObjectName("Ostatnie1");  // named on the QMenu only
        (Recent1 = Ostatnie1->addAction(Q("Ostatni plik")))->setObjectName("Recent1");
        Plik1->addAction(QString())->setObjectName("Empty1");  // no caption
        window.menuBar()->addAction(Q("&Kopiuj"))->setObjectName("Kopiuj1");
        auto* popup = Make<QMenu>(&window, "PopupMenu1");
        (Kopiuj2 = popup->addAction(Q("Kopiuj")))->setObjectName("Kopiuj2");

        (FormMP = Make<QWidget>(central, "FormMP"))->setWindowTitle("Film");
        (MPLabel = Make<QLabel>(FormMP, "Label1"))->setText(Q("Etykieta filmu"));
    }
};

// A dialog form with its own section.
struct SkinForm {
    QDialog dialog;
    QLabel* Label1;
    SkinForm() {
        dialog.setObjectName("FormSkin");
        dialog.setWindowTitle(Q("Skórki"));
        (Label1 = Make<QLabel>(&dialog, "Label1"))->setText(Q("Jasność"));
    }
};

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(dir.path() / "language");
        language.SetErrorSink([this](const std::string& text, const std::string& caption) {
            errors.push_back(caption + ": " + text);
        });
        language.AddForm(&main.window);
        language.AddForm(&skin.dialog);
        language.AddForm(main.FormMP);
    }
    std::string WriteLanguage(const std::string& name, const std::string& text) {
        return dir.Write("language/" + name, text);
    }

    TempDir dir;
    Language language{dir.path().string(), ""};
    std::vector<std::string> errors;
    MainForm main;
    SkinForm skin;
};

}  // namespace

TEST_F(LanguageTest, FileWithOnlyForm1ChangesTheMainTextsAndLeavesTheRest) {
    WriteLanguage(
        "only1.klg",
        "[Form1]\nForm_Cpt=Kravelo EN\nLabel1_Cpt=Label\nLabel1_Hnt=A label\nButton1_Cpt=Button\n"
        "CheckBox1_Cpt=Tick\nRadioButton1_Cpt=Choose\nGroupBox1_Cpt=Group\nLabel2_Cpt=In group\n"
        "Panel1_Cpt=Panel caption\nPanel1_Hnt=Panel hint\nSpeedButtonShowSubTit_Hnt=Show subtitles\n"
        "Edit1_Cpt=changed\nEdit1_Hnt=changed\nPlik1_Cpt=&File\nOpen1_Cpt=&Open\nOstatnie1_Cpt=Recent\n"
        "Recent1_Cpt=Last file\nKopiuj1_Cpt=&Copy\nTxtFileModify=Save the changes?\n");
    ASSERT_TRUE(language.LoadLanguage("only1.klg"));
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(main.window.windowTitle(), "Kravelo EN");
    EXPECT_EQ(main.Label1->text(), "Label");
    EXPECT_EQ(main.Button1->text(), "Button");
    EXPECT_EQ(main.CheckBox1->text(), "Tick");
    EXPECT_EQ(main.RadioButton1->text(), "Choose");
    EXPECT_EQ(main.GroupBox1->title(), "Group");
    EXPECT_EQ(main.Label2->text(), "In group");
    EXPECT_EQ(main.Panel1->property("Caption").toString(), "Panel caption");
    EXPECT_EQ(main.Edit1->text(), "text");  // edits are not translated
    EXPECT_EQ(main.Plik1->title(), "&File");
    EXPECT_EQ(main.Open1->text(), "&Open");
    EXPECT_EQ(main.Ostatnie1->title(), "Recent");
    EXPECT_EQ(main.Recent1->text(), "Last file");
    EXPECT_EQ(main.Kopiuj2->text(), "&Copy");  // fix-up: the duplicate follows its main item
    // No StdButtons section: the standard buttons keep their captions.
    EXPECT_EQ(main.ButtonOK->text(), "OK");
    // Other forms, and the embedded form, keep their built-in captions.
    EXPECT_EQ(skin.Label1->text(), Q("Jasność"));
    EXPECT_EQ(main.MPLabel->text(), Q("Etykieta filmu"));
    // Messages: the Form1 one is there, every other reads the error text.
    EXPECT_EQ(language.Text("Form1", "TxtFileModify"), "Save the changes?");
    EXPECT_EQ(language.Text("Form1", "TxtFileOpenError"), "LANGUAGE FILE ERROR");
    EXPECT_EQ(language.Texts().Caption(MessageIcon::Error), "LANGUAGE FILE ERROR");
    EXPECT_EQ(language.ShowSubtitlesHint(), "Show subtitles");
}

// A missing file is reported and changes nothing; a second file keeps the captions it lacks,
// not the messages.
TEST_F(LanguageTest, MissingFileChangesNothingAndASecondFileKeepsCaptionsItLacks) {
    EXPECT_FALSE(language.LoadLanguage("nope.klg"));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Error: NOPE.KLG doesn't exists!");
    EXPECT_EQ(main.window.windowTitle(), "Kravelo");
    EXPECT_EQ(language.Text("Form1", "TxtFileModify"), "");

    WriteLanguage("one.klg",
                  "[Form1]\nLabel1_Cpt=First\nButton1_Cpt=B1\n[FormSkin]\nForm_Cpt=Skins\n"
                  "[Editor]\nApperNotSorted=Unsorted\n");
    WriteLanguage("two.klg", "[Form1]\nLabel1_Cpt=Second\nButton1_Cpt=\n");
    ASSERT_TRUE(language.LoadLanguage("one.klg"));
    ASSERT_TRUE(language.LoadLanguage("two.klg"));
    EXPECT_EQ(main.Label1->text(), "Second");
    EXPECT_EQ(main.Button1->text(), "B1");  // an empty value leaves the caption
    EXPECT_EQ(skin.dialog.windowTitle(), "Skins");
    // Message texts are read afresh: a key the second file lacks is an error now.
    EXPECT_EQ(language.Text("Editor", "ApperNotSorted"), "LANGUAGE FILE ERROR");
}

TEST_F(LanguageTest, StandardButtonsTakeTheirCaptionsFromStdButtons) {
    WriteLanguage("std.klg",
                  "[StdButtons]\nOK=Okay\nAnuluj=Cancel\n[Form1]\nButtonOK_Cpt=Ignored\n"
                  "ButtonOK_Hnt=Confirm\nButtonCancel_Cpt=Ignored too\n");
    ASSERT_TRUE(language.LoadLanguage("std.klg"));
    EXPECT_EQ(main.ButtonOK->text(), "Okay");
    EXPECT_EQ(main.ButtonOK->toolTip(), "Confirm");  // its hint key still counts
    EXPECT_EQ(main.ButtonCancel->text(), "Cancel");

    WriteLanguage("empty.klg", "[StdButtons]\nOK=\n");
    ASSERT_TRUE(language.LoadLanguage("empty.klg"));
    EXPECT_EQ(main.ButtonOK->text(), "");  // even an empty value
    EXPECT_EQ(main.ButtonCancel->text(), "Cancel");
}

// The export writes every form but the chapter windows' into the file, keeping what else it holds.
TEST_F(LanguageTest, ExportThenLoadRestoresTheCaptions) {
    NamedForm chapters("FormChapters");
    chapters.setWindowTitle(Q("Rozdziały"));
    language.AddForm(&chapters);
    WriteLanguage("export.klg", "; mine\n[Messages]\nStop=Halt\n");
    std::string error;
    ASSERT_TRUE(language.ExportLanguage("export.klg", &error)) << error;
    ProfileFile exported(dir.File("language/export.klg"));
    EXPECT_EQ(exported.ReadString("Form1", "Label2_Cpt", "?"), "W grupie");
    EXPECT_EQ(exported.ReadString("Form1", "Panel1_Hnt", "?"), "Panel");
    EXPECT_FALSE(exported.Find("Form1", "Panel1_Cpt"));              // empty captions are not written
    EXPECT_EQ(exported.ReadString("Form1", "Empty1_Cpt", "?"), "");  // menu items always are
    EXPECT_FALSE(exported.Find("Form1", "Edit1_Cpt"));
    EXPECT_EQ(exported.ReadString("Form1", "Label1_Cpt", "?"), "Etykieta");  // not the embedded form's
    EXPECT_EQ(exported.ReadString("FormMP", "Label1_Cpt", "?"), "Etykieta filmu");
    EXPECT_EQ(exported.ReadString("FormSkin", "Form_Cpt", "?"), "Skórki");
    EXPECT_FALSE(exported.HasSection("StdButtons"));
    EXPECT_FALSE(exported.HasSection("Editor"));
    EXPECT_FALSE(exported.HasSection("FormChapters"));
    EXPECT_EQ(exported.ReadString("Messages", "Stop", ""), "Halt");
    // Keys follow creation order: the label before the button made after it.
    const auto& lines = exported.Lines();
    auto at = [&](const std::string& l) { return std::find(lines.begin(), lines.end(), l) - lines.begin(); };
    EXPECT_LT(at("Label1_Cpt=Etykieta"), at("Button1_Cpt=Przycisk"));

    main.window.setWindowTitle("changed");
    main.Recent1->setText("changed");
    ASSERT_TRUE(language.LoadLanguage("export.klg"));
    EXPECT_EQ(main.window.windowTitle(), "Kravelo");
    EXPECT_EQ(main.Recent1->text(), Q("Ostatni plik"));
}

TEST_F(LanguageTest, FixUpsFindTheirControlsByName) {
    std::string existing = dir.Write("film.txt", "x");
    main.LabelFileName->setText(QString::fromStdString(existing));

    NamedForm options("FormUstawienia");
    auto* pages = Make<QListWidget>(&options, "ListBox1");
    pages->addItems({"a", "b", "c", "d", "e"});
    pages->setCurrentRow(2);
    auto* labelLen = Make<QLabel>(&options, "LabelLen");
    NamedForm stats("FormStatistics");
    Make<QLabel>(&stats, "Label15")->setText("Length");
    NamedForm chooser("FormOpenText");
    auto* files = Make<QTreeWidget>(&chooser, "ListViewFiles");
    files->setColumnCount(2);
    NamedForm jump("FormPytanie05SkokDo");
    Make<QToolButton>(&jump, "SpeedButton1")->setText("Now");
    Make<QFrame>(&jump, "Label14")->setProperty("Caption", "s");
    NamedForm chapterSet("FormChapterSet");
    auto* current = Make<QToolButton>(&chapterSet, "SpeedButton1");
    auto* panel = Make<QFrame>(&chapterSet, "Label14");
    for (QWidget* w : {&options, &stats, &chooser, &jump, &chapterSet}) language.AddForm(w);

    WriteLanguage("fix.klg",
                  "[FormUstawienia]\nEdition=Editing\nSubtitles=Subtitles\nMovie=Movie\n"
                  "FullScreen=Full screen\n[FormOpenText]\nFileName=File name\nFileSize=Size\n"
                  "[Form1]\nLabelDefaultFileName_Cpt=No file\n");
    ASSERT_TRUE(language.LoadLanguage("fix.klg"));
    EXPECT_EQ(main.LabelFileName->text(), QString::fromStdString(existing));  // names an existing file
    ASSERT_EQ(pages->count(), 5);
    EXPECT_EQ(pages->item(0)->text(), "Editing");
    EXPECT_EQ(pages->item(4)->text(), "");  // missing key: an empty entry
    EXPECT_EQ(pages->currentRow(), 2);
    EXPECT_EQ(files->headerItem()->text(0), "File name");
    EXPECT_EQ(files->headerItem()->text(1), "Size");
    EXPECT_EQ(labelLen->text(), "Length");
    EXPECT_EQ(current->text(), "Now");
    EXPECT_EQ(panel->property("Caption").toString(), "s");  // a panel's caption is copied too
    // The button's own hint, since the file has none.
    EXPECT_EQ(language.ShowSubtitlesHint(), "Wyświetlaj napisy");

    main.LabelFileName->setText(QString::fromStdString(existing + ".gone"));
    ASSERT_TRUE(language.LoadLanguage("fix.klg"));
    EXPECT_EQ(main.LabelFileName->text(), "No file");
}

TEST_F(LanguageTest, LanguageChooserListsChoosesAndExports) {
    Settings settings;
    settings.LanguageFile = "BETA.KLG";  // matched without regard to case
    OpenDialogCounter open;
    TFormLanguage dialog(language, settings, open);
    int changed = 0;
    dialog.onLanguageChanged = [&] { ++changed; };
    // Without a language file nothing can be confirmed.
    dialog.SetCurrentFile(settings.LanguageFile);
    dialog.show();
    EXPECT_FALSE(dialog.ButtonOK->isEnabled());
    dialog.reject();

    WriteLanguage("alpha.klg", "[FormLanguage]\nForm_Cpt=Alpha\n");
    WriteLanguage("beta.klg", "[FormLanguage]\nForm_Cpt=Beta\n");
    WriteLanguage("notes.txt", "");
    dialog.SetCurrentFile(settings.LanguageFile);
    dialog.show();
    ASSERT_EQ(dialog.ListBoxFiles->count(), 2);
    EXPECT_EQ(dialog.ListBoxFiles->currentRow(), 1);

    // Ctrl+Alt+Shift+S exports to SAVE.KLG, from whichever control has the focus.
    QTest::keyClick(dialog.ListBoxFiles, Qt::Key_S,
                    Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    ProfileFile saved(dir.File("language/SAVE.KLG"));
    EXPECT_EQ(saved.ReadString("FormLanguage", "Form_Cpt", ""), "Język (Language)");

    dialog.ListBoxFiles->setCurrentRow(0);
    EXPECT_EQ(dialog.ShownPath(), dir.File("language/alpha.klg"));
    dialog.ListBoxFiles->setCurrentRow(1);
    QTest::mouseClick(dialog.ButtonOK, Qt::LeftButton);
    EXPECT_EQ(open.Value(), 0);  // closed
    EXPECT_EQ(settings.LanguageFile, "beta.klg");
    EXPECT_EQ(dialog.windowTitle(), "Beta");
    EXPECT_EQ(changed, 1);

    // Shown again: the exported SAVE.KLG is listed too; Anuluj changes nothing.
    dialog.SetCurrentFile(settings.LanguageFile);
    dialog.show();
    EXPECT_EQ(dialog.ListBoxFiles->count(), 3);
    dialog.ListBoxFiles->setCurrentRow(0);
    QTest::mouseClick(dialog.ButtonCancel, Qt::LeftButton);
    EXPECT_EQ(settings.LanguageFile, "beta.klg");
    EXPECT_EQ(changed, 1);
}

// --- The shipped language files.

// Qt's own texts (standard buttons, file dialogs) follow the language the file declares, and
// switch with it.
TEST(ShippedLanguages, QtTextsFollowTheChosenLanguage) {
    const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    const auto boxButton = [](QMessageBox::StandardButton which) {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        return box.button(which)->text();
    };
    {
        Language shipped(std::string(KRAVELO_SOURCE_DIR) + "/data", "");
        ASSERT_TRUE(shipped.LoadLanguage("polski.klg"));
        EXPECT_EQ(shipped.QtLanguage(), "pl");
        EXPECT_EQ(boxButton(QMessageBox::Cancel), "Anuluj");
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "&Open"), "&Otw\u00f3rz");

        ASSERT_TRUE(shipped.LoadLanguage("english.klg"));
        EXPECT_EQ(shipped.QtLanguage(), "en");
        EXPECT_EQ(yes(), "&Yes");

        ASSERT_TRUE(shipped.LoadLanguage("polski.klg"));
        // A code that is no language name of Qt's folder leaves Qt's English.
        for (const char* code : {"", "../translations/qtbase_pl", "pl.qm", "xx"}) {
            shipped.SetQtLanguage(code);
            EXPECT_EQ(shipped.QtLanguage(), "") << code;
            EXPECT_EQ(yes(), "&Yes") << code;
        }
        shipped.SetQtLanguage("pl");
        EXPECT_EQ(yes(), "&Tak");
    }
    // The translation goes with the language texts.
    EXPECT_EQ(yes(), "&Yes");
}
