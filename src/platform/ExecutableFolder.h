#pragma once

#include <string>

namespace zelk {

// The folder that holds the running program's binary, without a trailing separator (except
// for "/" itself); the current folder "." if the system does not say.
std::string executableFolder();

}  // namespace zelk
