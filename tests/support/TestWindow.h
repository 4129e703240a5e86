#pragma once

#include <memory>

#include "app/qt/frmZelk.h"
#include "support/FaultyDisk.h"
#include "support/ScriptedWindow.h"
#include "support/TempTree.h"

namespace zelk::test {

// The real main window, with its settings file in tree's "bin" folder and scripted dialogs;
// prompter is set to the script the window answers from.
inline std::unique_ptr<frmZelk> makeTestWindow(const TempTree& tree, ScriptedPrompter*& prompter) {
    auto scripted = std::make_unique<ScriptedPrompter>();
    prompter = scripted.get();
    frmZelk::Seams seams;
    seams.prompter = std::move(scripted);
    seams.access = realAccess();
    seams.executableFolder = tree.path("bin");
    return std::make_unique<frmZelk>(std::move(seams));
}

}  // namespace zelk::test
