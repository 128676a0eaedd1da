// Making Kravelo the default program for movie types in a temporary XDG configuration, and the
// desktop entry that goes with it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "core/media_types.h"
#include "platform/crash_resume_marker.h"
#include "platform/file_associations.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::TempDir;
namespace fs = std::filesystem;

namespace {

// The value of `key` in a desktop entry's text.
std::string EntryValue(const std::string& text, const std::string& key) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(key + "=")) return line.substr(key.size() + 1);
    return "<none>";
}

std::string ExpectedMimeTypes() {
    std::string types;
    for (const std::string& t : OpenedMimeTypes()) types += t + ';';
    return types;
}

// Points XDG_DATA_DIRS at an empty folder for the test, so no installed entry is found.
class DataDirsGuard {
public:
    explicit DataDirsGuard(const std::string& dir) {
        if (const char* old = std::getenv("XDG_DATA_DIRS")) old_ = old, had_ = true;
        setenv("XDG_DATA_DIRS", dir.c_str(), 1);
    }
    ~DataDirsGuard() {
        if (had_)
            setenv("XDG_DATA_DIRS", old_.c_str(), 1);
        else
            unsetenv("XDG_DATA_DIRS");
    }

private:
    std::string old_;
    bool had_ = false;
};

}  // namespace

TEST(FileAssociations, AssociateAndGiveBackTheEarlierHandler) {
    TempDir dir;
    const std::string config = dir.File("config");
    fs::create_directories(config);
    const std::string listPath = config + "/mimeapps.list";
    const std::string before =
        "[Default Applications]\n"
        "video/x-matroska=mpv.desktop;\n"
        "# my players\n"
        "video/x-msvideo=vlc.desktop\n";
    dir.Write("config/mimeapps.list", before);

    auto associations = MakeXdgFileAssociations(config);
    EXPECT_FALSE(associations->IsAssociated("mkv"));

    std::string error;
    // How the list's lines change is the list's own test; here each type's first handler.
    for (const char* ext : {"mkv", "mp4", "mpg"}) ASSERT_TRUE(associations->Associate(ext, &error)) << error;
    EXPECT_TRUE(associations->IsAssociated("mkv"));
    EXPECT_TRUE(associations->IsAssociated("m4v"));  // the same type as mp4
    EXPECT_FALSE(associations->IsAssociated("avi"));
    // Another service reading the same file sees the same.
    EXPECT_TRUE(MakeXdgFileAssociations(config)->IsAssociated("mpeg"));

    for (const char* ext : {"mkv", "mp4", "mpg", "avi"}) ASSERT_TRUE(associations->Disassociate(ext, &error)) << error;
    // The list as it was, so nothing is Kravelo's any more: mpv is the default of Matroska again; vlc kept AVI, which Kravelo never had.
    EXPECT_EQ(TempDir::Read(listPath), before);

    // An extension with no known type is refused with a reason.
    EXPECT_FALSE(associations->Associate("doc", &error));
    EXPECT_FALSE(error.empty());
}

TEST(FileAssociations, MissingFoldersUnreadableListAndTheUserEntry) {
    TempDir dir;
    DataDirsGuard noInstalledEntry(dir.File("system"));
    const std::string config = dir.File("new/config");  // not there yet
    const std::string data = dir.File("new/data");
    const std::string program = "/opt/moje filmy/kra\"velo";
    auto associations = MakeXdgFileAssociations(config, "kravelo.desktop", data, program);

    std::string error;
    ASSERT_TRUE(associations->Associate("webm", &error)) << error;
    EXPECT_EQ(TempDir::Read(config + "/mimeapps.list"), "[Default Applications]\nvideo/webm=kravelo.desktop;\n");
    // The handler names an entry that exists: one written for the program, whose Exec runs
    // exactly that program with the file.
    const std::string entry = TempDir::Read(data + "/applications/kravelo.desktop");
    const std::string exec = EntryValue(entry, "Exec");
    ASSERT_TRUE(exec.ends_with(" %f")) << exec;
    EXPECT_EQ(DesktopExecUnquote(exec.substr(0, exec.size() - 3)), program);

    // An entry installed with the program is used as it is.
    fs::remove(data + "/applications/kravelo.desktop");
    fs::create_directories(dir.File("system/applications"));
    dir.Write("system/applications/kravelo.desktop", "[Desktop Entry]\n");
    ASSERT_TRUE(associations->Associate("ogv", &error)) << error;
    EXPECT_FALSE(fs::exists(data + "/applications/kravelo.desktop"));

    // Disassociating what was never associated writes nothing.
    const auto stamp = fs::last_write_time(config + "/mimeapps.list");
    EXPECT_TRUE(associations->Disassociate("flv", &error));
    EXPECT_EQ(fs::last_write_time(config + "/mimeapps.list"), stamp);

    // A list that cannot be read is never replaced by one without its entries.
    if (geteuid() != 0) {
        fs::permissions(config + "/mimeapps.list", fs::perms::none);
        EXPECT_FALSE(associations->Associate("mkv", &error));
        EXPECT_FALSE(error.empty());
        fs::permissions(config + "/mimeapps.list", fs::perms::owner_read | fs::perms::owner_write);
    }
    // A write-protected folder: the failure is reported, not taken for success.
    fs::permissions(config, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(associations->Associate("mkv", &error));
    EXPECT_FALSE(associations->IsAssociated("mkv"));
    fs::permissions(config, fs::perms::owner_all);
}

TEST(FileAssociations, ShippedDesktopEntry) {
    const std::string entry = TempDir::Read(std::string(KRAVELO_SOURCE_DIR) + "/data/kravelo.desktop");
    EXPECT_EQ(EntryValue(entry, "Exec"), "kravelo %f");
    // The same types the program opens and writes into a user entry.
    EXPECT_EQ(EntryValue(entry, "MimeType"), ExpectedMimeTypes());
    EXPECT_EQ(entry, DesktopEntryText("kravelo"));
    // Every extension the options dialog offers has its type among them.
    for (const std::string& ext : AssociationExtensions()) {
        EXPECT_TRUE(IsMovieFile("f." + ext)) << ext;
        EXPECT_NE(ExpectedMimeTypes().find(MimeTypeOfExtension(ext) + ';'), std::string::npos) << ext;
    }
}
