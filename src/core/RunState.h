#pragma once

#include <optional>
#include <string>

#include "core/Int16.h"
#include "core/NameList.h"
#include "platform/FileSystemObject.h"

namespace zelk {

// Everything a run of the program remembers between commands. It lives only in memory.
struct RunState {
    std::string SimFolder;
    NameList FolderList;
    Int16 FolderCount;
    NameList GaugeList;
    Int16 GaugeCount;
    NameList UnusedList;
    Int16 UnusedCount;
    // The gauges folder that the latest Scan listed UnusedList from, and what tells it apart
    // from every other folder: a removal works in this very folder or not at all. It is kept
    // open, so that on Linux its identity cannot pass to a new folder meanwhile.
    std::optional<Folder> ScannedGauges;
    FolderIdentity ScannedGaugesIdentity;
};

}  // namespace zelk
