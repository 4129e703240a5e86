#include "platform/FileSystemObject.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Error.h"
#include "platform/TextEncoding.h"
#include "platform/VisibleName.h"
#include "support/FaultyDisk.h"
#include "support/Outcomes.h"
#include "support/TempTree.h"

namespace zelk {
namespace {

using namespace std::string_literals;

using test::errorOf;
using test::namesOf;

class FileSystemObjectTest : public ::testing::Test {
protected:
    test::TempTree tree;
    FileSystemObject fso{test::realAccess()};
};

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
    EXPECT_EQ(text, "Path not found: " + tree.path("sim/AIRCRAFT"));
    EXPECT_EQ(errorOf([&] { fso.GetFile(tree.path("sim") + "\\PANEL.CFG"); }, &text),
              ErrorNumber::FileNotFound);
    EXPECT_NE(text.find("PANEL.CFG"), std::string::npos);
    // A name that would hide itself is named visibly, in the quoting the shell reads back.
    EXPECT_EQ(errorOf([&] { fso.GetFolder(tree.path("sim") + "\\Radio\u202Ekab"); }, &text),
              ErrorNumber::PathNotFound);
    EXPECT_TRUE(text.starts_with("Path not found: $'")) << text;
    EXPECT_TRUE(text.ends_with("Radio\\u202Ekab'")) << text;
}

TEST_F(FileSystemObjectTest, InjectedFaultsSurfaceAsTheProgramsErrors) {
    tree.write("g/a.gau");
    auto disk = std::make_shared<test::FaultyDisk>();
    disk->failRemove = {"/a.gau"};
    disk->failList = {"/g"};
    const FileSystemObject faulty(test::accessTo(disk));
    std::string text;
    EXPECT_EQ(errorOf([&] { faulty.GetFile(tree.path("g/a.gau")).Delete(true); }, &text),
              ErrorNumber::PermissionDenied);
    EXPECT_NE(text.find("a.gau"), std::string::npos);
    EXPECT_EQ(errorOf([&] { faulty.GetFolder(tree.path("g")).Files(); }),
              ErrorNumber::PermissionDenied);
}

// The edges of the rule for names shown to a person (the list's tests show the common cases).
TEST(VisibleNameTest, ShowsPlainNamesAsTheyAreAndQuotesEveryOtherVisibly) {
    const std::vector<std::pair<std::string, std::string>> rows{
        {"C:\\FS2000\\Wysoko\xc5\x9b\xc4\x87's.gau", "C:\\FS2000\\Wysoko\xc5\x9b\xc4\x87's.gau"},
        {std::string("a\rb\tc\x7f\0", 7), "$'a\\rb\\tc\\x7F\\x00'"},
        {"C1\xc2\x85 Bom\xef\xbb\xbf Ls\xe2\x80\xa8 Tag\xf3\xa0\x81\x81",
         "$'C1\\u0085 Bom\\uFEFF Ls\\u2028 Tag\\U000E0041'"},
        {"Overlong\xc0\xaf Surrogate\xed\xa0\x80 Cut\xe2\x80",
         "$'Overlong\\xC0\\xAF Surrogate\\xED\\xA0\\x80 Cut\\xE2\\x80'"},
        {"C:\\Gauges\\it's\n", "$'C:\\\\Gauges\\\\it\\'s\\n'"},
        {"$'Clock.gau'", "$'$\\'Clock.gau\\''"},  // would read as a quoted name
    };
    for (const auto& [name, shown] : rows) {
        EXPECT_EQ(visibleName(name), shown) << shown;
    }
}

struct LinesCase {
    const char* name;
    std::string content;
    std::vector<std::string> lines;
    int format = kAnsiText;
};

std::string utf16Le(const std::string& ascii) {
    return "\xFF\xFE" + utf8ToUtf16(ascii, ByteOrder::LittleEndian).value();
}

// Lines of every length up to 40, of bytes that differ from LF and CR only in their top bit,
// ended in turn by LF, CR and CR LF: a line end at every place of a block of sixteen bytes.
LinesCase everyLineLength() {
    LinesCase all{"EveryLength", "", {}};
    const char* const ends[] = {"\n", "\r", "\r\n"};
    for (std::size_t length = 0; length <= 40; ++length) {
        const std::string line(length, length % 2 ? '\x8D' : '\x8A');
        all.content += line + ends[length % 3];
        all.lines.push_back(line);
    }
    return all;
}

class TextStreamTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(TextStreamTest, SplitsAtEveryKindOfLineEnd) {
    test::TempTree tree;
    tree.write("panel.cfg", GetParam().content);
    TextStream stream = FileSystemObject(test::realAccess())
                            .GetFile(tree.path("panel.cfg"))
                            .OpenAsTextStream(1, GetParam().format);
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
                  {std::string(200000, 'g'), "z"}},
        LinesCase{"Utf16Le", utf16Le("a\r\nb"), {"a", "b"}, kTextByByteOrderMark},
        LinesCase{"Utf16PairAcrossChunks",
                  utf16Le(std::string(32766, 'g')) + "\x3D\xD8\x00\xDE"s,
                  {std::string(32766, 'g') + "\xF0\x9F\x98\x80"},
                  kTextByByteOrderMark},
        LinesCase{"Utf8MarkSkipped", "\xEF\xBB\xBFgauge\n", {"gauge"}, kTextByByteOrderMark},
        everyLineLength()),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zelk
