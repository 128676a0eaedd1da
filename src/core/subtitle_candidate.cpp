#include "core/subtitle_candidate.h"

#include <algorithm>
#include <filesystem>

#include "core/text_util.h"

namespace kravelo {

namespace fs = std::filesystem;

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                   [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
    if (less) return true;
    // Names equal but for case keep a fixed order.
    return EqualsNoCase(a, b) && a < b;
}

}  // namespace

VersionPattern VersionPatternOf(const std::string& path) {
    VersionPattern p;
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    p.folder = path.substr(0, nameStart);
    const std::string name = path.substr(nameStart);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        p.stem = name;
    } else {
        p.stem = name.substr(0, dot);
        p.extension = name.substr(dot);
    }
    return p;
}

bool MatchesVersionPattern(std::string_view name, const VersionPattern& p) {
    return name.size() >= p.stem.size() + p.extension.size() && name.starts_with(p.stem) &&
           name.ends_with(p.extension);
}

FileProbe RealFileProbe() {
    FileProbe probe;
    probe.exists = [](const std::string& path) {
        std::error_code ec;
        return fs::is_regular_file(path, ec);
    };
    probe.list = [](const std::string& folder) {
        std::vector<std::string> names;
        std::error_code ec;
        for (fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec), end;
             !ec && it != end; it.increment(ec)) {
            std::error_code typeError;
            if (it->is_regular_file(typeError)) names.push_back(it->path().filename().string());
        }
        return names;
    };
    return probe;
}

std::vector<std::string> ListVersions(const VersionPattern& pattern, const FileProbe& probe) {
    std::vector<std::string> names = probe.list(pattern.folder);
    std::erase_if(names, [&](const std::string& n) { return !MatchesVersionPattern(n, pattern); });
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

bool SubtitleCandidateExists(const std::string& path, bool checkForOtherSub, const FileProbe& probe) {
    if (!checkForOtherSub) return probe.exists(path);
    return !ListVersions(VersionPatternOf(path), probe).empty();
}

std::string MatchingSubtitleCandidate(const std::string& moviePath, const std::string& subtitlesFolder,
                                      bool checkForOtherSub, const FileProbe& probe) {
    const VersionPattern movie = VersionPatternOf(moviePath);
    // Without an extension the candidate would be meaningless; without a stem its pattern
    // (*.txt) would offer every text file of the folder.
    if (movie.extension.empty() || movie.stem.empty()) return {};
    const std::string name = movie.stem + ".txt";
    if (!subtitlesFolder.empty()) {
        std::string inFolder = subtitlesFolder;
        if (inFolder.back() != '/') inFolder += '/';
        inFolder += name;
        if (SubtitleCandidateExists(inFolder, checkForOtherSub, probe)) return inFolder;
    }
    const std::string beside = movie.folder + name;
    if (SubtitleCandidateExists(beside, checkForOtherSub, probe)) return beside;
    return {};
}

}  // namespace kravelo
