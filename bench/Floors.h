#pragma once

#include <string>
#include <vector>

namespace bench {

// What the floor of a Scan saw, so that it cannot be optimised away and can be checked
// against what the Scan reports.
struct ScanFloorCount {
    long aircraftFolders = 0;
    long candidateFolders = 0;
    long panels = 0;
    long panelBytes = 0;
    long panelLines = 0;
    long gaugeFiles = 0;
    long failures = 0;  // folders or files that could not be opened or listed
};

// The least any program must do to answer what a Scan answers: list AIRCRAFT, every aircraft
// folder and every folder inside one, each once and whole, relative to its parent's
// descriptor; read every file the listing shows as PANEL.CFG in any case whole into a reused
// buffer; list GAUGES once. No sorting, no strings per entry.
ScanFloorCount scanFloor(const std::string& simFolder);

// The least a removal must do: list GAUGES once and delete these files of it. Returns how
// many were deleted.
long removalFloor(const std::string& simFolder, const std::vector<std::string>& doomed);

}  // namespace bench
