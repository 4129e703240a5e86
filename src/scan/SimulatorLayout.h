#pragma once

#include "core/CommandContext.h"

namespace zelk {

// Checks, before a Scan or a removal touches anything, that the simulator folder says plainly
// which folders they work in. Throws, naming the entries involved and saying that nothing was
// changed, when:
// - AIRCRAFT or GAUGES is there in more than one spelling ("Aircraft" beside "AIRCRAFT"):
//   Windows cannot tell them apart, so it is not clear which one the simulator uses;
// - GAUGES is the simulator folder itself, holds the aircraft folder, or lies inside it (a link
//   to "." or to the wrong place): deleting "unused" files there would delete the simulator's
//   own files or the aircraft's panels.
// A simulator, aircraft or gauges folder that is missing is left for the command to report.
void checkSimulatorLayout(const CommandContext& context);

}  // namespace zelk
