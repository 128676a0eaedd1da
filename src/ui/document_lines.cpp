#include "ui/document_lines.h"

#include <QTextBlock>

namespace kravelo {

DocumentLines::DocumentLines(QTextDocument* document, QObject* parent)
    : QObject(parent), document_(document) {
    connect(document, &QTextDocument::contentsChange, this, &DocumentLines::ContentsChange);
    Rebuild();
}

void DocumentLines::Rebuild() {
    lines_.clear();
    if (!document_) return;
    lines_.reserve(static_cast<std::size_t>(document_->blockCount()));
    for (QTextBlock b = document_->begin(); b.isValid(); b = b.next())
        lines_.push_back(b.text().toStdString());
}

void DocumentLines::ContentsChange(int position, int, int charsAdded) {
    const std::size_t before = lines_.size();
    const long long count = document_->blockCount();
    const long long delta = count - static_cast<long long>(before);
    // The blocks from the one holding the change to the one holding its end are new; they
    // replace as many old lines, less the change in count.
    QTextBlock first = document_->findBlock(position);
    QTextBlock last = document_->findBlock(position + charsAdded);
    if (!first.isValid()) first = document_->lastBlock();
    if (!last.isValid()) last = document_->lastBlock();
    const long long from = first.blockNumber();
    const long long newLast = last.blockNumber();
    const long long oldLast = newLast - delta;
    if (from < 0 || newLast < from || oldLast < from - 1 || oldLast >= static_cast<long long>(before)) {
        Rebuild();
    } else {
        std::vector<std::string> fresh;
        fresh.reserve(static_cast<std::size_t>(newLast - from + 1));
        for (QTextBlock b = first; b.isValid() && b.blockNumber() <= newLast; b = b.next())
            fresh.push_back(b.text().toStdString());
        lines_.erase(lines_.begin() + from, lines_.begin() + oldLast + 1);
        lines_.insert(lines_.begin() + from, std::make_move_iterator(fresh.begin()),
                      std::make_move_iterator(fresh.end()));
    }
    if (static_cast<long long>(lines_.size()) != static_cast<long long>(before)) emit LineCountChanged(count);
}

}  // namespace kravelo
