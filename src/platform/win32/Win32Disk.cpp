#include "platform/win32/Win32Disk.h"

#include <windows.h>

#include <algorithm>

#include "platform/Error.h"
#include "platform/VisibleName.h"
#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32Path.h"
#include "platform/win32/Win32Text.h"

namespace zelk {
namespace {

using win32::throwWindowsError;
using win32::toApiPath;

using win32::UniqueFind;
using win32::UniqueHandle;

EntryKind kindOfAttributes(DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return EntryKind::Folder;
    }
    if (attributes & FILE_ATTRIBUTE_DEVICE) {
        return EntryKind::Other;
    }
    return EntryKind::File;
}

// What a reparse point leads to. Opening it without FILE_FLAG_OPEN_REPARSE_POINT follows it; a
// target that is gone, or a loop of links, is neither file nor folder.
EntryKind kindOfTarget(const std::wstring& apiPath, const std::string& path) {
    const UniqueHandle target(
        ::CreateFileW(apiPath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (target.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (win32::meansMissing(error) || error == ERROR_CANT_RESOLVE_FILENAME) {
            return EntryKind::Missing;
        }
        throwWindowsError(error, path, false);
    }
    FILE_BASIC_INFO basic{};
    if (!::GetFileInformationByHandleEx(target.get(), FileBasicInfo, &basic, sizeof basic)) {
        throwWindowsError(::GetLastError(), path, false);
    }
    return kindOfAttributes(basic.FileAttributes);
}

class HandleSource : public ByteSource {
public:
    HandleSource(UniqueHandle handle, std::string path)
        : handle_(std::move(handle)), path_(std::move(path)) {}

    std::size_t read(char* buffer, std::size_t size) override {
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(handle_.get(), buffer, wanted, &got, nullptr)) {
            throwWindowsError(::GetLastError(), path_, false);
        }
        return got;
    }

private:
    UniqueHandle handle_;
    std::string path_;
};

void writeAll(HANDLE file, const std::string& content, const std::string& path) {
    std::size_t done = 0;
    while (done < content.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 30));
        DWORD put = 0;
        if (!::WriteFile(file, content.data() + done, chunk, &put, nullptr)) {
            throwWindowsError(::GetLastError(), path, false);
        }
        done += put;
    }
}

// A new file beside path that no one else has, open for writing.
std::pair<UniqueHandle, std::wstring> createTemporaryBeside(const std::string& path) {
    const std::string stem = path + "." + std::to_string(::GetCurrentProcessId()) + ".";
    for (unsigned attempt = 0;; ++attempt) {
        std::wstring temp = toApiPath(stem + std::to_string(attempt) + ".tmp");
        UniqueHandle file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() != INVALID_HANDLE_VALUE) {
            return {std::move(file), std::move(temp)};
        }
        const DWORD error = ::GetLastError();
        if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt >= 100) {
            throwWindowsError(error, path, false);
        }
    }
}

// The path the system gives for what the handle has open, links followed, with its drive
// letter. Some network file systems cannot normalise a name; the name as opened serves there.
std::wstring finalPathOf(HANDLE handle, const std::string& path, bool isFolder) {
    auto name = win32::finalPathByHandle(handle, FILE_NAME_NORMALIZED);
    if (!name) {
        name = win32::finalPathByHandle(handle, FILE_NAME_OPENED);
    }
    if (!name) {
        throwWindowsError(::GetLastError(), path, isFolder);
    }
    return std::move(*name);
}

// A final path for a message: without the "\\?\" that only the system needs.
std::string shownPath(const std::wstring& finalPath) {
    return win32::withoutApiPrefix(finalPath).value_or("?");
}

bool sameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// What deleting an entry takes: the right to delete it, and to clear its read-only attribute.
// Opened so, a file that another program has open without letting it be deleted is refused
// with a sharing violation, at once.
constexpr DWORD kRemovalAccess = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;

// The entry of that name itself: a link is opened as the link, and the name is not bent by
// Windows' path rules. Throws when it cannot be opened.
UniqueHandle openExactEntry(const std::string& path, DWORD access) {
    UniqueHandle entry(::CreateFileW(win32::toExactApiPath(path).c_str(), access,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT,
                                     nullptr));
    if (entry.get() == INVALID_HANDLE_VALUE) {
        throwWindowsError(::GetLastError(), path, false);
    }
    return entry;
}

// A folder opened, links followed. Without delete sharing nobody may rename, move or delete
// it while the handle is open.
UniqueHandle openFolderItself(const std::string& folder, bool shareDelete) {
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | (shareDelete ? FILE_SHARE_DELETE : 0);
    UniqueHandle handle(::CreateFileW(toApiPath(folder).c_str(), FILE_READ_ATTRIBUTES, share,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (handle.get() == INVALID_HANDLE_VALUE) {
        throwWindowsError(::GetLastError(), folder, true);
    }
    return handle;
}

// The final path of an open folder, ending with a separator.
std::wstring finalPathOfFolder(HANDLE handle, const std::string& folder) {
    std::wstring final = finalPathOf(handle, folder, true);
    if (!final.empty() && final.back() != L'\\') {
        final += L'\\';
    }
    return final;
}

// The volume's serial number and the file ID. GetFileInformationByHandle costs a query of the
// mount manager under Wine, which is fine once per command.
FolderIdentity identityOf(HANDLE handle, const std::string& folder) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(handle, &information)) {
        throwWindowsError(::GetLastError(), folder, true);
    }
    return {information.dwVolumeSerialNumber,
            (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
}

// Deleting through the handle removes exactly the entry the path names: a file on disk that
// the system knows by that very name in that very folder. Wine shows a Unix link as the file
// it leads to, and deleting it there deletes that file: its final path gives it away.
// Returns the entry's attributes. They are asked as the basic information, not with
// GetFileInformationByHandle, which also asks for the volume's serial number: under Wine that
// is a query to the mount manager, a hundred times the cost of the rest of the check.
DWORD checkIsExactlyTheFile(HANDLE entry, const std::string& path,
                            const std::wstring& folderFinal) {
    if (::GetFileType(entry) != FILE_TYPE_DISK) {
        throw makePathError(ErrorNumber::PathAccessError, path,
                            "Windows reads this name as a device, not a file");
    }
    FILE_BASIC_INFO basic{};
    if (!::GetFileInformationByHandleEx(entry, FileBasicInfo, &basic, sizeof basic)) {
        throwWindowsError(::GetLastError(), path, false);
    }
    if (basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        throw makePathError(ErrorNumber::PathAccessError, path, "a folder, not a file");
    }
    const auto separator = path.find_last_of("\\/");
    const std::wstring expected = folderFinal + win32::widen(path.substr(separator + 1));
    const std::wstring actual = finalPathOf(entry, path, false);
    if (!sameIgnoringCase(actual, expected)) {
        throw makePathError(ErrorNumber::PathAccessError, path,
                            "Windows opens " + visibleName(shownPath(actual)) +
                                " for this name, so deleting it could delete that file instead");
    }
    return basic.FileAttributes;
}

// Sets the attributes through the handle; zero times leave the times as they are.
bool setAttributes(HANDLE entry, DWORD attributes) {
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    return ::SetFileInformationByHandle(entry, FileBasicInfo, &basic, sizeof basic) != FALSE;
}

// Deletes the entry through the handle it was checked with, so that nothing can take its place
// between the check and the deletion. A read-only file has the attribute cleared first, as a
// forced delete does, and put back when it still cannot be deleted.
void deleteThrough(HANDLE entry, DWORD attributes, const std::string& path) {
    const bool clearReadOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (clearReadOnly && !setAttributes(entry, attributes & ~DWORD{FILE_ATTRIBUTE_READONLY})) {
        throwWindowsError(::GetLastError(), path, false);
    }
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    if (!::SetFileInformationByHandle(entry, FileDispositionInfo, &disposition,
                                      sizeof disposition)) {
        const DWORD error = ::GetLastError();
        if (clearReadOnly) {
            setAttributes(entry, attributes);
        }
        throwWindowsError(error, path, false);
    }
}

// A file opened for its deletion and checked, held until it goes: no other program can open
// it meanwhile without letting it be deleted.
class HeldRemoval : public PendingRemoval {
public:
    HeldRemoval(UniqueHandle entry, DWORD attributes, std::string path)
        : entry_(std::move(entry)), attributes_(attributes), path_(std::move(path)) {}

    // The file goes when its handle closes, at once.
    void remove() override {
        deleteThrough(entry_.get(), attributes_, path_);
        entry_.reset();
    }

private:
    UniqueHandle entry_;
    DWORD attributes_;
    std::string path_;
};

// A folder worked on by the paths of its entries, as Windows programs do, which knows itself:
// its identity, and the final path against which every file it deletes is checked. Holding it
// keeps it open without delete sharing, so that nobody may put another folder in its place.
class Win32FolderHandle : public PathFolderHandle {
public:
    using PathFolderHandle::PathFolderHandle;

    std::shared_ptr<const FolderHandle> folder(const std::string& name) const override {
        return std::make_shared<Win32FolderHandle>(disk(), childPath(path(), name));
    }

    FolderIdentity identity() const override { return identityOf(opened(), path()); }

    FolderIdentity holdInPlace() const override {
        handle_ = openFolderItself(path(), false);
        finalPath_ = finalPathOfFolder(handle_.get(), path());
        return identityOf(handle_.get(), path());
    }

    // The folder's final path is asked once: a Scan checks every file it lists in one folder.
    void checkRemovable(const std::string& name) const override {
        const std::string entryPath = childPath(path(), name);
        const UniqueHandle entry = openExactEntry(entryPath, kRemovalAccess);
        opened();
        checkIsExactlyTheFile(entry.get(), entryPath, finalPath_);
    }

    // The folder's final path is asked for every file, through the handle: should a folder
    // above it be renamed, the path of the file no longer leads into this folder.
    std::unique_ptr<PendingRemoval> prepareRemoval(const std::string& name) const override {
        std::string entryPath = childPath(path(), name);
        UniqueHandle entry = openExactEntry(entryPath, kRemovalAccess);
        const DWORD attributes =
            checkIsExactlyTheFile(entry.get(), entryPath, finalPathOfFolder(opened(), path()));
        return std::make_unique<HeldRemoval>(std::move(entry), attributes, std::move(entryPath));
    }

    void remove(const std::string& name) const override { prepareRemoval(name)->remove(); }

private:
    HANDLE opened() const {
        if (!handle_) {
            handle_ = openFolderItself(path(), true);
            finalPath_ = finalPathOfFolder(handle_.get(), path());
        }
        return handle_.get();
    }

    mutable UniqueHandle handle_;
    mutable std::wstring finalPath_;
};

}  // namespace

std::optional<EntryKind> Win32Disk::probe(const std::string& path) const {
    const std::wstring apiPath = toApiPath(path);
    const DWORD attributes = ::GetFileAttributesW(apiPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (win32::meansMissing(error)) {
            return std::nullopt;
        }
        throwWindowsError(error, path, false);
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        return kindOfTarget(apiPath, path);
    }
    return kindOfAttributes(attributes);
}

std::vector<DirEntry> Win32Disk::list(const std::string& path) const {
    const std::wstring pattern = toApiPath(win32::joinPath(path, "*"));
    WIN32_FIND_DATAW found{};
    const UniqueFind search(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                               FindExSearchNameMatch, nullptr,
                                               FIND_FIRST_EX_LARGE_FETCH));
    if (search.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // Only an empty drive root has not even "." and "..".
        if (error == ERROR_FILE_NOT_FOUND && probe(path) == EntryKind::Folder) {
            return {};
        }
        throwWindowsError(error, path, true);
    }
    std::vector<DirEntry> entries;
    do {
        const std::wstring_view wideName = found.cFileName;
        if (wideName == L"." || wideName == L"..") {
            continue;
        }
        const auto name = win32::narrow(wideName);
        if (!name) {
            throw makePathError(ErrorNumber::IoFailure, path,
                                "holds a name that is not valid Unicode");
        }
        const EntryKind kind = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                                   ? kindOf(*this, win32::joinPath(path, *name))
                                   : kindOfAttributes(found.dwFileAttributes);
        entries.push_back({*name, kind});
    } while (::FindNextFileW(search.get(), &found));
    const DWORD error = ::GetLastError();
    if (error != ERROR_NO_MORE_FILES) {
        throwWindowsError(error, path, true);
    }
    return entries;
}

std::unique_ptr<ByteSource> Win32Disk::openRead(const std::string& path) const {
    UniqueHandle file(::CreateFileW(toApiPath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        throwWindowsError(::GetLastError(), path, false);
    }
    // A device name (CON, NUL, COM1) opens too, and reading it could block.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
        throw makePathError(ErrorNumber::IoFailure, path, "not a file");
    }
    return std::make_unique<HandleSource>(std::move(file), path);
}

void Win32Disk::remove(const std::string& path) const {
    const UniqueHandle entry = openExactEntry(path, kRemovalAccess);
    const DWORD attributes = checkIsExactlyTheFile(entry.get(), path, finalPathOfFolderOf(path));
    deleteThrough(entry.get(), attributes, path);
}

void Win32Disk::checkRemovable(const std::string& path) const {
    const UniqueHandle entry = openExactEntry(path, kRemovalAccess);
    checkIsExactlyTheFile(entry.get(), path, finalPathOfFolderOf(path));
}

// A Scan checks every file it lists in one folder: the folder's final path is asked once, and
// afresh whenever the folder's identity is asked, so that a folder put in the place of another
// is never checked against the final path of the one before.
const std::wstring& Win32Disk::finalPathOfFolderOf(const std::string& path) const {
    const std::string folder = path.substr(0, path.find_last_of("\\/") + 1);
    if (folder != lastFolder_.path) {
        const UniqueHandle handle = openFolderItself(folder, true);
        lastFolder_ = {folder, finalPathOfFolder(handle.get(), folder)};
    }
    return lastFolder_.finalPath;
}

FolderIdentity Win32Disk::folderIdentity(const std::string& path) const {
    const UniqueHandle handle = openFolderItself(path, true);
    const FolderIdentity identity = identityOf(handle.get(), path);
    lastFolder_ = {win32::joinPath(path, ""), finalPathOfFolder(handle.get(), path)};
    return identity;
}

std::shared_ptr<const FolderHandle> Win32Disk::openFolder(const std::string& path) const {
    return std::make_shared<Win32FolderHandle>(*this, path);
}

// Listed with the standard information, which the basic listing leaves out to be faster.
std::string Win32Disk::shortName(const std::string& path) const {
    WIN32_FIND_DATAW found{};
    const UniqueFind search(::FindFirstFileExW(win32::toExactApiPath(path).c_str(),
                                               FindExInfoStandard, &found, FindExSearchNameMatch,
                                               nullptr, 0));
    if (search.get() == INVALID_HANDLE_VALUE) {
        return {};  // the check before deleting reports what is wrong with the entry
    }
    return win32::narrow(found.cAlternateFileName).value_or(std::string());
}

bool Win32Disk::isReadOnly(const std::string& path) const {
    const DWORD attributes = ::GetFileAttributesW(toApiPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

void Win32Disk::replaceFile(const std::string& path, const std::string& content) const {
    auto [file, temp] = createTemporaryBeside(path);
    try {
        writeAll(file.get(), content, path);
        if (!::FlushFileBuffers(file.get())) {
            throwWindowsError(::GetLastError(), path, false);
        }
        file.reset();
        if (!::MoveFileExW(temp.c_str(), toApiPath(path).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            throwWindowsError(::GetLastError(), path, false);
        }
    } catch (...) {
        file.reset();
        ::DeleteFileW(temp.c_str());
        throw;
    }
}

// The path with every link followed, as the system names the file it opened; two paths name
// the same entry exactly when these are equal.
std::string Win32Disk::canonicalPath(const std::string& path) const {
    const UniqueHandle entry(::CreateFileW(
        toApiPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (entry.get() == INVALID_HANDLE_VALUE) {
        throwWindowsError(::GetLastError(), path, true);
    }
    return win32::narrow(finalPathOf(entry.get(), path, true)).value_or(path);
}

// Whether a file may be made there: the way to know on Windows is to make one, and to delete it
// at once.
bool Win32Disk::canCreateFileIn(const std::string& folder) const {
    const std::string probePath = win32::joinPath(folder, "~zelkgau.tmp");
    const HANDLE file =
        ::CreateFileW(toApiPath(probePath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return ::GetLastError() == ERROR_FILE_EXISTS;
    }
    ::CloseHandle(file);
    return true;
}

void Win32Disk::createFolder(const std::string& path) const {
    if (!::CreateDirectoryW(toApiPath(path).c_str(), nullptr)) {
        throwWindowsError(::GetLastError(), path, true);
    }
}

}  // namespace zelk

namespace zelk {

// The attributes tell a plain file's size at once; a reparse point is opened, which follows it.
std::uint64_t Win32Disk::fileSize(const std::string& path) const {
    const std::wstring apiPath = toApiPath(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(apiPath.c_str(), GetFileExInfoStandard, &data)) {
        throwWindowsError(::GetLastError(), path, false);
    }
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    }
    const UniqueHandle target(::CreateFileW(apiPath.c_str(), 0,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (target.get() == INVALID_HANDLE_VALUE || !::GetFileSizeEx(target.get(), &size)) {
        throwWindowsError(::GetLastError(), path, false);
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

}  // namespace zelk
