#pragma once

#include <string>

#include "core/Int16.h"
#include "core/NameList.h"

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
};

}  // namespace zelk
