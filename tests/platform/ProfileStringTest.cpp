#include "platform/ProfileString.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

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

const std::string kUtf8Mark = "\xEF\xBB\xBF";
const std::string kUtf16LeMark = "\xFF\xFE";
const std::string kUtf16BeMark = "\xFE\xFF";

// ASCII text as UTF-16 code units, little- or big-endian.
std::string le(const std::string& ascii) {
    std::string units;
    for (const char c : ascii) {
        units += c;
        units += '\0';
    }
    return units;
}

std::string be(const std::string& ascii) {
    std::string units;
    for (const char c : ascii) {
        units += '\0';
        units += c;
    }
    return units;
}

const std::string kUtf16Lu("\xFC\x00", 2);            // U+00FC, in UTF-8 "\xC3\xBC"
const std::string kUtf16Face("\x3D\xD8\x00\xDE", 4);  // U+1F600, in UTF-8 "\xF0\x9F\x98\x80"

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
        ReadCase{"Binary", std::string("\0\xff[FS2000\x01\n\0\0", 13), "C:\\Default"},
        ReadCase{"Utf8Mark", kUtf8Mark + "[FS2000]\r\nFolder=D:\\X\r\n", "D:\\X"},
        ReadCase{"Utf16Le", kUtf16LeMark + le("[FS2000]\r\nFolder=D:\\Sim\r\n"), "D:\\Sim"},
        ReadCase{"Utf16Be", kUtf16BeMark + be("[fs2000]\nFolder = D:\\Sim\n"), "D:\\Sim"},
        ReadCase{"Utf16BeyondAscii",
                 kUtf16LeMark + le("[FS2000]\r\nFolder=D:\\Fl") + kUtf16Lu + le("ge ") +
                     kUtf16Face + le("\r\n"),
                 "D:\\Fl\xC3\xBCge \xF0\x9F\x98\x80"},
        ReadCase{"Utf16OddLength", kUtf16LeMark + le("[FS2000]\r\nFolder=D:\\Sim\r\n") + "x",
                 "C:\\Default"},
        ReadCase{"Utf16LoneSurrogate",
                 kUtf16LeMark + le("[FS2000]\r\nFolder=D:\\") + "\x3D\xD8" + le("\r\n"),
                 "C:\\Default"}),
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
                  "; mine\n[FS2000]\nfolder=E:\\New Sim\r\nOther=1\n"},
        WriteCase{"KeepsTheSpellingOfSectionAndKey", "[Fs2000]\r\nFOLDER=D:\\Old\r\n",
                  "[Fs2000]\r\nFOLDER=E:\\New Sim\r\n"},
        WriteCase{"KeepsTheUtf8Mark", kUtf8Mark + "[FS2000]\r\nFolder=D:\\Old\r\n",
                  kUtf8Mark + "[FS2000]\r\nFolder=E:\\New Sim\r\n"},
        WriteCase{"OnlyAUtf8Mark", kUtf8Mark, kUtf8Mark + "[FS2000]\r\nFolder=E:\\New Sim\r\n"},
        WriteCase{"StaysUtf16Le", kUtf16LeMark + le("[FS2000]\r\nFolder=D:\\Old\r\n"),
                  kUtf16LeMark + le("[FS2000]\r\nFolder=E:\\New Sim\r\n")},
        WriteCase{"StaysUtf16Be", kUtf16BeMark + be("[FS2000]\nFolder=D:\\Old\n"),
                  kUtf16BeMark + be("[FS2000]\nFolder=E:\\New Sim\r\n")},
        WriteCase{"Utf16KeepsTheRest",
                  kUtf16LeMark + le("[A]\r\nX=") + kUtf16Lu + kUtf16Face + le("\r\n"),
                  kUtf16LeMark + le("[A]\r\nX=") + kUtf16Lu + kUtf16Face +
                      le("\r\n[FS2000]\r\nFolder=E:\\New Sim\r\n")},
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

// Writes that leave the file exactly as it was, down to its modification time.
struct UntouchedCase {
    const char* name;
    std::string before;
    std::string value;
    bool readOnly = false;
    bool succeeds = true;  // what the write reports
};

class ProfileUntouchedTest : public ::testing::TestWithParam<UntouchedCase> {};

TEST_P(ProfileUntouchedTest, LeavesTheFileAsItWas) {
    test::TempTree tree;
    tree.write("ZELKGAU.INI", GetParam().before);
    const auto file = tree.root() / "ZELKGAU.INI";
    const auto longAgo = std::filesystem::last_write_time(file) - std::chrono::hours(24 * 365);
    std::filesystem::last_write_time(file, longAgo);
    if (GetParam().readOnly) {
        tree.makeReadOnly("ZELKGAU.INI");
    }
    EXPECT_EQ(WritePrivateProfileStringA("FS2000", "Folder", GetParam().value,
                                         tree.path("ZELKGAU.INI"), test::realAccess()),
              GetParam().succeeds);
    EXPECT_EQ(tree.read("ZELKGAU.INI"), GetParam().before);
    EXPECT_EQ(std::filesystem::last_write_time(file), longAgo);
    EXPECT_EQ(tree.names(""), std::vector<std::string>{"ZELKGAU.INI"});
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileUntouchedTest,
    ::testing::Values(
        UntouchedCase{"SameValue", "[FS2000]\r\nFolder=E:\\Sim\r\n", "E:\\Sim"},
        UntouchedCase{"SameValueOtherwiseSpelled", "[fs2000]\n  FOLDER =  E:\\Sim \n", "E:\\Sim"},
        UntouchedCase{"SameQuotedValue", "[FS2000]\r\nFolder=\" E:\\Sim\"\r\n", "\" E:\\Sim\""},
        UntouchedCase{"SameValueInUtf16", kUtf16LeMark + le("[FS2000]\r\nFolder=E:\\Sim\r\n"),
                      "E:\\Sim"},
        UntouchedCase{"ReadOnly", "[FS2000]\r\nFolder=D:\\Old\r\n", "E:\\Sim", true, false},
        UntouchedCase{"ReadOnlyWithoutTheSection", "[Other]\r\nX=1\r\n", "E:\\Sim", true, false},
        UntouchedCase{"ValueNotUtf8ForAUtf16File",
                      kUtf16LeMark + le("[FS2000]\r\nFolder=D:\\Old\r\n"), "E:\\\xFF", false,
                      false},
        UntouchedCase{"BrokenUtf16", kUtf16LeMark + le("[FS2000]\r\nFolder=D:\\Old\r\n") + "x",
                      "E:\\Sim", false, false}),
    [](const auto& info) { return info.param.name; });

TEST(ProfileWriteTest, AFailedWriteLeavesTheOldFileIntactAndIsReportedToTheCallerOnly) {
    test::TempTree tree;
    const std::string before = "[FS2000]\r\nFolder=D:\\Old\r\n";
    tree.write("ZELKGAU.INI", before);
    auto disk = std::make_shared<test::FaultyDisk>();
    disk->failReplace = true;
    EXPECT_FALSE(WritePrivateProfileStringA("FS2000", "Folder", "E:\\New", tree.path("ZELKGAU.INI"),
                                            test::accessTo(disk)));
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
