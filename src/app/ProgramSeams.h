#pragma once

#include "platform/FileSystemObject.h"
#include "platform/Prompter.h"
#include "settings/FolderLocation.h"

namespace zelk {

// What a front end's program (QtProgram, Win32Program) needs from its surroundings; tests
// replace each part.
struct ProgramSeams {
    Prompter* prompter = nullptr;  // nullptr: the front end's own dialogs
    DiskAccess access = DiskAccess::system();
    // An empty folder is the system's: the folder of the running binary (and whether it is a
    // folder of the system's), the user's own settings folder.
    SettingsFolders folders;
};

// The folders, each empty one replaced by the system's.
SettingsFolders withSystemFolders(SettingsFolders folders);

}  // namespace zelk
