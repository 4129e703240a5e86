#pragma once

#include "app/qt/QtProgram.h"
#include "support/FaultyDisk.h"
#include "support/ScriptedWindow.h"
#include "support/TempTree.h"

namespace zelk::test {

struct ScriptedDialogs {
    ScriptedPrompter prompter;
};

// The real Qt program, with its settings file in tree's "bin" folder and its dialogs answered
// from prompter's script.
class TestProgram : public ScriptedDialogs, public QtProgram {
public:
    explicit TestProgram(const TempTree& tree) : QtProgram(seamsFor(tree, prompter)) {}

private:
    static Seams seamsFor(const TempTree& tree, ScriptedPrompter& prompter) {
        Seams seams;
        seams.prompter = &prompter;
        seams.access = realAccess();
        seams.folders.program = tree.path("bin");
        return seams;
    }
};

}  // namespace zelk::test
