// Saving keeps what the file is: links, owner, group, mode; refuses protected files; fails
// cleanly, leaving the old file and no temporary behind.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/text_file.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::TempDir;

namespace {
// The save step that fails next, and how.
std::string_view g_failStep;
int g_failErrno = 0;
}  // namespace

TEST(SafeSave, LinksOwnerGroupAndModeAreKept) {
    TempDir dir;
    const std::string real = dir.Write("real.txt", "old\n");
    std::filesystem::create_symlink("real.txt", dir.File("link.txt"));
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(dir.File("link.txt"), "through the link\n", error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.txt")));
    EXPECT_EQ(TempDir::Read(real), "through the link\n");

    // A dangling link: the file is created where it points.
    std::filesystem::create_symlink("later.txt", dir.File("pending.txt"));
    ASSERT_TRUE(WriteFileAtomic(dir.File("pending.txt"), "new\n", error)) << error;
    EXPECT_EQ(TempDir::Read(dir.File("later.txt")), "new\n");

    // A second hard link sees the new content.
    ASSERT_EQ(::link(real.c_str(), dir.File("hard.txt").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomic(real, "both names\n", error)) << error;
    EXPECT_EQ(TempDir::Read(dir.File("hard.txt")), "both names\n");

    // Another user's file keeps its owner, group and mode (changing owners needs root).
    const std::string other = dir.Write("other.txt", "x\n");
    ::chmod(other.c_str(), 0640);
    struct stat st {};
    if (geteuid() == 0) {
        ASSERT_EQ(::chown(other.c_str(), 1234, 4321), 0);
    }
    ASSERT_EQ(::stat(other.c_str(), &st), 0);
    const uid_t uid = st.st_uid;
    const gid_t gid = st.st_gid;
    ASSERT_TRUE(WriteFileAtomic(other, "y\n", error)) << error;
    ASSERT_EQ(::stat(other.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, uid);
    EXPECT_EQ(st.st_gid, gid);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(TempDir::Read(other), "y\n");

    // A name of 250 bytes still saves: the temporary name is short.
    const std::string longName = dir.File(std::string(246, 'n') + ".txt");
    ASSERT_TRUE(WriteFileAtomic(longName, "long\n", error)) << error;
    EXPECT_EQ(TempDir::Read(longName), "long\n");
}

TEST(SafeSave, ProtectedFilesAndFoldersAreRefused) {
    TempDir dir;
    const std::string path = dir.Write("locked.txt", "keep\n");
    ::chmod(path.c_str(), 0444);
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(path, "lost\n", error));
    EXPECT_NE(error.find("write-protected"), std::string::npos) << error;
    EXPECT_EQ(TempDir::Read(path), "keep\n");

    std::filesystem::create_directory(dir.File("ro"));
    const std::string inside = dir.Write("ro/a.txt", "keep\n");
    ::chmod(dir.File("ro").c_str(), 0555);
    EXPECT_FALSE(WriteFileAtomic(inside, "lost\n", error));
    EXPECT_NE(error.find("write-protected"), std::string::npos) << error;
    EXPECT_EQ(TempDir::Read(inside), "keep\n");

    EXPECT_FALSE(WriteFileAtomic("/dev/null", "x", error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
}

TEST(SafeSave, SystemFailuresLeaveTheOldFileAndNoTemporary) {
    TempDir dir;
    const std::string path = dir.Write("napisy.txt", "old\n");
    // (ENOSPC at "create": no inode left.)
    const struct {
        const char* step;
        int err;
    } cases[] = {{"write", ENOSPC}, {"create", ENOSPC}, {"sync", EIO}, {"rename", EROFS}};
    SetSaveFaultForTests([](std::string_view step) { return step == g_failStep ? g_failErrno : 0; });
    for (const auto& c : cases) {
        g_failStep = c.step, g_failErrno = c.err;
        std::string error;
        EXPECT_FALSE(WriteFileAtomic(path, "new\n", error)) << c.step;
        EXPECT_NE(error.find(std::strerror(c.err)), std::string::npos) << error;
        EXPECT_EQ(TempDir::Read(path), "old\n") << c.step;
        EXPECT_EQ(TempDir::EntriesIn(dir.path()), 1u) << c.step;
    }
    SetSaveFaultForTests(nullptr);
}
