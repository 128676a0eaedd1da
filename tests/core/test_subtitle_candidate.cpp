// The matching subtitle file of a movie and the language versions of a subtitle file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/subtitle_candidate.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::TempDir;
namespace fs = std::filesystem;

namespace {

// A file system made of a list of paths.
FileProbe ListProbe(std::vector<std::string> paths) {
    FileProbe probe;
    probe.exists = [paths](const std::string& p) { return std::find(paths.begin(), paths.end(), p) != paths.end(); };
    probe.list = [paths](const std::string& folder) {
        std::vector<std::string> names;
        for (const std::string& p : paths) {
            VersionPattern split = VersionPatternOf(p);
            if (split.folder == folder) names.push_back(split.stem + split.extension);
        }
        return names;
    };
    return probe;
}

}  // namespace

TEST(SubtitleCandidate, SubtitlesFolderFirstThenBesideTheMovie) {
    const std::string movie = "/filmy/film.avi";
    auto find = [&](std::vector<std::string> files, const std::string& folder, bool versions) {
        return MatchingSubtitleCandidate(movie, folder, versions, ListProbe(std::move(files)));
    };
    // Both present: the subtitles folder wins, with or without its closing separator.
    EXPECT_EQ(find({"/sub/film.txt", "/filmy/film.txt"}, "/sub", false), "/sub/film.txt");
    EXPECT_EQ(find({"/sub/film.txt", "/filmy/film.txt"}, "/sub/", false), "/sub/film.txt");
    EXPECT_EQ(find({"/sub/film.txt", "/filmy/film.txt"}, "", false), "/filmy/film.txt");
    EXPECT_EQ(find({"/sub/inny.txt", "/filmy/film.txt"}, "/sub", false), "/filmy/film.txt");
    EXPECT_EQ(find({"/sub/inny.txt"}, "/sub", false), "");

    // Another version counts only when the chooser will be offered; the path given is the
    // pattern's file, which the chooser turns into the version to open.
    EXPECT_EQ(find({"/sub/film_pl.txt", "/filmy/film.txt"}, "/sub", true), "/sub/film.txt");
    EXPECT_EQ(find({"/sub/film_pl.txt", "/filmy/film.txt"}, "/sub", false), "/filmy/film.txt");

    // The candidate keeps the movie's name and takes "txt"; names without a usable extension
    // (even when a folder has a dot) give none.
    FileProbe all = ListProbe({"/a/Film.txt", "/a.b/film.txt", "/a/.txt", "/a/x.txt"});
    EXPECT_EQ(MatchingSubtitleCandidate("/a/Film.AVI", "", false, all), "/a/Film.txt");
    EXPECT_EQ(MatchingSubtitleCandidate("/a.b/film", "", true, all), "");
    EXPECT_EQ(MatchingSubtitleCandidate("/a/.avi", "", true, all), "");
    EXPECT_EQ(MatchingSubtitleCandidate("/a/film.avi", "", false, all), "");  // letter case counts
}

TEST(SubtitleCandidate, VersionPatternMatchesAndSorts) {
    const VersionPattern film = VersionPatternOf("/d/film.txt");
    EXPECT_EQ(film.folder, "/d/");
    for (const char* yes : {"film.txt", "film_pl.txt", "filmEN.txt", "film.en.txt"})
        EXPECT_TRUE(MatchesVersionPattern(yes, film)) << yes;
    for (const char* no : {"film.txt.bak", "xfilm.txt", "FILM.TXT", "film.srt", "fil.txt"})
        EXPECT_FALSE(MatchesVersionPattern(no, film)) << no;
    // Stem and extension may not share characters: film.t*.txt does not match film.txt.
    EXPECT_FALSE(MatchesVersionPattern("film.txt", VersionPatternOf("film.t.txt")));
    EXPECT_EQ(VersionPatternOf("film.txt").folder, "");

    const FileProbe probe = ListProbe({"/d/film_B.txt", "/d/film_a.txt", "/d/film.txt", "/d/inny.txt", "/e/film_c.txt"});
    EXPECT_EQ(ListVersions(film, probe), (std::vector<std::string>{"film.txt", "film_a.txt", "film_B.txt"}));
    EXPECT_TRUE(SubtitleCandidateExists("/e/film.txt", true, probe));
    EXPECT_FALSE(SubtitleCandidateExists("/e/film.txt", false, probe));

    // The real file system: directories are not versions.
    TempDir dir;
    dir.Write("film_pl.txt", "x");
    fs::create_directory(dir.path() / "film_dir.txt");
    EXPECT_EQ(ListVersions(VersionPatternOf(dir.File("film.txt")), RealFileProbe()),
              std::vector<std::string>{"film_pl.txt"});
}
