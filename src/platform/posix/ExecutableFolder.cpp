#include "platform/ExecutableFolder.h"

#include <unistd.h>

#include <vector>

namespace zelk {

std::string executableFolder() {
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        return ".";  // unknown: the current folder, never the root of the file system
    }
    const std::string path(buffer.data(), static_cast<std::size_t>(length));
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace zelk
