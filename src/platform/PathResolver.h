#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/Disk.h"

namespace zelk {

// An existing entry at its native path, and what it is (Missing for a dangling link).
struct ResolvedPath {
    std::string path;
    EntryKind kind;
};

// What a command remembers about the paths it has met, for its own length: where a path of
// another spelling was found, and the folder it opened last.
class ResolutionCache {
public:
    const std::string* find(const std::string& key) const;
    void remember(std::string key, std::string native);

    // The folder last opened by its full native path, so that the folders below it can be
    // opened relative to it: a Scan opens every aircraft folder by a path below AIRCRAFT.
    struct OpenedFolder {
        std::string native;
        std::shared_ptr<const FolderHandle> handle;
    };
    const OpenedFolder& lastOpened() const { return lastOpened_; }
    void rememberOpened(std::string native, std::shared_ptr<const FolderHandle> handle) {
        lastOpened_ = {std::move(native), std::move(handle)};
    }

private:
    std::unordered_map<std::string, std::string> entries_;
    OpenedFolder lastOpened_;
};

// True for a path that names no drive and does not start at a root: "FS2000", "..\\FS2000".
bool isRelativePath(std::string_view path);

// How the paths that the program builds the Windows way ("<folder>\AIRCRAFT\...") reach the
// native file system. On Linux they are looked up name by name without regard to case, drive
// letters through Wine's drive mapping; on Windows they are used as they are.
class PathResolver {
public:
    virtual ~PathResolver() = default;

    // The entry the path names, or nothing when some part of it is missing.
    virtual std::optional<ResolvedPath> resolve(const Disk& disk, std::string_view path,
                                                ResolutionCache* cache) const = 0;
    // Where the path most likely is, without asking the disk; nothing for a path that cannot be
    // mapped at all.
    virtual std::optional<std::string> likelyPath(std::string_view path,
                                                  const ResolutionCache* cache) const = 0;
    // The native path at which to create or replace the entry: its folder must exist.
    virtual std::optional<std::string> resolveForWriting(const Disk& disk,
                                                         std::string_view path) const = 0;
    // How to name the path in a message.
    virtual std::string displayPath(std::string_view path) const = 0;
};

}  // namespace zelk
