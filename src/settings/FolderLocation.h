#pragma once

#include <string>

#include "platform/FileSystemObject.h"
#include "platform/Prompter.h"

namespace zelk {

inline constexpr const char* kDefaultSimFolder = "C:\\Program Files\\Microsoft Games\\FS2000";
inline constexpr const char* kSettingsFileName = "ZELKGAU.INI";
inline constexpr const char* kSettingsSection = "FS2000";
inline constexpr const char* kSettingsKey = "Folder";
inline constexpr const char* kPickerTitle = "Select your FS2000 game folder:";
// The folder, inside the user's configuration folder, of a settings file kept per user.
inline constexpr const char* kUserSettingsFolderName = "zelkgauges";

// Where the settings file may be.
struct SettingsFolders {
    std::string program;  // the folder of the program's binary
    std::string user;     // the user's own configuration folder; empty when unknown
};

// A simulator folder is usable when it has an AIRCRAFT or a GAUGES subfolder (any case).
bool isSimulatorFolder(const std::string& folder, const DiskAccess& access);

// Sets modZelk::SettingsFile and establishes the simulator folder: the remembered one, else
// the default, else one the user picks (then remembered). The settings file is ZELKGAU.INI
// beside the program; when this user may not create files there, it is ZELKGAU.INI in the
// zelkgauges folder of the user's configuration folder, and until that file exists the one
// beside the program is read. A remembered folder given as a relative path is taken relative
// to the folder of the file it was read from. A cancelled picker unloads the main window,
// which ends the program.
void findSimFolder(std::string& simFolder, Prompter& prompter, const DiskAccess& access,
                   const SettingsFolders& folders);

// The folder that findSimFolder starts from: the remembered one, else the default. Reads the
// settings file where findSimFolder would; asks nothing and writes nothing.
std::string rememberedSimFolder(const DiskAccess& access, const SettingsFolders& folders);

// Shows the picker until the chosen folder is usable. Writes nothing.
void selectSimFolder(std::string& simFolder, Prompter& prompter, const DiskAccess& access);

}  // namespace zelk
