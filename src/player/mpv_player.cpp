#include "player/mpv_player.h"

#include <mpv/client.h>
#include <mpv/render_gl.h>

#include <QActionGroup>
#include <QApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <algorithm>
#include <clocale>
#include <cmath>

namespace kravelo {

// The picture: mpv draws each frame into the widget's framebuffer. The render context lives
// with the widget's GL context: it is freed when that goes (re-parenting to full screen makes a
// new one) and made again in the next initializeGL.
class MpvVideoWidget : public QOpenGLWidget {
  public:
    MpvVideoWidget(MpvPlayer* player, mpv_handle* mpv) : player_(player), mpv_(mpv) {
        setObjectName("MediaPlayerNew1");
        setFocusPolicy(Qt::StrongFocus);
    }
    ~MpvVideoWidget() override {
        // The GL context outlives this part of the widget: stop it calling back here.
        disconnect(contextGone_);
        makeCurrent();
        FreeRenderContext();
        doneCurrent();
    }

  protected:
    void initializeGL() override {
        if (render_ || !mpv_) return;
        mpv_opengl_init_params gl{&MpvVideoWidget::ProcAddress, nullptr};
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
            {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        if (mpv_render_context_create(&render_, mpv_, params) < 0) {
            render_ = nullptr;
            return;
        }
        mpv_render_context_set_update_callback(render_, &MpvVideoWidget::OnUpdate, this);
        disconnect(contextGone_);
        contextGone_ = connect(
            context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] { FreeRenderContext(); },
            Qt::DirectConnection);
        // A movie loaded while there was no render context has lost its picture: select the
        // video track again now that it can be drawn.
        if (player_->OpenState()) {
            mpv_set_property_string(mpv_, "vid", "no");
            mpv_set_property_string(mpv_, "vid", "auto");
        }
    }

    void paintGL() override {
        QOpenGLFunctions* f = context()->functions();
        f->glClearColor(0, 0, 0, 1);
        f->glClear(GL_COLOR_BUFFER_BIT);
        if (!render_) return;
        const qreal dpr = devicePixelRatioF();
        mpv_opengl_fbo fbo{static_cast<int>(defaultFramebufferObject()), static_cast<int>(width() * dpr),
                           static_cast<int>(height() * dpr), 0};
        int flip = 1;
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
            {MPV_RENDER_PARAM_FLIP_Y, &flip},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        mpv_render_context_render(render_, params);
    }

    bool event(QEvent* e) override {
        if (player_->ForwardInputEvent(e)) return true;
        return QOpenGLWidget::event(e);
    }

  private:
    static void* ProcAddress(void*, const char* name) {
        QOpenGLContext* c = QOpenGLContext::currentContext();
        return c ? reinterpret_cast<void*>(c->getProcAddress(name)) : nullptr;
    }
    // Called on an mpv thread: only queue a repaint.
    static void OnUpdate(void* self) {
        auto* w = static_cast<MpvVideoWidget*>(self);
        QMetaObject::invokeMethod(
            w, [w] { w->update(); }, Qt::QueuedConnection);
    }
    void FreeRenderContext() {
        if (render_) mpv_render_context_free(render_);
        render_ = nullptr;
    }

    MpvPlayer* player_;
    mpv_handle* mpv_;
    mpv_render_context* render_ = nullptr;
    QMetaObject::Connection contextGone_;
};

namespace {

void OnWakeup(void* self) {
    auto* p = static_cast<MpvPlayer*>(self);
    QMetaObject::invokeMethod(
        p, [p] { p->DrainEvents(); }, Qt::QueuedConnection);
}

}  // namespace

MpvPlayer::MpvPlayer(QObject* parent) : MpvPlayer(Options{}, parent) {}

MpvPlayer::MpvPlayer(const Options& options, QObject* parent) : MediaPlayer(parent), options_(options) {
    // mpv refuses to start under a numeric locale other than exactly "C".
    std::setlocale(LC_NUMERIC, "C");
    mpv_ = mpv_create();
    if (!mpv_) {
        error_ = "The movie player (libmpv) could not be started.";
        return;
    }
    const bool null = options_.nullOutput;
    mpv_set_option_string(mpv_, "vo", null ? "null" : "libmpv");
    if (null || options_.silent) mpv_set_option_string(mpv_, "ao", "null");
    mpv_set_option_string(mpv_, "keep-open", "yes");
    mpv_set_option_string(mpv_, "input-default-bindings", "no");
    mpv_set_option_string(mpv_, "input-vo-keyboard", "no");
    mpv_set_option_string(mpv_, "osd-level", "0");
    mpv_set_option_string(mpv_, "sid", "no");
    mpv_set_option_string(mpv_, "hr-seek", "yes");
    mpv_set_option_string(mpv_, "idle", "yes");
    mpv_set_option_string(mpv_, "terminal", "no");
    if (mpv_initialize(mpv_) < 0) {
        mpv_terminate_destroy(mpv_);
        mpv_ = nullptr;
        error_ = "The movie player (libmpv) could not be started.";
        return;
    }
    mpv_observe_property(mpv_, 0, "pause", MPV_FORMAT_FLAG);
    mpv_observe_property(mpv_, 0, "eof-reached", MPV_FORMAT_FLAG);
    mpv_observe_property(mpv_, 0, "time-pos", MPV_FORMAT_DOUBLE);
    mpv_observe_property(mpv_, 0, "duration", MPV_FORMAT_DOUBLE);
    mpv_observe_property(mpv_, 0, "idle-active", MPV_FORMAT_FLAG);
    SetVolumeLevel(volume_);
    mpv_set_wakeup_callback(mpv_, &OnWakeup, this);
}

MpvPlayer::~MpvPlayer() {
    if (mpv_) mpv_set_wakeup_callback(mpv_, nullptr, nullptr);
    // The render context goes with the widget, and must go before the mpv handle.
    delete widget_;
    if (mpv_) mpv_terminate_destroy(mpv_);
}

QWidget* MpvPlayer::VideoWidget() {
    if (!widget_) widget_ = new MpvVideoWidget(this, options_.nullOutput ? nullptr : mpv_);
    return widget_;
}

void MpvPlayer::SetFileName(const QString& path) {
    if (!mpv_) return;
    fileName_ = path;
    pendingSeek_.reset();
    eof_ = false;
    if (path.isEmpty()) {
        const char* cmd[] = {"stop", nullptr};
        mpv_command(mpv_, cmd);
        loaded_ = false;
        SetState(kPlayStopped);
        return;
    }
    if (!QFileInfo(path).isFile()) {
        // mpv would read a folder as a playlist; only files are movies here.
        const char* cmd[] = {"stop", nullptr};
        mpv_command(mpv_, cmd);
        loaded_ = false;
        SetState(kPlayStopped);
        error_ = QStringLiteral("Cannot open \"%1\": the file does not exist.").arg(path);
        return;
    }

    mpv_set_property_string(mpv_, "pause", autoStart_ ? "no" : "yes");
    loaded_ = false;
    loadStarted_ = false;
    loadDone_ = false;
    error_.clear();
    const QByteArray file = path.toUtf8();
    const char* cmd[] = {"loadfile", file.constData(), "replace", nullptr};
    const int rc = mpv_command(mpv_, cmd);
    if (rc < 0) {
        error_ = QStringLiteral("Cannot open \"%1\": %2.").arg(path, QString::fromUtf8(mpv_error_string(rc)));
        SetState(kPlayStopped);
        return;
    }
    // Wait here until mpv has opened the file or given up: the caller reads the movie's
    // length and size next.
    QDeadlineTimer deadline(options_.openTimeoutMs);
    while (!loadDone_ && !deadline.hasExpired()) {
        const mpv_event* e = mpv_wait_event(mpv_, std::max<qint64>(1, deadline.remainingTime()) / 1000.0);
        if (e->event_id != MPV_EVENT_NONE) HandleEvent(*e);
    }
    if (!loadDone_) {
        const char* stop[] = {"stop", nullptr};
        mpv_command(mpv_, stop);
        loaded_ = false;
        error_ = QStringLiteral("Cannot open \"%1\": the movie player did not answer in time.").arg(path);
    }
    if (!loaded_ && error_.isEmpty())
        error_ = QStringLiteral("Cannot open \"%1\": not a movie the player can play.").arg(path);
    SetState(loaded_ && autoStart_ ? kPlayPlaying : kPlayStopped);
}

void MpvPlayer::DrainEvents() {
    if (!mpv_) return;
    for (;;) {
        const mpv_event* e = mpv_wait_event(mpv_, 0);
        if (e->event_id == MPV_EVENT_NONE) break;
        HandleEvent(*e);
    }
}

void MpvPlayer::HandleEvent(const mpv_event& e) {
    switch (e.event_id) {
        case MPV_EVENT_START_FILE:
            loadStarted_ = true;
            break;
        case MPV_EVENT_FILE_LOADED:
            loaded_ = true;
            eof_ = false;
            if (loadStarted_) loadDone_ = true;
            break;
        case MPV_EVENT_END_FILE: {
            const auto* end = static_cast<const mpv_event_end_file*>(e.data);
            if (!loadStarted_) break;  // the previous file going away
            loaded_ = false;
            pendingSeek_.reset();
            if (end && end->reason == MPV_END_FILE_REASON_ERROR)
                error_ = QStringLiteral("Cannot open \"%1\": %2.")
                             .arg(fileName_, QString::fromUtf8(mpv_error_string(end->error)));
            loadDone_ = true;
            SetState(kPlayStopped);
            break;
        }
        case MPV_EVENT_PLAYBACK_RESTART:
            pendingSeek_.reset();
            break;
        case MPV_EVENT_PROPERTY_CHANGE: {
            const auto* p = static_cast<const mpv_event_property*>(e.data);
            if (!p || p->format != MPV_FORMAT_FLAG || !p->data) break;
            const bool on = *static_cast<const int*>(p->data) != 0;
            const QByteArray name(p->name);
            if (name == "eof-reached") {
                if (on && !eof_ && loaded_) {
                    eof_ = true;
                    SetState(kPlayStopped);
                    emit EndOfStream();
                } else if (!on) {
                    eof_ = false;
                }
            } else if (name == "pause" && loaded_) {
                if (!on)
                    SetState(kPlayPlaying);
                else if (state_ == kPlayPlaying)
                    SetState(eof_ ? kPlayStopped : kPlayPaused);
            }
            break;
        }
        default:
            break;
    }
}

double MpvPlayer::Duration() const {
    if (!mpv_ || !loaded_) return 0.0;
    if (displayMode_ == kDisplayFrames) {
        int64_t frames = 0;
        if (mpv_get_property(mpv_, "estimated-frame-count", MPV_FORMAT_INT64, &frames) < 0) return 0.0;
        return static_cast<double>(frames);
    }
    double seconds = 0.0;
    if (mpv_get_property(mpv_, "duration", MPV_FORMAT_DOUBLE, &seconds) < 0) return 0.0;
    return seconds;
}

double MpvPlayer::ReportedPosition() const {
    double t = 0.0;
    if (!mpv_ || !loaded_ || mpv_get_property(mpv_, "time-pos", MPV_FORMAT_DOUBLE, &t) < 0) return 0.0;
    return t;
}

double MpvPlayer::CurrentPosition() const {
    // Until a seek has landed mpv still reports the old position; the display must already see
    // the new one when it resynchronises.
    if (pendingSeek_) return *pendingSeek_;
    return ReportedPosition();
}

void MpvPlayer::SetCurrentPosition(double seconds) {
    if (!mpv_ || !loaded_ || std::isnan(seconds)) return;
    const double old = CurrentPosition();
    // A negative absolute seek would count from the end of the movie.
    double target = std::max(0.0, seconds);
    const double length = [&] {
        double d = 0.0;
        return mpv_get_property(mpv_, "duration", MPV_FORMAT_DOUBLE, &d) < 0 ? 0.0 : d;
    }();
    if (length > 0.0) target = std::min(target, length);
    const QByteArray t = QByteArray::number(target, 'f', 6);
    const char* cmd[] = {"seek", t.constData(), "absolute+exact", nullptr};
    if (mpv_command(mpv_, cmd) < 0) return;
    pendingSeek_ = target;
    emit PositionChange(old, target);
}

bool MpvPlayer::WaitForSeek(int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (pendingSeek_ && mpv_ && !deadline.hasExpired()) {
        const mpv_event* e = mpv_wait_event(mpv_, std::max<qint64>(1, deadline.remainingTime()) / 1000.0);
        if (e->event_id != MPV_EVENT_NONE) HandleEvent(*e);
    }
    return !pendingSeek_;
}

void MpvPlayer::Play() {
    if (!mpv_ || !loaded_) return;
    if (eof_) {
        // At the end, playing starts again from the beginning.
        const char* cmd[] = {"seek", "0", "absolute+exact", nullptr};
        mpv_command(mpv_, cmd);
        eof_ = false;
    }
    int no = 0;
    mpv_set_property(mpv_, "pause", MPV_FORMAT_FLAG, &no);
    SetState(kPlayPlaying);
}

void MpvPlayer::Pause() {
    if (!mpv_ || !loaded_) return;
    int yes = 1;
    mpv_set_property(mpv_, "pause", MPV_FORMAT_FLAG, &yes);
    SetState(kPlayPaused);
}

void MpvPlayer::Stop() {
    if (!mpv_ || !loaded_) return;
    int yes = 1;
    mpv_set_property(mpv_, "pause", MPV_FORMAT_FLAG, &yes);
    SetState(kPlayStopped);
}

int MpvPlayer::ImageSourceWidth() const {
    int64_t w = 0;
    if (!mpv_ || !loaded_ || mpv_get_property(mpv_, "width", MPV_FORMAT_INT64, &w) < 0) return 0;
    return static_cast<int>(w);
}

int MpvPlayer::ImageSourceHeight() const {
    int64_t h = 0;
    if (!mpv_ || !loaded_ || mpv_get_property(mpv_, "height", MPV_FORMAT_INT64, &h) < 0) return 0;
    return static_cast<int>(h);
}

double MpvPlayer::NominalFrameRate() const {
    double fps = 0.0;
    if (!mpv_ || !loaded_ || mpv_get_property(mpv_, "container-fps", MPV_FORMAT_DOUBLE, &fps) < 0) return 0.0;
    return fps > 0.0 ? fps : 0.0;
}

int MpvPlayer::AudioStreamIndex() const {
    int64_t index = -1;
    int external = 0;  // a track from another file has no index in the movie
    if (!mpv_ || !loaded_ || mpv_get_property(mpv_, "current-tracks/audio/ff-index", MPV_FORMAT_INT64, &index) < 0 ||
        mpv_get_property(mpv_, "current-tracks/audio/external", MPV_FORMAT_FLAG, &external) < 0 || external)
        return -1;
    return static_cast<int>(index);
}

void MpvPlayer::SetVolumeLevel(int level) {
    volume_ = std::clamp(level, 0, 255);
    if (!mpv_) return;
    double v = volume_ * 100.0 / 255.0;
    mpv_set_property(mpv_, "volume", MPV_FORMAT_DOUBLE, &v);
}

QString MpvPlayer::PropertyText(const char* name) const {
    char* s = mpv_ ? mpv_get_property_string(mpv_, name) : nullptr;
    if (!s) return QStringLiteral("-");
    QString text = QString::fromUtf8(s);
    mpv_free(s);
    return text;
}

void MpvPlayer::ShowProperties() {
    QMessageBox::information(widget_ ? widget_->window() : nullptr, QFileInfo(fileName_).fileName(),
                             PropertiesText());
}

QString MpvPlayer::PropertiesText() const {
    return
        QStringLiteral(
            "%1\n\nFormat: %2\nVideo: %3, %4 x %5, %6 fps\nAudio: %7\nLength: %8 s\nSize: %9 bytes")
            .arg(fileName_, PropertyText("file-format"), PropertyText("video-codec"), PropertyText("width"),
                 PropertyText("height"), PropertyText("container-fps"), PropertyText("audio-codec"),
                 PropertyText("duration"), PropertyText("file-size"));
}

void MpvPlayer::ShowDialog(int dialog) {
    if (dialog != kContextMenuDialog || !EnableContextMenu() || !mpv_) return;
    QMenu menu(widget_);
    menu.setObjectName("PlayerContextMenu");
    menu.addAction(QStringLiteral("Odtwarzaj"), this, &MpvPlayer::Play)->setEnabled(loaded_);
    menu.addAction(QStringLiteral("Pauza"), this, &MpvPlayer::Pause)->setEnabled(loaded_);
    menu.addAction(QStringLiteral("Stop"), this, &MpvPlayer::Stop)->setEnabled(loaded_);
    // The audio tracks of the movie, the current one checked.
    QMenu* audio = menu.addMenu(QStringLiteral("Ścieżka dźwiękowa"));
    auto* group = new QActionGroup(audio);
    int64_t count = 0;
    mpv_get_property(mpv_, "track-list/count", MPV_FORMAT_INT64, &count);
    for (int64_t i = 0; i < count; ++i) {
        const QByteArray base = "track-list/" + QByteArray::number(static_cast<qlonglong>(i)) + "/";
        if (PropertyText((base + "type").constData()) != "audio") continue;
        const QString id = PropertyText((base + "id").constData());
        QString label = "#" + id;
        for (const char* key : {"lang", "title"}) {
            const QString v = PropertyText((base + key).constData());
            if (v != "-") label += " " + v;
        }
        QAction* a = audio->addAction(label);
        a->setCheckable(true);
        a->setChecked(PropertyText((base + "selected").constData()) == "yes");
        group->addAction(a);
        connect(a, &QAction::triggered, this,
                [this, id] { mpv_set_property_string(mpv_, "aid", id.toUtf8().constData()); });
    }
    audio->setEnabled(!audio->isEmpty());
    menu.addSeparator();
    menu.addAction(QStringLiteral("Właściwości..."), this, &MpvPlayer::ShowProperties)->setEnabled(loaded_);
    menu.exec(QCursor::pos());
}

void MpvPlayer::SetState(int state) {
    if (state == state_) return;
    state_ = state;
    emit PlayStateChange(state);
}

}  // namespace kravelo
