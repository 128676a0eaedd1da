#pragma once
// Documents the benchmarks work on.

#include <string>
#include <vector>

namespace kravelo::bench {

// n frame lines; subtitle i runs from frame 100 + 60i to 150 + 60i (at 25 fps: 4 s + 2.4 s per
// subtitle, 2 s on screen) with a two-row text.
inline std::vector<std::string> FrameDocument(std::size_t n) {
    std::vector<std::string> lines;
    lines.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        lines.push_back("{" + std::to_string(100 + i * 60) + "}{" + std::to_string(150 + i * 60) +
                        "}Przykładowy napis numer " + std::to_string(i) + "|drugi wiersz");
    return lines;
}

}  // namespace kravelo::bench
