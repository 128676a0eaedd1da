#pragma once
// The settings store: every section and key of the settings file "kravelo.ini", the per-movie
// files, and when each is read and written. Plain C++, no Qt: the values live in one `Settings`
// object, named after their keys, whose member initialisers are the defaults; one table
// (SettingKeys) ties each key to its field. The parts of the program that own fonts, timers,
// menu ticks and windows apply the values and copy them back.
//
// Typical use by the main window:
//
//     Settings settings;                       // the defaults
//     ChooseIniPath(settings, ProgramFolder(), DefaultConfigFolder());  // start: load + save
//     ...apply settings to the window...
//     OpenMovieSettings(settings, chapters, movie);      // a movie was opened
//     SaveAllSettings(settings, chapters);                // close, options confirmed, ...

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "core/chapters.h"
#include "core/ssa.h"

namespace kravelo {

// A subtitle font as sections "Fonts" and "FontsWindow" hold it.
struct FontSettings {
    std::string Name = "Arial";
    int Size = 22;
    int Color = 16777215;  // Windows COLORREF 0x00BBGGRR; 0xFFFFFF white
    int Charset = 238;     // Central European
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
};

struct Settings {
    // --- "Fonts": the full-screen subtitle font and two subtitle switches.
    FontSettings FontFullScreen;
    bool TransparentFonts = false;
    bool LetItalic = true;
    // --- "FontsWindow": the windowed subtitle font.
    FontSettings FontWindow{"Arial", 12, 16777215, 238, true, false, false, false};

    // --- "Window": main window placement. Keep WindowState equal to the window's state
    // (0 normal, 1 minimised, 2 maximised) and Left..Width to its normal geometry: the geometry
    // is written only while the state is normal, and is not read while the window is maximised.
    int WindowState = 0;
    int Left = 100;
    int Top = 100;
    int Height = 400;
    int Width = 600;

    // --- "Settings".
    bool FirstStart = true;  // no settings file existed yet; always written as 0
    bool AutoShowSubtitles = true;
    bool AutoPlayMovie = true;
    bool FocusNaPoleEdycyjne = true;
    int EditorFontSize = 9;  // applied as read; only the options dialog checks 6..22
    double ReactionSpeed = 0.0;
    bool ReactionForEndFrameToo = false;
    bool ReactionForDelayCheckToo = false;
    std::string BreakFindValue = "10.0";
    std::string QuickSubtitleTime = "1.0";
    bool AutoFullScreen = true;
    std::string SubtitlesFolder;
    bool CheckForOtherSub = true;
    bool TimePosOnFullScreen = true;
    int TimePosOnFullScreenMode = 1;
    bool LeaveFramesDifference = true;
    bool AutoOpenSubtitle = true;
    int SubtitlesElevation = 1;
    int SubtitlesElevationFS = 0;
    bool AfterInsertCursorDown = false;
    bool SubtitleAdjust = true;
    int DefaultSubtitlesFormat = 3;
    bool AutoFullScreenMenu = true;
    bool AutoTurnOffComputer = false;
    int Zoom = 5;
    bool CheckNextVol = true;
    int FontSizeProgress = 10;
    int DelaySubtitleOn = 10;  // ms
    bool CreateBackupFile = true;
    bool EditorEnabled = false;
    bool CompactMode = false;
    bool InfoNotSortSub = false;
    bool Auto100 = true;  // key "Auto100%"
    std::string LanguageFile = "polski.klg";
    double CustomerBackward = 3.0;
    double CustomerForward = 3.0;
    int MessageBoxPos = 2;
    bool UseIndividualMovieIniFile = true;
    int MinLengthToIndividualMovieIniFile = 20;  // minutes

    // --- "Chapters": size of the chapters window (keys "WindowWidth", "WindowHeight").
    int ChaptersWindowWidth = 350;
    int ChaptersWindowHeight = 444;

    // --- "Resolution".
    int KindOfResChange = 0;
    int ChangeXRes = 800;
    int ChangeYRes = 600;
    bool NoMoreThen = false;
    int NoMoreXRes = 800;
    int NoMoreYRes = 600;
    int KindOfColChange = 0;

    // --- "Skin".
    std::string SkinFileName;
    int WindowBright = 15;
    int WindowBrightTrack = 80;
    int FullScrBright = 180;
    int FullScrBrightTrack = 160;

    // --- "TrackerWidth".
    int SettingsTracker = 6;
    int VideoSeekTracker = 10;

    // --- "SSA": keys "Font", "FontSize", "Outline", "Shadow", "MarginV", "PlayResY".
    SsaOptions SSA;

    // --- "LastMovie".
    std::string LastMovieFile;   // key "Filename"
    std::string LastSubFile;     // key "SubtitleFilename"
    float MoviePosition = 0.0f;  // seconds, single precision as designed
    bool SystemCrashed = false;
    bool RestorePosition = true;
    bool ResumeWhenCrashed = true;

    // --- "Reopen" and "ReopenTxt": keys "Filename1".."Filename5", most recent first.
    std::array<std::string, 5> ReopenMovies;
    std::array<std::string, 5> ReopenTxt;

    // --- "Statistics".
    std::string DateFrom;  // "yy-mm-dd"; read with today as the default
    int ExecuteCount = 0;  // incremented when read
    int MovieCount = 0;
    int SubtitleCount = 0;
    double WorkingTime = 0.0;
    double TotalMovieTime = 0.0;
    double TotalMovieSize = 0.0;
    double TotalSubtitlesSize = 0.0;

    // --- Paths held by the store (not in the file).
    std::string IniPath;         // the settings file in use, fixed by ChooseIniPath
    std::string ProgramIniPath;  // the program folder's "kravelo.ini"
    std::string MovieIniPath;    // per-movie file of the open movie; empty when none
    // Where the open movie's chapters are kept: MovieIniPath when the movie has its per-movie
    // file, otherwise the same place by the same rule (ChaptersPathFor), so every movie keeps
    // its chapters whatever the per-movie switch and the movie's length. Empty when none.
    std::string ChaptersIniPath;
};

// The field a key fills, named by an accessor; its type is the key's type (bool and int keys
// are written as whole numbers, float and double ones as the shortest text that reads back the
// same value), and its value in a default-made Settings is the key's default.
template <class T>
using SettingField = T& (*)(Settings&);

// How a key is read and written beyond "read with its default, write its value".
enum class KeyRule {
    Plain,
    PerMovie,         // also one of the five keys of the per-movie files
    WindowGeometry,   // the normal geometry: written only while WindowState is 0, and not read
                      // while the window is maximised and the file says maximised too
    WrittenAsFalse,   // FirstStart: always written as 0
    CountsThisStart,  // ExecuteCount: read as the file's value + 1
    TodayByDefault,   // DateFrom: read with today as the default, written as today when empty
};

struct SettingKey {
    std::string_view section;
    std::string_view name;
    std::variant<SettingField<bool>, SettingField<int>, SettingField<float>, SettingField<double>,
                 SettingField<std::string>>
        field;
    KeyRule rule = KeyRule::Plain;
};

// Every key of the settings file in the order SaveSettings writes them.
std::span<const SettingKey> SettingKeys();

// Today in the program's short date format, "yy-mm-dd".
std::string TodayShortDate();

// Reads every key of SettingKeys. Never fails: a missing file, section or key, or a value
// that does not parse, gives the default. ExecuteCount becomes the file's value + 1.
void LoadSettings(Settings& settings, const std::string& path);
// Writes every key (keeping the file's other lines). False with a message when it cannot.
bool SaveSettings(const Settings& settings, const std::string& path, std::string* error = nullptr);

// Start-up choice of the settings file. IniPath = programFolder/kravelo.ini, loaded and saved
// at once; when that save fails (a folder the user cannot write), IniPath =
// configFolder/kravelo.ini (the folder is created) and loaded; when no file is there yet, the
// program folder's file seeds the settings and FirstStart is true again. Returns IniPath.
std::string ChooseIniPath(Settings& settings, const std::string& programFolder,
                          const std::string& configFolder);

// The condition for using per-movie files with a movie of this length.
bool UseMovieSettingsFor(const Settings& settings, double movieLengthSeconds);

// A movie was opened: MovieIniPath = movie + ".ini", loaded and saved. When the save fails
// (a read-only medium), MovieIniPath = SubtitlesFolder/<movie file name>.ini when
// SubtitlesFolder has at least two characters, else empty, and that file is only loaded.
void OpenMovieSettings(Settings& settings, const TChapters& chapters, const std::string& moviePath);
// MoviePosition = 0; then, when per-movie files are on and the file exists, the five
// per-movie keys.
void LoadMovieSettings(Settings& settings, const std::string& path);
// The chapters first when the movie has any (whatever the per-movie switch says), then the
// five per-movie keys when per-movie files are on. An empty path writes nothing.
bool SaveMovieSettings(const Settings& settings, const TChapters& chapters, const std::string& path,
                       std::string* error = nullptr);
// The place for the chapters of a movie without a per-movie file: movie + ".ini" when that
// file (or, for a new file, its folder) can be written; otherwise SubtitlesFolder/<movie file
// name>.ini when SubtitlesFolder has at least two characters; otherwise empty. Nothing is written.
std::string ChaptersPathFor(const Settings& settings, const std::string& moviePath);
// The movie's chapters: cleared, then read from `path` when it names an existing file.
void LoadChapters(TChapters& chapters, const std::string& path);
// The chapters and their terminating pair.
bool SaveChapters(const TChapters& chapters, const std::string& path, std::string* error = nullptr);

// What SaveAllSettings managed; the program itself ignores it (each step goes on after a failure).
struct SaveAllResult {
    bool settings = false;
    bool movie = false;
    bool chapters = false;
};
// SaveSettings(IniPath), SaveMovieSettings(MovieIniPath), then the chapters to ChaptersIniPath
// (MovieIniPath when that is empty): each step runs whatever the one before did. A movie step
// without its path does nothing. A chapters place that is not the per-movie file is written
// only when there are chapters or the file exists already (deleted chapters stay deleted), so
// short movies do not get a file each.
SaveAllResult SaveAllSettings(const Settings& settings, const TChapters& chapters);

}  // namespace kravelo
