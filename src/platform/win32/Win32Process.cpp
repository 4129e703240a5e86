#include <windows.h>

#include <shlobj.h>

#include "platform/ConfigFolder.h"
#include "platform/ProcessMemory.h"
#include "platform/win32/Win32Text.h"

namespace zelk {

// The Windows heap keeps freed memory for the process by itself.
void keepFreedMemoryForReuse() {}

// Where programs keep the settings of one user that travel with the user's account.
std::string userSettingsFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return {};
    }
    const auto roaming = win32::narrow(folder);
    return roaming && !roaming->empty() ? *roaming + "\\Zelk Gauges" : std::string();
}

// A program of its own folder, as it is unzipped: the settings file stands beside it wherever it
// can be written.
bool isSystemProgramFolder(const std::string& /*folder*/) {
    return false;
}

}  // namespace zelk
