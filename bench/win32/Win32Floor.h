#pragma once

#include <string>

#include "Floors.h"

namespace bench {

// The I/O a Scan cannot do without, in plain Win32 calls on full wide paths: list the
// simulator folder, AIRCRAFT, every aircraft folder and every folder inside one, each once and
// whole (FindFirstFileExW with the basic information and large fetches, FindNextFileW); open
// every file the listing shows as PANEL.CFG in any case (CreateFileW) and read it with one
// ReadFile into a reused buffer larger than the file (a short read ends a file on disk); list
// GAUGES once. Links are not followed, nothing is sorted and no panel is looked at.
ScanFloorCount win32IoFloor(const std::string& simFolder);

}  // namespace bench
