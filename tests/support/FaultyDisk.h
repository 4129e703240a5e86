#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "platform/Disk.h"
#include "platform/Error.h"
#include "platform/FileSystemObject.h"
#include "support/PlatformAccess.h"

namespace zelk::test {

// Another disk (the platform's own by default), except for the operations a test names: those
// fail the way the system would. A fault that never fired fails the test, so that a mistyped
// path cannot make a fault test pass without a fault.
class FaultyDisk : public Disk {
public:
    explicit FaultyDisk(std::shared_ptr<const Disk> inner = platformDisk())
        : inner_(std::move(inner)) {}
    FaultyDisk(const FaultyDisk&) = delete;
    FaultyDisk& operator=(const FaultyDisk&) = delete;
    ~FaultyDisk() override {
        for (const auto* faults :
             {&failRemove, &failOpen, &failList, &failProbe, &failCheck, &unwritableFolders}) {
            for (const std::string& suffix : *faults) {
                if (!fired_.contains(suffix)) {
                    ADD_FAILURE() << "injected fault for \"" << suffix << "\" matched no path";
                }
            }
        }
        EXPECT_FALSE(failReplace && !replaceFailed_) << "failReplace set, but nothing replaced";
    }

    // Native paths whose operation fails. A path matches when it ends with the given text.
    std::set<std::string> failRemove;
    std::set<std::string> failOpen;
    std::set<std::string> failList;
    std::set<std::string> failProbe;
    // Files that a removal could not delete on their own, or (checkError) may not delete now.
    std::set<std::string> failCheck;
    ErrorNumber checkError = ErrorNumber::PathAccessError;
    bool failReplace = false;
    // Native folders in which no file may be created.
    std::set<std::string> unwritableFolders;
    // Called before each operation of that kind, with the native path; lets a test change the
    // tree between two steps of a command.
    std::function<void(const std::string&)> beforeRemove;
    std::function<void(const std::string&)> beforeList;
    std::function<void(const std::string&)> beforeOpen;
    // Called with each listing before it is returned; lets a test add or drop entries.
    std::function<void(const std::string&, std::vector<DirEntry>&)> afterList;

    std::optional<EntryKind> probe(const std::string& path) const override {
        if (matches(failProbe, path)) {
            throw makeError(ErrorNumber::PermissionDenied, path);
        }
        return inner_->probe(path);
    }
    std::vector<DirEntry> list(const std::string& path) const override {
        if (beforeList) {
            beforeList(path);
        }
        if (matches(failList, path)) {
            throw makeError(ErrorNumber::PermissionDenied, path);
        }
        std::vector<DirEntry> entries = inner_->list(path);
        if (afterList) {
            afterList(path, entries);
        }
        return entries;
    }
    std::unique_ptr<ByteSource> openRead(const std::string& path) const override {
        if (beforeOpen) {
            beforeOpen(path);
        }
        if (matches(failOpen, path)) {
            throw makeError(ErrorNumber::PermissionDenied, path);
        }
        return inner_->openRead(path);
    }
    void remove(const std::string& path) const override {
        if (beforeRemove) {
            beforeRemove(path);
        }
        checkRemovable(path);  // as a disk that must check an entry before deleting it
        if (matches(failRemove, path)) {
            throw makeError(ErrorNumber::PermissionDenied, path);
        }
        inner_->remove(path);
    }
    bool isReadOnly(const std::string& path) const override { return inner_->isReadOnly(path); }
    std::string shortName(const std::string& path) const override {
        return inner_->shortName(path);
    }
    void checkRemovable(const std::string& path) const override {
        if (matches(failCheck, path)) {
            throw makeError(checkError, path + " (a link to another file, or in use)");
        }
        inner_->checkRemovable(path);
    }
    std::uint64_t fileSize(const std::string& path) const override {
        return inner_->fileSize(path);
    }
    FolderIdentity folderIdentity(const std::string& path) const override {
        return inner_->folderIdentity(path);
    }
    std::string canonicalPath(const std::string& path) const override {
        return inner_->canonicalPath(path);
    }
    void replaceFile(const std::string& path, const std::string& content) const override {
        if (failReplace) {
            replaceFailed_ = true;
            throw makeError(ErrorNumber::IoFailure, path + " (No space left on device)");
        }
        inner_->replaceFile(path, content);
    }
    bool canCreateFileIn(const std::string& folder) const override {
        return !matches(unwritableFolders, folder) && inner_->canCreateFileIn(folder);
    }
    void createFolder(const std::string& path) const override { inner_->createFolder(path); }

private:
    bool matches(const std::set<std::string>& suffixes, const std::string& path) const {
        for (const std::string& suffix : suffixes) {
            if (pathEndsWith(path, suffix)) {
                fired_.insert(suffix);
                return true;
            }
        }
        return false;
    }

    std::shared_ptr<const Disk> inner_;
    mutable std::set<std::string> fired_;
    mutable bool replaceFailed_ = false;
};

}  // namespace zelk::test
