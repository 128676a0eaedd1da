// Main window: construction and layout, start-up and shutdown, the key dispatcher, dropped
// files, help and the recent-file menus.

#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QSplitter>
#include <QSplitterHandle>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>
#include <clocale>

#include "app/about_box.h"
#include "app/form_options.h"
#include "app/form_statistics.h"
#include "app/form_language.h"
#include "app/help.h"
#include "app/movie_port.h"
#include "app/view_modes.h"
#include "core/format_size.h"
#include "core/media_types.h"
#include "core/recent_files.h"
#include "core/text_util.h"
#include "kravelo_version.h"
#include "platform/foreground.h"
#include "platform/screen_saver.h"
#include "ops/dialogs/convert_dialogs.h"
#include "ops/dialogs/frame_rate_dialogs.h"
#include "ops/dialogs/line_error_dialog.h"
#include "ops/dialogs/shift_dialog.h"
#include "platform/display_modes.h"
#include "ui/command_names.h"
#include "ui/qt_text.h"

namespace kravelo {

namespace {

// The text after the last "." of the file name, in lower case.
QString ExtensionOf(const QString& path) { return QString::fromStdString(FileExtension(path.toStdString())); }

void SetLabelColor(QLabel* label, const QColor& color) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}

}  // namespace

bool IsMovieExtension(const QString& path) { return IsMovieFile(path.toStdString()); }

bool IsSubtitleExtension(const QString& path) { return IsSubtitleFile(path.toStdString()); }

void ApplyProcessNumberFormat() {
    // Exactly "C": numbers read and written with "." whatever the user's locale (libmpv needs
    // this spelling too). Dates are "yy-mm-dd" (TodayShortDate).
    std::setlocale(LC_NUMERIC, "C");
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(c);
}

MainWindow::MainWindow(MainWindowPaths paths, Prompter* prompter, QWidget* parent)
    : QMainWindow(parent),
      paths_(std::move(paths)),
      ownPrompter_(prompter ? nullptr : std::make_unique<QtPrompter>()),
      language_(paths_.programFolder, paths_.shareFolder),
      prompts_(prompter ? *prompter : *ownPrompter_, openDialogs_, language_.Texts(), this) {
    // FormCreate, in start-up order.
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kDesignCaption));
    setMinimumSize(396, 270);
    setAcceptDrops(true);
    ApplyProcessNumberFormat();
    secondsNow = [] {
        static QElapsedTimer clock;
        if (!clock.isValid()) clock.start();
        return static_cast<double>(clock.nsecsElapsed()) / 1e9;
    };

    language_.SetErrorSink([this](const std::string& text, const std::string& caption) {
        prompts_.MessageBox(Q(text), Q(caption), BoxButtons::Ok, MessageIcon::Error);
    });
    language_.AddForm(this);

    // Every form is created at start.
    convert_ = new TFormPytanie01Konwert(openDialogs_, prompts_, this);
    setFormat_ = std::make_unique<TFormPytanie14SetFormat>(*convert_, openDialogs_, prompts_);
    shift_ = new TFormPytanie03PrzesNap(openDialogs_, prompts_, this);
    fpsChange_ = new TFormPytanie06ZmianaFPSNap(openDialogs_, prompts_, this);
    defaultFps_ = new TFormPytanie09OkreslFPS(openDialogs_, prompts_, this);
    lineError_ = new TFormPytanie12BladLinii(openDialogs_, prompts_, this);
    CreateEditDialogs();
    formLanguage_ = new TFormLanguage(language_, settings_, openDialogs_, this);
    formLanguage_->onLanguageChanged = [this] {
        SetActiveFormat(State().activeFormat);
        SessionChanged(SubtitleSession::PathChanged);
        commands_->Refresh();
        views_->RefreshHints();
    };
    about_ = new TFormInformacje(openDialogs_, prompts_, this);
    CreateOptionsForms();
    openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    about_->openUrl = [this](const QUrl& url) {
        if (openUrl) openUrl(url);
    };
    // F1 in a dialog opens its help page.
    qApp->installEventFilter(new HelpKeyFilter(this, [this](const QString& form) { OpenHelp(form); }));
    for (QWidget* form :
         std::initializer_list<QWidget*>{about_, convert_, shift_, fpsChange_, defaultFps_, lineError_})
        language_.AddForm(form);

    commands_ = new CommandTable(*this);
    commands_->editorShown = [this] { return EditorShown(); };
    commands_->movieLoaded = [this] { return MovieLoaded(); };
    commands_->fullScreen = [this] { return fullScreen_; };
    BuildWindow();
    session_ = new SubtitleSession(*editor_->document(), prompts_, this);
    connect(session_, &SubtitleSession::Changed, this, &MainWindow::SessionChanged);
    State().frameRate = 0.0;
    RegisterCommands();
    views_ = new ViewModes(*this);
    frame_ = std::make_unique<OperationFrame>(*editor_, *progressPanel_, prompts_, *session_, *lineError_,
                                              *defaultFps_, Action(cmd::kUndo));

    timerOpenVideo_.setObjectName(QStringLiteral("TimerOpenVideo"));
    timerOpenVideo_.setSingleShot(true);
    timerOpenVideo_.setInterval(100);
    connect(&timerOpenVideo_, &QTimer::timeout, this, [this] { TimerOpenVideoTimer(); });
}

MainWindow::~MainWindow() {
    if (screenSaver_) screenSaver_->UnInhibit();
}

void MainWindow::SetScreenSaver(ScreenSaverInhibitor* inhibitor) {
    if (screenSaver_) screenSaver_->UnInhibit();
    screenSaver_ = inhibitor;
    // A desktop without the service simply keeps its screen saver.
    if (screenSaver_) screenSaver_->Inhibit();
}

void MainWindow::SetMoviePort(MoviePort* port) {
    movie_ = port;
    if (commands_) commands_->Refresh();
    if (!firstShowPending_) RebuildRecentMenu(true);
}

bool MainWindow::MovieLoaded() const { return movie_ && movie_->Loaded(); }

bool MainWindow::EditorShown() const { return editor_ && editor_->isEnabled(); }

void MainWindow::SetFullScreenFlag(bool on) {
    fullScreen_ = on;
    commands_->Refresh();
}

// --- Window layout

void MainWindow::BuildWindow() {
    BuildStatusBar();

    // The video panel above, the text panel below a splitter.
    panelMP_ = new QFrame;
    panelMP_->setObjectName(QStringLiteral("PanelMP"));
    panelMP_->setMinimumHeight(100);
    panelMP_->setFrameShape(QFrame::StyledPanel);
    panelMP_->setAutoFillBackground(true);
    QPalette dark = panelMP_->palette();
    dark.setColor(QPalette::Window, QColor(0, 0, 0));
    panelMP_->setPalette(dark);

    panelText_ = new QFrame;
    panelText_->setObjectName(QStringLiteral("PanelText"));
    labelFileName_ = new QLabel(panelText_);
    labelFileName_->setObjectName(QStringLiteral("LabelFileName"));
    labelFileName_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    labelFileSize_ = new QLabel(panelText_);
    labelFileSize_->setObjectName(QStringLiteral("LabelFileSize"));
    labelCursorPos_ = new QLabel(panelText_);
    labelCursorPos_->setObjectName(QStringLiteral("LabelCursorPos"));
    editor_ = new QPlainTextEdit(panelText_);
    editor_->setObjectName(QStringLiteral("SubtitleEditor"));
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor_->setContextMenuPolicy(Qt::CustomContextMenu);
    editor_->viewport()->installEventFilter(this);
    editor_->installEventFilter(this);
    connect(editor_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { editorMenu_->exec(editor_->viewport()->mapToGlobal(p)); });
    connect(editor_, &QPlainTextEdit::undoAvailable, this, [this](bool available) {
        undoAvailable_ = available;
        commands_->Refresh();
    });

    editorHeader_ = new QWidget(panelText_);
    editorHeader_->setObjectName(QStringLiteral("PanelEditorHeader"));
    auto* header = new QHBoxLayout(editorHeader_);
    header->setContentsMargins(4, 2, 4, 2);
    header->setSpacing(8);
    header->addWidget(labelFileName_);
    header->addWidget(labelFileSize_);
    header->addWidget(labelCursorPos_);
    header->addStretch();
    auto* text = new QVBoxLayout(panelText_);
    text->setContentsMargins(0, 0, 0, 0);
    text->setSpacing(0);
    text->addWidget(editorHeader_);
    text->addWidget(editor_, 1);

    splitter_ = new QSplitter(Qt::Vertical);
    splitter_->setObjectName(QStringLiteral("Splitter1"));
    splitter_->addWidget(panelMP_);
    splitter_->addWidget(panelText_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setChildrenCollapsible(false);
    splitter_->installEventFilter(this);
    setCentralWidget(splitter_);

    editorMenu_ = new QMenu(this);
    editorMenu_->setObjectName(QStringLiteral("PopupMenuEditor"));

    // Qt's own status-bar grip; panels follow.
    statusBar()->setSizeGripEnabled(true);
    resize(600, 400);
}

void MainWindow::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    progressPanel_ = new ProgressPanel(bar);
    progressPanel_->setObjectName(QStringLiteral("StatusPanel0"));
    progressPanel_->setMinimumWidth(110);
    statusPanels_[0] = progressPanel_;
    const int widths[5] = {110, 110, 90, 90, 0};
    bar->addWidget(progressPanel_);
    for (int i = 1; i < 5; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        if (widths[i] > 0) panel->setMinimumWidth(widths[i]);
        statusPanels_[static_cast<std::size_t>(i)] = panel;
        bar->addWidget(panel, i == 4 ? 1 : 0);
    }
}

// --- The document's labels follow the session

void MainWindow::SessionChanged(SubtitleSession::Changes changes) {
    if (changes & SubtitleSession::PathChanged) {
        const QString path = session_->Path();
        labelFileName_->setText(path.isEmpty() ? prompts_.Text("Form1", "LabelDefaultFileName_Cpt") : path);
    }
    if (changes & SubtitleSession::ModifiedChanged) {
        // A changed document can be saved; its name is drawn in blue (COLORREF 0xFF0000).
        SetLabelColor(labelFileName_, session_->Modified() ? QColor(0, 0, 255) : QColor(0, 0, 0));
        commands_->Refresh();
    }
}

// --- Start-up and shutdown

void MainWindow::showEvent(QShowEvent* event) {
    if (firstShowPending_) {
        // Every part of the program has registered its commands by now.
        BuildMenus();
        BuildToolBar();
    }
    QMainWindow::showEvent(event);
    if (firstShowPending_) Startup();
}

// FormShow: runs once.
void MainWindow::Startup() {
    firstShowPending_ = false;
    if (handedOver_) return;
    // An empty document.
    CloseDocument();
    // Version texts.
    setWindowTitle(QString::fromUtf8(kDesignCaption) + QStringLiteral("     build ") + QString::number(kBuildNumber) +
                   QStringLiteral("     (") + QString::fromUtf8(kBuildDate) + u')');
    // Settings chosen, loaded and saved.
    ChooseIniPath(settings_, paths_.programFolder, paths_.configFolder);
    workingTimeAtStart_ = settings_.WorkingTime;
    startSeconds_ = secondsNow();
    emit SettingsLoaded();
    views_->ApplyAtStart();
    if (settings_.WindowState == 2) {
        showMaximized();
    } else {
        setGeometry(settings_.Left, settings_.Top, settings_.Width, settings_.Height);
    }
    ApplyEditorFontSize(settings_.EditorFontSize);
    // Language, active format, recent menus.
    language_.LoadLanguage(settings_.LanguageFile);
    SetActiveFormat(settings_.DefaultSubtitlesFormat);
    SessionChanged(SubtitleSession::PathChanged);
    AddRecentMovie({});
    AddRecentSubtitle({});
    // The display modes the options dialog offers.
    SetDisplayModeService(displayModes_);
    // The movie side starts reset.
    ResetMovie();
    views_->ApplyAtStart();
    if (editor_->isEnabled()) editor_->setFocus();
    timerOpenVideo_.start();
    if (settings_.FirstStart) {
        // After the window has been drawn, not from inside its first show.
        QTimer::singleShot(0, this, [this] {
            formLanguage_->SetCurrentFile(settings_.LanguageFile);
            prompts_.ExecDialog(*formLanguage_);
        });
    }
}

// The start-up timer: resumes the movie of a run that did not end normally, or opens the first
// movie and the first subtitle file of the command line.
void MainWindow::TimerOpenVideoTimer() {
    timerOpenVideo_.stop();
    if (movie_ && movie_->ResumeAfterCrash()) {
        movie_->AfterOpening(OpenedBy::CommandLine);
        return;
    }
    bool anyTxt = false;
    for (const QString& a : commandLine_)
        if (ExtensionOf(a) == QLatin1String("txt")) anyTxt = true;
    bool movieOpened = false;
    bool subtitleOpened = false;
    for (const QString& a : commandLine_) {
        if (!movieOpened && IsMovieExtension(a) && movie_) {
            movie_->Open(QFileInfo(a).absoluteFilePath(), settings_.CheckForOtherSub && !anyTxt,
                         settings_.AutoOpenSubtitle && !anyTxt, true);
            movieOpened = true;
        } else if (IsSubtitleExtension(a)) {
            if (!subtitleOpened) OpenSubtitleFile(QFileInfo(a).absoluteFilePath(), false);
            subtitleOpened = true;
        } else if (!IsMovieExtension(a) && !a.isEmpty()) {
            // A file of a kind the program does not open is named, not passed over in silence.
            CantRecognizeFile(a);
        }
    }
    if (movieOpened) movie_->AfterOpening(OpenedBy::CommandLine);
}

void MainWindow::SaveSettingsNow() {
    emit SettingsAboutToBeSaved();
    settings_.WorkingTime = RunningSeconds();
    SaveAllSettings(settings_, chapters_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!ConfirmDiscard()) {
        event->ignore();
        return;
    }
    closing_ = true;
    if (movie_) movie_->Closing();
    // Window placement: the geometry only while the window is normal.
    settings_.WindowState = isMaximized() ? 2 : isMinimized() ? 1 : 0;
    if (settings_.WindowState == 0) {
        settings_.Left = x();
        settings_.Top = y();
        settings_.Width = width();
        settings_.Height = height();
    }
    settings_.SystemCrashed = false;
    SaveSettingsNow();
    event->accept();
}

// --- The movie side's reset, as far as it concerns the window

void MainWindow::ResetMovie() {
    if (movie_)
        movie_->Reset();  // the movie side answers with MovieReset
    else
        MovieReset();
}

void MainWindow::MovieReset() {
    // No-movie layout: the video panel 109 pixels high, no splitter to move.
    const int total = splitter_->height();
    splitter_->setSizes({109, std::max(total - 109, 100)});
    if (QSplitterHandle* handle = splitter_->handle(1)) handle->setEnabled(false);
    fpsChange_->LabelFps2->setText(QStringLiteral("N/A"));
    defaultFps_->LabelFPS->setText(QStringLiteral("N/A"));
    if (frame_->subtitleDisplayOn && frame_->subtitleDisplayOn() && frame_->toggleSubtitleDisplay)
        frame_->toggleSubtitleDisplay();
    statusPanels_[4]->clear();
    statusPanels_[0]->setText(QStringLiteral("{0}{0}"));
    statusPanels_[1]->setText(QStringLiteral("[0][0]"));
    SaveSettingsNow();
    State().frameRate = 0.0;
    commands_->Refresh();
    update();
}

void MainWindow::MovieOpened(double frameRate) {
    const QString rate = Q(FormatGeneral(frameRate));
    defaultFps_->LabelFPS->setText(rate);
    defaultFps_->ComboBoxFps->setEditText(rate);
    fpsChange_->LabelFps2->setText(rate);
    commands_->Refresh();
}

// With a movie the video panel keeps its share of the height when the window is resized, as
// long as both panels stay at least 100 pixels high. The splitter's sizes are still those of
// the old height here; setting them for the new one leaves the splitter nothing to spread.
void MainWindow::KeepVideoPanelShare(const QResizeEvent& event) {
    if (closing_ || fullScreen_ || !MovieLoaded()) return;
    const int oldHeight = event.oldSize().height();
    const int height = event.size().height();
    const QList<int> sizes = splitter_->sizes();
    if (oldHeight <= 0 || height == oldHeight || sizes.size() != 2) return;
    const int handle = splitter_->handleWidth();
    int panel = std::max(100, static_cast<int>(static_cast<long long>(height) * sizes[0] / oldHeight));
    if (height - handle - panel < 100) panel = std::max(100, height - handle - 100);
    splitter_->setSizes({panel, std::max(0, height - handle - panel)});
}

// --- Keys and dropped files

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == splitter_ && event->type() == QEvent::Resize)
        KeepVideoPanelShare(*static_cast<QResizeEvent*>(event));
    // The commands' keys win over the editor's own bindings (Ctrl+D deletes a character in a
    // QPlainTextEdit on X11): a key that an enabled command owns is left to the command.
    if (watched == editor_ && event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (commands_->OwnsShortcut(QKeySequence(key->keyCombination()))) {
            event->ignore();
            return true;
        }
    }
    // The editing commands follow the editor.
    if (watched == editor_ && event->type() == QEvent::EnabledChange) commands_->Refresh();
    // Files dropped on the editor are files for the window, not text for the editor.
    if (watched == editor_->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* e = static_cast<QDragMoveEvent*>(event);
            if (e->mimeData()->hasUrls()) {
                e->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* e = static_cast<QDropEvent*>(event);
            if (e->mimeData()->hasUrls()) {
                dropEvent(e);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    event->acceptProposedAction();
    DropFiles(paths);
}

void MainWindow::CantRecognizeFile(const QString& path) {
    raise();
    prompts_.MessageBox(prompts_.Text("Form1", "CantRecognizeExt") + QStringLiteral(" :\n") + path,
                        prompts_.Caption(MessageIcon::Error), BoxButtons::Ok, MessageIcon::Error);
}

void MainWindow::DropFiles(const QStringList& paths) {
    ForceForeground(this);
    QString pendingMovie;
    QString pendingSubtitle;
    for (const QString& path : paths) {
        if (IsMovieExtension(path)) {
            pendingMovie = path;
        } else if (IsSubtitleExtension(path)) {
            pendingSubtitle = path;
        } else {
            CantRecognizeFile(path);
        }
    }
    update();
    if (!pendingMovie.isEmpty() && movie_) {
        ResetMovie();
        const bool alone = pendingSubtitle.isEmpty();
        movie_->Open(pendingMovie, settings_.CheckForOtherSub && alone, settings_.AutoOpenSubtitle && alone, true);
    }
    if (!pendingSubtitle.isEmpty() && ConfirmDiscard()) OpenSubtitleFile(pendingSubtitle, false);
    if (!pendingMovie.isEmpty() && movie_) movie_->AfterOpening(OpenedBy::Drop);
}

// --- Help

void MainWindow::OpenFaq(const QString& fileName) {
    // The program folder first; an installed program has its pages in help/.
    const QString program = QDir(Q(paths_.programFolder)).filePath(fileName);
    for (const QString& path : {program, QDir(Q(paths_.programFolder)).filePath(QStringLiteral("help/") + fileName),
                                QDir(Q(paths_.shareFolder)).filePath(QStringLiteral("help/") + fileName)}) {
        if (QFileInfo::exists(path)) {
            if (openUrl) openUrl(QUrl::fromLocalFile(path));
            return;
        }
    }
    prompts_.MessageBox(prompts_.Text("Form1", "CantLocalizeFile") + QStringLiteral(" \"") + program + u'"',
                        prompts_.Caption(MessageIcon::Warning), BoxButtons::Ok, MessageIcon::Warning);
}

void MainWindow::OpenHelp(const QString& objectName) {
    const HelpTopic topic = HelpTopicFor(objectName.toStdString());
    const QString path = FindHelpPage(topic, language_.QtLanguage(), Q(paths_.programFolder), Q(paths_.shareFolder));
    if (path.isEmpty()) {
        const QString expected = QDir(Q(paths_.programFolder))
                                     .filePath(QStringLiteral("help/") + Q(topic.page + "_" +
                                                                          HelpLanguage(language_.QtLanguage()) + ".html"));
        prompts_.MessageBox(prompts_.Text("Form1", "CantLocalizeFile") + QStringLiteral(" \"") + expected + u'"',
                            prompts_.Caption(MessageIcon::Warning), BoxButtons::Ok, MessageIcon::Warning);
        return;
    }
    QUrl url = QUrl::fromLocalFile(path);
    if (!topic.anchor.empty()) url.setFragment(Q(topic.anchor));
    if (openUrl) openUrl(url);
}

void MainWindow::AboutCommand() {
    // Only while no other box or dialog is open.
    if (openDialogs_.Value() != 0) return;
    prompts_.ExecDialog(*about_);
}

// --- Recent files

void MainWindow::AddRecentMovie(const std::string& path) {
    AddRecent(settings_.ReopenMovies, path);
    RebuildRecentMenu(true);
}

void MainWindow::AddRecentSubtitle(const std::string& path) {
    AddRecent(settings_.ReopenTxt, path);
    RebuildRecentMenu(false);
}

void MainWindow::RebuildRecentMenu(bool movies) {
    const RecentList& list = movies ? settings_.ReopenMovies : settings_.ReopenTxt;
    auto& items = movies ? reopenMovie_ : reopenTxt_;
    if (!items[0]) return;
    // Movie items open movies: they are shown once the player can open them.
    const bool usable = !movies || movie_ != nullptr;
    bool any = false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i]->setText(Q(RecentCaption(movies, static_cast<int>(i), list[i])));
        const bool visible = usable && !list[i].empty();
        items[i]->setVisible(visible);
        any = any || visible;
    }
    if (QAction* separator = movies ? separatorN4_ : separatorN21_) separator->setVisible(any);
}

void MainWindow::OpenRecentMovie(int index) {
    const auto i = static_cast<std::size_t>(index);
    if (!movie_ || !reopenMovie_[i]->isVisible()) return;
    movie_->Open(Q(settings_.ReopenMovies[i]), settings_.CheckForOtherSub, settings_.AutoOpenSubtitle, true);
    movie_->AfterOpening(OpenedBy::Recent);
}

void MainWindow::ReopenSubtitle(int index) {
    if (index < 0 || index >= 5 || !reopenTxt_[static_cast<std::size_t>(index)]->isVisible()) return;
    const std::string path = settings_.ReopenTxt[static_cast<std::size_t>(index)];
    if (ConfirmDiscard()) OpenSubtitleFile(Q(path), false);
    update();
}

}  // namespace kravelo
