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
// Where the settings file may be.
struct SettingsFolders {
    std::string program;  // the folder of the program's binary
    std::string user;     // the folder of this user's own settings file; empty when unknown
    // The program's folder belongs to the whole system (a package's): no settings file is made
    // there, though one that already stands there is used.
    bool programIsSystemFolder = false;
};

// The settings file as the start-up step would take it, for the user to see.
struct SettingsFileInUse {
    std::string file;      // the file a chosen folder is written to
    bool exists = false;   // whether it is there yet
    std::string readFile;  // another file the remembered folder is read from until then, or ""
};

// A simulator folder is usable when it has an AIRCRAFT or a GAUGES subfolder (any case).
bool isSimulatorFolder(const std::string& folder, const DiskAccess& access);

// Sets modZelk::SettingsFile and establishes the simulator folder: the remembered one, else
// the default, else one the user picks (then remembered). The settings file is ZELKGAU.INI
// beside the program when this user may create files there and the folder is not the system's
// (or a ZELKGAU.INI already stands there); otherwise it is ZELKGAU.INI in the user's own
// settings folder, and until that file exists the one beside the program is read. A remembered
// folder given as a relative path is taken relative to the folder of the file it was read from. A
// cancelled picker unloads the main window, which ends the program.
void findSimFolder(std::string& simFolder, Prompter& prompter, const DiskAccess& access,
                   const SettingsFolders& folders);

// The folder that findSimFolder starts from: the remembered one, else the default. Reads the
// settings file where findSimFolder would; asks nothing and writes nothing.
std::string rememberedSimFolder(const DiskAccess& access, const SettingsFolders& folders);

// Where the start-up step reads and writes the settings file, as native paths. Asks nothing and
// writes nothing.
SettingsFileInUse settingsFileInUse(const DiskAccess& access, const SettingsFolders& folders);

// Shows the picker until the chosen folder is usable. Writes nothing.
void selectSimFolder(std::string& simFolder, Prompter& prompter, const DiskAccess& access);

}  // namespace zelk
