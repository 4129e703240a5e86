#include "settings/FolderLocation.h"

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "settings/FolderLocationFixture.h"
#include "settings/modZelk.h"
#include "support/FaultyDisk.h"
#include "support/ScriptedWindow.h"
#include "support/TempTree.h"

namespace zelk {
namespace {

TEST_F(FolderLocationTest, ARememberedFolderWithEitherSubfolderIsTakenWithoutAPicker) {
    for (const char* folder : {"sims/good", "sims/aircraftonly"}) {
        remember(tree.path(folder));
        const std::string before = ini();
        ASSERT_TRUE(find());
        EXPECT_EQ(simFolder, tree.path(folder));
        EXPECT_EQ(ini(), before);
    }
    EXPECT_TRUE(prompter.pickerTitles.empty());
    EXPECT_EQ(modZelk::SettingsFile, tree.path("bin") + "\\ZELKGAU.INI");
}

TEST_F(FolderLocationTest, CancellingTheFirstPickerEndsAndWritesNothing) {
    prompter.folders = {std::nullopt};
    EXPECT_FALSE(find());
    EXPECT_EQ(prompter.pickerTitles, std::vector<std::string>{"Select your FS2000 game folder:"});
    EXPECT_FALSE(tree.exists("bin/ZELKGAU.INI"));
}

TEST_F(FolderLocationTest, CancellingLeavesAnExistingSettingsFileAlone) {
    remember(tree.path("sims/empty"));
    const std::string before = ini();
    prompter.folders = {tree.path("sims/empty"), std::nullopt};
    EXPECT_FALSE(find());
    EXPECT_EQ(ini(), before);
}

TEST_F(FolderLocationTest, TheUserIsAskedUntilAFolderPassesAndThatFolderIsRemembered) {
    prompter.folders = {tree.path("sims/empty"), tree.path("sims/empty/sub/GAUGES"),
                        tree.path("sims/good")};
    ASSERT_TRUE(find());
    EXPECT_EQ(prompter.pickerTitles.size(), 3u);
    EXPECT_TRUE(prompter.errors.empty());
    EXPECT_EQ(simFolder, tree.path("sims/good"));
    EXPECT_EQ(ini(), "[FS2000]\r\nFolder=" + tree.path("sims/good") + "\r\n");
}

TEST_F(FolderLocationTest, AnEmptyStoredValueIsTestedAsItStands) {
    tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=\r\n");
    prompter.folders = {tree.path("sims/good")};
    ASSERT_TRUE(find());  // "\AIRCRAFT" and "\GAUGES" at the root do not exist here
    EXPECT_EQ(prompter.pickerTitles.size(), 1u);
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
    EXPECT_TRUE(prompter.pickerTitles.empty());
}

TEST_F(FolderLocationTest, ARelativeRememberedFolderIsTakenFromTheSettingsFilesFolder) {
    for (const std::string stored : {"..\\sims\\good", "../sims/aircraftonly", "..\\SIMS/Good"}) {
        remember(stored);
        ASSERT_TRUE(find()) << stored;
        EXPECT_EQ(simFolder, tree.path("bin") + "\\" + stored);
    }
    EXPECT_TRUE(prompter.pickerTitles.empty());
}

TEST_F(FolderLocationTest, WhereTheProgramsFolderIsNotWritableTheUserHasASettingsFileOfHisOwn) {
    makeProgramFolderUnwritable();
    prompter.folders = {tree.path("sims/good")};
    ASSERT_TRUE(find());
    EXPECT_EQ(modZelk::SettingsFile, tree.path("config") + "\\zelkgauges\\ZELKGAU.INI");
    EXPECT_EQ(tree.read("config/zelkgauges/ZELKGAU.INI"),
              "[FS2000]\r\nFolder=" + tree.path("sims/good") + "\r\n");
    EXPECT_FALSE(tree.exists("bin/ZELKGAU.INI"));

    simFolder.clear();
    ASSERT_TRUE(find());  // the next start reads it from there
    EXPECT_EQ(simFolder, tree.path("sims/good"));
    EXPECT_EQ(prompter.pickerTitles.size(), 1u);
}

// Where a picked folder is remembered: beside the program only in a folder of the user's own, or
// where a settings file already stands; else in the user's own settings folder.
struct PlaceCase {
    const char* name;
    bool writable;      // this user may create files in the program's folder
    bool systemFolder;  // the program's folder is the system's (root may write it)
    bool fileBeside;    // a settings file stands beside the program already
    bool besideWanted;
};

class SettingsPlaceTest : public FolderLocationTest,
                          public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(SettingsPlaceTest, APickedFolderIsRememberedWhereTheRuleSays) {
    const PlaceCase& row = GetParam();
    if (!row.writable) {
        makeProgramFolderUnwritable();
    }
    folders.programIsSystemFolder = row.systemFolder;
    if (row.fileBeside) {
        remember(tree.path("sims/empty"));
    }
    const std::string own = tree.path("config") + "\\zelkgauges\\ZELKGAU.INI";
    const std::string wanted = row.besideWanted ? tree.path("bin") + "\\ZELKGAU.INI" : own;
    EXPECT_EQ(settingsFileInUse(access, folders).file, access.displayPath(wanted));
    EXPECT_EQ(settingsFileInUse(access, folders).exists, row.besideWanted && row.fileBeside);

    prompter.folders = {tree.path("sims/good")};
    ASSERT_TRUE(find());
    EXPECT_EQ(modZelk::SettingsFile, wanted);
    EXPECT_EQ(tree.exists("config/zelkgauges/ZELKGAU.INI"), !row.besideWanted);
    EXPECT_EQ(tree.exists("bin/ZELKGAU.INI"), row.besideWanted || row.fileBeside);
    EXPECT_TRUE(settingsFileInUse(access, folders).exists);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsPlaceTest,
    ::testing::Values(PlaceCase{"PortableCopy", true, false, false, true},
                      PlaceCase{"SystemFolderWritableToRoot", true, true, false, false},
                      PlaceCase{"SystemFolderWithASettingsFile", true, true, true, true},
                      PlaceCase{"FolderTheUserCannotWrite", false, false, false, false}),
    [](const auto& info) { return info.param.name; });

TEST_F(FolderLocationTest, UntilTheUserHasASettingsFileOfHisOwnTheOneBesideTheProgramIsRead) {
    makeProgramFolderUnwritable();
    remember(tree.path("sims/good"));
    ASSERT_TRUE(find());
    EXPECT_EQ(simFolder, tree.path("sims/good"));
    EXPECT_FALSE(tree.exists("config"));

    // The user's own file wins once it exists; a relative path in it starts from its folder.
    tree.write("config/zelkgauges/ZELKGAU.INI",
               "[FS2000]\r\nFolder=..\\..\\sims\\aircraftonly\r\n");
    ASSERT_TRUE(find());
    EXPECT_EQ(simFolder, tree.path("config") + "\\zelkgauges\\..\\..\\sims\\aircraftonly");
    EXPECT_TRUE(prompter.pickerTitles.empty());
}

// A chosen folder is remembered only when the next start reads back exactly that folder;
// otherwise it serves this run, and the next start asks again.
// What WriteIniString stores, and that ReadIniString gives each stored value back exactly.
struct StoreCase {
    const char* name;
    std::string value;
    std::string line;  // the key's line in the file; "" when nothing may be stored
};

class ModZelkTest : public ::testing::TestWithParam<StoreCase> {};

TEST_P(ModZelkTest, StoresOnlyWhatReadsBackExactly) {
    test::TempTree tree;
    modZelk::WriteIniString(tree.path("ZELKGAU.INI"), "FS2000", "Folder", GetParam().value,
                            test::realAccess());
    if (GetParam().line.empty()) {
        EXPECT_FALSE(tree.exists("ZELKGAU.INI"));
        return;
    }
    EXPECT_EQ(tree.read("ZELKGAU.INI"), "[FS2000]\r\n" + GetParam().line + "\r\n");
    EXPECT_EQ(modZelk::ReadIniString(tree.path("ZELKGAU.INI"), "FS2000", "Folder", "x",
                                     test::realAccess()),
              GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ModZelkTest,
    ::testing::Values(
        StoreCase{"Plain", "D:\\My Sim", "Folder=D:\\My Sim"},
        StoreCase{"TrailingSpace", "D:\\Sim ", "Folder=\"D:\\Sim \""},
        StoreCase{"LeadingTab", "\tD:\\Sim", "Folder=\"\tD:\\Sim\""},
        StoreCase{"DoubleQuoteFirst", "\"D:\\Sim", "Folder=\"\"D:\\Sim\""},
        StoreCase{"DoubleQuoteLast", "D:\\Sim\"", "Folder=\"D:\\Sim\"\""},
        StoreCase{"InDoubleQuotes", "\"D:\\Sim\"", "Folder=\"\"D:\\Sim\"\""},
        StoreCase{"InSingleQuotes", "'D:\\Sim'", "Folder=\"'D:\\Sim'\""},
        StoreCase{"OneSingleQuote", "'D:\\Sim", "Folder='D:\\Sim"},
        StoreCase{"QuotesInside", "D:\\\"A\" B", "Folder=D:\\\"A\" B"},
        StoreCase{"Exactly254", std::string(254, 'v'), "Folder=" + std::string(254, 'v')},
        StoreCase{"QuotedTo254", " " + std::string(251, 'v'),
                  "Folder=\" " + std::string(251, 'v') + "\""},
        // Windows cuts what it reads to 254 characters before it takes the quotes off.
        StoreCase{"QuotedTo256", " " + std::string(253, 'v'), ""},
        StoreCase{"LongerThan254", std::string(255, 'v'), ""},
        StoreCase{"LineFeed", "D:\\A\nB", ""}, StoreCase{"CarriageReturn", "D:\\A\rB", ""},
        StoreCase{"CrLf", "D:\\A\r\nB", ""}, StoreCase{"Nul", std::string("D:\\A\0B", 5), ""}),
    [](const auto& info) { return info.param.name; });

TEST(ModZelkTest, AValueThatWouldNotReadBackLeavesTheFileAsItWas) {
    test::TempTree tree;
    const std::string before = "[FS2000]\nFolder=D:\\Old\n";
    tree.write("ZELKGAU.INI", before);
    modZelk::WriteIniString(tree.path("ZELKGAU.INI"), "FS2000", "Folder", "D:\\A\r\nB",
                            test::realAccess());
    EXPECT_EQ(tree.read("ZELKGAU.INI"), before);
}

}  // namespace
}  // namespace zelk
