#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Disk.h"
#include "platform/PathMapping.h"

namespace zelk {

// What every service object is made from: the disk it works on and the Wine prefix that maps
// drive letters. Cheap to copy.
struct DiskAccess {
    DiskAccess(std::shared_ptr<const Disk> disk, std::string winePrefix = {},
               std::shared_ptr<ResolutionCache> cache = {})
        : disk(std::move(disk)), winePrefix(std::move(winePrefix)), cache(std::move(cache)) {}

    std::shared_ptr<const Disk> disk;
    std::string winePrefix;
    // Where a command remembers how paths of another spelling were found; none by default.
    std::shared_ptr<ResolutionCache> cache;

    // The real file system, with the Wine prefix of the environment.
    static DiskAccess system();

    // The same access with a fresh cache, for the length of one command.
    DiskAccess withCache() const;
};

// A text file read line by line as 8-bit text, without decoding. A line ends at CR LF, LF or
// a lone CR; the line end is not part of the line. The file is read in small chunks, so only
// the current line is ever held; a line longer than kMaxLineBytes is a read error.
class TextStream {
public:
    static constexpr std::size_t kMaxLineBytes = 16 * 1024 * 1024;

    TextStream(std::unique_ptr<ByteSource> source, std::string displayPath);

    bool AtEndOfStream();
    // Throws the input-past-end error when no line is left.
    std::string ReadLine();
    // The same, into a string whose storage is reused from line to line.
    void ReadLineInto(std::string& line);

private:
    bool fill();
    int peekByte();

    std::unique_ptr<ByteSource> source_;
    std::string displayPath_;
    std::unique_ptr<char[]> buffer_;
    std::size_t position_ = 0;
    std::size_t size_ = 0;
    bool exhausted_ = false;
};

class File {
public:
    File(DiskAccess access, std::string nativePath);

    // The name as stored on disk, extension included.
    std::string Name() const;
    // The full native path.
    std::string Path() const { return nativePath_; }

    // Mode 1 is reading; format 0 is 8-bit text. Only that combination exists here.
    TextStream OpenAsTextStream(int ioMode = 1, int format = 0) const;

    // Removes the file (a link: the link itself). Without force a read-only file is refused.
    void Delete(bool force = false) const;

private:
    DiskAccess access_;
    std::string nativePath_;
};

// One entry of a folder as its listing shows it.
struct FolderEntry {
    std::string name;
    EntryKind kind;    // what it names once links are followed; Missing for a dangling link
    std::string path;  // the full native path
};

class Folder {
public:
    Folder(DiskAccess access, std::string nativePath);

    std::string Name() const;
    // The full native path; this is also the folder's text.
    std::string Path() const { return nativePath_; }

    // The entries present when taken, in the order Windows lists a folder: case-insensitive
    // by name. A link to a folder is a folder, a link to a file is a file, a dangling link is
    // neither.
    std::vector<Folder> SubFolders() const;
    std::vector<File> Files() const;
    // Every entry, whatever it is, in the same order.
    std::vector<FolderEntry> Entries() const;

    // The items of entries that the listing found to be a folder or a file.
    Folder SubFolder(const FolderEntry& entry) const { return Folder(access_, entry.path); }
    File FileOf(const FolderEntry& entry) const { return File(access_, entry.path); }

private:
    DiskAccess access_;
    std::string nativePath_;
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
    DiskAccess access_;
};

}  // namespace zelk
