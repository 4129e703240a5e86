#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystemObject.h"
#include "settings/FolderLocation.h"

namespace zelk {

// The exit statuses of the command line beyond 0: a Scan that stopped, and a command line
// that the program does not understand (EX_USAGE of BSD's sysexits).
inline constexpr int kScanStoppedStatus = 2;
inline constexpr int kUsageStatus = 64;
// The exit status when what the command line printed could not all be written: a full disk, a
// pipe that nobody reads any more. A list cut short must never pass for the whole list.
inline constexpr int kOutputLostStatus = 1;

// What the program is asked for by its arguments (the program's name left out).
struct CommandLine {
    enum class Action { Window, List, Help, Version, BadUsage };
    Action action = Action::Window;
    bool used = false;                  // --used: the used gauge files too
    bool missing = false;               // --missing: the gauges that panels load and GAUGES lacks
    std::optional<std::string> folder;  // the simulator folder given after --list
    std::string problem;                // for BadUsage: what is wrong
};

CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// What the command line prints on standard output and standard error, and its exit status.
struct CommandLineResult {
    int exitStatus = 0;
    std::string out;
    std::string err;
};

// Carries out any action but Window, without a window and without a question. --list runs
// the Scan on the folder given (a relative one from the current folder), else on the
// remembered folder or the default one, never the picker; it deletes nothing and writes no
// setting.
CommandLineResult runCommandLine(const CommandLine& line, const DiskAccess& access,
                                 const SettingsFolders& folders);

// What standard error says when the output could not be written, with the system's reason.
// Nothing is said for a pipe that nobody reads any more: whoever closed it asked for no more.
std::string outputLostText(const std::string& reason);

}  // namespace zelk
