// The Windows platform layer under Windows (or Wine): the disk on the wide calls, drive-letter
// and UNC paths, read-only files, names beyond ASCII, the real profile functions with the
// program's quoting rule, and the code pages.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numeric>
#include <stdexcept>

#include "platform/CodePages.h"
#include "platform/Error.h"
#include "platform/ExecutableFolder.h"
#include "platform/FileSystemObject.h"
#include "platform/WindowsUpperCase.h"
#include "platform/win32/CodePageText.h"
#include "platform/win32/Win32Disk.h"
#include "platform/win32/Win32Text.h"
#include "settings/modZelk.h"
#include "support/PlatformAccess.h"
#include "support/TempTree.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

fs::path pathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream(pathOf(path), std::ios::binary) << content;
}

std::string readFile(const std::string& path) {
    std::ifstream in(pathOf(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int errorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ZelkError& error) {
        return error.code();
    }
    return 0;
}

class Win32PlatformTest : public ::testing::Test {
protected:
    std::string at(const std::string& relative) const { return root() + "\\" + relative; }
    std::string root() const {
        const auto text = tree.root().u8string();
        return {text.begin(), text.end()};
    }

    test::TempTree tree;
    Win32Disk disk;
};

TEST_F(Win32PlatformTest, ListsAndFindsNamesBeyondAsciiAndBeyondTheCodePage) {
    const std::string folder = at("Flugzeuge \xC3\xA9");
    fs::create_directories(pathOf(folder + "\\Panel \xC3\xB6"));
    writeFile(folder + "\\H\xC3\xB6he.gau", "");
    writeFile(folder + "\\\xD0\x92\xD1\x8B\xD1\x81\xD0\xBE\xD1\x82\xD0\xB0.gau", "");  // Высота
    const FileCollection files = FileSystemObject(test::realAccess()).GetFolder(folder).Files();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].Name(), "H\xC3\xB6he.gau");
    EXPECT_EQ(files[1].Name(), "\xD0\x92\xD1\x8B\xD1\x81\xD0\xBE\xD1\x82\xD0\xB0.gau");
    EXPECT_EQ(disk.probe(folder + "\\Panel \xC3\xB6"), EntryKind::Folder);
}

TEST_F(Win32PlatformTest, DriveLetterPathsAreUsedAsTheyAreInAnyCase) {
    writeFile(at("PANEL.CFG"), "x");
    struct Case {
        std::string path;
        std::optional<EntryKind> kind;
    };
    const Case cases[] = {
        {root(), EntryKind::Folder},
        {at("PANEL.CFG"), EntryKind::File},
        {at("panel.cfg"), EntryKind::File},
        {root() + "\\\\PANEL.CFG", EntryKind::File},  // two separators, as after a drive root
        {root() + "/PANEL.CFG", EntryKind::File},
        {at("missing"), std::nullopt},
        {at("PANEL.CFG\\under"), std::nullopt},
        {"Q:\\no drive here", std::nullopt},
    };
    ASSERT_EQ(root()[1], ':');
    for (const Case& c : cases) {
        EXPECT_EQ(disk.probe(c.path), c.kind) << c.path;
    }
    const FileSystemObject fso(test::realAccess());
    EXPECT_TRUE(fso.FileExists(at("Panel.Cfg")));
    EXPECT_FALSE(fso.FolderExists(at("Panel.Cfg")));
}

// Wine maps \\server\share to a folder of its prefix, dosdevices/unc/server/share.
TEST_F(Win32PlatformTest, UncPathsReachAShare) {
    std::array<char, 1024> prefix{};
    if (::GetEnvironmentVariableA("WINEPREFIX", prefix.data(), prefix.size()) == 0) {
        GTEST_SKIP() << "needs a share; under Wine the test makes one in the prefix";
    }
    std::string share = std::string("Z:") + prefix.data() + "/dosdevices/unc/zelkhost/fs/GAUGES";
    std::replace(share.begin(), share.end(), '/', '\\');
    fs::create_directories(pathOf(share));
    writeFile(share + "\\a.gau", "x");
    const std::string unc = "\\\\zelkhost\\fs\\GAUGES";
    EXPECT_EQ(disk.probe(unc), EntryKind::Folder);
    ASSERT_EQ(disk.list(unc).size(), 1u);
    disk.remove(unc + "\\a.gau");
    EXPECT_TRUE(disk.list(unc).empty());
    EXPECT_EQ(disk.probe("\\\\zelkhost\\noshare\\GAUGES"), std::nullopt);
    fs::remove_all(pathOf(share).parent_path());
}

TEST_F(Win32PlatformTest, AReadOnlyFileIsDeletedAndAHeldOneIsRefusedAndStaysReadOnly) {
    writeFile(at("ro.gau"), "x");
    ASSERT_TRUE(::SetFileAttributesW(win32::widen(at("ro.gau")).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(disk.isReadOnly(at("ro.gau")));
    disk.remove(at("ro.gau"));
    EXPECT_EQ(disk.probe(at("ro.gau")), std::nullopt);

    writeFile(at("held.gau"), "x");
    const std::wstring held = win32::widen(at("held.gau"));
    HANDLE open = ::CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);
    ::SetFileAttributesW(held.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(errorNumberOf([&] { disk.remove(at("held.gau")); }), 70);
    EXPECT_TRUE(disk.isReadOnly(at("held.gau")));
    ::CloseHandle(open);
    ::SetFileAttributesW(held.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The folder a removal holds cannot be renamed meanwhile (Wine does not keep it in place); a
// folder put in its place afterwards is told apart from it.
TEST_F(Win32PlatformTest, AHeldFolderStaysInPlaceAndAnotherInItsPlaceIsToldApart) {
    fs::create_directories(pathOf(at("Gauges")));
    const std::wstring gauges = win32::widen(at("Gauges"));
    const std::wstring moved = win32::widen(at("Moved"));
    auto folder = disk.openFolder(at("Gauges"));
    const FolderIdentity listed = folder->identity();
    EXPECT_TRUE(folder->holdInPlace() == listed);
    const bool underWine = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
    EXPECT_TRUE(underWine || !::MoveFileW(gauges.c_str(), moved.c_str()));
    folder.reset();
    ::MoveFileW(gauges.c_str(), moved.c_str());
    fs::create_directories(pathOf(at("Gauges")));
    EXPECT_FALSE(disk.folderIdentity(at("Gauges")) == listed);
    EXPECT_TRUE(disk.folderIdentity(at("Moved")) == listed);
}

TEST_F(Win32PlatformTest, FailuresCarryTheProgramsNumbers) {
    writeFile(at("a.gau"), "x");
    EXPECT_EQ(errorNumberOf([&] { disk.list(at("missing")); }), 76);
    EXPECT_EQ(errorNumberOf([&] { disk.openRead(at("missing.cfg")); }), 53);
    EXPECT_EQ(errorNumberOf([&] { disk.remove(at("missing.gau")); }), 53);
    EXPECT_EQ(errorNumberOf([&] { disk.replaceFile(at("missing\\x.ini"), "x"); }), 53);
}

TEST_F(Win32PlatformTest, AReplacedFileHoldsTheNewBytesAndNoTemporaryFileIsLeft) {
    writeFile(at("ZELKGAU.INI"), "old");
    disk.replaceFile(at("ZELKGAU.INI"), std::string("new\r\n\0x", 7));
    EXPECT_EQ(readFile(at("ZELKGAU.INI")), std::string("new\r\n\0x", 7));
    EXPECT_EQ(disk.list(root()).size(), 1u);
}

TEST(Win32ExecutableFolderTest, IsTheProgramsFolderWithoutATrailingSeparator) {
    std::array<wchar_t, MAX_PATH> module{};
    ::GetModuleFileNameW(nullptr, module.data(), MAX_PATH);
    const auto expected = fs::path(module.data()).parent_path().u8string();
    const std::string folder = executableFolder();
    EXPECT_EQ(folder, std::string(expected.begin(), expected.end()));
    EXPECT_NE(folder.back(), '\\');
}

// The program's rules around the system's own profile functions: quotes where blanks or quotes
// at the ends would be lost, nothing stored that could not read back exactly.
struct ProfileCase {
    const char* name;
    std::string value;
    std::string inFile;  // what the line of the file holds after "Folder="; "" for not stored
};

class Win32ProfileTest : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(Win32ProfileTest, TheRealFunctionsReadBackWhatWasStored) {
    test::TempTree tree;
    const auto root = tree.root().u8string();
    const std::string file = std::string(root.begin(), root.end()) + "\\ZELKGAU.INI";
    modZelk::WriteIniString(file, "FS2000", "Folder", GetParam().value, test::realAccess());
    if (GetParam().inFile.empty()) {
        EXPECT_EQ(readFile(file), "");
        return;
    }
    EXPECT_EQ(readFile(file), "[FS2000]\r\nFolder=" + GetParam().inFile + "\r\n");
    EXPECT_EQ(modZelk::ReadIniString(file, "FS2000", "Folder", "x", test::realAccess()),
              GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Win32ProfileTest,
    ::testing::Values(
        ProfileCase{"Plain", "D:\\Flight Sim\\FS2000", "D:\\Flight Sim\\FS2000"},
        ProfileCase{"DriveRoot", "E:\\", "E:\\"},
        ProfileCase{"UncPath", "\\\\server\\share\\FS2000", "\\\\server\\share\\FS2000"},
        ProfileCase{"TrailingBlank", "C:\\FS2000 ", "\"C:\\FS2000 \""},
        ProfileCase{"Quoted", "\"C:\\FS2000\"", "\"\"C:\\FS2000\"\""},
        ProfileCase{"BeyondAsciiInTheCodePage", "C:\\Spiele\\H\xC3\xB6he", "C:\\Spiele\\H\xF6he"},
        ProfileCase{"LineBreak", "C:\\A\nB", ""},
        ProfileCase{"TooLong", std::string(255, 'v'), ""}),
    [](const auto& info) { return std::string(info.param.name); });

// The system's writer rewrites a file in place; the program has it write a copy and replaces
// the file only with a copy that reads back the value and everything else the file held.
TEST(Win32ProfileFileTest, AWriteKeepsTheUsersLinesAndAFileThatCannotBeReplacedStaysAsItWas) {
    test::TempTree tree;
    const auto root = tree.root().u8string();
    const std::string folder(root.begin(), root.end());
    const std::string file = folder + "\\ZELKGAU.INI";
    const std::string notes = "; my notes\r\n[Notes]\r\nHangar=FS2000 add-ons\r\n";
    writeFile(file, notes + "[FS2000]\r\nFolder=C:\\Old\r\n");
    modZelk::WriteIniString(file, "FS2000", "Folder", "D:\\New", test::realAccess());
    EXPECT_EQ(readFile(file), notes + "[FS2000]\r\nFolder=D:\\New\r\n");
    EXPECT_EQ(Win32Disk().list(folder).size(), 1u);  // no copy left behind

    const std::wstring wide = win32::widen(file);
    HANDLE held = ::CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    modZelk::WriteIniString(file, "FS2000", "Folder", "E:\\Other", test::realAccess());
    ::CloseHandle(held);
    EXPECT_EQ(readFile(file), notes + "[FS2000]\r\nFolder=D:\\New\r\n");
    EXPECT_EQ(Win32Disk().list(folder).size(), 1u);

    ::SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY);
    modZelk::WriteIniString(file, "FS2000", "Folder", "E:\\Other", test::realAccess());
    ::SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readFile(file), notes + "[FS2000]\r\nFolder=D:\\New\r\n");
}

// A settings file that is a link to a shared one: the shared file gets the value, all or
// nothing as ever, and the link stays a link.
TEST(Win32ProfileFileTest, ALinkIsWrittenThroughAndStaysALink) {
    test::TempTree tree;
    const std::string shared = tree.path("shared/ZELKGAU.INI");
    const std::string link = tree.path("bin/ZELKGAU.INI");
    tree.write("shared/ZELKGAU.INI", "; shared\r\n[FS2000]\r\nFolder=C:\\Old\r\n");
    try {
        tree.symlink(shared, "bin/ZELKGAU.INI");
    } catch (const std::logic_error&) {
        GTEST_SKIP() << "Unix links exist under Wine only";
    }
    modZelk::WriteIniString(link, "FS2000", "Folder", "D:\\New", test::realAccess());
    EXPECT_EQ(readFile(shared), "; shared\r\n[FS2000]\r\nFolder=D:\\New\r\n");
    EXPECT_EQ(Win32Disk().list(tree.path("shared")).size(), 1u);  // no copy left behind
    EXPECT_EQ(Win32Disk().list(tree.path("bin")).size(), 1u);
    writeFile(shared, "changed");
    EXPECT_EQ(readFile(link), "changed");  // still a link to the shared file
}

TEST(Win32CodePageTest, DecodesEachCodePageAndLowersAsWindowsDoes) {
    EXPECT_EQ(decodeCodePage(1250, "Wysoko\x9c\xe6"), U"Wysoko\u015b\u0107");
    EXPECT_EQ(decodeCodePage(1251, "\xc2\xfb\xf1\xee\xf2\xe0"),
              U"\u0412\u044b\u0441\u043e\u0442\u0430");
    EXPECT_EQ(decodeCodePage(1252, "H\xf6he"), U"H\u00f6he");
    EXPECT_EQ(decodeCodePage(1252, "\x81"), std::nullopt);  // no character there
    EXPECT_EQ(lowerCharacter(U'\u0412'), U'\u0432');
    EXPECT_EQ(lowerCharacter(U'\u015a'), U'\u015b');
    EXPECT_EQ(lowerCharacter(U'A'), U'a');
}

// The table folds all that the system's compare of names folds, and nothing beyond ASCII into
// ASCII.
TEST(Win32CodePageTest, TheUpperCaseTableFoldsWhatTheSystemFoldsInEveryCharacter) {
    std::vector<wchar_t> all(0x10000);
    std::iota(all.begin(), all.end(), wchar_t{0});
    const auto compare = [](wchar_t a, wchar_t b) {
        return ::CompareStringOrdinal(&a, 1, &b, 1, TRUE);
    };
    std::stable_sort(all.begin(), all.end(),
                     [&](wchar_t a, wchar_t b) { return compare(a, b) == CSTR_LESS_THAN; });
    std::vector<unsigned> notFolded;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const wchar_t c = all[i], next = all[std::min(i + 1, all.size() - 1)];
        if ((compare(c, next) == CSTR_EQUAL && windowsUpperCase(c) != windowsUpperCase(next)) ||
            windowsUpperCase(upperCharacter(c)) != windowsUpperCase(c) ||
            (c >= 0x80) != (upperCharacter(c) >= 0x80)) {
            notFolded.push_back(c);
        }
    }
    EXPECT_EQ(notFolded, std::vector<unsigned>{});
}

}  // namespace
}  // namespace zelk
