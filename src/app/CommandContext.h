#pragma once

#include "app/RunState.h"
#include "app/WindowOps.h"
#include "platform/FileSystemObject.h"

namespace zelk {

// What a command works with: the run state, the window it reports to, and the disk.
struct CommandContext {
    RunState& state;
    WindowOps& window;
    const DiskAccess& access;
};

}  // namespace zelk
