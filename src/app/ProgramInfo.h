#pragma once

#include <string>

#include "app/ProgramVersion.h"

namespace zelk {

inline constexpr const char* kProgramTitle = "Zelk Gauges";
inline constexpr const char* kProgramDescription = "Scan and delete unused FS2000 gauges.";
inline constexpr const char* kCopyright = "\u00a9 Zelk Gauges team";
inline constexpr const char* kEmail = "zelkgauges@example.org";

// The About window's version line: "Version " and the major and minor numbers, "Version 1.0".
inline std::string versionLine() {
    return "Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
}

}  // namespace zelk
