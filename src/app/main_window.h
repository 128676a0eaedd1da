#pragma once
// The main window (object name Form1): menus, pop-up menu and tool buttons built from one
// command table, the video panel PanelMP (the movie side puts the player there), the subtitle
// editor with the file-name and file-size labels, and the status bar whose panel 0 also draws
// the progress bar. It owns the open document (`SubtitleSession`), the settings, the language,
// the OpenDialogCount counter, the parameter dialogs and the operation frame.
//
// Everything the user is asked goes through `Prompts` (a `Prompter` given to the constructor, or
// real Qt boxes and dialogs), so tests drive whole commands.
//
//     MainWindow w({programFolder, configFolder, shareFolder}, &scriptedPrompter);
//     w.show();                           // first show: menus, settings, language, empty document
//     w.OpenSubtitleFile("film.txt", false);
//     w.TimeShiftCommand();

#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/language.h"
#include "ui/open_dialog_count.h"
#include "ui/prompts.h"
#include "core/settings.h"
#include "core/chapters.h"
#include "ops/dialogs/operation_frame.h"
#include "ops/timing_search.h"
#include "ui/command_table.h"
#include "ui/subtitle_session.h"

class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QResizeEvent;
class QSplitter;
class QToolBar;
class QToolButton;

namespace kravelo {

class MoviePort;
class ScreenSaverInhibitor;
class TFormInformacje;
class TFormLanguage;
class TFormStatistics;
class TFormUstawienia;
class DisplayModeService;
class FileAssociations;
class TFormPytanie01Konwert;
class TFormPytanie03PrzesNap;
class TFormPytanie06ZmianaFPSNap;
class TFormPytanie09OkreslFPS;
class TFormPytanie12BladLinii;
class TFormPytanie14SetFormat;
class TFormPytanie02Geom;
class TFormPytanie04CzasWysw;
class TFormPytanie07ZnajdzPrzerwe;
class TFormPytanie08PrzejdzDoNapisu;
class TFormPytanie10ZnajdzSzybkiNapis;
class TFormPytanie11PoprawNapisy;
class TFormPytanie13PolaczNapisy;
class TextSearchDialog;
class ViewModes;

struct MainWindowPaths {
    std::string programFolder;  // kravelo.ini when writable, language/
    std::string configFolder;   // kravelo.ini otherwise
    std::string shareFolder;    // language/ of an installed program
};

// The fixed build date text.
inline constexpr const char* kBuildDate = "2001-10-06";
// Built-in caption of the main form.
inline constexpr const char* kDesignCaption = "Kravelo (Player)";

// Movie and subtitle extensions of the command line and dropped files (core/media_types).
bool IsMovieExtension(const QString& path);
bool IsSubtitleExtension(const QString& path);

// Process-wide number format: "." as decimal separator whatever the user's locale.
void ApplyProcessNumberFormat();

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowPaths paths, Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- The movie side. Without one (the window tests) no movie is ever loaded.
    void SetMoviePort(MoviePort* port);
    bool MovieLoaded() const;
    MoviePort* Movie() const { return movie_; }

    // --- Start-up. The first show builds the menus and runs Startup(); the start-up timer then
    // opens the command-line files (TimerOpenVideoTimer).
    void SetCommandLine(const QStringList& arguments) { commandLine_ = arguments; }
    void TimerOpenVideoTimer();
    bool StartupDone() const { return !firstShowPending_; }

    // --- Documents.
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
    // Closes the movie (through the movie side) and puts the window in its no-movie layout.
    void ResetMovie();
    // The document's file, empty for a new document.
    QString CurrentFileName() const { return session_->Path(); }

    // --- Format.
    void SetActiveFormat(int format);
    void ActiveFormatCommand();
    void ConvertCommand();

    // --- Whole-document commands.
    void TimeShiftCommand();
    void NudgeCommand(bool forward);
    void FrameRateChangeCommand();
    void DefaultFrameRateCommand();
    void DisplayTimeCommand();
    void MergeCommand();
    void RepairCommand();
    void SortCommand();

    // --- Line commands.
    void ItalicsCommand();
    void GoToSubtitleCommand();
    // Puts the caret at the start of a line (at a column, cut to the line) and scrolls to it.
    void GoToLine(long line, long column = 0);

    // --- Searches. F3 repeats the last one, whatever its kind.
    enum class LastSearch { None, Text, ShortSubtitle, Gap, Unsorted };
    LastSearch LastSearchKind() const { return lastSearch_; }
    void FindTextCommand();     // the modeless Find dialog
    void ReplaceCommand();      // the modeless Replace dialog
    void FindNextCommand();     // F3
    void FindUnsortedCommand();
    void ShortSubtitleCommand();
    void GapCommand();
    void FindShortSubtitleNow();  // the search with the dialog's threshold
    void FindGapNow();
    // The Find (or Replace) dialog's search from the caret; false and the "search finished" box
    // when nothing more is found.
    bool FindNextText(const TextSearchDialog& dialog);
    // Replaces the selection when it is a match of the dialog's text and options; otherwise
    // finds the next match first.
    void ReplaceCurrent();
    // Replaces every match from the caret on; the number replaced is reported.
    long ReplaceAll();

    // --- Recent files.
    void AddRecentMovie(const std::string& path);
    void AddRecentSubtitle(const std::string& path);
    void ReopenSubtitle(int index);  // reopentxt1..5 (index 0..4)

    // --- Help: the FAQ pages and the about box.
    // How a file or link is opened (QDesktopServices::openUrl unless a test replaces it).
    std::function<void(const QUrl&)> openUrl;
    void OpenFaq(const QString& fileName);
    // The help page of a window or dialog by its object name ("Form1": the contents), in the
    // language of the language file; a missing page gets the CantLocalizeFile warning.
    void OpenHelp(const QString& objectName);
    void AboutCommand();
    TFormInformacje& AboutBox() { return *about_; }

    // --- Dropped files.
    void DropFiles(const QStringList& paths);
    // The error box for a dropped file or command-line argument of a kind the program does not open.
    void CantRecognizeFile(const QString& path);

    // --- The screen saver is held off from here until the window is destroyed.
    void SetScreenSaver(ScreenSaverInhibitor* inhibitor);

    // --- Settings: written with the running time of this run added to the stored one.
    void SaveSettingsNow();
    // The clock of the running time, in seconds (a steady clock unless a test replaces it).
    std::function<double()> secondsNow;
    // When this run started, on that clock.
    double StartSeconds() const { return startSeconds_; }
    // The running time of the earlier runs and of this one, in whole seconds.
    double RunningSeconds() const;
    // The running time starts again from 0 now (the statistics were reset).
    void RestartRunningTime();

    // --- Options and statistics.
    // The desktop's file associations for the options dialog (none: its page is disabled) and
    // its display modes (the single current mode unless one is given). Both outlive the window.
    void SetFileAssociations(FileAssociations* associations);
    void SetDisplayModeService(DisplayModeService* service);
    DisplayModeService& DisplayModes() { return *displayModes_; }
    // Ustawieniaprogramu1: the options dialog; on OK its values are applied at once and saved.
    void OptionsCommand();
    // Statystyki1.
    void StatisticsCommand();
    TFormUstawienia& OptionsDialog() { return *options_; }
    TFormStatistics& StatisticsWindow() { return *statistics_; }

    // --- State.
    SubtitleSession& Session() { return *session_; }
    DocumentState& State() { return session_->State(); }
    const TextFormat& FileTextFormat() const { return session_->State().textFormat; }
    CommandTable& Commands() { return *commands_; }
    Settings& GetSettings() { return settings_; }
    TChapters& Chapters() { return chapters_; }
    Language& GetLanguage() { return language_; }
    Prompts& GetPrompts() { return prompts_; }
    OpenDialogCounter& OpenDialogs() { return openDialogs_; }
    OperationFrame& Frame() { return *frame_; }
    QPlainTextEdit* Editor() const { return editor_; }
    QLabel* LabelFileName() const { return labelFileName_; }
    QLabel* LabelFileSize() const { return labelFileSize_; }
    QFrame* PanelMP() const { return panelMP_; }
    QFrame* PanelText() const { return panelText_; }
    QLabel* LabelCursorPos() const { return labelCursorPos_; }
    ViewModes& Views() { return *views_; }
    QSplitter* Splitter() const { return splitter_; }
    // The strip above the editor with the file-name and file-size labels, and the tool bar
    // (made at the first show): both carry the skin.
    QWidget* EditorHeader() const { return editorHeader_; }
    QToolBar* ToolBar() const { return toolBar_; }
    const MainWindowPaths& Paths() const { return paths_; }
    QLabel* StatusPanel(int i) const { return statusPanels_[static_cast<std::size_t>(i)]; }
    QAction* Action(std::string_view objectName) const { return commands_->Action(objectName); }
    bool Closing() const { return closing_; }
    bool FullScreen() const { return fullScreen_; }
    // Set by the full-screen switch: the window's own commands follow it.
    void SetFullScreenFlag(bool on);
    // The editor can be typed in (the player's keys belong to it then).
    bool EditorShown() const;

    TFormPytanie01Konwert& ConvertDialog() { return *convert_; }
    TFormPytanie14SetFormat& SetFormatDialog() { return *setFormat_; }
    TFormPytanie03PrzesNap& ShiftDialog() { return *shift_; }
    TFormPytanie06ZmianaFPSNap& FrameRateChangeDialog() { return *fpsChange_; }
    TFormPytanie09OkreslFPS& DefaultFrameRateDialog() { return *defaultFps_; }
    TFormPytanie12BladLinii& LineErrorDialog() { return *lineError_; }
    TFormPytanie04CzasWysw& DisplayTimeDialog() { return *displayTime_; }
    TFormPytanie13PolaczNapisy& MergeDialog() { return *merge_; }
    TFormPytanie11PoprawNapisy& RepairDialog() { return *repair_; }
    TFormPytanie10ZnajdzSzybkiNapis& ShortSubtitleDialog() { return *shortSearch_; }
    TFormPytanie07ZnajdzPrzerwe& GapDialog() { return *gapSearch_; }
    TFormPytanie08PrzejdzDoNapisu& GoToSubtitleDialog() { return *goTo_; }
    TFormPytanie02Geom& GeometricDialog() { return *geom_; }
    TextSearchDialog& FindDialog() { return *find_; }
    TextSearchDialog& ReplaceDialog() { return *replace_; }

signals:
    // The settings were read at start (before anything else reads them).
    void SettingsLoaded();
    // The settings are about to be written: whoever keeps a setting elsewhere puts it back now.
    void SettingsAboutToBeSaved();
    // The options dialog was confirmed and its values are in the settings: whoever applies a
    // setting elsewhere applies it again now (before the settings are saved).
    void OptionsApplied();

public slots:
    // The movie side closed its movie: the window's share of the reset.
    void MovieReset();
    // A movie was opened: the frame-rate texts of the dialogs and the commands that need it.
    void MovieOpened(double frameRate);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWindow();
    void RegisterCommands();
    void RegisterEditCommands();
    void RegisterSearchCommands();
    void CreateEditDialogs();
    void SearchFinished();
    void KeepSelectionVisible(bool keep);
    // The line of the selection's start, where the searches begin.
    long SelectionStartLine() const;
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void Startup();
    void SessionChanged(SubtitleSession::Changes changes);
    void RebuildRecentMenu(bool movies);
    void KeepVideoPanelShare(const QResizeEvent& event);
    void OpenRecentMovie(int index);

    MainWindowPaths paths_;
    std::unique_ptr<Prompter> ownPrompter_;
    OpenDialogCounter openDialogs_;
    Settings settings_;
    TChapters chapters_;
    Language language_;
    Prompts prompts_;
    MoviePort* movie_ = nullptr;

    // Widgets.
    QToolBar* toolBar_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QFrame* panelMP_ = nullptr;
    QFrame* panelText_ = nullptr;
    QWidget* editorHeader_ = nullptr;
    QLabel* labelFileName_ = nullptr;
    QLabel* labelFileSize_ = nullptr;
    QLabel* labelCursorPos_ = nullptr;
    ViewModes* views_ = nullptr;
    QPlainTextEdit* editor_ = nullptr;
    ProgressPanel* progressPanel_ = nullptr;
    std::array<QLabel*, 5> statusPanels_{};
    QMenu* editorMenu_ = nullptr;
    QToolButton* buttonFrmMpl_ = nullptr;
    std::array<QAction*, 5> reopenMovie_{};
    std::array<QAction*, 5> reopenTxt_{};
    QAction* separatorN4_ = nullptr;
    QAction* separatorN21_ = nullptr;

    CommandTable* commands_ = nullptr;
    SubtitleSession* session_ = nullptr;
    bool undoAvailable_ = false;

    // Dialogs, created once.
    TFormPytanie01Konwert* convert_ = nullptr;
    // No language section of its own: kept out of Form1's widget tree.
    std::unique_ptr<TFormPytanie14SetFormat> setFormat_;
    TFormPytanie03PrzesNap* shift_ = nullptr;
    TFormPytanie06ZmianaFPSNap* fpsChange_ = nullptr;
    TFormPytanie09OkreslFPS* defaultFps_ = nullptr;
    TFormPytanie12BladLinii* lineError_ = nullptr;
    TFormPytanie04CzasWysw* displayTime_ = nullptr;
    TFormPytanie13PolaczNapisy* merge_ = nullptr;
    TFormPytanie11PoprawNapisy* repair_ = nullptr;
    TFormPytanie10ZnajdzSzybkiNapis* shortSearch_ = nullptr;
    TFormPytanie07ZnajdzPrzerwe* gapSearch_ = nullptr;
    TFormPytanie08PrzejdzDoNapisu* goTo_ = nullptr;
    TFormPytanie02Geom* geom_ = nullptr;
    TextSearchDialog* find_ = nullptr;
    TextSearchDialog* replace_ = nullptr;
    LastSearch lastSearch_ = LastSearch::None;
    void FindTimingNow(LastSearch kind, const std::function<SearchHit(const SubtitleDocument&, long)>& find);
    TFormLanguage* formLanguage_ = nullptr;
    TFormInformacje* about_ = nullptr;
    TFormUstawienia* options_ = nullptr;
    TFormStatistics* statistics_ = nullptr;
    std::unique_ptr<DisplayModeService> ownDisplayModes_;
    DisplayModeService* displayModes_ = nullptr;
    void CreateOptionsForms();
    void ApplyEditorFontSize(int size);
    ScreenSaverInhibitor* screenSaver_ = nullptr;
    std::unique_ptr<OperationFrame> frame_;

    QString saveFolder_ = QStringLiteral(".");  // starting folder of the save dialog
    int saveFilterIndex_ = 1;

    QTimer timerOpenVideo_;
    QStringList commandLine_;
    bool firstShowPending_ = true;
    bool closing_ = false;
    bool handedOver_ = false;
    bool fullScreen_ = false;
    // The running time: the stored total at start and the clock then.
    double workingTimeAtStart_ = 0.0;
    double startSeconds_ = 0.0;
};

}  // namespace kravelo
