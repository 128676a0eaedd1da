#pragma once
// The autosave copy of an unsaved document: its lines and the state needed to carry on, written
// atomically into one file of the autosave folder ($XDG_STATE_HOME/kravelo/autosave). A normal
// save or close removes it, so a copy found at start-up is what an abnormal end left behind.

#include <optional>
#include <string>
#include <vector>

#include "core/text_file.h"

namespace kravelo {

struct AutosaveCopy {
    std::vector<std::string> lines;
    std::string path;       // the document's file; empty for a new document
    TextFormat textFormat;  // how that file is to be written back
    double frameRate = 0.0;
    int documentFormat = 0;
    int fileFormat = 0;
};

// "$XDG_STATE_HOME/kravelo/autosave", or "$HOME/.local/state/kravelo/autosave" when the first
// is unset or not absolute; empty when neither is known.
std::string DefaultAutosaveFolder(const char* xdgStateHome, const char* home);

class AutosaveStore {
public:
    explicit AutosaveStore(std::string folder);

    const std::string& Folder() const { return folder_; }
    // The file of the copy.
    std::string FilePath() const;

    // Writes the copy (creating the folder, user-only), replacing the last one in one rename.
    bool Save(const AutosaveCopy& copy, std::string& error) const;
    // Removes the copy; true when none is left.
    bool Remove() const;
    bool Exists() const;
    // The copy, when one is there and reads whole.
    std::optional<AutosaveCopy> Load() const;

    // The file's bytes for a copy, and a copy from them (nullopt when they are not a whole copy).
    static std::string Serialize(const AutosaveCopy& copy);
    static std::optional<AutosaveCopy> Parse(std::string_view bytes);

private:
    std::string folder_;
};

}  // namespace kravelo
