#include "player/control_panel.h"

#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace kravelo {

namespace {

constexpr int kWidth = 636;
constexpr int kHeight = 95;

QLabel* PanelLabel(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(0xE8, 0xE8, 0xE8));
    l->setPalette(p);
    return l;
}

TKvTrackBar* Bar(QWidget* parent, const char* name, int min, int max, int pos, int width) {
    auto* b = new TKvTrackBar(parent);
    b->setObjectName(name);
    b->setHeight(14);
    b->setWidth(width);
    b->setTrackerWidth(10);
    b->setMinValue(min);
    b->setMaxValue(max);
    b->setPos(pos);
    return b;
}

}  // namespace

QToolButton* TFormControlPanel::Button(const char* name, int icon, const QString& hint, bool checkable) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)));
    b->setToolTip(hint);
    b->setCheckable(checkable);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->resize(24, 22);
    return b;
}

TFormControlPanel::TFormControlPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FormControlPanel"));
    setWindowTitle(QStringLiteral("Panel kontrolny"));
    resize(kWidth, kHeight);
    setFocusPolicy(Qt::NoFocus);

    // The background: a skin picture, or a dark plate without one.
    ImageBackground = new QLabel(this);
    ImageBackground->setObjectName(QStringLiteral("ImageBackground"));
    ImageBackground->setGeometry(0, 0, kWidth, kHeight);
    ImageBackground->setAutoFillBackground(true);
    ImageBackground->setFrameShape(QFrame::Box);
    QPalette bg = ImageBackground->palette();
    bg.setColor(QPalette::Window, QColor(0x28, 0x2C, 0x34));
    bg.setColor(QPalette::WindowText, QColor(0x70, 0x78, 0x88));
    ImageBackground->setPalette(bg);
    ImageBackground->installEventFilter(this);

    ImageLogo = new QLabel(this);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ImageLogo->setPixmap(style()->standardIcon(QStyle::SP_MediaPlay).pixmap(28, 28));
    ImageLogo->setGeometry(8, 6, 28, 28);
    LabelFileName = PanelLabel(this, "LabelFileName", QString());
    LabelFileName->setGeometry(44, 4, 400, 16);
    LabelVRes = PanelLabel(this, "LabelVRes", QString());
    LabelVRes->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelVRes->setGeometry(450, 4, 150, 16);
    LabelCurrent = PanelLabel(this, "LabelCurrent", QStringLiteral("0:00:00"));
    LabelCurrent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelCurrent->setGeometry(470, 22, 70, 16);
    Label1 = PanelLabel(this, "Label1", QStringLiteral("/"));
    Label1->setGeometry(544, 22, 8, 16);
    LabelDuration = PanelLabel(this, "LabelDuration", QStringLiteral("0:00:00"));
    LabelDuration->setGeometry(554, 22, 72, 16);
    for (QLabel* l : {LabelFileName, LabelVRes, LabelCurrent, Label1, LabelDuration}) l->installEventFilter(this);

    KvTrackBar1 = Bar(this, "KvTrackBar1", 0, 100, 0, 420);
    KvTrackBar1->setTrackerWidth(22);
    KvTrackBar1->move(44, 24);

    SpeedButtonTimeBack = Button("SpeedButtonTimeBack", QStyle::SP_MediaSeekBackward,
                                 QStringLiteral("5 s wstecz (Strzałka w lewo)"), false);
    SpeedButtonStop = Button("SpeedButtonStop", QStyle::SP_MediaStop, QStringLiteral("Stop"), true);
    SpeedButtonPause = Button("SpeedButtonPause", QStyle::SP_MediaPause, QStringLiteral("Pauza (Spacja)"), true);
    SpeedButtonPlay = Button("SpeedButtonPlay", QStyle::SP_MediaPlay, QStringLiteral("Odtwarzaj (Spacja)"), true);
    SpeedButtonFFwd = Button("SpeedButtonFFwd", QStyle::SP_MediaSeekForward,
                             QStringLiteral("5 s do przodu (Strzałka w prawo)"), false);
    SpeedButtonFullScreen = Button("SpeedButtonFullScreen", QStyle::SP_TitleBarNormalButton,
                                   QStringLiteral("Trub okienkowy (2xEsc)"), true);
    SpeedButtonShowSubTit = Button("SpeedButtonShowSubTit", QStyle::SP_FileDialogListView,
                                   QStringLiteral("Wyświetlaj napisy (N)"), true);
    SpeedButtonProgress = Button("SpeedButtonProgress", QStyle::SP_FileDialogInfoView,
                                 QStringLiteral("Sposób wyświetlania paska postępu (T)"), true);
    SpeedButtonRepeat = Button("SpeedButtonRepeat", QStyle::SP_BrowserReload,
                               QStringLiteral("Powtarzaj odtwarzanie (R)"), true);
    SpeedButtonShDown = Button("SpeedButtonShDown", QStyle::SP_BrowserStop,
                               QStringLiteral("Wyłącz komputer po zakończeniu filmu"), true);
    SpeedButtonChapters = Button("SpeedButtonChapters", QStyle::SP_FileDialogContentsView,
                                 QStringLiteral("Rozdziały (Z)"), false);
    SpeedButtonCPHide = Button("SpeedButtonCPHide", QStyle::SP_DialogCloseButton,
                               QStringLiteral("Wyjście z programu (~)"), false);
    SpeedButtonClose = Button("SpeedButtonClose", QStyle::SP_TitleBarCloseButton, QString(), false);
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (QToolButton* b : {SpeedButtonStop, SpeedButtonPause, SpeedButtonPlay}) group->addButton(b);
    SpeedButtonStop->setChecked(true);

    int x = 8;
    const int row = 44;
    for (QToolButton* b : {SpeedButtonTimeBack, SpeedButtonStop, SpeedButtonPause, SpeedButtonPlay, SpeedButtonFFwd}) {
        b->move(x, row);
        x += 25;
    }
    x += 8;
    for (QToolButton* b : {SpeedButtonFullScreen, SpeedButtonShowSubTit, SpeedButtonProgress, SpeedButtonRepeat,
                           SpeedButtonShDown, SpeedButtonChapters}) {
        b->move(x, row);
        x += 25;
    }
    SpeedButtonCPHide->move(kWidth - 58, row);
    SpeedButtonClose->move(kWidth - 32, 2);
    SpeedButtonClose->resize(22, 18);

    // Volume, zoom and font size in one row under the buttons.
    KvTrackBarVolume = Bar(this, "KvTrackBarVolume", 0, 255, 100, 120);
    KvTrackBarZoom = Bar(this, "KvTrackBarZoom", 0, 100, 50, 120);
    KvTrackBarFont = Bar(this, "KvTrackBarFont", 10, 48, 28, 120);
    auto* volumeIcon = new QLabel(this);
    volumeIcon->setObjectName(QStringLiteral("ImageVolume"));
    volumeIcon->setPixmap(style()->standardIcon(QStyle::SP_MediaVolume).pixmap(14, 14));
    volumeIcon->setGeometry(8, 73, 14, 14);
    KvTrackBarVolume->move(26, 73);
    auto* zoomLabel = PanelLabel(this, "LabelZoomBar", QStringLiteral("Zoom"));
    zoomLabel->setGeometry(160, 72, 46, 16);
    KvTrackBarZoom->move(206, 73);
    auto* fontLabel = PanelLabel(this, "LabelFontBar", QStringLiteral("Czcionka"));
    fontLabel->setGeometry(340, 72, 60, 16);
    KvTrackBarFont->move(400, 73);

    connect(SpeedButtonPlay, &QToolButton::clicked, this, &TFormControlPanel::PlayClicked);
    connect(SpeedButtonPause, &QToolButton::clicked, this, &TFormControlPanel::PauseClicked);
    connect(SpeedButtonStop, &QToolButton::clicked, this, &TFormControlPanel::StopClicked);
    connect(SpeedButtonTimeBack, &QToolButton::clicked, this, &TFormControlPanel::TimeBackClicked);
    connect(SpeedButtonFFwd, &QToolButton::clicked, this, &TFormControlPanel::ForwardClicked);
    connect(SpeedButtonFullScreen, &QToolButton::clicked, this, &TFormControlPanel::FullScreenOffClicked);
    connect(SpeedButtonShowSubTit, &QToolButton::clicked, this, &TFormControlPanel::ShowSubtitlesClicked);
    connect(SpeedButtonCPHide, &QToolButton::clicked, this, &TFormControlPanel::ExitClicked);
    connect(SpeedButtonProgress, &QToolButton::clicked, this, &TFormControlPanel::ProgressClicked);
    connect(SpeedButtonShDown, &QToolButton::clicked, this, &TFormControlPanel::ShutDownClicked);
    connect(SpeedButtonRepeat, &QToolButton::clicked, this, &TFormControlPanel::RepeatClicked);
    connect(SpeedButtonChapters, &QToolButton::clicked, this, &TFormControlPanel::ChaptersRequested);
    connect(SpeedButtonClose, &QToolButton::clicked, this, &TFormControlPanel::CloseClicked);
    KvTrackBar1->OnPositionChange = [this](TKvTrackBar& b) { emit PositionMoved(b.Position()); };
    KvTrackBarVolume->OnPositionChange = [this](TKvTrackBar& b) { emit VolumeMoved(b.Position()); };
    KvTrackBarZoom->OnPositionChange = [this](TKvTrackBar& b) { emit ZoomMoved(b.Position()); };
    KvTrackBarFont->OnPositionChange = [this](TKvTrackBar& b) { emit FontMoved(b.Position()); };

    TimerWlaczNapisy = new QTimer(this);
    TimerWlaczNapisy->setObjectName(QStringLiteral("TimerWlaczNapisy"));
    TimerWlaczNapisy->setSingleShot(true);
    TimerWlaczNapisy->setInterval(1300);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    const std::pair<const char*, const char*> items[] = {
        {"Skoczdo1", "&Skocz do..."}, {"Rozdzialy1", "Rozdziały"}, {"Dodajrozdzia1", "Dodaj rozdział"},
        {"-", ""}, {"Waciwoci1", "&Właściwości"}, {"Przezroczystenapisy1", "Przezroczyste napisy"}, {"-", ""},
        {"Zamknij1", "&Zamknij program"}, {"-", ""}, {"Oprogramie1", "&Informacje o programie..."}};
    for (const auto& [name, caption] : items) {
        if (name[0] == '-') {
            PopupMenu->addSeparator();
            continue;
        }
        QAction* a = PopupMenu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QLatin1String(name));
    }
    MenuItem("Skoczdo1")->setShortcut(QKeySequence(Qt::Key_K));
    MenuItem("Rozdzialy1")->setShortcut(QKeySequence(Qt::Key_Z));
    MenuItem("Dodajrozdzia1")->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Z));
    MenuItem("Zamknij1")->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    MenuItem("Przezroczystenapisy1")->setCheckable(true);
    for (QAction* a : PopupMenu->actions()) a->setShortcutContext(Qt::WidgetShortcut);
    connect(MenuItem("Rozdzialy1"), &QAction::triggered, this, &TFormControlPanel::ChaptersRequested);
    connect(MenuItem("Dodajrozdzia1"), &QAction::triggered, this, &TFormControlPanel::AddChapterRequested);
    hide();
}

QAction* TFormControlPanel::MenuItem(const char* name) const {
    return PopupMenu->findChild<QAction*>(QLatin1String(name));
}

void TFormControlPanel::ShowPlayState(int state) {
    (state == 2 ? SpeedButtonPlay : state == 1 ? SpeedButtonPause : SpeedButtonStop)->setChecked(true);
}

void TFormControlPanel::PlaceAtTop(int parentWidth) { move(std::max(109, (parentWidth - width()) / 2), 0); }

void TFormControlPanel::contextMenuEvent(QContextMenuEvent* event) { PopupMenu->popup(event->globalPos()); }

void TFormControlPanel::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit Hidden();
}

// Dragged by the background and the labels; an edge within 11 px of the parent's edge snaps.
void TFormControlPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    dragOffset_ = event->position().toPoint();
    emit DragStarted();
}

void TFormControlPanel::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !parentWidget()) return;
    QPoint p = mapToParent(event->position().toPoint()) - dragOffset_;
    const int right = parentWidget()->width() - width();
    const int bottom = parentWidget()->height() - height();
    if (std::abs(p.x()) < 11) p.setX(0);
    if (std::abs(p.y()) < 11) p.setY(0);
    if (std::abs(p.x() - right) < 11) p.setX(right);
    if (std::abs(p.y() - bottom) < 11) p.setY(bottom);
    move(p);
}

void TFormControlPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    dragging_ = false;
    emit DragFinished();
}

bool TFormControlPanel::eventFilter(QObject* watched, QEvent* event) {
    // The labels and the background pass their mouse to the panel for dragging.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove ||
        event->type() == QEvent::MouseButtonRelease) {
        auto* e = static_cast<QMouseEvent*>(event);
        auto* w = static_cast<QWidget*>(watched);
        QMouseEvent mapped(e->type(), w->mapTo(this, e->position().toPoint()), e->globalPosition(), e->button(),
                           e->buttons(), e->modifiers());
        if (event->type() == QEvent::MouseButtonPress) mousePressEvent(&mapped);
        else if (event->type() == QEvent::MouseMove) mouseMoveEvent(&mapped);
        else mouseReleaseEvent(&mapped);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kravelo
