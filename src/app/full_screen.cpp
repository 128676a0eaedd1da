// Full-screen playback: the switch, the crop zoom, the control panel, the progress and message
// windows, the volume, the transparent subtitles, the video window's pop-up menu and the
// movie's properties.

#include "app/full_screen.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>

#include "app/main_window.h"
#include "app/movie_side.h"
#include "app/view_modes.h"
#include "core/full_screen_layout.h"
#include "ops/subtitle_display.h"
#include "platform/display_modes.h"
#include "player/control_panel.h"
#include "player/display_timer.h"
#include "player/form_mp.h"
#include "player/full_screen_windows.h"
#include "player/media_player.h"
#include "player/transport.h"
#include "ui/command_names.h"
#include "ui/qt_text.h"

namespace kravelo {

using namespace message_color;

namespace {

// The main menus that have no use while the main window is hidden.
const char* const kMainMenus[] = {"Plik1", "Edycja1", "Napisy1", "Film1", "Narzdzia1", "Pomoc1"};

}  // namespace

FullScreenController::FullScreenController(MainWindow& window, MovieSideController& movie)
    : window_(window), movie_(movie) {
    host_ = new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint);
    host_->setObjectName(QStringLiteral("FullScreenWindow"));
    host_->setWindowTitle(window_.windowTitle());
    host_->setAutoFillBackground(true);
    QPalette black = host_->palette();
    black.setColor(QPalette::Window, Qt::black);
    host_->setPalette(black);
    host_->installEventFilter(this);

    progress_ = new TFormFSProgress(host_);
    message_ = new TFormMessage(host_);
    panel_ = new TFormControlPanel(host_);
    window_.GetLanguage().AddForm(panel_);
    window_.GetLanguage().AddForm(progress_);
    panel_->StoredVolume = movie_.Player().VolumeLevel();

    timerAutoFS_ = new QTimer(this);
    timerAutoFS_->setObjectName(QStringLiteral("TimerAutoFS"));
    timerAutoFS_->setSingleShot(true);
    timerAutoFS_->setInterval(100);
    connect(timerAutoFS_, &QTimer::timeout, this, [this] {
        if (movie_.Movie().Loaded()) SetFullScreen(true);
    });
    timerZoom_ = new QTimer(this);
    timerZoom_->setObjectName(QStringLiteral("TimerZoom"));
    timerZoom_->setSingleShot(true);
    timerZoom_->setInterval(500);
    connect(timerZoom_, &QTimer::timeout, this, [this] {
        TFormMP* mp = movie_.FormMP();
        mp->MediaPlayerNew1->setFocus();
        mp->update();
        if (rememberedPlayState_ == kPlayPlaying) movie_.Player().Play();
    });

    movie_.GetTransport().display = [this](const QString& text, const QColor& color) { ShowMessage(text, color); };
    connect(message_, &TFormMessage::RefreshSubtitles, this, [this] {
        if (!fullScreen_) return;
        SubtitleWindows* subs = movie_.FormMP()->Subtitles;
        subs->SetSubtitleWindowsVisible(subs->SubtitlesVisible, movie_.FormMP()->TransparentMode);
    });
    connect(&movie_.Movie(), &MovieSession::Ticked, this, &FullScreenController::Tick);
    connect(&movie_.Movie(), &MovieSession::FullScreenWanted, this, [this](bool deferred) {
        if (deferred)
            timerAutoFS_->start();
        else
            SetFullScreen(true);
    });
    MediaPlayer& player = movie_.Player();
    connect(&player, &MediaPlayer::PositionChange, this, [this](double, double now) {
        if (fullScreen_) ShowTimeDisplay(now);
    });
    connect(&player, &MediaPlayer::PlayStateChange, this, [this](int state) { panel_->ShowPlayState(state); });
    connect(&player, &MediaPlayer::MouseDown, this, [this] {
        if (fullScreen_ && panel_->isVisible()) CloseControlPanel();
    });
    connect(movie_.FormMP(), &TFormMP::VolumeChanged, this, [this](int level) {
        if (settingBar_) return;
        settingBar_ = true;
        panel_->KvTrackBarVolume->setPos(level);
        settingBar_ = false;
        movie_.GetTransport().ShowMessage(
            window_.GetPrompts().Text("Messages", "Volume") + u' ' + QString::number(level * 100 / 255) + u'%', kAqua);
    });
    connect(progress_, &TFormFSProgress::FontSizeChosen, this,
            [this](int points) { window_.GetSettings().FontSizeProgress = points; });
    ConnectPanel();
    RegisterCommands();
    BuildVideoMenu();
    movie_.AddKeyWindow(host_);
    window_.installEventFilter(this);
}

FullScreenController::~FullScreenController() {
    movie_.GetTransport().display = nullptr;
    if (fullScreen_) Leave();
    delete host_;
}

DisplayModeService& FullScreenController::Modes() {
    if (!modes_) {
        ownModes_ = MakeDisplayModeService();
        modes_ = ownModes_.get();
    }
    return *modes_;
}

// --- Commands

void FullScreenController::RegisterCommands() {
    using K = QKeySequence;
    using KC = QKeyCombination;
    CommandTable& t = window_.Commands();
    const auto fs = KeyScope::FullScreenOnly;
    for (const char* name : {cmd::kFullScreen, cmd::kFullScreenPopup}) {
        Command c;
        c.name = name;
        c.caption = QStringLiteral("&Tryb pełnoekranowy");
        if (name == cmd::kFullScreen) {
            c.shortcuts = {K(Qt::ALT | Qt::Key_Return), K(Qt::ALT | Qt::Key_Enter)};
            c.keys = {{KC(Qt::AltModifier, Qt::Key_Return), fs}, {KC(Qt::AltModifier, Qt::Key_Enter), fs}};
        }
        c.run = [this] { SetFullScreen(!fullScreen_); };
        c.checkable = true;
        c.checked = [this] { return fullScreen_; };
        c.enabled = [this] { return fullScreen_ || movie_.Movie().Loaded(); };
        t.Add(std::move(c));
    }
    Command transparent;
    transparent.name = cmd::kTransparentSubtitles;
    transparent.caption = QStringLiteral("&Przezroczyste napisy (pełny ekran)");
    transparent.run = [this] { ToggleTransparent(); };
    transparent.checkable = true;
    transparent.checked = [this] { return window_.GetSettings().TransparentFonts; };
    t.Add(std::move(transparent));
    t.Add(cmd::kMovieProperties, "Właściwości pliku wideo", {}, [this] { MoviePropertiesCommand(); }, kNeedsMovie);
    t.Add(cmd::kMoviePropertiesPopup, "&Właściwości...", {}, [this] { MoviePropertiesCommand(); }, kNeedsMovie);
    t.Add(cmd::kPlayerMenu, "&Menu kontekstowe Media Player", {}, [this] {
        MediaPlayer& p = movie_.Player();
        p.SetEnableContextMenu(true);
        p.ShowDialog(kContextMenuDialog);
        p.SetEnableContextMenu(false);
    }, kNeedsMovie);
    t.Add(cmd::kOpenMoviePopup, "Otwórz plik wideo", {}, [&t] { t.Run(cmd::kOpenMovie); });
    t.Add(cmd::kPauseOrPlayPopup, "P&auza / Odtwarzanie", {}, [&t] { t.Run(cmd::kPauseOrPlay); }, kNeedsMovie);
    t.Add(cmd::kJumpToPopup, "&Skocz do klatki", {}, [&t] { t.Run(cmd::kJumpTo); }, kNeedsMovie);

    // Keys of full screen (and Esc of compact mode).
    auto keyOnly = [&t](const char* name, std::function<void()> run, std::vector<KeyBinding> keys) {
        Command c;
        c.name = name;
        c.run = std::move(run);
        c.keys = std::move(keys);
        c.menuItem = false;
        t.Add(std::move(c));
    };
    const auto none = Qt::NoModifier;
    keyOnly(cmd::kKeyEscape, [this] {
        if (fullScreen_) {
            if (panel_->isVisible())
                CloseControlPanel();
            else if (window_.OpenDialogs().Value() == 0)
                SetFullScreen(false);
        } else if (window_.GetSettings().CompactMode) {
            window_.Views().ToggleCompact();
        }
    }, {{KC(none, Qt::Key_Escape), KeyScope::Always}});
    keyOnly(cmd::kKeyShutDown, [this] {
        MovieSession& m = movie_.Movie();
        m.SetShutdownAfterMovie(!m.ShutdownAfterMovie());
        panel_->SpeedButtonShDown->setChecked(m.ShutdownAfterMovie());
        movie_.GetTransport().ShowMessageKey(m.ShutdownAfterMovie() ? "TurnOffComp" : "NotTurnOffComp", kAqua);
    }, {{KC(none, Qt::Key_S), fs}});
    keyOnly(cmd::kKeyZoomIn, [this] { SetZoomBar(panel_->KvTrackBarZoom->Position() + 3); },
            {{KC(none, Qt::Key_Plus), fs}, {KC(Qt::ShiftModifier, Qt::Key_Plus), fs}, {KC(none, Qt::Key_Equal), fs}});
    keyOnly(cmd::kKeyZoomOut, [this] { SetZoomBar(panel_->KvTrackBarZoom->Position() - 3); },
            {{KC(none, Qt::Key_Minus), fs}});
    keyOnly(cmd::kKeyFontUp, [this] { SetFontBar(panel_->KvTrackBarFont->Position() + 1); },
            {{KC(Qt::ControlModifier, Qt::Key_PageUp), fs}});
    keyOnly(cmd::kKeyFontDown, [this] { SetFontBar(panel_->KvTrackBarFont->Position() - 1); },
            {{KC(Qt::ControlModifier, Qt::Key_PageDown), fs}});
    keyOnly(cmd::kKeyFullScreenVolumeUp, [this] { SetVolume(std::min(255, panel_->KvTrackBarVolume->Position() + 12)); },
            {{KC(none, Qt::Key_PageUp), fs}});
    keyOnly(cmd::kKeyFullScreenVolumeDown,
            [this] { SetVolume(std::max(0, panel_->KvTrackBarVolume->Position() - 12)); },
            {{KC(none, Qt::Key_PageDown), fs}});
    keyOnly(cmd::kKeyProgress, [this] { CycleProgress(); }, {{KC(none, Qt::Key_T), fs}});
    std::vector<KeyBinding> c;
    for (Qt::KeyboardModifiers m : {Qt::KeyboardModifiers(none), Qt::KeyboardModifiers(Qt::ShiftModifier),
                                    Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::AltModifier),
                                    Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier)})
        c.push_back({KC(m, Qt::Key_C), fs});
    keyOnly(cmd::kKeyControlPanel, [this] { ToggleControlPanel(); }, std::move(c));
}

void FullScreenController::BuildVideoMenu() {
    videoMenu_ = new QMenu(&window_);
    videoMenu_->setObjectName(QStringLiteral("PopupMenuVideo"));
    window_.Commands().FillMenu(videoMenu_, {cmd::kOpenMoviePopup, cmd::kPauseOrPlayPopup, cmd::kJumpToPopup, "-",
                                             cmd::kMoviePropertiesPopup, cmd::kFullScreenPopup, "-", cmd::kPlayerMenu});
    movie_.Player().SetPopupMenu(videoMenu_);
}

// --- The control panel

void FullScreenController::ConnectPanel() {
    TFormControlPanel* p = panel_;
    TFormMP* mp = movie_.FormMP();
    CommandTable& t = window_.Commands();
    connect(p, &TFormControlPanel::PlayClicked, mp, &TFormMP::SpeedButtonPlayClick);
    connect(p, &TFormControlPanel::PauseClicked, mp, &TFormMP::SpeedButtonPauseClick);
    connect(p, &TFormControlPanel::StopClicked, mp, &TFormMP::SpeedButtonStopClick);
    connect(p, &TFormControlPanel::TimeBackClicked, this, [&t] { t.Run(cmd::kBack5); });
    connect(p, &TFormControlPanel::ForwardClicked, this, [&t] { t.Run(cmd::kForward5); });
    connect(p, &TFormControlPanel::FullScreenOffClicked, this, [this] { SetFullScreen(false); });
    connect(p, &TFormControlPanel::ShowSubtitlesClicked, this, [this] {
        movie_.DisplaySwitch();
        panel_->SpeedButtonShowSubTit->setChecked(movie_.DisplayOn());
    });
    connect(p, &TFormControlPanel::ExitClicked, this, [&t] { t.Run(cmd::kKeyQuit); });
    connect(p, &TFormControlPanel::ProgressClicked, this, &FullScreenController::CycleProgress);
    connect(p, &TFormControlPanel::ShutDownClicked, this, [this](bool down) {
        movie_.Movie().SetShutdownAfterMovie(down);
        movie_.GetTransport().ShowMessageKey(down ? "TurnOffComp" : "NotTurnOffComp", kAqua);
    });
    connect(p, &TFormControlPanel::RepeatClicked, this, [mp](bool down) {
        mp->SpeedButtonRepeat->setChecked(down);
        mp->SpeedButtonRepeatClick();
    });
    connect(mp->SpeedButtonRepeat, &QToolButton::toggled, p->SpeedButtonRepeat, &QToolButton::setChecked);
    connect(p, &TFormControlPanel::ChaptersRequested, this, &FullScreenController::ChaptersRequested);
    connect(p, &TFormControlPanel::AddChapterRequested, this, &FullScreenController::AddChapterRequested);
    connect(p, &TFormControlPanel::CloseClicked, this, &FullScreenController::CloseControlPanel);
    connect(p, &TFormControlPanel::PositionMoved, this,
            [this](int deciseconds) { movie_.Player().SetCurrentPosition(deciseconds * 0.1); });
    connect(p, &TFormControlPanel::VolumeMoved, this, [this](int level) {
        if (!settingBar_) SetVolume(level);
    });
    connect(p, &TFormControlPanel::ZoomMoved, this, [this](int percent) {
        if (settingBar_ || !fullScreen_) return;
        FullScreenZoom(percent);
        movie_.GetTransport().ShowMessage(
            window_.GetPrompts().Text("Messages", "Zoom") + u' ' + QString::number(percent) + u'%', kAqua);
    });
    connect(p, &TFormControlPanel::FontMoved, this, [this](int points) {
        if (settingBar_ || !fullScreen_) return;
        TFormMP* v = movie_.FormMP();
        SubtitleWindows* subs = v->Subtitles;
        subs->SetSubtitleWindowsVisible(false, v->TransparentMode);
        window_.GetSettings().FontFullScreen.Size = points;
        subs->LabelFS.font.setPointSize(points);
        subs->ApplySubtitleFonts(true, v->SubtitleElevation(), v->TransparentMode);
        const Settings& s = window_.GetSettings();
        subs->RenderSubtitle(window_.GetPrompts().Text("ExampleText", "FontSizeExample"), s.SubtitleAdjust,
                             v->TransparentMode, s.LetItalic);
        subs->SetSubtitleWindowsVisible(true, v->TransparentMode);
        movie_.GetTransport().ShowMessage(
            window_.GetPrompts().Text("Messages", "FontSize") + u' ' + QString::number(points), kAqua);
        panel_->TimerWlaczNapisy->start();
    });
    connect(p->TimerWlaczNapisy, &QTimer::timeout, this, [this] {
        movie_.FormMP()->Subtitles->SetSubtitleWindowsVisible(false, movie_.FormMP()->TransparentMode);
        movie_.Display()->RequestResync();
    });
    connect(p, &TFormControlPanel::DragStarted, this, [mp] { mp->Subtitles->SetSubtitleWindowsVisible(false, false); });
    connect(p, &TFormControlPanel::DragFinished, this, [this] {
        CloseControlPanel();
        ShowControlPanel();
    });
    connect(p, &TFormControlPanel::Hidden, this, [this] {
        if (panelCounted_) {
            panelCounted_ = false;
            window_.OpenDialogs().Remove();
        }
    });
    connect(p->MenuItem("Skoczdo1"), &QAction::triggered, this, [&t] { t.Run(cmd::kJumpTo); });
    connect(p->MenuItem("Waciwoci1"), &QAction::triggered, this, &FullScreenController::MoviePropertiesCommand);
    connect(p->MenuItem("Przezroczystenapisy1"), &QAction::triggered, this, &FullScreenController::ToggleTransparent);
    connect(p->MenuItem("Zamknij1"), &QAction::triggered, this, [&t] { t.Run(cmd::kKeyQuit); });
    connect(p->MenuItem("Oprogramie1"), &QAction::triggered, this, [&t] { t.Run(cmd::kAbout); });
}

void FullScreenController::ShowControlPanel() {
    if (!fullScreen_ || panel_->isVisible()) return;
    panel_->SpeedButtonShowSubTit->setChecked(movie_.DisplayOn());
    panel_->SpeedButtonShDown->setChecked(movie_.Movie().ShutdownAfterMovie());
    panel_->show();
    panel_->raise();
    host_->setCursor(Qt::ArrowCursor);
    if (!panelCounted_) {
        panelCounted_ = true;
        window_.OpenDialogs().Add();
    }
}

void FullScreenController::CloseControlPanel() {
    if (!panel_->isVisible()) return;
    panel_->hide();  // uncounted by its Hidden signal
    panelIdleTicks_ = 0;
    message_->TimerRefreshSubtitles->start();
}

void FullScreenController::ToggleControlPanel() {
    if (panel_->isVisible())
        CloseControlPanel();
    else
        ShowControlPanel();
}

void FullScreenController::SetZoomBar(int percent) {
    panel_->KvTrackBarZoom->setPos(std::clamp(percent, 0, 100));
    emit panel_->ZoomMoved(panel_->KvTrackBarZoom->Position());
}

void FullScreenController::SetFontBar(int points) {
    panel_->KvTrackBarFont->setPos(std::clamp(points, 10, 48));
    emit panel_->FontMoved(panel_->KvTrackBarFont->Position());
}

// --- Volume, messages, transparency, properties

void FullScreenController::SetVolume(int level) {
    if (!panel_->KvTrackBarVolume->isEnabled()) return;
    level = std::clamp(level, 0, 255);
    settingBar_ = true;
    panel_->KvTrackBarVolume->setPos(level);
    movie_.FormMP()->KvTrackBarVolume->setPos(level);  // sets the player's level
    settingBar_ = false;
    movie_.Player().SetVolumeLevel(level);
    movie_.GetTransport().ShowMessage(
        window_.GetPrompts().Text("Messages", "Volume") + u' ' + QString::number(level * 100 / 255) + u'%', kAqua);
}

void FullScreenController::ShowMessage(const QString& text, const QColor& color) {
    if (!fullScreen_) return;
    message_->ShowMessage(text, color, window_.GetSettings().MessageBoxPos);
}

void FullScreenController::ToggleTransparent() {
    Settings& s = window_.GetSettings();
    s.TransparentFonts = !s.TransparentFonts;
    ApplyTransparentMode();
    window_.Commands().Refresh();
}

void FullScreenController::ApplyTransparentMode() {
    const Settings& s = window_.GetSettings();
    TFormMP* mp = movie_.FormMP();
    mp->TransparentMode = fullScreen_ && s.TransparentFonts;
    movie_.Display()->Options.TransparentFonts = s.TransparentFonts;
    panel_->MenuItem("Przezroczystenapisy1")->setChecked(s.TransparentFonts);
    mp->Subtitles->SetSubtitleWindowsVisible(mp->Subtitles->SubtitlesVisible, mp->TransparentMode);
    mp->MediaPlayerNew1->update();
}

void FullScreenController::MoviePropertiesCommand() {
    MediaPlayer& player = movie_.Player();
    if (!player.OpenState()) return;
    Prompts& p = window_.GetPrompts();
    p.MessageBox(player.PropertiesText(), QFileInfo(player.FileName()).fileName(), BoxButtons::Ok,
                 MessageIcon::Information);
    // The picture takes the keys again.
    movie_.FormMP()->MediaPlayerNew1->setFocus();
}

// --- The progress window

void FullScreenController::ShowTimeDisplay(double position) {
    if (!fullScreen_) {
        window_.StatusPanel(2)->setText(Q(StatusTimeText(position)));
        return;
    }
    const double length = movie_.Movie().MovieLength;
    progress_->ShowTimeDisplay(position, length);
    panel_->LabelCurrent->setText(progress_->LabelCurrent->text());
    panel_->LabelDuration->setText(progress_->LabelDuration->text());
    panel_->KvTrackBar1->setPos(PositionBarValue(position));
}

void FullScreenController::ShowProgress() {
    progress_->ShowProgress();
    ShowTimeDisplay(movie_.Player().CurrentPosition());
    window_.GetSettings().TimePosOnFullScreen = true;
    panel_->SpeedButtonProgress->setChecked(true);
}

void FullScreenController::HideProgress() {
    progress_->HideProgress();
    window_.GetSettings().TimePosOnFullScreen = false;
    panel_->SpeedButtonProgress->setChecked(false);
}

void FullScreenController::CycleProgress() {
    const ProgressStep step = NextProgressState({progress_->ProgressShown(), progress_->ProgressMode()});
    Transport& tr = movie_.GetTransport();
    if (step.firstMessage) tr.ShowMessageKey(step.firstMessage, kAqua);
    if (step.state.shown && !progress_->ProgressShown()) ShowProgress();
    if (!step.state.shown && progress_->ProgressShown()) HideProgress();
    if (step.secondMessage) tr.ShowMessageKey(step.secondMessage, kAqua);
    progress_->SetProgressMode(step.state.mode);
    window_.GetSettings().TimePosOnFullScreenMode = step.state.mode;
    panel_->SpeedButtonProgress->setChecked(progress_->ProgressShown());
}

// --- The housekeeping tick in full screen

void FullScreenController::Tick(double position) {
    if (!fullScreen_) {
        ShowTimeDisplay(position);
        return;
    }
    const int open = window_.OpenDialogs().Value();
    host_->setCursor(open == 0 ? Qt::BlankCursor : Qt::ArrowCursor);
    // The panel mirrors the switches whoever changed them.
    panel_->SpeedButtonShowSubTit->setChecked(movie_.DisplayOn());
    panel_->SpeedButtonShDown->setChecked(movie_.Movie().ShutdownAfterMovie());
    if (window_.GetSettings().TimePosOnFullScreen || progress_->ProgressShown() || panel_->isVisible())
        ShowTimeDisplay(position);

    PanelMouseInput in;
    const QPoint mouse = QCursor::pos();
    in.hasLastPosition = hasLastMouse_;
    in.lastX = lastMouse_.x();
    in.lastY = lastMouse_.y();
    in.x = mouse.x();
    in.y = mouse.y();
    in.panelVisible = panel_->isVisible();
    in.insidePanel = panel_->geometry().contains(host_->mapFromGlobal(mouse));
    in.mayShow = QApplication::activeWindow() != nullptr && open == 0;
    in.idleTicks = panelIdleTicks_;
    const PanelMouseResult r = PanelMouseTick(in);
    panelIdleTicks_ = r.idleTicks;
    if (r.action == PanelAction::Show) ShowControlPanel();
    if (r.action == PanelAction::Close) CloseControlPanel();
    lastMouse_ = mouse;
    hasLastMouse_ = true;
}

// --- The switch

void FullScreenController::SetMenusEnabled(bool on) {
    for (const char* name : kMainMenus)
        if (auto* menu = window_.menuBar()->findChild<QMenu*>(QLatin1String(name))) menu->menuAction()->setEnabled(on);
}

void FullScreenController::SetFullScreen(bool on) {
    if (on == fullScreen_) return;
    if (on)
        Enter();
    else
        Leave();
    movie_.Display()->RequestResync();
    window_.Commands().Refresh();
}

void FullScreenController::Enter() {
    Settings& s = window_.GetSettings();
    MediaPlayer& player = movie_.Player();
    TFormMP* mp = movie_.FormMP();
    // The window as it is now, to be given back exactly.
    windowMaximized_ = window_.isMaximized();
    windowGeometry_ = window_.geometry();
    splitterSizes_ = window_.Splitter()->sizes();
    editorHadFocus_ = window_.Editor()->hasFocus();

    fullScreen_ = true;
    window_.SetFullScreenFlag(true);
    movie_.Display()->FullScreen = true;
    SetMenusEnabled(false);

    // The display mode: noted, and changed to suit the movie when the settings ask for it. A
    // change the display refuses leaves the mode as it was.
    DisplayModeService& modes = Modes();
    noted_ = modes.ReadCurrentDisplayMode();
    modeChanged_ = false;
    if (s.KindOfResChange != 0 || s.KindOfColChange != 0) {
        ResolutionRequest r;
        r.kind = s.KindOfResChange;
        r.fixedWidth = s.ChangeXRes;
        r.fixedHeight = s.ChangeYRes;
        r.limited = s.NoMoreThen;
        r.limitWidth = s.NoMoreXRes;
        r.limitHeight = s.NoMoreYRes;
        r.colourKind = s.KindOfColChange;
        const DisplayMode target = ResolutionForMovie(r, noted_, modes.DisplayModesAll(), player.ImageSourceWidth(),
                                                      player.ImageSourceHeight());
        if (!(target == noted_)) modeChanged_ = modes.ChangeDisplayMode(target);
    }
    const DisplayMode now = modeChanged_ ? modes.ReadCurrentDisplayMode() : noted_;
    panel_->LabelVRes->setText(QStringLiteral("%1x%2x%3").arg(now.width).arg(now.height).arg(now.bitsPerPixel));
    panel_->LabelFileName->setText(QFileInfo(player.FileName()).fileName());
    panel_->KvTrackBar1->setMaxValue(PositionBarValue(movie_.Movie().MovieLength));

    // The video window moves onto the screen, without its control strip. Its geometry is set
    // while it is hidden: every resize of the shown picture renders a frame.
    mp->Subtitles->RenderSubtitle(QString(), false, false, false);
    QScreen* screen = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
    host_->setGeometry(screen->geometry());
    mp->setParent(host_);
    mp->SetFullScreen(true);
    rememberedPlayState_ = 1;
    zoomInProgress_ = true;
    FullScreenZoom(s.Zoom);
    mp->show();
    mp->lower();
    host_->showFullScreen();
    window_.hide();
    player.SetPopupMenu(nullptr);
    panel_->PlaceAtTop(host_->width());
    if (s.TimePosOnFullScreen) {
        progress_->SetProgressMode(s.TimePosOnFullScreenMode);
        ShowProgress();
    } else {
        progress_->HideProgress();
    }
    progress_->SetFontSize(s.FontSizeProgress);
    ApplyTransparentMode();
    mp->Subtitles->ApplySubtitleFonts(true, mp->SubtitleElevation(), mp->TransparentMode);
    settingBar_ = true;
    panel_->KvTrackBarFont->setPos(mp->Subtitles->LabelFS.font.pointSize());
    panel_->KvTrackBarZoom->setPos(s.Zoom);
    panel_->KvTrackBarVolume->setPos(mp->KvTrackBarVolume->Position());
    settingBar_ = false;
    panel_->TimerWlaczNapisy->stop();

    hasLastMouse_ = false;
    panelIdleTicks_ = 0;
    movie_.Movie().Timer()->setInterval(500);
    host_->setCursor(Qt::BlankCursor);
    mp->BringSubtitlesToFront();
    progress_->raise();
    message_->raise();
    // The picture takes the keys (no synthetic click).
    host_->activateWindow();
    host_->raise();
    mp->MediaPlayerNew1->setFocus();
    ShowTimeDisplay(player.CurrentPosition());
}

void FullScreenController::Leave() {
    Settings& s = window_.GetSettings();
    TFormMP* mp = movie_.FormMP();
    fullScreen_ = false;
    window_.SetFullScreenFlag(false);
    movie_.Display()->FullScreen = false;
    SetMenusEnabled(true);
    timerZoom_->stop();
    CloseControlPanel();
    message_->Timer1->stop();
    message_->hide();
    progress_->move(-500, -500);

    // Back into the video panel, laid out while hidden (one resize of the shown picture).
    mp->Subtitles->RenderSubtitle(QString(), false, false, false);
    mp->Subtitles->ScreenArea = QRect();
    mp->setParent(window_.PanelMP());
    mp->SetLetterbox(0);
    mp->SetFullScreen(false);
    mp->setGeometry(window_.PanelMP()->contentsRect());
    window_.PanelMP()->layout()->addWidget(mp);
    host_->hide();
    mp->show();
    host_->unsetCursor();
    if (windowMaximized_) {
        window_.showMaximized();
    } else {
        window_.setGeometry(windowGeometry_);
        window_.show();
    }
    if (splitterSizes_.size() == 2) window_.Splitter()->setSizes(splitterSizes_);
    movie_.Player().SetPopupMenu(videoMenu_);
    ApplyTransparentMode();
    mp->Subtitles->ApplySubtitleFonts(false, mp->SubtitleElevation(), false);
    movie_.Movie().Timer()->setInterval(100);
    mp->KvTrackBarVolume->setPos(panel_->KvTrackBarVolume->Position());
    if (modeChanged_) {
        Modes().ChangeDisplayMode(noted_);
        modeChanged_ = false;
    }
    s.Zoom = panel_->KvTrackBarZoom->Position();
    window_.activateWindow();
    if (editorHadFocus_ && window_.Editor()->isEnabled()) window_.Editor()->setFocus();
}

void FullScreenController::FullScreenZoom(int percent) {
    MediaPlayer& player = movie_.Player();
    if (!timerZoom_->isActive() && !zoomInProgress_) {
        rememberedPlayState_ = player.PlayState();
        if (rememberedPlayState_ == kPlayPlaying) player.Pause();
    }
    percent = std::clamp(percent, 0, 100);
    window_.GetSettings().Zoom = percent;
    const ZoomLayout z = FullScreenZoomLayout(host_->width(), host_->height(), percent, player.ImageSourceWidth(),
                                              player.ImageSourceHeight());
    TFormMP* mp = movie_.FormMP();
    // The subtitles keep to the part of the window on the screen.
    mp->Subtitles->ScreenArea = QRect(-z.x, -z.y, host_->width(), host_->height());
    mp->setGeometry(z.x, z.y, z.width, z.height);
    mp->SetLetterbox(z.bar);
    zoomInProgress_ = false;
    timerZoom_->start();
}

bool FullScreenController::eventFilter(QObject* watched, QEvent* event) {
    // Closing the program from full screen leaves full screen first.
    if (watched == &window_ && event->type() == QEvent::Close && fullScreen_) SetFullScreen(false);
    // The full-screen window is not closed by the window manager's keys: Esc and ~ leave.
    if (watched == host_ && event->type() == QEvent::Close) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kravelo
