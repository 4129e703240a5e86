#pragma once

#include <string>

#include "core/CommandContext.h"
#include "scan/GaugeMatch.h"

namespace zelk {

inline constexpr const char* kNothingToRemoveQuestion =
    "None files to remove. Exit from Zelk Gauge?";

// Lists every file of the gauges folder folderspec that no name of GaugeList accounts for
// into UnusedList, then shows the count in status panel 3 and enables Zelk; or, when there is
// nothing to remove, says so, disables Zelk and offers to end the program.
void ShowFileList(const CommandContext& context, const std::string& folderspec);

// Whether the referenced names account for a file of the gauges folder. Windows also opens a
// file by its 8.3 short name, so a panel that names "CESSNA~1" uses "Cessna182Gauges.gau" as
// much as one that names it in full; shortNameOf() gives that name ("" for none) and is asked
// only when some name could be one.
template <typename ShortNameOf>
bool isInUse(const GaugeMatch& referenced, std::string_view name, ShortNameOf&& shortNameOf) {
    if (referenced.accountsFor(name)) {
        return true;
    }
    if (!referenced.namesAShortName()) {
        return false;
    }
    const std::string shortName = shortNameOf();
    return !shortName.empty() && referenced.accountsFor(shortName);
}

// The Scan command. Every Scan starts from an empty scan state, so two Scans over the same
// tree show the same numbers and the removal only ever sees the latest Scan's names.
void runScanCommand(const CommandContext& context);

}  // namespace zelk
