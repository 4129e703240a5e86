#pragma once

#include <deque>
#include <string>

#include "app/CommandContext.h"
#include "app/NameList.h"

namespace zelk {

// Which panel file refers to which gauge file: every panel a Scan reads is read once more,
// on its own, by the same rule. Only the command line's --used asks for it, so a Scan that
// nobody asks this of does no more than before.
class PanelReferences : public PanelWatch {
public:
    void panelRead(const File& panel) override;

    // For every file of the gauges folder that a panel accounts for and that is not to be
    // removed, one line "<gauge file>  <-  <panel file>" per panel that refers to it: the files
    // in the order Windows lists the folder, the panels in the order the Scan read them.
    std::string usedFiles(const Folder& gauges, const NameList& unused) const;

private:
    struct Panel {
        std::string path;
        NameList names;
        Int16 count;
    };
    std::deque<Panel> panels_;
};

}  // namespace zelk
