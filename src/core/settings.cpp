#include "core/settings.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <type_traits>

#include <sys/stat.h>
#include <unistd.h>

#include "core/profile_file.h"

namespace kravelo {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFonts = "Fonts";
constexpr std::string_view kFontsWindow = "FontsWindow";
constexpr std::string_view kWindow = "Window";
constexpr std::string_view kSettings = "Settings";
constexpr std::string_view kChapters = "Chapters";
constexpr std::string_view kResolution = "Resolution";
constexpr std::string_view kSkin = "Skin";
constexpr std::string_view kTracker = "TrackerWidth";
constexpr std::string_view kSsa = "SSA";
constexpr std::string_view kLastMovie = "LastMovie";
constexpr std::string_view kReopen = "Reopen";
constexpr std::string_view kReopenTxt = "ReopenTxt";
constexpr std::string_view kStatistics = "Statistics";

// Accessors for the table: a member of Settings, a member of one of its members, an entry of
// one of its arrays.
template <auto Member>
constexpr auto F() {
    return +[](Settings& s) -> auto& { return s.*Member; };
}
template <auto Group, auto Member>
constexpr auto F() {
    return +[](Settings& s) -> auto& { return (s.*Group).*Member; };
}
template <auto List, std::size_t Index>
constexpr auto Entry() {
    return +[](Settings& s) -> auto& { return (s.*List)[Index]; };
}

constexpr auto kFull = &Settings::FontFullScreen;
constexpr auto kWin = &Settings::FontWindow;
using Font = FontSettings;
using K = KeyRule;

constexpr SettingKey kKeys[] = {
    {kFonts, "Name", F<kFull, &Font::Name>()},
    {kFonts, "Size", F<kFull, &Font::Size>()},
    {kFonts, "Color", F<kFull, &Font::Color>()},
    {kFonts, "Charset", F<kFull, &Font::Charset>()},
    {kFonts, "Bold", F<kFull, &Font::Bold>()},
    {kFonts, "Italic", F<kFull, &Font::Italic>()},
    {kFonts, "Underline", F<kFull, &Font::Underline>()},
    {kFonts, "StrikeOut", F<kFull, &Font::StrikeOut>()},
    {kFonts, "TransparentFonts", F<&Settings::TransparentFonts>(), K::PerMovie},
    {kFonts, "LetItalic", F<&Settings::LetItalic>()},
    {kFontsWindow, "Name", F<kWin, &Font::Name>()},
    {kFontsWindow, "Size", F<kWin, &Font::Size>()},
    {kFontsWindow, "Color", F<kWin, &Font::Color>()},
    {kFontsWindow, "Charset", F<kWin, &Font::Charset>()},
    {kFontsWindow, "Bold", F<kWin, &Font::Bold>()},
    {kFontsWindow, "Italic", F<kWin, &Font::Italic>()},
    {kFontsWindow, "Underline", F<kWin, &Font::Underline>()},
    {kFontsWindow, "StrikeOut", F<kWin, &Font::StrikeOut>()},

    {kWindow, "Left", F<&Settings::Left>(), K::WindowGeometry},
    {kWindow, "Top", F<&Settings::Top>(), K::WindowGeometry},
    {kWindow, "Height", F<&Settings::Height>(), K::WindowGeometry},
    {kWindow, "Width", F<&Settings::Width>(), K::WindowGeometry},
    {kWindow, "WindowState", F<&Settings::WindowState>()},

    {kSettings, "FirstStart", F<&Settings::FirstStart>(), K::WrittenAsFalse},
    {kSettings, "AutoShowSubtitles", F<&Settings::AutoShowSubtitles>()},
    {kSettings, "AutoPlayMovie", F<&Settings::AutoPlayMovie>()},
    {kSettings, "FocusNaPoleEdycyjne", F<&Settings::FocusNaPoleEdycyjne>()},
    {kSettings, "EditorFontSize", F<&Settings::EditorFontSize>()},
    {kSettings, "ReactionSpeed", F<&Settings::ReactionSpeed>()},
    {kSettings, "ReactionForEndFrameToo", F<&Settings::ReactionForEndFrameToo>()},
    {kSettings, "ReactionForDelayCheckToo", F<&Settings::ReactionForDelayCheckToo>()},
    {kSettings, "AutoFullScreen", F<&Settings::AutoFullScreen>()},
    {kSettings, "SubtitlesFolder", F<&Settings::SubtitlesFolder>()},
    {kSettings, "BreakFindValue", F<&Settings::BreakFindValue>()},
    {kSettings, "QuickSubtitleTime", F<&Settings::QuickSubtitleTime>()},
    {kSettings, "CheckForOtherSub", F<&Settings::CheckForOtherSub>()},
    {kSettings, "TimePosOnFullScreen", F<&Settings::TimePosOnFullScreen>()},
    {kSettings, "TimePosOnFullScreenMode", F<&Settings::TimePosOnFullScreenMode>()},
    {kSettings, "LeaveFramesDifference", F<&Settings::LeaveFramesDifference>()},
    {kSettings, "AutoOpenSubtitle", F<&Settings::AutoOpenSubtitle>()},
    {kSettings, "SubtitlesElevation", F<&Settings::SubtitlesElevation>()},
    {kSettings, "SubtitlesElevationFS", F<&Settings::SubtitlesElevationFS>(), K::PerMovie},
    {kSettings, "AfterInsertCursorDown", F<&Settings::AfterInsertCursorDown>()},
    {kSettings, "SubtitleAdjust", F<&Settings::SubtitleAdjust>()},
    {kSettings, "DefaultSubtitlesFormat", F<&Settings::DefaultSubtitlesFormat>()},
    {kSettings, "AutoFullScreenMenu", F<&Settings::AutoFullScreenMenu>()},
    {kSettings, "AutoTurnOffComputer", F<&Settings::AutoTurnOffComputer>()},
    {kSettings, "Zoom", F<&Settings::Zoom>(), K::PerMovie},
    {kSettings, "CheckNextVol", F<&Settings::CheckNextVol>()},
    {kSettings, "FontSizeProgress", F<&Settings::FontSizeProgress>()},
    {kSettings, "DelaySubtitleOn", F<&Settings::DelaySubtitleOn>()},
    {kSettings, "CreateBackupFile", F<&Settings::CreateBackupFile>()},
    {kSettings, "EditorEnabled", F<&Settings::EditorEnabled>()},
    {kSettings, "CompactMode", F<&Settings::CompactMode>()},
    {kSettings, "InfoNotSortSub", F<&Settings::InfoNotSortSub>()},
    {kSettings, "Auto100%", F<&Settings::Auto100>()},
    {kSettings, "LanguageFile", F<&Settings::LanguageFile>()},
    {kSettings, "CustomerBackward", F<&Settings::CustomerBackward>()},
    {kSettings, "CustomerForward", F<&Settings::CustomerForward>()},
    {kSettings, "MessageBoxPos", F<&Settings::MessageBoxPos>()},
    {kSettings, "UseIndividualMovieIniFile", F<&Settings::UseIndividualMovieIniFile>()},
    {kSettings, "MinLengthToIndividualMovieIniFile", F<&Settings::MinLengthToIndividualMovieIniFile>()},

    {kChapters, "WindowWidth", F<&Settings::ChaptersWindowWidth>()},
    {kChapters, "WindowHeight", F<&Settings::ChaptersWindowHeight>()},

    {kResolution, "KindOfResChange", F<&Settings::KindOfResChange>()},
    {kResolution, "ChangeXRes", F<&Settings::ChangeXRes>()},
    {kResolution, "ChangeYRes", F<&Settings::ChangeYRes>()},
    {kResolution, "NoMoreThen", F<&Settings::NoMoreThen>()},
    {kResolution, "NoMoreXRes", F<&Settings::NoMoreXRes>()},
    {kResolution, "NoMoreYRes", F<&Settings::NoMoreYRes>()},
    {kResolution, "KindOfColChange", F<&Settings::KindOfColChange>()},

    {kSkin, "SkinFileName", F<&Settings::SkinFileName>()},
    {kSkin, "WindowBright", F<&Settings::WindowBright>()},
    {kSkin, "WindowBrightTrack", F<&Settings::WindowBrightTrack>()},
    {kSkin, "FullScrBright", F<&Settings::FullScrBright>()},
    {kSkin, "FullScrBrightTrack", F<&Settings::FullScrBrightTrack>()},

    {kTracker, "VideoSeekTracker", F<&Settings::VideoSeekTracker>()},
    {kTracker, "SettingsTracker", F<&Settings::SettingsTracker>()},

    {kSsa, "Font", F<&Settings::SSA, &SsaOptions::fontName>()},
    {kSsa, "FontSize", F<&Settings::SSA, &SsaOptions::fontSize>()},
    {kSsa, "Outline", F<&Settings::SSA, &SsaOptions::outline>()},
    {kSsa, "Shadow", F<&Settings::SSA, &SsaOptions::shadow>()},
    {kSsa, "MarginV", F<&Settings::SSA, &SsaOptions::marginV>()},
    {kSsa, "PlayResY", F<&Settings::SSA, &SsaOptions::playResY>()},

    {kLastMovie, "Filename", F<&Settings::LastMovieFile>()},
    {kLastMovie, "SubtitleFilename", F<&Settings::LastSubFile>()},
    {kLastMovie, "MoviePosition", F<&Settings::MoviePosition>(), K::PerMovie},
    {kLastMovie, "SystemCrashed", F<&Settings::SystemCrashed>()},
    {kLastMovie, "RestorePosition", F<&Settings::RestorePosition>(), K::PerMovie},
    {kLastMovie, "ResumeWhenCrashed", F<&Settings::ResumeWhenCrashed>()},

    {kReopen, "Filename1", Entry<&Settings::ReopenMovies, 0>()},
    {kReopen, "Filename2", Entry<&Settings::ReopenMovies, 1>()},
    {kReopen, "Filename3", Entry<&Settings::ReopenMovies, 2>()},
    {kReopen, "Filename4", Entry<&Settings::ReopenMovies, 3>()},
    {kReopen, "Filename5", Entry<&Settings::ReopenMovies, 4>()},
    {kReopenTxt, "Filename1", Entry<&Settings::ReopenTxt, 0>()},
    {kReopenTxt, "Filename2", Entry<&Settings::ReopenTxt, 1>()},
    {kReopenTxt, "Filename3", Entry<&Settings::ReopenTxt, 2>()},
    {kReopenTxt, "Filename4", Entry<&Settings::ReopenTxt, 3>()},
    {kReopenTxt, "Filename5", Entry<&Settings::ReopenTxt, 4>()},

    {kStatistics, "DateFrom", F<&Settings::DateFrom>(), K::TodayByDefault},
    {kStatistics, "ExecuteCount", F<&Settings::ExecuteCount>(), K::CountsThisStart},
    {kStatistics, "MovieCount", F<&Settings::MovieCount>()},
    {kStatistics, "SubtitleCount", F<&Settings::SubtitleCount>()},
    {kStatistics, "WorkingTime", F<&Settings::WorkingTime>()},
    {kStatistics, "TotalMovieTime", F<&Settings::TotalMovieTime>()},
    {kStatistics, "TotalMovieSize", F<&Settings::TotalMovieSize>()},
    {kStatistics, "TotalSubtitlesSize", F<&Settings::TotalSubtitlesSize>()},
};

// The typed readers and writers of a profile file.
bool Read(const ProfileFile& f, const SettingKey& k, bool def) { return f.ReadBool(k.section, k.name, def); }
int Read(const ProfileFile& f, const SettingKey& k, int def) { return f.ReadInt(k.section, k.name, def); }
float Read(const ProfileFile& f, const SettingKey& k, float def) {
    return static_cast<float>(f.ReadFloat(k.section, k.name, def));
}
double Read(const ProfileFile& f, const SettingKey& k, double def) { return f.ReadFloat(k.section, k.name, def); }
std::string Read(const ProfileFile& f, const SettingKey& k, const std::string& def) {
    return f.ReadString(k.section, k.name, def);
}
void Write(ProfileFile& f, const SettingKey& k, bool v) { f.WriteBool(k.section, k.name, v); }
void Write(ProfileFile& f, const SettingKey& k, int v) { f.WriteInt(k.section, k.name, v); }
void Write(ProfileFile& f, const SettingKey& k, float v) { f.WriteFloat(k.section, k.name, v); }
void Write(ProfileFile& f, const SettingKey& k, double v) { f.WriteFloat(k.section, k.name, v); }
void Write(ProfileFile& f, const SettingKey& k, const std::string& v) { f.WriteString(k.section, k.name, v); }

void ReadKey(const ProfileFile& f, const SettingKey& k, Settings& s) {
    static Settings defaults;  // read through the accessors only
    std::visit(
        [&](auto field) {
            auto& value = field(s);
            if (k.rule == KeyRule::TodayByDefault) {
                if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>)
                    value = Read(f, k, TodayShortDate());
            } else {
                value = Read(f, k, field(defaults));
                if constexpr (std::is_same_v<std::decay_t<decltype(value)>, int>)
                    if (k.rule == KeyRule::CountsThisStart) ++value;
            }
        },
        k.field);
}

void WriteKey(ProfileFile& f, const SettingKey& k, const Settings& s) {
    // The accessors only name the field; nothing is changed through them here.
    Settings& fields = const_cast<Settings&>(s);
    std::visit(
        [&](auto field) {
            using T = std::decay_t<decltype(field(fields))>;
            const T& value = field(fields);
            if constexpr (std::is_same_v<T, bool>) {
                Write(f, k, k.rule == KeyRule::WrittenAsFalse ? false : value);
            } else if constexpr (std::is_same_v<T, std::string>) {
                Write(f, k, k.rule == KeyRule::TodayByDefault && value.empty() ? TodayShortDate() : value);
            } else {
                Write(f, k, value);
            }
        },
        k.field);
}

bool Fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
    return false;
}

}  // namespace

std::span<const SettingKey> SettingKeys() {
    return kKeys;
}

std::string TodayShortDate() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d-%02d-%02d", tm.tm_year % 100, tm.tm_mon + 1, tm.tm_mday);
    return buf;
}

void LoadSettings(Settings& s, const std::string& path) {
    const ProfileFile f(path);
    // A window maximised now and in the file keeps the normal geometry it holds.
    const bool keepGeometry = s.WindowState == 2 && f.ReadInt(kWindow, "WindowState", 0) == 2;
    for (const SettingKey& k : kKeys)
        if (!(keepGeometry && k.rule == KeyRule::WindowGeometry)) ReadKey(f, k, s);
}

bool SaveSettings(const Settings& s, const std::string& path, std::string* error) {
    ProfileFile f(path);
    for (const SettingKey& k : kKeys)
        if (k.rule != KeyRule::WindowGeometry || s.WindowState == 0) WriteKey(f, k, s);
    std::string message;
    if (!f.Save(message)) return Fail(error, message);
    return true;
}

std::string ChooseIniPath(Settings& s, const std::string& programFolder, const std::string& configFolder) {
    s.ProgramIniPath = (fs::path(programFolder) / "kravelo.ini").string();
    s.IniPath = s.ProgramIniPath;
    LoadSettings(s, s.IniPath);
    if (SaveSettings(s, s.IniPath)) return s.IniPath;

    // The program folder cannot be written: the user's configuration folder takes its place.
    std::error_code ec;
    fs::create_directories(configFolder, ec);
    s.IniPath = (fs::path(configFolder) / "kravelo.ini").string();
    LoadSettings(s, s.IniPath);
    if (s.FirstStart) {
        // No file there yet: a read-only installation's settings seed the new one.
        LoadSettings(s, s.ProgramIniPath);
        s.FirstStart = true;
    }
    return s.IniPath;
}

bool UseMovieSettingsFor(const Settings& s, double movieLengthSeconds) {
    return s.UseIndividualMovieIniFile && movieLengthSeconds / 60.0 >= s.MinLengthToIndividualMovieIniFile;
}

void OpenMovieSettings(Settings& s, const TChapters& chapters, const std::string& moviePath) {
    s.MovieIniPath = moviePath + ".ini";
    s.ChaptersIniPath = s.MovieIniPath;
    LoadMovieSettings(s, s.MovieIniPath);
    if (SaveMovieSettings(s, chapters, s.MovieIniPath)) return;

    // Typically a read-only medium: the subtitle folder keeps the movie's file, if there is one.
    if (s.SubtitlesFolder.size() >= 2)
        s.MovieIniPath =
            (fs::path(s.SubtitlesFolder) / (fs::path(moviePath).filename().string() + ".ini")).string();
    else
        s.MovieIniPath.clear();
    s.ChaptersIniPath = s.MovieIniPath;
    LoadMovieSettings(s, s.MovieIniPath);
}

namespace {

// The file could be written: its folder may be written (saving goes through a new file there)
// and the file, when it exists, may be too. A read-only file system, a write-protected file or
// folder (even for root) all say no.
bool Writable(const std::string& path, bool folder) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && (folder ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode)) &&
           (st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

bool CanWriteFile(const std::string& path) {
    std::string folder = fs::path(path).parent_path().string();
    if (folder.empty()) folder = ".";
    std::error_code ec;
    return Writable(folder, true) && (!fs::exists(path, ec) || Writable(path, false));
}

}  // namespace

std::string ChaptersPathFor(const Settings& s, const std::string& moviePath) {
    if (moviePath.empty()) return {};
    const std::string beside = moviePath + ".ini";
    if (CanWriteFile(beside)) return beside;
    if (s.SubtitlesFolder.size() >= 2)
        return (fs::path(s.SubtitlesFolder) / (fs::path(moviePath).filename().string() + ".ini")).string();
    return {};
}

void LoadMovieSettings(Settings& s, const std::string& path) {
    s.MoviePosition = 0.0f;
    if (!s.UseIndividualMovieIniFile || path.empty()) return;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return;
    const ProfileFile f(path);
    for (const SettingKey& k : kKeys)
        if (k.rule == KeyRule::PerMovie) ReadKey(f, k, s);
}

bool SaveMovieSettings(const Settings& s, const TChapters& chapters, const std::string& path,
                       std::string* error) {
    if (path.empty()) return Fail(error, "no per-movie file");
    bool writeChapters = chapters.Count() > 0;
    if (!writeChapters && !s.UseIndividualMovieIniFile) return true;
    ProfileFile f(path);
    if (writeChapters) chapters.Save(f);
    if (s.UseIndividualMovieIniFile)
        for (const SettingKey& k : kKeys)
            if (k.rule == KeyRule::PerMovie) WriteKey(f, k, s);
    std::string message;
    if (!f.Save(message)) return Fail(error, message);
    return true;
}

void LoadChapters(TChapters& chapters, const std::string& path) {
    chapters.Clear();
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec)) return;
    chapters.Load(ProfileFile(path));
}

bool SaveChapters(const TChapters& chapters, const std::string& path, std::string* error) {
    if (path.empty()) return Fail(error, "no per-movie file");
    ProfileFile f(path);
    chapters.Save(f);
    std::string message;
    if (!f.Save(message)) return Fail(error, message);
    return true;
}

SaveAllResult SaveAllSettings(const Settings& s, const TChapters& chapters) {
    // Three separate steps: a failure of one (a read-only folder, say) does not stop the next.
    SaveAllResult r;
    r.settings = SaveSettings(s, s.IniPath);
    if (!s.MovieIniPath.empty()) r.movie = SaveMovieSettings(s, chapters, s.MovieIniPath);
    const std::string& place = s.ChaptersIniPath.empty() ? s.MovieIniPath : s.ChaptersIniPath;
    if (!place.empty()) {
        std::error_code ec;
        const bool ownFile = place == s.MovieIniPath;
        if (ownFile || chapters.Count() > 0 || fs::exists(place, ec)) r.chapters = SaveChapters(chapters, place);
    }
    return r;
}

}  // namespace kravelo
