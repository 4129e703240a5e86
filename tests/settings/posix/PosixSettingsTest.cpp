// Folder names that Windows cannot hold (blanks and quotes at the end, line breaks), faults
// injected into the program's own profile functions, which only Linux uses, and which program
// folders are the system's.
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/ConfigFolder.h"
#include "settings/FolderLocationFixture.h"

namespace zelk {
namespace {

struct PickedCase {
    const char* name;
    std::string folder;      // below sims/, created with a GAUGES subfolder
    std::size_t length = 0;  // when not 0: the folder's full path is padded to this length
    bool remembered = true;
};

class PickedFolderTest : public FolderLocationTest,
                         public ::testing::WithParamInterface<PickedCase> {
protected:
    // The relative path of the picked folder, padded to the wanted length in components that
    // the file system accepts.
    std::string pickedFolder() const {
        std::string relative = "sims/" + GetParam().folder;
        const std::size_t base = tree.path().size() + 1;
        while (GetParam().length > 0 && base + relative.size() < GetParam().length) {
            const std::size_t missing = GetParam().length - base - relative.size();
            relative += "/" + std::string(std::min<std::size_t>(missing - 1, 200), 'p');
        }
        return relative;
    }
};

TEST_P(PickedFolderTest, IsRememberedOnlyWhenItReadsBackExactly) {
    const std::string folder = pickedFolder();
    tree.mkdir(folder + "/GAUGES");
    if (GetParam().length > 0) {
        ASSERT_EQ(tree.path(folder).size(), GetParam().length);
    }
    prompter.folders = {tree.path(folder)};
    ASSERT_TRUE(find());
    EXPECT_EQ(simFolder, tree.path(folder));
    if (!GetParam().remembered) {
        EXPECT_FALSE(tree.exists("bin/ZELKGAU.INI"));
        return;
    }
    simFolder.clear();
    ASSERT_TRUE(find());  // the next start takes it without asking
    EXPECT_EQ(simFolder, tree.path(folder));
    EXPECT_EQ(prompter.pickerTitles.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PickedFolderTest,
    ::testing::Values(PickedCase{"Plain", "plain"}, PickedCase{"EndsWithASpace", "trailing "},
                      PickedCase{"EndsWithATab", "tab\t"},
                      PickedCase{"EndsWithADoubleQuote", "quote\""},
                      PickedCase{"Exactly254Characters", "fits", 254},
                      PickedCase{"LongerThan254Characters", "long", 255, false},
                      PickedCase{"HoldsALineFeed", "line\nfeed", 0, false},
                      PickedCase{"HoldsACarriageReturn", "carriage\rreturn", 0, false}),
    [](const auto& info) { return info.param.name; });

TEST_F(FolderLocationTest, AFailedSettingsWriteGoesUnnoticed) {
    auto disk = std::make_shared<test::FaultyDisk>();
    disk->failReplace = true;
    access = test::accessTo(disk);
    prompter.folders = {tree.path("sims/good")};
    ASSERT_TRUE(find());
    EXPECT_EQ(simFolder, tree.path("sims/good"));
    EXPECT_FALSE(tree.exists("bin/ZELKGAU.INI"));
}

// A package's folder is the system's even for root, who may write it; a folder of the user's
// own is not, wherever it lies.
TEST_F(FolderLocationTest, SystemProgramFoldersAreThoseOfPackagesAndOfOtherUsers) {
    EXPECT_TRUE(isSystemProgramFolder("/usr/bin"));
    EXPECT_TRUE(isSystemProgramFolder("/usr/local/bin"));
    EXPECT_TRUE(isSystemProgramFolder("/opt"));
    EXPECT_FALSE(isSystemProgramFolder(tree.path("bin")));
    tree.mkdir("usr/bin");
    EXPECT_FALSE(isSystemProgramFolder(tree.path("usr/bin")));
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can give a folder to another user";
    }
    ASSERT_EQ(::chown(tree.path("usr").c_str(), ::geteuid() + 1, static_cast<gid_t>(-1)), 0);
    EXPECT_TRUE(isSystemProgramFolder(tree.path("usr")));
}

}  // namespace
}  // namespace zelk
