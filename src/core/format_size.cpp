#include "core/format_size.h"

#include <filesystem>
#include <system_error>

namespace kravelo {

std::string FormatSize(std::uint64_t n) {
    if (n < 1024) return std::to_string(n) + " B";
    static const char* const kUnits[] = {"kB", "MB", "GB", "TB"};
    int unit = 0;
    std::uint64_t scale = 1024;
    while (unit < 3 && n >= scale * 1024) {
        scale *= 1024;
        ++unit;
    }
    std::uint64_t whole = n / scale;
    // First decimal digit of the exact quotient, truncated.
    std::uint64_t tenth = (n % scale) * 10 / scale;
    return std::to_string(whole) + "." + std::to_string(tenth) + " " + kUnits[unit];
}

std::uint64_t FileSizeOf(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(std::filesystem::path(path), ec);
    return ec ? 0 : static_cast<std::uint64_t>(size);
}

}  // namespace kravelo
