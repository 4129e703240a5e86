#pragma once

#include <string>
#include <vector>

namespace bench {

// What a floor of a Scan saw, so that it cannot be optimised away and can be checked against
// what the Scan reports.
struct ScanFloorCount {
    long aircraftFolders = 0;
    long candidateFolders = 0;
    long panels = 0;
    long panelBytes = 0;
    long gaugeFiles = 0;
    long failures = 0;  // folders or files that could not be opened, listed or read
};

// The floor that also gives the Scan's answer.
struct ScanFloorAnswer {
    ScanFloorCount seen;
    long gaugeNames = 0;   // distinct names the panels refer to, exactly as written
    long unusedFiles = 0;  // files of GAUGES that no name accounts for
};

// The I/O a Scan cannot do without, and nothing else: list the simulator folder, AIRCRAFT,
// every aircraft folder and every folder inside one, each once and whole, relative to its
// parent's descriptor (openat, getdents64); read every file the listing shows as PANEL.CFG in
// any case with one read into a reused buffer larger than the file (a short read ends a regular
// file); list GAUGES once; and ask what deleting each file to remove needs, as a Scan that
// lists only files that can be deleted now must: GAUGES' status and this user's rights in it
// once (statx, faccessat), each file's status once (statx). No sorting, no string per entry,
// nothing looked at in a panel: the files to remove are given.
ScanFloorCount ioFloor(const std::string& simFolder, const std::vector<std::string>& toRemove);

// The same I/O, and the answer from it with plain code: a UTF-8 byte-order mark skipped (UTF-16
// is not decoded, but counted as a failure); every panel split into lines at CR LF, LF or CR;
// the gauge-name rule applied to each line; the names kept in a std::unordered_set; each file
// of GAUGES lowered and looked up, without its ".gau", ".cab" or ".dll", in a
// std::unordered_set of the lowered names and their other spellings (up to a NUL, without
// quotes); the unused file names kept, unsorted, and each asked about as the I/O floor asks. ASCII
// names only: the spellings a name has in other code pages are left out (the bench trees have
// none).
ScanFloorAnswer nameRuleFloor(const std::string& simFolder);

// The least a removal must do: list GAUGES once, ask about each of these files as the I/O floor
// does (a removal that deletes all of them or none must know before the first deletion), and
// delete them. Returns how many were deleted.
long removalFloor(const std::string& simFolder, const std::vector<std::string>& doomed);

}  // namespace bench
