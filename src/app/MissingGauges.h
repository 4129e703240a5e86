#pragma once

#include <deque>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/CommandContext.h"
#include "scan/GaugeRule.h"

namespace zelk {

// Which panels load a gauge that the gauges folder lacks: the aircraft that a missing gauge
// breaks. Each panel is read as the simulator loads its gauges (LoadedGaugeReader), from the
// lines the Scan itself reads; only the command line's --missing asks for it, so a Scan that
// nobody asks this of does no more than before.
class MissingGauges : public PanelWatch {
public:
    void lineRead(std::string_view line) override;
    void panelRead(const File& panel, NameList names) override;

    // "Missing: N", then one line "<gauge>  <-  <panel file>" for each gauge that a panel
    // loads and no file provides, both as visibleName shows them, the gauge as the panel writes
    // it; "  (outside GAUGES)" ends the line of a gauge whose path leads out of the gauges
    // folder. The panels come in the order the Scan read them, the gauges of each in the order
    // it loads them, each once. A gauge is provided by a file that the Scan would keep for that
    // name alone: directly in GAUGES, or, for a name with folders (Sub\Name), in that folder
    // below GAUGES; a folder that is not there provides nothing. gauges is the folder the Scan
    // listed.
    std::string report(const Folder& gauges, const DiskAccess& access) const;

private:
    struct Panel {
        std::string path;                 // as visibleName shows it
        std::vector<std::string> loaded;  // each once, in the order loaded
    };
    LoadedGaugeReader reader_;
    Panel reading_;                         // the panel being read
    std::unordered_set<std::string> seen_;  // its gauges so far
    std::deque<Panel> panels_;
};

}  // namespace zelk
