#pragma once
// The subtitle file that belongs to a movie, and the language versions of a subtitle file:
// film.txt, film_en.txt and film_pl.txt all match the pattern film*.txt of film.txt. Plain C++;
// the file system is reached through a FileProbe, so tests can answer from their own lists.
//
// Opening a movie (the matching subtitle file):
//
//     const bool versions = settings.CheckForOtherSub && offerChoice;
//     std::string sub = MatchingSubtitleCandidate(movie, settings.SubtitlesFolder, versions,
//                                                 RealFileProbe());
//     if (!sub.empty() && ConfirmDiscard()) OpenSubtitleFile(sub, offerChoice);
//
// Pass checkForOtherSub only when the chooser will really be offered for the result: a
// candidate found through another version (film_pl.txt for film.txt) is only a pattern, and
// opening it without the chooser would fail.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kravelo {

// /a/film.txt -> folder "/a/" (with its separator; empty for a bare name), stem "film",
// extension ".txt" (from the last "." of the name; empty when the name has none).
struct VersionPattern {
    std::string folder;
    std::string stem;
    std::string extension;
};
VersionPattern VersionPatternOf(const std::string& path);

// A file name (no folder) matches stem + "*" + extension. Letter case counts, as it does for
// the file system.
bool MatchesVersionPattern(std::string_view name, const VersionPattern& pattern);

struct FileProbe {
    std::function<bool(const std::string& path)> exists;  // a regular file (or a link to one)
    // Names of the regular files in a folder ("" = the current folder).
    std::function<std::vector<std::string>(const std::string& folder)> list;
};
FileProbe RealFileProbe();

// The matching names in the pattern's folder, sorted by name ignoring letter case.
std::vector<std::string> ListVersions(const VersionPattern& pattern, const FileProbe& probe);

// With CheckForOtherSub: any file matches the path's pattern; without: the file itself exists.
bool SubtitleCandidateExists(const std::string& path, bool checkForOtherSub, const FileProbe& probe);

// The subtitle path to open for a movie, empty for none: <movie name>.txt in subtitlesFolder
// when that folder is set and has a candidate, else beside the movie. A movie name without an
// extension or without anything before it gives no candidate.
std::string MatchingSubtitleCandidate(const std::string& moviePath, const std::string& subtitlesFolder,
                                      bool checkForOtherSub, const FileProbe& probe);

}  // namespace kravelo
