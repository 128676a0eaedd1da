#pragma once
// The three subtitle windows TFormNapis1..TFormNapis3 over the bottom of the picture, one per
// row of a subtitle (window 3 carries the bottom row). They are children of the video window:
// black strips sized to their text, hidden by width 0. In transparent mode the rows are painted
// straight over the picture in white with a black outline instead.

#include <QColor>
#include <QFont>
#include <QObject>
#include <QRect>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <string_view>

namespace kravelo {

// A subtitle font as the settings hold it: face, size, style and colour.
struct SubtitleFont {
    QFont font;
    QColor color = Qt::white;
};

// A Windows COLORREF (0x00BBGGRR), as the settings store colours.
QColor ColorFromColorRef(int colorRef);

// A subtitle font from the settings' description: face, size in points, COLORREF colour and
// the four style switches. The character set is not needed: the text is Unicode.
SubtitleFont MakeSubtitleFont(const QString& name, int pointSize, int colorRef, bool bold, bool italic,
                              bool underline, bool strikeOut);
// The same from a settings font section's fields (Name, Size, Color, Bold, Italic, Underline,
// StrikeOut), so that the player does not depend on the settings store.
template <class FontFields>
SubtitleFont SubtitleFontOf(const FontFields& f) {
    return MakeSubtitleFont(QString::fromStdString(f.Name), f.Size, f.Color, f.Bold, f.Italic, f.Underline,
                            f.StrikeOut);
}

// The rows of a subtitle before they go into the windows: ampersands doubled outside
// transparent mode, split at "|", bottom-aligned, and with italics allowed the "/" marks taken
// off. italic[i] unset = the row keeps its label's style.
struct SubtitleRows {
    std::array<QString, 3> text;
    std::array<std::optional<bool>, 3> italic;
};
SubtitleRows SplitSubtitleText(const QString& text, bool transparent, bool italics);

// LabelNapis: an auto-sized label. "&&" shows as one "&", as in a caption.
class SubtitleLabel : public QWidget {
  public:
    explicit SubtitleLabel(QWidget* parent);
    void setText(const QString& text);
    QString text() const { return text_; }
    void setColor(const QColor& color);
    QColor color() const { return color_; }
    void setItalic(bool on);
    // Width and height of the text in the label's font.
    int TextWidth() const;
    int TextHeight() const;

  protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

  private:
    void AutoSize();
    QString text_;
    QColor color_ = Qt::white;
};

// TFormNapis1..3: a black strip holding its label.
class TFormNapis : public QWidget {
  public:
    TFormNapis(int number, QWidget* videoWindow);
    SubtitleLabel* LabelNapis;

  protected:
    void keyPressEvent(QKeyEvent* e) override;
};

class SubtitleWindows : public QObject {
    Q_OBJECT

  public:
    // The windows become children of `videoWindow`, created with width 0.
    explicit SubtitleWindows(QWidget* videoWindow);

    TFormNapis* Window(int number) const { return windows_.at(number - 1); }  // 1..3
    SubtitleLabel* Label(int number) const { return Window(number)->LabelNapis; }

    // Prepares the three rows of `text` (UTF-8 from the document).
    void RenderSubtitle(std::string_view text, bool adjust, bool transparent, bool italics);
    void RenderSubtitle(const QString& text, bool adjust, bool transparent, bool italics);
    void SetSubtitleWindowsVisible(bool visible, bool transparent);
    void SizeSubtitleWindows(int elevation, bool transparent);
    void PlaceSubtitleWindows(int elevation);
    void CenterSubtitleWindows();
    // Gives the labels (and the transparent painting) the full-screen or the window font and
    // sizes the windows with that set's elevation.
    void ApplySubtitleFonts(bool fullScreenSet, int elevation, bool transparent);
    void BringToFront();

    // The two sample fonts (the settings' "Fonts" and "FontsWindow").
    SubtitleFont LabelFS;
    SubtitleFont LabelW;
    // Outline of transparent painting, 1..3 pixels.
    int OutlineWidth = 1;
    // The windows are showing a subtitle (the last request).
    bool SubtitlesVisible = false;
    // In full screen the picture fills the video window and there is no control strip.
    bool FullScreen = false;
    // The part of the video window the screen shows in full screen (the crop zoom makes the
    // window larger than the screen); empty: all of it.
    QRect ScreenArea;
    // Height of the video window's control strip (its ImageControl) outside full screen.
    int ControlHeight = 40;
    // The elevation of the last placement, kept for placing again after a resize.
    int Elevation = 0;

    // What transparent mode paints now, rows 1..3 (empty when nothing).
    QStringList PaintedRows() const;
    QWidget* Canvas() const { return canvas_; }

  signals:
    void KeyPressed(QKeyEvent* event);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class TFormNapis;
    QWidget* video_;
    std::array<TFormNapis*, 3> windows_{};
    QWidget* canvas_;
};

}  // namespace kravelo
