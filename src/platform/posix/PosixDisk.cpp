#include <dirent.h>
#include <fcntl.h>
#include <linux/capability.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/Error.h"
#include "platform/VisibleName.h"
#include "platform/posix/PosixDisk.h"

namespace zelk {

const std::string_view kNativeSeparators = "/";

namespace {

EntryKind kindOfMode(mode_t mode) {
    if (S_ISDIR(mode)) {
        return EntryKind::Folder;
    }
    if (S_ISREG(mode)) {
        return EntryKind::File;
    }
    return EntryKind::Other;
}

// True for the errors that mean "there is nothing there": anything else (no permission, an
// I/O error) must stop the caller rather than pass for a missing file.
bool meansMissing(int error) {
    return error == ENOENT || error == ENOTDIR;
}

// What a link points to: a dangling link or a loop of links is neither file nor folder.
bool meansDangling(int error) {
    return error == ENOENT || error == ENOTDIR || error == ELOOP;
}

// The kind of a folder entry; only links and file systems that do not report entry types
// cost a stat call.
template <typename PathOf>
EntryKind kindOfEntry(int dirFd, unsigned char type, const char* name, const PathOf& folder) {
    if (type == DT_DIR) {
        return EntryKind::Folder;
    }
    if (type == DT_REG) {
        return EntryKind::File;
    }
    if (type != DT_LNK && type != DT_UNKNOWN) {
        return EntryKind::Other;
    }
    struct stat info {};
    if (::fstatat(dirFd, name, &info, 0) == 0) {
        return kindOfMode(info.st_mode);
    }
    if (meansDangling(errno)) {
        return EntryKind::Missing;
    }
    throwSystemError(errno, folder() + "/" + name, false);
}

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// The entries of an open folder, read straight from the kernel in large batches.
// Calls add(name, kind) for every entry of an open folder, read straight from the kernel in
// large batches. path() names the folder in a message; it is only asked for when something
// fails.
template <typename PathOf, typename Add>
void listOpenFolder(int fd, const PathOf& path, Add&& add) {
    constexpr std::size_t kBatch = 32 * 1024;
    alignas(dirent64) char buffer[kBatch];
    for (;;) {
        const ssize_t got = ::getdents64(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throwSystemError(errno, path(), true);
        }
        if (got == 0) {
            return;
        }
        for (ssize_t at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
            at += entry->d_reclen;
            if (!isDotOrDotDot(entry->d_name)) {
                add(std::string_view(entry->d_name),
                    kindOfEntry(fd, entry->d_type, entry->d_name, path));
            }
        }
    }
}

// Non-blocking, so that a pipe put in a file's place cannot hang the open; reads of a regular
// file are not affected by it.
constexpr int kReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
constexpr int kFolderFlags = O_RDONLY | O_CLOEXEC | O_DIRECTORY;

class FdSource : public ByteSource {
public:
    FdSource(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~FdSource() override { ::close(fd_); }
    FdSource(const FdSource&) = delete;
    FdSource& operator=(const FdSource&) = delete;

    std::size_t read(char* buffer, std::size_t size) override {
        for (;;) {
            const ssize_t got = ::read(fd_, buffer, size);
            if (got >= 0) {
                return static_cast<std::size_t>(got);
            }
            if (errno != EINTR) {
                throwSystemError(errno, path_, false);
            }
        }
    }

private:
    int fd_;
    std::string path_;
};

void writeAll(int fd, const std::string& content, const std::string& path) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t put = ::write(fd, content.data() + done, content.size() - done);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            throwSystemError(errno, path, false);
        }
        done += static_cast<std::size_t>(put);
    }
}

// What keeps an entry from being deleted by anybody, root included.
constexpr std::uint64_t kFixedAttributes = STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND;

// The attribute flags as FS_IOC_GETFLAGS reads them, for a file system that does not report
// them to statx; 0 where it has no such flags or the entry cannot be opened to ask.
std::uint64_t fixedAttributesByIoctl(int dirFd, const char* name) {
    const bool self = *name == '\0';
    const int fd = self ? dirFd : ::openat(dirFd, name, kReadFlags | O_NOFOLLOW);
    if (fd < 0) {
        return 0;
    }
    int flags = 0;
    const bool known = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (!self) {
        ::close(fd);
    }
    if (!known) {
        return 0;
    }
    return ((flags & FS_IMMUTABLE_FL) ? STATX_ATTR_IMMUTABLE : 0) |
           ((flags & FS_APPEND_FL) ? STATX_ATTR_APPEND : 0);
}

// The entry itself, a link as the link; name "" is the folder dirFd. pathOf() names it in a
// message, made only then: a Scan checks every file it lists.
template <typename PathOf>
struct statx statusOf(int dirFd, const char* name, const PathOf& pathOf, bool isFolder) {
    struct statx info {};
    const int flags = AT_SYMLINK_NOFOLLOW | AT_STATX_SYNC_AS_STAT | (*name ? 0 : AT_EMPTY_PATH);
    if (::statx(dirFd, name, flags, STATX_TYPE | STATX_MODE | STATX_UID, &info) != 0) {
        throwSystemError(errno, pathOf(), isFolder);
    }
    return info;
}

// Whether the entry is marked immutable or append-only. Where statx does not tell, only a file
// or a folder is opened to ask: a link cannot carry such marks, and a device may act on an open.
std::uint64_t fixedAttributesOf(int dirFd, const char* name, const struct statx& info) {
    if ((info.stx_attributes_mask & kFixedAttributes) == kFixedAttributes ||
        !(S_ISREG(info.stx_mode) || S_ISDIR(info.stx_mode))) {
        return info.stx_attributes & kFixedAttributes;
    }
    return (info.stx_attributes & info.stx_attributes_mask & kFixedAttributes) |
           fixedAttributesByIoctl(dirFd, name);
}

// Whether this process may delete other users' files in a sticky folder.
bool mayActForAnyOwner() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3> data{};
    if (::syscall(SYS_capget, &header, data.data()) != 0) {
        return ::geteuid() == 0;
    }
    return (data[CAP_TO_INDEX(CAP_FOWNER)].effective & CAP_TO_MASK(CAP_FOWNER)) != 0;
}

// What deleting any entry of a folder needs from the folder itself, the way the system decides
// it for unlinkat: asked once per folder.
struct FolderRights {
    std::string refusal;  // why no entry may be deleted there; empty when they may
    bool sticky = false;
    uid_t owner = 0;
    uid_t user = 0;  // who deletes
};

FolderRights rightsIn(int dirFd, const std::string& folder) {
    const struct statx info = statusOf(
        dirFd, "", [&folder] { return folder; }, true);
    FolderRights rights{{}, (info.stx_mode & S_ISVTX) != 0, info.stx_uid, ::geteuid()};
    const std::uint64_t fixed = fixedAttributesOf(dirFd, "", info);
    if (fixed & STATX_ATTR_IMMUTABLE) {
        rights.refusal = "its folder " + visibleName(folder) +
                         " is marked immutable: no file in it may be deleted until root clears "
                         "the mark with chattr -i";
    } else if (fixed & STATX_ATTR_APPEND) {
        rights.refusal = "its folder " + visibleName(folder) +
                         " is marked append-only: no file in it may be deleted until root clears "
                         "the mark with chattr -a";
    } else if (::faccessat(dirFd, ".", W_OK | X_OK, AT_EACCESS) != 0) {
        if (errno == EROFS) {
            rights.refusal =
                "its folder " + visibleName(folder) + " lies on a file system mounted read-only";
        } else if (errno == EACCES || errno == EPERM) {
            rights.refusal = "you may not delete files in " + visibleName(folder) +
                             ": that needs permission to write in the folder, which its owner "
                             "can give you";
        } else {
            throwSystemError(errno, folder, true);
        }
    }
    return rights;
}

[[noreturn]] void refuseRemoval(const std::string& path, const std::string& why) {
    throw makePathError(ErrorNumber::PermissionDenied, path, why);
}

// Throws, naming the entry and why, when unlinkat would refuse to remove it: what the system
// checks for it (its folder's rights, its own attributes, the sticky folder's owners).
template <typename PathOf>
void checkRemovableAt(int dirFd, const std::string& name, const FolderRights& rights,
                      const PathOf& pathOf) {
    const struct statx info = statusOf(dirFd, name.c_str(), pathOf, false);
    if (S_ISDIR(info.stx_mode)) {
        throw makePathError(ErrorNumber::PathAccessError, pathOf(), "a folder, not a file");
    }
    if (!rights.refusal.empty()) {
        refuseRemoval(pathOf(), rights.refusal);
    }
    const std::uint64_t fixed = fixedAttributesOf(dirFd, name.c_str(), info);
    if (fixed & STATX_ATTR_IMMUTABLE) {
        refuseRemoval(pathOf(),
                      "it is marked immutable: nobody may delete it until root clears the "
                      "mark with chattr -i");
    }
    if (fixed & STATX_ATTR_APPEND) {
        refuseRemoval(pathOf(),
                      "it is marked append-only: nobody may delete it until root clears "
                      "the mark with chattr -a");
    }
    if (rights.sticky && info.stx_uid != rights.user && rights.owner != rights.user &&
        !mayActForAnyOwner()) {
        refuseRemoval(pathOf(),
                      "it belongs to another user, and in a sticky folder, as /tmp is, only "
                      "the owner of a file or of the folder may delete it");
    }
}

// What a name of an open folder is now, links followed; nothing when it is not there.
std::optional<EntryFacts> factsAt(int dirFd, const char* name, const std::string& path) {
    struct stat info {};
    if (::fstatat(dirFd, name, &info, 0) == 0) {
        const EntryKind kind = kindOfMode(info.st_mode);
        return EntryFacts{kind,
                          kind == EntryKind::File ? static_cast<std::uint64_t>(info.st_size) : 0};
    }
    const int error = errno;
    if (!meansDangling(error)) {
        throwSystemError(error, path, false);
    }
    if (::fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
        return EntryFacts{EntryKind::Missing};  // a link that leads nowhere
    }
    if (meansMissing(errno)) {
        return std::nullopt;
    }
    throwSystemError(errno, path, false);
}

FolderIdentity identityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

// An open descriptor, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

void throwSystemError(int errnoValue, const std::string& path, bool isFolder) {
    switch (errnoValue) {
        case ENOENT:
        case ENOTDIR:
            throw makePathError(isFolder ? ErrorNumber::PathNotFound : ErrorNumber::FileNotFound,
                                path);
        case EACCES:
        case EPERM:
        case EROFS:
            throw makePathError(ErrorNumber::PermissionDenied, path);
        default:
            throw makePathError(ErrorNumber::IoFailure, path, std::strerror(errnoValue));
    }
}

std::optional<EntryKind> PosixDisk::probe(const std::string& path) const {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (meansMissing(errno)) {
            return std::nullopt;
        }
        throwSystemError(errno, path, false);
    }
    if (!S_ISLNK(info.st_mode)) {
        return kindOfMode(info.st_mode);
    }
    if (::stat(path.c_str(), &info) == 0) {
        return kindOfMode(info.st_mode);
    }
    if (meansDangling(errno)) {
        return EntryKind::Missing;
    }
    throwSystemError(errno, path, false);
}

std::vector<DirEntry> PosixDisk::list(const std::string& path) const {
    const int fd = ::open(path.c_str(), kFolderFlags);
    if (fd < 0) {
        throwSystemError(errno, path, true);
    }
    try {
        std::vector<DirEntry> entries;
        listOpenFolder(
            fd, [&path] { return path; },
            [&entries](std::string_view name, EntryKind kind) {
                entries.push_back({std::string(name), kind});
            });
        ::close(fd);
        return entries;
    } catch (...) {
        ::close(fd);
        throw;
    }
}

std::unique_ptr<ByteSource> PosixDisk::openRead(const std::string& path) const {
    const int fd = ::open(path.c_str(), kReadFlags);
    if (fd < 0) {
        throwSystemError(errno, path, false);
    }
    return std::make_unique<FdSource>(fd, path);
}

namespace {

// A folder opened relative to its parent's descriptor when first needed, and closed with the
// last handle that refers to it.
class PosixFolderHandle : public FolderHandle,
                          public std::enable_shared_from_this<PosixFolderHandle> {
public:
    // A folder opened by its full path.
    explicit PosixFolderHandle(std::string path) : path_(std::move(path)) {}
    // A subfolder, opened relative to its parent.
    PosixFolderHandle(std::shared_ptr<const PosixFolderHandle> parent, std::string name)
        : parent_(std::move(parent)), name_(std::move(name)) {}
    ~PosixFolderHandle() override {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    PosixFolderHandle(const PosixFolderHandle&) = delete;
    PosixFolderHandle& operator=(const PosixFolderHandle&) = delete;

    // Made when first asked for (for a message, mostly): a walk opens many folders.
    const std::string& path() const override {
        if (path_.empty() && parent_) {
            path_ = childPath(parent_->path(), name_);
        }
        return path_;
    }

    bool open() const override {
        if (fd_ >= 0) {
            return true;
        }
        fd_ = parent_ ? ::openat(parent_->descriptor(), name_.c_str(), kFolderFlags)
                      : ::open(path().c_str(), kFolderFlags);
        if (fd_ >= 0) {
            return true;
        }
        if (meansDangling(errno)) {
            return false;
        }
        throwSystemError(errno, path(), true);
    }

    void visit(const Visit& visit) const override {
        const int fd = descriptor();
        if (listed_) {
            ::lseek(fd, 0, SEEK_SET);  // a second listing reads the folder afresh
        }
        listed_ = true;
        listOpenFolder(
            fd, [this]() -> const std::string& { return path(); }, visit);
    }

    std::shared_ptr<const FolderHandle> folder(const std::string& name) const override {
        return std::make_shared<PosixFolderHandle>(shared_from_this(), name);
    }

    std::unique_ptr<ByteSource> openRead(const std::string& name) const override {
        const int fd = ::openat(descriptor(), name.c_str(), kReadFlags);
        if (fd < 0) {
            throwSystemError(errno, childPath(path(), name), false);
        }
        return std::make_unique<FdSource>(fd, childPath(path(), name));
    }

    void remove(const std::string& name) const override {
        if (::unlinkat(descriptor(), name.c_str(), 0) != 0) {
            throwSystemError(errno, childPath(path(), name), false);
        }
    }

    bool isReadOnly(const std::string& name) const override {
        struct stat info {};
        return ::fstatat(descriptor(), name.c_str(), &info, 0) == 0 && (info.st_mode & 0222) == 0;
    }

    // The folder's rights are asked once: a Scan checks every file it lists in one folder.
    void checkRemovable(const std::string& name) const override {
        const int fd = descriptor();
        if (!rights_) {
            rights_ = rightsIn(fd, path());
        }
        checkRemovableAt(fd, name, *rights_, [&] { return childPath(path(), name); });
    }

    std::optional<EntryFacts> facts(const std::string& name) const override {
        return factsAt(descriptor(), name.c_str(), childPath(path(), name));
    }

    FolderIdentity identity() const override {
        struct stat info {};
        if (::fstat(descriptor(), &info) != 0) {
            throwSystemError(errno, path(), true);
        }
        return identityOf(info);
    }

    // The open descriptor; a folder that is not there is "path not found".
    int descriptor() const {
        if (!open()) {
            throwSystemError(ENOENT, path(), true);
        }
        return fd_;
    }

private:
    std::shared_ptr<const PosixFolderHandle> parent_;
    std::string name_;
    mutable std::string path_;
    mutable int fd_ = -1;
    mutable bool listed_ = false;
    mutable std::optional<FolderRights> rights_;
};

}  // namespace

std::shared_ptr<const FolderHandle> PosixDisk::openFolder(const std::string& path) const {
    return std::make_shared<PosixFolderHandle>(path);
}

void PosixDisk::remove(const std::string& path) const {
    if (::unlink(path.c_str()) != 0) {
        throwSystemError(errno, path, false);
    }
}

bool PosixDisk::isReadOnly(const std::string& path) const {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) == 0;
}

void PosixDisk::checkRemovable(const std::string& path) const {
    const auto slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    const Descriptor fd(::open(folder.c_str(), kFolderFlags));
    if (fd.get() < 0) {
        throwSystemError(errno, folder, true);
    }
    checkRemovableAt(fd.get(), path.substr(slash + 1), rightsIn(fd.get(), folder),
                     [&path] { return path; });
}

FolderIdentity PosixDisk::folderIdentity(const std::string& path) const {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        throwSystemError(errno, path, true);
    }
    return identityOf(info);
}

std::uint64_t PosixDisk::fileSize(const std::string& path) const {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        throwSystemError(errno, path, false);
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::string PosixDisk::canonicalPath(const std::string& path) const {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        throwSystemError(errno, path, true);
    }
    std::string canonical = resolved;
    std::free(resolved);
    return canonical;
}

// Asked with the effective user's rights, as the creation itself would be: root may create a
// file in any folder that is not on a read-only file system.
bool PosixDisk::canCreateFileIn(const std::string& folder) const {
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

void PosixDisk::createFolder(const std::string& path) const {
    if (::mkdir(path.c_str(), 0700) != 0) {
        throwSystemError(errno, path, true);
    }
}

namespace {

// Replacing a link would turn it into a plain file: the file it points to is replaced instead.
std::string followLink(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return path;
    }
    std::string target = resolved;
    std::free(resolved);
    return target;
}

// The permission bits a new file gets: those of the file it replaces, else what the user's
// umask allows.
mode_t modeFor(const std::string& path) {
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) {
        return old.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

void PosixDisk::replaceFile(const std::string& givenPath, const std::string& content) const {
    const std::string path = followLink(givenPath);
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = folder + "." + base + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        throwSystemError(errno, givenPath, false);
    }
    try {
        if (::fchmod(fd, modeFor(path)) != 0) {
            throwSystemError(errno, givenPath, false);
        }
        writeAll(fd, content, givenPath);
        if (::fsync(fd) != 0) {
            throwSystemError(errno, givenPath, false);
        }
        const int closed = ::close(fd);
        fd = -1;
        if (closed != 0) {
            throwSystemError(errno, givenPath, false);
        }
        if (::rename(temp.c_str(), path.c_str()) != 0) {
            throwSystemError(errno, givenPath, false);
        }
    } catch (...) {
        if (fd >= 0) {
            ::close(fd);
        }
        ::unlink(temp.c_str());
        throw;
    }
}

}  // namespace zelk
