#pragma once

#include <gtest/gtest.h>

#include "core/CommandContext.h"
#include "removal/Removal.h"
#include "scan/UnusedScan.h"
#include "support/CommandRun.h"
#include "support/FaultyDisk.h"
#include "support/SampleTree.h"
#include "support/ScriptedWindow.h"
#include "support/TempTree.h"

namespace zelk::test {

// A simulator folder in a temporary tree ("sim"), a scripted window and a disk that can be
// told to fail.
class SimFixture : public ::testing::Test {
protected:
    void SetUp() override { state.SimFolder = tree.path("sim"); }

    void useSample() const { tree.copyData("sim", "sim"); }

    CommandContext context() { return {state, window, window.prompter, access}; }
    CommandEnd scan() {
        return runCommand([this] { runScanCommand(context()); });
    }
    CommandEnd removeUnused() {
        return runCommand([this] { runRemovalCommand(context()); });
    }
    std::vector<std::string> listOf(const NameList& list) const {
        std::vector<std::string> names;
        if (list.hasSlots()) {
            for (int i = 1; i <= list.upperBound(); ++i) {
                names.push_back(list.at(i));
            }
        }
        return names;
    }
    std::string panel(const std::string& relative, const std::string& content) const {
        tree.write("sim/" + relative, content);
        return relative;
    }

    TempTree tree;
    RunState state;
    ScriptedWindow window;
    std::shared_ptr<FaultyDisk> disk = std::make_shared<FaultyDisk>();
    DiskAccess access = test::accessTo(disk);
};

}  // namespace zelk::test
