#include "platform/win32/Win32Path.h"

#include <windows.h>

#include <string_view>

#include "platform/win32/Win32Text.h"

namespace zelk::win32 {
namespace {

// Room for what a caller appends (a search pattern "\*") and for the classic limit on folder
// names, 12 characters below MAX_PATH.
constexpr std::size_t kLongPathFrom = MAX_PATH - 12;

bool hasPrefix(std::wstring_view path, std::wstring_view prefix) {
    return path.substr(0, prefix.size()) == prefix;
}

std::wstring fullPath(const std::wstring& path) {
    const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return path;  // the call that uses the path reports what is wrong with it
    }
    std::wstring full(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) {
        return path;
    }
    full.resize(length);
    return full;
}

}  // namespace

std::wstring toApiPath(const std::string& path) {
    std::wstring wide = widen(path);
    if (wide.size() < kLongPathFrom || hasPrefix(wide, LR"(\\?\)") || hasPrefix(wide, LR"(\\.\)")) {
        return wide;
    }
    const std::wstring full = fullPath(wide);
    if (hasPrefix(full, LR"(\\)")) {
        return LR"(\\?\UNC\)" + full.substr(2);
    }
    return LR"(\\?\)" + full;
}

std::wstring toExactApiPath(const std::string& path) {
    const std::wstring wide = widen(path);
    if (hasPrefix(wide, LR"(\\?\)") || hasPrefix(wide, LR"(\\.\)")) {
        return wide;
    }
    const auto separator = wide.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        return toApiPath(path);  // a bare name: the caller's folder is not known here
    }
    // A drive root keeps its separator ("C:\"); the full path of "C:" is the current folder.
    const std::wstring folder = fullPath(wide.substr(0, separator + 1));
    std::wstring exact = folder;
    if (exact.empty() || (exact.back() != L'\\' && exact.back() != L'/')) {
        exact += L'\\';
    }
    exact += wide.substr(separator + 1);
    if (hasPrefix(exact, LR"(\\?\)")) {
        return exact;
    }
    if (hasPrefix(exact, LR"(\\)")) {
        return LR"(\\?\UNC\)" + exact.substr(2);
    }
    return LR"(\\?\)" + exact;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) {
        return folder + name;
    }
    return folder + "\\" + name;
}

std::optional<std::wstring> finalPathByHandle(HANDLE handle, DWORD form) {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetFinalPathNameByHandleW(handle, name.data(), static_cast<DWORD>(name.size()), form);
        if (length == 0) {
            return std::nullopt;
        }
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(length + 1);
    }
}

std::optional<std::string> withoutApiPrefix(std::wstring_view path) {
    if (hasPrefix(path, LR"(\\?\UNC\)")) {
        const auto share = narrow(path.substr(8));
        return share ? std::optional("\\\\" + *share) : std::nullopt;
    }
    if (hasPrefix(path, LR"(\\?\)")) {
        path.remove_prefix(4);
    }
    return narrow(path);
}

}  // namespace zelk::win32
