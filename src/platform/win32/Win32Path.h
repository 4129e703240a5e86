#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

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

// The path the system gives for what the handle has open, links followed, in the form asked
// for (FILE_NAME_NORMALIZED, FILE_NAME_OPENED), with its "\\?\" prefix. Nothing when the
// system cannot tell it; GetLastError() says why.
std::optional<std::wstring> finalPathByHandle(HANDLE handle, DWORD form);

// A path the system gave with the "\\?\" (or "\\?\UNC\") prefix as users and the 8-bit
// calls write it: without the prefix that only the wide calls take. Nothing when it is not valid
// UTF-16.
std::optional<std::string> withoutApiPrefix(std::wstring_view path);

}  // namespace zelk::win32
