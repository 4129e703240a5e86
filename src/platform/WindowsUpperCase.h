#pragma once

namespace zelk {

// The upper case of one character as Windows compares file names: by a fixed table per UTF-16
// unit, not by Unicode's full rules. It folds the final sigma into the capital sigma, as the
// table of Windows 7 and of exFAT volumes does, and everything that the table of later NTFS
// volumes and Wine fold; it leaves alone what Windows leaves alone (the dotless i, the long s,
// the micro sign, the Kelvin sign, the sharp s). Characters beyond the Basic Multilingual Plane
// come back unchanged, and no character beyond ASCII turns into one of ASCII.
char32_t windowsUpperCase(char32_t c);

}  // namespace zelk
