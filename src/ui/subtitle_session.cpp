#include "ui/subtitle_session.h"

#include <QFileInfo>
#include <QTextCursor>
#include <QTextDocument>
#include <filesystem>
#include <system_error>

#include "core/ssa.h"
#include "ui/document_lines.h"
#include "ui/editor_text.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

namespace kravelo {

namespace fs = std::filesystem;

QString WithExtension(const QString& path, const QString& extension) {
    QFileInfo info(path);
    QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0) name.truncate(dot);
    return path.left(path.size() - info.fileName().size()) + name + extension;
}

SubtitleSession::SubtitleSession(QTextDocument& document, Prompts& prompts, QObject* parent)
    : QObject(parent), document_(document), prompts_(prompts), mirror_(new DocumentLines(&document, this)) {
    connect(mirror_, &DocumentLines::LineCountChanged, this, [this] { emit Changed(LineCountChanged); });
    connect(&document_, &QTextDocument::modificationChanged, this, [this] { emit Changed(ModifiedChanged); });
}

SubtitleSession::~SubtitleSession() = default;

const std::vector<std::string>& SubtitleSession::Lines() const { return mirror_->Lines(); }

SubtitleDocument SubtitleSession::Copy() const {
    SubtitleDocument doc;
    doc.lines = EditorLines(document_);
    doc.frameRate = state_.frameRate;
    doc.documentFormat = state_.documentFormat;
    doc.ssa = state_.ssa;
    return doc;
}

QString SubtitleSession::Path() const { return Q(state_.path); }

void SubtitleSession::SetPath(const QString& path) {
    if (S(path) == state_.path) return;
    state_.path = S(path);
    emit Changed(PathChanged);
}

bool SubtitleSession::Modified() const { return document_.isModified(); }

void SubtitleSession::SetModified(bool modified) { document_.setModified(modified); }

void SubtitleSession::LinesWereReplaced() { emit Changed(LinesReplaced); }

bool SubtitleSession::Open(const QString& path) {
    TextDocument file;
    std::string error;
    if (!ReadTextFile(S(path), file, error)) {
        prompts_.Box("Form1", "TxtFileOpenError", MessageIcon::Error);
        return false;
    }
    document_.setPlainText(JoinLines(file.lines));
    document_.setModified(false);
    state_.textFormat = file.format;
    SetPath(path);

    // The format of the first subtitle, read with the file's own SSA tables (an SSA file gives 5).
    const SsaTables fileTables = ReadSsaHeader(file.lines, true);
    std::size_t index = 0;
    SubtitleLine line;
    NextSubtitle(file.lines, state_.frameRate, index, line, fileTables);
    firstFormat_ = 0;
    if (index > 0) {
        SubtitleLine first;
        ParseLine(file.lines[index - 1], state_.frameRate, first, fileTables);
        firstFormat_ = first.format;
    }
    // Header problems are reported for SSA files only.
    const bool ssaFile = QFileInfo(path).suffix().compare(QLatin1String("ssa"), Qt::CaseInsensitive) == 0;
    state_.ssa = ReadSsaHeader(file.lines, !ssaFile, [this](const Message& m) { prompts_.Box(m); });
    state_.fileFormat = state_.documentFormat = FormatFamilyOfPath(S(path));
    LinesWereReplaced();
    return true;
}

bool SubtitleSession::Append(const QString& path) {
    TextDocument file;
    std::string error;
    if (!ReadTextFile(S(path), file, error)) {
        prompts_.Box("Form1", "TxtFileOpenError", MessageIcon::Error);
        return false;
    }
    if (file.lines.empty()) return true;
    QTextCursor c(&document_);
    c.movePosition(QTextCursor::End);
    const bool empty = EditorLineCount(document_) == 0;
    c.insertText(empty ? JoinLines(file.lines) : u'\n' + JoinLines(file.lines));
    LinesWereReplaced();
    return true;
}

void SubtitleSession::Clear() {
    document_.clear();
    document_.setModified(false);
    state_.textFormat = TextFormat{};
    SetPath({});
    LinesWereReplaced();
}

void SubtitleSession::ForgetFormats(bool keepFrameRate) {
    state_.documentFormat = 0;
    state_.fileFormat = 0;
    if (!keepFrameRate) state_.frameRate = 0.0;
}

SubtitleSession::WriteResult SubtitleSession::Write(const QString& path) {
    const std::vector<std::string> lines = EditorLines(document_);
    TextFormat format = state_.textFormat;
    if (format.encoding == TextEncoding::Windows1250) {
        std::size_t unmappable = 0;
        EncodeText(lines, format, &unmappable);
        if (unmappable > 0) {
            if (prompts_.Box("Form1", "SaveAsUtf8", MessageIcon::Question, BoxButtons::YesNo) != BoxAnswer::Yes)
                return WriteResult::Declined;
            format.encoding = TextEncoding::Utf8;
            format.bom = false;
        }
    }
    std::string error;
    if (!WriteTextFile(S(path), lines, format, error)) return WriteResult::Failed;
    state_.textFormat = format;
    return WriteResult::Written;
}

void SubtitleSession::Backup() const {
    if (state_.path.empty()) return;
    std::error_code ec;
    fs::copy_file(fs::path(state_.path), fs::path(S(WithExtension(Path(), QStringLiteral(".bak")))),
                  fs::copy_options::overwrite_existing, ec);
}

void SubtitleSession::ReadSsaTablesQuietly() { state_.ssa = ReadSsaHeader(EditorLines(document_), true); }

}  // namespace kravelo
