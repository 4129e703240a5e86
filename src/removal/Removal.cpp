#include "removal/Removal.h"

#include "core/NameTable.h"
#include "platform/ErrorWording.h"
#include "platform/VisibleName.h"
#include "scan/SimulatorLayout.h"

namespace zelk {
namespace {

NameTable namesToRemove(const NameList& list) {
    NameTable names;
    const Int16 last = list.upperBound();
    names.reserve(static_cast<std::size_t>(last.value()));
    for (int i = 1; i <= last.value(); ++i) {
        names.insert(list.at(i), i);
    }
    return names;
}

// 32768 as "32,768", as the limit is written beside it.
std::string withThousands(std::size_t number) {
    std::string digits = std::to_string(number);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

// The removal is all or nothing as far as its own limits go: they are all found before the
// first file is deleted.
void checkLimits(const FileCollection& files, const Folder& folder) {
    if (files.size() > static_cast<std::size_t>(Int16::kMax)) {
        throw ZelkError(ErrorNumber::Overflow,
                        visibleName(folder.Path()) + " holds " + withThousands(files.size()) +
                            " files, more than the 32,767 that Zelk Gauges can count. Move some "
                            "of them into a subfolder, then scan again. Nothing was deleted.");
    }
}

// A removal checks each file as the Scan did before it deletes it (the disk does, in the same
// step): a file that fails now has changed since the Scan.
void deleteOne(const File& file) {
    try {
        file.Delete(true);
    } catch (const ZelkError& error) {
        if (error.number() == ErrorNumber::FileNotFound) {
            throw ZelkError(error.number(),
                            "A gauge file was already gone when Zelk Gauges came to delete it: "
                            "another program has removed it. The files before it were deleted; "
                            "the files after it were left alone.\n" +
                                error.text());
        }
        if (error.number() == ErrorNumber::PathAccessError) {
            throw ZelkError(error.number(),
                            "A gauge file has changed since the Scan: it is no longer a file that "
                            "can be deleted on its own. The files before it were deleted; it and "
                            "the files after it were left alone. Rename it or remove it by hand, "
                            "then scan again.\n" +
                                error.text());
        }
        throw ZelkError(error.number(),
                        "A gauge file could not be deleted. The files before it were deleted; "
                        "it and the files after it were left alone.\n" +
                            error.text());
    }
}

}  // namespace

void DeleteFileList(const CommandContext& context, const std::string& folderspec) {
    const NameList& unused = context.state.UnusedList;
    const char* const unreadable = "The gauges folder could not be read. Nothing was deleted.";
    const Folder folder = withContext(
        unreadable, [&] { return FileSystemObject(context.access).GetFolder(folderspec); });
    const FileCollection files = withContext(unreadable, [&] { return folder.Files(); });
    checkLimits(files, folder);
    context.window.setProgressMax(ProgressBarId::Removal, static_cast<float>(files.size()));
    NameTable doomed;
    if (!files.empty()) {
        doomed = namesToRemove(unused);
    }
    // The names are looked up in a set, so no 16-bit search index can overflow half-way.
    Int16 visited;
    for (const File& file : files) {
        if (doomed.find(file.Name())) {
            deleteOne(file);
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
