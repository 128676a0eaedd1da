#include "core/media_types.h"

#include <algorithm>

namespace kravelo {

namespace {

struct TypeOfExtension {
    const char* extension;
    const char* mimeType;
};

// Types as the shared MIME database names them; the few classic extensions it does not know
// get the type of what they hold (MPEG video, Indeo video). MPEG audio (mpa) goes with MPEG
// video: as audio/mpeg, making Kravelo its default would take over every MP3 as well.
constexpr TypeOfExtension kMovieTypes[] = {
    {"avi", "video/x-msvideo"}, {"mpg", "video/mpeg"},       {"mpe", "video/mpeg"},
    {"mpeg", "video/mpeg"},     {"mov", "video/quicktime"},  {"asf", "application/vnd.ms-asf"},
    {"m1v", "video/mpeg"},      {"mp2", "video/mpeg"},       {"ivf", "video/x-ivf"},
    {"mp2v", "video/mpeg"},     {"mpa", "video/mpeg"},       {"mpv2", "video/mpeg"},
    {"qt", "video/quicktime"},  {"mkv", "video/x-matroska"}, {"mp4", "video/mp4"},
    {"m4v", "video/mp4"},       {"webm", "video/webm"},      {"ogv", "video/ogg"},
    {"ts", "video/mp2t"},       {"m2ts", "video/mp2t"},      {"flv", "video/x-flv"},
    {"3gp", "video/3gpp"},
};

constexpr TypeOfExtension kSubtitleTypes[] = {
    {"txt", "text/plain"},
    {"ssa", "text/x-ssa"},
    {"srt", "application/x-subrip"},
};

template <std::size_t N>
std::vector<std::string> Extensions(const TypeOfExtension (&types)[N]) {
    std::vector<std::string> list;
    for (const TypeOfExtension& t : types) list.emplace_back(t.extension);
    return list;
}

bool InList(const std::vector<std::string>& list, const std::string& extension) {
    return !extension.empty() && std::find(list.begin(), list.end(), extension) != list.end();
}

}  // namespace

const std::vector<std::string>& MovieExtensions() {
    static const std::vector<std::string> list = Extensions(kMovieTypes);
    return list;
}

const std::vector<std::string>& SubtitleExtensions() {
    static const std::vector<std::string> list = Extensions(kSubtitleTypes);
    return list;
}

std::string FileExtension(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {};
    std::string ext(name.substr(dot + 1));
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

bool IsMovieFile(std::string_view path) { return InList(MovieExtensions(), FileExtension(path)); }

bool IsSubtitleFile(std::string_view path) { return InList(SubtitleExtensions(), FileExtension(path)); }

std::string MimeTypeOfExtension(std::string_view extension) {
    for (const TypeOfExtension& t : kMovieTypes)
        if (extension == t.extension) return t.mimeType;
    for (const TypeOfExtension& t : kSubtitleTypes)
        if (extension == t.extension) return t.mimeType;
    return {};
}

std::vector<std::string> OpenedMimeTypes() {
    std::vector<std::string> types;
    auto add = [&types](const char* type) {
        if (std::find(types.begin(), types.end(), type) == types.end()) types.emplace_back(type);
    };
    for (const TypeOfExtension& t : kMovieTypes) add(t.mimeType);
    for (const TypeOfExtension& t : kSubtitleTypes) add(t.mimeType);
    return types;
}

std::string MovieOpenFilter() {
    std::string patterns;
    for (const std::string& ext : MovieExtensions()) {
        if (!patterns.empty()) patterns += ';';
        patterns += "*." + ext;
    }
    return "Pliki wideo (" + patterns + ")|" + patterns + "|Wszystkie pliki (*.*)|*";
}

}  // namespace kravelo
