#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <regex>
#include <string>
#include <variant>

#include "core/profile_file.h"
#include "core/recent_files.h"
#include "core/settings.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::TempDir;
namespace fs = std::filesystem;

// Makes a folder read-only.
static void ReadOnly(const fs::path& folder) { chmod(folder.c_str(), 0555); }

TEST(Settings, FirstStartWritesEveryKeyAtOnce) {
    TempDir dir;
    Settings s;
    std::string ini = ChooseIniPath(s, dir.path().string(), dir.File("config"));
    EXPECT_EQ(ini, dir.File("kravelo.ini"));
    EXPECT_TRUE(s.FirstStart);  // stays true in memory for this run
    EXPECT_TRUE(std::regex_match(s.DateFrom, std::regex(R"(\d\d-\d\d-\d\d)"))) << s.DateFrom;
    // Every key is written at once (how each is read and written is the next test's), and the
    // next start is no longer the first and counts on from this one.
    const ProfileFile f(ini);
    for (const SettingKey& k : SettingKeys())
        EXPECT_TRUE(f.Find(k.section, k.name)) << k.section << "/" << k.name;
    EXPECT_EQ(f.ReadString("Settings", "FirstStart", ""), "0");
    EXPECT_EQ(f.ReadString("Statistics", "ExecuteCount", ""), "1");
    EXPECT_FALSE(fs::exists(dir.File("config")));
}

TEST(Settings, AnExistingFileIsWrittenBackAsItWas) {
    // Every key away from its default, sections in another order, a comment, an unknown key and
    // a key in other letter case: loading and saving changes nothing but the start count.
    const std::string file =
        "[Statistics]\nDateFrom=01-10-06\nExecuteCount=9\nMovieCount=8\nSubtitleCount=7\nWorkingTime=3600.5\n"
        "TotalMovieTime=5400.04\nTotalMovieSize=7.5e+09\nTotalSubtitlesSize=123456.75\n"
        "; kept as it is\n"
        "[Fonts]\nName=Verdana\nSize=30\nColor=65535\nCharset=0\nBold=1\nItalic=1\nUnderline=1\nStrikeOut=1\n"
        "TransparentFonts=1\nLetItalic=0\nUnknown=kept\n"
        "[FontsWindow]\nName=Tahoma\nSize=14\nColor=16711680\nCharset=1\nBold=0\nItalic=1\nUnderline=1\n"
        "StrikeOut=1\n"
        "[Window]\nLeft=11\nTop=12\nHeight=513\nWidth=714\nWindowState=1\n"
        "[Settings]\nFirstStart=0\nAutoShowSubtitles=0\nAutoPlayMovie=0\nFocusNaPoleEdycyjne=0\n"
        "EditorFontSize=40\nReactionSpeed=0.35\nReactionForEndFrameToo=1\nReactionForDelayCheckToo=1\n"
        "AutoFullScreen=0\nSubtitlesFolder=/home/ala/Napisy z filmów\nBreakFindValue=7.5\n"
        "QuickSubtitleTime=0,8\nCheckForOtherSub=0\nTimePosOnFullScreen=0\nTimePosOnFullScreenMode=3\n"
        "LeaveFramesDifference=0\nAutoOpenSubtitle=0\nSubtitlesElevation=17\nSubtitlesElevationFS=23\n"
        "AfterInsertCursorDown=1\nSubtitleAdjust=0\nDefaultSubtitlesFormat=5\nAutoFullScreenMenu=0\n"
        "AutoTurnOffComputer=1\nzoom=42\nCheckNextVol=0\nFontSizeProgress=14\nDelaySubtitleOn=250\n"
        "CreateBackupFile=0\nEditorEnabled=1\nCompactMode=1\nInfoNotSortSub=1\nAuto100%=0\n"
        "LanguageFile=english.klg\nCustomerBackward=2.25\nCustomerForward=12.5\nMessageBoxPos=1\n"
        "UseIndividualMovieIniFile=0\nMinLengthToIndividualMovieIniFile=45\n"
        "[Chapters]\nWindowWidth=351\nWindowHeight=445\n"
        "[Resolution]\nKindOfResChange=2\nChangeXRes=1024\nChangeYRes=768\nNoMoreThen=1\nNoMoreXRes=1280\n"
        "NoMoreYRes=1024\nKindOfColChange=1\n"
        "[Skin]\nSkinFileName=/opt/kravelo/skins/blue.bmp\nWindowBright=16\nWindowBrightTrack=81\n"
        "FullScrBright=181\nFullScrBrightTrack=161\n"
        "[TrackerWidth]\nVideoSeekTracker=11\nSettingsTracker=7\n"
        "[SSA]\nFont=Arial CE\nFontSize=29\nOutline=4\nShadow=1\nMarginV=11\nPlayResY=305\n"
        "[LastMovie]\nFilename=/films/film.avi\nSubtitleFilename=/films/film.txt\nMoviePosition=1234.56\n"
        "SystemCrashed=1\nRestorePosition=0\nResumeWhenCrashed=0\n"
        "[Reopen]\nFilename1=m1\nFilename2=m2\nFilename3=m3\nFilename4=m4\nFilename5=m5\n"
        "[ReopenTxt]\nFilename1=t1\nFilename2=t2\nFilename3=t3\nFilename4=t4\nFilename5=t5\n";
    TempDir dir;
    const std::string path = dir.Write("kravelo.ini", file);
    Settings loaded, defaults;
    LoadSettings(loaded, path);
    // Every key of the file is away from its default, so the literal below proves each is read.
    for (const SettingKey& k : SettingKeys()) {
        std::visit([&](auto field) { EXPECT_NE(field(loaded), field(defaults)) << k.section << "/" << k.name; },
                   k.field);
    }

    // Written back: each value as it was read (the start count one up).
    ASSERT_TRUE(SaveSettings(loaded, path));
    std::string expected = file;
    expected.replace(expected.find("ExecuteCount=9"), 14, "ExecuteCount=10");
    EXPECT_EQ(TempDir::Read(path), expected);
}

TEST(Settings, MaximisedWindowWritesOnlyItsState) {
    TempDir dir;
    std::string path = dir.File("kravelo.ini");
    Settings s;
    s.Left = 10, s.Top = 20, s.Height = 300, s.Width = 500;
    ASSERT_TRUE(SaveSettings(s, path));

    // Maximised at exit: the normal geometry in the file stays.
    s.WindowState = 2;
    s.Left = -8, s.Top = -8, s.Height = 1040, s.Width = 1936;
    ASSERT_TRUE(SaveSettings(s, path));
    EXPECT_EQ(ProfileFile(path).ReadInt("Window", "Left", -1), 10);

    // The next start (a normal window) takes the stored normal geometry and the state.
    Settings next;
    LoadSettings(next, path);
    EXPECT_EQ(next.WindowState, 2);
    EXPECT_EQ(next.Height, 300);

    // Read while maximised and still maximised in the file: the geometry is not touched.
    Settings max;
    max.WindowState = 2;
    max.Left = 1;
    LoadSettings(max, path);
    EXPECT_EQ(max.Left, 1);
}

TEST(Settings, ReadOnlyProgramFolderUsesTheConfigFolderSeededFromIt) {
    TempDir dir;
    fs::create_directory(dir.path() / "prog");
    dir.Write("prog/kravelo.ini",
              "[Settings]\nFirstStart=0\nAutoPlayMovie=0\n[Statistics]\nExecuteCount=41\n");
    ReadOnly(dir.path() / "prog");
    std::string config = dir.File("home/.config/kravelo");

    Settings s;
    std::string ini = ChooseIniPath(s, dir.File("prog"), config);
    EXPECT_EQ(ini, config + "/kravelo.ini");
    EXPECT_TRUE(s.FirstStart);      // true again for the copied file
    EXPECT_FALSE(fs::exists(ini));  // later saves create it

    // Seeded from the program folder's file, counting on from it.
    SaveAllSettings(s, TChapters{});
    EXPECT_EQ(ProfileFile(ini).ReadInt("Settings", "AutoPlayMovie", -1), 0);

    // The next start reads the configuration folder's file and leaves the program folder's alone.
    Settings next;
    ChooseIniPath(next, dir.File("prog"), config);
    EXPECT_FALSE(next.FirstStart);
    EXPECT_EQ(next.ExecuteCount, 43);
    EXPECT_EQ(TempDir::Read(dir.File("prog/kravelo.ini")),
              "[Settings]\nFirstStart=0\nAutoPlayMovie=0\n[Statistics]\nExecuteCount=41\n");
}

TEST(MovieSettings, WritableFolderKeepsTheMovieFileBesideTheMovie) {
    TempDir dir;
    std::string movie = dir.Write("film.avi", "");
    dir.Write("film.avi.ini",
              "[Settings]\nZoom=40\n[LastMovie]\nMoviePosition=61.5\n[Chapters]\nn0=A\np0=3\n");
    Settings s;
    s.MoviePosition = 99;
    TChapters chapters;
    OpenMovieSettings(s, chapters, movie);
    // Read, and saved at once beside the movie: the five per-movie keys are in the file with the
    // values read, the chapters stay as they were.
    EXPECT_EQ(s.MovieIniPath, movie + ".ini");
    EXPECT_EQ(TempDir::Read(movie + ".ini"),
              "[Settings]\nZoom=40\nSubtitlesElevationFS=0\n[LastMovie]\nMoviePosition=61.5\n"
              "RestorePosition=1\n[Chapters]\nn0=A\np0=3\n[Fonts]\nTransparentFonts=0\n");
}

TEST(MovieSettings, ReadOnlyFolderFallsBackToTheSubtitlesFolderOrToNoFile) {
    TempDir dir;
    fs::create_directory(dir.path() / "cd");
    fs::create_directory(dir.path() / "subs");
    std::string movie = dir.Write("cd/film.avi", "");
    ReadOnly(dir.path() / "cd");
    dir.Write("subs/film.avi.ini", "[LastMovie]\nMoviePosition=12.5\n[Settings]\nZoom=33\n");

    // No usable subtitles folder (shorter than two characters): no per-movie file at all.
    Settings s;
    s.MoviePosition = 99;
    s.SubtitlesFolder = "/";
    s.IniPath = dir.File("kravelo.ini");
    TChapters chapters;
    OpenMovieSettings(s, chapters, movie);
    EXPECT_EQ(s.MovieIniPath, "");
    EXPECT_EQ(s.MoviePosition, 0.0f);
    SaveAllResult none = SaveAllSettings(s, chapters);
    EXPECT_FALSE(none.movie);
    EXPECT_FALSE(none.chapters);

    s.SubtitlesFolder = dir.File("subs");
    OpenMovieSettings(s, chapters, movie);
    EXPECT_EQ(s.MovieIniPath, dir.File("subs/film.avi.ini"));
    EXPECT_EQ(s.MoviePosition, 12.5f);
    // The subtitles folder's file: only loaded there, not saved.
    EXPECT_EQ(TempDir::Read(s.MovieIniPath), "[LastMovie]\nMoviePosition=12.5\n[Settings]\nZoom=33\n");

    chapters.Insert({"Intro", 90});
    s.MoviePosition = 100.25f;
    SaveAllSettings(s, chapters);
    ProfileFile f(s.MovieIniPath);
    EXPECT_EQ(f.ReadFloat("LastMovie", "MoviePosition", 0), 100.25);
    EXPECT_EQ(f.ReadString("Chapters", "n0", ""), "Intro");
}

TEST(MovieSettings, SwitchOffKeepsValuesButStillWritesChapters) {
    TempDir dir;
    std::string path = dir.Write("film.avi.ini", "[Settings]\nZoom=40\n[LastMovie]\nMoviePosition=61.5\n");
    Settings s;
    s.UseIndividualMovieIniFile = false;
    EXPECT_FALSE(UseMovieSettingsFor(s, 3 * 3600));  // whatever the movie's length
    s.MoviePosition = 5;
    LoadMovieSettings(s, path);
    EXPECT_EQ(s.MoviePosition, 0.0f);
    EXPECT_EQ(s.Zoom, 5);

    TChapters none;
    ASSERT_TRUE(SaveMovieSettings(s, none, dir.File("other.avi.ini")));
    EXPECT_FALSE(fs::exists(dir.File("other.avi.ini")));  // nothing to write

    TChapters chapters;
    chapters.Insert({"Scene", 7});
    ASSERT_TRUE(SaveMovieSettings(s, chapters, dir.File("other.avi.ini")));
    EXPECT_EQ(TempDir::Read(dir.File("other.avi.ini")), "[Chapters]\nn0=Scene\np0=7\nn1=\np1=0\n");
}

TEST(MovieSettings, SaveAllGoesOnAfterAFailedStep) {
    TempDir dir;
    fs::create_directory(dir.path() / "prog");
    ReadOnly(dir.path() / "prog");
    Settings s;
    s.IniPath = dir.File("prog/kravelo.ini");
    s.MovieIniPath = dir.File("film.avi.ini");
    s.Zoom = 12;
    TChapters chapters;
    SaveAllResult r = SaveAllSettings(s, chapters);
    EXPECT_FALSE(r.settings);
    EXPECT_TRUE(r.chapters);
    // (What an empty chapter table writes: EveryMovieHasAPlaceForItsChapters.)
    EXPECT_EQ(ProfileFile(s.MovieIniPath).ReadInt("Settings", "Zoom", 0), 12);
}

TEST(RecentFiles, AddMovesToTheTopAndDropsTheOldest) {
    RecentList list;
    for (const char* p : {"/1", "/2", "/3", "/4", "/5", "/6"}) AddRecent(list, p);
    EXPECT_EQ(list, (RecentList{"/6", "/5", "/4", "/3", "/2"}));
    RecentList mixed{"/a/X.txt", "/a/y.txt", "/a/z.txt", "", ""};
    AddRecent(mixed, "/a/Y.TXT");
    EXPECT_EQ(mixed, (RecentList{"/a/Y.TXT", "/a/X.txt", "/a/z.txt", "", ""}));
    AddRecent(mixed, "");
    EXPECT_EQ(mixed[0], "/a/Y.TXT");

    // Relative names are stored absolute in the current folder: the same file named three ways
    // is one entry, which still opens after a start from elsewhere.
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "filmy");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path() / "filmy");
    RecentList relative;
    AddRecent(relative, "film.avi");
    AddRecent(relative, dir.File("filmy/film.avi"));
    AddRecent(relative, "../filmy/./FILM.avi");
    std::filesystem::current_path(before);
    EXPECT_EQ(relative, (RecentList{dir.File("filmy/FILM.avi"), "", "", "", ""}));
}

// Chapters belong to every movie: a short movie, or per-movie files switched off, still keeps
// them beside the movie (or in the subtitles folder on a read-only medium), while the five
// per-movie keys follow the switch and the length rule.
TEST(MovieSettings, EveryMovieHasAPlaceForItsChapters) {
    TempDir dir;
    std::string movie = dir.Write("clip.avi", "");
    Settings s;
    s.IniPath = dir.File("kravelo.ini");
    // Only movies of 20 minutes or more get a per-movie file.
    EXPECT_TRUE(UseMovieSettingsFor(s, 20 * 60));
    ASSERT_FALSE(UseMovieSettingsFor(s, 20 * 60 - 1));
    s.ChaptersIniPath = ChaptersPathFor(s, movie);

    // Nothing to keep: no file is made.
    TChapters chapters;
    SaveAllSettings(s, chapters);
    EXPECT_FALSE(fs::exists(movie + ".ini"));

    chapters.Insert({"Scene", 42});
    s.Zoom = 77;
    EXPECT_FALSE(SaveAllSettings(s, chapters).movie);
    // The chapters alone, beside the movie: the per-movie keys stay out.
    EXPECT_EQ(TempDir::Read(movie + ".ini"), "[Chapters]\nn0=Scene\np0=42\nn1=\np1=0\n");

    // All deleted: the file says so, so they do not come back.
    SaveAllSettings(s, TChapters{});
    EXPECT_EQ(TempDir::Read(movie + ".ini"), "[Chapters]\nn0=\np0=0\nn1=\np1=0\n");

    // Read-only medium: the subtitles folder, as for the per-movie file; with no such folder, none.
    fs::create_directory(dir.path() / "cd");
    fs::create_directory(dir.path() / "subs");
    std::string onCd = dir.Write("cd/film.avi", "");
    dir.Write("cd/film.avi.ini", "");  // writable itself, but it cannot be replaced in that folder
    ReadOnly(dir.path() / "cd");
    s.SubtitlesFolder = dir.File("subs");
    EXPECT_EQ(ChaptersPathFor(s, onCd), dir.File("subs/film.avi.ini"));
    s.SubtitlesFolder = "/";
    EXPECT_EQ(ChaptersPathFor(s, onCd), "");
    // A write-protected file beside a writable movie counts as read-only too.
    std::string locked = dir.Write("locked.avi", "");
    dir.Write("locked.avi.ini", "[Chapters]\nn0=Old\np0=1\n");
    fs::permissions(locked + ".ini", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    s.SubtitlesFolder = dir.File("subs");
    EXPECT_EQ(ChaptersPathFor(s, locked), dir.File("subs/locked.avi.ini"));
}
