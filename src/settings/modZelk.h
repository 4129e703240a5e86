#pragma once

#include <string>

#include "platform/FileSystemObject.h"

// The settings file: one value, read and written through the profile-string functions.
namespace modZelk {

// Full path of the settings file, set once at start-up.
extern std::string SettingsFile;

// The value of section/key, or the default when the file, section or key is missing. At most
// 254 characters come back.
std::string ReadIniString(const std::string& fileName, const std::string& section,
                          const std::string& key, const std::string& defaultValue,
                          const zelk::DiskAccess& access = zelk::DiskAccess::system());

// Stores the value with every CR and LF replaced by a space. A failure goes unnoticed.
void WriteIniString(const std::string& fileName, const std::string& section, const std::string& key,
                    const std::string& value,
                    const zelk::DiskAccess& access = zelk::DiskAccess::system());

}  // namespace modZelk
