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

const char* styleName(PanelStyle style);

// Writes a simulator folder at root (replacing whatever is there): AIRCRAFT with one folder
// per aircraft (model, panel, sound and texture folders, and a few files of its own such as
// aircraft.cfg), a file or two directly in AIRCRAFT, and GAUGES with the gauge files. Two
// thirds of the gauge files are referenced by some panel; half of the panel files are spelled
// "panel.cfg". The same arguments always give the same tree. Everything is flushed to disk
// before it returns, so that no write-back runs into the measurements.
void generateTree(const std::filesystem::path& root, const TreeSize& size, PanelStyle style);

// Puts back (empty) gauge files of these names, after a removal took them, and flushes them
// to disk as they would be on a simulator folder that has been in use.
void restoreGaugeFiles(const std::filesystem::path& root, const std::vector<std::string>& names);

}  // namespace bench
