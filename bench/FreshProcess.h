#pragma once

#include <string>
#include <vector>

namespace bench {

// What one floor or one Scan cost in a process that had done nothing before it.
struct ChildReport {
    bool ok = false;
    double seconds = 0;
    double peakRssAddedMb = 0;  // growth of the process's peak resident size
    double heapKeptMb = 0;      // heap still in use afterwards (a Scan keeps its lists)
};

inline constexpr const char* kChildFlag = "--child";

// The I/O floor asks about each file to remove, which it is told: one name a line in this file
// beside the simulator folder, written before the children run.
std::string filesToRemoveListOf(const std::string& simFolder);
std::vector<std::string> readFilesToRemove(const std::string& simFolder);

// Runs this benchmark again as "--child scan|floor <simulator folder>" and reads its report.
ChildReport runFreshChild(const std::string& mode, const std::string& simFolder);

// The child's side: one floor or one Scan of the folder, reported on standard output.
int childMain(const std::string& mode, const std::string& simFolder);

}  // namespace bench
