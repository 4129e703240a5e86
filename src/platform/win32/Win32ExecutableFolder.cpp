#include <windows.h>

#include "platform/ExecutableFolder.h"
#include "platform/win32/Win32Text.h"

namespace zelk {
namespace {

// The full path of the running .exe; empty if the system does not say.
std::wstring modulePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    while (buffer.size() <= 65536) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);  // cut short: the path is longer than the buffer
    }
    return {};
}

}  // namespace

// The folder without a trailing backslash, except for a drive root ("C:\"), which is how
// Windows itself names it; "." if the system does not say.
std::string executableFolder() {
    const std::wstring path = modulePath();
    const auto separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        return ".";
    }
    std::wstring folder = path.substr(0, separator);
    if (!folder.empty() && folder.back() == L':') {
        folder += L'\\';
    }
    return win32::narrow(folder).value_or(".");
}

}  // namespace zelk
