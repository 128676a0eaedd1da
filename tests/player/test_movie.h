#pragma once
// A small movie made by ffmpeg for the player tests: 10 s, 25 fps, 320x240, with sound.

#include <QGuiApplication>
#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace kravelo::test {

// Made once per test run; empty when ffmpeg failed.
inline const std::string& TestMovie() {
    static TempDir dir;
    static const std::string path = [] {
        const std::string file = dir.File("film1.avi");
        const std::string cmd =
            "ffmpeg -nostdin -v error -y -f lavfi -i testsrc=duration=10:size=320x240:rate=25 "
            "-f lavfi -i sine=d=10 -c:v mpeg4 -c:a mp3 -shortest '" +
            file + "'";
        return std::system(cmd.c_str()) == 0 ? file : std::string();
    }();
    return path;
}

inline bool CanShowVideo() {
    return QGuiApplication::platformName() == "xcb";
}

}  // namespace kravelo::test
