#include "platform/FileSystemObject.h"
#include "platform/posix/PosixDisk.h"
#include "platform/posix/WinePathResolver.h"

namespace zelk {

// The real disk, with the program's paths looked up the way Windows would and drive letters
// taken through the Wine prefix of the environment.
DiskAccess DiskAccess::system() {
    static const auto disk = std::make_shared<const PosixDisk>();
    return {disk, std::make_shared<WinePathResolver>(defaultWinePrefix())};
}

}  // namespace zelk
