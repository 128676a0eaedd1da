#include "platform/crash_resume_marker.h"

#include <filesystem>

#include "core/text_file.h"

namespace kravelo {

namespace fs = std::filesystem;

// The Exec key is a string value (whose own escape turns "\\" into "\") holding a command line
// whose arguments are quoted: inside double quotes, '"', '`', '$' and '\' take a backslash, and
// "%" is written "%%" because "%" starts a field code.
std::string DesktopExecQuote(const std::string& program) {
    std::string quoted = "\"";
    for (char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (char c : quoted) {
        if (c == '\\') value += '\\';
        value += c;
    }
    return value;
}

std::string DesktopExecUnquote(const std::string& value) {
    std::string quoted;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            quoted += value[i];
            continue;
        }
        switch (value[++i]) {
            case 's': quoted += ' '; break;
            case 'n': quoted += '\n'; break;
            case 't': quoted += '\t'; break;
            case 'r': quoted += '\r'; break;
            default: quoted += value[i]; break;
        }
    }
    if (quoted.size() < 2 || quoted.front() != '"') return {};
    std::string program;
    std::size_t i = 1;
    for (; i < quoted.size() && quoted[i] != '"'; ++i) {
        if (quoted[i] == '\\' && i + 1 < quoted.size()) {
            program += quoted[++i];
        } else if (quoted[i] == '%' && i + 1 < quoted.size() && quoted[i + 1] == '%') {
            program += quoted[++i];
        } else {
            program += quoted[i];
        }
    }
    if (i + 1 != quoted.size()) return {};  // unterminated, or more than one argument
    return program;
}

CrashResumeMarker::CrashResumeMarker(std::string programPath, std::string configHome)
    : program_(std::move(programPath)), configHome_(std::move(configHome)) {}

std::string CrashResumeMarker::EntryPath() const {
    return (fs::path(configHome_) / "autostart" / "kravelo-resume.desktop").string();
}

bool CrashResumeMarker::Register(std::string* error) const {
    std::string message;
    if (program_.empty()) {
        message = "no program path";
    } else {
        for (unsigned char c : program_)
            if (c < 0x20 || c == 0x7F) message = "the program path holds a control character";
    }
    if (message.empty()) {
        std::error_code ec;
        fs::create_directories(fs::path(EntryPath()).parent_path(), ec);
        const std::string entry =
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=Kravelo\n"
            "Comment=Reopens the movie that was playing when the session ended\n"
            "Exec=" + DesktopExecQuote(program_) + "\n"
            "Terminal=false\n"
            "NoDisplay=true\n";
        if (WriteFileAtomic(EntryPath(), entry, message)) return true;
    }
    if (error) *error = message;
    return false;
}

bool CrashResumeMarker::Remove(std::string* error) const {
    std::error_code ec;
    fs::remove(EntryPath(), ec);
    if (!ec) return true;
    if (error) *error = ec.message();
    return false;
}

std::string CrashResumeMarker::RegisteredProgram() const {
    TextDocument entry;
    std::string error;
    if (!ReadTextFile(EntryPath(), entry, error)) return {};
    bool inEntry = false;
    for (const std::string& line : entry.lines) {
        if (!line.empty() && line[0] == '[') {
            inEntry = line == "[Desktop Entry]";
        } else if (inEntry && line.starts_with("Exec=")) {
            return DesktopExecUnquote(line.substr(5));
        }
    }
    return {};
}

}  // namespace kravelo
