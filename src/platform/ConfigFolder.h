#pragma once

#include <string>

namespace zelk {

// The folder in which this user's own settings file of the program is kept when the program's
// folder is no place for it: on Linux zelkgauges in $XDG_CONFIG_HOME when that is an absolute
// path, else in .config in the home folder; on Windows "Zelk Gauges" in the user's roaming
// application data (%APPDATA%). Empty when the system names no such place.
std::string userSettingsFolder();

// True when the folder is a program folder of the whole system, into which no settings file is
// written unless one already stands there: on Linux a folder below /usr, /opt, /bin, /sbin or
// /lib, or one that belongs to another user (a package's folder, writable to root as well). On
// Windows a folder that can be written is the user's own, as a portable program expects.
bool isSystemProgramFolder(const std::string& folder);

}  // namespace zelk
