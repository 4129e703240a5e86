#include "app/PanelReferences.h"

#include <memory>
#include <unordered_set>
#include <vector>

#include "scan/GaugeMatch.h"
#include "scan/GaugeRule.h"

namespace zelk {

void PanelReferences::panelRead(const File& panel) {
    Panel& read = panels_.emplace_back(Panel{panel.Path(), {}, {}});
    TextStream stream = panel.OpenAsTextStream(1, 0);
    while (!stream.AtEndOfStream()) {
        const auto name = gaugeNameOf(stream.ReadLineView());
        if (name && !read.names.containsUpTo(*name, read.count)) {
            read.names.add(read.count, std::string(*name));
        }
    }
}

std::string PanelReferences::usedFiles(const Folder& gauges, const NameList& unused) const {
    std::unordered_set<std::string> toRemove;
    for (int i = 1; unused.hasSlots() && i <= unused.upperBound().value(); ++i) {
        toRemove.insert(unused.at(i));
    }
    std::vector<std::pair<const Panel*, std::unique_ptr<GaugeMatch>>> matches;
    for (const Panel& panel : panels_) {
        if (panel.names.hasSlots()) {
            matches.emplace_back(&panel, std::make_unique<GaugeMatch>(panel.names));
        }
    }
    std::string lines;
    for (const File& file : gauges.Files()) {
        if (toRemove.contains(file.Name())) {
            continue;
        }
        for (const auto& [panel, match] : matches) {
            if (match->accountsFor(file.Name())) {
                lines += file.Path() + "  <-  " + panel->path + "\n";
            }
        }
    }
    return lines;
}

}  // namespace zelk
