#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelk {

// What a path names once symbolic links are followed. A dangling link is Missing; anything
// that is neither a folder nor a regular file (a device, a pipe) is Other and is never read.
enum class EntryKind { Missing, Folder, File, Other };

struct DirEntry {
    std::string name;
    EntryKind kind;
};

// A file opened for reading, read in chunks.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to size bytes; returns 0 at the end. Throws ZelkError on failure.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
};

// The operating system's file calls, on native paths. Everything above it (path mapping,
// the file-system service, the settings file) goes through this seam, so that tests can
// inject failures that permission bits cannot produce for root.
class Disk {
public:
    virtual ~Disk() = default;

    // Nothing when no entry of that name is present; otherwise what it names, following
    // symbolic links (Missing for a dangling link). A failure other than "not there" (no
    // permission to look, an I/O error) throws ZelkError: it must never pass for a missing
    // panel file.
    virtual std::optional<EntryKind> probe(const std::string& path) const = 0;
    // The entries of a folder, unsorted, without "." and "..". Throws ZelkError: path not found
    // when there is no such folder, another error when it cannot be read.
    virtual std::vector<DirEntry> list(const std::string& path) const = 0;
    // Throws ZelkError naming the path.
    virtual std::unique_ptr<ByteSource> openRead(const std::string& path) const = 0;
    // Removes a file or a link (never a link's target). Throws ZelkError naming the path.
    virtual void remove(const std::string& path) const = 0;
    // True when nobody may write the file.
    virtual bool isReadOnly(const std::string& path) const = 0;
    // The path with every link followed and nothing relative left in it, so that two paths
    // name the same entry exactly when their canonical paths are equal. Throws ZelkError.
    virtual std::string canonicalPath(const std::string& path) const = 0;
    // Replaces the file's content atomically: a temporary file beside it, then a rename.
    // On failure the old file is untouched and ZelkError is thrown.
    virtual void replaceFile(const std::string& path, const std::string& content) const = 0;
    // True when this user may create a file in the folder.
    virtual bool canCreateFileIn(const std::string& folder) const = 0;
    // Creates a folder that only its owner may enter. Throws ZelkError naming the path.
    virtual void createFolder(const std::string& path) const = 0;
};

// The real thing, on POSIX calls.
class PosixDisk : public Disk {
public:
    std::optional<EntryKind> probe(const std::string& path) const override;
    std::vector<DirEntry> list(const std::string& path) const override;
    std::unique_ptr<ByteSource> openRead(const std::string& path) const override;
    void remove(const std::string& path) const override;
    bool isReadOnly(const std::string& path) const override;
    std::string canonicalPath(const std::string& path) const override;
    void replaceFile(const std::string& path, const std::string& content) const override;
    bool canCreateFileIn(const std::string& folder) const override;
    void createFolder(const std::string& path) const override;
};

// What a path names, following links; Missing when nothing (or a dangling link) is there.
inline EntryKind kindOf(const Disk& disk, const std::string& path) {
    return disk.probe(path).value_or(EntryKind::Missing);
}

// Translates errno of a failed call on path into the program's error.
[[noreturn]] void throwSystemError(int errnoValue, const std::string& path, bool isFolder);

}  // namespace zelk
