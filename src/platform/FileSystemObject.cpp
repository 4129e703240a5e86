#include "platform/FileSystemObject.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/AsciiText.h"
#include "platform/Error.h"
#include "platform/TextEncoding.h"
#include "platform/VisibleName.h"

namespace zelk {
namespace {

// Large enough that most panel files come in one read.
constexpr std::size_t kChunk = 64 * 1024;

}  // namespace

DiskAccess DiskAccess::withCache() const {
    return {disk, resolver, std::make_shared<ResolutionCache>()};
}

std::string DiskAccess::displayPath(std::string_view path) const {
    return visibleName(resolver->displayPath(path));
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

bool TextStream::readMore() {
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

std::string TextStream::ReadLine() {
    std::string line;
    ReadLineInto(line);
    return line;
}

void TextStream::checkLength(std::size_t length) const {
    if (length > kMaxLineBytes) {
        throw makeError(
            ErrorNumber::IoFailure,
            visibleName(displayPath_) + " has a line longer than 16 MiB; it is no text file");
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
        throw makePathError(ErrorNumber::InputPastEnd, displayPath_);
    }
    const char* begin = buffer_.get() + position_;
    const char* end = buffer_.get() + size_;
    const char* stop = findEitherByte(begin, end, '\r', '\n');
    if (stop != end) {  // the whole line lies in the buffer
        const auto length = static_cast<std::size_t>(stop - begin);
        checkLength(length);
        std::string_view line(begin, length);
        if (stop + 1 != end) {  // the line end lies in the buffer too
            position_ += length + (*stop == '\r' && stop[1] == '\n' ? 2 : 1);
            return line;
        }
        position_ += length;
        if (*stop == '\r') {
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
        stop = findEitherByte(begin, end, '\r', '\n');
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

namespace {

// Looks at the start of the file on the first read. 8-bit text passes through untouched; a
// UTF-8 mark is dropped; UTF-16 is decoded chunk by chunk, so a large file is never held whole.
class MarkedTextSource : public ByteSource {
public:
    MarkedTextSource(std::unique_ptr<ByteSource> source, std::string displayPath)
        : source_(std::move(source)), displayPath_(std::move(displayPath)) {}

    std::size_t read(char* buffer, std::size_t size) override {
        if (!started_) {
            started_ = true;
            if (const std::size_t got = start(buffer, size)) {
                return got;
            }
        }
        while (textAt_ == text_.size()) {
            if (!decoder_) {
                return source_->read(buffer, size);
            }
            if (!decodeMore()) {
                return 0;
            }
        }
        const std::size_t count = std::min(size, text_.size() - textAt_);
        std::copy_n(text_.data() + textAt_, count, buffer);
        textAt_ += count;
        return count;
    }

private:
    // Reads the first bytes into the buffer and decides by their mark. Returns how much of the
    // buffer the caller may take as it is (8-bit text, the usual case); 0 when what it gets
    // comes from text_ instead.
    std::size_t start(char* buffer, std::size_t size) {
        std::size_t got = source_->read(buffer, size);
        std::string_view first(buffer, got);
        if (got > 0 && got < kUtf8Mark.size()) {  // too little to tell: gather a little more
            text_.assign(buffer, got);
            while (text_.size() < kUtf8Mark.size() && (got = source_->read(buffer, size)) > 0) {
                text_.append(buffer, got);
            }
            first = text_;
        }
        const TextMark mark = textMarkOf(first);
        if (mark.encoding == TextMark::Encoding::Utf16) {
            decoder_.emplace(mark.order);
            text_ = decoded(first.substr(mark.length));
            return 0;
        }
        if (first.data() == buffer && mark.length == 0) {
            return got;
        }
        text_ = std::string(first.substr(mark.length));
        return 0;
    }

    bool decodeMore() {
        chunk_.resize(kChunk);
        const std::size_t got = source_->read(chunk_.data(), chunk_.size());
        if (got == 0) {
            if (!decoder_->atCharacterEnd()) {
                notUtf16();
            }
            return false;
        }
        text_ = decoded(std::string_view(chunk_.data(), got));
        textAt_ = 0;
        return true;
    }

    std::string decoded(std::string_view bytes) {
        auto text = decoder_->decode(bytes);
        if (!text) {
            notUtf16();
        }
        return std::move(*text);
    }

    [[noreturn]] void notUtf16() const {
        throw makeError(ErrorNumber::IoFailure,
                        visibleName(displayPath_) +
                            " starts with the byte-order mark of UTF-16 text but is not UTF-16 "
                            "text, so which gauges it refers to cannot be known");
    }

    std::unique_ptr<ByteSource> source_;
    std::string displayPath_;
    bool started_ = false;
    std::optional<Utf16Decoder> decoder_;  // for UTF-16 only
    std::vector<char> chunk_;
    std::string text_;  // to hand out from textAt_ on before reading on
    std::size_t textAt_ = 0;
};

}  // namespace

std::unique_ptr<ByteSource> textByByteOrderMark(std::unique_ptr<ByteSource> source,
                                                std::string displayPath) {
    return std::make_unique<MarkedTextSource>(std::move(source), std::move(displayPath));
}

File::File(std::shared_ptr<const FolderHandle> folder, std::string name)
    : folder_(std::move(folder)), name_(std::move(name)) {}

TextStream File::OpenAsTextStream(int ioMode, int format) const {
    if (ioMode != 1 || (format != kAnsiText && format != kTextByByteOrderMark)) {
        throw makePathError(ErrorNumber::InvalidArgument, Path(),
                            "only 8-bit or marked text for reading is supported");
    }
    std::unique_ptr<ByteSource> source = folder_->openRead(name_);
    std::string path = Path();
    if (format == kTextByByteOrderMark) {
        source = textByByteOrderMark(std::move(source), path);
    }
    return TextStream(std::move(source), std::move(path));
}

void File::Delete(bool force) const {
    if (!force && folder_->isReadOnly(name_)) {
        throw makePathError(ErrorNumber::PermissionDenied, Path());
    }
    folder_->remove(name_);
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
