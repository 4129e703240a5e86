#pragma once

#include <string>
#include <vector>

// What a Scan of the tests' sample simulator tree (tests/data/sim) shows, and what a removal
// after it leaves in its GAUGES folder.
namespace zelk::test::sample {

inline const std::string kPanels = "Panels: 4", kGauges = "Gauges: 9", kZelk = "Zelk: 4";
// The files no panel uses, in the order the removal deletes them; then one a line.
inline const std::vector<std::string> kUnused{"Airspeed.gau.bak", "Autopilot.gau", "readme.txt",
                                              "Turbine.gau"};
inline const std::string kUnusedLines =
    kUnused[0] + "\n" + kUnused[1] + "\n" + kUnused[2] + "\n" + kUnused[3] + "\n";
// Status panel 3's tooltip after the Scan.
inline const std::string kWholeListHint = "\nDouble-click or Ctrl+L for the whole list";
inline const std::string kZelkToolTip =
    "Files to remove:\n" + kUnusedLines + "4 files, 78 bytes" + kWholeListHint;
inline const std::vector<std::string> kKept{"Airspeed.gau", "Altimeter.gau", "COMPASS.GAU",
                                            "Clock.gau",    "Fuel.gau",      "Old/Legacy.gau",
                                            "Vsi.gau"};

}  // namespace zelk::test::sample
