#include "platform/win32/Win32Console.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/Win32Text.h"

namespace zelk::win32 {
namespace {

std::string utf8Of(const wchar_t* text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(size) - 1);
    return utf8;
}

bool isUsable(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// A console takes UTF-16, whatever its code page; a file or a pipe gets the bytes.
void writeTo(HANDLE handle, const std::string& text) {
    if (!isUsable(handle) || text.empty()) {
        return;
    }
    DWORD mode = 0;
    DWORD written = 0;
    if (::GetConsoleMode(handle, &mode)) {
        const std::wstring wide = widen(text);
        ::WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        ::WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

}  // namespace

std::vector<std::string> programArguments() {
    int count = 0;
    LPWSTR* words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words != nullptr && i < count; ++i) {
        arguments.push_back(utf8Of(words[i]));
    }
    ::LocalFree(words);
    return arguments;
}

void writeToConsole(const std::string& out, const std::string& err) {
    HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
    HANDLE console = INVALID_HANDLE_VALUE;
    if ((!isUsable(output) || !isUsable(error)) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        console = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    }
    writeTo(isUsable(output) ? output : console, out);
    writeTo(isUsable(error) ? error : console, err);
    if (isUsable(console)) {
        ::CloseHandle(console);
    }
}

}  // namespace zelk::win32
