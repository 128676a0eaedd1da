#include "core/autosave.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>

#include "core/profile_file.h"
#include "core/text_util.h"

namespace kravelo {
namespace {

constexpr std::string_view kMagic = "kravelo autosave 1";

// mkdir -p with user-only folders.
bool MakeFolders(const std::string& folder, std::string& error) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = part + ": " + std::strerror(errno);
            return false;
        }
        if (slash == std::string::npos) return true;
    }
}

void Field(std::string& out, std::string_view key, std::string_view value) {
    out.append(key);
    out.push_back('=');
    out.append(value);
    out.push_back('\n');
}

}  // namespace

std::string DefaultAutosaveFolder(const char* xdgStateHome, const char* home) {
    if (xdgStateHome && xdgStateHome[0] == '/') return std::string(xdgStateHome) + "/kravelo/autosave";
    if (home && home[0] == '/') return std::string(home) + "/.local/state/kravelo/autosave";
    return {};
}

AutosaveStore::AutosaveStore(std::string folder) : folder_(std::move(folder)) {}

std::string AutosaveStore::FilePath() const {
    return folder_ + "/document.autosave";
}

std::string AutosaveStore::Serialize(const AutosaveCopy& c) {
    std::string out(kMagic);
    out.push_back('\n');
    // A path holds no line break on Linux file systems that matter here; one that did could
    // not be stored, so it is dropped rather than split.
    Field(out, "path", c.path.find('\n') == std::string::npos ? c.path : std::string());
    Field(out, "encoding", c.textFormat.encoding == TextEncoding::Windows1250 ? "windows-1250" : "utf-8");
    Field(out, "bom", c.textFormat.bom ? "1" : "0");
    Field(out, "eol", c.textFormat.lineEnding == LineEnding::CrLf ? "crlf" : "lf");
    Field(out, "final", c.textFormat.finalLineBreak ? "1" : "0");
    Field(out, "fps", ProfileFile::FormatFloat(c.frameRate));
    Field(out, "document", std::to_string(c.documentFormat));
    Field(out, "file", std::to_string(c.fileFormat));
    Field(out, "lines", std::to_string(c.lines.size()));
    out.push_back('\n');
    for (const std::string& line : c.lines) {
        out.append(line);
        out.push_back('\n');
    }
    return out;
}

std::optional<AutosaveCopy> AutosaveStore::Parse(std::string_view bytes) {
    auto nextLine = [&](std::string_view& line) {
        std::size_t lf = bytes.find('\n');
        if (lf == std::string_view::npos) return false;
        line = bytes.substr(0, lf);
        bytes.remove_prefix(lf + 1);
        return true;
    };
    std::string_view line;
    if (!nextLine(line) || line != kMagic) return std::nullopt;
    AutosaveCopy c;
    long long count = -1;
    while (nextLine(line) && !line.empty()) {
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) return std::nullopt;
        const std::string_view key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "path") c.path = std::string(value);
        else if (key == "encoding") c.textFormat.encoding = value == "windows-1250" ? TextEncoding::Windows1250 : TextEncoding::Utf8;
        else if (key == "bom") c.textFormat.bom = value == "1";
        else if (key == "eol") c.textFormat.lineEnding = value == "lf" ? LineEnding::Lf : LineEnding::CrLf;
        else if (key == "final") c.textFormat.finalLineBreak = value == "1";
        else if (key == "fps") c.frameRate = ProfileFile::ParseFloat(value).value_or(0.0);
        else if (key == "document") c.documentFormat = ProfileFile::ParseInt(value).value_or(0);
        else if (key == "file") c.fileFormat = ProfileFile::ParseInt(value).value_or(0);
        else if (key == "lines") count = ParseWholeInt(value).value_or(-1);
    }
    if (count < 0) return std::nullopt;
    // Every line is there, each ended by its line feed: a cut file is not a copy.
    for (long long i = 0; i < count; ++i) {
        if (!nextLine(line)) return std::nullopt;
        c.lines.emplace_back(line);
    }
    if (!bytes.empty()) return std::nullopt;
    return c;
}

bool AutosaveStore::Save(const AutosaveCopy& copy, std::string& error) const {
    if (folder_.empty() || folder_[0] != '/') {
        error = "no folder for the autosave copy";
        return false;
    }
    if (!MakeFolders(folder_, error)) return false;
    return WriteFileAtomic(FilePath(), Serialize(copy), error);
}

bool AutosaveStore::Remove() const {
    return ::unlink(FilePath().c_str()) == 0 || errno == ENOENT;
}

bool AutosaveStore::Exists() const {
    struct stat st {};
    return ::stat(FilePath().c_str(), &st) == 0;
}

std::optional<AutosaveCopy> AutosaveStore::Load() const {
    std::string bytes, error;
    if (!ReadFileBytes(FilePath(), bytes, error)) return std::nullopt;
    return Parse(bytes);
}

}  // namespace kravelo
