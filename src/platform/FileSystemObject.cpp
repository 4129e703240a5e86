#include "platform/FileSystemObject.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/Error.h"

namespace zelk {
namespace {

// Large enough that most panel files come in one read.
constexpr std::size_t kChunk = 64 * 1024;

}  // namespace

DiskAccess DiskAccess::withCache() const {
    return {disk, resolver, std::make_shared<ResolutionCache>()};
}

namespace {

// The read buffer of the last stream, kept for the next one: a Scan opens one stream per panel.
thread_local std::unique_ptr<char[]> spareBuffer;

std::unique_ptr<char[]> takeBuffer() {
    if (spareBuffer) {
        return std::move(spareBuffer);
    }
    return std::make_unique_for_overwrite<char[]>(kChunk);
}

}  // namespace

TextStream::TextStream(std::unique_ptr<ByteSource> source, std::string displayPath)
    : source_(std::move(source)), displayPath_(std::move(displayPath)), buffer_(takeBuffer()) {}

TextStream::~TextStream() {
    if (buffer_) {
        spareBuffer = std::move(buffer_);
    }
}

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

namespace {

// The first CR or LF; memchr looks at many bytes at a time, and a line usually ends in one of
// them soon after the other.
const char* findLineEnd(const char* begin, const char* end) {
    const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', end - begin));
    const char* limit = lf ? lf : end;
    const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', limit - begin));
    return cr ? cr : limit;
}

}  // namespace

void TextStream::checkLength(std::size_t length) const {
    if (length > kMaxLineBytes) {
        throw makeError(ErrorNumber::IoFailure,
                        displayPath_ + " has a line longer than 16 MiB; it is no text file");
    }
}

// Steps over the line end just found; a CR LF split across two reads is one line end.
void TextStream::skipLineEnd(char end) {
    ++position_;
    if (end == '\r' && peekByte() == '\n') {
        ++position_;
    }
}

void TextStream::ReadLineInto(std::string& line) {
    line = ReadLineView();
}

std::string_view TextStream::ReadLineView() {
    if (!fill()) {
        throw makeError(ErrorNumber::InputPastEnd, displayPath_);
    }
    const char* begin = buffer_.get() + position_;
    const char* end = buffer_.get() + size_;
    const char* stop = findLineEnd(begin, end);
    if (stop != end) {  // the whole line lies in the buffer
        const auto length = static_cast<std::size_t>(stop - begin);
        checkLength(length);
        position_ += length;
        std::string_view line(begin, length);
        if (*stop == '\r' && stop + 1 == end) {
            spill_.assign(line);  // looking for an LF after it reads over the buffer
            line = spill_;
        }
        skipLineEnd(*stop);
        return line;
    }
    spill_.clear();
    while (fill()) {
        begin = buffer_.get() + position_;
        end = buffer_.get() + size_;
        stop = findLineEnd(begin, end);
        spill_.append(begin, stop);
        position_ += static_cast<std::size_t>(stop - begin);
        checkLength(spill_.size());
        if (stop != end) {
            skipLineEnd(*stop);
            break;
        }
    }
    return spill_;
}

File::File(std::shared_ptr<const FolderHandle> folder, std::string name)
    : folder_(std::move(folder)), name_(std::move(name)) {}

TextStream File::OpenAsTextStream(int ioMode, int format) const {
    if (ioMode != 1 || format != 0) {
        throw makeError(ErrorNumber::InvalidArgument,
                        "only 8-bit text for reading is supported (" + Path() + ")");
    }
    return TextStream(folder_->openRead(name_), Path());
}

void File::Delete(bool force) const {
    if (!force && folder_->isReadOnly(name_)) {
        throw makeError(ErrorNumber::PermissionDenied, Path());
    }
    folder_->remove(name_);
}

std::uint64_t File::Size() const {
    return folder_->fileSize(name_);
}

Folder::Folder(std::shared_ptr<const FolderHandle> handle) : handle_(std::move(handle)) {}

std::string Folder::Name() const {
    std::string_view path = Path();
    while (path.size() > 1 && kNativeSeparators.find(path.back()) != std::string_view::npos) {
        path.remove_suffix(1);
    }
    const auto slash = path.find_last_of(kNativeSeparators);
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

namespace {

Listing listedInOrder(const FolderHandle& folder) {
    Listing listing = folder.list();
    listing.sortAsListed();
    return listing;
}

}  // namespace

std::vector<Folder> Folder::SubFolders() const {
    const Listing listing = listedInOrder(*handle_);
    std::vector<Folder> folders;
    for (std::size_t i = 0; i < listing.size(); ++i) {
        if (listing.kind(i) == EntryKind::Folder) {
            folders.emplace_back(handle_->folder(std::string(listing.name(i))));
        }
    }
    return folders;
}

FileCollection Folder::Files() const {
    return FileCollection(handle_, listedInOrder(*handle_));
}

void Folder::ForEachFile(const std::function<void(std::string_view name)>& visit) const {
    handle_->visit([&visit](std::string_view name, EntryKind kind) {
        if (kind == EntryKind::File) {
            visit(name);
        }
    });
}

Listing Folder::Entries() const {
    return listedInOrder(*handle_);
}

FileCollection::FileCollection(std::shared_ptr<const FolderHandle> folder, Listing listing)
    : folder_(std::move(folder)), listing_(std::move(listing)) {
    for (std::size_t i = 0; i < listing_.size(); ++i) {
        if (listing_.kind(i) == EntryKind::File) {
            files_.push_back(static_cast<std::uint32_t>(i));
        }
    }
}

File FileCollection::operator[](std::size_t index) const {
    return File(folder_, std::string(listing_.name(files_[index])));
}

FileSystemObject::FileSystemObject(DiskAccess access) : access_(std::move(access)) {}

std::optional<ResolvedPath> FileSystemObject::resolve(std::string_view path) const {
    return access_.resolver->resolve(*access_.disk, path, access_.cache.get());
}

bool FileSystemObject::FolderExists(std::string_view path) const {
    const auto entry = resolve(path);
    return entry && entry->kind == EntryKind::Folder;
}

bool FileSystemObject::FileExists(std::string_view path) const {
    const auto entry = resolve(path);
    return entry && entry->kind == EntryKind::File;
}

namespace {

// A folder opened relative to the one a command opened last, when it lies directly below it.
std::shared_ptr<const FolderHandle> openBelowLast(const ResolutionCache* cache,
                                                  const std::string& native) {
    if (cache == nullptr || !cache->lastOpened().handle) {
        return nullptr;
    }
    const std::string& last = cache->lastOpened().native;
    const auto slash = native.find_last_of(kNativeSeparators);
    if (slash == std::string::npos || slash != last.size() || native.compare(0, slash, last) != 0) {
        return nullptr;
    }
    return cache->lastOpened().handle->folder(native.substr(slash + 1));
}

}  // namespace

Folder FileSystemObject::GetFolder(std::string_view path) const {
    ResolutionCache* const cache = access_.cache.get();
    // The likely native path opens at once when it is spelled as on disk; only otherwise is
    // the path looked up name by name without regard to case.
    if (const auto likely = access_.resolver->likelyPath(path, cache)) {
        if (auto below = openBelowLast(cache, *likely); below && below->open()) {
            return Folder(std::move(below));
        }
        auto handle = access_.disk->openFolder(*likely);
        if (handle->open()) {
            if (cache) {
                cache->rememberOpened(*likely, handle);
            }
            return Folder(std::move(handle));
        }
    }
    auto entry = resolve(path);
    if (!entry || entry->kind != EntryKind::Folder) {
        throw makeError(ErrorNumber::PathNotFound, access_.displayPath(path));
    }
    auto handle = access_.disk->openFolder(entry->path);
    if (cache) {
        cache->rememberOpened(entry->path, handle);
    }
    return Folder(std::move(handle));
}

File FileSystemObject::GetFile(std::string_view path) const {
    auto entry = resolve(path);
    if (!entry || entry->kind != EntryKind::File) {
        throw makeError(ErrorNumber::FileNotFound, access_.displayPath(path));
    }
    const auto slash = entry->path.find_last_of(kNativeSeparators);
    const std::string folder = entry->path.substr(0, slash == 0 ? 1 : slash);
    return File(access_.disk->openFolder(folder), entry->path.substr(slash + 1));
}

}  // namespace zelk
