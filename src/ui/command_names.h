#pragma once
// The object names of the window's commands. They are the keys of the language files
// ("<name>_Cpt"), so they stay exactly as they are; the code uses these readable constants.

namespace kravelo::cmd {

// File menu.
inline constexpr char kOpenMovie[] = "Otwrzplikwideo1";
inline constexpr char kCloseMovie[] = "Zamknijplikwideo1";
inline constexpr char kNew[] = "Nowy1";
inline constexpr char kNewPopup[] = "Nowy2";
inline constexpr char kOpen[] = "Open1";
inline constexpr char kOpenPopup[] = "Otwrzplikznapisami1";
inline constexpr char kAppend[] = "Dodajpliknakoniec1";
inline constexpr char kSave[] = "Zapisz1";
inline constexpr char kSaveAs[] = "Zapiszjako1";
inline constexpr char kClose[] = "Zamknijnapisy1";
inline constexpr char kExit[] = "Exit1";
inline constexpr char kReopenMovie[] = "reopen";     // + 1..5
inline constexpr char kReopenSubtitle[] = "reopentxt";  // + 1..5

// Edit menu.
inline constexpr char kUndo[] = "Cofnij1";
inline constexpr char kCut[] = "Wytnij1";
inline constexpr char kCopy[] = "Kopiuj1";
inline constexpr char kPaste[] = "Wklej1";
inline constexpr char kItalics[] = "Kursywa1";
inline constexpr char kFindText[] = "ZnajdzTekst1";
inline constexpr char kFindNext[] = "Znajdznastepny1";
inline constexpr char kReplace[] = "ZnajdzZamien1";
inline constexpr char kFindUnsorted[] = "ZnajdNieposort1";
inline constexpr char kFindShortSubtitle[] = "Znajdszybkinapis1";
inline constexpr char kFindGap[] = "Znajdd1";

// The editor's pop-up menu items of the editing commands.
inline constexpr char kCutPopup[] = "Wytnij2";
inline constexpr char kCopyPopup[] = "Kopiuj2";
inline constexpr char kPastePopup[] = "Wklej2";
inline constexpr char kFindTextPopup[] = "Znajdtekst1";
inline constexpr char kFindNextPopup[] = "Znajdnastpny1";
inline constexpr char kFindShortSubtitlePopup[] = "Znajdkrtkowywietlanynapis1";
inline constexpr char kFindGapPopup[] = "Znajdprzerwwwywnapisw1";
inline constexpr char kGoToSubtitlePopup[] = "Przejddoklatki1";

// Subtitles menu.
inline constexpr char kShift[] = "Dodajodejmijklatki1";
inline constexpr char kNudgeForward[] = "Przesuteksto5klatekdoprzodu1";
inline constexpr char kNudgeBack[] = "Przesuteksto5klatekdotyu1";
inline constexpr char kChangeFrameRate[] = "Zmianailociklateknasekund1";
inline constexpr char kConvert[] = "Konwertujformatnapisw1";
inline constexpr char kDisplayTime[] = "Zmieiloklatekwywietlanianapisu1";
inline constexpr char kMerge[] = "Poczszybkoznikajcenapisy1";
inline constexpr char kRepair[] = "Poprawnapisy1";
inline constexpr char kSort[] = "Posortujnapisyrosnco1";
inline constexpr char kGoToSubtitle[] = "Znajdramk1";

// Movie menu.
inline constexpr char kPauseOrPlay[] = "PauzaOdtwarzaj1";
inline constexpr char kStop[] = "Stop1";
inline constexpr char kPlayFromLine[] = "Odtwarzajfilmodklatki1";
inline constexpr char kForward5[] = "Skokdoprzoduo50klatek1";
inline constexpr char kBack5[] = "Skokwsteczo50klatek1";
inline constexpr char kUserForward[] = "Przewinicieuytkownikawprzd1";
inline constexpr char kUserBack[] = "Przewinicieuytkownikawstecz1";
inline constexpr char kToStart[] = "Skokdopocztkufilmu1";
inline constexpr char kToEnd[] = "Skoknakoniecfilmu1";
inline constexpr char kJumpTo[] = "Skokdowybranejklatkifilmu1";
inline constexpr char kStampStart[] = "Wstawklatkfilmudoliniijakoklatkpoczrkow1";
inline constexpr char kStampEnd[] = "Wstawklatkfilmudoliniijakoklatkkocow1";
inline constexpr char kStampEndOtherKey[] = "Wstawklatkinnyskrt1";
inline constexpr char kGoToLineOfPosition[] = "Skokdoliniizaktualnklatkfilmu1";
inline constexpr char kShowSubtitles[] = "Wywietlajnapisy1";
inline constexpr char kShutDownAfterMovie[] = "Wyczkomputerposkoczeniufilmu1";
inline constexpr char kChapters[] = "Rozdzialy1";
// The delay submenu of the Movie menu.
inline constexpr char kDelayMenu[] = "Opnienienapisw1";
inline constexpr char kMeasureDelay[] = "Zmierzopnienielinii1";
inline constexpr char kDelayStartPoint[] = "Zmierzpocztkoweopnienienapisw1";
inline constexpr char kDelayEndPoint[] = "Zmierzkocoweopnienienapisw1";
inline constexpr char kGeometricCorrection[] = "GeometryczneOp";
// Synchronising with the movie's audio (Movie menu) and the waveform strip (View menu).
inline constexpr char kSyncWithAudio[] = "Synchronizujzdwikiemfilmu1";
inline constexpr char kWaveformStrip[] = "Pasekdwiku1";

// Tools menu.
inline constexpr char kActiveFormat[] = "FRM_MPL1";
inline constexpr char kDefaultFrameRate[] = "DomylnawartowspczynnikaFPS1";
inline constexpr char kLanguage[] = "Language1";
inline constexpr char kSkin[] = "Skra1";
inline constexpr char kOptions[] = "Ustawieniaprogramu1";
inline constexpr char kStatistics[] = "Statystyki1";

// Help menu.
inline constexpr char kHelpContents[] = "Pomoc2";
inline constexpr char kFaqProgram[] = "FAQProgram1";
inline constexpr char kFaqEditing[] = "FAQEdycja1";
inline constexpr char kAbout[] = "Informacjeoprogramie1";

// View menu, full screen and the video window's pop-up menu.
inline constexpr char kViewMenu[] = "Widok1";
inline constexpr char kShowEditor[] = "Pokazujedytor1";
inline constexpr char kCompact[] = "Kompaktowy1";
inline constexpr char kZoomMenu[] = "Powikszenie1";
inline constexpr char kZoom50[] = "Pow50";
inline constexpr char kZoom100[] = "Pow100";
inline constexpr char kZoom200[] = "Pow200";
inline constexpr char kFullScreen[] = "Trybpe1";
inline constexpr char kFullScreenPopup[] = "Trybpelonoera1";
inline constexpr char kTransparentSubtitles[] = "Przezroczystenapisy1";
inline constexpr char kFontFullScreen[] = "Opcjenapisw1";
inline constexpr char kFontWindow[] = "Czcionkanapiswwoknie1";
inline constexpr char kMovieProperties[] = "Wlasciwosciplikuwideo1";
inline constexpr char kMoviePropertiesPopup[] = "Waciwociplikuwideo1";
inline constexpr char kPlayerMenu[] = "MenuMediaPlayera1";
inline constexpr char kOpenMoviePopup[] = "Otwzplikwideo1";
inline constexpr char kPauseOrPlayPopup[] = "Pau1";
inline constexpr char kJumpToPopup[] = "Skoczdoklatki1";

// Keys of the player without a menu item.
inline constexpr char kKeyQuit[] = "KeyQuit";
inline constexpr char kKeyVolumeUp[] = "KeyVolumeUp";
inline constexpr char kKeyVolumeDown[] = "KeyVolumeDown";
inline constexpr char kKeyRepeat[] = "KeyRepeat";
inline constexpr char kKeyClock[] = "KeyClock";
inline constexpr char kKeySecondForward[] = "KeySecondForward";
inline constexpr char kKeyFrameForward[] = "KeyFrameForward";
inline constexpr char kKeyFrameBack[] = "KeyFrameBack";
inline constexpr char kKeyMinuteForward[] = "KeyMinuteForward";
inline constexpr char kKeyMinuteBack[] = "KeyMinuteBack";
inline constexpr char kKeyAddChapter[] = "KeyAddChapter";
// Full screen and compact mode.
inline constexpr char kKeyEscape[] = "KeyEscape";
inline constexpr char kKeyShutDown[] = "KeyShutDown";
inline constexpr char kKeyZoomIn[] = "KeyZoomIn";
inline constexpr char kKeyZoomOut[] = "KeyZoomOut";
inline constexpr char kKeyFontUp[] = "KeyFontUp";
inline constexpr char kKeyFontDown[] = "KeyFontDown";
inline constexpr char kKeyFullScreenVolumeUp[] = "KeyFullScreenVolumeUp";
inline constexpr char kKeyFullScreenVolumeDown[] = "KeyFullScreenVolumeDown";
inline constexpr char kKeyProgress[] = "KeyProgress";
inline constexpr char kKeyControlPanel[] = "KeyControlPanel";

}  // namespace kravelo::cmd
