#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/RunState.h"
#include "platform/FileSystemObject.h"

namespace zelk {

// How many names the tooltip of status panel 3 shows before it only counts the rest.
inline constexpr std::size_t kToolTipNames = 20;

// The files that the latest Scan listed to remove, in the folder it listed and in the order the
// removal deletes them (the order Windows lists the gauges folder); none when it listed nothing.
std::vector<File> filesToRemove(const RunState& state);

// One file the latest Scan listed to remove, as it is now.
struct ListedFileNow {
    enum class Now { File, Gone, Folder, NotAFile, Unreadable };
    std::string name;
    std::string path;  // the full native path
    Now now;
    std::uint64_t size = 0;  // of a file
};

// Every file the latest Scan listed to remove, looked at now. Whatever it finds, and whatever
// cannot be looked at, is an answer, never an error.
std::vector<ListedFileNow> lookAtFilesToRemove(const RunState& state);

// A number of files and their total size as users read it: "1 file, 512 bytes", "4 files, 1.2
// MB". Sizes go in units of 1024 bytes (KB, MB, GB, TB), the largest that keeps at least 1:
// with one decimal below 10 units, in whole units from 10 on, rounded to the nearest.
std::string filesAndSize(std::size_t files, std::uint64_t bytes);

// The tooltip of status panel 3: "Files to remove:", the first names in removal order, each
// marked when it is no longer a file since the Scan, "… and N more" when there are more, the
// number of the files still there with their total size, followed by what was not counted, and
// how to see the whole list; empty when there are none.
std::string removalToolTip(const std::vector<ListedFileNow>& files);

// What the window "Files to remove" shows of the files the latest Scan listed, built from the
// same look at them as the tooltip.
struct FilesToRemoveList {
    struct Row {
        std::string name;  // as shown: one line, escaped where it would fool the reader
        std::string size;  // "78 bytes"; for a file that changed since the Scan, what it is now
    };
    std::vector<Row> rows;  // one per file, in removal order
    // The number of the files still there and their total size, then what was not counted.
    std::string foot;
    // What Copy puts on the clipboard: the full paths, one a line, as the dry run lists them.
    std::string paths;
};

FilesToRemoveList filesToRemoveList(const std::vector<ListedFileNow>& files);

}  // namespace zelk
