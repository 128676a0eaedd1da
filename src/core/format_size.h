#pragma once
#include <cstdint>
#include <string>

namespace kravelo {

// A byte count as text: "1023 B", "1.5 kB", "1.0 MB", ... up to TB, with one truncated decimal.
std::string FormatSize(std::uint64_t bytes);

// The subtitle chooser's shorter variant: "812 b", "1.5 kb", "1023.9 kb", "2.0 Mb", never larger
// units.
std::string ChooserSizeText(std::uint64_t bytes);

// The size of a file in bytes, 0 when it cannot be read.
std::uint64_t FileSizeOf(const std::string& path);

}  // namespace kravelo
