#include "core/format_size.h"

#include <filesystem>
#include <span>
#include <string_view>
#include <system_error>

namespace kravelo {
namespace {

// units[0] for whole bytes below 1024, then one unit per power of 1024 while one is left; the
// first decimal digit of the exact quotient, truncated.
std::string SizeText(std::uint64_t n, std::span<const std::string_view> units) {
    if (n < 1024) return std::to_string(n) + " " + std::string(units[0]);
    std::size_t unit = 1;
    std::uint64_t scale = 1024;
    while (unit + 1 < units.size() && n >= scale * 1024) {
        scale *= 1024;
        ++unit;
    }
    const std::uint64_t tenth = (n % scale) * 10 / scale;
    return std::to_string(n / scale) + "." + std::to_string(tenth) + " " + std::string(units[unit]);
}

constexpr std::string_view kUnits[] = {"B", "kB", "MB", "GB", "TB"};
constexpr std::string_view kChooserUnits[] = {"b", "kb", "Mb"};

}  // namespace

std::string FormatSize(std::uint64_t n) {
    return SizeText(n, kUnits);
}

std::string ChooserSizeText(std::uint64_t n) {
    return SizeText(n, kChooserUnits);
}

std::uint64_t FileSizeOf(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(std::filesystem::path(path), ec);
    return ec ? 0 : static_cast<std::uint64_t>(size);
}

}  // namespace kravelo
