#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

// What a path names once symbolic links are followed. A dangling link is Missing; anything
// that is neither a folder nor a regular file (a device, a pipe) is Other and is never read.
enum class EntryKind : std::uint8_t { Missing, Folder, File, Other };

struct DirEntry {
    std::string name;
    EntryKind kind;
};

// What an entry is now and, for a file, its size in bytes (of what a link points to).
struct EntryFacts {
    EntryKind kind;
    std::uint64_t size = 0;
};

// What tells a folder apart from every other folder of the machine while it exists: its device
// and inode on Linux, its volume's serial number and its file ID on Windows.
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    bool operator==(const FolderIdentity&) const = default;
};

// An entry checked for removal, to be removed later without being looked up again.
class PendingRemoval {
public:
    virtual ~PendingRemoval() = default;
    // Removes the entry (a link: the link itself). Throws ZelkError naming it.
    virtual void remove() = 0;
};

// One entry of a listing; the name lives in the listing.
struct ListedEntry {
    std::string_view name;
    EntryKind kind;
};

// The entries of a folder as one listing, with every name in one block of memory: a gauges
// folder may hold tens of thousands of files, and one string per entry costs more than reading
// the folder.
class Listing {
public:
    void add(std::string_view name, EntryKind kind);
    void reserve(std::size_t entries, std::size_t nameBytes);

    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    std::string_view name(std::size_t i) const {
        return {names_.data() + items_[i].offset, items_[i].length};
    }
    EntryKind kind(std::size_t i) const { return items_[i].kind; }
    ListedEntry operator[](std::size_t i) const { return {name(i), kind(i)}; }

    class Iterator {
    public:
        Iterator(const Listing& listing, std::size_t index) : listing_(&listing), index_(index) {}
        ListedEntry operator*() const { return (*listing_)[index_]; }
        Iterator& operator++() {
            ++index_;
            return *this;
        }
        bool operator==(const Iterator& other) const { return index_ == other.index_; }

    private:
        const Listing* listing_;
        std::size_t index_;
    };
    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, size()}; }

    // Puts the entries in the order Windows lists a folder: by name in upper case, ties in
    // byte order.
    void sortAsListed();

private:
    struct Item {
        // The first 16 bytes of the name in upper case, as two numbers that compare like the
        // bytes: most comparisons of a sort are settled by them.
        std::uint64_t high;
        std::uint64_t low;
        std::uint32_t offset;
        std::uint16_t length;
        EntryKind kind;
    };
    std::string names_;
    std::vector<Item> items_;
};

// True when a comes before b in the order Windows lists a folder.
bool listedBefore(std::string_view a, std::string_view b);

// A file opened for reading, read in chunks.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to size bytes; returns 0 at the end. Throws ZelkError on failure.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
};

// A folder to work in by the names of its entries: the way a walk of a large tree is fastest
// (the system looks up one name relative to an open folder instead of a whole path). Opened
// when first needed. Every failure throws ZelkError naming the native path involved.
class FolderHandle {
public:
    virtual ~FolderHandle() = default;

    // The full native path.
    virtual const std::string& path() const = 0;
    // Opens the folder now; false when there is no folder there (nothing, a file, a dangling
    // link). Any other failure (no permission to enter it) throws.
    virtual bool open() const = 0;
    // Hands every entry to visit as the disk hands them out, without "." and "..". Path not
    // found when there is no such folder.
    using Visit = std::function<void(std::string_view name, EntryKind kind)>;
    virtual void visit(const Visit& visit) const = 0;
    // The entries, unsorted.
    Listing list() const;
    // A subfolder by its exact name; opened when first used.
    virtual std::shared_ptr<const FolderHandle> folder(const std::string& name) const = 0;
    virtual std::unique_ptr<ByteSource> openRead(const std::string& name) const = 0;
    // Removes a file or a link (never a link's target).
    virtual void remove(const std::string& name) const = 0;
    // True when nobody may write the entry.
    virtual bool isReadOnly(const std::string& name) const = 0;
    // The entry's other name by which the system also finds it (Windows' 8.3 short name);
    // empty when it has none.
    virtual std::string shortName(const std::string& name) const;
    // Throws ZelkError, naming the entry and why, when remove() could not delete exactly this
    // entry and nothing else (where the system would reach another file through the name, or
    // the entry is not a file on disk), or when the system would refuse to delete it now.
    virtual void checkRemovable(const std::string& name) const = 0;
    // The entry checked as checkRemovable does, ready to go. Where the system can, it is held
    // from now on, so that no other program can start to use it in a way that keeps it from
    // being removed (Windows: the handle it will be deleted through).
    virtual std::unique_ptr<PendingRemoval> prepareRemoval(const std::string& name) const;
    // What the entry is now; nothing when no entry of that name is there. Any other failure
    // throws.
    virtual std::optional<EntryFacts> facts(const std::string& name) const = 0;
    // The identity of this folder, links followed. Throws ZelkError naming it.
    virtual FolderIdentity identity() const = 0;
    // The same, with the folder held where it is for as long as this handle lives, where the
    // system allows it (Windows: nobody may rename, move or delete it meanwhile). On Linux a
    // handle works in the very folder it opened, whatever is renamed.
    virtual FolderIdentity holdInPlace() const { return identity(); }
};

class Disk;

// A folder worked on through a disk's path calls, so that a disk that overrides only those (one
// that injects faults, say) sees every call.
class PathFolderHandle : public FolderHandle {
public:
    PathFolderHandle(const Disk& disk, std::string path) : disk_(disk), path_(std::move(path)) {}

    const std::string& path() const override { return path_; }
    bool open() const override;
    void visit(const Visit& visit) const override;
    std::shared_ptr<const FolderHandle> folder(const std::string& name) const override;
    std::unique_ptr<ByteSource> openRead(const std::string& name) const override;
    void remove(const std::string& name) const override;
    bool isReadOnly(const std::string& name) const override;
    std::string shortName(const std::string& name) const override;
    void checkRemovable(const std::string& name) const override;
    std::optional<EntryFacts> facts(const std::string& name) const override;
    FolderIdentity identity() const override;

protected:
    const Disk& disk() const { return disk_; }

private:
    const Disk& disk_;
    std::string path_;
};

// The characters that separate the parts of a native path on this platform: "/" on Linux,
// "\\" and "/" on Windows; the first one joins paths.
extern const std::string_view kNativeSeparators;

// The native path of an entry of a folder.
std::string childPath(const std::string& folder, const std::string& name);

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
    // Removes a file or a link (never a link's target). Throws ZelkError naming the path; a
    // path access error when checkRemovable fails for it.
    virtual void remove(const std::string& path) const = 0;
    // True when nobody may write the file.
    virtual bool isReadOnly(const std::string& path) const = 0;
    // The file's other name (Windows' 8.3 short name); empty when it has none, as on Linux.
    virtual std::string shortName(const std::string& path) const;
    // Throws ZelkError, naming the path and why, when remove() could not delete exactly this
    // entry, or the system would refuse to delete it now.
    virtual void checkRemovable(const std::string& path) const = 0;
    // The size in bytes of a file, following links. Throws ZelkError naming the path.
    virtual std::uint64_t fileSize(const std::string& path) const = 0;
    // The identity of the folder at path, links followed. Throws ZelkError naming the path.
    virtual FolderIdentity folderIdentity(const std::string& path) const = 0;
    // The path with every link followed and nothing relative left in it, so that two paths
    // name the same entry exactly when their canonical paths are equal. Throws ZelkError.
    virtual std::string canonicalPath(const std::string& path) const = 0;
    // Replaces the file's content atomically: a temporary file beside it, then a rename.
    // On failure the old file is untouched and ZelkError is thrown.
    virtual void replaceFile(const std::string& path, const std::string& content) const = 0;

    // A folder to work in. This one is a PathFolderHandle; a real disk opens folders relative
    // to their parents instead.
    virtual std::shared_ptr<const FolderHandle> openFolder(const std::string& path) const;
    // True when this user may create a file in the folder.
    virtual bool canCreateFileIn(const std::string& folder) const = 0;
    // Creates a folder that only its owner may enter. Throws ZelkError naming the path.
    virtual void createFolder(const std::string& path) const = 0;
};

// What a path names, following links; Missing when nothing (or a dangling link) is there.
inline EntryKind kindOf(const Disk& disk, const std::string& path) {
    return disk.probe(path).value_or(EntryKind::Missing);
}

}  // namespace zelk
