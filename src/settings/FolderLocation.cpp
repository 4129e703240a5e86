#include "settings/FolderLocation.h"

#include "platform/Error.h"
#include "settings/modZelk.h"

namespace zelk {

// A folder that cannot be looked into does not pass either: the user is asked for another.
bool isSimulatorFolder(const std::string& folder, const DiskAccess& access) {
    const FileSystemObject fso(access);
    const auto exists = [&fso](const std::string& path) {
        try {
            return fso.FolderExists(path);
        } catch (const ZelkError&) {
            return false;
        }
    };
    const bool hasAircraft = exists(folder + "\\AIRCRAFT");
    const bool hasGauges = exists(folder + "\\GAUGES");
    return hasAircraft || hasGauges;
}

void findSimFolder(std::string& simFolder, WindowOps& window, const DiskAccess& access,
                   const std::string& executableFolder) {
    modZelk::SettingsFile = executableFolder + "\\" + kSettingsFileName;
    simFolder = modZelk::ReadIniString(modZelk::SettingsFile, kSettingsSection, kSettingsKey,
                                       kDefaultSimFolder, access);
    if (isSimulatorFolder(simFolder, access)) {
        return;
    }
    selectSimFolder(simFolder, window, access);
    modZelk::WriteIniString(modZelk::SettingsFile, kSettingsSection, kSettingsKey, simFolder,
                            access);
}

// Asking again is a loop rather than a call of itself, so that no number of wrong choices can
// exhaust the stack; the folder written afterwards is the accepted one either way.
void selectSimFolder(std::string& simFolder, WindowOps& window, const DiskAccess& access) {
    for (;;) {
        simFolder.clear();
        if (auto picked = window.pickFolder(kPickerTitle)) {
            simFolder = std::move(*picked);
        }
        if (simFolder.empty()) {
            unloadMainWindow();
        }
        if (isSimulatorFolder(simFolder, access)) {
            return;
        }
    }
}

}  // namespace zelk
