// The player tests need a QApplication. ctest runs them under xvfb-run with the xcb platform,
// because showing the video window needs real OpenGL; without a display they fall back to
// offscreen, where the tests that show video skip themselves.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", std::getenv("DISPLAY") ? "xcb" : "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
