#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "platform/Disk.h"
#include "platform/Error.h"

namespace zelk::fuzz {

// Bytes handed out in chunks of a chosen size, to exercise every buffer boundary.
class ChunkSource : public ByteSource {
public:
    ChunkSource(std::string data, std::size_t chunk) : data_(std::move(data)), chunk_(chunk) {}
    std::size_t read(char* buffer, std::size_t size) override {
        const std::size_t count = std::min({size, chunk_, data_.size() - position_});
        std::copy_n(data_.data() + position_, count, buffer);
        position_ += count;
        return count;
    }

private:
    std::string data_;
    std::size_t chunk_;
    std::size_t position_ = 0;
};

// One folder, "/m", of files held in memory.
class MemoryDisk : public Disk {
public:
    mutable std::map<std::string, std::string> files;  // by name; written by replaceFile
    mutable int replacements = 0;

    std::optional<EntryKind> probe(const std::string& path) const override {
        if (path == "/" || path == "/m") {
            return EntryKind::Folder;
        }
        if (files.contains(nameOf(path))) {
            return EntryKind::File;
        }
        return std::nullopt;
    }
    std::vector<DirEntry> list(const std::string& path) const override {
        if (path == "/") {
            return {{"m", EntryKind::Folder}};
        }
        if (path != "/m") {
            throw makeError(ErrorNumber::PathNotFound, path);
        }
        std::vector<DirEntry> entries;
        for (const auto& [name, content] : files) {
            entries.push_back({name, EntryKind::File});
        }
        return entries;
    }
    std::unique_ptr<ByteSource> openRead(const std::string& path) const override {
        const auto file = files.find(nameOf(path));
        if (file == files.end()) {
            throw makeError(ErrorNumber::FileNotFound, path);
        }
        return std::make_unique<ChunkSource>(file->second, 4096);
    }
    void remove(const std::string& path) const override {
        throw makeError(ErrorNumber::PermissionDenied, path);
    }
    bool isReadOnly(const std::string&) const override { return false; }
    void checkRemovable(const std::string& path) const override { remove(path); }
    std::uint64_t fileSize(const std::string& path) const override {
        const auto file = files.find(nameOf(path));
        if (file == files.end()) {
            throw makeError(ErrorNumber::FileNotFound, path);
        }
        return file->second.size();
    }
    FolderIdentity folderIdentity(const std::string& path) const override {
        if (!probe(path)) {
            throw makeError(ErrorNumber::PathNotFound, path);
        }
        return {1, path.size()};
    }
    std::string canonicalPath(const std::string& path) const override { return path; }
    void replaceFile(const std::string& path, const std::string& content) const override {
        files[nameOf(path)] = content;
        ++replacements;
    }
    bool canCreateFileIn(const std::string& folder) const override { return folder == "/m"; }
    void createFolder(const std::string& path) const override {
        throw makeError(ErrorNumber::PermissionDenied, path);
    }

private:
    static std::string nameOf(const std::string& path) {
        return path.rfind("/m/", 0) == 0 ? path.substr(3) : std::string("\n");
    }
};

}  // namespace zelk::fuzz
