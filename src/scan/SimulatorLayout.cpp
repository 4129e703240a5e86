#include "scan/SimulatorLayout.h"

#include <optional>
#include <vector>

#include "platform/AsciiText.h"
#include "platform/ErrorWording.h"
#include "platform/VisibleName.h"

namespace zelk {
namespace {

constexpr const char* kNothingChanged = " Nothing was changed.";

std::vector<ListedEntry> spellingsOf(const Listing& entries, std::string_view name) {
    std::vector<ListedEntry> found;
    for (const ListedEntry entry : entries) {
        if (equalsIgnoringAsciiCase(entry.name, name)) {
            found.push_back(entry);
        }
    }
    return found;
}

std::string quotedNames(const std::vector<ListedEntry>& entries) {
    std::string names;
    for (const ListedEntry& entry : entries) {
        names += (names.empty() ? "\"" : ", \"") + std::string(entry.name) + "\"";
    }
    return names;
}

// The native path of the one folder of that name, or nothing when there is none (or it is no
// folder).
std::optional<std::string> onlySpelling(const Folder& sim, const Listing& entries,
                                        std::string_view name) {
    const std::vector<ListedEntry> found = spellingsOf(entries, name);
    if (found.size() > 1) {
        throw ZelkError(ErrorNumber::PathAccessError,
                        "The simulator folder " + visibleName(sim.Path()) + " holds " +
                            std::string(name) + " in " + std::to_string(found.size()) +
                            " spellings: " + quotedNames(found) +
                            ". Windows cannot tell them apart, so it is not clear which one the "
                            "simulator uses. Merge them into one, then scan again." +
                            kNothingChanged);
    }
    if (!found.empty() && found.front().kind == EntryKind::Missing) {
        throw ZelkError(ErrorNumber::PathNotFound,
                        visibleName(sim.PathOf(found.front())) +
                            " is a link that cannot be followed: what it points to is missing (a "
                            "disk that is not mounted?) or it is a loop of links. Mend or remove "
                            "the link, then scan again." +
                            kNothingChanged);
    }
    if (found.empty() || found.front().kind != EntryKind::Folder) {
        return std::nullopt;
    }
    return sim.PathOf(found.front());
}

// The canonical path of a folder, with a clear word when it cannot be looked into.
std::string canonical(const Disk& disk, const std::string& path) {
    return withContext("The folder " + visibleName(path) + " could not be looked into.",
                       [&] { return disk.canonicalPath(path); });
}

bool isSameOrInside(const std::string& inner, const std::string& outer) {
    if (inner.size() < outer.size() || inner.compare(0, outer.size(), outer) != 0) {
        return false;
    }
    if (inner.size() == outer.size() || outer.back() == '/' || outer.back() == '\\') {
        return true;
    }
    return inner[outer.size()] == '/' || inner[outer.size()] == '\\';
}

void checkGaugesApart(const Disk& disk, const std::string& simFolder, const std::string& gauges,
                      const std::optional<std::string>& aircraft) {
    const std::string gaugesPath = canonical(disk, gauges);
    const std::string where =
        "The gauges folder " + visibleName(gauges) + " (" + visibleName(gaugesPath) + ")";
    const std::string danger =
        ", so Zelk Gauges would delete files there that are no gauges. Make GAUGES a folder of "
        "its own, then scan again.";
    if (gaugesPath == canonical(disk, simFolder)) {
        throw ZelkError(ErrorNumber::PathAccessError,
                        where + " is the simulator folder itself" + danger + kNothingChanged);
    }
    if (!aircraft) {
        return;
    }
    const std::string aircraftPath = canonical(disk, *aircraft);
    if (isSameOrInside(aircraftPath, gaugesPath)) {
        throw ZelkError(ErrorNumber::PathAccessError, where + " holds the aircraft folder " +
                                                          visibleName(aircraftPath) + danger +
                                                          kNothingChanged);
    }
    if (isSameOrInside(gaugesPath, aircraftPath)) {
        throw ZelkError(ErrorNumber::PathAccessError, where + " lies inside the aircraft folder " +
                                                          visibleName(aircraftPath) + danger +
                                                          kNothingChanged);
    }
}

}  // namespace

void checkSimulatorLayout(const CommandContext& context) {
    const FileSystemObject fso(context.access);
    const std::string& simFolder = context.state.SimFolder;
    if (!fso.FolderExists(simFolder)) {
        return;
    }
    const Folder sim = fso.GetFolder(simFolder);
    const Listing entries =
        withContext("The simulator folder could not be read.", [&] { return sim.Entries(); });
    const std::optional<std::string> aircraft = onlySpelling(sim, entries, "AIRCRAFT");
    const std::optional<std::string> gauges = onlySpelling(sim, entries, "GAUGES");
    if (gauges) {
        checkGaugesApart(*context.access.disk, sim.Path(), *gauges, aircraft);
    }
}

}  // namespace zelk
