#include "platform/posix/WinePathResolver.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/FileSystemObject.h"
#include "platform/posix/PosixDisk.h"
#include "support/TempTree.h"

#include <filesystem>

namespace zelk {
namespace {

struct ParseCase {
    const char* path;
    char drive;
    bool rooted;
    std::vector<std::string> components;
};

class ParseWindowsPathTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseWindowsPathTest, SplitsOnBothSeparatorsAndDropsEmptyComponents) {
    const ParseCase& c = GetParam();
    const WindowsPath parsed = parseWindowsPath(c.path);
    EXPECT_EQ(parsed.drive, c.drive);
    EXPECT_EQ(parsed.rooted, c.rooted);
    EXPECT_EQ(parsed.components, c.components);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseWindowsPathTest,
    ::testing::Values(ParseCase{"C:\\Program Files\\Microsoft Games\\FS2000",
                                'c',
                                true,
                                {"Program Files", "Microsoft Games", "FS2000"}},
                      ParseCase{"d:\\\\AIRCRAFT", 'd', true, {"AIRCRAFT"}},
                      ParseCase{"C:", 'c', true, {}},
                      ParseCase{
                          "/home/pilot/FS2000\\AIRCRAFT\\\\c172/panel\\PANEL.CFG",
                          0,
                          true,
                          {"home", "pilot", "FS2000", "AIRCRAFT", "c172", "panel", "PANEL.CFG"}},
                      ParseCase{"\\AIRCRAFT", 0, true, {"AIRCRAFT"}},
                      ParseCase{"relative\\GAUGES", 0, false, {"relative", "GAUGES"}},
                      ParseCase{"/sim/./AIRCRAFT/../GAUGES", 0, true, {"sim", "GAUGES"}},
                      ParseCase{"", 0, false, {}}));

TEST(ListOrderTest, IgnoresCaseAndBreaksTiesInByteOrder) {
    const auto before = [](std::string_view a, std::string_view b) { return listedBefore(a, b); };
    EXPECT_TRUE(before("alpha", "Beta"));
    EXPECT_TRUE(before("Alpha", "beta"));
    EXPECT_FALSE(before("beta", "Alpha"));
    EXPECT_TRUE(before("CLOCK", "clock"));
    EXPECT_FALSE(before("clock", "clock"));
    EXPECT_TRUE(before("ab", "a_b"));  // by upper case, as NTFS lists: '_' comes after 'B'
}

class PathMapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.mkdir("sim/Aircraft/C172/panel");
        tree.write("sim/Aircraft/C172/panel/Panel.cfg", "x");
        tree.mkdir("sim/Gauges");
        tree.mkdir("sim/gauges");
        tree.mkdir("sim/GAUGES_OLD");
    }
    std::string sim() const { return tree.path("sim"); }

    test::TempTree tree;
    PosixDisk disk;
    PathMapper mapper{disk, ""};
};

TEST_F(PathMapperTest, FindsEachComponentWithoutRegardToCase) {
    EXPECT_EQ(mapper.resolve(sim() + "\\AIRCRAFT\\c172\\PANEL\\PANEL.CFG"),
              tree.path("sim/Aircraft/C172/panel/Panel.cfg"));
}

TEST_F(PathMapperTest, TreatsDoubleAndMixedSeparatorsAsOne) {
    EXPECT_EQ(mapper.resolve(sim() + "\\\\aircraft//C172\\panel\\\\panel.cfg"),
              tree.path("sim/Aircraft/C172/panel/Panel.cfg"));
}

TEST_F(PathMapperTest, ExactSpellingWinsOverOtherCases) {
    EXPECT_EQ(mapper.resolve(sim() + "\\gauges"), tree.path("sim/gauges"));
    EXPECT_EQ(mapper.resolve(sim() + "\\Gauges"), tree.path("sim/Gauges"));
}

TEST_F(PathMapperTest, WithoutAnExactMatchTheFirstInByteOrderWins) {
    // "Gauges" < "gauges" in byte order.
    EXPECT_EQ(mapper.resolve(sim() + "\\GAUGES"), tree.path("sim/Gauges"));
}

TEST_F(PathMapperTest, AMissingComponentMeansTheWholePathIsMissing) {
    EXPECT_EQ(mapper.resolve(sim() + "\\AIRCRAFT\\Learjet\\panel"), std::nullopt);
    EXPECT_EQ(mapper.resolve(sim() + "\\GAUGE"), std::nullopt);
    EXPECT_EQ(mapper.resolve(""), std::nullopt);
}

TEST_F(PathMapperTest, DriveLettersGoThroughTheWinePrefix) {
    tree.mkdir("wine/drive_c/Program Files/Microsoft Games/FS2000/Gauges");
    tree.mkdir("wine/dosdevices");
    ASSERT_EQ(::symlink("../drive_c", tree.path("wine/dosdevices/c:").c_str()), 0);
    const PathMapper wine(disk, tree.path("wine"));
    EXPECT_EQ(wine.resolve("C:\\Program Files\\Microsoft Games\\FS2000\\GAUGES"),
              tree.path("wine/dosdevices/c:/Program Files/Microsoft Games/FS2000/Gauges"));
    EXPECT_EQ(wine.resolve("D:\\Program Files"), std::nullopt);
    EXPECT_EQ(mapper.resolve("C:\\Program Files"), std::nullopt);  // no prefix at all
}

TEST_F(PathMapperTest, WritingTargetsAnExistingEntryOfAnyCaseOrTheGivenName) {
    tree.write("sim/zelkgau.ini", "");
    EXPECT_EQ(mapper.resolveForWriting(sim() + "\\ZELKGAU.INI"), tree.path("sim/zelkgau.ini"));
    EXPECT_EQ(mapper.resolveForWriting(sim() + "\\AIRCRAFT\\NEW.INI"),
              tree.path("sim/Aircraft/NEW.INI"));
    EXPECT_EQ(mapper.resolveForWriting(sim() + "\\Missing\\NEW.INI"), std::nullopt);
}

TEST(DisplayPathTest, NativePathsReadWithSlashesOthersAsGiven) {
    EXPECT_EQ(PathMapper::displayPath("/home/pilot/FS2000\\AIRCRAFT"),
              "/home/pilot/FS2000/AIRCRAFT");
    EXPECT_EQ(PathMapper::displayPath("C:\\FS2000\\\\GAUGES"), "C:\\FS2000\\\\GAUGES");
}

}  // namespace
}  // namespace zelk

namespace zelk {
namespace {

TEST(ResolutionCacheTest, ARememberedSpellingIsUsedOnlyWhileItStillExists) {
    test::TempTree tree;
    tree.mkdir("sim/Aircraft/C172/panel");
    PosixDisk disk;
    ResolutionCache cache;
    const PathMapper mapper(disk, "", &cache);
    const std::string path = tree.path("sim") + "\\AIRCRAFT\\C172";
    EXPECT_EQ(mapper.resolve(path), tree.path("sim/Aircraft/C172"));
    EXPECT_EQ(mapper.resolve(path + "\\PANEL"), tree.path("sim/Aircraft/C172/panel"));

    std::filesystem::rename(tree.path("sim/Aircraft"), tree.path("sim/aircraft"));
    EXPECT_EQ(mapper.resolve(path), tree.path("sim/aircraft/C172"));
    std::filesystem::remove_all(tree.path("sim/aircraft"));
    EXPECT_EQ(mapper.resolve(path), std::nullopt);
}

}  // namespace
}  // namespace zelk
