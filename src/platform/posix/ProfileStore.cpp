#include "platform/ProfileStore.h"

#include "platform/ProfileString.h"

namespace zelk {

std::size_t readProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, char* buffer, std::size_t size,
                              const std::string& fileName, const DiskAccess& access) {
    return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName, access);
}

bool writeProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& fileName,
                        const DiskAccess& access) {
    return WritePrivateProfileStringA(section, key, value, fileName, access);
}

}  // namespace zelk
