#pragma once

#include <string>

namespace zelk {

// The user's own configuration folder: $XDG_CONFIG_HOME when it is an absolute path, else
// .config in the home folder; empty when no home folder is known.
std::string userConfigFolder();

}  // namespace zelk
