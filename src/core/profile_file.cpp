#include "core/profile_file.h"

#include <sys/stat.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "core/text_util.h"

namespace kravelo {
namespace {

// The name of a "[section]" line, or nothing.
std::optional<std::string_view> SectionOf(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

// The key and value of a "key=value" line, or nothing.
std::optional<KeyLine> KeyOf(std::string_view line) {
    std::string_view t = TrimLeft(line);
    if (t.empty() || t.front() == ';' || t.front() == '[') return std::nullopt;
    std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    std::string_view key = Trim(t.substr(0, eq));
    if (key.empty()) return std::nullopt;
    return KeyLine{key, Trim(t.substr(eq + 1))};
}

// A value stays on its line.
std::string OneLine(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
            out.push_back(' ');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteProtected(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & 0222) == 0;
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0) return;  // no file: an empty profile
    TextDocument doc;
    if (!ReadTextFile(path_, doc, readError_)) {
        readFailed_ = true;
        return;
    }
    lines_ = std::move(doc.lines);
    format_ = doc.format;
    exists_ = true;
}

ProfileFile ProfileFile::FromBytes(std::string_view bytes, std::string path) {
    ProfileFile p;
    p.path_ = std::move(path);
    TextDocument doc = DecodeText(bytes);
    p.lines_ = std::move(doc.lines);
    p.format_ = doc.format;
    p.exists_ = true;
    return p;
}

std::size_t ProfileFile::FindSection(std::string_view section) const {
    section = Trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = SectionOf(lines_[i]);
        if (name && EqualsNoCase(*name, section)) return i;
    }
    return std::string::npos;
}

std::size_t ProfileFile::FindKey(std::size_t header, std::string_view key) const {
    key = Trim(key);
    for (std::size_t i = header + 1; i < lines_.size(); ++i) {
        if (SectionOf(lines_[i])) break;
        auto kv = KeyOf(lines_[i]);
        if (kv && EqualsNoCase(kv->key, key)) return i;
    }
    return std::string::npos;
}

bool ProfileFile::HasSection(std::string_view section) const {
    return FindSection(section) != std::string::npos;
}

std::optional<std::string> ProfileFile::Find(std::string_view section, std::string_view key) const {
    std::size_t h = FindSection(section);
    if (h == std::string::npos) return std::nullopt;
    std::size_t k = FindKey(h, key);
    if (k == std::string::npos) return std::nullopt;
    return std::string(KeyOf(lines_[k])->value);
}

std::optional<int> ProfileFile::ParseInt(std::string_view text) {
    text = Trim(text);
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    bool hex = false;
    if (!digits.empty() && digits[0] == '$') {
        hex = true;
        digits.remove_prefix(1);
    } else if (digits.size() > 1 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        hex = true;
        digits.remove_prefix(2);
    }
    if (!hex) {
        auto v = ParseWholeInt(text);
        if (!v) return std::nullopt;
        return static_cast<int>(*v);
    }
    if (digits.empty()) return std::nullopt;
    unsigned long long v = 0;
    auto res = std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
    if (res.ec != std::errc() || res.ptr != digits.data() + digits.size() || v > 0xFFFFFFFFULL)
        return std::nullopt;
    // Eight hexadecimal digits are the 32-bit pattern ($FFFFFFFF is -1).
    long long value = static_cast<int>(static_cast<std::uint32_t>(v));
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<int>(value);
}

std::optional<double> ProfileFile::ParseFloat(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double v = 0.0;
    // from_chars reads "." whatever the process locale says.
    auto res = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::string ProfileFile::FormatFloat(double value) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

std::string ProfileFile::FormatFloat(float value) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view def) const {
    auto v = Find(section, key);
    return v ? *v : std::string(def);
}

int ProfileFile::ReadInt(std::string_view section, std::string_view key, int def) const {
    auto v = Find(section, key);
    if (!v) return def;
    return ParseInt(*v).value_or(def);
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInt(section, key, def ? 1 : 0) != 0;
}

double ProfileFile::ReadFloat(std::string_view section, std::string_view key, double def) const {
    auto v = Find(section, key);
    if (!v) return def;
    return ParseFloat(*v).value_or(def);
}

bool ProfileFile::ValidSectionName(std::string_view section) {
    section = Trim(section);
    return section.find_first_of("\r\n]") == std::string_view::npos;
}

bool ProfileFile::ValidKeyName(std::string_view key) {
    key = Trim(key);
    return !key.empty() && key.find_first_of("\r\n=") == std::string_view::npos && key.front() != '[' &&
           key.front() != ';';
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    // A name that would break its line, start a section or a comment, or end early cannot be
    // read back as written: nothing is written rather than a line of something else.
    if (!ValidSectionName(section) || !ValidKeyName(key)) return;
    section = Trim(section);
    key = Trim(key);
    std::string v = OneLine(value);
    std::size_t h = FindSection(section);
    if (h == std::string::npos) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::string(key) + "=" + v);
        format_.finalLineBreak = true;
        return;
    }
    std::size_t k = FindKey(h, key);
    if (k != std::string::npos) {
        // Keep the key as the file spells it.
        std::string existing(KeyOf(lines_[k])->key);
        lines_[k] = existing + "=" + v;
        return;
    }
    // After the last non-blank line of the section, so blank lines before the next section stay.
    std::size_t end = h + 1;
    while (end < lines_.size() && !SectionOf(lines_[end])) ++end;
    std::size_t at = end;
    while (at > h + 1 && Trim(lines_[at - 1]).empty()) --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::string(key) + "=" + v);
    if (at == lines_.size() - 1) format_.finalLineBreak = true;
}

void ProfileFile::WriteInt(std::string_view section, std::string_view key, long long value) {
    WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteInt(section, key, value ? 1 : 0);
}

void ProfileFile::WriteFloat(std::string_view section, std::string_view key, double value) {
    WriteString(section, key, FormatFloat(value));
}

void ProfileFile::WriteFloat(std::string_view section, std::string_view key, float value) {
    WriteString(section, key, FormatFloat(value));
}

bool ProfileFile::Save(std::string& error) {
    if (path_.empty()) {
        error = "no file name";
        return false;
    }
    if (readFailed_) {
        error = readError_ + " (could not be read, so it is not replaced)";
        return false;
    }
    std::string folder = FolderOf(path_);
    if (WriteProtected(folder)) {
        error = path_ + ": the folder is write-protected";
        return false;
    }
    if (WriteProtected(path_)) {
        error = path_ + ": the file is write-protected";
        return false;
    }
    std::size_t unmappable = 0;
    std::string bytes = EncodeText(lines_, format_, &unmappable);
    if (unmappable > 0) {
        // A new value the old code page cannot hold: keep every character, in UTF-8.
        format_.encoding = TextEncoding::Utf8;
        format_.bom = false;
        bytes = EncodeText(lines_, format_);
    }
    if (!WriteFileAtomic(path_, bytes, error)) return false;
    exists_ = true;
    return true;
}

}  // namespace kravelo
