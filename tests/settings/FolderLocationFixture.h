#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/Error.h"
#include "settings/FolderLocation.h"
#include "support/FaultyDisk.h"
#include "support/PlatformAccess.h"
#include "support/ScriptedWindow.h"
#include "support/TempTree.h"

namespace zelk {

// Settings files and simulator folders in a temporary tree: the program's folder is "bin", the
// user's own settings folder "config/zelkgauges".
class FolderLocationTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.mkdir("bin");
        tree.mkdir("sims/good/Gauges");
        tree.mkdir("sims/aircraftonly/aircraft");
        tree.mkdir("sims/empty");
        tree.mkdir("sims/empty/sub/GAUGES");
    }
    void remember(const std::string& folder) const {
        tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=" + folder + "\r\n");
    }
    // Runs the start-up step; true when it returned, false when it unloaded the window.
    bool find() {
        try {
            findSimFolder(simFolder, prompter, access, folders);
            return true;
        } catch (const ProgramEnd&) {
            return false;
        }
    }
    std::string ini() const { return tree.read("bin/ZELKGAU.INI"); }
    // The program's folder as one in which this user may not create files.
    void makeProgramFolderUnwritable() {
        auto disk = std::make_shared<test::FaultyDisk>();
        disk->unwritableFolders = {tree.path("bin")};
        access = test::accessTo(disk);
    }

    test::TempTree tree;
    test::ScriptedPrompter prompter;
    DiskAccess access = test::realAccess();
    SettingsFolders folders{tree.path("bin"), tree.path("config") + "\\zelkgauges"};
    std::string simFolder;
};

}  // namespace zelk
