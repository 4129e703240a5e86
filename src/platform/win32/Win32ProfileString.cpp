#include "platform/win32/Win32ProfileString.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <utility>
#include <vector>

#include "platform/win32/Win32Handle.h"
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

// What the reader gives for a stored value: blanks around it and one pair of matching quotes
// dropped.
std::string asRead(const std::string& stored) {
    const auto first = stored.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    std::string value = stored.substr(first, stored.find_last_not_of(" \t") + 1 - first);
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

// A list of NUL-ended strings that a profile call placed; the call tells a list cut short by
// the size of its buffer with size - 2.
template <typename Call>
std::vector<std::string> stringListOf(Call&& call) {
    for (DWORD size = 4096;; size *= 4) {
        std::string buffer(size, '\0');
        const DWORD length = call(buffer.data(), size);
        if (length + 2 >= size && size < (1u << 26)) {
            continue;
        }
        std::vector<std::string> strings;
        for (std::size_t at = 0; at < length;) {
            const std::size_t end = buffer.find('\0', at);
            strings.push_back(buffer.substr(at, end - at));
            at = end + 1;
        }
        return strings;
    }
}

struct ProfileChange {
    std::string section;
    std::string key;
    std::string value;
};

// Every section of the file with its lines as the system reads them, less the one line that
// the change may write: what a write of that one value must leave as it was.
std::vector<std::pair<std::string, std::vector<std::string>>> everythingElse(
    const std::string& ansiFile, const ProfileChange& change) {
    std::vector<std::pair<std::string, std::vector<std::string>>> sections;
    if (ansiFile.empty()) {
        return sections;
    }
    const auto names = stringListOf([&](char* buffer, DWORD size) {
        return ::GetPrivateProfileSectionNamesA(buffer, size, ansiFile.c_str());
    });
    for (const std::string& name : names) {
        auto lines = stringListOf([&](char* buffer, DWORD size) {
            return ::GetPrivateProfileSectionA(name.c_str(), buffer, size, ansiFile.c_str());
        });
        if (::lstrcmpiA(name.c_str(), change.section.c_str()) == 0) {
            std::erase_if(lines, [&](const std::string& line) {
                const std::string lineKey = asRead(line.substr(0, line.find('=')));
                return ::lstrcmpiA(lineKey.c_str(), change.key.c_str()) == 0;
            });
            if (lines.empty()) {
                continue;
            }
        }
        sections.emplace_back(name, std::move(lines));
    }
    return sections;
}

struct FileCopy {
    std::wstring wide;
    std::string ansi;
};

// A copy of the file beside it, under a name no one else has: the system's writer rewrites a
// file in place, and a write that fails half-way must not cut the user's file. An empty file
// when there is nothing to copy.
std::optional<FileCopy> copyBeside(const std::string& fileName, const std::wstring& target,
                                   bool exists) {
    const std::string stem = fileName + "." + std::to_string(::GetCurrentProcessId()) + ".";
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::string name = stem + std::to_string(attempt) + ".tmp";
        const auto ansi = ansiPathOf(name);
        if (!ansi) {
            return std::nullopt;
        }
        const std::wstring wide = toApiPath(name);
        bool made = false;
        if (exists) {
            made = ::CopyFileW(target.c_str(), wide.c_str(), TRUE) != FALSE;
        } else {
            const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                              FILE_ATTRIBUTE_NORMAL, nullptr);
            made = file != INVALID_HANDLE_VALUE;
            if (made) {
                ::CloseHandle(file);
            }
        }
        if (made) {
            return FileCopy{wide, *ansi};
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            ::DeleteFileW(wide.c_str());  // a copy cut short by a full disk
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// Writes the value into the copy with the system's own function and checks that the copy
// reads back the value and everything else the file held.
bool writeAndCheck(const ProfileChange& change, const std::string& ansiFile,
                   const std::string& ansiCopy) {
    const auto before = everythingElse(ansiFile, change);
    if (!::WritePrivateProfileStringA(change.section.c_str(), change.key.c_str(),
                                      change.value.c_str(), ansiCopy.c_str())) {
        return false;
    }
    std::string readBack(4096, '\0');
    const DWORD length = ::GetPrivateProfileStringA(
        change.section.c_str(), change.key.c_str(), "\n", readBack.data(),
        static_cast<DWORD>(readBack.size()), ansiCopy.c_str());
    readBack.resize(length);
    return readBack == asRead(change.value) && everythingElse(ansiCopy, change) == before;
}

// The file that a link leads to, links followed to the end: a copy that replaced the link
// would turn it into a plain file, and the file it leads to would keep the old value. A file
// that cannot be opened (none yet) is the path as given; a file whose final path the system
// cannot tell is nothing, and is not written.
std::optional<std::string> fileBehindLinks(const std::string& fileName) {
    const UniqueHandle file(::CreateFileW(
        toApiPath(fileName).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        return fileName;
    }
    const auto final = finalPathByHandle(file.get(), FILE_NAME_NORMALIZED);
    return final ? withoutApiPrefix(*final) : std::nullopt;
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
                                const std::string& value, const std::string& givenName) {
    const auto target = fileBehindLinks(givenName);
    if (!target) {
        return false;
    }
    const std::string& fileName = *target;
    const auto file = ansiPathOf(fileName);
    const auto ansiSection = ansiFromUtf8(section);
    const auto ansiKey = ansiFromUtf8(key);
    const auto ansiValue = ansiFromUtf8(value);
    if (!file || !ansiSection || !ansiKey || !ansiValue) {
        return false;
    }
    const std::wstring apiPath = toApiPath(fileName);
    const DWORD attributes = ::GetFileAttributesW(apiPath.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return false;
    }
    const auto copy = copyBeside(fileName, apiPath, exists);
    if (!copy) {
        return false;
    }
    const ProfileChange change{*ansiSection, *ansiKey, *ansiValue};
    const bool written = writeAndCheck(change, exists ? *file : std::string(), copy->ansi);
    if (!written || !::MoveFileExW(copy->wide.c_str(), apiPath.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(copy->wide.c_str());
        return false;
    }
    return true;
}

}  // namespace zelk::win32
