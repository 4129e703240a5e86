#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/Disk.h"
#include "platform/FileSystemObject.h"

namespace zelk::test {

// The platform's own disk.
std::shared_ptr<const Disk> platformDisk();

// Access to a disk (by default the platform's own) with the platform's way of reaching paths.
// On Linux a Wine prefix may be given for drive letters; Windows uses paths as they are.
DiskAccess accessTo(std::shared_ptr<const Disk> disk, const std::string& winePrefix = {});

inline DiskAccess realAccess(const std::string& winePrefix = {}) {
    return accessTo(platformDisk(), winePrefix);
}

// True where the system finds names without regard to case (Windows): there the program keeps
// a path as it built it ("...\AIRCRAFT\A"), which names the folder spelled "Aircraft\A".
extern const bool kPathsIgnoreCase;

// Whether two native paths name the same entry as this system reads them, "/" and "\" alike.
bool samePath(std::string_view a, std::string_view b);
// Whether a message names the path (as samePath compares).
bool mentions(std::string_view text, std::string_view path);
// Whether the path ends with the suffix (as samePath compares).
bool pathEndsWith(std::string_view path, std::string_view suffix);

}  // namespace zelk::test
