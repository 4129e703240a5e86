#include "app/ProgramSeams.h"

#include "platform/ConfigFolder.h"
#include "platform/ExecutableFolder.h"

namespace zelk {

SettingsFolders withSystemFolders(SettingsFolders folders) {
    if (folders.program.empty()) {
        folders.program = executableFolder();
        folders.programIsSystemFolder = isSystemProgramFolder(folders.program);
    }
    if (folders.user.empty()) {
        folders.user = userSettingsFolder();
    }
    return folders;
}

}  // namespace zelk
