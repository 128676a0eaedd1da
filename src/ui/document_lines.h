#pragma once
// The editor's lines as UTF-8 strings, kept in step with its QTextDocument edit by edit, so
// that the display tick can read them every 60 ms without copying the document.

#include <QObject>
#include <QPointer>
#include <QTextDocument>
#include <string>
#include <vector>

namespace kravelo {

class DocumentLines : public QObject {
    Q_OBJECT

  public:
    explicit DocumentLines(QTextDocument* document, QObject* parent = nullptr);

    const std::vector<std::string>& Lines() const { return lines_; }
    // Reads every line again (after the document was replaced wholesale, say).
    void Rebuild();

  signals:
    // The number of lines changed (the display rebuilds its cursor then).
    void LineCountChanged(long long count);

  private:
    void ContentsChange(int position, int charsRemoved, int charsAdded);

    QPointer<QTextDocument> document_;
    std::vector<std::string> lines_;
};

}  // namespace kravelo
