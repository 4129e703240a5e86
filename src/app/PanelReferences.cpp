#include "app/PanelReferences.h"

#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

#include "platform/VisibleName.h"
#include "scan/UnusedScan.h"

namespace zelk {

void PanelReferences::panelRead(const File& panel, NameList names) {
    panels_.push_back(Panel{visibleName(panel.Path()), std::move(names)});
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
        std::optional<std::string> shortName;  // asked of the disk once, if at all
        const auto shortNameOf = [&] {
            if (!shortName) {
                shortName = file.ShortName();
            }
            return *shortName;
        };
        const std::string shown = visibleName(file.Path());
        for (const auto& [panel, match] : matches) {
            if (isInUse(*match, file.Name(), shortNameOf)) {
                lines += shown + "  <-  " + panel->path + "\n";
            }
        }
    }
    return lines;
}

}  // namespace zelk
