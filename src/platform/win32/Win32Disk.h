#pragma once

#include "platform/Disk.h"

namespace zelk {

// The real thing, on the Windows wide calls. Paths are UTF-8 and used as Windows reads them.
// A reparse point (symbolic link, junction) is followed like a symbolic link on POSIX.
class Win32Disk : public Disk {
public:
    std::optional<EntryKind> probe(const std::string& path) const override;
    std::vector<DirEntry> list(const std::string& path) const override;
    std::unique_ptr<ByteSource> openRead(const std::string& path) const override;
    // Deletes exactly the entry named (a link as the link) through one handle, after checking
    // it as checkRemovable does. Clears the read-only attribute first, as a forced delete
    // does; if the file still cannot be deleted, the attribute is put back.
    void remove(const std::string& path) const override;
    bool isReadOnly(const std::string& path) const override;
    std::string shortName(const std::string& path) const override;
    // The entry opened as itself, with the access and sharing its deletion takes (a file that
    // another program has open without letting it be deleted is in use), must be a file on
    // disk whose final path is the folder's followed by this very name; anything else (a
    // device, a link whose target the system would delete, a name that Windows bends into
    // another) throws naming what it reaches.
    void checkRemovable(const std::string& path) const override;
    std::uint64_t fileSize(const std::string& path) const override;
    FolderIdentity folderIdentity(const std::string& path) const override;
    // A folder that knows its identity and final path, and that a removal holds in place.
    std::shared_ptr<const FolderHandle> openFolder(const std::string& path) const override;
    std::string canonicalPath(const std::string& path) const override;
    void replaceFile(const std::string& path, const std::string& content) const override;
    bool canCreateFileIn(const std::string& folder) const override;
    void createFolder(const std::string& path) const override;

private:
    // The final path of the folder that holds the entry, ending with a separator.
    const std::wstring& finalPathOfFolderOf(const std::string& path) const;

    struct FolderFinalPath {
        std::string path;
        std::wstring finalPath;
    };
    mutable FolderFinalPath lastFolder_;
};

}  // namespace zelk
