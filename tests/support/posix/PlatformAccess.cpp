#include "support/PlatformAccess.h"

#include "platform/posix/PosixDisk.h"
#include "platform/posix/WinePathResolver.h"

namespace zelk::test {

const bool kPathsIgnoreCase = false;

std::shared_ptr<const Disk> platformDisk() {
    static const auto disk = std::make_shared<const PosixDisk>();
    return disk;
}

DiskAccess accessTo(std::shared_ptr<const Disk> disk, const std::string& winePrefix) {
    return {std::move(disk), std::make_shared<WinePathResolver>(winePrefix)};
}

}  // namespace zelk::test
