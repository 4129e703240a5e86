#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include "platform/TextEncoding.h"
#include "support/FaultyDisk.h"
#include "support/TempTree.h"

namespace zelk {
namespace {

struct MissingCase {
    std::string panel;
    std::vector<std::string> files;  // below GAUGES
    std::string report;              // from "Missing:" on, the panel named PANEL
};

// The report or the error for one panel, its path shown as PANEL and GAUGES\Old's as GAUGES/Old.
std::string missingIn(const MissingCase& row, const std::shared_ptr<test::FaultyDisk>& disk) {
    const test::TempTree tree;
    tree.mkdir("sim/GAUGES");
    for (const std::string& file : row.files) {
        tree.write("sim/GAUGES/" + file, "gauge");
    }
    tree.write("sim/AIRCRAFT/A/panel/PANEL.CFG", row.panel);
    const auto result = runCommandLine(
        {CommandLine::Action::List, false, true, tree.path("sim"), {}}, test::accessTo(disk), {});
    std::string report =
        result.exitStatus == 0 ? result.out.substr(result.out.find("Missing: ")) : result.err;
    for (const auto& [path, shown] : {std::pair(tree.path("sim/GAUGES/Old"), "GAUGES/Old"),
                                      {tree.path("sim/AIRCRAFT/A/panel/PANEL.CFG"), "PANEL"}}) {
        for (auto at = report.find(path); at != std::string::npos; at = report.find(path)) {
            report.replace(at, path.size(), shown);
        }
    }
    return report;
}

class MissingGaugesTest : public ::testing::TestWithParam<MissingCase> {};

TEST_P(MissingGaugesTest, ListsWhatPanelsLoadAndNoFileProvides) {
    EXPECT_EQ(missingIn(GetParam(), std::make_shared<test::FaultyDisk>()), GetParam().report);
}

INSTANTIATE_TEST_SUITE_P(
    Panels, MissingGaugesTest,
    ::testing::Values(
        // Comments, keys outside a window section and keys that are no gaugeNN load nothing.
        MissingCase{"gauge00=No!x\n[Window Titles]\ngauge01=No!x\n[Window00]\ngauge=No!x\n"
                    "gauge1x=No!x\n;gauge02=No!x\n  // gauge03=No!x\ngauge04=Clock!Clock, 1\n"
                    "gauge05=Vsi!Vsi, 2, 2\n[VCockpit01]\r\nGauge00= Hud !x\r\n",
                    {"Vsi.gau"},
                    "Missing: 2\nClock  <-  PANEL\nHud  <-  PANEL\n"},
        // A cabinet, a library and another case provide; a gauge loaded twice shows once.
        MissingCase{"[Window00]\ngauge00=Hsi!x\ngauge01=N1!x\nGAUGE02=AIRSPEED!x\n"
                    "gauge03=Gone!x\ngauge04=\"Gone!y, 1, 1\"\n",
                    {"Hsi.cab", "n1.DLL", "airspeed.Gau"},
                    "Missing: 1\nGone  <-  PANEL\n"},
        MissingCase{"[Window00]\ngauge00=Old\\Legacy!x\ngauge01=old/Gone!x\n"
                    "gauge02=New\\Legacy!x\ngauge03=.\\Vsi!x\ngauge04=..\\GAUGES\\Vsi\n"
                    "gauge05=..\\Other\\Vsi!x\n",
                    {"Old/Legacy.gau", "Vsi.gau"},
                    "Missing: 3\nold/Gone  <-  PANEL\nNew\\Legacy  <-  PANEL\n"
                    "..\\Other\\Vsi  <-  PANEL  (outside GAUGES)\n"},
        MissingCase{
            "\xff\xfe" + utf8ToUtf16("[Window00]\r\ngauge00=H\xc3\xb6he!x\r\ngauge01=G\xc3\xb6ne",
                                     ByteOrder::LittleEndian)
                             .value(),
            {"H\xc3\xb6he.gau"},
            "Missing: 1\nG\xc3\xb6ne  <-  PANEL\n"}));

TEST(MissingGaugesFaultTest, AFolderBelowGaugesThatCannotBeReadStopsTheReport) {
    const auto disk = std::make_shared<test::FaultyDisk>();
    disk->failList = {"Old"};
    EXPECT_EQ(missingIn({"[Window00]\ngauge00=Old\\Legacy!x\n", {"Old/Legacy.gau"}, {}}, disk),
              "Error 70: A folder below GAUGES that a panel names could not be read.\n"
              "Permission denied: GAUGES/Old\n");
}

}  // namespace
}  // namespace zelk
