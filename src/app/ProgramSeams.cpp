#include "app/ProgramSeams.h"

#include "platform/ConfigFolder.h"
#include "platform/ExecutableFolder.h"

namespace zelk {

SettingsFolders withSystemFolders(SettingsFolders folders) {
    if (folders.program.empty()) {
        folders.program = executableFolder();
    }
    if (folders.user.empty()) {
        folders.user = userConfigFolder();
    }
    return folders;
}

}  // namespace zelk
