#pragma once

#include <string>

namespace zelk::win32 {

// The path as the wide calls take it. A path is used as it is (drive letters, UNC paths,
// doubled separators, which Windows reads as one); only a path too long for the classic
// limit of 260 characters is made absolute and given the "\\?\" (or "\\?\UNC\") prefix that
// lifts the limit on every Windows since 7.
std::wstring toApiPath(const std::string& path);

// The path of exactly the entry named by its last part: the folder made absolute, the name
// kept as it is, behind the "\\?\" prefix, so that Windows' path rules (trailing dots and
// blanks dropped, CON or NUL read as devices) never turn it into another name.
std::wstring toExactApiPath(const std::string& path);

// folder + "\" + name, without doubling a separator that ends the folder (a drive root).
std::string joinPath(const std::string& folder, const std::string& name);

}  // namespace zelk::win32
