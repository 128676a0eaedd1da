#include "platform/file_associations.h"

#include <filesystem>

#include "core/media_types.h"
#include "core/mime_apps.h"
#include "core/text_file.h"
#include "platform/crash_resume_marker.h"
#include "platform/xdg_paths.h"

namespace kravelo {

namespace fs = std::filesystem;

std::string DesktopEntryText(const std::string& exec) {
    std::string types;
    for (const std::string& type : OpenedMimeTypes()) types += type + ';';
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Kravelo\n"
           "GenericName=Subtitle Editor and Movie Player\n"
           "GenericName[pl]=Edytor napisów i odtwarzacz filmów\n"
           "Comment=Edit subtitles while watching the movie\n"
           "Comment[pl]=Edycja napisów podczas oglądania filmu\n"
           "Exec=" + exec + " %f\n"
           "Icon=kravelo\n"
           "Terminal=false\n"
           "Categories=AudioVideo;Video;Player;\n"
           "MimeType=" + types + "\n";
}

namespace {

class XdgFileAssociations : public FileAssociations {
public:
    XdgFileAssociations(std::string configDir, std::string desktopId, std::string dataDir, std::string programPath)
        : configDir_(configDir.empty() ? XdgConfigHome() : std::move(configDir)),
          desktopId_(std::move(desktopId)),
          dataDir_(dataDir.empty() ? XdgDataHome() : std::move(dataDir)),
          programPath_(std::move(programPath)) {}

    bool IsAssociated(const std::string& extension) override {
        const std::string type = MimeTypeOfExtension(extension);
        MimeAppsList list;
        std::string error;
        if (type.empty() || !Load(&list, &error)) return false;
        const std::vector<std::string> ids = list.Defaults(type);
        return !ids.empty() && ids.front() == desktopId_;
    }

    bool Associate(const std::string& extension, std::string* error) override {
        const std::string type = MimeTypeOfExtension(extension);
        if (type.empty()) return Fail(error, "no file type is known for ." + extension);
        if (!EnsureDesktopEntry(error)) return false;
        MimeAppsList list;
        if (!Load(&list, error)) return false;
        list.SetDefault(type, desktopId_);
        return Store(list, error);
    }

    bool Disassociate(const std::string& extension, std::string* error) override {
        const std::string type = MimeTypeOfExtension(extension);
        if (type.empty()) return true;
        MimeAppsList list;
        if (!Load(&list, error)) return false;
        // Only Kravelo's id goes: a handler named before it is the default again, and a type
        // nobody else claimed falls back to the system's choice instead of pointing nowhere.
        if (!list.RemoveDefault(type, desktopId_)) return true;
        return Store(list, error);
    }

private:
    static bool Fail(std::string* error, const std::string& message) {
        if (error) *error = message;
        return false;
    }

    std::string ListPath() const { return (fs::path(configDir_) / "mimeapps.list").string(); }

    // A missing file is an empty list; one that exists but cannot be read is an error, so it is
    // never replaced by a list without its entries.
    bool Load(MimeAppsList* list, std::string* error) const {
        std::error_code ec;
        if (!fs::exists(ListPath(), ec)) {
            *list = MimeAppsList::Parse({});
            return true;
        }
        std::string bytes, message;
        if (!ReadFileBytes(ListPath(), bytes, message)) return Fail(error, message);
        *list = MimeAppsList::Parse(bytes);
        return true;
    }

    bool Store(const MimeAppsList& list, std::string* error) const {
        std::error_code ec;
        fs::create_directories(configDir_, ec);
        std::string message;
        if (!WriteFileAtomic(ListPath(), list.Text(), message)) return Fail(error, message);
        return true;
    }

    bool EntryInstalled() const {
        std::error_code ec;
        if (fs::exists(fs::path(dataDir_) / "applications" / desktopId_, ec)) return true;
        for (const std::string& dir : XdgDataDirs())
            if (fs::exists(fs::path(dir) / "applications" / desktopId_, ec)) return true;
        return false;
    }

    // The default handler must name an entry that exists, or the type would point to nothing.
    bool EnsureDesktopEntry(std::string* error) const {
        if (programPath_.empty() || EntryInstalled()) return true;
        for (char c : programPath_)
            if (static_cast<unsigned char>(c) < 0x20) return Fail(error, "the program path cannot be written to a desktop entry");
        const fs::path folder = fs::path(dataDir_) / "applications";
        std::error_code ec;
        fs::create_directories(folder, ec);
        std::string message;
        if (!WriteFileAtomic((folder / desktopId_).string(), DesktopEntryText(DesktopExecQuote(programPath_)), message))
            return Fail(error, message);
        return true;
    }

    std::string configDir_;
    std::string desktopId_;
    std::string dataDir_;
    std::string programPath_;
};

}  // namespace

std::unique_ptr<FileAssociations> MakeXdgFileAssociations(const std::string& configDir, const std::string& desktopId,
                                                          const std::string& dataDir, const std::string& programPath) {
    return std::make_unique<XdgFileAssociations>(configDir, desktopId, dataDir, programPath);
}

}  // namespace kravelo
