#include "settings/FolderLocation.h"

#include "platform/Error.h"
#include "platform/PathResolver.h"
#include "settings/modZelk.h"

namespace zelk {
namespace {

struct SettingsFileIn {
    std::string folder;
    std::string file;
};

SettingsFileIn settingsFileIn(const std::string& folder) {
    return {folder, folder + "\\" + kSettingsFileName};
}

struct SettingsPlace {
    SettingsFileIn written;  // where a chosen folder is remembered
    SettingsFileIn read;     // where the remembered folder is read from
    bool perUser = false;
};

bool mayCreateFileIn(const std::string& folder, const DiskAccess& access) {
    try {
        const auto native = access.resolver->resolve(*access.disk, folder, nullptr);
        return native && access.disk->canCreateFileIn(native->path);
    } catch (const ZelkError&) {
        return false;
    }
}

// Only a file that is surely not there gives way to another: one that cannot be looked at
// is still the settings file (and reads as missing).
bool mayExist(const std::string& file, const DiskAccess& access) {
    try {
        return access.resolver->resolve(*access.disk, file, nullptr).has_value();
    } catch (const ZelkError&) {
        return true;
    }
}

// A settings file is made beside the program only in a folder of the user's own (a portable
// copy); in a folder of the system's only one that stands there already is kept up to date.
bool keepsSettingsBeside(const SettingsFolders& folders, const SettingsFileIn& beside,
                         const DiskAccess& access) {
    return mayCreateFileIn(folders.program, access) &&
           (!folders.programIsSystemFolder || mayExist(beside.file, access));
}

SettingsPlace settingsPlace(const SettingsFolders& folders, const DiskAccess& access) {
    const SettingsFileIn beside = settingsFileIn(folders.program);
    if (folders.user.empty() || keepsSettingsBeside(folders, beside, access)) {
        return {beside, beside, false};
    }
    const SettingsFileIn own = settingsFileIn(folders.user);
    return {own, mayExist(own.file, access) ? own : beside, true};
}

// The folder that holds this one; empty for a folder without a parent in its path.
std::string parentOf(const std::string& folder) {
    const auto separator = folder.find_last_of("\\/");
    return separator == std::string::npos || separator == 0 ? std::string()
                                                            : folder.substr(0, separator);
}

// A hand-edited settings file may name the folder relative to where the file is, never to
// wherever the program was started from. An empty value is not a path and stays as it is.
std::string fromSettingsFolder(const std::string& value, const std::string& settingsFolder) {
    if (value.empty() || !isRelativePath(value)) {
        return value;
    }
    return settingsFolder + "\\" + value;
}

void createMissingFolder(const std::string& folder, const DiskAccess& access) {
    if (access.resolver->resolve(*access.disk, folder, nullptr)) {
        return;
    }
    if (const auto native = access.resolver->resolveForWriting(*access.disk, folder)) {
        access.disk->createFolder(*native);
    }
}

// A folder that could not be read back exactly is used for this run only: the next start
// asks again rather than work on another folder. A settings file that cannot be written goes
// unnoticed, with the same effect.
void rememberSimFolder(const std::string& simFolder, const SettingsPlace& place,
                       const DiskAccess& access) {
    if (!modZelk::CanStoreValue(simFolder)) {
        return;
    }
    if (place.perUser) {
        try {
            // A new account may not have its configuration folder yet.
            if (const std::string parent = parentOf(place.written.folder); !parent.empty()) {
                createMissingFolder(parent, access);
            }
            createMissingFolder(place.written.folder, access);
        } catch (const ZelkError&) {
            return;
        }
    }
    modZelk::WriteIniString(modZelk::SettingsFile, kSettingsSection, kSettingsKey, simFolder,
                            access);
}

}  // namespace

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

namespace {

std::string rememberedIn(const SettingsPlace& place, const DiskAccess& access) {
    const std::string remembered = modZelk::ReadIniString(place.read.file, kSettingsSection,
                                                          kSettingsKey, kDefaultSimFolder, access);
    return fromSettingsFolder(remembered, place.read.folder);
}

}  // namespace

std::string rememberedSimFolder(const DiskAccess& access, const SettingsFolders& folders) {
    return rememberedIn(settingsPlace(folders, access), access);
}

SettingsFileInUse settingsFileInUse(const DiskAccess& access, const SettingsFolders& folders) {
    const SettingsPlace place = settingsPlace(folders, access);
    const bool readsAnother =
        place.read.file != place.written.file && mayExist(place.read.file, access);
    return {access.displayPath(place.written.file), mayExist(place.written.file, access),
            readsAnother ? access.displayPath(place.read.file) : std::string()};
}

void findSimFolder(std::string& simFolder, Prompter& prompter, const DiskAccess& access,
                   const SettingsFolders& folders) {
    const SettingsPlace place = settingsPlace(folders, access);
    modZelk::SettingsFile = place.written.file;
    simFolder = rememberedIn(place, access);
    if (isSimulatorFolder(simFolder, access)) {
        return;
    }
    selectSimFolder(simFolder, prompter, access);
    rememberSimFolder(simFolder, place, access);
}

// Asking again is a loop rather than a call of itself, so that no number of wrong choices can
// exhaust the stack; the folder written afterwards is the accepted one either way.
void selectSimFolder(std::string& simFolder, Prompter& prompter, const DiskAccess& access) {
    for (;;) {
        simFolder.clear();
        if (auto picked = prompter.pickFolder(kPickerTitle)) {
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
