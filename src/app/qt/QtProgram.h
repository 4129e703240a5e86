#pragma once

#include <memory>

#include "about/qt/frmAbout.h"
#include "app/ProgramFlow.h"
#include "app/ProgramSeams.h"
#include "app/qt/QtPrompter.h"
#include "app/qt/frmFilesToRemove.h"
#include "app/qt/frmZelk.h"

namespace zelk {

// The Qt program: the main window, the About window and the dialogs, driven by the program's
// flow. Needs a QApplication.
class QtProgram {
public:
    using Seams = ProgramSeams;

    explicit QtProgram(Seams seams);
    QtProgram() : QtProgram(Seams{}) {}

    // The start-up step. True: the main window is shown and waits for the user. False: the
    // program has ended already (see exitStatus()).
    bool start();
    // The event loop, until the program ends; returns its exit status.
    int run();

    int exitStatus() const { return flow_.exitStatus(); }
    ProgramFlow& flow() { return flow_; }
    frmZelk& mainWindow() { return main_; }
    // The one About window of the run; nullptr until the first About command.
    frmAbout* aboutWindow() { return about_.get(); }

private:
    void showAbout();
    void showFilesToRemove(const FilesToRemoveList& list);

    frmZelk main_;
    QtPrompter dialogs_;
    std::unique_ptr<frmAbout> about_;
    ProgramFlow flow_;
};

}  // namespace zelk
