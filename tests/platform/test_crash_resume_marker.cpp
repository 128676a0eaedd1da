// The crash-resume autostart entry and the XDG folders it lives in.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/crash_resume_marker.h"
#include "platform/xdg_paths.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::TempDir;
namespace fs = std::filesystem;

TEST(CrashResumeMarker, AutostartEntryRoundTrip) {
    TempDir dir;
    const std::string config = dir.File("config");  // not there yet
    const std::string program = "/opt/moje programy/kra\"ve`lo$HOME\\x 100%/żółw";
    CrashResumeMarker marker(program, config);
    EXPECT_EQ(marker.EntryPath(), config + "/autostart/kravelo-resume.desktop");
    EXPECT_EQ(marker.RegisteredProgram(), "");

    std::string error;
    ASSERT_TRUE(marker.Register(&error)) << error;
    EXPECT_EQ(marker.RegisteredProgram(), program);
    const std::string entry = TempDir::Read(marker.EntryPath());
    EXPECT_TRUE(entry.starts_with("[Desktop Entry]\nType=Application\n")) << entry;
    // The quoting the desktop-entry rules ask for: string escapes over the quoted argument.
    EXPECT_NE(entry.find("\nExec=\"/opt/moje programy/kra\\\\\"ve\\\\`lo\\\\$HOME\\\\\\\\x 100%%/żółw\"\n"),
              std::string::npos)
        << entry;

    // Registering again replaces the entry; another program's path reads back as that.
    CrashResumeMarker plain("/usr/bin/kravelo", config);
    ASSERT_TRUE(plain.Register());
    EXPECT_NE(TempDir::Read(plain.EntryPath()).find("\nExec=\"/usr/bin/kravelo\"\n"), std::string::npos);
    EXPECT_EQ(marker.RegisteredProgram(), "/usr/bin/kravelo");

    EXPECT_TRUE(marker.Remove());
    EXPECT_FALSE(fs::exists(marker.EntryPath()));
    EXPECT_EQ(marker.RegisteredProgram(), "");
    EXPECT_TRUE(marker.Remove());  // nothing left to remove is no failure

    // A path no desktop entry line can hold, and a config folder that cannot be made.
    EXPECT_FALSE(CrashResumeMarker("/tmp/a\nExec=rm", config).Register(&error));
    EXPECT_FALSE(fs::exists(marker.EntryPath()));
    dir.Write("file", "");
    EXPECT_FALSE(CrashResumeMarker(program, dir.File("file")).Register(&error));
    EXPECT_FALSE(error.empty());

    // Values that are not one quoted argument name no program.
    EXPECT_EQ(DesktopExecUnquote("/usr/bin/kravelo"), "");
    EXPECT_EQ(DesktopExecUnquote("\"/usr/bin/kravelo"), "");
    EXPECT_EQ(DesktopExecUnquote("\"/usr/bin/kravelo\" %f"), "");
}

TEST(XdgPaths, ConfigHomeFollowsXdgConfigHomeOrHome) {
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = oldXdg ? oldXdg : "";
    setenv("XDG_CONFIG_HOME", "/tmp/xdg-test", 1);
    EXPECT_EQ(DefaultConfigFolder(), "/tmp/xdg-test/kravelo");
    setenv("XDG_CONFIG_HOME", "relative", 1);  // ignored by the XDG rule
    const char* home = std::getenv("HOME");
    if (home && home[0]) {
        EXPECT_EQ(DefaultConfigFolder(), std::string(home) + "/.config/kravelo");
    }
    if (oldXdg)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}
