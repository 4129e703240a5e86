#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace bench {

struct TreeSize {
    int aircraft;
    int linesPerPanel;
    int gaugeFiles;
};

// Bench panels hold one window of gauge lines and little else; realistic panels look like the
// ones aircraft ship with: several [WindowNN] sections, // and ; comments, blank lines,
// gauge lines with and without a sub-gauge, names in another case now and then.
enum class PanelStyle { Bench, Realistic };

// What an aircraft folder holds besides its own files (aircraft.cfg and a few more): model,
// panel, sound and texture folders, or only a panel folder, as many add-on aircraft have.
enum class FolderShape { AllFolders, PanelFolderOnly };

const char* styleName(PanelStyle style);
const char* shapeName(FolderShape shape);

// Writes a simulator folder at root (replacing whatever is there): AIRCRAFT with one folder
// per aircraft of that shape, a file or two directly in AIRCRAFT, and GAUGES with the gauge
// files. Two thirds of the gauge files are referenced by some panel; half of the panel files
// are spelled "panel.cfg". The same arguments always give the same tree, and the panels of a
// style do not depend on the shape. Everything is flushed to disk before it returns, so that no
// write-back runs into the measurements.
void generateTree(const std::filesystem::path& root, const TreeSize& size, PanelStyle style,
                  FolderShape shape);

// Puts back (empty) gauge files of these names, after a removal took them, and flushes them
// to disk as they would be on a simulator folder that has been in use.
void restoreGaugeFiles(const std::filesystem::path& root, const std::vector<std::string>& names);

}  // namespace bench
