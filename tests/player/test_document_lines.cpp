#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextCursor>

#include "ui/document_lines.h"

using namespace kravelo;

TEST(DocumentLines, FollowsEveryEdit) {
    QPlainTextEdit editor;
    editor.setPlainText("{1}{2}jeden\n{3}{4}dwa\n[5][6]trzy");
    DocumentLines lines(editor.document());
    QSignalSpy counts(&lines, &DocumentLines::LineCountChanged);
    EXPECT_EQ(lines.Lines(), (std::vector<std::string>{"{1}{2}jeden", "{3}{4}dwa", "[5][6]trzy"}));

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

    // Random edits, undo and typing are checked by the write-back property test; here a
    // replaced and an emptied document.
    editor.setPlainText("nowy");
    EXPECT_EQ(lines.Lines(), std::vector<std::string>{"nowy"});
    editor.clear();
    EXPECT_EQ(lines.Lines(), std::vector<std::string>{""});
}
