#pragma once
// Making Kravelo the default program for movie files. The real service writes the user's
// mimeapps.list ([Default Applications]) under $XDG_CONFIG_HOME; tests use FakeFileAssociations.

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kravelo {

// The movie extensions the options dialog offers, in the order of its check boxes: the classic
// containers first, then what the player also plays and Linux users have.
inline const std::vector<std::string>& AssociationExtensions() {
    static const std::vector<std::string> list{"asf", "avi", "ivf", "m1v", "mov", "mp2", "mp2v", "mpa",
                                               "mpe", "mpeg", "mpg", "qt",  "mkv", "mp4", "m4v", "webm",
                                               "ogv", "ts",  "m2ts", "flv", "3gp"};
    return list;
}

class FileAssociations {
public:
    virtual ~FileAssociations() = default;
    // True when Kravelo is the default handler of the extension's type.
    virtual bool IsAssociated(const std::string& extension) = 0;
    // Both return false with a message in `error` when the change could not be made.
    virtual bool Associate(const std::string& extension, std::string* error) = 0;
    // Removes only Kravelo's entry, so the handler set before (or the system's) applies again.
    virtual bool Disassociate(const std::string& extension, std::string* error) = 0;
};

// mimeapps.list in `configDir` ($XDG_CONFIG_HOME when empty), naming `desktopId`. Extensions
// sharing a MIME type (mpg, mpeg, mpe) share the association. With `programPath` given and no
// desktop entry of that id installed (the program run from its build folder), Associate also
// writes one that starts `programPath` into <dataDir>/applications ($XDG_DATA_HOME when empty).
std::unique_ptr<FileAssociations> MakeXdgFileAssociations(const std::string& configDir = {},
                                                          const std::string& desktopId = "kravelo.desktop",
                                                          const std::string& dataDir = {},
                                                          const std::string& programPath = {});

// The text of the program's desktop entry: Exec runs `exec` (a desktop Exec value, such as
// "kravelo" or DesktopExecQuote of a path) with the file as its one argument; MimeType lists
// every type the program opens.
std::string DesktopEntryText(const std::string& exec);

class FakeFileAssociations : public FileAssociations {
public:
    std::map<std::string, bool> associated;
    bool refuse = false;
    bool IsAssociated(const std::string& extension) override { return associated[extension]; }
    bool Associate(const std::string& extension, std::string* error) override { return Set(extension, true, error); }
    bool Disassociate(const std::string& extension, std::string* error) override {
        return Set(extension, false, error);
    }

private:
    bool Set(const std::string& extension, bool on, std::string* error) {
        if (refuse) {
            if (error) *error = "refused by the test";
            return false;
        }
        associated[extension] = on;
        return true;
    }
};

}  // namespace kravelo
