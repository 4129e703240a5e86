#pragma once

namespace zelk {

inline constexpr const char* kProgramTitle = "Zelk Gauges";
inline constexpr const char* kProgramDescription = "Scan and delete unused FS2000 gauges.";

}  // namespace zelk
