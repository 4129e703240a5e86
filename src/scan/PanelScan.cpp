#include "scan/PanelScan.h"

#include "platform/ErrorWording.h"
#include "platform/PathMapping.h"
#include "scan/GaugeRule.h"

namespace zelk {

void ShowFolderList(const CommandContext& context, const std::string& folderspec) {
    RunState& state = context.state;
    const std::string shown = PathMapper::displayPath(folderspec);
    const FileSystemObject fso(context.access);
    const std::vector<Folder> aircraft = withContext(
        "The aircraft folder could not be read. Check that the simulator folder contains "
        "AIRCRAFT.",
        [&] { return fso.GetFolder(folderspec).SubFolders(); });
    for (const Folder& folder : aircraft) {
        state.FolderList.add(state.FolderCount, folder.Name());
    }
    if (!state.FolderList.hasSlots()) {
        throw ZelkError(ErrorNumber::SubscriptOutOfRange, "There are no aircraft folders in " +
                                                              shown + ", so no panel can be " +
                                                              "read. Nothing was changed.");
    }
    const Int16 last = state.FolderList.upperBound();
    context.window.setProgressMax(1, static_cast<float>(last.value()));
    state.FolderCount = 1;
    while (state.FolderCount.value() <= last.value()) {
        ShowFileInfo(context, state.FolderList.at(state.FolderCount));
        context.window.setProgressValue(1, static_cast<float>(state.FolderCount.value()));
        state.FolderCount.increment();
    }
    context.window.setPanelText(1, "Panels: " + std::to_string(last.value()));
    if (!state.GaugeList.hasSlots()) {
        throw ZelkError(ErrorNumber::SubscriptOutOfRange,
                        "No panel file under " + shown + " refers to any gauge, so every " +
                            "gauge would count as unused. Nothing was changed.");
    }
    context.window.setPanelText(2, "Gauges: " + std::to_string(state.GaugeList.upperBound()));
}

void ShowFileInfo(const CommandContext& context, const std::string& filespec) {
    RunState& state = context.state;
    const std::vector<Folder> candidates =
        withContext("An aircraft folder could not be read.", [&] {
            return FileSystemObject(context.access)
                .GetFolder(state.SimFolder + "\\AIRCRAFT\\" + filespec)
                .SubFolders();
        });
    for (const Folder& candidate : candidates) {
        const FileSystemObject fso(context.access);
        const std::string panelPath = candidate.Path() + "\\PANEL.CFG";
        withContext("A panel file could not be read.", [&] {
            if (fso.FileExists(panelPath)) {
                TextStream panel = fso.GetFile(panelPath).OpenAsTextStream(1, 0);
                collectGaugeNames(state, panel);
            }
        });
    }
}

// An empty panel file has no line to read and refers to no gauge.
void collectGaugeNames(RunState& state, TextStream& panel) {
    std::string line;
    while (!panel.AtEndOfStream()) {
        panel.ReadLineInto(line);
        const std::optional<std::string_view> name = gaugeNameOf(line);
        if (name && !state.GaugeList.containsUpTo(*name, state.GaugeCount)) {
            state.GaugeList.add(state.GaugeCount, std::string(*name));
        }
    }
}

}  // namespace zelk
