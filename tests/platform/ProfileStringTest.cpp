#include "platform/ProfileString.h"

#include <gtest/gtest.h>

#include "support/FaultyDisk.h"
#include "support/TempTree.h"

namespace zelk {
namespace {

struct ReadCase {
    const char* name;
    std::string file;  // "<missing>" for no file at all
    std::string expected;
};

constexpr const char* kMissing = "<missing>";
constexpr const char* kDefault = "C:\\Default  ";

std::string readFolder(const test::TempTree& tree, std::size_t capacity = 255) {
    std::string buffer(256, ' ');
    const std::size_t count =
        GetPrivateProfileStringA("FS2000", "Folder", kDefault, buffer.data(), capacity,
                                 tree.path("ZELKGAU.INI"), test::realAccess());
    EXPECT_EQ(buffer[count], '\0');
    return buffer.substr(0, count);
}

class ProfileReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReadTest, ReadsLikeWindows) {
    test::TempTree tree;
    if (GetParam().file != kMissing) {
        tree.write("ZELKGAU.INI", GetParam().file);
    }
    EXPECT_EQ(readFolder(tree), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileReadTest,
    ::testing::Values(
        ReadCase{"MissingFile", kMissing, "C:\\Default"},
        ReadCase{"Plain", "[FS2000]\r\nFolder=D:\\FS2000\r\n", "D:\\FS2000"},
        ReadCase{"CaseOfNames", "[fs2000]\r\nFOLDER=D:\\X\r\n", "D:\\X"},
        ReadCase{"Blanks", "  [ FS2000 ]  \n   Folder  =  D:\\My Sim  \n", "D:\\My Sim"},
        ReadCase{"DoubleQuotes", "[FS2000]\nFolder=\" D:\\Sim \"\n", " D:\\Sim "},
        ReadCase{"SingleQuotes", "[FS2000]\nFolder='D:\\Sim'\n", "D:\\Sim"},
        ReadCase{"UnmatchedQuotes", "[FS2000]\nFolder=\"D:\\Sim'\n", "\"D:\\Sim'"},
        ReadCase{"MissingSection", "[Other]\nFolder=D:\\X\n", "C:\\Default"},
        ReadCase{"MissingKey", "[FS2000]\nPath=D:\\X\n", "C:\\Default"},
        ReadCase{"EmptyValueIsNotTheDefault", "[FS2000]\nFolder=\n", ""},
        ReadCase{"FirstSectionOnly", "[FS2000]\nOther=1\n[FS2000]\nFolder=D:\\Second\n",
                 "C:\\Default"},
        ReadCase{"FirstKeyWins", "[FS2000]\nFolder=D:\\One\nFolder=D:\\Two\n", "D:\\One"},
        ReadCase{"CommentIsNoKey", "[FS2000]\n;Folder=D:\\Commented\nFolder=D:\\Real\n",
                 "D:\\Real"},
        ReadCase{"LineWithoutEquals", "[FS2000]\nFolder\nFolder=D:\\Real\n", "D:\\Real"},
        ReadCase{"KeyInOtherSection", "[A]\nFolder=D:\\A\n[FS2000]\nFolder=D:\\B\n", "D:\\B"},
        ReadCase{"LoneCrEnds", "[FS2000]\rFolder=D:\\Cr\r[Next]\rFolder=x", "D:\\Cr"},
        ReadCase{"NoFinalLineEnd", "[FS2000]\r\nFolder=D:\\Last", "D:\\Last"},
        ReadCase{"Capacity", "[FS2000]\nFolder=" + std::string(300, 'x') + "\n",
                 std::string(254, 'x')},
        ReadCase{"ExactlyFits", "[FS2000]\nFolder=" + std::string(254, 'y') + "\n",
                 std::string(254, 'y')},
        ReadCase{"Binary", std::string("\0\xff[FS2000\x01\n\0\0", 13), "C:\\Default"}),
    [](const auto& info) { return info.param.name; });

TEST(ProfileReadTest, AFolderInPlaceOfTheFileGivesTheDefault) {
    test::TempTree tree;
    tree.mkdir("ZELKGAU.INI");
    EXPECT_EQ(readFolder(tree), "C:\\Default");
}

TEST(ProfileReadTest, AHugeFileGivesTheDefault) {
    test::TempTree tree;
    tree.write("ZELKGAU.INI", "[FS2000]\nFolder=D:\\X\n" + std::string(kMaxProfileFileBytes, ';'));
    EXPECT_EQ(readFolder(tree), "C:\\Default");
}

struct WriteCase {
    const char* name;
    std::string before;  // "<missing>" for no file
    std::string after;
};

class ProfileWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriteTest, ChangesOnlyTheOneLine) {
    test::TempTree tree;
    if (GetParam().before != kMissing) {
        tree.write("ZELKGAU.INI", GetParam().before);
    }
    EXPECT_TRUE(WritePrivateProfileStringA("FS2000", "Folder", "E:\\New Sim",
                                           tree.path("ZELKGAU.INI"), test::realAccess()));
    EXPECT_EQ(tree.read("ZELKGAU.INI"), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileWriteTest,
    ::testing::Values(
        WriteCase{"CreatesTheFile", kMissing, "[FS2000]\r\nFolder=E:\\New Sim\r\n"},
        WriteCase{"ReplacesInPlace", "; mine\n[FS2000]\nfolder = D:\\Old\nOther=1\n",
                  "; mine\n[FS2000]\nFolder=E:\\New Sim\r\nOther=1\n"},
        WriteCase{"FirstKeyOnly", "[FS2000]\r\nFolder=1\r\nFolder=2\r\n",
                  "[FS2000]\r\nFolder=E:\\New Sim\r\nFolder=2\r\n"},
        WriteCase{"AddsAfterLastKey", "[FS2000]\nA=1\n\n; note\nB=2\n\n[Next]\nC=3\n",
                  "[FS2000]\nA=1\n\n; note\nB=2\nFolder=E:\\New Sim\r\n\n[Next]\nC=3\n"},
        WriteCase{"AddsToEmptySection", "[fs2000]\n[Next]\n",
                  "[fs2000]\nFolder=E:\\New Sim\r\n[Next]\n"},
        WriteCase{"AddsSectionAtEnd", "[Other]\rX=1",
                  "[Other]\rX=1\r\n[FS2000]\r\nFolder=E:\\New Sim\r\n"},
        WriteCase{"FirstOfTwinSections", "[FS2000]\nA=1\n[FS2000]\nFolder=old\n",
                  "[FS2000]\nA=1\nFolder=E:\\New Sim\r\n[FS2000]\nFolder=old\n"},
        WriteCase{"LastLineWithoutEnd", "[FS2000]\nFolder=old", "[FS2000]\nFolder=E:\\New Sim\r\n"},
        WriteCase{"EmptyFile", "", "[FS2000]\r\nFolder=E:\\New Sim\r\n"}),
    [](const auto& info) { return info.param.name; });

TEST(ProfileWriteTest, AFailedWriteLeavesTheOldFileIntactAndIsReportedToTheCallerOnly) {
    test::TempTree tree;
    const std::string before = "[FS2000]\r\nFolder=D:\\Old\r\n";
    tree.write("ZELKGAU.INI", before);
    auto disk = std::make_shared<test::FaultyDisk>();
    disk->failReplace = true;
    EXPECT_FALSE(WritePrivateProfileStringA("FS2000", "Folder", "E:\\New", tree.path("ZELKGAU.INI"),
                                            {disk, ""}));
    EXPECT_EQ(tree.read("ZELKGAU.INI"), before);
    EXPECT_EQ(tree.names(""), std::vector<std::string>{"ZELKGAU.INI"});
}

TEST(ProfileWriteTest, AFolderInPlaceOfTheFileIsLeftAlone) {
    test::TempTree tree;
    tree.mkdir("ZELKGAU.INI");
    EXPECT_FALSE(WritePrivateProfileStringA("FS2000", "Folder", "E:\\New", tree.path("ZELKGAU.INI"),
                                            test::realAccess()));
    EXPECT_EQ(tree.names(""), std::vector<std::string>{"ZELKGAU.INI"});
}

TEST(ProfileWriteTest, TheWrittenValueReadsBack) {
    test::TempTree tree;
    tree.write("ZELKGAU.INI", "[FS2000]\nFolder=D:\\Old\n");
    ASSERT_TRUE(WritePrivateProfileStringA("FS2000", "Folder", "/home/pilot/FS2000",
                                           tree.path("ZELKGAU.INI"), test::realAccess()));
    EXPECT_EQ(readFolder(tree), "/home/pilot/FS2000");
}

}  // namespace
}  // namespace zelk
