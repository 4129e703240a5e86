#include "removal/Removal.h"

#include <unordered_set>

#include "platform/ErrorWording.h"

namespace zelk {
namespace {

std::unordered_set<std::string> namesToRemove(const NameList& list) {
    std::unordered_set<std::string> names;
    const Int16 last = list.upperBound();
    for (int i = 1; i <= last.value(); ++i) {
        names.insert(list.at(i));
    }
    return names;
}

}  // namespace

void DeleteFileList(const CommandContext& context, const std::string& folderspec) {
    const NameList& unused = context.state.UnusedList;
    const std::vector<File> files =
        withContext("The gauges folder could not be read. Nothing was deleted.",
                    [&] { return FileSystemObject(context.access).GetFolder(folderspec).Files(); });
    context.window.setProgressMax(2, static_cast<float>(files.size()));
    std::unordered_set<std::string> doomed;
    if (!files.empty()) {
        doomed = namesToRemove(unused);
    }
    Int16 visited;
    for (const File& file : files) {
        const Int16 last = unused.upperBound();
        if (doomed.contains(file.Name())) {
            withContext(
                "A gauge file could not be deleted. The files before it were deleted; it and "
                "the files after it were left alone.",
                [&] { file.Delete(true); });
        } else {
            checkMissedSearch(last);
        }
        visited.increment();
        context.window.setProgressValue(2, static_cast<float>(visited.value()));
    }
    if (context.window.ask(kRemovedQuestion)) {
        unloadMainWindow();
    }
}

void runRemovalCommand(const CommandContext& context) {
    if (context.window.ask(kRemoveQuestion)) {
        const DiskAccess access = context.access.withCache();
        DeleteFileList({context.state, context.window, access},
                       context.state.SimFolder + "\\GAUGES");
    }
}

}  // namespace zelk
