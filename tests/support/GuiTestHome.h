#pragma once

#include <string>

namespace zelk::test {

// The empty folder that HOME and XDG_CONFIG_HOME name while the window tests run.
const std::string& guiTestHome();

}  // namespace zelk::test
