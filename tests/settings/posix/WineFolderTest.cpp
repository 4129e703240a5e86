// Drive letters reach a simulator installed under Wine through the prefix's drive mapping.
#include <gtest/gtest.h>
#include <unistd.h>

#include "settings/FolderLocationFixture.h"

namespace zelk {
namespace {

TEST_F(FolderLocationTest, TheDefaultFolderUnderWineNeedsNoSettingsFile) {
    tree.mkdir("wine/drive_c/Program Files/Microsoft Games/FS2000/AIRCRAFT");
    tree.mkdir("wine/dosdevices");
    ASSERT_EQ(::symlink("../drive_c", tree.path("wine/dosdevices/c:").c_str()), 0);
    access = test::realAccess(tree.path("wine"));
    ASSERT_TRUE(find());
    EXPECT_EQ(simFolder, kDefaultSimFolder);
    EXPECT_FALSE(tree.exists("bin/ZELKGAU.INI"));
}

TEST_F(FolderLocationTest, ADriveRootKeepsItsTrailingSeparator) {
    tree.mkdir("wine/drive_d/GAUGES");
    tree.mkdir("wine/dosdevices");
    ASSERT_EQ(::symlink("../drive_d", tree.path("wine/dosdevices/d:").c_str()), 0);
    access = test::realAccess(tree.path("wine"));
    prompter.folders = {std::string("D:\\")};
    ASSERT_TRUE(find());
    EXPECT_EQ(simFolder, "D:\\");
    EXPECT_EQ(ini(), "[FS2000]\r\nFolder=D:\\\r\n");
}

}  // namespace
}  // namespace zelk
