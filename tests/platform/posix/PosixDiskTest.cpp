// The file-system service and the POSIX disk on what only Linux has: names that differ only in
// case side by side, symbolic links, permission bits and the umask.
#include "platform/FileSystemObject.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/Error.h"
#include "platform/posix/PosixDisk.h"
#include "support/FaultyDisk.h"
#include "support/Outcomes.h"
#include "support/TempTree.h"

namespace zelk {
namespace {

using test::errorOf;
using test::namesOf;

class PosixFileSystemObjectTest : public ::testing::Test {
protected:
    test::TempTree tree;
    FileSystemObject fso{test::realAccess()};
};

TEST_F(PosixFileSystemObjectTest, ListsFoldersAndFilesCaseInsensitivelyByName) {
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

TEST_F(PosixFileSystemObjectTest, LinksCountAsWhatTheyPointToAndDanglingLinksAsNothing) {
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

TEST_F(PosixFileSystemObjectTest, ForceDeletesAReadOnlyFileAndWithoutForceItIsRefused) {
    tree.write("g/locked.gau");
    ASSERT_EQ(::chmod(tree.path("g/locked.gau").c_str(), 0444), 0);
    const File file = fso.GetFile(tree.path("g/locked.gau"));
    EXPECT_EQ(errorOf([&] { file.Delete(false); }), ErrorNumber::PermissionDenied);
    EXPECT_TRUE(tree.exists("g/locked.gau"));
    file.Delete(true);
    EXPECT_FALSE(tree.exists("g/locked.gau"));
}

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

// The marks that keep an entry from being deleted by anybody, root included, on the file or on
// its folder, are found by the check that a Scan makes before it lists the file.
TEST(PosixRemovableTest, ImmutableAndAppendOnlyMarksAreFoundBeforeAnyRemoval) {
    test::TempTree tree;
    tree.write("g/a.gau");
    const PosixDisk disk;
    for (const auto& [entry, mark, says] : {std::tuple{"g/a.gau", FS_IMMUTABLE_FL, "immutable"},
                                            std::tuple{"g", FS_APPEND_FL, "folder"}}) {
        const int fd = ::open(tree.path(entry).c_str(), O_RDONLY | O_CLOEXEC);
        int flags = 0;
        ::ioctl(fd, FS_IOC_GETFLAGS, &flags);
        const int before = flags;
        flags |= mark;
        if (::ioctl(fd, FS_IOC_SETFLAGS, &flags) != 0) {
            const int error = errno;
            ::close(fd);
            GTEST_SKIP() << "cannot mark " << entry << " here (errno " << error << ")";
        }
        std::string text;
        EXPECT_EQ(errorOf([&] { disk.openFolder(tree.path("g"))->checkRemovable("a.gau"); }, &text),
                  ErrorNumber::PermissionDenied);
        EXPECT_NE(text.find(says), std::string::npos) << text;
        ::ioctl(fd, FS_IOC_SETFLAGS, &before);
        ::close(fd);
    }
    EXPECT_NO_THROW(disk.openFolder(tree.path("g"))->checkRemovable("a.gau"));
}

}  // namespace
}  // namespace zelk
