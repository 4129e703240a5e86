#pragma once

#include <windows.h>

#include <memory>

#include "about/win32/frmAbout.h"
#include "app/ProgramFlow.h"
#include "app/ProgramSeams.h"
#include "app/win32/Win32Prompter.h"
#include "app/win32/frmFilesToRemove.h"
#include "app/win32/frmZelk.h"

namespace zelk {

// The Windows program: the main window, the About window and the dialogs, driven by the
// program's flow.
class Win32Program {
public:
    using Seams = ProgramSeams;

    explicit Win32Program(Seams seams);
    Win32Program() : Win32Program(Seams{}) {}

    // The start-up step. True: the main window is shown and waits for the user. False: the
    // program has ended already (see exitStatus()).
    bool start();
    // The message loop, until the program ends; returns its exit status.
    int run();
    // Handles the messages that are waiting, exactly as run() would, and returns.
    void handlePendingMessages();

    int exitStatus() const { return flow_.exitStatus(); }
    ProgramFlow& flow() { return flow_; }
    frmZelk& mainWindow() { return main_; }
    // The one About window of the run; nullptr until the first About command.
    frmAbout* aboutWindow() { return about_.get(); }
    // The window "Files to remove" that was shown last; nullptr until it has been.
    frmFilesToRemove* filesToRemoveWindow() { return filesToRemove_.get(); }

private:
    void handle(MSG& message);
    void showAbout();
    void showFilesToRemove(const FilesToRemoveList& list);

    frmZelk main_;
    Win32Prompter dialogs_;
    std::unique_ptr<frmAbout> about_;
    std::unique_ptr<frmFilesToRemove> filesToRemove_;
    ProgramFlow flow_;
};

}  // namespace zelk
