#pragma once

#include <cstddef>
#include <string>

#include "platform/FileSystemObject.h"

namespace zelk {

// The profile-string functions of this platform, for one value of an INI file: on Windows the
// system's own, on Linux the program's look-alikes of them (platform/ProfileString.h), which
// work through the given disk access. Text is UTF-8 on this side.
//
// Reading places the value, or the default when the file, section or key is missing, in the
// buffer: at most size - 1 characters and a NUL. The result is the number of characters placed.
std::size_t readProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, char* buffer, std::size_t size,
                              const std::string& fileName, const DiskAccess& access);

// Stores the value under the section and key, creating what is missing. False on failure,
// with the file as it was.
bool writeProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& fileName,
                        const DiskAccess& access);

}  // namespace zelk
