#pragma once

#include <string>

#include "app/WindowOps.h"
#include "platform/FileSystemObject.h"

namespace zelk {

inline constexpr const char* kDefaultSimFolder = "C:\\Program Files\\Microsoft Games\\FS2000";
inline constexpr const char* kSettingsFileName = "ZELKGAU.INI";
inline constexpr const char* kSettingsSection = "FS2000";
inline constexpr const char* kSettingsKey = "Folder";
inline constexpr const char* kPickerTitle = "Select your FS2000 game folder:";

// A simulator folder is usable when it has an AIRCRAFT or a GAUGES subfolder (any case).
bool isSimulatorFolder(const std::string& folder, const DiskAccess& access);

// Sets modZelk::SettingsFile beside the executable and establishes the simulator folder: the
// remembered one, else the default, else one the user picks (then remembered). A cancelled
// picker unloads the main window, which ends the program.
void findSimFolder(std::string& simFolder, WindowOps& window, const DiskAccess& access,
                   const std::string& executableFolder);

// Shows the picker until the chosen folder is usable. Writes nothing.
void selectSimFolder(std::string& simFolder, WindowOps& window, const DiskAccess& access);

}  // namespace zelk
