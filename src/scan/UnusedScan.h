#pragma once

#include <string>

#include "core/CommandContext.h"

namespace zelk {

inline constexpr const char* kNothingToRemoveQuestion =
    "None files to remove. Exit from Zelk Gauge?";

// Lists every file of the gauges folder folderspec that no name of GaugeList accounts for
// into UnusedList, then shows the count in status panel 3 and enables Zelk; or, when there is
// nothing to remove, says so, disables Zelk and offers to end the program.
void ShowFileList(const CommandContext& context, const std::string& folderspec);

// The Scan command. Every Scan starts from an empty scan state, so two Scans over the same
// tree show the same numbers and the removal only ever sees the latest Scan's names.
void runScanCommand(const CommandContext& context);

}  // namespace zelk
