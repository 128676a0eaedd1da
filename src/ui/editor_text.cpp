// The editor's text as lines, and the one-edit write-back of an engine's result.

#include "ui/editor_text.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace kravelo {

long EditorLineCount(const QTextDocument& document) {
    if (document.characterCount() <= 1) return 0;  // only the closing paragraph separator
    return document.blockCount();
}

std::vector<std::string> EditorLines(const QTextDocument& document) {
    std::vector<std::string> lines;
    if (EditorLineCount(document) == 0) return lines;
    lines.reserve(static_cast<std::size_t>(document.blockCount()));
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) lines.push_back(b.text().toStdString());
    return lines;
}

std::vector<long> EditorLineLengths(const QTextDocument& document) {
    std::vector<long> lengths;
    if (EditorLineCount(document) == 0) return lengths;
    lengths.reserve(static_cast<std::size_t>(document.blockCount()));
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) lengths.push_back(b.length() - 1);
    return lengths;
}

namespace {

int EndOfBlock(const QTextBlock& b) { return b.position() + b.length() - 1; }

}  // namespace

QString JoinLines(const std::vector<std::string>& lines, std::size_t from, std::size_t to) {
    to = std::min(to, lines.size());
    std::string text;
    std::size_t size = 0;
    for (std::size_t i = from; i < to; ++i) size += lines[i].size() + 1;
    text.reserve(size);
    for (std::size_t i = from; i < to; ++i) {
        if (i > from) text += '\n';
        text += lines[i];
    }
    return QString::fromStdString(text);
}

void WriteLinesBack(QPlainTextEdit& editor, const std::vector<std::string>& before,
                    const std::vector<std::string>& after) {
    QTextDocument& doc = *editor.document();
    const std::size_t nb = before.size();
    const std::size_t na = after.size();
    std::size_t head = 0;
    while (head < nb && head < na && before[head] == after[head]) ++head;
    if (head == nb && head == na) return;
    std::size_t tail = 0;
    while (tail < nb - head && tail < na - head && before[nb - 1 - tail] == after[na - 1 - tail]) ++tail;
    const std::size_t oldCount = nb - head - tail;
    const std::size_t newCount = na - head - tail;

    QTextCursor c(&doc);
    c.beginEditBlock();
    if (nb == 0 || na == 0) {
        c.select(QTextCursor::Document);
        c.insertText(JoinLines(after, 0, na));
    } else if (oldCount > 0 && newCount > 0) {
        QTextBlock first = doc.findBlockByNumber(static_cast<int>(head));
        QTextBlock last = doc.findBlockByNumber(static_cast<int>(head + oldCount - 1));
        c.setPosition(first.position());
        c.setPosition(EndOfBlock(last), QTextCursor::KeepAnchor);
        c.insertText(JoinLines(after, head, head + newCount));
    } else if (oldCount == 0) {  // lines inserted
        if (head < nb) {
            c.setPosition(doc.findBlockByNumber(static_cast<int>(head)).position());
            c.insertText(JoinLines(after, head, head + newCount) + u'\n');
        } else {
            c.setPosition(EndOfBlock(doc.lastBlock()));
            c.insertText(u'\n' + JoinLines(after, head, head + newCount));
        }
    } else {  // lines deleted
        if (head + oldCount < nb) {
            c.setPosition(doc.findBlockByNumber(static_cast<int>(head)).position());
            c.setPosition(doc.findBlockByNumber(static_cast<int>(head + oldCount)).position(), QTextCursor::KeepAnchor);
        } else {
            c.setPosition(EndOfBlock(doc.findBlockByNumber(static_cast<int>(head - 1))));
            c.setPosition(EndOfBlock(doc.lastBlock()), QTextCursor::KeepAnchor);
        }
        c.removeSelectedText();
    }
    c.endEditBlock();
}

}  // namespace kravelo
