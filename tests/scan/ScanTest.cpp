#include <gtest/gtest.h>

#include <functional>

#include "platform/TextEncoding.h"
#include "scan/PanelScan.h"
#include "scan/UnusedScan.h"
#include "support/SimFixture.h"

namespace zelk {
namespace {

using Names = std::vector<std::string>;
using namespace std::string_literals;

class ScanTest : public test::SimFixture {};

TEST_F(ScanTest, TheSampleTreeGivesItsCountsListsAndEnablesZelk) {
    useSample();
    const test::CommandEnd end = scan();
    ASSERT_TRUE(end.completed()) << end.errorText();
    EXPECT_EQ(window.panels[1], test::sample::kPanels);
    EXPECT_EQ(window.panels[2], test::sample::kGauges);
    EXPECT_EQ(window.panels[3], test::sample::kZelk);
    EXPECT_TRUE(window.command2Enabled);
    EXPECT_TRUE(window.prompter.questions.empty());
    EXPECT_EQ(listOf(state.FolderList), (Names{"Cessna182", "Empty", "glider", "LEARJET45"}));
    EXPECT_EQ(listOf(state.GaugeList), (Names{"Airspeed", "Compass", "Clock", "Fuel", "Altimeter",
                                              "clock", "Radio", "gauge_bg.bmp", "Vsi"}));
    EXPECT_EQ(listOf(state.UnusedList), test::sample::kUnused);
    EXPECT_EQ(window.progressMax[1], 4.0f);
    EXPECT_EQ(window.progressValue[1], 4.0f);
    EXPECT_EQ(window.progressSteps[1], 4);
}

TEST_F(ScanTest, ASecondScanShowsTheSameNumbersAsTheFirst) {
    useSample();
    ASSERT_TRUE(scan().completed());
    const auto panels = window.panels;
    const auto unused = listOf(state.UnusedList);
    ASSERT_TRUE(scan().completed());
    EXPECT_EQ(window.panels, panels);
    EXPECT_EQ(listOf(state.UnusedList), unused);
    EXPECT_EQ(state.FolderList.upperBound().value(), 4);
    EXPECT_TRUE(window.command2Enabled);
}

TEST_F(ScanTest, AScanForgetsNamesThatAnEarlierScanFoundUnused) {
    useSample();
    ASSERT_TRUE(scan().completed());
    panel("Aircraft/Cessna182/panel.1/Panel.cfg", "gauge00=Turbine!x\ngauge01=Autopilot!x\n");
    ASSERT_TRUE(scan().completed());
    // Altimeter lost its panel; Turbine and Autopilot are in use now and must not be removed.
    EXPECT_EQ(listOf(state.UnusedList), (Names{"Airspeed.gau.bak", "Altimeter.gau", "readme.txt"}));
    EXPECT_EQ(window.panels[3], "Zelk: 3");
}

TEST_F(ScanTest, NothingToRemoveDisablesZelkAndOffersToEnd) {
    panel("Aircraft/One/panel/PANEL.CFG", "gauge00=Airspeed!Airspeed\n");
    tree.write("sim/Gauges/airspeed.GAU");
    window.command2Enabled = true;  // as after an earlier Scan that found files
    window.prompter.answers = {false};
    ASSERT_TRUE(scan().completed());
    EXPECT_EQ(window.panels[3], "Zelk: None");
    EXPECT_FALSE(window.command2Enabled);
    EXPECT_EQ(window.prompter.questions, Names{"None files to remove. Exit from Zelk Gauge?"});

    window.prompter.answers = {true};
    EXPECT_TRUE(scan().unloaded);
}

TEST_F(ScanTest, AnEmptyGaugesFolderHasNothingToRemove) {
    panel("Aircraft/One/panel/PANEL.CFG", "gauge00=Airspeed!Airspeed\n");
    tree.mkdir("sim/GAUGES");
    window.prompter.answers = {false};
    ASSERT_TRUE(scan().completed());
    EXPECT_EQ(window.panels[3], "Zelk: None");
}

TEST_F(ScanTest, TheDuplicateCheckIsCaseSensitive) {
    panel("Aircraft/A/panel/PANEL.CFG", "gauge00=Airspeed!x\ngauge01=Clock!x\n");
    panel("Aircraft/B/panel/PANEL.CFG", "gauge00=Airspeed!x\ngauge01=clock!x\n");
    tree.write("sim/Gauges/x.txt");
    ASSERT_TRUE(scan().completed());
    EXPECT_EQ(listOf(state.GaugeList), (Names{"Airspeed", "Clock", "clock"}));
    EXPECT_EQ(window.panels[1], "Panels: 2");
    EXPECT_EQ(window.panels[2], "Gauges: 3");
}

TEST_F(ScanTest, OnlyPanelsOneLevelBelowAnAircraftFolderAreRead) {
    panel("Aircraft/A/PANEL.CFG", "gauge00=Direct!x\n");
    panel("Aircraft/A/panel/PANEL.CFG", "gauge00=Right!x\n");
    panel("Aircraft/A/panel/deeper/PANEL.CFG", "gauge00=Deep!x\n");
    tree.write("sim/Gauges/x.txt");
    ASSERT_TRUE(scan().completed());
    EXPECT_EQ(listOf(state.GaugeList), Names{"Right"});
}

TEST_F(ScanTest, PanelsWithAnyLineEndAndEmptyPanelsAreRead) {
    panel("Aircraft/A/p1/PANEL.CFG", "gauge00=CrLf!x\r\ngauge01=Two!x\r\n");
    panel("Aircraft/A/p2/PANEL.CFG", "gauge00=Cr!x\rgauge01=Three!x");
    panel("Aircraft/A/p3/PANEL.CFG", "");
    panel("Aircraft/A/p4/PANEL.CFG", "gauge00=Last");
    tree.write("sim/Gauges/x.txt");
    ASSERT_TRUE(scan().completed());
    EXPECT_EQ(listOf(state.GaugeList), (Names{"CrLf", "Two", "Cr", "Three", "Last"}));
}

TEST_F(ScanTest, PanelsReadAsWindowsReadsThemKeepTheirGaugesInAnyGaugeFile) {
    // Notepad's "Unicode" in both byte orders, with "Высота", a quoted value and a NUL.
    panel("Aircraft/A/panel/PANEL.CFG",
          "\xFF\xFE" + *utf8ToUtf16("gauge0=\xd0\x92\xd1\x8b\xd1\x81\xd0\xbe\xd1\x82\xd0\xb0!",
                                    ByteOrder::LittleEndian));
    panel("Aircraft/B/panel/PANEL.CFG",
          "\xFE\xFF" + *utf8ToUtf16("gauge0=\"Q!x\"\ngauge1=N\0!"s, ByteOrder::BigEndian));
    for (const char* file : {"\xd0\x92\xd0\xab\xd0\xa1\xd0\x9e\xd0\xa2\xd0\x90.gau", "q.CAB",
                             "N.dll", "N.cab.bak", "x.cab", "N.cab/folder.gau", "N/Q.gau"}) {
        tree.write(std::string("sim/Gauges/") + file);  // and two folders, one like a cabinet
    }
    ASSERT_TRUE(scan().completed());
    EXPECT_EQ(listOf(state.UnusedList), (Names{"N.cab.bak", "x.cab"}));

    panel("Aircraft/B/panel/PANEL.CFG", "\xFE\xFF\0g\xDC\0"s);  // a lone low surrogate
    const test::CommandEnd end = scan();
    EXPECT_EQ(end.errorCode(), 57);
    EXPECT_TRUE(test::mentions(end.errorText(), tree.path("sim/Aircraft/B/panel/PANEL.CFG")))
        << end.errorText();
}

TEST_F(ScanTest, AMissingAircraftFolderStopsWithAClearMessage) {
    tree.mkdir("sim/Gauges");
    const test::CommandEnd end = scan();
    EXPECT_EQ(end.errorCode(), 76);
    EXPECT_NE(end.errorText().find("contains AIRCRAFT"), std::string::npos);
    EXPECT_TRUE(test::mentions(end.errorText(), tree.path("sim/AIRCRAFT"))) << end.errorText();
    EXPECT_EQ(window.panels[1], "Panels:");
}

TEST_F(ScanTest, AnAircraftFolderWithoutAircraftStopsBeforeAnyPanelIsSet) {
    tree.mkdir("sim/Aircraft");
    tree.mkdir("sim/Gauges");
    const test::CommandEnd end = scan();
    EXPECT_EQ(end.errorCode(), 9);
    EXPECT_NE(end.errorText().find("no aircraft folders"), std::string::npos);
    EXPECT_EQ(window.panels[1], "Panels:");
    EXPECT_TRUE(window.progressMax.empty());
}

TEST_F(ScanTest, NoGaugeReferenceAtAllNeverOffersToDeleteEveryGauge) {
    panel("Aircraft/A/panel/PANEL.CFG", "[Window00]\nfile=bg.bmp\n");
    tree.write("sim/Gauges/Airspeed.gau");
    const test::CommandEnd end = scan();
    EXPECT_EQ(end.errorCode(), 9);
    EXPECT_NE(end.errorText().find("refers to any gauge"), std::string::npos);
    EXPECT_EQ(window.panels[1], "Panels: 1");
    EXPECT_EQ(window.panels[2], "Gauges:");
    EXPECT_EQ(window.panels[3], "Zelk:");
    EXPECT_FALSE(window.command2Enabled);
    EXPECT_TRUE(state.UnusedList.hasSlots() == false);
}

TEST_F(ScanTest, AMissingGaugesFolderStopsWithAClearMessage) {
    panel("Aircraft/A/panel/PANEL.CFG", "gauge00=Airspeed!x\n");
    const test::CommandEnd end = scan();
    EXPECT_EQ(end.errorCode(), 76);
    EXPECT_NE(end.errorText().find("contains GAUGES"), std::string::npos);
    EXPECT_EQ(window.panels[2], "Gauges: 1");
    EXPECT_EQ(window.panels[3], "Zelk:");
}

// A removal must be able to delete every listed file on its own: a file that it could not
// (Wine's view of a link into another folder, say) stops the Scan before Zelk can be pressed.
TEST_F(ScanTest, AFileToRemoveThatCannotBeDeletedOnItsOwnStopsTheScan) {
    useSample();
    disk->failCheck = {"/Gauges/readme.txt"};
    const test::CommandEnd end = scan();
    EXPECT_EQ(end.errorCode(), 75);
    EXPECT_TRUE(test::mentions(end.errorText(), tree.path("sim/Gauges/readme.txt")))
        << end.errorText();
    EXPECT_NE(end.errorText().find("remove it by hand"), std::string::npos);
    EXPECT_NE(end.errorText().find("Nothing was changed."), std::string::npos);
    EXPECT_FALSE(window.command2Enabled);
    EXPECT_EQ(window.panels[3], "Zelk:");
}

TEST_F(ScanTest, AFileToRemoveThatCannotBeDeletedNowStopsTheScan) {
    useSample();
    disk->failCheck = {"/Gauges/readme.txt"};
    disk->checkError = ErrorNumber::PermissionDenied;  // in use, marked immutable, no permission
    const test::CommandEnd end = scan();
    EXPECT_EQ(end.errorCode(), 70);
    EXPECT_NE(end.errorText().find("would stop half-way"), std::string::npos) << end.errorText();
    EXPECT_FALSE(window.command2Enabled);
}

TEST_F(ScanTest, AnUnreadablePanelFileStopsTheScanAndNamesTheFile) {
    panel("Aircraft/A/panel/PANEL.CFG", "gauge00=Airspeed!x\n");
    panel("Aircraft/B/panel/PANEL.CFG", "gauge00=Compass!x\n");
    tree.write("sim/Gauges/x.gau");
    disk->failOpen = {"B/panel/PANEL.CFG"};
    const test::CommandEnd end = scan();
    EXPECT_EQ(end.errorCode(), 70);
    EXPECT_NE(end.errorText().find("panel file could not be read"), std::string::npos);
    EXPECT_TRUE(test::mentions(end.errorText(), tree.path("sim/Aircraft/B/panel/PANEL.CFG")))
        << end.errorText();
    EXPECT_EQ(listOf(state.GaugeList), Names{"Airspeed"});  // what was done before stays done
}

TEST_F(ScanTest, AnAircraftFolderThatCannotBeReadStopsTheScan) {
    panel("Aircraft/A/panel/PANEL.CFG", "gauge00=Airspeed!x\n");
    tree.write("sim/Gauges/x.gau");
    disk->failList = {"/Aircraft/A"};
    const test::CommandEnd end = scan();
    EXPECT_EQ(end.errorCode(), 70);
    EXPECT_NE(end.errorText().find("aircraft folder could not be read"), std::string::npos);
}

TEST_F(ScanTest, APanelThatCannotBeLookedForStopsTheScanInsteadOfBeingSkipped) {
    panel("Aircraft/A/panel/PANEL.CFG", "gauge00=Airspeed!x\n");
    panel("Aircraft/B/panel/PANEL.CFG", "gauge00=Compass!x\n");
    tree.write("sim/Gauges/Airspeed.gau");
    tree.write("sim/Gauges/Compass.gau");
    disk->failList = {"B/panel"};  // e.g. a panel folder the user may not enter
    const test::CommandEnd end = scan();
    EXPECT_EQ(end.errorCode(), 70);
    EXPECT_NE(end.errorText().find("panel folder could not be read"), std::string::npos);
    EXPECT_TRUE(test::mentions(end.errorText(), "/Aircraft/B/panel")) << end.errorText();
    EXPECT_FALSE(window.command2Enabled);
    EXPECT_EQ(window.panels[3], "Zelk:");
}

TEST_F(ScanTest, AnAircraftFolderThatVanishesAfterTheListingStopsTheScan) {
    panel("Aircraft/A/panel/PANEL.CFG", "gauge00=Airspeed!x\n");
    panel("Aircraft/B/panel/PANEL.CFG", "gauge00=Compass!x\n");
    tree.write("sim/Gauges/x.gau");
    disk->beforeList = [this](const std::string& path) {
        if (test::samePath(path,
                           tree.path("sim/Aircraft/A"))) {  // B goes after the aircraft were listed
            disk->beforeList = nullptr;
            std::filesystem::remove_all(tree.path("sim/Aircraft/B"));
        }
    };
    const test::CommandEnd end = scan();
    EXPECT_EQ(end.errorCode(), 76);
    EXPECT_NE(end.errorText().find("aircraft folder could not be read"), std::string::npos);
    EXPECT_TRUE(test::mentions(end.errorText(), "/Aircraft/B")) << end.errorText();
    EXPECT_TRUE(tree.exists("sim/Gauges/x.gau"));
}

TEST_F(ScanTest, APanelFileThatVanishesBeforeItIsOpenedStopsTheScan) {
    panel("Aircraft/A/panel/PANEL.CFG", "gauge00=Airspeed!x\n");
    tree.write("sim/Gauges/x.gau");
    disk->beforeOpen = [this](const std::string& path) { std::filesystem::remove(path); };
    const test::CommandEnd end = scan();
    EXPECT_EQ(end.errorCode(), 53);
    EXPECT_NE(end.errorText().find("panel file could not be read"), std::string::npos);
    EXPECT_NE(end.errorText().find("PANEL.CFG"), std::string::npos);
}

TEST_F(ScanTest, AFullGaugeListOverflowsOnANewNameOnly) {
    Int16 count;
    for (int i = 0; i < Int16::kMax; ++i) {
        state.GaugeList.add(count, "g" + std::to_string(i));
    }
    state.GaugeCount = count;
    panel("Aircraft/A/panel/PANEL.CFG", "gauge00=g5!x\n");
    EXPECT_TRUE(test::runCommand([&] { ShowFileInfo(context(), "A"); }).completed());
    panel("Aircraft/A/panel/PANEL.CFG", "gauge00=g5!x\ngauge01=new!x\n");
    const test::CommandEnd end = test::runCommand([&] { ShowFileInfo(context(), "A"); });
    EXPECT_EQ(end.errorCode(), 6);
    EXPECT_NE(end.errorText().find("more than 32,767 distinct gauge names"), std::string::npos);
    EXPECT_TRUE(test::mentions(end.errorText(), tree.path("sim/AIRCRAFT"))) << end.errorText();
    EXPECT_EQ(state.GaugeList.upperBound().value(), 32767);
    EXPECT_EQ(state.GaugeCount.value(), 32767);
}

TEST_F(ScanTest, AFullGaugeListOverflowsOnAFileItDoesNotAccountFor) {
    Int16 count;
    for (int i = 0; i < Int16::kMax; ++i) {
        state.GaugeList.add(count, "g" + std::to_string(i));
    }
    tree.write("sim/Gauges/G7.gau");
    window.prompter.answers = {false};
    EXPECT_TRUE(test::runCommand([&] {
                    ShowFileList(context(), state.SimFolder + "\\GAUGES");
                }).completed());
    tree.write("sim/Gauges/unknown.gau");
    const test::CommandEnd end =
        test::runCommand([&] { ShowFileList(context(), state.SimFolder + "\\GAUGES"); });
    EXPECT_EQ(end.errorCode(), 6);
    EXPECT_NE(end.errorText().find("32,767 or more distinct gauge names"), std::string::npos);
}

TEST_F(ScanTest, OverflowsSayWhatOverflowedAndWhere) {
    panel("Aircraft/A/panel/PANEL.CFG", "gauge00=Used!x\n");
    tree.write("sim/Gauges/Unused.gau");
    state.FolderCount = Int16::kMax;
    test::CommandEnd end =
        test::runCommand([&] { ShowFolderList(context(), state.SimFolder + "\\AIRCRAFT"); });
    EXPECT_EQ(end.errorCode(), 6);
    EXPECT_TRUE(test::mentions(end.errorText(),
                               "32,767 or more aircraft folders in " + tree.path("sim/AIRCRAFT")))
        << end.errorText();

    state.GaugeList.add(state.GaugeCount, "Used");
    state.UnusedCount = Int16::kMax;
    end = test::runCommand([&] { ShowFileList(context(), state.SimFolder + "\\GAUGES"); });
    EXPECT_EQ(end.errorCode(), 6);
    EXPECT_TRUE(test::mentions(end.errorText(),
                               "more than 32,767 files to remove in " + tree.path("sim/Gauges")))
        << end.errorText();
}

}  // namespace
}  // namespace zelk
