#include "platform/win32/NativePathResolver.h"

namespace zelk {

std::optional<ResolvedPath> NativePathResolver::resolve(const Disk& disk, std::string_view path,
                                                        ResolutionCache*) const {
    if (path.empty()) {
        return std::nullopt;
    }
    std::string native(path);
    const std::optional<EntryKind> kind = disk.probe(native);
    if (!kind) {
        return std::nullopt;
    }
    return ResolvedPath{std::move(native), *kind};
}

std::optional<std::string> NativePathResolver::likelyPath(std::string_view path,
                                                          const ResolutionCache*) const {
    if (path.empty()) {
        return std::nullopt;
    }
    return std::string(path);
}

std::optional<std::string> NativePathResolver::resolveForWriting(const Disk& disk,
                                                                 std::string_view path) const {
    const auto slash = path.find_last_of("\\/");
    if (slash == std::string_view::npos) {
        return std::string(path);
    }
    const std::string folder(path.substr(0, slash == 2 && path[1] == ':' ? 3 : slash));
    if (kindOf(disk, folder) != EntryKind::Folder) {
        return std::nullopt;
    }
    return std::string(path);
}

std::string NativePathResolver::displayPath(std::string_view path) const {
    return std::string(path);
}

}  // namespace zelk
