#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include "platform/TextEncoding.h"
#include "support/FaultyDisk.h"
#include "support/TempTree.h"

namespace zelk {
namespace {

struct MissingCase {
    std::vector<std::pair<std::string, std::string>> panels;  // aircraft, PANEL.CFG
    std::vector<std::string> files;                           // below GAUGES
    std::string report;  // from "Missing:" on, each panel named by its aircraft
};

CommandLineResult listMissing(const test::TempTree& tree, const MissingCase& row,
                              const DiskAccess& access) {
    tree.mkdir("sim/GAUGES");
    for (const std::string& file : row.files) {
        tree.write("sim/GAUGES/" + file, "gauge");
    }
    for (const auto& [aircraft, panel] : row.panels) {
        tree.write("sim/AIRCRAFT/" + aircraft + "/panel/PANEL.CFG", panel);
    }
    return runCommandLine({CommandLine::Action::List, false, true, tree.path("sim"), {}}, access,
                          {});
}

class MissingGaugesTest : public ::testing::TestWithParam<MissingCase> {};

TEST_P(MissingGaugesTest, ListsWhatPanelsLoadAndNoFileProvides) {
    const test::TempTree tree;
    const CommandLineResult result = listMissing(tree, GetParam(), test::realAccess());
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    std::string report = result.out.substr(result.out.find("Missing: "));
    for (const auto& [aircraft, panel] : GetParam().panels) {
        const std::string path = tree.path("sim/AIRCRAFT/" + aircraft + "/panel/PANEL.CFG");
        for (auto at = report.find(path); at != std::string::npos; at = report.find(path)) {
            report.replace(at, path.size(), aircraft);
        }
    }
    EXPECT_EQ(report, GetParam().report);
}

std::string utf16(const std::string& text) {
    return "\xff\xfe" + utf8ToUtf16(text, ByteOrder::LittleEndian).value();
}

INSTANTIATE_TEST_SUITE_P(
    Panels, MissingGaugesTest,
    ::testing::Values(
        MissingCase{{{"A", "[Window00]\ngauge00=Clock!Clock, 1, 1\ngauge01=Vsi!Vsi, 2, 2\n"}},
                    {"Vsi.gau"},
                    "Missing: 1\nClock  <-  A\n"},
        MissingCase{{{"A", "[VCockpit01]\r\nGauge00= Hud !x\r\n"}}, {}, "Missing: 1\nHud  <-  A\n"},
        // Comments, keys outside a window section and keys that are no gaugeNN load nothing.
        MissingCase{{{"A", "[Window00]\n;gauge00=Gone!x\n  // gauge01=Gone!x\ngauge02=Vsi!x\n"}},
                    {"Vsi.gau"},
                    "Missing: 0\n"},
        MissingCase{{{"A",
                      "gauge00=Gone!x\n[Window Titles]\ngauge01=Gone!x\n[Window00]\n"
                      "gauge=Gone!x\ngauge1x=Gone!x\nmygauge02=Gone!x\n"}},
                    {},
                    "Missing: 0\n"},
        // A cabinet, a library and another case provide; a gauge loaded twice shows once.
        MissingCase{{{"A",
                      "[Window00]\ngauge00=Hsi!x\ngauge01=N1!x\nGAUGE02=AIRSPEED!x\n"
                      "gauge03=Gone!x\ngauge04=\"Gone!y, 1, 1\"\n"}},
                    {"Hsi.cab", "n1.DLL", "airspeed.Gau"},
                    "Missing: 1\nGone  <-  A\n"},
        MissingCase{{{"A",
                      "[Window00]\ngauge00=Old\\Legacy!x\ngauge01=old/Gone!x\n"
                      "gauge02=New\\Legacy!x\ngauge03=.\\Vsi!x\ngauge04=..\\GAUGES\\Vsi\n"
                      "gauge05=..\\Other\\Vsi!x\n"}},
                    {"Old/Legacy.gau", "Vsi.gau"},
                    "Missing: 3\nold/Gone  <-  A\nNew\\Legacy  <-  A\n..\\Other\\Vsi  <-  A  "
                    "(outside GAUGES)\n"},
        MissingCase{
            {{"A", utf16("[Window00]\r\ngauge00=H\xc3\xb6he!x\r\ngauge01=G\xc3\xb6ne\r\n")}},
            {"H\xc3\xb6he.gau"},
            "Missing: 1\nG\xc3\xb6ne  <-  A\n"},
        // Panels in the order the Scan reads them, each panel's gauges in line order.
        MissingCase{{{"B", "[Window01]\ngauge00=Alpha!x\n"},
                     {"A", "[Window00]\ngauge00=Zulu!x\ngauge01=Alpha!x\n"}},
                    {},
                    "Missing: 3\nZulu  <-  A\nAlpha  <-  A\nAlpha  <-  B\n"}));

TEST(MissingGaugesFaultTest, AFolderBelowGaugesThatCannotBeReadStopsTheReport) {
    const test::TempTree tree;
    const auto disk = std::make_shared<test::FaultyDisk>();
    disk->failList = {"Old"};
    const CommandLineResult result =
        listMissing(tree, {{{"A", "[Window00]\ngauge00=Old\\Legacy!x\n"}}, {"Old/Legacy.gau"}, {}},
                    test::accessTo(disk));
    EXPECT_EQ(result.exitStatus, kScanStoppedStatus);
    EXPECT_TRUE(result.out.empty());
    EXPECT_TRUE(
        result.err.starts_with("Error 70: A folder below GAUGES that a panel names could "
                               "not be read."))
        << result.err;
    EXPECT_TRUE(test::mentions(result.err, tree.path("sim/GAUGES/Old"))) << result.err;
}

}  // namespace
}  // namespace zelk
