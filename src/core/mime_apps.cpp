#include "core/mime_apps.h"

#include <algorithm>

namespace kravelo {

namespace {

constexpr std::string_view kDefaultSection = "Default Applications";

// Blanks around a value, and the "\r" of a line that ended with "\r\n".
std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// The group name of a "[Group]" line; false for any other line.
bool SectionName(std::string_view line, std::string_view* name) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
    *name = line.substr(1, line.size() - 2);
    return true;
}

// Key and value of a "key=value" line; false for comments, blank lines and anything else.
bool KeyValue(std::string_view line, std::string_view* key, std::string_view* value) {
    std::string_view t = Trim(line);
    if (t.empty() || t.front() == '#' || t.front() == '[') return false;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    *key = Trim(line.substr(0, eq));
    *value = Trim(line.substr(eq + 1));
    return !key->empty();
}

std::vector<std::string> SplitIds(std::string_view value) {
    std::vector<std::string> ids;
    while (!value.empty()) {
        const std::size_t semi = value.find(';');
        const std::string_view id = Trim(value.substr(0, semi));
        if (!id.empty()) ids.emplace_back(id);
        if (semi == std::string_view::npos) break;
        value.remove_prefix(semi + 1);
    }
    return ids;
}

std::string JoinIds(const std::vector<std::string>& ids) {
    std::string value;
    for (const std::string& id : ids) value += id + ';';
    return value;
}

void AddOnce(std::vector<std::string>& ids, const std::string& id) {
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
}

}  // namespace

MimeAppsList MimeAppsList::Parse(std::string_view text) {
    MimeAppsList list;
    list.finalBreak_ = text.empty() || text.back() == '\n';
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        const std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r') list.crlf_ = true;
        list.lines_.emplace_back(line);
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
    return list;
}

std::string MimeAppsList::Text() const {
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        text += lines_[i];
        if (i + 1 < lines_.size() || finalBreak_) text += '\n';
    }
    return text;
}

std::string MimeAppsList::NewLineEnd() const { return crlf_ ? "\r" : ""; }

std::string MimeAppsList::LineEnd(std::size_t index) const {
    return !lines_[index].empty() && lines_[index].back() == '\r' ? "\r" : "";
}

std::vector<std::size_t> MimeAppsList::KeyLines(std::string_view mimeType) const {
    std::vector<std::size_t> found;
    bool inDefaults = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name, key, value;
        if (SectionName(lines_[i], &name)) {
            inDefaults = name == kDefaultSection;
        } else if (inDefaults && KeyValue(lines_[i], &key, &value) && EqualNoCase(key, mimeType)) {
            found.push_back(i);
        }
    }
    return found;
}

std::vector<std::string> MimeAppsList::Defaults(std::string_view mimeType) const {
    std::vector<std::string> ids;
    for (std::size_t i : KeyLines(mimeType)) {
        std::string_view key, value;
        KeyValue(lines_[i], &key, &value);
        for (const std::string& id : SplitIds(value)) AddOnce(ids, id);
    }
    return ids;
}

void MimeAppsList::SetDefault(std::string_view mimeType, std::string_view desktopId) {
    std::vector<std::string> ids{std::string(desktopId)};
    for (const std::string& id : Defaults(mimeType)) AddOnce(ids, id);
    const std::string entry = std::string(mimeType) + '=' + JoinIds(ids);

    const std::vector<std::size_t> keys = KeyLines(mimeType);
    if (!keys.empty()) {
        // One entry for the type: the first line holds the merged list, repeats go.
        lines_[keys.front()] = entry + LineEnd(keys.front());
        for (auto it = keys.rbegin(); it + 1 != keys.rend(); ++it)
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*it));
        return;
    }
    // New lines follow: a last line without a line break gets one, in the file's style.
    if (!finalBreak_ && !lines_.empty()) lines_.back() += NewLineEnd();
    finalBreak_ = true;
    // A new key goes after the last entry of the first [Default Applications] section.
    std::size_t insertAt = lines_.size();
    bool inDefaults = false;
    bool haveSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name, key, value;
        if (SectionName(lines_[i], &name)) {
            if (inDefaults) break;
            inDefaults = name == kDefaultSection;
            if (inDefaults) {
                haveSection = true;
                insertAt = i + 1;
            }
        } else if (inDefaults && KeyValue(lines_[i], &key, &value)) {
            insertAt = i + 1;
        }
    }
    if (!haveSection) {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.push_back(NewLineEnd());
        lines_.push_back("[" + std::string(kDefaultSection) + "]" + NewLineEnd());
        insertAt = lines_.size();
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), entry + NewLineEnd());
}

bool MimeAppsList::RemoveDefault(std::string_view mimeType, std::string_view desktopId) {
    bool removed = false;
    const std::vector<std::size_t> keys = KeyLines(mimeType);
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        std::string_view key, value;
        KeyValue(lines_[*it], &key, &value);
        std::vector<std::string> ids = SplitIds(value);
        const auto end = std::remove(ids.begin(), ids.end(), std::string(desktopId));
        if (end == ids.end()) continue;
        removed = true;
        ids.erase(end, ids.end());
        if (ids.empty())
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*it));
        else
            lines_[*it] = std::string(key) + '=' + JoinIds(ids) + LineEnd(*it);
    }
    return removed;
}

}  // namespace kravelo
