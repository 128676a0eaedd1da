#include "app/settings.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

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

void ReadFont(const ProfileFile& f, std::string_view section, FontSettings& font, const FontSettings& def) {
    font.Name = f.ReadString(section, "Name", def.Name);
    font.Size = f.ReadInt(section, "Size", def.Size);
    font.Color = f.ReadInt(section, "Color", def.Color);
    font.Charset = f.ReadInt(section, "Charset", def.Charset);
    font.Bold = f.ReadBool(section, "Bold", def.Bold);
    font.Italic = f.ReadBool(section, "Italic", def.Italic);
    font.Underline = f.ReadBool(section, "Underline", def.Underline);
    font.StrikeOut = f.ReadBool(section, "StrikeOut", def.StrikeOut);
}

void WriteFont(ProfileFile& f, std::string_view section, const FontSettings& font) {
    f.WriteString(section, "Name", font.Name);
    f.WriteInt(section, "Size", font.Size);
    f.WriteInt(section, "Color", font.Color);
    f.WriteInt(section, "Charset", font.Charset);
    f.WriteBool(section, "Bold", font.Bold);
    f.WriteBool(section, "Italic", font.Italic);
    f.WriteBool(section, "Underline", font.Underline);
    f.WriteBool(section, "StrikeOut", font.StrikeOut);
}

std::string RecentKey(int i) {
    return "Filename" + std::to_string(i + 1);
}

// The five per-movie keys.
void ReadMovieKeys(const ProfileFile& f, Settings& s) {
    const Settings d;
    s.TransparentFonts = f.ReadBool(kFonts, "TransparentFonts", d.TransparentFonts);
    s.SubtitlesElevationFS = f.ReadInt(kSettings, "SubtitlesElevationFS", d.SubtitlesElevationFS);
    s.Zoom = f.ReadInt(kSettings, "Zoom", d.Zoom);
    s.MoviePosition = static_cast<float>(f.ReadFloat(kLastMovie, "MoviePosition", d.MoviePosition));
    s.RestorePosition = f.ReadBool(kLastMovie, "RestorePosition", d.RestorePosition);
}

void WriteMovieKeys(ProfileFile& f, const Settings& s) {
    f.WriteBool(kFonts, "TransparentFonts", s.TransparentFonts);
    f.WriteInt(kSettings, "SubtitlesElevationFS", s.SubtitlesElevationFS);
    f.WriteInt(kSettings, "Zoom", s.Zoom);
    f.WriteFloat(kLastMovie, "MoviePosition", s.MoviePosition);
    f.WriteBool(kLastMovie, "RestorePosition", s.RestorePosition);
}

bool Fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
    return false;
}

}  // namespace

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
    const Settings d;  // the defaults

    ReadFont(f, kFonts, s.FontFullScreen, d.FontFullScreen);
    s.TransparentFonts = f.ReadBool(kFonts, "TransparentFonts", d.TransparentFonts);
    ReadFont(f, kFontsWindow, s.FontWindow, d.FontWindow);
    s.LetItalic = f.ReadBool(kFonts, "LetItalic", d.LetItalic);

    // A maximised window takes its state first and keeps its normal geometry while it stays
    // maximised.
    if (s.WindowState == 2) s.WindowState = f.ReadInt(kWindow, "WindowState", d.WindowState);
    if (s.WindowState != 2) {
        s.Left = f.ReadInt(kWindow, "Left", d.Left);
        s.Top = f.ReadInt(kWindow, "Top", d.Top);
        s.Height = f.ReadInt(kWindow, "Height", d.Height);
        s.Width = f.ReadInt(kWindow, "Width", d.Width);
        s.WindowState = f.ReadInt(kWindow, "WindowState", d.WindowState);
    }

    s.FirstStart = f.ReadBool(kSettings, "FirstStart", d.FirstStart);
    s.AutoShowSubtitles = f.ReadBool(kSettings, "AutoShowSubtitles", d.AutoShowSubtitles);
    s.AutoPlayMovie = f.ReadBool(kSettings, "AutoPlayMovie", d.AutoPlayMovie);
    s.FocusNaPoleEdycyjne = f.ReadBool(kSettings, "FocusNaPoleEdycyjne", d.FocusNaPoleEdycyjne);
    s.EditorFontSize = f.ReadInt(kSettings, "EditorFontSize", d.EditorFontSize);
    s.ReactionSpeed = f.ReadFloat(kSettings, "ReactionSpeed", d.ReactionSpeed);
    s.ReactionForEndFrameToo = f.ReadBool(kSettings, "ReactionForEndFrameToo", d.ReactionForEndFrameToo);
    s.ReactionForDelayCheckToo =
        f.ReadBool(kSettings, "ReactionForDelayCheckToo", d.ReactionForDelayCheckToo);
    s.BreakFindValue = f.ReadString(kSettings, "BreakFindValue", d.BreakFindValue);
    s.QuickSubtitleTime = f.ReadString(kSettings, "QuickSubtitleTime", d.QuickSubtitleTime);
    s.AutoFullScreen = f.ReadBool(kSettings, "AutoFullScreen", d.AutoFullScreen);
    s.SubtitlesFolder = f.ReadString(kSettings, "SubtitlesFolder", d.SubtitlesFolder);
    s.CheckForOtherSub = f.ReadBool(kSettings, "CheckForOtherSub", d.CheckForOtherSub);
    s.TimePosOnFullScreen = f.ReadBool(kSettings, "TimePosOnFullScreen", d.TimePosOnFullScreen);
    s.TimePosOnFullScreenMode = f.ReadInt(kSettings, "TimePosOnFullScreenMode", d.TimePosOnFullScreenMode);
    s.LeaveFramesDifference = f.ReadBool(kSettings, "LeaveFramesDifference", d.LeaveFramesDifference);
    s.AutoOpenSubtitle = f.ReadBool(kSettings, "AutoOpenSubtitle", d.AutoOpenSubtitle);
    s.SubtitlesElevation = f.ReadInt(kSettings, "SubtitlesElevation", d.SubtitlesElevation);
    s.SubtitlesElevationFS = f.ReadInt(kSettings, "SubtitlesElevationFS", d.SubtitlesElevationFS);
    s.AfterInsertCursorDown = f.ReadBool(kSettings, "AfterInsertCursorDown", d.AfterInsertCursorDown);
    s.SubtitleAdjust = f.ReadBool(kSettings, "SubtitleAdjust", d.SubtitleAdjust);
    s.DefaultSubtitlesFormat = f.ReadInt(kSettings, "DefaultSubtitlesFormat", d.DefaultSubtitlesFormat);
    s.AutoFullScreenMenu = f.ReadBool(kSettings, "AutoFullScreenMenu", d.AutoFullScreenMenu);
    s.AutoTurnOffComputer = f.ReadBool(kSettings, "AutoTurnOffComputer", d.AutoTurnOffComputer);
    s.Zoom = f.ReadInt(kSettings, "Zoom", d.Zoom);
    s.CheckNextVol = f.ReadBool(kSettings, "CheckNextVol", d.CheckNextVol);
    s.FontSizeProgress = f.ReadInt(kSettings, "FontSizeProgress", d.FontSizeProgress);
    s.DelaySubtitleOn = f.ReadInt(kSettings, "DelaySubtitleOn", d.DelaySubtitleOn);
    s.CreateBackupFile = f.ReadBool(kSettings, "CreateBackupFile", d.CreateBackupFile);
    s.EditorEnabled = f.ReadBool(kSettings, "EditorEnabled", d.EditorEnabled);
    s.CompactMode = f.ReadBool(kSettings, "CompactMode", d.CompactMode);
    s.InfoNotSortSub = f.ReadBool(kSettings, "InfoNotSortSub", d.InfoNotSortSub);
    s.Auto100 = f.ReadBool(kSettings, "Auto100%", d.Auto100);
    s.LanguageFile = f.ReadString(kSettings, "LanguageFile", d.LanguageFile);
    s.CustomerBackward = f.ReadFloat(kSettings, "CustomerBackward", d.CustomerBackward);
    s.CustomerForward = f.ReadFloat(kSettings, "CustomerForward", d.CustomerForward);
    s.MessageBoxPos = f.ReadInt(kSettings, "MessageBoxPos", d.MessageBoxPos);
    s.UseIndividualMovieIniFile =
        f.ReadBool(kSettings, "UseIndividualMovieIniFile", d.UseIndividualMovieIniFile);
    s.MinLengthToIndividualMovieIniFile =
        f.ReadInt(kSettings, "MinLengthToIndividualMovieIniFile", d.MinLengthToIndividualMovieIniFile);

    s.ChaptersWindowWidth = f.ReadInt(kChapters, "WindowWidth", d.ChaptersWindowWidth);
    s.ChaptersWindowHeight = f.ReadInt(kChapters, "WindowHeight", d.ChaptersWindowHeight);

    s.KindOfResChange = f.ReadInt(kResolution, "KindOfResChange", d.KindOfResChange);
    s.ChangeXRes = f.ReadInt(kResolution, "ChangeXRes", d.ChangeXRes);
    s.ChangeYRes = f.ReadInt(kResolution, "ChangeYRes", d.ChangeYRes);
    s.NoMoreThen = f.ReadBool(kResolution, "NoMoreThen", d.NoMoreThen);
    s.NoMoreXRes = f.ReadInt(kResolution, "NoMoreXRes", d.NoMoreXRes);
    s.NoMoreYRes = f.ReadInt(kResolution, "NoMoreYRes", d.NoMoreYRes);
    s.KindOfColChange = f.ReadInt(kResolution, "KindOfColChange", d.KindOfColChange);

    s.SkinFileName = f.ReadString(kSkin, "SkinFileName", d.SkinFileName);
    s.WindowBright = f.ReadInt(kSkin, "WindowBright", d.WindowBright);
    s.WindowBrightTrack = f.ReadInt(kSkin, "WindowBrightTrack", d.WindowBrightTrack);
    s.FullScrBright = f.ReadInt(kSkin, "FullScrBright", d.FullScrBright);
    s.FullScrBrightTrack = f.ReadInt(kSkin, "FullScrBrightTrack", d.FullScrBrightTrack);

    s.SettingsTracker = f.ReadInt(kTracker, "SettingsTracker", d.SettingsTracker);
    s.VideoSeekTracker = f.ReadInt(kTracker, "VideoSeekTracker", d.VideoSeekTracker);

    s.SSA.fontName = f.ReadString(kSsa, "Font", d.SSA.fontName);
    s.SSA.fontSize = f.ReadInt(kSsa, "FontSize", d.SSA.fontSize);
    s.SSA.outline = f.ReadInt(kSsa, "Outline", d.SSA.outline);
    s.SSA.shadow = f.ReadInt(kSsa, "Shadow", d.SSA.shadow);
    s.SSA.marginV = f.ReadInt(kSsa, "MarginV", d.SSA.marginV);
    s.SSA.playResY = f.ReadInt(kSsa, "PlayResY", d.SSA.playResY);

    s.LastMovieFile = f.ReadString(kLastMovie, "Filename", d.LastMovieFile);
    s.LastSubFile = f.ReadString(kLastMovie, "SubtitleFilename", d.LastSubFile);
    s.MoviePosition = static_cast<float>(f.ReadFloat(kLastMovie, "MoviePosition", d.MoviePosition));
    s.SystemCrashed = f.ReadBool(kLastMovie, "SystemCrashed", d.SystemCrashed);
    s.RestorePosition = f.ReadBool(kLastMovie, "RestorePosition", d.RestorePosition);
    s.ResumeWhenCrashed = f.ReadBool(kLastMovie, "ResumeWhenCrashed", d.ResumeWhenCrashed);

    for (int i = 0; i < 5; ++i) s.ReopenMovies[i] = f.ReadString(kReopen, RecentKey(i), "");
    for (int i = 0; i < 5; ++i) s.ReopenTxt[i] = f.ReadString(kReopenTxt, RecentKey(i), "");

    s.DateFrom = f.ReadString(kStatistics, "DateFrom", TodayShortDate());
    s.ExecuteCount = f.ReadInt(kStatistics, "ExecuteCount", d.ExecuteCount) + 1;  // this start counts
    s.MovieCount = f.ReadInt(kStatistics, "MovieCount", d.MovieCount);
    s.SubtitleCount = f.ReadInt(kStatistics, "SubtitleCount", d.SubtitleCount);
    s.WorkingTime = f.ReadFloat(kStatistics, "WorkingTime", d.WorkingTime);
    s.TotalMovieTime = f.ReadFloat(kStatistics, "TotalMovieTime", d.TotalMovieTime);
    s.TotalMovieSize = f.ReadFloat(kStatistics, "TotalMovieSize", d.TotalMovieSize);
    s.TotalSubtitlesSize = f.ReadFloat(kStatistics, "TotalSubtitlesSize", d.TotalSubtitlesSize);
}

bool SaveSettings(const Settings& s, const std::string& path, std::string* error) {
    ProfileFile f(path);

    WriteFont(f, kFonts, s.FontFullScreen);
    f.WriteBool(kFonts, "TransparentFonts", s.TransparentFonts);
    f.WriteBool(kFonts, "LetItalic", s.LetItalic);
    WriteFont(f, kFontsWindow, s.FontWindow);

    if (s.WindowState == 0) {
        f.WriteInt(kWindow, "Left", s.Left);
        f.WriteInt(kWindow, "Top", s.Top);
        f.WriteInt(kWindow, "Height", s.Height);
        f.WriteInt(kWindow, "Width", s.Width);
    }
    f.WriteInt(kWindow, "WindowState", s.WindowState);

    f.WriteBool(kSettings, "FirstStart", false);
    f.WriteBool(kSettings, "AutoShowSubtitles", s.AutoShowSubtitles);
    f.WriteBool(kSettings, "AutoPlayMovie", s.AutoPlayMovie);
    f.WriteBool(kSettings, "FocusNaPoleEdycyjne", s.FocusNaPoleEdycyjne);
    f.WriteInt(kSettings, "EditorFontSize", s.EditorFontSize);
    f.WriteFloat(kSettings, "ReactionSpeed", s.ReactionSpeed);
    f.WriteBool(kSettings, "ReactionForEndFrameToo", s.ReactionForEndFrameToo);
    f.WriteBool(kSettings, "ReactionForDelayCheckToo", s.ReactionForDelayCheckToo);
    f.WriteBool(kSettings, "AutoFullScreen", s.AutoFullScreen);
    f.WriteString(kSettings, "SubtitlesFolder", s.SubtitlesFolder);
    f.WriteString(kSettings, "BreakFindValue", s.BreakFindValue);
    f.WriteString(kSettings, "QuickSubtitleTime", s.QuickSubtitleTime);
    f.WriteBool(kSettings, "CheckForOtherSub", s.CheckForOtherSub);
    f.WriteBool(kSettings, "TimePosOnFullScreen", s.TimePosOnFullScreen);
    f.WriteInt(kSettings, "TimePosOnFullScreenMode", s.TimePosOnFullScreenMode);
    f.WriteBool(kSettings, "LeaveFramesDifference", s.LeaveFramesDifference);
    f.WriteBool(kSettings, "AutoOpenSubtitle", s.AutoOpenSubtitle);
    f.WriteInt(kSettings, "SubtitlesElevation", s.SubtitlesElevation);
    f.WriteInt(kSettings, "SubtitlesElevationFS", s.SubtitlesElevationFS);
    f.WriteBool(kSettings, "AfterInsertCursorDown", s.AfterInsertCursorDown);
    f.WriteBool(kSettings, "SubtitleAdjust", s.SubtitleAdjust);
    f.WriteInt(kSettings, "DefaultSubtitlesFormat", s.DefaultSubtitlesFormat);
    f.WriteBool(kSettings, "AutoFullScreenMenu", s.AutoFullScreenMenu);
    f.WriteBool(kSettings, "AutoTurnOffComputer", s.AutoTurnOffComputer);
    f.WriteInt(kSettings, "Zoom", s.Zoom);
    f.WriteBool(kSettings, "CheckNextVol", s.CheckNextVol);
    f.WriteInt(kSettings, "FontSizeProgress", s.FontSizeProgress);
    f.WriteInt(kSettings, "DelaySubtitleOn", s.DelaySubtitleOn);
    f.WriteBool(kSettings, "CreateBackupFile", s.CreateBackupFile);
    f.WriteBool(kSettings, "EditorEnabled", s.EditorEnabled);
    f.WriteBool(kSettings, "CompactMode", s.CompactMode);
    f.WriteBool(kSettings, "InfoNotSortSub", s.InfoNotSortSub);
    f.WriteBool(kSettings, "Auto100%", s.Auto100);
    f.WriteString(kSettings, "LanguageFile", s.LanguageFile);
    f.WriteFloat(kSettings, "CustomerBackward", s.CustomerBackward);
    f.WriteFloat(kSettings, "CustomerForward", s.CustomerForward);
    f.WriteInt(kSettings, "MessageBoxPos", s.MessageBoxPos);
    f.WriteBool(kSettings, "UseIndividualMovieIniFile", s.UseIndividualMovieIniFile);

    f.WriteInt(kChapters, "WindowWidth", s.ChaptersWindowWidth);
    f.WriteInt(kChapters, "WindowHeight", s.ChaptersWindowHeight);

    f.WriteInt(kResolution, "KindOfResChange", s.KindOfResChange);
    f.WriteInt(kResolution, "ChangeXRes", s.ChangeXRes);
    f.WriteInt(kResolution, "ChangeYRes", s.ChangeYRes);
    f.WriteBool(kResolution, "NoMoreThen", s.NoMoreThen);
    f.WriteInt(kResolution, "NoMoreXRes", s.NoMoreXRes);
    f.WriteInt(kResolution, "NoMoreYRes", s.NoMoreYRes);
    f.WriteInt(kResolution, "KindOfColChange", s.KindOfColChange);
    // Written after the Resolution section, into its own "Settings" section.
    f.WriteInt(kSettings, "MinLengthToIndividualMovieIniFile", s.MinLengthToIndividualMovieIniFile);

    f.WriteString(kSkin, "SkinFileName", s.SkinFileName);
    f.WriteInt(kSkin, "WindowBright", s.WindowBright);
    f.WriteInt(kSkin, "WindowBrightTrack", s.WindowBrightTrack);
    f.WriteInt(kSkin, "FullScrBright", s.FullScrBright);
    f.WriteInt(kSkin, "FullScrBrightTrack", s.FullScrBrightTrack);

    f.WriteInt(kTracker, "VideoSeekTracker", s.VideoSeekTracker);
    f.WriteInt(kTracker, "SettingsTracker", s.SettingsTracker);

    f.WriteString(kSsa, "Font", s.SSA.fontName);
    f.WriteInt(kSsa, "FontSize", s.SSA.fontSize);
    f.WriteInt(kSsa, "Outline", s.SSA.outline);
    f.WriteInt(kSsa, "Shadow", s.SSA.shadow);
    f.WriteInt(kSsa, "MarginV", s.SSA.marginV);
    f.WriteInt(kSsa, "PlayResY", s.SSA.playResY);

    f.WriteString(kLastMovie, "Filename", s.LastMovieFile);
    f.WriteString(kLastMovie, "SubtitleFilename", s.LastSubFile);
    f.WriteFloat(kLastMovie, "MoviePosition", s.MoviePosition);
    f.WriteBool(kLastMovie, "SystemCrashed", s.SystemCrashed);
    f.WriteBool(kLastMovie, "RestorePosition", s.RestorePosition);
    f.WriteBool(kLastMovie, "ResumeWhenCrashed", s.ResumeWhenCrashed);

    for (int i = 0; i < 5; ++i) f.WriteString(kReopen, RecentKey(i), s.ReopenMovies[i]);
    for (int i = 0; i < 5; ++i) f.WriteString(kReopenTxt, RecentKey(i), s.ReopenTxt[i]);

    f.WriteString(kStatistics, "DateFrom", s.DateFrom.empty() ? TodayShortDate() : s.DateFrom);
    f.WriteInt(kStatistics, "ExecuteCount", s.ExecuteCount);
    f.WriteInt(kStatistics, "MovieCount", s.MovieCount);
    f.WriteInt(kStatistics, "SubtitleCount", s.SubtitleCount);
    f.WriteFloat(kStatistics, "WorkingTime", s.WorkingTime);
    f.WriteFloat(kStatistics, "TotalMovieTime", s.TotalMovieTime);
    f.WriteFloat(kStatistics, "TotalMovieSize", s.TotalMovieSize);
    f.WriteFloat(kStatistics, "TotalSubtitlesSize", s.TotalSubtitlesSize);

    std::string message;
    if (!f.Save(message)) return Fail(error, message);
    return true;
}

std::string DefaultConfigFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    // The XDG rule: a relative value is ignored.
    if (xdg && xdg[0] == '/') return (fs::path(xdg) / "kravelo").string();
    const char* home = std::getenv("HOME");
    return (fs::path(home && home[0] ? home : ".") / ".config" / "kravelo").string();
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
    LoadMovieSettings(s, s.MovieIniPath);
    if (SaveMovieSettings(s, chapters, s.MovieIniPath)) return;

    // Typically a read-only medium: the subtitle folder keeps the movie's file, if there is one.
    if (s.SubtitlesFolder.size() >= 2)
        s.MovieIniPath =
            (fs::path(s.SubtitlesFolder) / (fs::path(moviePath).filename().string() + ".ini")).string();
    else
        s.MovieIniPath.clear();
    LoadMovieSettings(s, s.MovieIniPath);
}

void LoadMovieSettings(Settings& s, const std::string& path) {
    s.MoviePosition = 0.0f;
    if (!s.UseIndividualMovieIniFile || path.empty()) return;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return;
    ReadMovieKeys(ProfileFile(path), s);
}

bool SaveMovieSettings(const Settings& s, const TChapters& chapters, const std::string& path,
                       std::string* error) {
    if (path.empty()) return Fail(error, "no per-movie file");
    bool writeChapters = chapters.Count() > 0;
    if (!writeChapters && !s.UseIndividualMovieIniFile) return true;
    ProfileFile f(path);
    if (writeChapters) chapters.Save(f);
    if (s.UseIndividualMovieIniFile) WriteMovieKeys(f, s);
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
    if (!s.MovieIniPath.empty()) {
        r.movie = SaveMovieSettings(s, chapters, s.MovieIniPath);
        r.chapters = SaveChapters(chapters, s.MovieIniPath);
    }
    return r;
}

}  // namespace kravelo
