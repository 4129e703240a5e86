#include "win32/Win32Floor.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <string_view>

#include "platform/win32/Win32Handle.h"

namespace bench {
namespace {

constexpr DWORD kPanelBytes = 256 * 1024;

using zelk::win32::UniqueFind;
using zelk::win32::UniqueHandle;

bool isDotOrDotDot(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

bool isFolder(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool sameIgnoringCase(const wchar_t* name, const wchar_t* other) {
    return ::CompareStringOrdinal(name, -1, other, -1, TRUE) == CSTR_EQUAL;
}

std::wstring wide(const std::string& utf8) {
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                          length);
    return text;
}

// Calls visit(entry) for every entry of the folder at path, "." and ".." left out. False when
// the folder could not be listed to its end.
template <typename Visit>
bool forEachEntry(const std::wstring& path, Visit&& visit) {
    const std::wstring pattern = path + L"\\*";
    WIN32_FIND_DATAW entry{};
    const UniqueFind search(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                               FindExSearchNameMatch, nullptr,
                                               FIND_FIRST_EX_LARGE_FETCH));
    if (search.get() == INVALID_HANDLE_VALUE) {
        return false;
    }
    do {
        if (!isDotOrDotDot(entry.cFileName)) {
            visit(entry);
        }
    } while (::FindNextFileW(search.get(), &entry));
    return ::GetLastError() == ERROR_NO_MORE_FILES;
}

std::wstring childOf(const std::wstring& folder, const wchar_t* name) {
    return folder + L"\\" + name;
}

class Win32FloorWalk {
public:
    Win32FloorWalk() : panel_(std::make_unique_for_overwrite<char[]>(kPanelBytes)) {}

    ScanFloorCount run(const std::wstring& simFolder) {
        std::wstring aircraft;
        std::wstring gauges;
        const bool listed = forEachEntry(simFolder, [&](const WIN32_FIND_DATAW& entry) {
            if (isFolder(entry) && sameIgnoringCase(entry.cFileName, L"AIRCRAFT")) {
                aircraft = childOf(simFolder, entry.cFileName);
            } else if (isFolder(entry) && sameIgnoringCase(entry.cFileName, L"GAUGES")) {
                gauges = childOf(simFolder, entry.cFileName);
            }
        });
        count(listed);
        walkAircraft(aircraft);
        listGauges(gauges);
        return count_;
    }

private:
    void count(bool listed) { count_.failures += listed ? 0 : 1; }

    void walkAircraft(const std::wstring& path) {
        count(forEachEntry(path, [&](const WIN32_FIND_DATAW& plane) {
            if (isFolder(plane)) {
                ++count_.aircraftFolders;
                walkPlane(childOf(path, plane.cFileName));
            }
        }));
    }

    void walkPlane(const std::wstring& path) {
        count(forEachEntry(path, [&](const WIN32_FIND_DATAW& candidate) {
            if (isFolder(candidate)) {
                ++count_.candidateFolders;
                readPanelsOf(childOf(path, candidate.cFileName));
            }
        }));
    }

    // Every file spelled PANEL.CFG in any case that the listing shows counts, so the whole
    // listing is read.
    void readPanelsOf(const std::wstring& path) {
        count(forEachEntry(path, [&](const WIN32_FIND_DATAW& entry) {
            if (!isFolder(entry) && sameIgnoringCase(entry.cFileName, L"PANEL.CFG")) {
                readWhole(childOf(path, entry.cFileName));
            }
        }));
    }

    void readWhole(const std::wstring& path) {
        const UniqueHandle file(::CreateFileW(
            path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) {
            ++count_.failures;
            return;
        }
        DWORD size = 0;
        for (;;) {
            DWORD got = 0;
            if (!::ReadFile(file.get(), panel_.get() + size, capacity_ - size, &got, nullptr)) {
                ++count_.failures;
                return;
            }
            size += got;
            if (size < capacity_) {
                break;
            }
            growPanelBuffer();
        }
        count_.panelBytes += static_cast<long>(size);
        ++count_.panels;
    }

    void growPanelBuffer() {
        auto larger = std::make_unique_for_overwrite<char[]>(capacity_ * 2);
        std::memcpy(larger.get(), panel_.get(), capacity_);
        panel_ = std::move(larger);
        capacity_ *= 2;
    }

    void listGauges(const std::wstring& path) {
        count(forEachEntry(path, [&](const WIN32_FIND_DATAW& entry) {
            count_.gaugeFiles += isFolder(entry) ? 0 : 1;
        }));
    }

    std::unique_ptr<char[]> panel_;
    DWORD capacity_ = kPanelBytes;
    ScanFloorCount count_;
};

}  // namespace

ScanFloorCount win32IoFloor(const std::string& simFolder) {
    return Win32FloorWalk().run(wide(simFolder));
}

}  // namespace bench
