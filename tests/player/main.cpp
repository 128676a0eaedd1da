// The player tests need a QApplication. ctest runs them under xvfb-run with the xcb platform,
// because showing the video window needs real OpenGL; without a display they fall back to
// offscreen, where the tests that show video skip themselves.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>

// What the system libraries of the xcb platform keep for the whole process (D-Bus, fontconfig)
// is not ours to free.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\nleak:libfontconfig.so\n";
}
#endif

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", std::getenv("DISPLAY") ? "xcb" : "offscreen", 1);
    // The picture keeps its OpenGL context (and the player its renderer) when full screen moves
    // it to another window.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
#ifdef __SANITIZE_ADDRESS__
    // Look for leaks now, while the OpenGL driver is still loaded: at exit it has been unloaded
    // and what it keeps for the process could no longer be told apart from a leak of ours.
    __lsan_do_leak_check();
#endif
    return result;
}
