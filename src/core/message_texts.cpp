#include "core/message_texts.h"

#include <cctype>

namespace kravelo {

std::string LangString(const ProfileFile& file, std::string_view section, std::string_view key) {
    return file.ReadString(section, key, kLanguageFileError);
}

std::string MessageTexts::Id(std::string_view section, std::string_view key) {
    // Names compare without regard to case, as in the file.
    std::string id;
    id.reserve(section.size() + key.size() + 1);
    for (char c : section) id.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    id.push_back('\n');
    for (char c : key) id.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return id;
}

void MessageTexts::Load(const ProfileFile& file) {
    for (const MessageKey& k : kMessageKeys)
        texts_[Id(k.section, k.key)] = LangString(file, k.section, k.key);
    loaded_ = true;
}

const std::string& MessageTexts::Text(std::string_view section, std::string_view key) const {
    static const std::string kEmpty;
    static const std::string kError(kLanguageFileError);
    auto it = texts_.find(Id(section, key));
    if (it != texts_.end()) return it->second;
    if (loaded_) return kError;
    for (const MessageKey& k : kMessageKeys)
        if (Id(k.section, k.key) == Id(section, key)) return kEmpty;  // listed, nothing loaded yet
    return kError;
}

const std::string& MessageTexts::Caption(MessageIcon icon) const {
    switch (icon) {
        case MessageIcon::Question:
            return Text("TypeMessages", "Question");
        case MessageIcon::Error:
            return Text("TypeMessages", "Error");
        case MessageIcon::Warning:
            return Text("TypeMessages", "Warning");
        case MessageIcon::Information:
            break;
    }
    return Text("TypeMessages", "Information");
}

}  // namespace kravelo
