#include "platform/FileSystemObject.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>

#include "platform/Error.h"
#include "support/FaultyDisk.h"
#include "support/TempTree.h"

namespace zelk {
namespace {

std::vector<std::string> namesOf(const auto& items) {
    std::vector<std::string> names;
    for (const auto& item : items) {
        names.push_back(item.Name());
    }
    return names;
}

ErrorNumber errorOf(const std::function<void()>& action, std::string* text = nullptr) {
    try {
        action();
    } catch (const ZelkError& error) {
        if (text) {
            *text = error.text();
        }
        return error.number();
    }
    ADD_FAILURE() << "no error raised";
    return ErrorNumber::InternalError;
}

class FileSystemObjectTest : public ::testing::Test {
protected:
    test::TempTree tree;
    FileSystemObject fso{test::realAccess()};
};

TEST_F(FileSystemObjectTest, ListsFoldersAndFilesCaseInsensitivelyByName) {
    tree.write("g/zeta.gau");
    tree.write("g/Alpha.gau");
    tree.write("g/beta.GAU");
    tree.write("g/CLOCK.gau");
    tree.write("g/clock.gau");
    tree.mkdir("g/Sub");
    tree.mkdir("g/another");
    const Folder folder = fso.GetFolder(tree.path("g"));
    EXPECT_EQ(
        namesOf(folder.Files()),
        (std::vector<std::string>{"Alpha.gau", "beta.GAU", "CLOCK.gau", "clock.gau", "zeta.gau"}));
    EXPECT_EQ(namesOf(folder.SubFolders()), (std::vector<std::string>{"another", "Sub"}));
}

TEST_F(FileSystemObjectTest, LinksCountAsWhatTheyPointToAndDanglingLinksAsNothing) {
    tree.write("target/real.gau", "x");
    tree.mkdir("target/realdir");
    tree.mkdir("g");
    ASSERT_EQ(::symlink(tree.path("target/real.gau").c_str(), tree.path("g/link.gau").c_str()), 0);
    ASSERT_EQ(::symlink(tree.path("target/realdir").c_str(), tree.path("g/linkdir").c_str()), 0);
    ASSERT_EQ(::symlink(tree.path("nowhere").c_str(), tree.path("g/dangling.gau").c_str()), 0);
    const Folder folder = fso.GetFolder(tree.path("g"));
    EXPECT_EQ(namesOf(folder.Files()), std::vector<std::string>{"link.gau"});
    EXPECT_EQ(namesOf(folder.SubFolders()), std::vector<std::string>{"linkdir"});

    folder.Files().front().Delete(true);
    EXPECT_FALSE(tree.exists("g/link.gau"));
    EXPECT_EQ(tree.read("target/real.gau"), "x");
}

TEST_F(FileSystemObjectTest, DeletingWhileWalkingVisitsEveryFileOnce) {
    for (const char* name : {"a.gau", "b.gau", "c.gau", "d.gau"}) {
        tree.write(std::string("g/") + name);
    }
    std::vector<std::string> visited;
    for (const File& file : fso.GetFolder(tree.path("g")).Files()) {
        visited.push_back(file.Name());
        file.Delete(true);
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"a.gau", "b.gau", "c.gau", "d.gau"}));
    EXPECT_TRUE(tree.names("g").empty());
}

TEST_F(FileSystemObjectTest, ForceDeletesAReadOnlyFileAndWithoutForceItIsRefused) {
    tree.write("g/locked.gau");
    ASSERT_EQ(::chmod(tree.path("g/locked.gau").c_str(), 0444), 0);
    const File file = fso.GetFile(tree.path("g/locked.gau"));
    EXPECT_EQ(errorOf([&] { file.Delete(false); }), ErrorNumber::PermissionDenied);
    EXPECT_TRUE(tree.exists("g/locked.gau"));
    file.Delete(true);
    EXPECT_FALSE(tree.exists("g/locked.gau"));
}

TEST_F(FileSystemObjectTest, ExistenceTestsDistinguishFoldersFromFiles) {
    tree.write("sim/Gauges/a.gau");
    EXPECT_TRUE(fso.FolderExists(tree.path("sim") + "\\GAUGES"));
    EXPECT_FALSE(fso.FileExists(tree.path("sim") + "\\GAUGES"));
    EXPECT_TRUE(fso.FileExists(tree.path("sim") + "\\GAUGES\\A.GAU"));
    EXPECT_FALSE(fso.FolderExists(tree.path("sim") + "\\GAUGES\\A.GAU"));
    EXPECT_FALSE(fso.FolderExists(tree.path("sim") + "\\AIRCRAFT"));
}

TEST_F(FileSystemObjectTest, FailuresNameThePath) {
    std::string text;
    EXPECT_EQ(errorOf([&] { fso.GetFolder(tree.path("sim") + "\\AIRCRAFT"); }, &text),
              ErrorNumber::PathNotFound);
    EXPECT_EQ(text, "Path not found: " + tree.path("sim") + "/AIRCRAFT");
    EXPECT_EQ(errorOf([&] { fso.GetFile(tree.path("sim") + "\\PANEL.CFG"); }, &text),
              ErrorNumber::FileNotFound);
    EXPECT_NE(text.find("PANEL.CFG"), std::string::npos);
}

TEST_F(FileSystemObjectTest, InjectedFaultsSurfaceAsTheProgramsErrors) {
    tree.write("g/a.gau");
    auto disk = std::make_shared<test::FaultyDisk>();
    disk->failRemove = {"/a.gau"};
    disk->failList = {"/g"};
    const FileSystemObject faulty({disk, ""});
    std::string text;
    EXPECT_EQ(errorOf([&] { faulty.GetFile(tree.path("g/a.gau")).Delete(true); }, &text),
              ErrorNumber::PermissionDenied);
    EXPECT_NE(text.find("a.gau"), std::string::npos);
    EXPECT_EQ(errorOf([&] { faulty.GetFolder(tree.path("g")).Files(); }),
              ErrorNumber::PermissionDenied);
}

struct LinesCase {
    const char* name;
    std::string content;
    std::vector<std::string> lines;
};

class TextStreamTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(TextStreamTest, SplitsAtEveryKindOfLineEnd) {
    test::TempTree tree;
    tree.write("panel.cfg", GetParam().content);
    TextStream stream =
        FileSystemObject(test::realAccess()).GetFile(tree.path("panel.cfg")).OpenAsTextStream(1, 0);
    std::vector<std::string> lines;
    while (!stream.AtEndOfStream()) {
        lines.push_back(stream.ReadLine());
    }
    EXPECT_EQ(lines, GetParam().lines);
    EXPECT_EQ(errorOf([&] { stream.ReadLine(); }), ErrorNumber::InputPastEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextStreamTest,
    ::testing::Values(
        LinesCase{"Empty", "", {}}, LinesCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
        LinesCase{"Lf", "a\nb\n", {"a", "b"}}, LinesCase{"LoneCr", "a\rb\r", {"a", "b"}},
        LinesCase{"NoFinalEnd", "gauge00=Clock!Clock", {"gauge00=Clock!Clock"}},
        LinesCase{"BlankLines", "\r\n\n\r", {"", "", ""}},
        LinesCase{"CrThenCrLf", "a\r\r\nb", {"a", "", "b"}},
        LinesCase{
            "EightBitAndNul", std::string("\xe9t\xe9\0x\n", 6), {std::string("\xe9t\xe9\0x", 5)}},
        LinesCase{
            "CrLfSplitByAChunk", std::string(65535, 'a') + "\r\nb", {std::string(65535, 'a'), "b"}},
        LinesCase{"LongLineAcrossChunks",
                  std::string(200000, 'g') + "\r\nz",
                  {std::string(200000, 'g'), "z"}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zelk

namespace zelk {
namespace {

TEST(PosixDiskTest, AReplaceThatFailsLeavesNoTemporaryFileBehind) {
    test::TempTree tree;
    tree.write("ZELKGAU.INI/inside", "a folder that is not empty");
    EXPECT_THROW(PosixDisk().replaceFile(tree.path("ZELKGAU.INI"), "[FS2000]\r\n"), ZelkError);
    EXPECT_EQ(tree.names(""), std::vector<std::string>{"ZELKGAU.INI"});
    EXPECT_EQ(tree.read("ZELKGAU.INI/inside"), "a folder that is not empty");
}

TEST(PosixDiskTest, AReplaceWritesThroughALinkAndKeepsIt) {
    test::TempTree tree;
    tree.write("real/settings.ini", "old");
    tree.symlink(tree.path("real/settings.ini"), "ZELKGAU.INI");
    PosixDisk().replaceFile(tree.path("ZELKGAU.INI"), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(tree.path("ZELKGAU.INI")));
    EXPECT_EQ(tree.read("real/settings.ini"), "new");
}

TEST(PosixDiskTest, ANewFileGetsWhatTheUmaskAllowsAndAReplacedOneKeepsItsMode) {
    test::TempTree tree;
    const mode_t previous = ::umask(027);
    PosixDisk().replaceFile(tree.path("new.ini"), "x");
    ::umask(previous);
    struct stat info {};
    ASSERT_EQ(::stat(tree.path("new.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    ASSERT_EQ(::chmod(tree.path("new.ini").c_str(), 0600), 0);
    PosixDisk().replaceFile(tree.path("new.ini"), "y");
    ASSERT_EQ(::stat(tree.path("new.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

}  // namespace
}  // namespace zelk
