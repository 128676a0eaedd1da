// The write-back of an engine's result into the editor, on random documents and random edits:
// the editor ends up holding exactly the engine's lines, in one undoable edit, and the line
// mirror the display reads follows it, through write-backs and through typing.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextCursor>
#include <random>

#include "ui/document_lines.h"
#include "ui/editor_text.h"

using namespace kravelo;

namespace {

using Lines = std::vector<std::string>;

// Text pieces: ASCII, Polish, Cyrillic, CJK, a character outside the basic plane (two UTF-16
// units), and the characters subtitle lines are made of.
const char* const kPieces[] = {"a", "Z", " ", "ż", "ółw", "Ж", "中", "😀", "|", "/", "{", "}", "[", "]", "1"};

class Random {
public:
    explicit Random(unsigned seed) : rng_(seed) {}
    std::size_t Below(std::size_t n) { return n == 0 ? 0 : rng_() % n; }
    bool OneIn(std::size_t n) { return Below(n) == 0; }

    std::string Text() {
        std::string s;
        for (std::size_t n = Below(8); n > 0; --n) s += kPieces[Below(std::size(kPieces))];
        return s;
    }
    std::string Line() {
        if (OneIn(5)) return "";
        if (OneIn(2)) return "{" + std::to_string(Below(5000)) + "}{" + std::to_string(Below(5000)) + "}" + Text();
        return Text();
    }
    Lines Document() {
        Lines lines;
        for (std::size_t n = Below(12); n > 0; --n) lines.push_back(Line());
        return lines;
    }
    // A place for an edit among `count` items, often at either end.
    std::size_t Place(std::size_t count) {
        switch (Below(3)) {
            case 0: return 0;
            case 1: return count;
            default: return Below(count + 1);
        }
    }

private:
    std::mt19937 rng_;
};

// An engine's result: lines replaced, inserted and deleted, or a document of its own.
Lines Edit(Random& r, Lines lines) {
    if (r.OneIn(10)) return r.Document();
    for (std::size_t n = 1 + r.Below(3); n > 0; --n) {
        const std::size_t at = r.Place(lines.size());
        switch (r.Below(4)) {
            case 0:  // insert
                lines.insert(lines.begin() + static_cast<long>(at), r.Line());
                break;
            case 1:  // delete
                if (at < lines.size()) lines.erase(lines.begin() + static_cast<long>(at));
                break;
            case 2:  // delete a run up to the end
                lines.resize(std::min(lines.size(), at));
                break;
            default:  // replace
                if (at < lines.size()) lines[at] = r.Line();
        }
    }
    return lines;
}

std::string Join(const Lines& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
    return text;
}

Lines Split(const QString& text) {
    Lines lines;
    for (const QString& line : text.split(u'\n')) lines.push_back(line.toStdString());
    return lines;
}

// An empty editor still has its one empty block.
Lines Mirrored(const Lines& lines) { return lines.empty() ? Lines{""} : lines; }

// The editor's lines as the engines get them: none for an empty editor.
Lines EngineLines(const QString& text) { return text.isEmpty() ? Lines{} : Split(text); }

// A cursor position that does not split a character made of two UTF-16 units.
int Boundary(const QString& text, int position) {
    if (position > 0 && position < text.size() && text[position].isLowSurrogate()) --position;
    return position;
}

}  // namespace

TEST(WriteLinesBack, RandomEditsOfRandomDocumentsReachTheEditorAndTheMirror) {
    Random r(20260131);
    QPlainTextEdit editor;
    DocumentLines mirror(editor.document());
    QString model;  // the editor's text as this test expects it
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const Lines before = EngineLines(model);
        const Lines after = Edit(r, before);
        WriteLinesBack(editor, before, after);
        model = QString::fromStdString(Join(after));
        ASSERT_EQ(editor.toPlainText().toStdString(), Join(after)) << "from\n" << Join(before);
        ASSERT_EQ(mirror.Lines(), Mirrored(after));

        // One edit: a single undo gives the lines before back, redo the result again.
        if (Join(before) != Join(after)) {
            editor.undo();
            ASSERT_EQ(editor.toPlainText().toStdString(), Join(before));
            ASSERT_EQ(mirror.Lines(), Mirrored(before));
            editor.redo();
            ASSERT_EQ(editor.toPlainText(), model);
            ASSERT_EQ(mirror.Lines(), Mirrored(after));
        }

        // Typing: text with and without line breaks put in at random places, selections removed.
        QTextCursor cursor(editor.document());
        for (std::size_t n = r.Below(4); n > 0; --n) {
            const int a = Boundary(model, static_cast<int>(r.Below(static_cast<std::size_t>(model.size()) + 1)));
            const int b = r.OneIn(2) ? a : Boundary(model, static_cast<int>(r.Below(static_cast<std::size_t>(model.size()) + 1)));
            cursor.setPosition(a);
            cursor.setPosition(b, QTextCursor::KeepAnchor);
            const QString typed = r.OneIn(3) ? QString() : QString::fromStdString(r.Text() + (r.OneIn(2) ? "\n" : "") + r.Text());
            if (typed.isEmpty())
                cursor.removeSelectedText();
            else
                cursor.insertText(typed);
            model.replace(std::min(a, b), std::abs(a - b), typed);
            ASSERT_EQ(editor.toPlainText(), model);
            ASSERT_EQ(mirror.Lines(), Split(model));
        }
    }
}
