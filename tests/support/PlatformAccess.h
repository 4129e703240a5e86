#pragma once

#include <memory>
#include <string>

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

}  // namespace zelk::test
