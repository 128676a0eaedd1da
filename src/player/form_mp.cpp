#include "player/form_mp.h"

#include <QButtonGroup>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace kravelo {

namespace {

constexpr int kControlHeight = 40;
constexpr int kPanelTopHeight = 40;
constexpr int kPanelBottomHeight = 43;

QWidget* BlackPanel(QWidget* parent, const char* name) {
    auto* w = new QWidget(parent);
    w->setObjectName(name);
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, Qt::black);
    w->setPalette(p);
    return w;
}

// The program's logo, drawn rather than shipped as a bitmap.
QPixmap LogoPixmap() {
    QPixmap pix(260, 70);
    pix.fill(Qt::black);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 2));
    p.drawRoundedRect(QRectF(2, 8, 54, 54), 6, 6);
    QPolygonF play;
    play << QPointF(20, 20) << QPointF(44, 35) << QPointF(20, 50);
    p.setBrush(QColor(0xE0, 0xA0, 0x20));
    p.setPen(Qt::NoPen);
    p.drawPolygon(play);
    QFont f("DejaVu Sans", 30, QFont::Bold);
    p.setFont(f);
    p.setPen(QColor(0xD0, 0xD0, 0xD0));
    p.drawText(QRect(66, 0, 194, 70), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Kravelo"));
    return pix;
}

QToolButton* StripButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                         const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolTip(hint);
    b->setCheckable(true);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

}  // namespace

TFormMP::TFormMP(MediaPlayer* player, QWidget* parent) : QWidget(parent), player_(player) {
    // The name of its section in the language files.
    setObjectName("FormMP");
    setAcceptDrops(true);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    TimerNapisyToFront = new QTimer(this);
    TimerNapisyToFront->setObjectName("TimerNapisyToFront");
    TimerNapisyToFront->setSingleShot(true);
    TimerNapisyToFront->setInterval(200);
    connect(TimerNapisyToFront, &QTimer::timeout, this, &TFormMP::BringSubtitlesToFront);

    MediaPlayerNew1 = player_->VideoWidget();
    MediaPlayerNew1->setParent(this);
    MediaPlayerNew1->show();

    PanelTop = BlackPanel(this, "PanelTop");
    PanelTop->hide();
    PanelBottom = BlackPanel(this, "PanelBottom");
    PanelBottom->hide();

    PanelKraveloLogo = BlackPanel(this, "PanelKraveloLogo");
    ImageKraveloLogo = new QLabel(PanelKraveloLogo);
    ImageKraveloLogo->setObjectName("ImageKraveloLogo");
    ImageKraveloLogo->setPixmap(LogoPixmap());
    ImageKraveloLogo->adjustSize();

    PanelControl = new QWidget(this);
    PanelControl->setObjectName("PanelControl");
    ImageControl = new QLabel(PanelControl);
    ImageControl->setObjectName("ImageControl");
    ImageControl->setScaledContents(false);
    ImageControl->setAutoFillBackground(true);
    QPalette cp = ImageControl->palette();
    cp.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    ImageControl->setPalette(cp);
    Shape1 = new QWidget(PanelControl);
    Shape1->setObjectName("Shape1");
    Shape1->setAutoFillBackground(true);
    QPalette sp = Shape1->palette();
    sp.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));  // silver
    Shape1->setPalette(sp);

    SpeedButtonPlay =
        StripButton(PanelControl, "SpeedButtonPlay", QStyle::SP_MediaPlay, "Odtwarzaj (Spacja)");
    SpeedButtonPause = StripButton(PanelControl, "SpeedButtonPause", QStyle::SP_MediaPause, "Pauza (Spacja)");
    SpeedButtonStop = StripButton(PanelControl, "SpeedButtonStop", QStyle::SP_MediaStop, "Stop");
    SpeedButtonRepeat = StripButton(PanelControl, "SpeedButtonRepeat", QStyle::SP_BrowserReload, "Repeat");
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    group->addButton(SpeedButtonPlay);
    group->addButton(SpeedButtonPause);
    group->addButton(SpeedButtonStop);
    SpeedButtonStop->setChecked(true);
    connect(SpeedButtonPlay, &QToolButton::clicked, this, &TFormMP::SpeedButtonPlayClick);
    connect(SpeedButtonPause, &QToolButton::clicked, this, &TFormMP::SpeedButtonPauseClick);
    connect(SpeedButtonStop, &QToolButton::clicked, this, &TFormMP::SpeedButtonStopClick);
    connect(SpeedButtonRepeat, &QToolButton::clicked, this, &TFormMP::SpeedButtonRepeatClick);

    KvTrackBarTrack = new TKvTrackBar(PanelControl);
    KvTrackBarTrack->setObjectName("KvTrackBarTrack");
    KvTrackBarTrack->setHeight(14);
    KvTrackBarTrack->setTrackerWidth(22);
    KvTrackBarTrack->move(4, 4);
    KvTrackBarTrack->OnPositionChange = [this](TKvTrackBar& bar) {
        // The bar counts deciseconds.
        player_->SetCurrentPosition(bar.Position() * 0.1);
        RestartToFrontTimer();
    };

    ImageVolume = new QLabel(PanelControl);
    ImageVolume->setObjectName("ImageVolume");
    ImageVolume->setPixmap(style()->standardIcon(QStyle::SP_MediaVolume).pixmap(16, 16));
    ImageVolume->resize(16, 16);

    KvTrackBarVolume = new TKvTrackBar(PanelControl);
    KvTrackBarVolume->setObjectName("KvTrackBarVolume");
    KvTrackBarVolume->AlwaysRaiseOnChangeEvent = true;
    KvTrackBarVolume->setHeight(14);
    KvTrackBarVolume->setWidth(80);
    KvTrackBarVolume->setTrackerWidth(10);
    KvTrackBarVolume->setMaxValue(255);
    KvTrackBarVolume->setMinValue(0);
    KvTrackBarVolume->OnPositionChange = [this](TKvTrackBar& bar) {
        player_->SetVolumeLevel(bar.Position());
        emit VolumeChanged(bar.Position());
        if (!fullScreen_) RestartToFrontTimer();
    };
    KvTrackBarVolume->setPos(100);

    Subtitles = new SubtitleWindows(this);
    Subtitles->ControlHeight = kControlHeight;
    connect(Subtitles, &SubtitleWindows::KeyPressed, this, &TFormMP::KeyPressed);

    // The picture's input.
    connect(player_, &MediaPlayer::KeyDown, this, &TFormMP::KeyPressed);
    connect(player_, &MediaPlayer::MouseDown, this, &TFormMP::PictureClicked);
    connect(player_, &MediaPlayer::DblClick, this, &TFormMP::PictureClicked);
    connect(player_, &MediaPlayer::Enter, this, &TFormMP::PictureClicked);
    connect(player_, &MediaPlayer::MouseUp, this,
            [this] { Subtitles->SetSubtitleWindowsVisible(Subtitles->SubtitlesVisible, TransparentMode); });
    connect(player_, &MediaPlayer::PlayStateChange, this, &TFormMP::ShowPlayState);
    for (QWidget* w : {PanelTop, PanelBottom, PanelControl, static_cast<QWidget*>(ImageControl)})
        w->installEventFilter(this);

    resize(320, 240 + kControlHeight);
    Relayout();
}

void TFormMP::Relayout() {
    const int w = width();
    const int h = height();
    const int control = fullScreen_ ? 0 : kControlHeight;
    PanelControl->setVisible(!fullScreen_);
    PanelControl->setGeometry(0, h - control, w, control);
    ImageControl->setGeometry(0, 0, w, control);
    Shape1->setGeometry(0, 0, w, 1);

    // The picture between the letterbox bars when they show.
    int top = 0;
    int bottom = h - control;
    const int bar = fullScreen_ ? std::min(letterbox_, std::max(0, (h - control) / 2)) : 0;
    const int topHeight = bar > 0 ? bar : kPanelTopHeight;
    const int bottomHeight = bar > 0 ? bar : kPanelBottomHeight;
    PanelTop->setVisible(bar > 0);
    PanelBottom->setVisible(bar > 0);
    PanelTop->setGeometry(0, 0, w, topHeight);
    PanelBottom->setGeometry(0, bottom - bottomHeight, w, bottomHeight);
    if (bar > 0) {
        top += topHeight;
        bottom -= bottomHeight;
    }
    MediaPlayerNew1->setGeometry(0, top, w, std::max(0, bottom - top));

    PanelKraveloLogo->setGeometry(0, 0, w, std::max(0, h - kControlHeight));
    ImageKraveloLogo->move((PanelKraveloLogo->width() - ImageKraveloLogo->width()) / 2,
                           (PanelKraveloLogo->height() - ImageKraveloLogo->height()) / 2);

    // Control strip: the position bar across the top, the buttons and the volume below.
    KvTrackBarTrack->setWidth(ImageControl->width() - 2 * KvTrackBarTrack->x());
    const int row = 20;
    int x = 4;
    for (QToolButton* b : {SpeedButtonPlay, SpeedButtonPause, SpeedButtonStop}) {
        b->setGeometry(x, row, 22, 18);
        x += 23;
    }
    SpeedButtonRepeat->setGeometry(x + 6, row, 22, 18);
    KvTrackBarVolume->move(w - 4 - KvTrackBarVolume->width(), row + 2);
    ImageVolume->move(KvTrackBarVolume->x() - ImageVolume->width() - 4, row + 1);

    Subtitles->FullScreen = fullScreen_;
    Subtitles->ControlHeight = control;
    Subtitles->PlaceSubtitleWindows(Subtitles->Elevation);
    BringSubtitlesToFront();
}

void TFormMP::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Relayout();
}

void TFormMP::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Relayout();
}

void TFormMP::SetLogoVisible(bool visible) {
    PanelKraveloLogo->setVisible(visible);
    if (visible) PanelKraveloLogo->raise();
    BringSubtitlesToFront();
}

void TFormMP::SetFullScreen(bool on) {
    fullScreen_ = on;
    Relayout();
}

void TFormMP::SetLetterbox(int height) {
    letterbox_ = std::max(0, height);
    Relayout();
}

void TFormMP::ApplySubtitleSettings(const SubtitleFont& fullScreen, const SubtitleFont& window, int elevation,
                                    int elevationFS) {
    Subtitles->LabelFS = fullScreen;
    Subtitles->LabelW = window;
    elevation_ = elevation;
    elevationFS_ = elevationFS;
    Subtitles->ApplySubtitleFonts(fullScreen_, SubtitleElevation(), TransparentMode);
}

void TFormMP::ShowPlayState(int state) {
    QToolButton* b = state == kPlayPlaying  ? SpeedButtonPlay
                     : state == kPlayPaused ? SpeedButtonPause
                                            : SpeedButtonStop;
    b->setChecked(true);
}

void TFormMP::BringSubtitlesToFront() {
    TimerNapisyToFront->stop();
    Subtitles->BringToFront();
}

void TFormMP::RestartToFrontTimer() {
    TimerNapisyToFront->start();
}

void TFormMP::PictureClicked() {
    BringSubtitlesToFront();
    if (!fullScreen_) emit ActivateMainWindow();
}

void TFormMP::SpeedButtonPlayClick() {
    // At the end, play starts again from the beginning.
    const int mode = player_->DisplayMode();
    player_->SetDisplayMode(kDisplayTime);
    if (player_->OpenState() && player_->CurrentPosition() == player_->Duration())
        player_->SetCurrentPosition(0.0);
    player_->SetDisplayMode(mode);
    player_->Play();
    ShowPlayState(player_->PlayState());
    RestartToFrontTimer();
}

void TFormMP::SpeedButtonPauseClick() {
    player_->Pause();
    ShowPlayState(player_->PlayState());
    RestartToFrontTimer();
}

void TFormMP::SpeedButtonStopClick() {
    player_->Stop();
    player_->SetCurrentPosition(0.0);
    ShowPlayState(player_->PlayState());
    RestartToFrontTimer();
}

void TFormMP::SpeedButtonRepeatClick() {
    emit RepeatClicked(SpeedButtonRepeat->isChecked());
    RestartToFrontTimer();
}

void TFormMP::keyPressEvent(QKeyEvent* event) {
    emit KeyPressed(event);
}

bool TFormMP::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        PictureClicked();
    return QWidget::eventFilter(watched, event);
}

void TFormMP::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TFormMP::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    if (!paths.isEmpty()) emit FilesDropped(paths);
    event->acceptProposedAction();
}

}  // namespace kravelo
