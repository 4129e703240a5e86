#pragma once

#include <string>

#include "core/CommandContext.h"

namespace zelk {

inline constexpr const char* kRemoveQuestion = "You want to remove all unused gauge files?";
inline constexpr const char* kRemovedQuestion =
    "All files succefully removed. Exit from Zelk Gauge?";

// Deletes every file directly in folderspec whose name stands exactly in UnusedList (read-only
// files too), advancing the removal bar over all files, then offers to end the program. It
// works only in the very folder the latest Scan listed, and only when every listed file is
// still there and can be deleted now; otherwise it stops before the first deletion.
void DeleteFileList(const CommandContext& context, const std::string& folderspec);

// The Zelk command: asks first; only Yes removes.
void runRemovalCommand(const CommandContext& context);

}  // namespace zelk
