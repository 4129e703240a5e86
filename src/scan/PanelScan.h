#pragma once

#include <string>

#include "core/CommandContext.h"

namespace zelk {

// Lists the aircraft folders of folderspec into FolderList, reads the panels of each through
// ShowFileInfo while advancing the scan bar, then shows the folder and gauge counts in status
// panels 1 and 2.
void ShowFolderList(const CommandContext& context, const std::string& folderspec);

// Reads PANEL.CFG in every immediate subfolder of the aircraft folder named filespec and adds
// each gauge name not yet in GaugeList.
void ShowFileInfo(const CommandContext& context, const std::string& filespec);

// Adds the gauge names referenced by one panel file's lines.
void collectGaugeNames(RunState& state, TextStream& panel);

// The gauge names of one panel, each once, in the order first read.
struct PanelNames {
    NameList list;
    Int16 count;
};

// The same, and also puts the names in the panel's own list and tells the watch every line.
void collectGaugeNames(RunState& state, TextStream& panel, PanelNames& names, PanelWatch& watch);

}  // namespace zelk
