#pragma once
// The XDG base folders the program uses, from the environment. No Qt.

#include <string>
#include <vector>

namespace kravelo {

// $XDG_CONFIG_HOME when it is an absolute path (the XDG rule ignores a relative one), else
// $HOME/.config.
std::string XdgConfigHome();

// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share.
std::string XdgDataHome();

// The absolute folders of $XDG_DATA_DIRS, else /usr/local/share and /usr/share.
std::vector<std::string> XdgDataDirs();

// The program's own configuration folder: <config home>/kravelo.
std::string DefaultConfigFolder();

}  // namespace kravelo
