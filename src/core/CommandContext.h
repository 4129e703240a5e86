#pragma once

#include <string_view>

#include "core/RunState.h"
#include "core/WindowOps.h"
#include "platform/FileSystemObject.h"
#include "platform/Prompter.h"

namespace zelk {

// Told of every panel file a Scan has read, with the gauge names the Scan took out of it (each
// once, in the order first read), for a caller that wants to know which panel refers to what;
// the Scan itself keeps only the distinct gauge names of all panels.
class PanelWatch {
public:
    virtual ~PanelWatch() = default;
    // Each line of the panel being read, as the Scan reads it (a UTF-16 panel as UTF-8 text),
    // before panelRead of that panel; the view is valid for the call only.
    virtual void lineRead(std::string_view) {}
    virtual void panelRead(const File& panel, NameList names) = 0;
};

// What a command works with: the run state, the window it reports to, the dialogs it asks
// through, and the disk; and, when somebody asks, what watches the panels a Scan reads.
struct CommandContext {
    RunState& state;
    WindowOps& window;
    Prompter& prompter;
    const DiskAccess& access;
    PanelWatch* panelWatch = nullptr;
};

}  // namespace zelk
