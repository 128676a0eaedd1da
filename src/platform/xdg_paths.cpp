#include "platform/xdg_paths.h"

#include <cstdlib>
#include <filesystem>

namespace kravelo {

namespace fs = std::filesystem;

std::string XdgConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    return (fs::path(home && home[0] ? home : ".") / ".config").string();
}

std::string DefaultConfigFolder() {
    return (fs::path(XdgConfigHome()) / "kravelo").string();
}

}  // namespace kravelo
