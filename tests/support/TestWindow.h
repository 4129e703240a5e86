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
struct TestProgram : ScriptedDialogs, QtProgram {
    explicit TestProgram(const TempTree& tree, DiskAccess access = realAccess())
        : QtProgram({&prompter, std::move(access), {tree.path("bin"), {}}}) {}
};

}  // namespace zelk::test
