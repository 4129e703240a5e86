#pragma once

#include <functional>
#include <string>

namespace zelk {

// What the main window of either front end starts: its three buttons, its close button, the
// tooltip of status panel 3, asked for when it is about to show, and the window that lists the
// files to remove (a double-click on status panel 3, Ctrl+L).
struct MainWindowCommands {
    std::function<void()> scan;     // Command1
    std::function<void()> removal;  // Command2
    std::function<void()> about;    // Command3
    std::function<void()> close;    // the window is being closed
    std::function<std::string()> zelkToolTip;
    std::function<void()> showFilesToRemove;
};

}  // namespace zelk
