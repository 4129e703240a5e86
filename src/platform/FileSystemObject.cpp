#include "platform/FileSystemObject.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/PathMapping.h"

namespace zelk {
namespace {

constexpr std::size_t kChunk = 16 * 1024;

std::string lastComponent(const std::string& nativePath) {
    std::string trimmed = nativePath;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    const auto slash = trimmed.rfind('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string childPath(const std::string& folder, const std::string& name) {
    return (folder.empty() || folder.back() == '/') ? folder + name : folder + "/" + name;
}

// The folder's entries in the order Windows lists a folder: by name in upper case, ties in
// byte order.
std::vector<FolderEntry> sortedEntries(const DiskAccess& access, const std::string& folder) {
    std::vector<DirEntry> listed = access.disk->list(folder);
    std::vector<std::pair<std::pair<std::string, std::string>, EntryKind>> keyed;
    keyed.reserve(listed.size());
    for (DirEntry& entry : listed) {
        keyed.emplace_back(listingKey(entry.name), entry.kind);
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<FolderEntry> entries;
    entries.reserve(keyed.size());
    for (auto& [key, kind] : keyed) {
        std::string path = childPath(folder, key.second);
        entries.push_back({std::move(key.second), kind, std::move(path)});
    }
    return entries;
}

template <typename Item>
std::vector<Item> entriesOfKind(const DiskAccess& access, const std::string& folder,
                                EntryKind kind) {
    std::vector<Item> items;
    for (FolderEntry& entry : sortedEntries(access, folder)) {
        if (entry.kind == kind) {
            items.emplace_back(access, std::move(entry.path));
        }
    }
    return items;
}

}  // namespace

DiskAccess DiskAccess::system() {
    static const auto disk = std::make_shared<const PosixDisk>();
    return {disk, defaultWinePrefix()};
}

DiskAccess DiskAccess::withCache() const {
    return {disk, winePrefix, std::make_shared<ResolutionCache>()};
}

TextStream::TextStream(std::unique_ptr<ByteSource> source, std::string displayPath)
    : source_(std::move(source)),
      displayPath_(std::move(displayPath)),
      buffer_(std::make_unique_for_overwrite<char[]>(kChunk)) {}

bool TextStream::fill() {
    if (position_ < size_) {
        return true;
    }
    if (exhausted_) {
        return false;
    }
    size_ = source_->read(buffer_.get(), kChunk);
    position_ = 0;
    exhausted_ = size_ == 0;
    return !exhausted_;
}

int TextStream::peekByte() {
    return fill() ? static_cast<unsigned char>(buffer_[position_]) : -1;
}

bool TextStream::AtEndOfStream() {
    return !fill();
}

std::string TextStream::ReadLine() {
    std::string line;
    ReadLineInto(line);
    return line;
}

void TextStream::ReadLineInto(std::string& line) {
    if (!fill()) {
        throw makeError(ErrorNumber::InputPastEnd, displayPath_);
    }
    line.clear();
    while (fill()) {
        const char* begin = buffer_.get() + position_;
        const char* end = buffer_.get() + size_;
        const char* stop = std::find_if(begin, end, [](char c) { return c == '\n' || c == '\r'; });
        line.append(begin, stop);
        position_ += static_cast<std::size_t>(stop - begin);
        if (line.size() > kMaxLineBytes) {
            throw makeError(ErrorNumber::IoFailure,
                            displayPath_ + " has a line longer than 16 MiB; it is no text file");
        }
        if (stop == end) {
            continue;
        }
        ++position_;
        if (*stop == '\r' && peekByte() == '\n') {
            ++position_;
        }
        break;
    }
}

File::File(DiskAccess access, std::string nativePath)
    : access_(std::move(access)), nativePath_(std::move(nativePath)) {}

std::string File::Name() const {
    return lastComponent(nativePath_);
}

TextStream File::OpenAsTextStream(int ioMode, int format) const {
    if (ioMode != 1 || format != 0) {
        throw makeError(ErrorNumber::InvalidArgument,
                        "only 8-bit text for reading is supported (" + nativePath_ + ")");
    }
    return TextStream(access_.disk->openRead(nativePath_), nativePath_);
}

void File::Delete(bool force) const {
    if (!force && access_.disk->isReadOnly(nativePath_)) {
        throw makeError(ErrorNumber::PermissionDenied, nativePath_);
    }
    access_.disk->remove(nativePath_);
}

Folder::Folder(DiskAccess access, std::string nativePath)
    : access_(std::move(access)), nativePath_(std::move(nativePath)) {}

std::string Folder::Name() const {
    return lastComponent(nativePath_);
}

std::vector<Folder> Folder::SubFolders() const {
    return entriesOfKind<Folder>(access_, nativePath_, EntryKind::Folder);
}

std::vector<File> Folder::Files() const {
    return entriesOfKind<File>(access_, nativePath_, EntryKind::File);
}

std::vector<FolderEntry> Folder::Entries() const {
    return sortedEntries(access_, nativePath_);
}

FileSystemObject::FileSystemObject(DiskAccess access) : access_(std::move(access)) {}

bool FileSystemObject::FolderExists(std::string_view path) const {
    const auto entry =
        PathMapper(*access_.disk, access_.winePrefix, access_.cache.get()).resolveEntry(path);
    return entry && entry->kind == EntryKind::Folder;
}

bool FileSystemObject::FileExists(std::string_view path) const {
    const auto entry =
        PathMapper(*access_.disk, access_.winePrefix, access_.cache.get()).resolveEntry(path);
    return entry && entry->kind == EntryKind::File;
}

Folder FileSystemObject::GetFolder(std::string_view path) const {
    auto entry =
        PathMapper(*access_.disk, access_.winePrefix, access_.cache.get()).resolveEntry(path);
    if (!entry || entry->kind != EntryKind::Folder) {
        throw makeError(ErrorNumber::PathNotFound, PathMapper::displayPath(path));
    }
    return Folder(access_, std::move(entry->path));
}

File FileSystemObject::GetFile(std::string_view path) const {
    auto entry =
        PathMapper(*access_.disk, access_.winePrefix, access_.cache.get()).resolveEntry(path);
    if (!entry || entry->kind != EntryKind::File) {
        throw makeError(ErrorNumber::FileNotFound, PathMapper::displayPath(path));
    }
    return File(access_, std::move(entry->path));
}

}  // namespace zelk
