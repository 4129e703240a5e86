// Scans of trees that only Linux can hold: names that differ only in case side by side,
// symbolic links, pipes and names with a backslash.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "scan/PanelScan.h"
#include "scan/UnusedScan.h"
#include "support/SimFixture.h"

namespace zelk {
namespace {

using Names = std::vector<std::string>;

class ScanTreeTest : public test::SimFixture {};

TEST_F(ScanTreeTest, TheMatchRuleLowersBothSidesAndWantsGau) {
    panel("Aircraft/One/panel/PANEL.CFG", "gauge00=Airspeed!x\ngauge01=clock!x\ngauge03=!Clock\n");
    for (const char* file : {"Airspeed.gau", "AIRSPEED.GAU", "Clock.Gau", ".gau", "Compass.gau",
                             "Airspeed.gau.bak", "readme.txt"}) {
        tree.write(std::string("sim/Gauges/") + file);
    }
    ASSERT_TRUE(scan().completed());
    EXPECT_EQ(listOf(state.UnusedList), (Names{"Airspeed.gau.bak", "Compass.gau", "readme.txt"}));
}

TEST_F(ScanTreeTest, EveryFileSpellingOfPanelCfgIsReadAndAFolderOfThatNameIsNot) {
    panel("Aircraft/A/panel/Panel.cfg", "gauge00=Upper!x\n");
    panel("Aircraft/A/panel/panel.cfg", "gauge00=Lower!x\n");
    panel("Aircraft/B/panel/PANEL.CFG/notes.txt", "gauge00=Inside!x\n");
    panel("Aircraft/B/panel/panel.cfg", "gauge00=Beside!x\n");
    for (const char* file : {"Upper.gau", "Lower.gau", "Beside.gau", "Inside.gau"}) {
        tree.write(std::string("sim/Gauges/") + file);
    }
    ASSERT_TRUE(scan().completed());
    EXPECT_EQ(listOf(state.GaugeList), (Names{"Upper", "Lower", "Beside"}));
    EXPECT_EQ(listOf(state.UnusedList), Names{"Inside.gau"});
}

// Trees in which it is not clear what the simulator reads, or where GAUGES is: the Scan stops
// with a message naming the entries before Zelk can be pressed.
struct StopCase {
    const char* name;
    std::function<void(const test::TempTree&)> build;
    int code;
    std::vector<std::string> said;  // texts the message holds; "@" stands for the sim folder
};

class ScanStopTest : public test::SimFixture, public ::testing::WithParamInterface<StopCase> {};

TEST_P(ScanStopTest, StopsBeforeAnythingCanBeDeletedAndNamesTheEntry) {
    panel("Aircraft/A/panel/PANEL.CFG", "gauge00=Used!x\n");
    tree.write("sim/Gauges/Used.gau");
    tree.write("sim/Gauges/Unused.gau");
    GetParam().build(tree);
    const test::CommandEnd end = scan();
    EXPECT_EQ(end.errorCode(), GetParam().code) << end.errorText();
    for (std::string said : GetParam().said) {
        if (const auto at = said.find('@'); at != std::string::npos) {
            said.replace(at, 1, tree.path("sim"));
        }
        EXPECT_NE(end.errorText().find(said), std::string::npos) << end.errorText();
    }
    EXPECT_NE(end.errorText().find("Nothing was changed."), std::string::npos) << end.errorText();
    EXPECT_EQ(end.errorText().find("could not be"), std::string::npos) << end.errorText();
    EXPECT_FALSE(state.UnusedList.hasSlots());
    EXPECT_FALSE(window.command2Enabled);
    EXPECT_EQ(window.panels[3], "Zelk:");
}

void makeLink(const test::TempTree& tree, const std::string& target, const std::string& link) {
    tree.symlink(target.empty() ? tree.path("nowhere") : target, link);
}

INSTANTIATE_TEST_SUITE_P(
    Trees, ScanStopTest,
    ::testing::Values(
        StopCase{"TwoSpellingsOfAircraft",
                 [](const test::TempTree& t) { t.write("sim/AIRCRAFT/B/panel/PANEL.CFG", ""); },
                 75,
                 {"@ holds AIRCRAFT in 2 spellings: \"AIRCRAFT\", \"Aircraft\""}},
        StopCase{"TwoSpellingsOfGauges",
                 [](const test::TempTree& t) { t.mkdir("sim/gauges"); },
                 75,
                 {"holds GAUGES in 2 spellings: \"Gauges\", \"gauges\""}},
        StopCase{"GaugesIsTheSimulatorFolder",
                 [](const test::TempTree& t) {
                     std::filesystem::remove_all(t.path("sim/Gauges"));
                     makeLink(t, ".", "sim/GAUGES");
                 },
                 75,
                 {"The gauges folder @/GAUGES", "is the simulator folder itself"}},
        StopCase{"AircraftFolderThatIsABrokenLink",
                 [](const test::TempTree& t) {
                     std::filesystem::rename(t.path("sim/Aircraft"), t.path("sim/Moved"));
                     makeLink(t, "", "sim/Aircraft");
                 },
                 76,
                 {"@/Aircraft is a link that cannot be followed"}},
        StopCase{"GaugesHoldsTheAircraftFolder",
                 [](const test::TempTree& t) {
                     std::filesystem::remove_all(t.path("sim/Gauges"));
                     makeLink(t, t.path(), "sim/Gauges");
                 },
                 75,
                 {"holds the aircraft folder @/Aircraft"}},
        StopCase{"GaugesInsideTheAircraftFolder",
                 [](const test::TempTree& t) {
                     std::filesystem::remove_all(t.path("sim/Gauges"));
                     makeLink(t, t.path("sim/Aircraft/A/panel"), "sim/Gauges");
                 },
                 75,
                 {"lies inside the aircraft folder @/Aircraft"}},
        StopCase{"AircraftFolderOnADiskThatIsNotMounted",
                 [](const test::TempTree& t) { makeLink(t, "", "sim/Aircraft/Cessna"); },
                 76,
                 {"@/Aircraft/Cessna is a link that cannot be followed"}},
        StopCase{"PanelFolderOnADiskThatIsNotMounted",
                 [](const test::TempTree& t) { makeLink(t, "", "sim/Aircraft/A/panel.2"); },
                 76,
                 {"@/Aircraft/A/panel.2 is a link that cannot be followed"}},
        StopCase{"PanelThatIsALoopOfLinks",
                 [](const test::TempTree& t) {
                     t.mkdir("sim/Aircraft/A/panel.3");
                     makeLink(t, t.path("sim/Aircraft/A/panel.3/panel.cfg"),
                              "sim/Aircraft/A/panel.3/panel.cfg");
                 },
                 53,
                 {"@/Aircraft/A/panel.3/panel.cfg is a link that cannot be followed"}},
        StopCase{"AircraftNameWithABackslash",
                 [](const test::TempTree& t) {
                     t.write("sim/Aircraft/My\\Plane/panel/PANEL.CFG", "gauge00=Unused!x\n");
                 },
                 52,
                 {"@/Aircraft/My\\Plane has a backslash"}},
        StopCase{"PanelFolderNameWithABackslash",
                 [](const test::TempTree& t) {
                     t.write("sim/Aircraft/A/pan\\el/PANEL.CFG", "gauge00=Unused!x\n");
                 },
                 52,
                 {"@/Aircraft/A/pan\\el has a backslash"}},
        StopCase{"PanelThatIsAPipe",
                 [](const test::TempTree& t) {
                     t.mkdir("sim/Aircraft/A/panel.4");
                     ASSERT_EQ(::mkfifo(t.path("sim/Aircraft/A/panel.4/Panel.cfg").c_str(), 0644),
                               0);
                 },
                 75,
                 {"@/Aircraft/A/panel.4/Panel.cfg is neither a file nor a folder"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zelk
