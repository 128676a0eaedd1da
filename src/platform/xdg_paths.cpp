#include "platform/xdg_paths.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace kravelo {

namespace fs = std::filesystem;

std::string XdgConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    return (fs::path(home && home[0] ? home : ".") / ".config").string();
}

std::string XdgDataHome() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    return (fs::path(home && home[0] ? home : ".") / ".local" / "share").string();
}

std::vector<std::string> XdgDataDirs() {
    std::vector<std::string> dirs;
    const char* xdg = std::getenv("XDG_DATA_DIRS");
    std::string_view list = xdg ? xdg : "";
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view dir = list.substr(0, colon);
        if (!dir.empty() && dir.front() == '/') dirs.emplace_back(dir);
        if (colon == std::string_view::npos) break;
        list.remove_prefix(colon + 1);
    }
    if (dirs.empty()) dirs = {"/usr/local/share", "/usr/share"};
    return dirs;
}

std::string DefaultConfigFolder() {
    return (fs::path(XdgConfigHome()) / "kravelo").string();
}

}  // namespace kravelo
