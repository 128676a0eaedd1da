#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <random>

#include "ui/document_lines.h"

using namespace kravelo;

namespace {

std::vector<std::string> AllLines(QTextDocument* d) {
    std::vector<std::string> v;
    for (QTextBlock b = d->begin(); b.isValid(); b = b.next()) v.push_back(b.text().toStdString());
    return v;
}

}  // namespace

TEST(DocumentLines, FollowsEveryEdit) {
    QPlainTextEdit editor;
    editor.setPlainText("{1}{2}jeden\n{3}{4}dwa\n[5][6]trzy");
    DocumentLines lines(editor.document());
    QSignalSpy counts(&lines, &DocumentLines::LineCountChanged);
    EXPECT_EQ(lines.Lines(), AllLines(editor.document()));

    QTextCursor c(editor.document());
    c.movePosition(QTextCursor::End);
    c.insertText("\n{7}{8}cztery");
    EXPECT_EQ(lines.Lines().back(), "{7}{8}cztery");
    ASSERT_EQ(counts.count(), 1);
    EXPECT_EQ(counts[0][0].toLongLong(), 4);

    // Typing within a line keeps the count.
    c.setPosition(3);
    c.insertText("ż");
    EXPECT_EQ(lines.Lines()[0], "{1}ż{2}jeden");
    EXPECT_EQ(counts.count(), 1);

    // Random inserts, deletions across lines, pastes of several lines, undo and a replacement.
    std::mt19937 rng(7);
    const QStringList pieces = {"a", "\n", "x\ny\n", "[1][2]ąę|ś", "", "\n\n"};
    for (int i = 0; i < 300; ++i) {
        const int size = editor.document()->characterCount() - 1;
        QTextCursor e(editor.document());
        e.setPosition(static_cast<int>(rng() % (size + 1)));
        if (rng() % 3 == 0)
            e.setPosition(std::min(size, e.position() + static_cast<int>(rng() % 12)),
                          QTextCursor::KeepAnchor);
        e.insertText(pieces[static_cast<int>(rng() % pieces.size())]);
        if (i % 50 == 49) editor.undo();
        ASSERT_EQ(lines.Lines(), AllLines(editor.document())) << "after edit " << i;
    }
    editor.setPlainText("nowy");
    EXPECT_EQ(lines.Lines(), std::vector<std::string>{"nowy"});
    editor.clear();
    EXPECT_EQ(lines.Lines(), std::vector<std::string>{""});
}
