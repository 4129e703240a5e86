#include "scan/UnusedScan.h"

#include <optional>

#include "platform/AsciiText.h"
#include "platform/ErrorWording.h"
#include "platform/VisibleName.h"
#include "scan/PanelScan.h"
#include "scan/SimulatorLayout.h"

namespace zelk {
namespace {

void startAfresh(RunState& state) {
    state.FolderList.clear();
    state.FolderCount = 0;
    state.GaugeList.clear();
    state.GaugeCount = 0;
    state.UnusedList.clear();
    state.UnusedCount = 0;
    state.ScannedGauges.reset();
}

// Every file to remove must be one that a removal can delete by its own name, and nothing
// else with it, and one that the system lets this user delete now: found now, nothing has been
// deleted yet, whereas a removal would stop half-way.
void checkEachDeletable(const Folder& folder, const Listing& unused) {
    for (const ListedEntry entry : unused) {
        withContextByNumber(
            {{ErrorNumber::PathAccessError,
              "A file to remove cannot be deleted on its own: deleting it would delete another "
              "file, or it is not a file on disk. Rename it or remove it by hand, then scan "
              "again. Nothing was changed."}},
            "A file to remove cannot be deleted now, so a removal would stop half-way. Mend what "
            "is said below, then scan again. Nothing was changed.",
            [&] { folder.FileOf(entry).CheckDeletable(); });
    }
}

}  // namespace

void ShowFileList(const CommandContext& context, const std::string& folderspec) {
    RunState& state = context.state;
    const char* const unreadable =
        "The gauges folder could not be read. Check that the simulator folder contains GAUGES.";
    const Folder folder = withContext(
        unreadable, [&] { return FileSystemObject(context.access).GetFolder(folderspec); });
    // Asked before the folder is listed: should another folder take its place meanwhile, the
    // removal finds the folder it holds then to be another than the one asked for here, and
    // stops.
    state.ScannedGaugesIdentity = withContext(unreadable, [&] { return folder.Identity(); });
    state.ScannedGauges = folder;
    const auto fullGaugeList = [&folder] {
        return "The panels refer to 32,767 or more distinct gauge names, too many for Zelk "
               "Gauges to tell which files of " +
               visibleName(folder.Path()) + " are unused. Nothing was changed.";
    };
    const auto tooMany = [&folder] {
        return "There are more than 32,767 files to remove in " + visibleName(folder.Path()) +
               ", more than Zelk Gauges can count. Nothing was changed.";
    };
    // The files are matched as the disk hands them out, and only those not accounted for are
    // then put in the order Windows lists a folder.
    std::optional<GaugeMatch> referenced;
    Listing unused;
    withContext(unreadable, [&] {
        folder.ForEachFile([&](std::string_view name) {
            const Int16 last = state.GaugeList.upperBound();
            if (!referenced) {
                referenced.emplace(state.GaugeList);
            }
            if (isInUse(*referenced, name, [&] {
                    return folder.FileOf({name, EntryKind::File}).ShortName();
                })) {
                return;
            }
            explainOverflow(fullGaugeList, [&] { checkMissedSearch(last); });
            unused.add(name, EntryKind::File);
        });
    });
    unused.sortAsListed();
    checkEachDeletable(folder, unused);
    for (std::size_t i = 0; i < unused.size(); ++i) {
        explainOverflow(
            tooMany, [&] { state.UnusedList.add(state.UnusedCount, std::string(unused.name(i))); });
    }
    if (state.UnusedCount.value() == 0) {
        context.window.setPanelText(StatusPanel::Zelk, "Zelk: None");
        context.window.setCommand2Enabled(false);
        if (context.prompter.ask(kNothingToRemoveQuestion)) {
            unloadMainWindow();
        }
        return;
    }
    context.window.setCommand2Enabled(true);
    context.window.setPanelText(StatusPanel::Zelk,
                                "Zelk: " + std::to_string(state.UnusedCount.value()));
}

void runScanCommand(const CommandContext& context) {
    const DiskAccess access = context.access.withCache();
    const CommandContext scan{context.state, context.window, context.prompter, access,
                              context.panelWatch};
    startAfresh(scan.state);
    scan.window.setCommand2Enabled(false);
    checkSimulatorLayout(scan);
    ShowFolderList(scan, scan.state.SimFolder + "\\AIRCRAFT");
    ShowFileList(scan, scan.state.SimFolder + "\\GAUGES");
}

}  // namespace zelk
