#include "player/subtitle_windows.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace kravelo {

namespace {

const QString kPaddedEmpty = QStringLiteral("  ");

// The painted rows of transparent mode, over the whole video window.
class SubtitleCanvas : public QWidget {
  public:
    struct Row {
        QString text;
        bool italic = false;
        int y = 0;
    };

    explicit SubtitleCanvas(QWidget* parent) : QWidget(parent) {
        setObjectName("ScreenCanvas");
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

    QFont font;
    int outline = 1;
    std::array<Row, 3> rows;

    void Clear() {
        rows = {};
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::TextAntialiasing);
        const int o = outline;
        const int b = o > 2 ? 1 : 0;
        const QPoint offsets[] = {{-o + b, -o + b}, {o - b, o - b}, {o - b, -o + b},
                                  {-o + b, o - b},  {-o, 0},        {o, 0}};
        for (const Row& row : rows) {
            if (row.text.trimmed().isEmpty()) continue;
            QFont f = font;
            f.setItalic(row.italic);
            p.setFont(f);
            const QFontMetrics fm(f);
            const int x = width() / 2 - fm.horizontalAdvance(row.text) / 2;
            const int y = row.y + fm.ascent();
            p.setPen(Qt::black);
            for (const QPoint& d : offsets) p.drawText(x + d.x(), y + d.y(), row.text);
            p.setPen(Qt::white);
            p.drawText(x, y, row.text);
        }
    }
};

SubtitleCanvas* CanvasOf(QWidget* w) {
    return static_cast<SubtitleCanvas*>(w);
}

// A lone "&" is doubled so that a label shows it; an existing "&&" stays (shown as one "&").
QString DoubleAmpersands(const QString& s) {
    QString out;
    out.reserve(s.size() + 8);
    for (qsizetype i = 0; i < s.size(); ++i) {
        out += s[i];
        if (s[i] != '&') continue;
        if (i + 1 < s.size() && s[i + 1] == '&')
            out += s[++i];
        else
            out += '&';
    }
    return out;
}

}  // namespace

QColor ColorFromColorRef(int colorRef) {
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

SubtitleFont MakeSubtitleFont(const QString& name, int pointSize, int colorRef, bool bold, bool italic,
                              bool underline, bool strikeOut) {
    SubtitleFont f;
    f.font = QFont(name);
    // A size the font cannot take (0 or less) keeps the face's default size.
    if (pointSize > 0) f.font.setPointSize(pointSize);
    f.font.setBold(bold);
    f.font.setItalic(italic);
    f.font.setUnderline(underline);
    f.font.setStrikeOut(strikeOut);
    f.color = ColorFromColorRef(colorRef);
    return f;
}

SubtitleRows SplitSubtitleText(const QString& text, bool transparent, bool italics) {
    const QString t = transparent ? text : DoubleAmpersands(text);
    SubtitleRows r;
    const qsizetype bar1 = t.indexOf('|');
    if (bar1 < 0) {
        r.text[0] = t;
    } else {
        r.text[0] = t.left(bar1);
        const qsizetype bar2 = t.indexOf('|', bar1 + 1);
        if (bar2 < 0) {
            r.text[1] = t.mid(bar1 + 1);
        } else {
            r.text[1] = t.mid(bar1 + 1, bar2 - bar1 - 1);
            r.text[2] = t.mid(bar2 + 1);  // further "|" stay in the bottom row
        }
    }
    // Bottom alignment: a one-row subtitle sits in window 3, a two-row one in windows 2 and 3.
    for (int pass = 0; pass < 2 && r.text[2].isEmpty(); ++pass) {
        r.text[2] = r.text[1];
        r.text[1] = pass == 0 ? r.text[0] : QString();
        if (pass == 0) r.text[0].clear();
    }
    if (italics) {
        for (int i = 0; i < 3; ++i) {
            QString& row = r.text[i];
            bool italic = false;
            if (row.startsWith('/')) {
                italic = true;
                row.remove(0, 1);
            }
            if (row.endsWith('/')) {
                italic = true;
                row.chop(1);
            }
            r.italic[i] = italic;
        }
    }
    return r;
}

// --- LabelNapis

SubtitleLabel::SubtitleLabel(QWidget* parent) : QWidget(parent) {
    setObjectName("LabelNapis");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont f("Arial");
    setFont(f);
    AutoSize();
}

void SubtitleLabel::setText(const QString& text) {
    text_ = text;
    AutoSize();
    update();
}

void SubtitleLabel::setColor(const QColor& color) {
    color_ = color;
    update();
}

void SubtitleLabel::setItalic(bool on) {
    QFont f = font();
    if (f.italic() == on) return;
    f.setItalic(on);
    setFont(f);
}

int SubtitleLabel::TextWidth() const {
    return QFontMetrics(font()).size(Qt::TextShowMnemonic | Qt::TextSingleLine, text_).width();
}

int SubtitleLabel::TextHeight() const {
    return QFontMetrics(font()).height();
}

void SubtitleLabel::AutoSize() {
    resize(TextWidth(), TextHeight());
}

void SubtitleLabel::changeEvent(QEvent* e) {
    if (e->type() == QEvent::FontChange) AutoSize();
    QWidget::changeEvent(e);
}

void SubtitleLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setPen(color_);
    p.setFont(font());
    p.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, text_);
}

// --- TFormNapis1..3

TFormNapis::TFormNapis(int number, QWidget* videoWindow) : QWidget(videoWindow) {
    setObjectName(QStringLiteral("TFormNapis%1").arg(number));
    setWindowTitle(QStringLiteral("Napis %1").arg(number));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setFocusPolicy(Qt::ClickFocus);
    LabelNapis = new SubtitleLabel(this);
    setGeometry(0, 0, 0, LabelNapis->height());
    show();
}

void TFormNapis::keyPressEvent(QKeyEvent* e) {
    // Keys typed on a subtitle window go straight to the keyboard commands.
    if (auto* owner =
            parent() ? parent()->findChild<SubtitleWindows*>(QString(), Qt::FindDirectChildrenOnly) : nullptr)
        emit owner->KeyPressed(e);
}

// --- The three windows together

SubtitleWindows::SubtitleWindows(QWidget* videoWindow) : QObject(videoWindow), video_(videoWindow) {
    setObjectName("SubtitleWindows");
    canvas_ = new SubtitleCanvas(videoWindow);
    canvas_->setGeometry(videoWindow->rect());
    canvas_->show();
    for (int i = 0; i < 3; ++i) windows_[i] = new TFormNapis(i + 1, videoWindow);
    LabelFS.font = QFont("Arial", 22);
    LabelW.font = QFont("Arial", 12, QFont::Bold);
    BringToFront();
    videoWindow->installEventFilter(this);
}

bool SubtitleWindows::eventFilter(QObject* watched, QEvent* event) {
    // The painting layer covers the whole video window.
    if (watched == video_ && event->type() == QEvent::Resize) canvas_->setGeometry(video_->rect());
    return QObject::eventFilter(watched, event);
}

void SubtitleWindows::RenderSubtitle(std::string_view text, bool adjust, bool transparent, bool italics) {
    RenderSubtitle(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), adjust, transparent,
                   italics);
}

void SubtitleWindows::RenderSubtitle(const QString& text, bool adjust, bool transparent, bool italics) {
    const SubtitleRows rows = SplitSubtitleText(text, transparent, italics);
    for (int i = 0; i < 3; ++i) {
        if (rows.italic[i]) Label(i + 1)->setItalic(*rows.italic[i]);
        Label(i + 1)->setText(rows.text[i]);
    }
    if (adjust) {
        // Rows wider than the picture give their leading words to the row above.
        const int limit = video_->width();
        for (int i = 3; i >= 2; --i) {
            SubtitleLabel* from = Label(i);
            SubtitleLabel* to = Label(i - 1);
            while (from->TextWidth() > limit) {
                const QString t = from->text();
                const qsizetype space = t.indexOf(' ');
                if (space < 0) break;
                const QString word = t.left(space);
                to->setText(to->text().isEmpty() ? word : to->text() + ' ' + word);
                from->setText(t.mid(space + 1));
            }
        }
    }
    for (int i = 1; i <= 3; ++i) Label(i)->setText(' ' + Label(i)->text() + ' ');
    CenterSubtitleWindows();
}

void SubtitleWindows::SetSubtitleWindowsVisible(bool visible, bool transparent) {
    auto* canvas = CanvasOf(canvas_);
    if (visible && !transparent) {
        for (int i = 1; i <= 3; ++i) {
            TFormNapis* w = Window(i);
            w->resize(Label(i)->text() == kPaddedEmpty ? 0 : Label(i)->width(), w->height());
        }
        canvas->Clear();
    } else if (visible) {
        canvas->setGeometry(video_->rect());
        canvas->outline = OutlineWidth;
        for (int i = 1; i <= 3; ++i)
            canvas->rows[i - 1] = {Label(i)->text(), Label(i)->font().italic(), Window(i)->y()};
        canvas->raise();
        canvas->update();
    } else {
        for (int i = 1; i <= 3; ++i) Window(i)->resize(0, Window(i)->height());
        canvas->Clear();
    }
    SubtitlesVisible = visible;
}

void SubtitleWindows::SizeSubtitleWindows(int elevation, bool transparent) {
    const int h = Label(3)->height();
    for (int i = 1; i <= 3; ++i) Window(i)->resize(Window(i)->width(), h);
    if (!transparent) {
        for (int i = 1; i <= 3; ++i)
            Window(i)->resize(
                Label(i)->text() == kPaddedEmpty || Label(i)->text().isEmpty() ? 0 : Label(i)->width(), h);
    } else {
        const qreal size = Label(1)->font().pointSizeF();
        OutlineWidth = size < 16 ? 1 : size < 22 ? 2 : 3;
    }
    PlaceSubtitleWindows(elevation);
}

void SubtitleWindows::PlaceSubtitleWindows(int elevation) {
    Elevation = elevation;
    const int h = Window(3)->height();
    const int bottom = FullScreen && !ScreenArea.isEmpty() ? ScreenArea.y() + ScreenArea.height() : video_->height();
    const int top3 = FullScreen ? bottom - h - elevation : bottom - h - elevation - ControlHeight;
    Window(3)->move(Window(3)->x(), top3);
    Window(2)->move(Window(2)->x(), top3 - Window(2)->height());
    Window(1)->move(Window(1)->x(), Window(2)->y() - Window(1)->height());
    CenterSubtitleWindows();
}

void SubtitleWindows::CenterSubtitleWindows() {
    const int centre =
        FullScreen && !ScreenArea.isEmpty() ? ScreenArea.x() + ScreenArea.width() / 2 : video_->width() / 2;
    for (int i = 1; i <= 3; ++i) Window(i)->move(centre - Label(i)->width() / 2, Window(i)->y());
}

void SubtitleWindows::ApplySubtitleFonts(bool fullScreenSet, int elevation, bool transparent) {
    const SubtitleFont& f = fullScreenSet ? LabelFS : LabelW;
    for (int i = 1; i <= 3; ++i) {
        Label(i)->setFont(f.font);
        Label(i)->setColor(f.color);
    }
    CanvasOf(canvas_)->font = f.font;
    SizeSubtitleWindows(elevation, transparent);
}

void SubtitleWindows::BringToFront() {
    for (TFormNapis* w : windows_) w->raise();
    canvas_->raise();
}

QStringList SubtitleWindows::PaintedRows() const {
    QStringList rows;
    for (const auto& row : CanvasOf(canvas_)->rows) rows << row.text;
    return rows;
}

}  // namespace kravelo
