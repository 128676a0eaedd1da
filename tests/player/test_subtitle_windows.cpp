#include <gtest/gtest.h>

#include <QWidget>

#include "player/subtitle_windows.h"

using namespace kravelo;

namespace {

struct Windows {
    QWidget video;
    SubtitleWindows* s;
    Windows() {
        video.resize(640, 480);
        s = new SubtitleWindows(&video);
        s->LabelW.font = QFont("DejaVu Sans", 14);
        s->ApplySubtitleFonts(false, 1, false);
    }
    QString Text(int i) const { return s->Label(i)->text(); }
    int Width(int i) const { return s->Window(i)->width(); }
    void Show(const QString& text, bool adjust = false, bool italics = true) {
        s->RenderSubtitle(text, adjust, false, italics);
        s->SetSubtitleWindowsVisible(true, false);
    }
};

}  // namespace

TEST(SubtitleWindows, RowsAreSplitAndBottomAligned) {
    Windows w;
    w.Show("A|B");
    EXPECT_EQ(w.Text(2), " A ");
    EXPECT_EQ(w.Text(3), " B ");
    EXPECT_EQ(w.Width(1), 0);
    EXPECT_EQ(w.Width(3), w.s->Label(3)->width());

    w.Show("A");
    EXPECT_EQ(w.Text(3), " A ");
    EXPECT_EQ(w.Width(2), 0);

    w.Show("A|B|C|D");
    EXPECT_EQ(w.Text(1), " A ");
    EXPECT_EQ(w.Text(3), " C|D ");

    // An empty subtitle hides every window.
    w.Show("");
    EXPECT_EQ(w.Width(1) + w.Width(2) + w.Width(3), 0);
    EXPECT_TRUE(w.s->SubtitlesVisible);
    w.s->SetSubtitleWindowsVisible(false, false);
    EXPECT_FALSE(w.s->SubtitlesVisible);

    // Stacked from the bottom: window 3 above the control strip, 2 and 1 directly above it;
    // each centred on the video window.
    w.Show("Pierwszy|drugi");
    const int h = w.s->Label(3)->height();
    EXPECT_EQ(w.s->Window(3)->y(), 480 - h - 1 - 40);
    EXPECT_EQ(w.s->Window(2)->y(), w.s->Window(3)->y() - h);
    EXPECT_EQ(w.s->Window(2)->x(), 320 - w.s->Label(2)->width() / 2);
    w.s->FullScreen = true;
    w.s->PlaceSubtitleWindows(0);
    EXPECT_EQ(w.s->Window(3)->y(), 480 - h);
}

TEST(SubtitleWindows, ItalicsAndAmpersands) {
    Windows w;
    w.Show("/Kursywa|prosto");
    EXPECT_EQ(w.Text(2), " Kursywa ");
    EXPECT_TRUE(w.s->Label(2)->font().italic());
    EXPECT_FALSE(w.s->Label(3)->font().italic());
    w.Show("koniec/");
    EXPECT_EQ(w.Text(3), " koniec ");
    EXPECT_TRUE(w.s->Label(3)->font().italic());
    // Without italics the slash stays text.
    w.Show("/tekst", false, false);
    EXPECT_EQ(w.Text(3), " /tekst ");

    // A single ampersand is doubled so that the label shows one; "&&" stays.
    w.Show("Tom & Jerry && co");
    EXPECT_EQ(w.Text(3), " Tom && Jerry && co ");
    const QFontMetrics fm(w.s->Label(3)->font());
    EXPECT_NEAR(w.s->Label(3)->width(), fm.horizontalAdvance(" Tom & Jerry & co "), 1);

    const SubtitleRows r = SplitSubtitleText("a&b", true, true);
    EXPECT_EQ(r.text[2], "a&b");  // painted text is drawn as it is
}

TEST(SubtitleWindows, AdjustMovesLeadingWordsUp) {
    Windows w;
    w.video.resize(200, 300);
    const QString longRow = "jeden dwa trzy cztery piec szesc siedem osiem dziewiec";
    w.Show("gora|" + longRow, true);
    const QFontMetrics fm(w.s->Label(3)->font());
    EXPECT_LE(fm.horizontalAdvance(w.Text(3).trimmed()), 200);
    EXPECT_LE(fm.horizontalAdvance(w.Text(2).trimmed()), 200);
    // Row 2 overflowed in turn and passed its leading words on to row 1.
    EXPECT_TRUE(w.Text(1).startsWith(" gora jeden")) << w.Text(1).toStdString();
    EXPECT_EQ((w.Text(1).trimmed() + " " + w.Text(2).trimmed() + " " + w.Text(3).trimmed()),
              "gora " + longRow);

    // A row without a space stays as it is.
    const QString word(80, 'x');
    w.Show(word, true);
    EXPECT_EQ(w.Text(3), " " + word + " ");
}

TEST(SubtitleWindows, TransparentPaintingAndOutline) {
    Windows w;
    for (auto [size, outline] : {std::pair{24, 3}, {18, 2}, {10, 1}}) {
        w.s->LabelFS.font = QFont("DejaVu Sans", size);
        w.s->ApplySubtitleFonts(true, 0, true);
        EXPECT_EQ(w.s->OutlineWidth, outline) << size;
    }

    w.s->RenderSubtitle(QString("Raz|Dwa & trzy"), false, true, true);
    w.s->SetSubtitleWindowsVisible(true, true);
    EXPECT_EQ(w.s->PaintedRows(), (QStringList{"  ", " Raz ", " Dwa & trzy "}));
    EXPECT_EQ(w.Width(3), 0);  // the windows stay hidden
    w.s->SetSubtitleWindowsVisible(false, true);
    EXPECT_EQ(w.s->PaintedRows(), (QStringList{"", "", ""}));
}
