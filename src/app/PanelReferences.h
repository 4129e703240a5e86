#pragma once

#include <deque>
#include <string>

#include "core/CommandContext.h"
#include "core/NameList.h"

namespace zelk {

// Which panel file refers to which gauge file, from the names the Scan itself took out of each
// panel, matched by the Scan's own rule: so every file the Scan keeps has a panel that keeps
// it. Only the command line's --used asks for it, so a Scan that nobody asks this of does no
// more than before.
class PanelReferences : public PanelWatch {
public:
    void panelRead(const File& panel, NameList names) override;

    // For every file of the gauges folder that a panel accounts for and that is not to be
    // removed, one line "<gauge file>  <-  <panel file>" per panel that refers to it, both
    // paths as visibleName shows them: the files in the order Windows lists the folder, the
    // panels in the order the Scan read them.
    std::string usedFiles(const Folder& gauges, const NameList& unused) const;

private:
    struct Panel {
        std::string path;
        NameList names;
    };
    std::deque<Panel> panels_;
};

}  // namespace zelk
