#include "settings/modZelk.h"

#include <algorithm>

#include "platform/ProfileString.h"

namespace modZelk {

std::string SettingsFile;

std::string ReadIniString(const std::string& fileName, const std::string& section,
                          const std::string& key, const std::string& defaultValue,
                          const zelk::DiskAccess& access) {
    std::string buffer(256, ' ');
    const std::size_t count = zelk::GetPrivateProfileStringA(section, key, defaultValue,
                                                             buffer.data(), 255, fileName, access);
    return buffer.substr(0, count);
}

void WriteIniString(const std::string& fileName, const std::string& section, const std::string& key,
                    const std::string& value, const zelk::DiskAccess& access) {
    std::string stored = value;
    std::replace_if(
        stored.begin(), stored.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    zelk::WritePrivateProfileStringA(section, key, stored, fileName, access);
}

}  // namespace modZelk
