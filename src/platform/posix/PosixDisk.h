#pragma once

#include "platform/Disk.h"

namespace zelk {

// The real thing, on POSIX calls.
class PosixDisk : public Disk {
public:
    std::optional<EntryKind> probe(const std::string& path) const override;
    std::vector<DirEntry> list(const std::string& path) const override;
    std::unique_ptr<ByteSource> openRead(const std::string& path) const override;
    void remove(const std::string& path) const override;
    bool isReadOnly(const std::string& path) const override;
    void checkRemovable(const std::string& path) const override;
    std::uint64_t fileSize(const std::string& path) const override;
    FolderIdentity folderIdentity(const std::string& path) const override;
    std::string canonicalPath(const std::string& path) const override;
    void replaceFile(const std::string& path, const std::string& content) const override;
    std::shared_ptr<const FolderHandle> openFolder(const std::string& path) const override;
    bool canCreateFileIn(const std::string& folder) const override;
    void createFolder(const std::string& path) const override;
};

// Translates errno of a failed call on path into the program's error.
[[noreturn]] void throwSystemError(int errnoValue, const std::string& path, bool isFolder);

}  // namespace zelk
