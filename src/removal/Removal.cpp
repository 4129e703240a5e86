#include "removal/Removal.h"

#include <memory>
#include <vector>

#include "core/NameTable.h"
#include "platform/ErrorWording.h"
#include "platform/VisibleName.h"
#include "scan/SimulatorLayout.h"

namespace zelk {
namespace {

constexpr const char* kUnreadable = "The gauges folder could not be read. Nothing was deleted.";

// 32768 as "32,768", as the limit is written beside it.
std::string withThousands(std::size_t number) {
    std::string digits = std::to_string(number);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

std::size_t filesIn(const Listing& entries) {
    std::size_t files = 0;
    for (const ListedEntry entry : entries) {
        files += entry.kind == EntryKind::File ? 1 : 0;
    }
    return files;
}

// The removal is all or nothing as far as its own limits go: they are all found before the
// first file is deleted.
void checkLimits(std::size_t files, const Folder& folder) {
    if (files > static_cast<std::size_t>(Int16::kMax)) {
        throw ZelkError(ErrorNumber::Overflow,
                        visibleName(folder.Path()) + " holds " + withThousands(files) +
                            " files, more than the 32,767 that Zelk Gauges can count. Move some "
                            "of them into a subfolder, then scan again. Nothing was deleted.");
    }
}

// The files of another folder renamed or linked into the place of the one the Scan listed are
// not the ones it listed, and that folder's own panels may use them. The folder is held from
// here on where the system allows it, so that nobody can put another in its place meanwhile.
void checkSameFolderAsScanned(const RunState& state, const Folder& folder) {
    const FolderIdentity now = withContext(kUnreadable, [&] { return folder.HoldInPlace(); });
    if (!state.ScannedGauges || now != state.ScannedGaugesIdentity) {
        throw ZelkError(ErrorNumber::PathAccessError,
                        "The gauges folder " + visibleName(folder.Path()) +
                            " has changed since the Scan: another folder has been renamed or "
                            "linked into its place. Nothing was deleted. Scan again, so that the "
                            "files to remove are those of the folder that is there now.");
    }
}

[[noreturn]] void changedSinceScan(ErrorNumber number, const std::string& what,
                                   const std::string& path) {
    throw ZelkError(number, "A file that the Scan listed to remove " + what +
                                " since the Scan. Nothing was deleted. Scan again, so that Zelk "
                                "Gauges lists what is there now.\n" +
                                makePathError(number, path).text());
}

std::unique_ptr<PendingRemoval> prepareToDelete(const File& file) {
    return withContextByNumber(
        {{ErrorNumber::PathAccessError,
          "A gauge file has changed since the Scan: it is no longer a file that can be deleted on "
          "its own. Nothing was deleted. Rename it or remove it by hand, then scan again."}},
        "A file that the Scan listed to remove cannot be deleted now. Nothing was deleted. Mend "
        "what is said below, then scan again.",
        [&] { return file.PrepareDelete(); });
}

// Every file the Scan listed must still be there, still a file, and one that can be deleted
// now: whatever has changed since the Scan stops the removal before the first deletion, and
// no listed name is ever passed over. Gives, for each entry of the listing that goes, the file
// ready to be deleted.
std::vector<std::unique_ptr<PendingRemoval>> checkEveryListedFile(const Folder& folder,
                                                                  const Listing& entries,
                                                                  const NameList& listed) {
    NameTable present;
    present.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        present.insert(entries.name(i), static_cast<int>(i));
    }
    std::vector<std::unique_ptr<PendingRemoval>> pending(entries.size());
    const int last = listed.upperBound().value();
    for (int slot = 1; slot <= last; ++slot) {
        const std::string& name = listed.at(slot);
        const std::optional<int> at = present.find(name);
        const std::string path = childPath(folder.Path(), name);
        if (!at) {
            changedSinceScan(ErrorNumber::FileNotFound,
                             "has gone from the gauges folder: another program has removed or "
                             "renamed it",
                             path);
        }
        const ListedEntry entry = entries[static_cast<std::size_t>(*at)];
        if (entry.kind == EntryKind::Folder) {
            changedSinceScan(ErrorNumber::PathAccessError, "has become a folder", path);
        }
        if (entry.kind != EntryKind::File) {
            changedSinceScan(ErrorNumber::PathAccessError,
                             "has become something other than a file (a link that leads "
                             "nowhere, a device or a pipe)",
                             path);
        }
        auto& ready = pending[static_cast<std::size_t>(*at)];
        if (!ready) {
            ready = prepareToDelete(folder.FileOf(entry));
        }
    }
    return pending;
}

// What changes after the check above still stops the removal at that file.
void deleteOne(PendingRemoval& file) {
    withContextByNumber(
        {{ErrorNumber::FileNotFound,
          "A gauge file was already gone when Zelk Gauges came to delete it: another program has "
          "removed it. The files before it were deleted; the files after it were left alone."},
         {ErrorNumber::PathAccessError,
          "A gauge file has changed since the Scan: it is no longer a file that can be deleted on "
          "its own. The files before it were deleted; it and the files after it were left alone. "
          "Rename it or remove it by hand, then scan again."}},
        "A gauge file could not be deleted. The files before it were deleted; it and the files "
        "after it were left alone.",
        [&] { file.remove(); });
}

}  // namespace

void DeleteFileList(const CommandContext& context, const std::string& folderspec) {
    const Folder folder = withContext(
        kUnreadable, [&] { return FileSystemObject(context.access).GetFolder(folderspec); });
    checkSameFolderAsScanned(context.state, folder);
    const Listing entries = withContext(kUnreadable, [&] { return folder.Entries(); });
    const std::size_t files = filesIn(entries);
    checkLimits(files, folder);
    context.window.setProgressMax(ProgressBarId::Removal, static_cast<float>(files));
    const auto pending = checkEveryListedFile(folder, entries, context.state.UnusedList);
    Int16 visited;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries.kind(i) != EntryKind::File) {
            continue;
        }
        if (pending[i]) {
            deleteOne(*pending[i]);
        }
        visited.increment();
        context.window.setProgressValue(ProgressBarId::Removal,
                                        static_cast<float>(visited.value()));
    }
    // A list is spent once used: files put back since must not go without a new Scan.
    context.window.setCommand2Enabled(false);
    if (context.prompter.ask(kRemovedQuestion)) {
        unloadMainWindow();
    }
}

void runRemovalCommand(const CommandContext& context) {
    if (context.prompter.ask(kRemoveQuestion)) {
        const DiskAccess access = context.access.withCache();
        const CommandContext removal{context.state, context.window, context.prompter, access};
        checkSimulatorLayout(removal);
        DeleteFileList(removal, context.state.SimFolder + "\\GAUGES");
    }
}

}  // namespace zelk
