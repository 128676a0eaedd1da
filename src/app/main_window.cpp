// Main window: construction, the action table, menus, tool bar and status bar, start-up and
// shutdown, dropped files and the recent-file menus.

#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <clocale>

#include "app/about_box.h"
#include "app/form_language.h"
#include "app/recent_files.h"
#include "kravelo_version.h"
#include "ops/dialogs/convert_dialogs.h"
#include "ops/dialogs/frame_rate_dialogs.h"
#include "ops/dialogs/line_error_dialog.h"
#include "ops/dialogs/shift_dialog.h"

namespace kravelo {

namespace {

const char* const kMovieExtensions[] = {"avi", "mpg", "mpe", "mpeg", "mov", "asf", "m1v",
                                        "mp2", "ivf", "mp2v", "mpa", "mpv2", "qt"};
const char* const kSubtitleExtensions[] = {"txt", "ssa", "srt"};

// The text after the last "." of the file name, in lower case.
QString ExtensionOf(const QString& path) {
    QString name = QFileInfo(path).fileName();
    qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

bool IsMovieExtension(const QString& path) {
    const QString ext = ExtensionOf(path);
    for (const char* e : kMovieExtensions)
        if (ext == QLatin1String(e)) return true;
    return false;
}

bool IsSubtitleExtension(const QString& path) {
    const QString ext = ExtensionOf(path);
    for (const char* e : kSubtitleExtensions)
        if (ext == QLatin1String(e)) return true;
    return false;
}

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
    // FormCreate, in start-up order as far as the pieces exist.
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kDesignCaption));
    setMinimumSize(396, 270);
    setAcceptDrops(true);
    ApplyProcessNumberFormat();
    state_.frameRate = 0.0;

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
    formLanguage_ = new TFormLanguage(language_, settings_, openDialogs_, this);
    formLanguage_->onLanguageChanged = [this] { SetActiveFormat(state_.activeFormat); };
    about_ = new TFormInformacje(openDialogs_, prompts_, this);
    openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    about_->openUrl = [this](const QUrl& url) {
        if (openUrl) openUrl(url);
    };
    for (QWidget* form :
         std::initializer_list<QWidget*>{about_, convert_, shift_, fpsChange_, defaultFps_, lineError_})
        language_.AddForm(form);

    BuildWindow();
    frame_ = std::make_unique<OperationFrame>(*editor_, *progressPanel_, prompts_, state_, *lineError_, *defaultFps_,
                                              Action(QStringLiteral("Cofnij1")));

    timerOpenVideo_.setObjectName(QStringLiteral("TimerOpenVideo"));
    timerOpenVideo_.setSingleShot(true);
    timerOpenVideo_.setInterval(100);
    connect(&timerOpenVideo_, &QTimer::timeout, this, [this] { TimerOpenVideoTimer(); });
}

MainWindow::~MainWindow() = default;

// --- Window layout

void MainWindow::BuildWindow() {
    CreateActions();
    BuildMenus();
    BuildToolBar();
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
    editor_ = new QPlainTextEdit(panelText_);
    editor_->setObjectName(QStringLiteral("SubtitleEditor"));
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor_->setContextMenuPolicy(Qt::CustomContextMenu);
    editor_->viewport()->installEventFilter(this);
    editor_->installEventFilter(this);
    connect(editor_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { editorMenu_->exec(editor_->viewport()->mapToGlobal(p)); });
    connect(editor_->document(), &QTextDocument::modificationChanged, this,
            [this](bool modified) { EditorModificationChanged(modified); });
    connect(editor_, &QPlainTextEdit::textChanged, this, [this] { EditorTextChanged(); });
    connect(editor_, &QPlainTextEdit::undoAvailable, this, [this](bool available) {
        if (QAction* undo = Action(QStringLiteral("Cofnij1"))) undo->setEnabled(available);
    });

    auto* header = new QHBoxLayout;
    header->setContentsMargins(4, 2, 4, 2);
    header->setSpacing(8);
    header->addWidget(labelFileName_);
    header->addWidget(labelFileSize_);
    header->addStretch();
    auto* text = new QVBoxLayout(panelText_);
    text->setContentsMargins(0, 0, 0, 0);
    text->setSpacing(0);
    text->addLayout(header);
    text->addWidget(editor_, 1);

    splitter_ = new QSplitter(Qt::Vertical);
    splitter_->setObjectName(QStringLiteral("Splitter1"));
    splitter_->addWidget(panelMP_);
    splitter_->addWidget(panelText_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setChildrenCollapsible(false);
    setCentralWidget(splitter_);

    editorMenu_ = new QMenu(this);
    editorMenu_->setObjectName(QStringLiteral("PopupMenuEditor"));
    editorMenu_->addAction(Action(QStringLiteral("Nowy2")));
    editorMenu_->addAction(Action(QStringLiteral("Otwrzplikznapisami1")));

    resize(600, 400);
}

QAction* MainWindow::AddAction(const char* name, const QString& caption, const QKeySequence& shortcut,
                               std::function<void()> handler) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    actions_.insert(action->objectName(), action);
    addAction(action);  // shortcuts work even while the tool bar or menu is hidden
    return action;
}

// The one place where the commands are made: object name, caption, shortcut, handler.
void MainWindow::CreateActions() {
    using K = QKeySequence;
    const auto ctrl = Qt::CTRL;
    // New, close, open, append.
    AddAction("Nowy1", QStringLiteral("Nowy"), K(ctrl | Qt::Key_N), [this] { CloseDocument(); });
    AddAction("Nowy2", QStringLiteral("&Nowy"), {}, [this] { CloseDocument(); });
    AddAction("Zamknijnapisy1", QStringLiteral("Zamknij"), K(ctrl | Qt::Key_F4), [this] { CloseDocument(); });
    AddAction("Open1", QStringLiteral("Otwórz plik napisów"), K(ctrl | Qt::SHIFT | Qt::Key_O),
              [this] { OpenCommand(); });
    AddAction("Otwrzplikznapisami1", QStringLiteral("&Otwórz plik z napisami..."), {}, [this] { OpenCommand(); });
    AddAction("Dodajpliknakoniec1", QStringLiteral("Dodaj na koniec pliku napisów"), {}, [this] { AppendCommand(); });
    // Save, save as.
    AddAction("Zapisz1", QStringLiteral("Zapisz"), K(ctrl | Qt::Key_S), [this] { SaveDocument(); });
    AddAction("Zapiszjako1", QStringLiteral("Zapisz jako"), K(ctrl | Qt::SHIFT | Qt::Key_S),
              [this] { SaveDocumentAs(); });
    // Exit (closes unless in full screen).
    AddAction("Exit1", QStringLiteral("Za&kończ"), K(Qt::ALT | Qt::Key_F4), [this] {
        if (!fullScreen_) close();
    });
    // Edit menu: undo follows the editor; the bulk edit disables it.
    QAction* undo = AddAction("Cofnij1", QStringLiteral("&Cofnij"), K(ctrl | Qt::Key_Z), [this] { editor_->undo(); });
    undo->setEnabled(false);
    // Time shift and the two nudges.
    AddAction("Dodajodejmijklatki1", QStringLiteral("&Przesuń czas napisów..."), K(ctrl | Qt::Key_D),
              [this] { TimeShiftCommand(); });
    AddAction("Przesuteksto5klatekdoprzodu1", QStringLiteral("&Dodaj ćwierć sekundy do czasu napisu"),
              K(ctrl | Qt::Key_Period), [this] { NudgeCommand(true); });
    AddAction("Przesuteksto5klatekdotyu1", QStringLiteral("Od&ejmij ćwierć sekundy od czasu napisu"),
              K(ctrl | Qt::Key_Comma), [this] { NudgeCommand(false); });
    // Frame-rate change and default frame rate.
    AddAction("Zmianailociklateknasekund1", QStringLiteral("&Zmień współczynnik FPS napisów..."), K(ctrl | Qt::Key_Q),
              [this] { FrameRateChangeCommand(); });
    AddAction("DomylnawartowspczynnikaFPS1", QStringLiteral("Domyślna wartość współczynnika &FPS..."),
              K(ctrl | Qt::SHIFT | Qt::Key_Q), [this] { DefaultFrameRateCommand(); });
    // Conversion and active format (Ctrl+~: the key left of 1, with or without Shift).
    AddAction("Konwertujformatnapisw1", QStringLiteral("&Konwertuj format napisów..."), K(ctrl | Qt::Key_T),
              [this] { ConvertCommand(); });
    QAction* frm = AddAction("FRM_MPL1", QStringLiteral("Domyślny format napisów MPL2/Klatkowy"), {},
                             [this] { ActiveFormatCommand(); });
    frm->setShortcuts({K(ctrl | Qt::Key_QuoteLeft), K(ctrl | Qt::Key_AsciiTilde)});
    // The language chooser.
    AddAction("Language1", QStringLiteral("Język (Language)..."), {}, [this] {
        formLanguage_->SetCurrentFile(settings_.LanguageFile);
        prompts_.ExecDialog(*formLanguage_);
    });
    // The FAQ pages and the about box.
    AddAction("FAQProgram1", QStringLiteral("FAQ - Problemy z &programem"), {},
              [this] { OpenFaq(QStringLiteral("faq_program.html")); });
    AddAction("FAQEdycja1", QStringLiteral("FAQ - Edycja &napisów"), {},
              [this] { OpenFaq(QStringLiteral("faq_edycja.html")); });
    AddAction("Informacjeoprogramie1", QStringLiteral("&Informacje o programie..."), {}, [this] { AboutCommand(); });
    // The recent-file items.
    for (int i = 0; i < 5; ++i) {
        std::string movieItem = "reopen" + std::to_string(i + 1);
        reopenMovie_[static_cast<std::size_t>(i)] = AddAction(movieItem.c_str(), {}, {}, [this, i] {
            const std::string& path = settings_.ReopenMovies[static_cast<std::size_t>(i)];
            if (!reopenMovie_[static_cast<std::size_t>(i)]->isVisible() || !movie.open) return;
            movie.open(Q(path), settings_.CheckForOtherSub, settings_.AutoOpenSubtitle, true);
        });
        std::string txt = "reopentxt" + std::to_string(i + 1);
        reopenTxt_[static_cast<std::size_t>(i)] = AddAction(txt.c_str(), {}, {}, [this, i] { ReopenSubtitle(i); });
    }
}

void MainWindow::BuildMenus() {
    auto menu = [this](const char* name, const QString& title) {
        QMenu* m = menuBar()->addMenu(title);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    auto add = [this](QMenu* m, const char* name) { m->addAction(Action(QLatin1String(name))); };

    QMenu* file = menu("Plik1", QStringLiteral("&Plik"));
    for (const char* n : {"Nowy1", "Open1", "Dodajpliknakoniec1", "Zapisz1", "Zapiszjako1", "Zamknijnapisy1"})
        add(file, n);
    file->addSeparator()->setObjectName(QStringLiteral("N3"));
    for (QAction* a : reopenMovie_) file->addAction(a);
    separatorN4_ = file->addSeparator();
    separatorN4_->setObjectName(QStringLiteral("N4"));
    separatorN21_ = file->addSeparator();
    separatorN21_->setObjectName(QStringLiteral("N21"));
    for (QAction* a : reopenTxt_) file->addAction(a);
    file->addSeparator()->setObjectName(QStringLiteral("N5"));
    add(file, "Exit1");

    QMenu* edit = menu("Edycja1", QStringLiteral("&Edycja"));
    add(edit, "Cofnij1");

    QMenu* subtitles = menu("Napisy1", QStringLiteral("N&apisy"));
    add(subtitles, "Dodajodejmijklatki1");
    add(subtitles, "Przesuteksto5klatekdoprzodu1");
    add(subtitles, "Przesuteksto5klatekdotyu1");
    subtitles->addSeparator();
    add(subtitles, "Zmianailociklateknasekund1");
    add(subtitles, "Konwertujformatnapisw1");

    QMenu* tools = menu("Narzdzia1", QStringLiteral("&Narzędzia"));
    add(tools, "FRM_MPL1");
    add(tools, "DomylnawartowspczynnikaFPS1");
    tools->addSeparator();
    add(tools, "Language1");

    QMenu* help = menu("Pomoc1", QStringLiteral("Pomo&c"));
    add(help, "FAQProgram1");
    add(help, "FAQEdycja1");
    help->addSeparator();
    add(help, "Informacjeoprogramie1");

    // All ten recent items start hidden; AddRecent* shows the filled ones.
    for (QAction* a : reopenMovie_) a->setVisible(false);
    for (QAction* a : reopenTxt_) a->setVisible(false);
    separatorN4_->setVisible(false);
    separatorN21_->setVisible(false);
}

QToolButton* MainWindow::AddToolButton(const char* name, QAction* action, const QString& hint, int standardIcon) {
    // The button triggers the action and follows its enabled state, but keeps its own hint
    // (the language file sets it by the button's name).
    auto* button = new QToolButton(toolBar_);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(standardIcon)));
    button->setEnabled(action->isEnabled());
    connect(button, &QToolButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
    toolBar_->addWidget(button);
    return button;
}

void MainWindow::BuildToolBar() {
    toolBar_ = addToolBar(QStringLiteral("ToolBar1"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(18, 18));
    AddToolButton("SpeedButtonNew", Action(QStringLiteral("Nowy1")), QStringLiteral("Nowy tekst (Ctrl+N)"),
                  QStyle::SP_FileIcon);
    AddToolButton("SpeedButtonOpenTxt", Action(QStringLiteral("Open1")),
                  QStringLiteral("Otwórz plik z tekstem (Shift+Ctrl+O)"), QStyle::SP_DialogOpenButton);
    buttonSave_ = AddToolButton("SpeedButtonSave", Action(QStringLiteral("Zapisz1")),
                                QStringLiteral("Zapisz tekst (Ctrl+S)"), QStyle::SP_DialogSaveButton);
    toolBar_->addSeparator();
    AddToolButton("SpeedButtonKonwert", Action(QStringLiteral("Konwertujformatnapisw1")),
                  QStringLiteral("Konwertuj format napisów (Ctrl+T)"), QStyle::SP_BrowserReload);
    buttonFrmMpl_ = AddToolButton("SpeedButtonFRM_MPL", Action(QStringLiteral("FRM_MPL1")),
                                  QStringLiteral("Aktywny format napisów (Ctrl+~)"),
                                  QStyle::SP_FileDialogDetailedView);
    AddToolButton("SpeedButtonAddFrames", Action(QStringLiteral("Dodajodejmijklatki1")),
                  QStringLiteral("Przesuń czas napisów (Ctrl+D)"), QStyle::SP_MediaSeekForward);
}

void MainWindow::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
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

// --- Start-up and shutdown

void MainWindow::showEvent(QShowEvent* event) {
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
    if (settings_.WindowState == 2) {
        showMaximized();
    } else {
        setGeometry(settings_.Left, settings_.Top, settings_.Width, settings_.Height);
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(settings_.EditorFontSize > 0 ? settings_.EditorFontSize : 9);
    editor_->setFont(font);
    // Language, active format, recent menus.
    language_.LoadLanguage(settings_.LanguageFile);
    SetActiveFormat(settings_.DefaultSubtitlesFormat);
    AddRecentMovie({});
    AddRecentSubtitle({});
    // The movie side starts reset.
    ResetMovie();
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

// The start-up timer: opens the first subtitle file of the command line. Movies
// and the crash resume belong to the player.
void MainWindow::TimerOpenVideoTimer() {
    timerOpenVideo_.stop();
    if (movie.resumeAfterCrash && movie.resumeAfterCrash()) return;
    bool anyTxt = false;
    for (const QString& a : commandLine_)
        if (ExtensionOf(a) == QLatin1String("txt")) anyTxt = true;
    bool movieOpened = false;
    bool subtitleOpened = false;
    for (const QString& a : commandLine_) {
        if (!movieOpened && IsMovieExtension(a) && movie.open) {
            movie.open(QFileInfo(a).absoluteFilePath(), settings_.CheckForOtherSub && !anyTxt,
                       settings_.AutoOpenSubtitle && !anyTxt, true);
            movieOpened = true;
        } else if (!subtitleOpened && IsSubtitleExtension(a)) {
            OpenSubtitleFile(QFileInfo(a).absoluteFilePath(), false);
            subtitleOpened = true;
        }
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!ConfirmDiscard()) {
        event->ignore();
        return;
    }
    closing_ = true;
    if (movie.closing) movie.closing();
    // Window placement: the geometry only while the window is normal.
    settings_.WindowState = isMaximized() ? 2 : isMinimized() ? 1 : 0;
    if (settings_.WindowState == 0) {
        settings_.Left = x();
        settings_.Top = y();
        settings_.Width = width();
        settings_.Height = height();
    }
    settings_.SystemCrashed = false;
    SaveAllSettings(settings_, chapters_);
    event->accept();
}

// --- Dropped files (WM_DROPFILES)

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

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The commands' keys win over the editor's own bindings (Ctrl+D deletes a character in a
    // QPlainTextEdit on X11): a key that an enabled action owns is left to the action.
    if (watched == editor_ && event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (QAction* action : std::as_const(actions_)) {
            if (!action->isEnabled()) continue;
            for (const QKeySequence& shortcut : action->shortcuts()) {
                if (shortcut.matches(pressed) == QKeySequence::ExactMatch) {
                    event->ignore();
                    return true;
                }
            }
        }
    }
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

void MainWindow::DropFiles(const QStringList& paths) {
    activateWindow();
    QString pendingMovie;
    QString pendingSubtitle;
    for (const QString& path : paths) {
        if (IsMovieExtension(path)) {
            pendingMovie = path;
        } else if (IsSubtitleExtension(path)) {
            pendingSubtitle = path;
        } else {
            raise();
            prompts_.MessageBox(prompts_.Text("Form1", "CantRecognizeExt") + QStringLiteral(" :\n") + path,
                                prompts_.Caption(MessageIcon::Error), BoxButtons::Ok, MessageIcon::Error);
        }
    }
    update();
    if (!pendingMovie.isEmpty() && movie.open) {
        ResetMovie();
        const bool alone = pendingSubtitle.isEmpty();
        movie.open(pendingMovie, settings_.CheckForOtherSub && alone, settings_.AutoOpenSubtitle && alone, true);
    }
    if (!pendingSubtitle.isEmpty() && ConfirmDiscard()) OpenSubtitleFile(pendingSubtitle, false);
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
    // Movie items open movies: they are shown once the player can open them.
    const bool usable = !movies || static_cast<bool>(movie.open);
    bool any = false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i]->setText(Q(RecentCaption(movies, static_cast<int>(i), list[i])));
        const bool visible = usable && !list[i].empty();
        items[i]->setVisible(visible);
        any = any || visible;
    }
    (movies ? separatorN4_ : separatorN21_)->setVisible(any);
}

void MainWindow::ReopenSubtitle(int index) {
    if (index < 0 || index >= 5 || !reopenTxt_[static_cast<std::size_t>(index)]->isVisible()) return;
    const std::string path = settings_.ReopenTxt[static_cast<std::size_t>(index)];
    if (ConfirmDiscard()) OpenSubtitleFile(Q(path), false);
    update();
}

}  // namespace kravelo
