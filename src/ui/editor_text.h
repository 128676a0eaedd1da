#pragma once
// The editor's text as UTF-8 lines, and the write-back that replaces them in one edit.

#include <QString>
#include <cstddef>
#include <string>
#include <vector>

class QPlainTextEdit;
class QTextDocument;

namespace kravelo {

// The editor's lines as UTF-8; an empty editor has no lines.
std::vector<std::string> EditorLines(const QTextDocument& document);
long EditorLineCount(const QTextDocument& document);
// Character lengths of the lines (the editor's own units) for the offsets of work_range.h.
std::vector<long> EditorLineLengths(const QTextDocument& document);
// Lines [from, to) joined by "\n" (the editor's line break).
QString JoinLines(const std::vector<std::string>& lines, std::size_t from = 0, std::size_t to = SIZE_MAX);
// Replaces `before` by `after` in one edit block, touching only the lines between the common
// head and tail. `before` must be the editor's lines.
void WriteLinesBack(QPlainTextEdit& editor, const std::vector<std::string>& before,
                    const std::vector<std::string>& after);

}  // namespace kravelo
