#include "settings/FolderLocation.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/Error.h"
#include "settings/modZelk.h"
#include "support/FaultyDisk.h"
#include "support/ScriptedWindow.h"
#include "support/TempTree.h"

namespace zelk {
namespace {

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
            findSimFolder(simFolder, window, access, tree.path("bin"));
            return true;
        } catch (const ProgramEnd&) {
            return false;
        }
    }
    std::string ini() const { return tree.read("bin/ZELKGAU.INI"); }

    test::TempTree tree;
    test::ScriptedWindow window;
    DiskAccess access = test::realAccess();
    std::string simFolder;
};

TEST_F(FolderLocationTest, ARememberedFolderWithEitherSubfolderIsTakenWithoutAPicker) {
    for (const char* folder : {"sims/good", "sims/aircraftonly"}) {
        remember(tree.path(folder));
        const std::string before = ini();
        ASSERT_TRUE(find());
        EXPECT_EQ(simFolder, tree.path(folder));
        EXPECT_EQ(ini(), before);
    }
    EXPECT_TRUE(window.prompter.pickerTitles.empty());
    EXPECT_EQ(modZelk::SettingsFile, tree.path("bin") + "\\ZELKGAU.INI");
}

TEST_F(FolderLocationTest, TheDefaultFolderUnderWineNeedsNoSettingsFile) {
    tree.mkdir("wine/drive_c/Program Files/Microsoft Games/FS2000/AIRCRAFT");
    tree.mkdir("wine/dosdevices");
    ASSERT_EQ(::symlink("../drive_c", tree.path("wine/dosdevices/c:").c_str()), 0);
    access = test::realAccess(tree.path("wine"));
    ASSERT_TRUE(find());
    EXPECT_EQ(simFolder, kDefaultSimFolder);
    EXPECT_FALSE(tree.exists("bin/ZELKGAU.INI"));
}

TEST_F(FolderLocationTest, CancellingTheFirstPickerEndsAndWritesNothing) {
    window.prompter.folders = {std::nullopt};
    EXPECT_FALSE(find());
    EXPECT_EQ(window.prompter.pickerTitles,
              std::vector<std::string>{"Select your FS2000 game folder:"});
    EXPECT_FALSE(tree.exists("bin/ZELKGAU.INI"));
}

TEST_F(FolderLocationTest, CancellingLeavesAnExistingSettingsFileAlone) {
    remember(tree.path("sims/empty"));
    const std::string before = ini();
    window.prompter.folders = {tree.path("sims/empty"), std::nullopt};
    EXPECT_FALSE(find());
    EXPECT_EQ(ini(), before);
}

TEST_F(FolderLocationTest, TheUserIsAskedUntilAFolderPassesAndThatFolderIsRemembered) {
    window.prompter.folders = {tree.path("sims/empty"), tree.path("sims/empty/sub/GAUGES"),
                               tree.path("sims/good")};
    ASSERT_TRUE(find());
    EXPECT_EQ(window.prompter.pickerTitles.size(), 3u);
    EXPECT_TRUE(window.prompter.errors.empty());
    EXPECT_EQ(simFolder, tree.path("sims/good"));
    EXPECT_EQ(ini(), "[FS2000]\r\nFolder=" + tree.path("sims/good") + "\r\n");
}

TEST_F(FolderLocationTest, ADriveRootKeepsItsTrailingSeparator) {
    tree.mkdir("wine/drive_d/GAUGES");
    tree.mkdir("wine/dosdevices");
    ASSERT_EQ(::symlink("../drive_d", tree.path("wine/dosdevices/d:").c_str()), 0);
    access = test::realAccess(tree.path("wine"));
    window.prompter.folders = {std::string("D:\\")};
    ASSERT_TRUE(find());
    EXPECT_EQ(simFolder, "D:\\");
    EXPECT_EQ(ini(), "[FS2000]\r\nFolder=D:\\\r\n");
}

TEST_F(FolderLocationTest, AnEmptyStoredValueIsTestedAsItStands) {
    tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=\r\n");
    window.prompter.folders = {tree.path("sims/good")};
    ASSERT_TRUE(find());  // "\AIRCRAFT" and "\GAUGES" at the root do not exist here
    EXPECT_EQ(window.prompter.pickerTitles.size(), 1u);
    EXPECT_EQ(simFolder, tree.path("sims/good"));
}

TEST_F(FolderLocationTest, ALongStoredValueIsCutTo254Characters) {
    // A 300-character path whose first 254 characters name a usable folder.
    std::string folder = tree.path("sims/good");
    const std::string padding(300 - folder.size(), '/');
    const std::string stored = folder + padding;
    remember(stored);
    ASSERT_TRUE(find());
    EXPECT_EQ(simFolder, stored.substr(0, 254));
    EXPECT_TRUE(window.prompter.pickerTitles.empty());
}

TEST_F(FolderLocationTest, AFailedSettingsWriteGoesUnnoticed) {
    auto disk = std::make_shared<test::FaultyDisk>();
    disk->failReplace = true;
    access = {disk, ""};
    window.prompter.folders = {tree.path("sims/good")};
    ASSERT_TRUE(find());
    EXPECT_EQ(simFolder, tree.path("sims/good"));
    EXPECT_FALSE(tree.exists("bin/ZELKGAU.INI"));
}

TEST(ModZelkTest, LineBreaksInAStoredValueBecomeSpaces) {
    test::TempTree tree;
    modZelk::WriteIniString(tree.path("ZELKGAU.INI"), "FS2000", "Folder", "D:\\A\r\nB\rC\nD",
                            test::realAccess());
    EXPECT_EQ(tree.read("ZELKGAU.INI"), "[FS2000]\r\nFolder=D:\\A  B C D\r\n");
    EXPECT_EQ(modZelk::ReadIniString(tree.path("ZELKGAU.INI"), "FS2000", "Folder", "x",
                                     test::realAccess()),
              "D:\\A  B C D");
}

}  // namespace
}  // namespace zelk
