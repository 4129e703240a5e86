#include "scan/PanelScan.h"

#include "platform/AsciiText.h"
#include "platform/ErrorWording.h"
#include "platform/VisibleName.h"
#include "scan/GaugeRule.h"

namespace zelk {
namespace {

constexpr const char* kNothingChanged = " Nothing was changed.";

// An entry of the aircraft tree that may hold a panel but cannot be reached stops the Scan: what
// it holds is unknown, not absent, and its gauges must not be taken for unused.
[[noreturn]] void unreachable(const Folder& folder, const ListedEntry& entry, ErrorNumber number,
                              const std::string& why) {
    throw ZelkError(number, visibleName(folder.PathOf(entry)) + " " + why + kNothingChanged);
}

void checkReachable(const Folder& folder, const ListedEntry& entry) {
    if (entry.kind == EntryKind::Missing) {
        unreachable(folder, entry, ErrorNumber::PathNotFound,
                    "is a link that cannot be followed: what it points to is missing (a disk "
                    "that is not mounted?) or it is a loop of links. Mend or remove the link, "
                    "then scan again.");
    }
    if (entry.kind == EntryKind::Folder && entry.name.find('\\') != std::string_view::npos) {
        unreachable(folder, entry, ErrorNumber::BadFileName,
                    "has a backslash (\\) in its name, which a Windows path cannot hold. "
                    "Rename the folder, then scan again.");
    }
}

// The subfolders of a folder of the aircraft tree, each checked to be reachable.
template <typename Visit>
void forEachReachableSubFolder(const Folder& folder, const Listing& entries, Visit&& visit) {
    for (const ListedEntry entry : entries) {
        checkReachable(folder, entry);
        if (entry.kind == EntryKind::Folder) {
            visit(entry);
        }
    }
}

std::vector<Folder> reachableSubFolders(const Folder& folder, const Listing& entries) {
    std::vector<Folder> subFolders;
    forEachReachableSubFolder(folder, entries, [&](const ListedEntry& entry) {
        subFolders.push_back(folder.SubFolder(entry));
    });
    return subFolders;
}

// Every file of the folder named PANEL.CFG in any case: where a copy from Windows left both
// "Panel.cfg" and "panel.cfg", each may be an aircraft's panel. A folder of that name is no
// panel, as a test for a file says; anything else of that name that cannot be read stops the
// Scan.
std::vector<File> panelFiles(const Folder& folder, const Listing& entries) {
    std::vector<File> panels;
    for (const ListedEntry entry : entries) {
        if (!equalsIgnoringAsciiCase(entry.name, "PANEL.CFG")) {
            continue;
        }
        switch (entry.kind) {
            case EntryKind::File:
                panels.push_back(folder.FileOf(entry));
                break;
            case EntryKind::Folder:
                break;
            case EntryKind::Missing:
                unreachable(folder, entry, ErrorNumber::FileNotFound,
                            "is a link that cannot be followed: what it points to is missing "
                            "or it is a loop of links, so the panel cannot be read. Mend or "
                            "remove the link, then scan again.");
            case EntryKind::Other:
                unreachable(folder, entry, ErrorNumber::PathAccessError,
                            "is neither a file nor a folder, so the panel cannot be read. "
                            "Remove it, then scan again.");
        }
    }
    return panels;
}

Listing entriesOf(const Folder& folder, const char* doing) {
    return withContext(doing, [&] { return folder.Entries(); });
}

// Reads PANEL.CFG in every immediate subfolder of one aircraft folder.
void readPanelsOf(const CommandContext& context, const Folder& aircraft) {
    RunState& state = context.state;
    const auto candidates =
        reachableSubFolders(aircraft, entriesOf(aircraft, "An aircraft folder could not be read."));
    const auto tooMany = [&context] {
        return "The panels under " +
               context.access.displayPath(context.state.SimFolder + "\\AIRCRAFT") +
               " refer to more than 32,767 distinct gauge names, more than Zelk Gauges can "
               "count." +
               kNothingChanged;
    };
    for (const Folder& candidate : candidates) {
        const auto entries = entriesOf(candidate, "A panel folder could not be read.");
        for (const File& panel : panelFiles(candidate, entries)) {
            withContext("A panel file could not be read.", [&] {
                // As the simulator reads a panel: through Windows' profile functions.
                TextStream stream = panel.OpenAsTextStream(1, kTextByByteOrderMark);
                explainOverflow(tooMany, [&] {
                    if (!context.panelWatch) {
                        collectGaugeNames(state, stream);
                        return;
                    }
                    PanelNames names;
                    collectGaugeNames(state, stream, names, *context.panelWatch);
                    context.panelWatch->panelRead(panel, std::move(names.list));
                });
            });
        }
    }
}

}  // namespace

void ShowFolderList(const CommandContext& context, const std::string& folderspec) {
    RunState& state = context.state;
    const std::string shown = context.access.displayPath(folderspec);
    const auto tooMany = [&shown] {
        return "There are 32,767 or more aircraft folders in " + shown +
               "; Zelk Gauges can read at most 32,766." + kNothingChanged;
    };
    const char* const unreadable =
        "The aircraft folder could not be read. Check that the simulator folder contains "
        "AIRCRAFT.";
    const Folder aircraftFolder = withContext(
        unreadable, [&] { return FileSystemObject(context.access).GetFolder(folderspec); });
    const Listing entries = entriesOf(aircraftFolder, unreadable);
    // The aircraft folders as listed, to be read without looking their paths up again.
    std::vector<Folder> aircraft;
    const int firstSlot = state.FolderCount.value() + 1;
    forEachReachableSubFolder(aircraftFolder, entries, [&](const ListedEntry& entry) {
        explainOverflow(tooMany,
                        [&] { state.FolderList.add(state.FolderCount, std::string(entry.name)); });
        aircraft.push_back(aircraftFolder.SubFolder(entry));
    });
    if (!state.FolderList.hasSlots()) {
        throw ZelkError(ErrorNumber::SubscriptOutOfRange, "There are no aircraft folders in " +
                                                              shown + ", so no panel can be " +
                                                              "read." + kNothingChanged);
    }
    const Int16 last = state.FolderList.upperBound();
    context.window.setProgressMax(ProgressBarId::Scan, static_cast<float>(last.value()));
    state.FolderCount = 1;
    while (state.FolderCount.value() <= last.value()) {
        const auto listed = static_cast<std::size_t>(state.FolderCount.value() - firstSlot);
        if (listed < aircraft.size()) {
            const Folder folder = std::move(aircraft[listed]);  // closed once read
            readPanelsOf(context, folder);
        } else {
            ShowFileInfo(context, state.FolderList.at(state.FolderCount));
        }
        context.window.setProgressValue(ProgressBarId::Scan,
                                        static_cast<float>(state.FolderCount.value()));
        explainOverflow(tooMany, [&] { state.FolderCount.increment(); });
    }
    context.window.setPanelText(StatusPanel::Panels, "Panels: " + std::to_string(last.value()));
    if (!state.GaugeList.hasSlots()) {
        throw ZelkError(ErrorNumber::SubscriptOutOfRange,
                        "No panel file under " + shown + " refers to any gauge, so every " +
                            "gauge would count as unused." + kNothingChanged);
    }
    context.window.setPanelText(StatusPanel::Gauges,
                                "Gauges: " + std::to_string(state.GaugeList.upperBound()));
}

void ShowFileInfo(const CommandContext& context, const std::string& filespec) {
    const std::string aircraftPath = context.state.SimFolder + "\\AIRCRAFT\\" + filespec;
    const Folder aircraft = withContext("An aircraft folder could not be read.", [&] {
        return FileSystemObject(context.access).GetFolder(aircraftPath);
    });
    readPanelsOf(context, aircraft);
}

namespace {

void addIfNew(RunState& state, std::string_view name, std::size_t hash) {
    if (!state.GaugeList.containsUpTo(name, hash, state.GaugeCount)) {
        state.GaugeList.add(state.GaugeCount, std::string(name));
    }
}

// An empty panel file has no line to read and refers to no gauge. Each name is looked up one
// line late: while the line before it is handled, the part of the name table it needs is
// fetched from memory, which a large add-on collection's table no longer fits in the cache.
// onLine(line) is given every line and alsoTake(name) every name as it is read.
template <typename OnLine, typename AlsoTake>
void collectGaugeNamesAnd(RunState& state, TextStream& panel, OnLine&& onLine,
                          AlsoTake&& alsoTake) {
    std::string pending;
    std::size_t pendingHash = 0;
    bool hasPending = false;
    const auto addPending = [&] {
        if (hasPending) {
            hasPending = false;
            addIfNew(state, pending, pendingHash);
        }
    };
    try {
        while (!panel.AtEndOfStream()) {
            const std::string_view line = panel.ReadLineView();
            onLine(line);
            const std::optional<std::string_view> name = gaugeNameOf(line);
            if (!name) {
                continue;
            }
            const std::size_t hash = NameTable::hashOf(*name);
            state.GaugeList.prefetch(hash);
            addPending();
            alsoTake(*name, hash);
            pending.assign(*name);
            pendingHash = hash;
            hasPending = true;
        }
    } catch (...) {
        addPending();  // what was read before a failure counts, as it would have at once
        throw;
    }
    addPending();
}

}  // namespace

void collectGaugeNames(RunState& state, TextStream& panel) {
    collectGaugeNamesAnd(
        state, panel, [](std::string_view) {}, [](std::string_view, std::size_t) {});
}

void collectGaugeNames(RunState& state, TextStream& panel, PanelNames& names, PanelWatch& watch) {
    const auto onLine = [&watch](std::string_view line) { watch.lineRead(line); };
    collectGaugeNamesAnd(state, panel, onLine, [&names](std::string_view name, std::size_t hash) {
        if (!names.list.containsUpTo(name, hash, names.count)) {
            names.list.add(names.count, std::string(name));
        }
    });
}

}  // namespace zelk
