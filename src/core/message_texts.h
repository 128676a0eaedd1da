#pragma once
// The message texts of the program: every text shown in a message box, a status text
// or the transient message window comes from the language file by section and key. This file
// lists every such key, reads them all when a language is loaded, and hands
// them out. No Qt.
//
// A key that the code looks up must be in kMessageKeys and in both shipped language files
// (data/language/polski.klg and english.klg); a test checks both.

#include <map>
#include <string>
#include <string_view>

#include "core/messages.h"
#include "core/profile_file.h"

namespace kravelo {

inline constexpr std::string_view kLanguageFileError = "LANGUAGE FILE ERROR";

// A language text: the key's value, "LANGUAGE FILE ERROR" when the key is missing.
std::string LangString(const ProfileFile& file, std::string_view section, std::string_view key);

struct MessageKey {
    std::string_view section;
    std::string_view key;
};

// Every message key, section by section.
inline constexpr MessageKey kMessageKeys[] = {
    {"Form1", "NoDescription"},
    {"Form1", "LabelDefaultFileName_Cpt"},
    {"Form1", "ActiveSubtitlesFormat"},
    {"Form1", "TxtFileModify"},
    {"Form1", "TxtFileOpenError"},
    {"Form1", "SRTOpening"},
    {"Form1", "FileExists"},
    {"Form1", "FileSubstituteError"},
    {"Form1", "SortSubtitles"},
    {"Form1", "SubDealy"},
    {"Form1", "SubDelayAdvice1"},
    {"Form1", "SubDelayAdvice2"},
    {"Form1", "MovieDelay"},
    {"Form1", "SearchFinished"},
    {"Form1", "ReplacedCount"},
    {"Form1", "CantLocalizeFile"},
    {"Form1", "CantRecognizeExt"},
    {"Form1", "SubtitlesNotSorted"},
    {"Form1", "Play"},
    {"Form1", "Pause"},
    {"Form1", "Stop"},
    {"Form1", "Repeat"},
    {"Form1", "Volume"},
    {"Form1", "Przewinicieuytkownikawprzd1_Cpt"},
    {"Form1", "Przewinicieuytkownikawstecz1_Cpt"},
    {"Form1", "SaveAsUtf8"},
    {"Form1", "AutosaveRestore"},
    {"TypeMessages", "Question"},
    {"TypeMessages", "Error"},
    {"TypeMessages", "Warning"},
    {"TypeMessages", "Information"},
    {"Messages", "Stop"},
    {"Messages", "Pause"},
    {"Messages", "Play"},
    {"Messages", "SecFwd"},
    {"Messages", "FrameFwd"},
    {"Messages", "FrameRew"},
    {"Messages", "MinutFwd"},
    {"Messages", "MinutRew"},
    {"Messages", "ProgressOff"},
    {"Messages", "ProgressOn"},
    {"Messages", "PregressChange"},
    {"Messages", "5SecFrw"},
    {"Messages", "5SecRew"},
    {"Messages", "MovieStart"},
    {"Messages", "MovieEnd"},
    {"Messages", "SubtitlesOn"},
    {"Messages", "SubtitlesOff"},
    {"Messages", "NextVolOpening"},
    {"Messages", "Volume"},
    {"Messages", "TurnOffComp"},
    {"Messages", "NotTurnOffComp"},
    {"Messages", "Repeat"},
    {"Messages", "NotRepeat"},
    {"Messages", "Zoom"},
    {"Messages", "FontSize"},
    {"ExampleText", "TestTextFS"},
    {"ExampleText", "TestTextW"},
    {"ExampleText", "FontSizeExample"},
    {"FormPytanie01Konwert", "IncorrectVal"},
    {"FormPytanie02Geom", "SubDelayUnit"},
    {"FormPytanie03PrzesNap", "NothToDo"},
    {"FormPytanie06ZmianaFPSNap", "FPSNotAccesible"},
    {"FormPytanie06ZmianaFPSNap", "ClickToWriteDown"},
    {"FormPytanie13PolaczNapisy", "GreatEqualVal"},
    {"FormSkin", "WithOut"},
    {"FormSkin", "TrackerWidth"},
    {"FormSkin", "CorruptFile"},
    {"FormStatistics", "Reset"},
    {"FormUstawienia", "FntSize"},
    {"FormUstawienia", "Delay"},
    {"FormUstawienia", "SubtitDir"},
    {"FormUstawienia", "AssociationFailed"},
    {"FormSyncPreview", "ColumnLines"},
    {"FormSyncPreview", "ColumnOffset"},
    {"FormSyncPreview", "DamagedPackets"},
    {"FormSyncPreview", "NoLines"},
    {"FormSyncPreview", "AudioError"},
    {"FormSyncPreview", "NotAligned"},
    {"FormSyncPreview", "FrameRateOffer"},
    {"Editor", "EdSSANoLegend"},
    {"Editor", "EdSSALegendError"},
    {"Editor", "ApperNotSorted"},
    {"Editor", "TheSameShowTime"},
    {"Editor", "NegativeShowTime"},
    {"Editor", "SubtitlesMergeCount"},
    {"FormChapters", "DeleteChapter"},
};

// Keys read by name that are not messages: a missing one gives an empty text, not the error text.
inline constexpr MessageKey kStdButtonKeys[] = {{"StdButtons", "OK"}, {"StdButtons", "Anuluj"}};
inline constexpr MessageKey kOptionsPageKeys[] = {
    {"FormUstawienia", "Edition"},    {"FormUstawienia", "Subtitles"},    {"FormUstawienia", "Movie"},
    {"FormUstawienia", "FullScreen"}, {"FormUstawienia", "Associations"},
};
inline constexpr MessageKey kChooserColumnKeys[] = {{"FormOpenText", "FileName"},
                                                    {"FormOpenText", "FileSize"}};

// The message fields of the main window. Before any language file is loaded every text is
// empty; after a load, a key the file lacks reads "LANGUAGE FILE ERROR".
class MessageTexts {
public:
    // Reads every key of kMessageKeys with LangString.
    void Load(const ProfileFile& file);
    bool Loaded() const { return loaded_; }

    // The text of a listed key; "LANGUAGE FILE ERROR" for a key that is not listed.
    const std::string& Text(std::string_view section, std::string_view key) const;
    const std::string& Text(const Message& message) const { return Text(message.section, message.key); }
    // The caption of a message box of this kind: TypeMessages/Question, Error, Warning, Information.
    const std::string& Caption(MessageIcon icon) const;

private:
    static std::string Id(std::string_view section, std::string_view key);
    std::map<std::string, std::string> texts_;
    bool loaded_ = false;
};

}  // namespace kravelo
