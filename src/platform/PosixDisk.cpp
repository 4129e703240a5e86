#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/Disk.h"
#include "platform/Error.h"

namespace zelk {
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
EntryKind kindOfEntry(int dirFd, const dirent& entry, const std::string& folder) {
    if (entry.d_type == DT_DIR) {
        return EntryKind::Folder;
    }
    if (entry.d_type == DT_REG) {
        return EntryKind::File;
    }
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
        return EntryKind::Other;
    }
    struct stat info {};
    if (::fstatat(dirFd, entry.d_name, &info, 0) == 0) {
        return kindOfMode(info.st_mode);
    }
    if (meansDangling(errno)) {
        return EntryKind::Missing;
    }
    throwSystemError(errno, folder + "/" + entry.d_name, false);
}

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

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
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

}  // namespace

void throwSystemError(int errnoValue, const std::string& path, bool isFolder) {
    switch (errnoValue) {
        case ENOENT:
        case ENOTDIR:
            throw makeError(isFolder ? ErrorNumber::PathNotFound : ErrorNumber::FileNotFound, path);
        case EACCES:
        case EPERM:
        case EROFS:
            throw makeError(ErrorNumber::PermissionDenied, path);
        default:
            throw makeError(ErrorNumber::IoFailure, path + " (" + std::strerror(errnoValue) + ")");
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
    std::unique_ptr<DIR, DirCloser> dir(::opendir(path.c_str()));
    if (!dir) {
        throwSystemError(errno, path, true);
    }
    const int dirFd = ::dirfd(dir.get());
    std::vector<DirEntry> entries;
    errno = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        entries.push_back({name, kindOfEntry(dirFd, *entry, path)});
        errno = 0;
    }
    if (errno != 0) {
        throwSystemError(errno, path, true);
    }
    return entries;
}

std::unique_ptr<ByteSource> PosixDisk::openRead(const std::string& path) const {
    // Non-blocking, so that a pipe put in a file's place cannot hang the open; reads of a
    // regular file are not affected by it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        throwSystemError(errno, path, false);
    }
    return std::make_unique<FdSource>(fd, path);
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
