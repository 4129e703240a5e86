#include "platform/FileSystemObject.h"
#include "platform/win32/NativePathResolver.h"
#include "platform/win32/Win32Disk.h"

namespace zelk {

const std::string_view kNativeSeparators = "\\/";

// The real disk through the wide calls, with the program's paths used as they are.
DiskAccess DiskAccess::system() {
    static const auto disk = std::make_shared<const Win32Disk>();
    return {disk, std::make_shared<NativePathResolver>()};
}

}  // namespace zelk
