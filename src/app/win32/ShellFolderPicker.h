#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace zelk::win32 {

// The shell's folder picker, owned by a window, for file-system folders only. The chosen
// folder's path as UTF-8; nothing when the user cancelled or chose an item that has no
// file-system path.
std::optional<std::string> browseForFolder(HWND owner, const std::string& title);

}  // namespace zelk::win32
