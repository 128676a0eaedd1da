#pragma once
// The XDG base folders the program uses, from the environment. No Qt.

#include <string>

namespace kravelo {

// $XDG_CONFIG_HOME when it is an absolute path (the XDG rule ignores a relative one), else
// $HOME/.config.
std::string XdgConfigHome();

// The program's own configuration folder: <config home>/kravelo.
std::string DefaultConfigFolder();

}  // namespace kravelo
