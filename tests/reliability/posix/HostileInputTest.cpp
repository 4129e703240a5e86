// Large and hostile inputs: each either works or stops with a clear message; nothing crashes
// and no panel file is ever held in memory whole.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <fstream>
#include <random>

#include "settings/FolderLocation.h"
#include "settings/modZelk.h"
#include "support/SimFixture.h"

namespace zelk {
namespace {

long peakMemoryKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class HostileInputTest : public test::SimFixture {};

TEST_F(HostileInputTest, A50MegabytePanelIsReadLineByLine) {
    tree.mkdir("sim/Aircraft/Big/panel");
    {
        // Written in pieces, so that the test itself never holds the file in memory either.
        std::ofstream out(tree.path("sim/Aircraft/Big/panel/PANEL.CFG"), std::ios::binary);
        std::size_t written = 0;
        for (int i = 0; written < 50u * 1024 * 1024; ++i) {
            const std::string line = "gauge" + std::to_string(i) + "=Gauge" +
                                     std::to_string(i % 50) +
                                     "!Gauge, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100\r\n";
            out << line;
            written += line.size();
        }
    }
    tree.write("sim/Gauges/Gauge7.gau");
    tree.write("sim/Gauges/Spare.gau");
    const long before = peakMemoryKb();
    ASSERT_TRUE(scan().completed());
    EXPECT_EQ(window.panels[2], "Gauges: 50");
    EXPECT_EQ(window.panels[3], "Zelk: 1");
    EXPECT_LT(peakMemoryKb() - before, 20 * 1024) << "the panel was not streamed";
}

TEST_F(HostileInputTest, AFiveMegabyteLineIsOneName) {
    tree.write("sim/Aircraft/A/panel/PANEL.CFG",
               "gauge00=" + std::string(5 * 1024 * 1024, 'x') + "!x\r\ngauge01=Clock!Clock\r\n");
    tree.write("sim/Gauges/Clock.gau");
    tree.write("sim/Gauges/Other.gau");
    ASSERT_TRUE(scan().completed());
    EXPECT_EQ(window.panels[2], "Gauges: 2");
    EXPECT_EQ(listOf(state.UnusedList), std::vector<std::string>{"Other.gau"});
}

TEST_F(HostileInputTest, ALineBeyond16MegabytesStopsTheScanWithAClearMessage) {
    tree.write("sim/Aircraft/A/panel/PANEL.CFG", std::string(17 * 1024 * 1024, 'g'));
    tree.write("sim/Gauges/Clock.gau");
    const test::CommandEnd end = scan();
    EXPECT_EQ(end.errorCode(), 57);
    EXPECT_NE(end.errorText().find("longer than 16 MiB"), std::string::npos);
    EXPECT_NE(end.errorText().find("PANEL.CFG"), std::string::npos);
    EXPECT_TRUE(tree.exists("sim/Gauges/Clock.gau"));
}

TEST_F(HostileInputTest, RandomBinaryPanelsNeverCrashTheScan) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int p = 0; p < 20; ++p) {
        std::string junk(64 * 1024, '\0');
        for (char& c : junk) {
            c = static_cast<char>(byte(random));
        }
        tree.write("sim/Aircraft/A" + std::to_string(p) + "/panel/PANEL.CFG", junk);
    }
    tree.write("sim/Aircraft/Z/panel/PANEL.CFG", std::string("gauge00=Cl\0ck!x\n", 16));
    tree.write("sim/Gauges/Unused.gau");
    const test::CommandEnd end = scan();
    ASSERT_TRUE(end.completed()) << end.errorText();
    EXPECT_TRUE(state.GaugeList.containsUpTo(std::string("Cl\0ck", 5), state.GaugeCount));
    EXPECT_EQ(window.panels[1], "Panels: 21");
}

TEST_F(HostileInputTest, ThirtyThousandGaugeFilesScanAndGo) {
    std::string panel;
    for (int i = 0; i < 20000; ++i) {
        panel += "gauge" + std::to_string(i) + "=G" + std::to_string(i) + "!x\n";
    }
    tree.write("sim/Aircraft/A/panel/PANEL.CFG", panel);
    for (int i = 0; i < 30000; ++i) {
        tree.write("sim/Gauges/G" + std::to_string(i) + ".gau");
    }
    ASSERT_TRUE(scan().completed());
    EXPECT_EQ(window.panels[2], "Gauges: 20000");
    EXPECT_EQ(window.panels[3], "Zelk: 10000");
    window.prompter.answers = {true, false};
    ASSERT_TRUE(removeUnused().completed());
    EXPECT_EQ(tree.names("sim/Gauges").size(), 20000u);
    EXPECT_EQ(window.progressMax[2], 30000.0f);
}

// Such a value is never stored, since it could not be read back whole; one put in the file by
// hand comes back cut.
TEST(HostileSettingsTest, ATenThousandCharacterValueIsNotStoredAndComesBackCut) {
    test::TempTree tree;
    const std::string value(10000, 'v');
    modZelk::WriteIniString(tree.path("ZELKGAU.INI"), "FS2000", "Folder", value,
                            test::realAccess());
    EXPECT_FALSE(tree.exists("ZELKGAU.INI"));
    tree.write("ZELKGAU.INI", "[FS2000]\r\nFolder=" + value + "\r\n");
    EXPECT_EQ(modZelk::ReadIniString(tree.path("ZELKGAU.INI"), "FS2000", "Folder", "x",
                                     test::realAccess()),
              std::string(254, 'v'));
}

TEST(HostileSettingsTest, ASettingsFileThatIsAFolderIsPassedOver) {
    test::TempTree tree;
    tree.mkdir("bin/ZELKGAU.INI");
    tree.mkdir("sim/GAUGES");
    test::ScriptedWindow window;
    window.prompter.folders = {tree.path("sim")};
    std::string simFolder;
    findSimFolder(simFolder, window.prompter, test::realAccess(), {tree.path("bin"), {}});
    EXPECT_EQ(simFolder, tree.path("sim"));
    EXPECT_EQ(tree.names("bin/ZELKGAU.INI").size(), 0u);  // still an empty folder
}

}  // namespace
}  // namespace zelk
