#include "platform/Disk.h"

#include <algorithm>

#include "platform/Error.h"

namespace zelk {
namespace {

// Removed by its name, through the folder's remove().
class RemovalByName : public PendingRemoval {
public:
    RemovalByName(const FolderHandle& folder, std::string name)
        : folder_(folder), name_(std::move(name)) {}
    void remove() override { folder_.remove(name_); }

private:
    const FolderHandle& folder_;
    std::string name_;
};

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::uint64_t keyOf(std::string_view name, std::size_t from) {
    std::uint64_t key = 0;
    for (std::size_t i = from; i < from + 8; ++i) {
        key = (key << 8) | (i < name.size() ? static_cast<unsigned char>(upper(name[i])) : 0u);
    }
    return key;
}

}  // namespace

// NTFS orders names by their upper-case form, so "_" (after "Z") follows the letters.
bool listedBefore(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(upper(a[i]));
        const auto y = static_cast<unsigned char>(upper(b[i]));
        if (x != y) {
            return x < y;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

std::string FolderHandle::shortName(const std::string& /*name*/) const {
    return {};
}

std::unique_ptr<PendingRemoval> FolderHandle::prepareRemoval(const std::string& name) const {
    checkRemovable(name);
    return std::make_unique<RemovalByName>(*this, name);
}

std::string Disk::shortName(const std::string& /*path*/) const {
    return {};
}

bool PathFolderHandle::open() const {
    return kindOf(disk_, path_) == EntryKind::Folder;
}

void PathFolderHandle::visit(const Visit& visit) const {
    for (const DirEntry& entry : disk_.list(path_)) {
        visit(entry.name, entry.kind);
    }
}

std::shared_ptr<const FolderHandle> PathFolderHandle::folder(const std::string& name) const {
    return std::make_shared<PathFolderHandle>(disk_, childPath(path_, name));
}

std::unique_ptr<ByteSource> PathFolderHandle::openRead(const std::string& name) const {
    return disk_.openRead(childPath(path_, name));
}

void PathFolderHandle::remove(const std::string& name) const {
    disk_.remove(childPath(path_, name));
}

bool PathFolderHandle::isReadOnly(const std::string& name) const {
    return disk_.isReadOnly(childPath(path_, name));
}

std::string PathFolderHandle::shortName(const std::string& name) const {
    return disk_.shortName(childPath(path_, name));
}

void PathFolderHandle::checkRemovable(const std::string& name) const {
    disk_.checkRemovable(childPath(path_, name));
}

std::optional<EntryFacts> PathFolderHandle::facts(const std::string& name) const {
    const std::string path = childPath(path_, name);
    const std::optional<EntryKind> kind = disk_.probe(path);
    if (!kind) {
        return std::nullopt;
    }
    return EntryFacts{*kind, *kind == EntryKind::File ? disk_.fileSize(path) : 0};
}

FolderIdentity PathFolderHandle::identity() const {
    return disk_.folderIdentity(path_);
}

Listing FolderHandle::list() const {
    Listing listing;
    listing.reserve(16, 256);  // room for a usual aircraft folder, so that it grows seldom
    visit([&listing](std::string_view name, EntryKind kind) { listing.add(name, kind); });
    return listing;
}

void Listing::add(std::string_view name, EntryKind kind) {
    if (names_.size() + name.size() > UINT32_MAX || name.size() > UINT16_MAX) {
        throw makeError(ErrorNumber::OutOfMemory, "a folder listing of more than 4 GiB of names");
    }
    items_.push_back({keyOf(name, 0), keyOf(name, 8), static_cast<std::uint32_t>(names_.size()),
                      static_cast<std::uint16_t>(name.size()), kind});
    names_.append(name);
}

void Listing::reserve(std::size_t entries, std::size_t nameBytes) {
    items_.reserve(entries);
    names_.reserve(nameBytes);
}

void Listing::sortAsListed() {
    std::sort(items_.begin(), items_.end(), [this](const Item& a, const Item& b) {
        if (a.high != b.high) {
            return a.high < b.high;
        }
        if (a.low != b.low) {
            return a.low < b.low;
        }
        return listedBefore({names_.data() + a.offset, a.length},
                            {names_.data() + b.offset, b.length});
    });
}

std::string childPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    if (kNativeSeparators.find(folder.back()) != std::string_view::npos) {
        return folder + name;
    }
    return folder + kNativeSeparators.front() + name;
}

std::shared_ptr<const FolderHandle> Disk::openFolder(const std::string& path) const {
    return std::make_shared<PathFolderHandle>(*this, path);
}

}  // namespace zelk
