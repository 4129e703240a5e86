#include "platform/win32/Win32Text.h"

#include <windows.h>

#include <climits>

#include "platform/Error.h"

namespace zelk::win32 {
namespace {

int checkedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        throw makeError(ErrorNumber::OutOfMemory, "a text of " + std::to_string(size) + " bytes");
    }
    return static_cast<int>(size);
}

// MultiByteToWideChar in its two steps (size, then text); nothing when the flags reject the input.
std::optional<std::wstring> toUtf16(UINT codePage, DWORD flags, std::string_view bytes) {
    if (bytes.empty()) {
        return std::wstring();
    }
    const int length = checkedLength(bytes.size());
    const int needed = ::MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
    if (needed <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    ::MultiByteToWideChar(codePage, flags, bytes.data(), length, wide.data(), needed);
    return wide;
}

// WideCharToMultiByte in its two steps; usedDefault, when given, tells whether a character had
// to be replaced.
std::optional<std::string> fromUtf16(UINT codePage, DWORD flags, std::wstring_view wide,
                                     BOOL* usedDefault) {
    if (wide.empty()) {
        return std::string();
    }
    const int length = checkedLength(wide.size());
    const int needed = ::WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0,
                                             nullptr, usedDefault);
    if (needed <= 0) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    ::WideCharToMultiByte(codePage, flags, wide.data(), length, bytes.data(), needed, nullptr,
                          usedDefault);
    return bytes;
}

}  // namespace

std::wstring widen(std::string_view utf8) {
    auto wide = toUtf16(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
    if (!wide) {
        throw makePathError(ErrorNumber::InvalidArgument, utf8, "not a valid UTF-8 name");
    }
    return std::move(*wide);
}

std::optional<std::string> narrow(std::wstring_view utf16) {
    return fromUtf16(CP_UTF8, WC_ERR_INVALID_CHARS, utf16, nullptr);
}

std::optional<std::string> ansiFromUtf8(std::string_view utf8) {
    const auto wide = toUtf16(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
    if (!wide) {
        return std::nullopt;
    }
    // No best fit either: "ö" must not quietly become "o" in a path.
    BOOL usedDefault = FALSE;
    auto ansi = fromUtf16(CP_ACP, WC_NO_BEST_FIT_CHARS, *wide, &usedDefault);
    if (!ansi || usedDefault) {
        return std::nullopt;
    }
    return ansi;
}

std::string ansiForDisplay(std::string_view utf8) {
    const auto wide = toUtf16(CP_UTF8, 0, utf8);
    return wide ? fromUtf16(CP_ACP, 0, *wide, nullptr).value_or("?") : "?";
}

std::string utf8FromAnsi(std::string_view ansi) {
    const auto wide = toUtf16(CP_ACP, 0, ansi);
    return wide ? narrow(*wide).value_or(std::string()) : std::string();
}

}  // namespace zelk::win32
