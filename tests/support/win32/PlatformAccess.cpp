#include "support/PlatformAccess.h"

#include "platform/win32/NativePathResolver.h"
#include "platform/win32/Win32Disk.h"

namespace zelk::test {

const bool kPathsIgnoreCase = true;

std::shared_ptr<const Disk> platformDisk() {
    static const auto disk = std::make_shared<const Win32Disk>();
    return disk;
}

// Windows has no Wine prefix to map drive letters through: its paths are used as they are.
DiskAccess accessTo(std::shared_ptr<const Disk> disk, const std::string&) {
    return {std::move(disk), std::make_shared<NativePathResolver>()};
}

}  // namespace zelk::test
