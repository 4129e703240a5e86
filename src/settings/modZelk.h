#pragma once

#include <string>

#include "platform/FileSystemObject.h"

// The settings file: one value, read and written through the profile-string functions.
namespace modZelk {

// Full path of the settings file, set once at start-up.
extern std::string SettingsFile;

// The value of section/key, or the default when the file, section or key is missing. At most
// 254 characters come back; one pair of matching quotes around the value is removed.
std::string ReadIniString(const std::string& fileName, const std::string& section,
                          const std::string& key, const std::string& defaultValue,
                          const zelk::DiskAccess& access = zelk::DiskAccess::system());

// True when ReadIniString would give this value back exactly once WriteIniString has stored
// it: at most 254 characters as stored (with the quotes it may need), and no CR, LF or NUL.
bool CanStoreValue(const std::string& value);

// Stores the value so that ReadIniString gives it back exactly: a value with blanks or quotes
// at its ends goes inside double quotes. A value that could not come back exactly (see
// CanStoreValue) is not stored at all. A failure goes unnoticed.
void WriteIniString(const std::string& fileName, const std::string& section, const std::string& key,
                    const std::string& value,
                    const zelk::DiskAccess& access = zelk::DiskAccess::system());

}  // namespace modZelk
