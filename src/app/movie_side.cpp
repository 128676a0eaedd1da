// The movie side of the main window: the video window, the display, the movie commands and
// the player's keys.

#include "app/movie_side.h"

#include <QAction>
#include <algorithm>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/delay_commands.h"
#include "app/form_chapters.h"
#include "app/form_skin.h"
#include "app/full_screen.h"
#include "app/main_window.h"
#include "app/subtitle_font_dialog.h"
#include "app/sync_commands.h"
#include "app/view_modes.h"
#include "core/subtitle_line.h"
#include "core/text_util.h"
#include "core/time_model.h"
#include "ops/stamp.h"
#include "ops/subtitle_display.h"
#include "player/control_panel.h"
#include "player/display_timer.h"
#include "player/form_mp.h"
#include "player/media_player.h"
#include "player/skin.h"
#include "player/transport.h"
#include "ui/command_names.h"
#include "ui/qt_text.h"

namespace kravelo {

using namespace message_color;

// --- Construction

MovieSideController::MovieSideController(MainWindow& window, MediaPlayer& player, PowerOff& powerOff,
                                         std::string programPath, std::string configHome)
    : window_(window), player_(player) {
    // The video window fills the video panel.
    formMP_ = new TFormMP(&player_, window_.PanelMP());
    window_.GetLanguage().AddForm(formMP_);
    auto* layout = new QVBoxLayout(window_.PanelMP());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(formMP_);
    formMP_->SetLogoVisible(true);

    SubtitleSession& session = window_.Session();
    transport_ = new Transport(player_, *formMP_, this);
    transport_->messageText = [this](const char* key) { return window_.GetPrompts().Text("Messages", key); };
    transport_->frameRate = [&session] { return session.State().frameRate; };

    // The display reads the session's lines; replaced lines make it start again from line 0.
    display_ = new SubtitleDisplayTimer(&player_, formMP_->Subtitles, this);
    display_->Source = [this, &session] {
        DisplayInput in;
        in.lines = &session.Lines();
        in.frameRate = session.State().frameRate;
        in.ssa = &session.State().ssa;
        in.movieLength = movie_->MovieLength;
        return in;
    };
    connect(&session, &SubtitleSession::Changed, display_, [this](SubtitleSession::Changes changes) {
        if (changes & (SubtitleSession::LinesReplaced | SubtitleSession::LineCountChanged)) display_->RequestResync();
    });
    connect(transport_, &Transport::ResyncNeeded, display_, &SubtitleDisplayTimer::RequestResync);
    display_->OpenDialogCount = [this] { return window_.OpenDialogs().Value(); };
    notSorted_ = std::make_unique<TFormSubNotSorted>(window_.OpenDialogs(), window_.GetPrompts());
    display_->ShowNotSortedNotice = [this] { notSorted_->Notify(); };
    display_->Options.DelaySubtitleOn = window_.GetSettings().DelaySubtitleOn;

    movie_ = new MovieSession(window_, player_, *formMP_, *transport_, *display_, powerOff, std::move(programPath),
                              std::move(configHome));
    movie_->setParent(this);
    connect(movie_, &MovieSession::LoadedChanged, this, [this] { window_.Commands().Refresh(); });

    jump_ = new TFormPytanie05SkokDo(window_.OpenDialogs(), window_.GetPrompts(), &window_);
    jump_->currentPosition = [this] { return player_.CurrentPosition(); };
    window_.GetLanguage().AddForm(jump_);

    // The player's own events and buttons.
    connect(&player_, &MediaPlayer::PlayStateChange, this, [this](int state) {
        if (window_.Closing()) return;
        display_->PositionChanged();
        transport_->ShowMessageKey(state == kPlayPlaying ? "Play" : state == kPlayPaused ? "Pause" : "Stop", kYellow);
    });
    connect(formMP_, &TFormMP::ActivateMainWindow, &window_, [this] { window_.activateWindow(); });
    connect(formMP_, &TFormMP::RepeatClicked, this,
            [this](bool down) { transport_->ShowMessageKey(down ? "Repeat" : "NotRepeat", kAqua); });
    // With a movie the splitter keeps at least 100 px for the picture and for the editor; the
    // video panel takes the focus after a move.
    connect(window_.Splitter(), &QSplitter::splitterMoved, this, [this] {
        QSplitter* splitter = window_.Splitter();
        if (!movie_->Loaded() || window_.FullScreen()) return;
        const QList<int> sizes = splitter->sizes();
        if (sizes.size() != 2 || !window_.PanelText()->isVisible()) return;
        const int total = sizes[0] + sizes[1];
        const int panel = std::clamp(sizes[0], 100, std::max(100, total - 100));
        if (panel != sizes[0]) splitter->setSizes({panel, total - panel});
        formMP_->MediaPlayerNew1->setFocus();
    });
    // A key on the picture goes to the dispatcher (the key preview) and then the editor takes
    // the focus back, outside full screen.
    connect(formMP_, &TFormMP::KeyPressed, this, [this] {
        QPlainTextEdit* editor = window_.Editor();
        if (!window_.FullScreen() && editor->isEnabled() && editor->isVisible()) editor->setFocus();
    });
    connect(formMP_, &TFormMP::FilesDropped, &window_, &MainWindow::DropFiles);

    RegisterCommands();
    delay_ = new DelayCommands(window_, [this] { return player_.CurrentPosition(); }, this);
    connect(movie_, &MovieSession::MovieReset, delay_, &DelayCommands::Clear);
    sync_ = new SyncCommands(window_, player_, [this](double t) { transport_->Seek(t); }, this);
    connect(movie_, &MovieSession::MovieReset, sync_, &SyncCommands::MovieClosed);
    chapters_ = new ChapterCommands(
        window_, [this] { return player_.CurrentPosition(); },
        [this](double seconds) {
            transport_->Seek(seconds);
            display_->RequestResync();
        },
        this);
    skins_ = new SkinCommands(window_, *formMP_,
                              SkinsFolder(window_.Paths().programFolder, window_.Paths().shareFolder), this);
    window_.Frame().subtitleDisplayOn = [this] { return DisplayOn(); };
    window_.Frame().toggleSubtitleDisplay = [this] { DisplaySwitch(); };
    window_.SetMoviePort(movie_);
    fullScreen_ = new FullScreenController(window_, *this);
    // The control panel carries the skin like the video window's strip, and its chapter button
    // and menu entries open the chapter commands.
    if (TFormControlPanel* panel = fullScreen_->ControlPanel()) {
        SkinTargets& targets = skins_->Targets();
        targets.fullScreenBackground = panel->ImageBackground;
        targets.fullScreenPosition = panel->KvTrackBar1;
        targets.fullScreenFont = panel->KvTrackBarFont;
        targets.fullScreenVolume = panel->KvTrackBarVolume;
        targets.fullScreenZoom = panel->KvTrackBarZoom;
    }
    connect(fullScreen_, &FullScreenController::ChaptersRequested, chapters_, &ChapterCommands::ShowChapters);
    connect(fullScreen_, &FullScreenController::AddChapterRequested, chapters_, &ChapterCommands::AddChapter);
    new SubtitleFontCommands(window_, *this);
    connect(&window_.Views(), &ViewModes::EditorModeChanged, this, &MovieSideController::SetModeHints);
    SetModeHints(window_.EditorShown());

    // Every key of the window goes to the dispatcher first (key preview).
    qApp->installEventFilter(this);
}

MovieSideController::~MovieSideController() {
    qApp->removeEventFilter(this);
    // Full screen gives the video window back while the rest still exists; the controller goes
    // after the window's last look at the commands.
    fullScreen_->SetFullScreen(false);
    window_.SetMoviePort(nullptr);
    window_.Frame().subtitleDisplayOn = nullptr;
    window_.Frame().toggleSubtitleDisplay = nullptr;
    delete fullScreen_;
}

bool MovieSideController::ReadyWithFrameRate() { return movie_->Loaded() && window_.Frame().EnsureFrameRate(); }

QString MovieSideController::UserJumpCaption(bool forward) const {
    const Settings& s = window_.GetSettings();
    const char* key = forward ? "Przewinicieuytkownikawprzd1_Cpt" : "Przewinicieuytkownikawstecz1_Cpt";
    return window_.GetPrompts().Text("Form1", key) + u' ' +
           Q(FormatGeneral(forward ? s.CustomerForward : s.CustomerBackward));
}

// The movie commands and the player's keys. Keys bound with the default scope work while the
// editor is off or in full screen; the menu shortcuts work everywhere.
void MovieSideController::RegisterCommands() {
    using K = QKeySequence;
    using KC = QKeyCombination;
    const auto ctrl = Qt::CTRL;
    const auto none = Qt::NoModifier;
    CommandTable& t = window_.Commands();
    auto key = [](Qt::KeyboardModifiers m, Qt::Key k, KeyScope scope = KeyScope::EditorOffOrFullScreen) {
        return KeyBinding{KC(m, k), scope};
    };
    MovieSession& m = *movie_;
    Transport& tr = *transport_;
    t.Add(cmd::kOpenMovie, "Otwórz plik wideo", {K(ctrl | Qt::Key_O)}, [&m] { m.OpenMovieCommand(); }, kNeedsNothing);
    t.Add(cmd::kCloseMovie, "Zamknij plik wideo", {K(ctrl | Qt::SHIFT | Qt::Key_W)}, [&m] { m.CloseMovieCommand(); },
        kNeedsMovie);
    t.Add(cmd::kPauseOrPlay, "P&auza / Odtwarzanie", {K(ctrl | Qt::Key_L)}, [&tr] { tr.PauseOrPlay(); }, kNeedsMovie,
        {key(none, Qt::Key_Space)});
    t.Add(cmd::kStop, "S&top", {K(ctrl | Qt::Key_M)}, [&tr] { tr.Stop(); }, kNeedsMovie);
    t.Add(cmd::kPlayFromLine, "&Odtwarzaj film od bieżącego napisu", {K(ctrl | Qt::Key_P)}, [this] { PlayFromLine(); },
        kNeedsMovie | kNeedsEditor);
    t.Add(cmd::kForward5, "Przewiń 5 sekund w &przód", {K(ctrl | Qt::Key_BracketRight)},
        [this] {
            if (ReadyWithFrameRate()) transport_->Forward5();
        },
        kNeedsMovie, {key(none, Qt::Key_Right)});
    t.Add(cmd::kBack5, "Przewiń 5 sekund &wstecz", {K(ctrl | Qt::Key_BracketLeft)},
        [this] {
            if (ReadyWithFrameRate()) transport_->Back5();
        },
        kNeedsMovie, {key(none, Qt::Key_Left)});
    // The user jumps' captions carry their settings.
    for (bool forward : {true, false}) {
        Command jump;
        jump.name = forward ? cmd::kUserForward : cmd::kUserBack;
        jump.run = [this, forward] {
            const Settings& s = window_.GetSettings();
            if (forward)
                transport_->JumpForward(s.CustomerForward, UserJumpCaption(true));
            else
                transport_->JumpBack(s.CustomerBackward, UserJumpCaption(false));
        };
        jump.needs = kNeedsMovie;
        jump.captionNow = [this, forward] { return UserJumpCaption(forward); };
        jump.keys = {key(Qt::AltModifier, forward ? Qt::Key_Right : Qt::Key_Left, KeyScope::Always)};
        t.Add(std::move(jump));
    }
    t.Add(cmd::kToStart, "&Przejdź na początek filmu",
        {K(ctrl | Qt::SHIFT | Qt::Key_BracketLeft), K(ctrl | Qt::SHIFT | Qt::Key_BraceLeft)}, [&tr] { tr.ToStart(); },
        kNeedsMovie, {key(none, Qt::Key_Home)});
    t.Add(cmd::kToEnd, "Przejdź na &koniec filmu",
        {K(ctrl | Qt::SHIFT | Qt::Key_BracketRight), K(ctrl | Qt::SHIFT | Qt::Key_BraceRight)}, [&tr] { tr.ToEnd(); },
        kNeedsMovie, {key(none, Qt::Key_End)});
    t.Add(cmd::kJumpTo, "&Skocz do...", {K(ctrl | Qt::Key_K)}, [this] { JumpToCommand(); }, kNeedsMovie,
        {key(none, Qt::Key_K)});
    t.Add(cmd::kStampStart, "Wstaw klatkę początkową", {K(Qt::Key_Insert)}, [this] { StampStart(); },
        kNeedsMovie | kNeedsEditor);
    t.Add(cmd::kStampEnd, "Wstaw klatkę końcową", {K(Qt::ALT | Qt::Key_Insert)}, [this] { StampEnd(); },
        kNeedsMovie | kNeedsEditor);
    t.Add(cmd::kStampEndOtherKey, "Wstaw klatkę końcową, (inny skrót)", {K(ctrl | Qt::ALT | Qt::Key_Insert)},
        [this] { StampEnd(); }, kNeedsMovie | kNeedsEditor);
    t.Add(cmd::kGoToLineOfPosition, "S&kocz do linii z aktualnym czasem filmu", {K(ctrl | Qt::SHIFT | Qt::Key_L)},
        [this] { GoToLineForPosition(); }, kNeedsMovie | kNeedsEditor);

    // The display switch works without a movie too (it asks for a frame rate then).
    Command show;
    show.name = cmd::kShowSubtitles;
    show.caption = QStringLiteral("Wyświetlaj napisy");
    show.shortcuts = {K(ctrl | Qt::SHIFT | Qt::Key_N)};
    show.run = [this] { DisplaySwitch(); };
    show.checkable = true;
    show.checked = [this] { return DisplayOn(); };
    show.keys = {key(none, Qt::Key_N)};
    t.Add(std::move(show));
    Command shutdown;
    shutdown.name = cmd::kShutDownAfterMovie;
    shutdown.caption = QStringLiteral("Wyłącz komputer po zakończeniu filmu");
    shutdown.run = [&m] { m.SetShutdownAfterMovie(!m.ShutdownAfterMovie()); };
    shutdown.checkable = true;
    shutdown.checked = [&m] { return m.ShutdownAfterMovie(); };
    t.Add(std::move(shutdown));

    // Keys of the player without a menu item.
    auto keyOnly = [&t](const char* name, std::function<void()> run, unsigned needs, std::vector<KeyBinding> keys) {
        Command c;
        c.name = name;
        c.run = std::move(run);
        c.needs = needs;
        c.keys = std::move(keys);
        c.menuItem = false;
        t.Add(std::move(c));
    };
    keyOnly(cmd::kKeyQuit,
            [this] {
                if (!window_.ConfirmDiscard()) return;
                // Answered: the close must not ask again.
                window_.Session().SetModified(false);
                window_.close();
            },
            kNeedsNothing, {key(none, Qt::Key_QuoteLeft), key(Qt::AltModifier, Qt::Key_F4)});
    keyOnly(cmd::kKeyVolumeUp,
            [this] { formMP_->KvTrackBarVolume->setPos(formMP_->KvTrackBarVolume->Position() + 12); }, kNeedsNothing,
            {key(none, Qt::Key_PageUp, KeyScope::EditorOffOnly)});
    keyOnly(cmd::kKeyVolumeDown,
            [this] { formMP_->KvTrackBarVolume->setPos(formMP_->KvTrackBarVolume->Position() - 12); }, kNeedsNothing,
            {key(none, Qt::Key_PageDown, KeyScope::EditorOffOnly)});
    keyOnly(cmd::kKeyRepeat,
            [this] {
                formMP_->SpeedButtonRepeat->toggle();
                formMP_->SpeedButtonRepeatClick();
            },
            kNeedsMovie, {key(none, Qt::Key_R)});
    keyOnly(cmd::kKeyClock, [&tr] { tr.ShowClock(); }, kNeedsMovie, {key(none, Qt::Key_G)});
    keyOnly(cmd::kKeySecondForward, [&tr] { tr.SecondForward(); }, kNeedsMovie,
            {key(none, Qt::Key_Return), key(none, Qt::Key_Enter)});
    keyOnly(cmd::kKeyFrameForward, [&tr] { tr.FrameForward(); }, kNeedsMovie,
            {key(Qt::ControlModifier, Qt::Key_Right), key(none, Qt::Key_Period)});
    keyOnly(cmd::kKeyFrameBack, [&tr] { tr.FrameBack(); }, kNeedsMovie,
            {key(Qt::ControlModifier, Qt::Key_Left), key(none, Qt::Key_Comma)});
    keyOnly(cmd::kKeyMinuteForward, [&tr] { tr.MinuteForward(); }, kNeedsMovie, {key(none, Qt::Key_Up)});
    keyOnly(cmd::kKeyMinuteBack, [&tr] { tr.MinuteBack(); }, kNeedsMovie, {key(none, Qt::Key_Down)});

}

void MovieSideController::SetModeHints(bool editorShown) {
    Prompts& p = window_.GetPrompts();
    auto hint = [&p](const char* key, const char* keys) {
        const QString text = p.Text("Form1", key);
        return keys ? text + QStringLiteral(" (") + QLatin1String(keys) + u')' : text;
    };
    formMP_->SpeedButtonPlay->setToolTip(hint("Play", editorShown ? "Ctrl+L" : "Spacja"));
    formMP_->SpeedButtonPause->setToolTip(hint("Pause", editorShown ? "Ctrl+L" : "Spacja"));
    formMP_->SpeedButtonStop->setToolTip(hint("Stop", editorShown ? "Ctrl+M" : nullptr));
    formMP_->SpeedButtonRepeat->setToolTip(hint("Repeat", editorShown ? nullptr : "R"));
    const QString volume = hint("Volume", editorShown ? nullptr : "PageDown/PageUp");
    formMP_->ImageVolume->setToolTip(volume);
    formMP_->KvTrackBarVolume->setToolTip(volume);
}

// --- Display

bool MovieSideController::DisplayOn() const { return display_->DisplayOn(); }

void MovieSideController::DisplaySwitch() {
    const bool on = !display_->DisplayOn();
    if (on && !window_.Frame().EnsureFrameRate()) {
        window_.Commands().Refresh();
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
    window_.Commands().Refresh();
    transport_->ShowMessageKey(on ? "SubtitlesOn" : "SubtitlesOff", kAqua);
}

// --- Navigation

void MovieSideController::PlayFromLine() {
    if (!movie_->Loaded()) return;
    const std::string line = S(window_.Editor()->textCursor().block().text());
    const DocumentState& state = window_.State();
    if (!line.empty() && IsLineValid(line, state.ssa)) {
        SubtitleLine l;
        ParseLine(line, state.frameRate, l, state.ssa);
        transport_->Seek(l.start);
    }
    player_.Play();
}

void MovieSideController::JumpToCommand() {
    if (window_.OpenDialogs().Value() != 0 || !ReadyWithFrameRate()) return;
    jump_->SetFrameRate(window_.State().frameRate);
    if (window_.GetPrompts().ExecDialog(*jump_) == QDialog::Accepted) {
        transport_->Seek(jump_->Seconds());
        display_->RequestResync();
    }
    QTimer::singleShot(0, this, [this] {
        formMP_->Subtitles->SetSubtitleWindowsVisible(formMP_->Subtitles->SubtitlesVisible, display_->TransparentMode());
    });
}

void MovieSideController::GoToLineForPosition() {
    if (!ReadyWithFrameRate()) return;
    const DocumentState& state = window_.State();
    long line = 0;
    if (display_->DisplayOn()) {
        line = static_cast<long>(display_->Cursor.LineIndex) - 2;
    } else {
        DisplayInput in;
        in.lines = &window_.Session().Lines();
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
    if (!ReadyWithFrameRate()) return;
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
        // A key press travels up the widgets of the window as one event: it is dispatched where
        // it starts, at the focus widget (or the window when nothing has the focus).
        QWidget* first = QApplication::focusWidget();
        if (!first) first = QApplication::activeWindow();
        const bool ours = w->window() == &window_ ||
                          std::find(keyWindows_.begin(), keyWindows_.end(), w->window()) != keyWindows_.end();
        if (ours && (w == first || !first)) {
            auto* key = static_cast<QKeyEvent*>(event);
            KeyCommand(key->key(), key->modifiers() & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier));
        }
    }
    return QObject::eventFilter(watched, event);
}

void MovieSideController::KeyCommand(int key, Qt::KeyboardModifiers modifiers) {
    window_.Commands().DispatchKey(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
}

}  // namespace kravelo
