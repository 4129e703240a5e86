#include "platform/win32/Win32Console.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <string_view>

#include "platform/win32/Win32Error.h"
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

// A pipe whose reader has gone ends the output without a word, as a closed pipe does on Linux.
// Windows says so in one of three ways, Wine with the last.
WriteOutcome failure(DWORD error) {
    if (error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE || error == ERROR_PIPE_NOT_CONNECTED) {
        return {WriteOutcome::Kind::PipeClosed, {}};
    }
    return {WriteOutcome::Kind::Failed, systemMessage(error)};
}

// Writes in pieces until all is written; a write that succeeds without writing is a failure
// too, or the loop would never end.
template <typename Text, typename Write>
WriteOutcome writeAll(Text text, std::size_t piece, Write&& write) {
    while (!text.empty()) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min(text.size(), piece));
        if (!write(text.data(), size, &written)) {
            return failure(::GetLastError());
        }
        if (written == 0) {
            return failure(ERROR_WRITE_FAULT);
        }
        text.remove_prefix(std::min<std::size_t>(written, text.size()));
    }
    return {};
}

// A console takes UTF-16, whatever its code page, in pieces that older consoles accept.
WriteOutcome writeConsole(HANDLE console, const std::wstring& text) {
    constexpr std::size_t kPiece = 8192;
    std::wstring_view rest = text;
    while (!rest.empty()) {
        std::size_t size = std::min(rest.size(), kPiece);
        if (size < rest.size() && IS_HIGH_SURROGATE(rest[size - 1])) {
            --size;  // a surrogate pair is written in one piece
        }
        const WriteOutcome piece =
            writeAll(rest.substr(0, size), size, [&](const wchar_t* at, DWORD n, DWORD* written) {
                return ::WriteConsoleW(console, at, n, written, nullptr);
            });
        if (piece.kind != WriteOutcome::Kind::Written) {
            return piece;
        }
        rest.remove_prefix(size);
    }
    return {};
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

StandardStreams::StandardStreams()
    : out_(::GetStdHandle(STD_OUTPUT_HANDLE)),
      err_(::GetStdHandle(STD_ERROR_HANDLE)),
      console_(INVALID_HANDLE_VALUE) {
    if ((!isUsable(out_) || !isUsable(err_)) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        console_ = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    }
    out_ = isUsable(out_) ? out_ : console_;
    err_ = isUsable(err_) ? err_ : console_;
}

StandardStreams::~StandardStreams() {
    if (isUsable(console_)) {
        ::CloseHandle(console_);
    }
}

WriteOutcome StandardStreams::writeTo(void* handle, const std::string& text) {
    if (!isUsable(handle) || text.empty()) {
        return {};
    }
    DWORD mode = 0;
    if (::GetConsoleMode(handle, &mode)) {
        return writeConsole(handle, widen(text));
    }
    constexpr std::size_t kPiece = 1 << 20;
    return writeAll(std::string_view(text), kPiece, [&](const char* at, DWORD n, DWORD* written) {
        return ::WriteFile(handle, at, n, written, nullptr);
    });
}

}  // namespace zelk::win32
