// The movie side of the main window: opening and closing movies, the display, navigation and
// stamping, the keyboard dispatcher, the end of a movie and the start-up resume.

#include "app/movie_side.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QSplitterHandle>
#include <QStyle>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <filesystem>

#include "app/form_open_text.h"
#include "app/main_window.h"
#include "app/subtitle_candidate.h"
#include "core/format_size.h"
#include "core/subtitle_line.h"
#include "core/text_util.h"
#include "core/time_model.h"
#include "ops/dialogs/frame_rate_dialogs.h"
#include "ops/stamp.h"
#include "ops/subtitle_display.h"
#include "player/display_timer.h"
#include "player/document_lines.h"
#include "player/form_mp.h"
#include "platform/power_off.h"

namespace kravelo {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

// Transient message colours.
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kAqua(0, 255, 255);

std::uint64_t FileSizeOf(const QString& path) {
    std::error_code ec;
    auto size = std::filesystem::file_size(std::filesystem::path(S(path)), ec);
    return ec ? 0 : static_cast<std::uint64_t>(size);
}

}  // namespace

double MovieFrameRate(long long frameTotal, double length, double nominalRate) {
    if (length == 0.0) return 1.0;
    const double ratio = static_cast<double>(frameTotal) / length;
    if (nominalRate > 0.0 && std::fabs(ratio - nominalRate) <= nominalRate * 0.01) return nominalRate;
    return ratio;
}

// --- Construction

MovieSideController::MovieSideController(MainWindow& window, MediaPlayer& player, PowerOff& powerOff,
                                         std::string programPath, std::string configHome)
    : window_(window),
      player_(player),
      powerOff_(&powerOff),
      marker_(programPath.empty() ? S(QApplication::applicationFilePath()) : std::move(programPath),
              std::move(configHome)) {
    // The video window fills the video panel.
    formMP_ = new TFormMP(&player_, window_.PanelMP());
    auto* layout = new QVBoxLayout(window_.PanelMP());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(formMP_);
    formMP_->SetLogoVisible(true);

    messageLabel_ = new QLabel(formMP_);
    messageLabel_->setObjectName(QStringLiteral("LabelMessage"));
    QFont f = messageLabel_->font();
    f.setBold(true);
    f.setPointSize(12);
    messageLabel_->setFont(f);
    messageLabel_->move(8, 6);
    messageLabel_->hide();
    messageTimer_ = new QTimer(this);
    messageTimer_->setSingleShot(true);
    messageTimer_->setInterval(1500);
    connect(messageTimer_, &QTimer::timeout, messageLabel_, &QLabel::hide);

    // The display reads the editor's lines as they are kept in step edit by edit.
    lines_ = new DocumentLines(window_.Editor()->document(), this);
    display_ = new SubtitleDisplayTimer(&player_, formMP_->Subtitles, this);
    connect(lines_, &DocumentLines::LineCountChanged, display_, &SubtitleDisplayTimer::LineCountChanged);
    display_->Source = [this] {
        // Edits and commands of the window ask for a rebuild through the document state.
        DocumentState& state = window_.State();
        if (state.resyncRequested) {
            display_->RequestResync();
            state.resyncRequested = false;
        }
        DisplayInput in;
        in.lines = &lines_->Lines();
        in.frameRate = state.frameRate;
        in.ssa = &state.ssa;
        in.movieLength = MovieLength;
        return in;
    };
    display_->OpenDialogCount = [this] { return window_.OpenDialogs().Value(); };
    notSorted_ = std::make_unique<TFormSubNotSorted>(window_.OpenDialogs(), window_.GetPrompts());
    display_->ShowNotSortedNotice = [this] { notSorted_->Notify(); };

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer"));
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &MovieSideController::TimerTimer);

    jump_ = new TFormPytanie05SkokDo(window_.OpenDialogs(), window_.GetPrompts(), &window_);
    jump_->currentPosition = [this] { return player_.CurrentPosition(); };
    window_.GetLanguage().AddForm(jump_);
    auto* chooser = new TFormOpenText(window_.GetLanguage(), window_.OpenDialogs(), window_.GetPrompts(), &window_);

    // The player's events. The end of the movie may open the next part, which waits for the
    // player: it runs after the player has finished handling its own event.
    connect(&player_, &MediaPlayer::EndOfStream, this, &MovieSideController::MovieEnd, Qt::QueuedConnection);
    connect(&player_, &MediaPlayer::PlayStateChange, this, &MovieSideController::PlayStateChanged);
    connect(formMP_, &TFormMP::ActivateMainWindow, &window_, [this] { window_.activateWindow(); });
    connect(formMP_, &TFormMP::RepeatClicked, this,
            [this](bool down) { ShowMessageKey(down ? "Repeat" : "NotRepeat", kYellow); });
    connect(formMP_, &TFormMP::FilesDropped, &window_, &MainWindow::DropFiles);
    display_->Options.DelaySubtitleOn = window_.GetSettings().DelaySubtitleOn;

    CreateCommands();

    MainWindow::MovieSide& hooks = window_.movie;
    hooks.loaded = [this] { return Loaded(); };
    hooks.imageHeight = [this] { return player_.ImageSourceHeight(); };
    hooks.open = [this](const QString& path, bool offer, bool load, bool settings) {
        OpenMovie(path, offer, load, settings);
    };
    hooks.reset = [this] { ResetPlayer(); };
    hooks.chooseSubtitleVersion = [chooser](const QString& path) { return chooser->ChooseSubtitleVersion(path); };
    hooks.resumeAfterCrash = [this] { return ResumeAfterCrash(); };
    hooks.closing = [this] {
        // A normal close: no restart at the next log-in; the position for the next opening.
        display_->Closing = true;
        marker_.Remove();
        if (Loaded()) window_.GetSettings().MoviePosition = static_cast<float>(player_.CurrentPosition());
    };
    window_.Frame().subtitleDisplayOn = [this] { return DisplayOn(); };
    window_.Frame().toggleSubtitleDisplay = [this] { DisplaySwitch(); };

    // Every key of the window goes to the dispatcher first (key preview).
    qApp->installEventFilter(this);
    // A marker left by an earlier run has done its work.
    marker_.Remove();
}

MovieSideController::~MovieSideController() {
    qApp->removeEventFilter(this);
    window_.movie = {};
    window_.Frame().subtitleDisplayOn = nullptr;
    window_.Frame().toggleSubtitleDisplay = nullptr;
}

void MovieSideController::CreateCommands() {
    using K = QKeySequence;
    MainWindow& w = window_;
    const auto ctrl = Qt::CTRL;
    QAction* open = w.AddAction("Otwrzplikwideo1", QStringLiteral("Otwórz plik wideo"), K(ctrl | Qt::Key_O),
                                [this] { OpenMovieCommand(); });
    QAction* close = w.AddAction("Zamknijplikwideo1", QStringLiteral("Zamknij plik wideo"),
                                 K(ctrl | Qt::SHIFT | Qt::Key_W), [this] { CloseMovieCommand(); });
    QAction* show = w.AddAction("Wywietlajnapisy1", QStringLiteral("Wyświetlaj napisy"),
                                K(ctrl | Qt::SHIFT | Qt::Key_N), [this] { DisplaySwitch(); });
    show->setCheckable(true);
    auto add = [&w](const char* name, const char* caption, const QKeySequence& key, std::function<void()> f) {
        return w.AddAction(name, QString::fromUtf8(caption), key, std::move(f));
    };
    add("Skokdowybranejklatkifilmu1", "&Skocz do...", K(ctrl | Qt::Key_K), [this] { JumpToCommand(); });
    add("Wstawklatkfilmudoliniijakoklatkpoczrkow1", "Wstaw klatkę początkową", K(Qt::Key_Insert),
        [this] { StampStart(); });
    add("Wstawklatkfilmudoliniijakoklatkkocow1", "Wstaw klatkę końcową", K(Qt::ALT | Qt::Key_Insert),
        [this] { StampEnd(); });
    add("Wstawklatkinnyskrt1", "Wstaw klatkę końcową, (inny skrót)", K(ctrl | Qt::ALT | Qt::Key_Insert),
        [this] { StampEnd(); });
    add("Skokdoliniizaktualnklatkfilmu1", "S&kocz do linii z aktualnym czasem filmu", K(ctrl | Qt::SHIFT | Qt::Key_L),
        [this] { GoToLineForPosition(); });
    add("Odtwarzajfilmodklatki1", "&Odtwarzaj film od bieżącego napisu", K(ctrl | Qt::Key_P),
        [this] { PlayFromLine(); });
    add("PauzaOdtwarzaj1", "P&auza / Odtwarzanie", K(ctrl | Qt::Key_L), [this] { PauseOrPlay(); });
    add("Stop1", "S&top", K(ctrl | Qt::Key_M), [this] { StopCommand(); });
    add("Skokdoprzoduo50klatek1", "Przewiń 5 sekund w &przód", K(ctrl | Qt::Key_BracketRight), [this] { Forward5(); });
    add("Skokwsteczo50klatek1", "Przewiń 5 sekund &wstecz", K(ctrl | Qt::Key_BracketLeft), [this] { Back5(); });
    add("Przewinicieuytkownikawprzd1", "", {}, [this] { UserForward(); });
    add("Przewinicieuytkownikawstecz1", "", {}, [this] { UserBack(); });
    add("Skokdopocztkufilmu1", "&Przejdź na początek filmu", K(ctrl | Qt::SHIFT | Qt::Key_BracketLeft),
        [this] { ToStart(); })
        ->setShortcuts({K(ctrl | Qt::SHIFT | Qt::Key_BracketLeft), K(ctrl | Qt::SHIFT | Qt::Key_BraceLeft)});
    add("Skoknakoniecfilmu1", "Przejdź na &koniec filmu", K(ctrl | Qt::SHIFT | Qt::Key_BracketRight),
        [this] { ToEnd(); })
        ->setShortcuts({K(ctrl | Qt::SHIFT | Qt::Key_BracketRight), K(ctrl | Qt::SHIFT | Qt::Key_BraceRight)});
    QAction* shutDown = add("Wyczkomputerposkoczeniufilmu1", "Wyłącz komputer po zakończeniu filmu", {}, [] {});
    shutDown->setCheckable(true);
    connect(shutDown, &QAction::toggled, this, [this](bool on) { SetShutdownAfterMovie(on); });

    // The File menu starts with the movie; a Movie menu holds the playback commands.
    if (auto* file = w.menuBar()->findChild<QMenu*>(QStringLiteral("Plik1"))) {
        QAction* first = file->actions().value(0);
        file->insertAction(first, open);
        file->insertAction(first, close);
        file->insertSeparator(first)->setObjectName(QStringLiteral("N1"));
    }
    auto* movie = new QMenu(QStringLiteral("&Film"), &w);
    movie->setObjectName(QStringLiteral("Film1"));
    movie->menuAction()->setObjectName(QStringLiteral("Film1"));
    auto* tools = w.menuBar()->findChild<QMenu*>(QStringLiteral("Narzdzia1"));
    w.menuBar()->insertMenu(tools ? tools->menuAction() : nullptr, movie);
    const char* items[] = {"PauzaOdtwarzaj1", "Stop1", "Odtwarzajfilmodklatki1", nullptr,
                           "Skokdoprzoduo50klatek1", "Skokwsteczo50klatek1", "Przewinicieuytkownikawprzd1",
                           "Przewinicieuytkownikawstecz1", "Skokdopocztkufilmu1", "Skoknakoniecfilmu1",
                           "Skokdowybranejklatkifilmu1", nullptr, "Wstawklatkfilmudoliniijakoklatkpoczrkow1",
                           "Wstawklatkfilmudoliniijakoklatkkocow1", "Wstawklatkinnyskrt1",
                           "Skokdoliniizaktualnklatkfilmu1", nullptr, "Wywietlajnapisy1",
                           "Wyczkomputerposkoczeniufilmu1"};
    int separator = 6;
    for (const char* name : items) {
        if (name)
            movie->addAction(w.Action(QLatin1String(name)));
        else
            movie->addSeparator()->setObjectName(QStringLiteral("N%1").arg(separator++));
    }
    connect(movie, &QMenu::aboutToShow, this, &MovieSideController::UpdateUserJumpCaptions);

    // Tool buttons: open movie first; the display and shutdown switches after the others.
    QToolBar* bar = w.toolBar_;
    QAction* firstTool = bar->actions().value(0);
    auto* openButton = new QToolButton(bar);
    openButton->setObjectName(QStringLiteral("SpeedButtonOpenVideo"));
    openButton->setToolTip(QStringLiteral("Otwórz plik wideo (Ctrl+O)"));
    openButton->setAutoRaise(true);
    openButton->setIcon(bar->style()->standardIcon(QStyle::SP_MediaPlay));
    connect(openButton, &QToolButton::clicked, open, &QAction::trigger);
    bar->insertWidget(firstTool, openButton);
    bar->addSeparator();
    auto toggleButton = [bar](const char* name, const QString& hint, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setAutoRaise(true);
        b->setCheckable(true);
        b->setIcon(bar->style()->standardIcon(icon));
        bar->addWidget(b);
        return b;
    };
    buttonShowSubtitles_ =
        toggleButton("SpeedButtonShowSubTit", QStringLiteral("Wyświetlaj napisy (Shift+Ctrl+N)"), QStyle::SP_FileDialogListView);
    connect(buttonShowSubtitles_, &QToolButton::clicked, this, [this] { DisplaySwitch(); });
    buttonShutDown_ = toggleButton("SpeedButtonShDown", QStringLiteral("Wyłącz komputer po zakończeniu filmu"),
                                   QStyle::SP_BrowserStop);
    connect(buttonShutDown_, &QToolButton::clicked, this, [this](bool on) { SetShutdownAfterMovie(on); });

    close->setEnabled(false);
    for (QWidget* b : {static_cast<QWidget*>(formMP_->SpeedButtonPlay), static_cast<QWidget*>(formMP_->SpeedButtonPause),
                       static_cast<QWidget*>(formMP_->SpeedButtonStop), static_cast<QWidget*>(formMP_->SpeedButtonRepeat)})
        b->setEnabled(false);
}

bool MovieSideController::Loaded() const { return player_.OpenState() != 0; }

void MovieSideController::UpdateUserJumpCaptions() {
    const Settings& s = window_.GetSettings();
    Prompts& p = window_.GetPrompts();
    window_.Action(QStringLiteral("Przewinicieuytkownikawprzd1"))
        ->setText(p.Text("Form1", "Przewinicieuytkownikawprzd1_Cpt") + u' ' + Q(FormatGeneral(s.CustomerForward)));
    window_.Action(QStringLiteral("Przewinicieuytkownikawstecz1"))
        ->setText(p.Text("Form1", "Przewinicieuytkownikawstecz1_Cpt") + u' ' + Q(FormatGeneral(s.CustomerBackward)));
}

// --- Messages over the picture

void MovieSideController::ShowMessage(const QString& text, const QColor& color) {
    lastMessage_ = text;
    lastMessageColor_ = color;
    messageLabel_->setText(text);
    messageLabel_->setStyleSheet(QStringLiteral("QLabel { color: %1; background: black; padding: 2px; }").arg(color.name()));
    messageLabel_->adjustSize();
    messageLabel_->show();
    messageLabel_->raise();
    messageTimer_->start();
}

void MovieSideController::ShowMessageKey(const char* key, const QColor& color) {
    ShowMessage(window_.GetPrompts().Text("Messages", key), color);
}

// --- Opening and closing

void MovieSideController::OpenMovieCommand() {
    OpenDialogScope counted(window_.OpenDialogs());
    FileRequest r;
    r.title = QStringLiteral("Otwórz plik z filmem");
    r.folder = QStringLiteral(".");
    r.defaultSuffix = QStringLiteral("avi");
    r.filters = FiltersFromPairs(
        "Pliki wideo (*.avi;*.mpg;*.mpe;*mpeg;*.mov;*.asf;*.m1v;*.mp2;*.ivf;*.mp2v;*.mpa;*.qt;)|"
        "*.avi;*.mpg;*.mpe;*.mpeg;*.mov;*.asf;*.m1v;*.mp2;*.ivf;*.mp2v;*.mpa;*.qt|Wszystkie pliki (*.*)|*");
    const QString path = window_.GetPrompts().OpenFileName(r);
    const Settings& s = window_.GetSettings();
    if (!path.isEmpty()) OpenMovie(path, s.CheckForOtherSub, s.AutoOpenSubtitle, true);
}

void MovieSideController::OpenMovie(const QString& path, bool offerChoice, bool loadSubtitles,
                                    bool useMovieSettings) {
    Settings& s = window_.GetSettings();
    DocumentState& state = window_.State();
    Prompts& prompts = window_.GetPrompts();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    window_.ResetMovie();
    // The previous movie's per-movie file was written by the reset; this one has its own.
    s.MovieIniPath.clear();

    player_.SetAutoStart(s.AutoPlayMovie);
    player_.SetFileName(path);
    if (player_.OpenState() == 0) {
        QApplication::restoreOverrideCursor();
        prompts.MessageBox(player_.ErrorDescription(), prompts.Caption(MessageIcon::Error), BoxButtons::Ok,
                           MessageIcon::Error);
        return;
    }
    s.MovieCount += 1;
    window_.AddRecentMovie(S(path));
    for (QWidget* b : {static_cast<QWidget*>(formMP_->SpeedButtonPlay), static_cast<QWidget*>(formMP_->SpeedButtonPause),
                       static_cast<QWidget*>(formMP_->SpeedButtonStop), static_cast<QWidget*>(formMP_->SpeedButtonRepeat)})
        b->setEnabled(true);

    // Frame total and length, and the frame rate from them.
    player_.SetDisplayMode(kDisplayFrames);
    MovieFrameTotal = static_cast<long long>(player_.Duration());
    player_.SetDisplayMode(kDisplayTime);
    MovieLength = player_.Duration();
    s.TotalMovieTime += MovieLength / 3600.0;
    formMP_->KvTrackBarTrack->setMaxValue(PositionBarValue(MovieLength));
    state.frameRate = MovieFrameRate(MovieFrameTotal, MovieLength, player_.NominalFrameRate());

    // The movie information.
    const QString rate = Q(FormatGeneral(state.frameRate));
    const std::uint64_t size = FileSizeOf(path);
    window_.StatusPanel(4)->setText(QFileInfo(path).fileName() + QStringLiteral("     (") +
                                    QString::number(player_.ImageSourceWidth()) + u'x' +
                                    QString::number(player_.ImageSourceHeight()) + QStringLiteral("  ") + rate.left(6) +
                                    QStringLiteral(" fps)     ") + Q(FormatSize(size)));
    window_.DefaultFrameRateDialog().LabelFPS->setText(rate);
    window_.FrameRateChangeDialog().LabelFps2->setText(rate);
    s.TotalMovieSize += static_cast<double>(size);
    window_.Action(QStringLiteral("Zamknijplikwideo1"))->setEnabled(true);

    // The matching subtitle file.
    if (loadSubtitles) {
        s.LastSubFile.clear();
        if (s.AutoOpenSubtitle) {
            const std::string candidate =
                MatchingSubtitleCandidate(S(path), s.SubtitlesFolder, s.CheckForOtherSub && offerChoice, RealFileProbe());
            if (!candidate.empty() && window_.ConfirmDiscard()) window_.OpenSubtitleFile(Q(candidate), offerChoice);
        }
    }

    // The position it was left at.
    if (QString::compare(path, Q(s.LastMovieFile), Qt::CaseInsensitive) == 0 && s.RestorePosition &&
        s.MoviePosition <= MovieLength)
        Seek(s.MoviePosition);
    if (useMovieSettings && UseMovieSettingsFor(s, MovieLength)) {
        OpenMovieSettings(s, window_.chapters_, S(path));
        if (s.RestorePosition && s.MoviePosition >= 0.0f && s.MoviePosition <= MovieLength) Seek(s.MoviePosition);
    }
    LoadChapters(window_.chapters_, s.MovieIniPath);
    SaveMovieSettings(s, window_.chapters_, s.MovieIniPath);

    s.LastMovieFile = S(player_.FileName());
    if (s.ResumeWhenCrashed)
        marker_.Register();
    else
        marker_.Remove();
    s.SystemCrashed = true;
    s.MoviePosition = static_cast<float>(player_.CurrentPosition());
    SaveAllSettings(s, window_.chapters_);
    window_.DefaultFrameRateDialog().ComboBoxFps->setEditText(rate);

    formMP_->SetLogoVisible(false);
    formMP_->KvTrackBarTrack->show();
    PlaceVideoWindow();
    crashSaveMs_ = 0;
    timer_->start();
    QApplication::restoreOverrideCursor();
}

void MovieSideController::PlaceVideoWindow() {
    // The picture at its own aspect in the panel's width, leaving the editor at least 100 px.
    QSplitter* splitter = window_.splitter_;
    if (QSplitterHandle* handle = splitter->handle(1)) handle->setEnabled(true);
    const int total = splitter->height();
    const int w = std::max(1, player_.ImageSourceWidth());
    const int picture = player_.ImageSourceHeight() * window_.PanelMP()->width() / w + 40;
    const int panel = std::clamp(picture, 100, std::max(100, total - 100));
    splitter->setSizes({panel, std::max(total - panel, 100)});
}

void MovieSideController::ResetPlayer() {
    marker_.Remove();
    timer_->stop();
    player_.SetFileName(QString());
    MovieFrameTotal = 0;
    MovieLength = 0.0;
    formMP_->SetLogoVisible(true);
    formMP_->KvTrackBarTrack->setPos(0);
    formMP_->KvTrackBarTrack->hide();
    formMP_->Subtitles->SetSubtitleWindowsVisible(false, display_->TransparentMode());
    for (QWidget* b : {static_cast<QWidget*>(formMP_->SpeedButtonPlay), static_cast<QWidget*>(formMP_->SpeedButtonPause),
                       static_cast<QWidget*>(formMP_->SpeedButtonStop), static_cast<QWidget*>(formMP_->SpeedButtonRepeat)})
        b->setEnabled(false);
    window_.Action(QStringLiteral("Zamknijplikwideo1"))->setEnabled(false);
    UpdateUserJumpCaptions();
}

void MovieSideController::CloseMovieCommand() {
    Settings& s = window_.GetSettings();
    s.LastMovieFile.clear();
    s.MoviePosition = 0.0f;
    window_.ResetMovie();
}

bool MovieSideController::ResumeAfterCrash() {
    Settings& s = window_.GetSettings();
    const QString movie = Q(s.LastMovieFile);
    const QString sub = Q(s.LastSubFile);
    if (!s.SystemCrashed || !s.ResumeWhenCrashed || movie.isEmpty() || !QFileInfo::exists(movie) ||
        (!sub.isEmpty() && !QFileInfo::exists(sub)))
        return false;
    // Opening writes the position of its own: keep the one the crash left.
    const double position = s.MoviePosition;
    OpenMovie(movie, false, false, true);
    if (!sub.isEmpty()) window_.OpenSubtitleFile(sub, false);
    if (Loaded()) {
        Seek(position);
        player_.Play();
    }
    SetShutdownAfterMovie(s.AutoTurnOffComputer);
    return true;
}

void MovieSideController::ArgumentReceived(const QString& argument) {
    window_.raise();
    window_.activateWindow();
    if (window_.OpenDialogs().Value() != 0) {
        QApplication::beep();
        return;
    }
    if (QFileInfo(argument).isFile()) {
        window_.update();
        window_.CloseDocument();
        window_.ResetMovie();
        const Settings& s = window_.GetSettings();
        OpenMovie(argument, s.CheckForOtherSub, s.AutoOpenSubtitle, true);
    } else if (!argument.isEmpty()) {
        Prompts& p = window_.GetPrompts();
        p.MessageBox(p.Text("Form1", "CantLocalizeFile") + QStringLiteral(": ") + argument, p.Caption(MessageIcon::Error),
                     BoxButtons::Ok, MessageIcon::Error);
    }
}

// --- Display

bool MovieSideController::DisplayOn() const { return display_->DisplayOn(); }

void MovieSideController::DisplaySwitch() {
    const bool on = !display_->DisplayOn();
    if (on && !window_.Frame().EnsureFrameRate()) {
        buttonShowSubtitles_->setChecked(false);
        return;
    }
    const Settings& s = window_.GetSettings();
    display_->Options.SubtitleAdjust = s.SubtitleAdjust;
    display_->Options.LetItalic = s.LetItalic;
    display_->Options.TransparentFonts = s.TransparentFonts;
    display_->Options.FocusNaPoleEdycyjne = s.FocusNaPoleEdycyjne;
    display_->Options.InfoNotSortSub = s.InfoNotSortSub;
    display_->Options.DelaySubtitleOn = s.DelaySubtitleOn;
    display_->SetDisplayOn(on);
    window_.Action(QStringLiteral("Wywietlajnapisy1"))->setChecked(on);
    buttonShowSubtitles_->setChecked(on);
    ShowMessageKey(on ? "SubtitlesOn" : "SubtitlesOff", kAqua);
}

void MovieSideController::TimerTimer() {
    Settings& s = window_.GetSettings();
    crashSaveMs_ += timer_->interval();
    if (crashSaveMs_ >= 10000) {
        crashSaveMs_ = 0;
        s.MoviePosition = static_cast<float>(player_.CurrentPosition());
        s.SystemCrashed = true;
        SaveAllSettings(s, window_.chapters_);
    }
    const double position = player_.CurrentPosition();
    if (!window_.FullScreen()) {
        window_.StatusPanel(0)->setText(
            Q(FramePositionText(position, window_.State().frameRate, MovieFrameTotal)));
        window_.StatusPanel(1)->setText(Q(DecisecondPositionText(position, MovieLength)));
    }
    formMP_->KvTrackBarTrack->setPos(PositionBarValue(position));
}

void MovieSideController::PlayStateChanged(int state) {
    if (window_.Closing()) return;
    display_->PositionChanged();
    ShowMessageKey(state == kPlayPlaying ? "Play" : state == kPlayPaused ? "Pause" : "Stop", kYellow);
}

// --- Navigation

void MovieSideController::Seek(double seconds) { player_.SetCurrentPosition(std::max(0.0, seconds)); }

void MovieSideController::PlayFromLine() {
    if (!Loaded()) return;
    const std::string line = S(window_.Editor()->textCursor().block().text());
    const DocumentState& state = window_.State();
    if (!line.empty() && IsLineValid(line, state.ssa)) {
        SubtitleLine l;
        ParseLine(line, state.frameRate, l, state.ssa);
        Seek(l.start);
    }
    player_.Play();
}

void MovieSideController::PauseOrPlay() {
    if (!Loaded()) return;
    switch (player_.PlayState()) {
        case kPlayStopped:
            if (player_.CurrentPosition() == MovieLength) Seek(0.0);
            player_.Play();
            break;
        case kPlayPaused:
            display_->RequestResync();
            player_.Play();
            break;
        default:
            player_.Pause();
            break;
    }
}

void MovieSideController::StopCommand() {
    if (!Loaded()) return;
    player_.Stop();
    Seek(0.0);
}

void MovieSideController::Forward5() {
    if (!Loaded() || !window_.Frame().EnsureFrameRate()) return;
    ShowMessageKey("5SecFrw", kGreen);
    Seek(player_.CurrentPosition() + 5.0);
}

void MovieSideController::Back5() {
    if (!Loaded() || !window_.Frame().EnsureFrameRate()) return;
    const double target = player_.CurrentPosition() - 5.0;
    if (target != 0.0) ShowMessageKey("5SecRew", kGreen);
    Seek(std::max(0.0, target));
}

void MovieSideController::UserForward() {
    if (!Loaded()) return;
    UpdateUserJumpCaptions();
    ShowMessage(window_.Action(QStringLiteral("Przewinicieuytkownikawprzd1"))->text(), kGreen);
    Seek(player_.CurrentPosition() + window_.GetSettings().CustomerForward);
}

void MovieSideController::UserBack() {
    if (!Loaded() || player_.CurrentPosition() <= 0.0) return;
    UpdateUserJumpCaptions();
    ShowMessage(window_.Action(QStringLiteral("Przewinicieuytkownikawstecz1"))->text(), kGreen);
    const float target = static_cast<float>(player_.CurrentPosition()) -
                         static_cast<float>(window_.GetSettings().CustomerBackward);
    Seek(std::max(0.0f, target));
}

void MovieSideController::ToStart() {
    if (!Loaded()) return;
    ShowMessageKey("MovieStart", kRed);
    Seek(0.0);
}

void MovieSideController::ToEnd() {
    if (!Loaded()) return;
    ShowMessageKey("MovieEnd", kRed);
    Seek(MovieLength);
}

void MovieSideController::JumpToCommand() {
    if (!Loaded() || window_.OpenDialogs().Value() != 0 || !window_.Frame().EnsureFrameRate()) return;
    jump_->SetFrameRate(window_.State().frameRate);
    if (window_.GetPrompts().ExecDialog(*jump_) == QDialog::Accepted) {
        Seek(jump_->Seconds());
        display_->RequestResync();
    }
    QTimer::singleShot(0, this, [this] {
        formMP_->Subtitles->SetSubtitleWindowsVisible(formMP_->Subtitles->SubtitlesVisible, display_->TransparentMode());
    });
}

void MovieSideController::GoToLineForPosition() {
    if (!Loaded() || !window_.Frame().EnsureFrameRate()) return;
    const DocumentState& state = window_.State();
    long line = 0;
    if (display_->DisplayOn()) {
        line = static_cast<long>(display_->Cursor.LineIndex) - 2;
    } else {
        DisplayInput in;
        in.lines = &lines_->Lines();
        in.frameRate = state.frameRate;
        in.ssa = &state.ssa;
        in.position = player_.CurrentPosition();
        line = static_cast<long>(DisplayLineAt(in));
    }
    QPlainTextEdit* editor = window_.Editor();
    QTextBlock block = editor->document()->findBlockByNumber(static_cast<int>(std::max(0L, line)));
    if (!block.isValid()) block = editor->document()->lastBlock();
    QTextCursor c(block);
    editor->setTextCursor(c);
    editor->ensureCursorVisible();
}

// --- Stamping

void MovieSideController::StampStart() { Stamp(true); }
void MovieSideController::StampEnd() { Stamp(false); }

void MovieSideController::Stamp(bool start) {
    if (!Loaded() || !window_.Frame().EnsureFrameRate()) return;
    const Settings& s = window_.GetSettings();
    const DocumentState& state = window_.State();
    QPlainTextEdit* editor = window_.Editor();
    const QTextCursor caret = editor->textCursor();
    const int lineNumber = caret.blockNumber();
    const int offset = caret.positionInBlock();
    const StampResult r = StampLine(S(caret.block().text()), player_.CurrentPosition(),
                                    start ? StampEdge::Start : StampEdge::End,
                                    {s.ReactionSpeed, s.LeaveFramesDifference, s.ReactionForEndFrameToo},
                                    state.activeFormat, state.frameRate, state.ssa);
    if (r.error) {
        window_.GetPrompts().Box(*r.error);
        return;
    }
    window_.Frame().ReplaceLine(lineNumber, r.line);

    // The caret: down to the next line, back to where it was, or behind a line without text.
    QTextBlock block = editor->document()->findBlockByNumber(lineNumber);
    QTextCursor c(block);
    if (!r.hasText) {
        c.movePosition(QTextCursor::EndOfBlock);
    } else if (s.AfterInsertCursorDown) {
        if (block.next().isValid()) c.setPosition(block.next().position());
        else c.movePosition(QTextCursor::EndOfBlock);
    } else {
        c.setPosition(block.position() + std::min(offset, block.length() - 1));
    }
    editor->setTextCursor(c);
    display_->RequestResync();
}

// --- The keyboard dispatcher

bool MovieSideController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        // One key press, however far it travels up the widgets of the window.
        if (w->window() == &window_ && !(event == lastKey_ && key->timestamp() == lastKeyTime_)) {
            lastKey_ = event;
            lastKeyTime_ = key->timestamp();
            KeyCommand(key->key(), key->modifiers() & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier));
        }
    }
    return QObject::eventFilter(watched, event);
}

void MovieSideController::KeyCommand(int key, Qt::KeyboardModifiers modifiers) {
    const bool loaded = Loaded();
    const bool none = modifiers == Qt::NoModifier;
    if (loaded && modifiers == Qt::AltModifier && key == Qt::Key_Right) return UserForward();
    if (loaded && modifiers == Qt::AltModifier && key == Qt::Key_Left) return UserBack();
    // The keys below belong to the editor while it can be typed in.
    const bool editorOff = !window_.Editor()->isEnabled();
    if (!editorOff && !window_.FullScreen()) return;
    if ((key == Qt::Key_QuoteLeft && none) || (key == Qt::Key_F4 && modifiers == Qt::AltModifier)) {
        if (!window_.ConfirmDiscard()) return;
        // Answered: the close must not ask again.
        window_.Editor()->document()->setModified(false);
        window_.close();
        return;
    }
    if (editorOff && none && (key == Qt::Key_PageUp || key == Qt::Key_PageDown)) {
        TKvTrackBar* volume = formMP_->KvTrackBarVolume;
        volume->setPos(volume->Position() + (key == Qt::Key_PageUp ? 12 : -12));
        return;
    }
    if (!loaded) return;
    const double position = player_.CurrentPosition();
    const double rate = window_.State().frameRate > 0.0 ? window_.State().frameRate : 1.0;
    if (none) {
        switch (key) {
            case Qt::Key_Space: return PauseOrPlay();
            case Qt::Key_N: return DisplaySwitch();
            case Qt::Key_R:
                formMP_->SpeedButtonRepeat->toggle();
                formMP_->SpeedButtonRepeatClick();
                return;
            case Qt::Key_K:
                if (window_.Action(QStringLiteral("Skokdowybranejklatkifilmu1"))->isEnabled()) JumpToCommand();
                return;
            case Qt::Key_G:
                ShowMessage(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).left(5), kWhite);
                return;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                ShowMessageKey("SecFwd", kGreen);
                return Seek(position + 1.0);
            case Qt::Key_Right: return Forward5();
            case Qt::Key_Left: return Back5();
            case Qt::Key_Period:
                ShowMessageKey("FrameFwd", kGreen);
                return Seek(position + 1.0 / rate);
            case Qt::Key_Comma:
                if (position > 0.0) {
                    ShowMessageKey("FrameRew", kGreen);
                    Seek(position - 1.0 / rate);
                }
                return;
            case Qt::Key_Up:
                ShowMessageKey("MinutFwd", kGreen);
                return Seek(position + 60.0);
            case Qt::Key_Down: {
                const double target = position - 60.0;
                if (target != 0.0) ShowMessageKey("MinutRew", kGreen);
                return Seek(std::max(0.0, target));
            }
            case Qt::Key_Home: return ToStart();
            case Qt::Key_End: return ToEnd();
            default: return;
        }
    }
    if (modifiers == Qt::ControlModifier && key == Qt::Key_Right) {
        ShowMessageKey("FrameFwd", kGreen);
        Seek(position + 1.0 / rate);
    } else if (modifiers == Qt::ControlModifier && key == Qt::Key_Left && position > 0.0) {
        ShowMessageKey("FrameRew", kGreen);
        Seek(position - 1.0 / rate);
    }
}

// --- End of the movie

bool MovieSideController::ShutdownAfterMovie() const {
    return window_.Action(QStringLiteral("Wyczkomputerposkoczeniufilmu1"))->isChecked();
}

void MovieSideController::SetShutdownAfterMovie(bool on) {
    QAction* item = window_.Action(QStringLiteral("Wyczkomputerposkoczeniufilmu1"));
    if (item->isChecked() != on) item->setChecked(on);
    buttonShutDown_->setChecked(on);
}

bool MovieSideController::Repeat() const { return formMP_->SpeedButtonRepeat->isChecked(); }

void MovieSideController::MovieEnd() {
    if (window_.Closing()) return;
    Settings& s = window_.GetSettings();
    ShowMessageKey("MovieEnd", kRed);
    bool nextOpened = false;
    if (s.CheckNextVol && Loaded()) {
        auto exists = [](const std::string& p) { return QFileInfo(Q(p)).isFile(); };
        const std::string next = NextPartName(S(player_.FileName()), exists);
        if (!next.empty()) {
            ShowMessageKey("NextVolOpening", kRed);
            const QString subtitles = window_.CurrentFileName();
            const std::string nextSub = subtitles.isEmpty() ? std::string() : NextPartName(S(subtitles), exists);
            const bool search = nextSub.empty();
            OpenMovie(Q(next), search && s.CheckForOtherSub, search && s.AutoOpenSubtitle, true);
            if (Loaded() && !nextSub.empty() && window_.ConfirmDiscard()) window_.OpenSubtitleFile(Q(nextSub), false);
            nextOpened = true;
        }
    }
    if (ShutdownAfterMovie() && !nextOpened) {
        marker_.Remove();
        s.SystemCrashed = false;
        SaveAllSettings(s, window_.chapters_);
        QString error;
        if (!powerOff_->Shutdown(&error)) {
            Prompts& p = window_.GetPrompts();
            p.MessageBox(error, p.Caption(MessageIcon::Error), BoxButtons::Ok, MessageIcon::Error);
        }
        return;
    }
    if (!nextOpened && Repeat()) {
        Seek(0.0);
        player_.Play();
    }
}

}  // namespace kravelo
