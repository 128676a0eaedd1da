#pragma once
// TForm1, the main window (Parts 4.1, 1.3, 1.4, 1.5, 2.1, 2.3, 4.5): menus and tool buttons built
// from one table of actions, the video panel PanelMP (filled by the player, playback issue), the
// subtitle editor with the file-name and file-size labels, and the status bar whose panel 0 also
// draws the progress bar. It owns the document state, the settings, the language, the
// OpenDialogCount counter, the parameter dialogs and the operation frame.
//
// Everything the user is asked goes through `Prompts` (a `Prompter` given to the constructor, or
// real Qt boxes and dialogs), so tests drive whole commands.
//
//     MainWindow w({programFolder, configFolder, shareFolder}, &scriptedPrompter);
//     w.show();                           // first show: settings, language, empty document
//     w.OpenSubtitleFile("film.txt", false);
//     w.TimeShiftCommand();

#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/language.h"
#include "ui/open_dialog_count.h"
#include "ui/prompts.h"
#include "core/settings.h"
#include "core/chapters.h"
#include "core/text_file.h"
#include "ops/dialogs/operation_frame.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QToolBar;
class QToolButton;

namespace kravelo {

class TFormInformacje;
class TFormLanguage;
class TFormPytanie01Konwert;
class TFormPytanie03PrzesNap;
class TFormPytanie06ZmianaFPSNap;
class TFormPytanie09OkreslFPS;
class TFormPytanie12BladLinii;
class TFormPytanie14SetFormat;

struct MainWindowPaths {
    std::string programFolder;  // kravelo.ini when writable, language/
    std::string configFolder;   // kravelo.ini otherwise
    std::string shareFolder;    // language/ of an installed program
};

// The fixed build date text.
inline constexpr const char* kBuildDate = "2001-10-06";
// Built-in caption of the main form.
inline constexpr const char* kDesignCaption = "Kravelo (Player)";

// Movie extensions of the command line and dropped files, in their fixed order; subtitle extensions.
bool IsMovieExtension(const QString& path);
bool IsSubtitleExtension(const QString& path);

// Process-wide number format: "." as decimal separator whatever the user's locale.
void ApplyProcessNumberFormat();

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowPaths paths, Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- The movie side, filled in by the playback issue. Until then no movie is ever loaded,
    // so FrameRate follows the "no movie loaded" rules, and movie commands are not shown.
    struct MovieSide {
        std::function<bool()> loaded;  // player open state is not 0
        std::function<int()> imageHeight;  // ImageSourceHeight of the loaded movie
        // OpenMovie (path, offer choice, load subtitles, use movie settings).
        std::function<void(const QString&, bool, bool, bool)> open;
        std::function<void()> reset;  // the player's share of ResetMovie
        // ChooseSubtitleVersion: the path to open, empty for none.
        std::function<QString(const QString&)> chooseSubtitleVersion;
        // TimerOpenVideoTimer's crash resume: true when it reopened the last movie.
        std::function<bool()> resumeAfterCrash;
        // The window closes normally (the position is kept, the crash marker goes).
        std::function<void()> closing;
    };
    MovieSide movie;
    bool MovieLoaded() const { return movie.loaded && movie.loaded(); }

    // --- Start-up. The first show runs Startup(); the start-up timer then opens the
    // command-line files (TimerOpenVideoTimer).
    void SetCommandLine(const QStringList& arguments) { commandLine_ = arguments; }
    void TimerOpenVideoTimer();
    bool StartupDone() const { return !firstShowPending_; }

    // --- Documents (Parts 1.3, 1.4).
    bool ConfirmDiscard();
    void CloseDocument();
    void MarkSaved();
    void OpenSubtitleFile(const QString& path, bool offerChoice);
    void OpenCommand();
    void AppendCommand();
    void SaveDocument();
    void SaveDocumentAs();
    void SaveToChosenFile(const QString& suggestedPath);
    void RenewMarker();
    void ResetMovie();
    // The path LabelFileName names, empty while it shows the default caption.
    QString CurrentFileName() const;

    // --- Format.
    void SetActiveFormat(int format);
    void ActiveFormatCommand();
    void ConvertCommand();

    // --- Operations (Parts 2.1, 2.3).
    void TimeShiftCommand();
    void NudgeCommand(bool forward);
    void FrameRateChangeCommand();
    void DefaultFrameRateCommand();

    // --- Recent files.
    void AddRecentMovie(const std::string& path);
    void AddRecentSubtitle(const std::string& path);
    void ReopenSubtitle(int index);  // reopentxt1..5 (index 0..4)

    // --- Help: the FAQ pages and the about box.
    // How a file or link is opened (QDesktopServices::openUrl unless a test replaces it).
    std::function<void(const QUrl&)> openUrl;
    void OpenFaq(const QString& fileName);
    void AboutCommand();
    TFormInformacje& AboutBox() { return *about_; }

    // --- Dropped files.
    void DropFiles(const QStringList& paths);

    // --- State.
    DocumentState& State() { return state_; }
    const TextFormat& FileTextFormat() const { return textFormat_; }
    Settings& GetSettings() { return settings_; }
    Language& GetLanguage() { return language_; }
    Prompts& GetPrompts() { return prompts_; }
    OpenDialogCounter& OpenDialogs() { return openDialogs_; }
    OperationFrame& Frame() { return *frame_; }
    QPlainTextEdit* Editor() const { return editor_; }
    QLabel* LabelFileName() const { return labelFileName_; }
    QLabel* LabelFileSize() const { return labelFileSize_; }
    QFrame* PanelMP() const { return panelMP_; }
    QLabel* StatusPanel(int i) const { return statusPanels_[static_cast<std::size_t>(i)]; }
    QAction* Action(const QString& objectName) const { return actions_.value(objectName); }
    bool Closing() const { return closing_; }
    bool FullScreen() const { return fullScreen_; }

    TFormPytanie01Konwert& ConvertDialog() { return *convert_; }
    TFormPytanie14SetFormat& SetFormatDialog() { return *setFormat_; }
    TFormPytanie03PrzesNap& ShiftDialog() { return *shift_; }
    TFormPytanie06ZmianaFPSNap& FrameRateChangeDialog() { return *fpsChange_; }
    TFormPytanie09OkreslFPS& DefaultFrameRateDialog() { return *defaultFps_; }
    TFormPytanie12BladLinii& LineErrorDialog() { return *lineError_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class MovieSideController;  // adds its commands, menus and tool buttons
    void BuildWindow();
    void CreateActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    QAction* AddAction(const char* name, const QString& caption, const QKeySequence& shortcut,
                       std::function<void()> handler);
    QToolButton* AddToolButton(const char* name, QAction* action, const QString& hint, int standardIcon);
    void Startup();
    void EditorModificationChanged(bool modified);
    void EditorTextChanged();
    void SetFileName(const QString& path);
    void RebuildRecentMenu(bool movies);
    // Writes the editor's lines; false when nothing was written.
    enum class WriteResult { Written, Failed, Declined };
    WriteResult WriteDocument(const QString& path);
    void ReadSsaTablesQuietly();
    void ShowMessage(const Message& message);

    MainWindowPaths paths_;
    std::unique_ptr<Prompter> ownPrompter_;
    OpenDialogCounter openDialogs_;
    Settings settings_;
    TChapters chapters_;
    Language language_;
    Prompts prompts_;
    DocumentState state_;
    TextFormat textFormat_;

    // Widgets.
    QToolBar* toolBar_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QFrame* panelMP_ = nullptr;
    QFrame* panelText_ = nullptr;
    QLabel* labelFileName_ = nullptr;
    QLabel* labelFileSize_ = nullptr;
    QPlainTextEdit* editor_ = nullptr;
    ProgressPanel* progressPanel_ = nullptr;
    std::array<QLabel*, 5> statusPanels_{};
    QMenu* editorMenu_ = nullptr;
    QToolButton* buttonFrmMpl_ = nullptr;
    QToolButton* buttonSave_ = nullptr;
    QHash<QString, QAction*> actions_;
    std::array<QAction*, 5> reopenMovie_{};
    std::array<QAction*, 5> reopenTxt_{};
    QAction* separatorN4_ = nullptr;
    QAction* separatorN21_ = nullptr;

    // Dialogs, created once.
    TFormPytanie01Konwert* convert_ = nullptr;
    // No language section of its own: kept out of Form1's widget tree.
    std::unique_ptr<TFormPytanie14SetFormat> setFormat_;
    TFormPytanie03PrzesNap* shift_ = nullptr;
    TFormPytanie06ZmianaFPSNap* fpsChange_ = nullptr;
    TFormPytanie09OkreslFPS* defaultFps_ = nullptr;
    TFormPytanie12BladLinii* lineError_ = nullptr;
    TFormLanguage* formLanguage_ = nullptr;
    TFormInformacje* about_ = nullptr;
    std::unique_ptr<OperationFrame> frame_;

    QString saveFolder_ = QStringLiteral(".");  // starting folder of the save dialog
    int saveFilterIndex_ = 1;

    QTimer timerOpenVideo_;
    QStringList commandLine_;
    bool firstShowPending_ = true;
    bool closing_ = false;
    bool handedOver_ = false;
    bool fullScreen_ = false;
    int lastLineCount_ = 0;
};

}  // namespace kravelo
