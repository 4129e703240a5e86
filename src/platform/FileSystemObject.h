#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Disk.h"
#include "platform/PathResolver.h"

namespace zelk {

// What every service object is made from: the disk it works on and the way the program's
// paths reach it. Cheap to copy.
struct DiskAccess {
    DiskAccess(std::shared_ptr<const Disk> disk, std::shared_ptr<const PathResolver> resolver,
               std::shared_ptr<ResolutionCache> cache = {})
        : disk(std::move(disk)), resolver(std::move(resolver)), cache(std::move(cache)) {}

    std::shared_ptr<const Disk> disk;
    std::shared_ptr<const PathResolver> resolver;
    // Where a command remembers what it learnt about paths; none by default.
    std::shared_ptr<ResolutionCache> cache;

    // The real file system with the platform's paths; defined by each platform.
    static DiskAccess system();

    // The same access with a fresh cache, for the length of one command.
    DiskAccess withCache() const;

    // How to name a path that the program built, in a message: as visibleName shows it.
    std::string displayPath(std::string_view path) const;
};

// The formats of File::OpenAsTextStream: 8-bit text as it is, or a file read the way Windows'
// profile functions read one. Then a file that starts with a UTF-16 byte-order mark (either
// byte order) gives its text as UTF-8, a UTF-8 mark is skipped, and any other file is 8-bit
// text as it is; UTF-16 that is not valid UTF-16 fails the read with a device I/O error.
inline constexpr int kAnsiText = 0;
inline constexpr int kTextByByteOrderMark = -2;

// The bytes of a source as kTextByByteOrderMark reads them; displayPath names it in errors.
std::unique_ptr<ByteSource> textByByteOrderMark(std::unique_ptr<ByteSource> source,
                                                std::string displayPath);

// A text file read line by line as 8-bit text, without decoding. A line ends at CR LF, LF or
// a lone CR; the line end is not part of the line. The file is read in small chunks, so only
// the current line is ever held; a line longer than kMaxLineBytes is a read error.
class TextStream {
public:
    static constexpr std::size_t kMaxLineBytes = 16 * 1024 * 1024;

    TextStream(std::unique_ptr<ByteSource> source, std::string displayPath);
    ~TextStream();
    TextStream(TextStream&&) noexcept = default;
    TextStream& operator=(TextStream&&) noexcept = default;

    bool AtEndOfStream() { return position_ >= size_ && !readMore(); }
    // Throws the input-past-end error when no line is left.
    std::string ReadLine();
    // The same, into a string whose storage is reused from line to line.
    void ReadLineInto(std::string& line);
    // The same again, without a copy where it can: the view is valid until the next read.
    std::string_view ReadLineView();

private:
    // Whether a byte is waiting in the buffer, reading the next chunk when none is.
    bool fill() { return position_ < size_ || readMore(); }
    bool readMore();
    int peekByte();
    void skipLineEnd(char end);
    void checkLength(std::size_t length) const;

    std::unique_ptr<ByteSource> source_;
    std::string displayPath_;
    std::unique_ptr<char[]> buffer_;
    std::string spill_;  // a line that runs across two reads
    std::size_t position_ = 0;
    std::size_t size_ = 0;
    bool exhausted_ = false;
};

class File {
public:
    File(std::shared_ptr<const FolderHandle> folder, std::string name);

    // The name as stored on disk, extension included.
    const std::string& Name() const { return name_; }
    // The full native path.
    std::string Path() const { return childPath(folder_->path(), name_); }

    // Mode 1 is reading, the only mode here; format kAnsiText or kTextByByteOrderMark.
    TextStream OpenAsTextStream(int ioMode = 1, int format = kAnsiText) const;

    // The 8.3 name by which Windows also finds the file; empty where there is none.
    std::string ShortName() const { return folder_->shortName(name_); }

    // Removes the file (a link: the link itself). Without force a read-only file is refused.
    void Delete(bool force = false) const;
    // Throws ZelkError, naming the file and why, when Delete could not remove exactly this
    // entry and nothing else, or the system would refuse to delete it now.
    void CheckDeletable() const { folder_->checkRemovable(name_); }
    // The file checked as CheckDeletable does, ready to be deleted, read-only or not.
    std::unique_ptr<PendingRemoval> PrepareDelete() const { return folder_->prepareRemoval(name_); }

    // What the entry of this name is now, and its size (a link: what it points to); nothing
    // when it is gone.
    std::optional<EntryFacts> Facts() const { return folder_->facts(name_); }

private:
    std::shared_ptr<const FolderHandle> folder_;
    std::string name_;
};

// The files of a folder as they were when it was listed, in the order Windows lists them. A
// file item is made when it is visited, so that a folder of thousands of files costs one
// listing and no more.
class FileCollection {
public:
    FileCollection(std::shared_ptr<const FolderHandle> folder, Listing listing);

    std::size_t size() const { return files_.size(); }
    bool empty() const { return files_.empty(); }
    File operator[](std::size_t index) const;
    File front() const { return (*this)[0]; }

    class Iterator {
    public:
        Iterator(const FileCollection& files, std::size_t index) : files_(&files), index_(index) {}
        File operator*() const { return (*files_)[index_]; }
        Iterator& operator++() {
            ++index_;
            return *this;
        }
        bool operator==(const Iterator& other) const { return index_ == other.index_; }

    private:
        const FileCollection* files_;
        std::size_t index_;
    };
    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, files_.size()}; }

private:
    std::shared_ptr<const FolderHandle> folder_;
    Listing listing_;
    std::vector<std::uint32_t> files_;  // which entries of the listing are files
};

class Folder {
public:
    explicit Folder(std::shared_ptr<const FolderHandle> handle);

    std::string Name() const;
    // The full native path; this is also the folder's text.
    const std::string& Path() const { return handle_->path(); }

    // The entries present when taken, in the order Windows lists a folder: by name in upper
    // case, ties in byte order. A link to a folder is a folder, a link to a file is a file, a
    // dangling link is neither.
    std::vector<Folder> SubFolders() const;
    FileCollection Files() const;
    // Hands the name of every file to visit as the disk hands them out, in no particular
    // order: for a caller that puts in order only the few it keeps.
    void ForEachFile(const std::function<void(std::string_view name)>& visit) const;
    // Every entry, whatever it is, in the same order.
    Listing Entries() const;

    // What tells this folder apart from any other while it exists.
    FolderIdentity Identity() const { return handle_->identity(); }
    // The same, with the folder kept where it is, under its name, for as long as this object
    // lives, where the system allows it.
    FolderIdentity HoldInPlace() const { return handle_->holdInPlace(); }

    // The native path of one of its entries.
    std::string PathOf(const ListedEntry& entry) const {
        return childPath(Path(), std::string(entry.name));
    }
    // The items of entries that the listing found to be a folder or a file.
    Folder SubFolder(const ListedEntry& entry) const {
        return Folder(handle_->folder(std::string(entry.name)));
    }
    File FileOf(const ListedEntry& entry) const { return File(handle_, std::string(entry.name)); }

private:
    std::shared_ptr<const FolderHandle> handle_;
};

// The file-system service. Takes the Windows-style paths that the program builds and maps
// them onto the native file system. One object per use; every failure is a ZelkError that
// names the path.
class FileSystemObject {
public:
    explicit FileSystemObject(DiskAccess access = DiskAccess::system());

    bool FolderExists(std::string_view path) const;
    bool FileExists(std::string_view path) const;
    Folder GetFolder(std::string_view path) const;
    File GetFile(std::string_view path) const;

private:
    std::optional<ResolvedPath> resolve(std::string_view path) const;

    DiskAccess access_;
};

}  // namespace zelk
