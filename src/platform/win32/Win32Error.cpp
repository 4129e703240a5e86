#include "platform/win32/Win32Error.h"

#include <windows.h>

#include <memory>

#include "platform/Error.h"
#include "platform/VisibleName.h"
#include "platform/win32/Win32Text.h"

namespace zelk::win32 {
namespace {

bool meansNoPermission(unsigned long errorCode) {
    switch (errorCode) {
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_PRIVILEGE_NOT_HELD:
            return true;
        default:
            return false;
    }
}

struct LocalFreer {
    void operator()(wchar_t* text) const { ::LocalFree(text); }
};

}  // namespace

bool meansMissing(unsigned long errorCode) {
    switch (errorCode) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_DIRECTORY:
            return true;
        default:
            return false;
    }
}

std::string systemMessage(unsigned long errorCode) {
    wchar_t* raw = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&raw), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalFreer> owned(raw);
    std::wstring text = length > 0 ? std::wstring(raw, length) : std::wstring();
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.' ||
                             text.back() == L' ')) {
        text.pop_back();
    }
    std::string message = narrow(text).value_or(std::string());
    const std::string code = "Windows error " + std::to_string(errorCode);
    return message.empty() ? code : message + "; " + code;
}

void throwWindowsError(unsigned long errorCode, const std::string& path, bool isFolder) {
    if (meansMissing(errorCode)) {
        throw makePathError(isFolder ? ErrorNumber::PathNotFound : ErrorNumber::FileNotFound, path);
    }
    const std::string entry = isFolder ? "Folder " : "File ";
    if (errorCode == ERROR_SHARING_VIOLATION) {
        throw ZelkError(ErrorNumber::PermissionDenied,
                        entry + "in use: " + visibleName(path) +
                            " (another program has it open and does not share it; close that "
                            "program)");
    }
    if (errorCode == ERROR_LOCK_VIOLATION) {
        throw ZelkError(ErrorNumber::PermissionDenied,
                        entry + "locked: " + visibleName(path) +
                            " (another program has locked part of it; close that program)");
    }
    if (meansNoPermission(errorCode)) {
        throw makePathError(ErrorNumber::PermissionDenied, path);
    }
    throw makePathError(ErrorNumber::IoFailure, path, systemMessage(errorCode));
}

}  // namespace zelk::win32
