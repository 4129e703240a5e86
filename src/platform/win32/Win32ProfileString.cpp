#include "platform/win32/Win32ProfileString.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <optional>

#include "platform/win32/Win32Path.h"
#include "platform/win32/Win32Text.h"

namespace zelk::win32 {
namespace {

// The folder's 8.3 name; nothing when the system keeps none.
std::optional<std::string> shortFolderName(const std::string& folder) {
    const std::wstring wide = widen(folder);
    const DWORD needed = ::GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0) {
        return std::nullopt;
    }
    std::wstring shortName(needed, L'\0');
    const DWORD length = ::GetShortPathNameW(wide.c_str(), shortName.data(), needed);
    if (length == 0 || length >= needed) {
        return std::nullopt;
    }
    shortName.resize(length);
    return narrow(shortName);
}

// The file's path in ANSI. A folder with a name beyond the code page (a user's folder named in
// another script) is reached through its 8.3 name where the system keeps one.
std::optional<std::string> ansiPathOf(const std::string& fileName) {
    if (auto ansi = ansiFromUtf8(fileName)) {
        return ansi;
    }
    const auto separator = fileName.find_last_of("\\/");
    if (separator == std::string::npos || separator == 0) {
        return std::nullopt;
    }
    const auto folder = shortFolderName(fileName.substr(0, separator));
    if (!folder) {
        return std::nullopt;
    }
    return ansiFromUtf8(joinPath(*folder, fileName.substr(separator + 1)));
}

// A UTF-8 text cut to fit size - 1 bytes without splitting a character, NUL-ended.
std::size_t placeInBuffer(const std::string& text, char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    std::size_t length = std::min(text.size(), size - 1);
    while (length > 0 && length < text.size() &&
           (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
        --length;  // text[length] continues a character: cut before that character
    }
    std::copy_n(text.data(), length, buffer);
    buffer[length] = '\0';
    return length;
}

// What Windows gives for a file it cannot open: the default without its trailing blanks.
std::string defaultAsPlaced(std::string defaultValue) {
    const auto end = defaultValue.find_last_not_of(' ');
    defaultValue.resize(end == std::string::npos ? 0 : end + 1);
    return defaultValue;
}

}  // namespace

std::size_t GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, char* buffer,
                                     std::size_t size, const std::string& fileName) {
    const auto file = ansiPathOf(fileName);
    const auto ansiSection = ansiFromUtf8(section);
    const auto ansiKey = ansiFromUtf8(key);
    const auto ansiDefault = ansiFromUtf8(defaultValue);
    if (!file || !ansiSection || !ansiKey || !ansiDefault || size == 0) {
        return placeInBuffer(defaultAsPlaced(defaultValue), buffer, size);
    }
    std::string ansi(std::min<std::size_t>(size, INT_MAX), '\0');
    const DWORD length =
        ::GetPrivateProfileStringA(ansiSection->c_str(), ansiKey->c_str(), ansiDefault->c_str(),
                                   ansi.data(), static_cast<DWORD>(ansi.size()), file->c_str());
    ansi.resize(std::min<std::size_t>(length, ansi.size()));
    return placeInBuffer(utf8FromAnsi(ansi), buffer, size);
}

bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& fileName) {
    const auto file = ansiPathOf(fileName);
    const auto ansiSection = ansiFromUtf8(section);
    const auto ansiKey = ansiFromUtf8(key);
    const auto ansiValue = ansiFromUtf8(value);
    if (!file || !ansiSection || !ansiKey || !ansiValue) {
        return false;
    }
    return ::WritePrivateProfileStringA(ansiSection->c_str(), ansiKey->c_str(), ansiValue->c_str(),
                                        file->c_str()) != FALSE;
}

}  // namespace zelk::win32
