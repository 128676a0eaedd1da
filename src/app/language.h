#pragma once
// Language files. A language file is a profile file ("*.klg", UTF-8) in the program
// folder's "language/" (else <prefix>/share/kravelo/language). It overrides captions and hints
// of the forms by object names and supplies every message text.
//
// Key scheme, per form section (the form's objectName, e.g. "Form1"):
//   "Form_Cpt"          the form's window title
//   <name>_Cpt, _Hnt    text and tool tip of a named QLabel, QPushButton, QCheckBox,
//                       QRadioButton, QToolButton, QGroupBox (title) or plain QFrame (a panel:
//                       its caption is the dynamic property "Caption")
//   <item>_Cpt          text of a named QAction of any menu bar or pop-up menu, at any depth (a
//                       submenu is named by its menuAction's objectName, else the QMenu's)
// A QPushButton with the dynamic property "Tag" 1 takes its caption from StdButtons/OK, with
// Tag 2 from StdButtons/Anuluj (even an empty one; a file without the key leaves it alone).
// A child widget that is itself one of the 26 forms belongs to its own section, not its host's.
//
// Use by the main window:
//
//     Language language(ProgramFolder());
//     language.SetErrorSink(...);            // its MessageBox wrapper (counts OpenDialogCount)
//     language.AddForm(this); ...            // every form, objectName = its section
//     language.LoadLanguage(settings.LanguageFile);
//     box(language.Text("Form1", "TxtFileModify"), language.Texts().Caption(MessageIcon::Question));

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/message_texts.h"
#include "core/profile_file.h"

class QTranslator;

namespace kravelo {

// The forms with a section, in the order they are applied.
inline constexpr std::string_view kLanguageForms[] = {
    "Form1",
    "FormControlPanel",
    "FormFSProgress",
    "FormInformacje",
    "FormMessage",
    "FormMP",
    "FormOpenText",
    "FormPytanie01Konwert",
    "FormPytanie02Geom",
    "FormPytanie03PrzesNap",
    "FormPytanie04CzasWysw",
    "FormPytanie05SkokDo",
    "FormPytanie06ZmianaFPSNap",
    "FormPytanie07ZnajdzPrzerwe",
    "FormPytanie08PrzejdzDoNapisu",
    "FormPytanie09OkreslFPS",
    "FormPytanie10ZnajdzSzybkiNapis",
    "FormPytanie11PoprawNapisy",
    "FormPytanie12BladLinii",
    "FormPytanie13PolaczNapisy",
    "FormSkin",
    "FormStatistics",
    "FormSubtitleFont",
    "FormUstawienia",
    "FormLanguage",
    "FormChapters",
    "FormChapterSet",
    "Find",
    "Replace",
    "FormSyncPreview",
};

bool IsLanguageForm(std::string_view objectName);

// The seven captioned kinds: QLabel, QPushButton, QCheckBox, QRadioButton, QToolButton, QGroupBox
// and a panel (a plain QFrame). Their caption is a label's or button's text, a group box's
// title, a panel's dynamic property "Caption".
bool IsCaptioned(const QObject* object);
QString CaptionOf(const QObject* object);
void SetCaption(QObject* object, const QString& text);

// Reads (exportTexts false) or writes (true) the section of one form, named by its objectName.
void ApplyFormTexts(ProfileFile& file, QWidget* form, bool exportTexts);

// <install prefix>/share/kravelo, where an installed program finds language/, skins/, help/.
std::string DefaultShareFolder();

class Language {
public:
    explicit Language(std::string programFolder, std::string shareFolder = DefaultShareFolder());
    ~Language();
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;

    // The program folder's "language" folder when it exists, else the share folder's.
    std::string LanguageFolder() const;
    std::string PathOf(const std::string& fileName) const;

    // Forms are found by objectName; a deleted form drops out by itself.
    void AddForm(QWidget* form);
    QWidget* Form(std::string_view name) const;

    // Where "<FILE> doesn't exists!" goes (text, caption). Without one a QMessageBox shows it.
    using ErrorSink = std::function<void(const std::string& text, const std::string& caption)>;
    void SetErrorSink(ErrorSink sink) { errorSink_ = std::move(sink); }

    // Loads and applies a language file by its bare name. A missing file shows the message and
    // changes nothing (false). Texts the file lacks keep what they were. Qt's own texts
    // (standard buttons, file dialogs) follow the language the file declares.
    bool LoadLanguage(const std::string& fileName);
    // The code of the language a file declares for Qt's own texts ("pl", "en", ...).
    static constexpr const char* kQtLanguageSection = "Language";
    static constexpr const char* kQtLanguageKey = "Code";
    // Installs Qt's translation for `code` in place of the previous one; an empty, malformed or
    // untranslated code leaves Qt's built-in English. The code in effect, empty for none.
    void SetQtLanguage(const std::string& code);
    const std::string& QtLanguage() const { return qtLanguage_; }
    // Writes the current texts of 24 forms (the load list without FormChapters and
    // FormChapterSet) into the language folder; an existing file keeps its other keys.
    bool ExportLanguage(const std::string& fileName, std::string* error = nullptr);

    const MessageTexts& Texts() const { return texts_; }
    const std::string& Text(std::string_view section, std::string_view key) const {
        return texts_.Text(section, key);
    }
    const std::string& Text(const Message& message) const { return texts_.Text(message); }

    // Results of the fix-ups after a load: the base hint of the show-subtitles button (the view
    // modes append the shortcut), the five page names of the options dialog and the two column
    // titles of the subtitle chooser, for forms that read them when they are built.
    const std::string& ShowSubtitlesHint() const { return showSubtitlesHint_; }
    const std::vector<std::string>& OptionsPages() const { return optionsPages_; }
    const std::vector<std::string>& ChooserColumns() const { return chooserColumns_; }
    // Full path of the last file loaded; empty before.
    const std::string& LoadedPath() const { return loadedPath_; }

private:
    friend void ApplyLanguageFixUps(Language& language, const ProfileFile& file);

    std::string programFolder_;
    std::string shareFolder_;
    std::vector<QPointer<QWidget>> forms_;
    ErrorSink errorSink_;
    MessageTexts texts_;
    std::string showSubtitlesHint_;
    std::vector<std::string> optionsPages_;
    std::vector<std::string> chooserColumns_;
    std::string loadedPath_;
    std::unique_ptr<QTranslator> qtTranslator_;
    std::string qtLanguage_;
};

// The fix-ups LoadLanguage runs once the texts are in place, each done when the forms and
// controls it names exist (language_fixups.cpp).
void ApplyLanguageFixUps(Language& language, const ProfileFile& file);

}  // namespace kravelo
