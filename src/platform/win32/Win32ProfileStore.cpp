#include "platform/ProfileStore.h"

#include "platform/win32/Win32ProfileString.h"

namespace zelk {

// The system's own functions work on the real file: the disk access, which lets tests on Linux
// inject faults, has no part in them.
std::size_t readProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, char* buffer, std::size_t size,
                              const std::string& fileName, const DiskAccess&) {
    return win32::GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
}

bool writeProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& fileName, const DiskAccess&) {
    return win32::WritePrivateProfileStringA(section, key, value, fileName);
}

}  // namespace zelk
