#pragma once

#include "app/RunState.h"
#include "app/WindowOps.h"
#include "platform/FileSystemObject.h"
#include "platform/Prompter.h"

namespace zelk {

// What a command works with: the run state, the window it reports to, the dialogs it asks
// through, and the disk.
struct CommandContext {
    RunState& state;
    WindowOps& window;
    Prompter& prompter;
    const DiskAccess& access;
};

}  // namespace zelk
