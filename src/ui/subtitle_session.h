#pragma once
// The open subtitle document: its file, how that file was encoded, its formats, frame rate and
// SSA tables (DocumentState), the modified flag, the lines as the editor holds them
// (QTextDocument) with their UTF-8 mirror (DocumentLines), and the file operations: open,
// append, clear, write with the encoding question, and the backup copy.
//
// Whoever cares about the document listens to `Changed`: the display rebuilds on
// LinesReplaced, the window's labels follow PathChanged and ModifiedChanged.
//
//     SubtitleSession session(*editor->document(), prompts);
//     connect(&session, &SubtitleSession::Changed, ...);
//     if (session.Open(path)) ...;
//     session.Write(path);

#include <QObject>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "core/document.h"

class QTextDocument;

namespace kravelo {

class DocumentLines;
class Prompts;

class SubtitleSession : public QObject {
    Q_OBJECT
public:
    enum Change {
        LinesReplaced = 1,    // lines were replaced or moved: the display starts again from line 0
        PathChanged = 2,      // the document has another file (or none)
        ModifiedChanged = 4,  // the modified flag changed
        LineCountChanged = 8, // lines were added or removed (also by typing)
    };
    Q_DECLARE_FLAGS(Changes, Change)

    SubtitleSession(QTextDocument& document, Prompts& prompts, QObject* parent = nullptr);
    ~SubtitleSession() override;

    DocumentState& State() { return state_; }
    const DocumentState& State() const { return state_; }
    QTextDocument& Document() { return document_; }
    // The editor's lines as UTF-8, kept in step edit by edit (an empty editor has one empty line).
    const std::vector<std::string>& Lines() const;
    // The lines with the state, for an engine (an empty editor has no lines).
    SubtitleDocument Copy() const;

    // The file the document belongs to; empty for a new document.
    QString Path() const;
    void SetPath(const QString& path);
    bool Modified() const;
    void SetModified(bool modified);

    // Reads a file into the editor (unmodified) and sets the path, text format, formats and SSA
    // tables; the format of its first subtitle (0 when none) is `FirstFormat()` afterwards. A file
    // that cannot be read shows TxtFileOpenError and leaves the document as it was.
    bool Open(const QString& path);
    int FirstFormat() const { return firstFormat_; }
    // Adds a file's lines after the last line, unchanged; the document keeps its name and formats.
    bool Append(const QString& path);
    // An empty new document: UTF-8 with CR LF, no path, unmodified.
    void Clear();
    // Forgets the formats of the closed document (and the frame rate when no movie gives one).
    void ForgetFormats(bool keepFrameRate);

    enum class WriteResult { Written, Failed, Declined };
    // Writes the lines to `path` in the document's encoding. Characters the code page cannot hold
    // would be lost: the user is offered UTF-8 instead (Declined when refused). The path and
    // the modified flag are not changed.
    WriteResult Write(const QString& path);
    // Copies the document's file to its ".bak" name; a failed copy is ignored.
    void Backup() const;
    // Reads the SSA tables from the lines again, without messages.
    void ReadSsaTablesQuietly();
    // Something replaced lines outside the editor's typing: tells the listeners.
    void LinesWereReplaced();

signals:
    void Changed(kravelo::SubtitleSession::Changes changes);

private:
    QTextDocument& document_;
    Prompts& prompts_;
    DocumentLines* mirror_;
    DocumentState state_;
    int firstFormat_ = 0;
};

// The path with the extension of its file name replaced (or added); `extension` has its dot.
QString WithExtension(const QString& path, const QString& extension);

}  // namespace kravelo

Q_DECLARE_OPERATORS_FOR_FLAGS(kravelo::SubtitleSession::Changes)
