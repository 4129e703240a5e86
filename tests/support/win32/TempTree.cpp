// The test tree on Windows: the same helpers as on Linux, on the Windows calls where POSIX
// has no counterpart (a unique folder, the read-only attribute). Paths are UTF-8; listed paths
// use "/" as on Linux, so that tests compare the same names.
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "platform/win32/Win32Text.h"
#include "support/TempTree.h"

namespace zelk::test {
namespace {

std::filesystem::path fromUtf8(const std::string& text) {
    return std::filesystem::path(win32::widen(text));
}

std::string toUtf8(const std::filesystem::path& path) {
    return win32::narrow(path.native()).value_or("?");
}

// The test data as Windows reaches it. Under Wine a Linux path reaches it through drive Z:,
// which Wine maps to "/"; a Windows build names the folder with its drive already.
std::filesystem::path testData() {
    const std::string data = ZELK_TEST_DATA;
    return fromUtf8(data.rfind('/', 0) == 0 ? "Z:" + data : data);
}

// Runs a Linux command on the Linux paths of the given files, through Wine's start /unix;
// false when not under Wine.
bool runUnix(const std::string& command, const std::vector<std::filesystem::path>& paths) {
    using UnixName = char*(__cdecl*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr) {
        return false;
    }
    std::string line = "start.exe /wait /unix " + command;
    for (const auto& path : paths) {
        char* name = unixName(path.c_str());
        if (name == nullptr) {
            throw std::runtime_error("no Linux path for " + toUtf8(path));
        }
        line += " \"" + std::string(name) + "\"";
        ::HeapFree(::GetProcessHeap(), 0, name);
    }
    std::wstring wide = win32::widen(line);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, wide.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        throw std::runtime_error("cannot run " + line);
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

// start /wait cannot wait for a Linux process: the caller waits for its effect instead.
void waitUntil(const std::function<bool()>& done, const std::filesystem::path& path) {
    for (int tries = 0; !done(); ++tries) {
        if (tries == 500) {
            throw std::runtime_error("a Linux command did not finish with " + toUtf8(path));
        }
        ::Sleep(10);
    }
}

bool entryExists(const std::filesystem::path& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

TempTree::TempTree() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    const unsigned long long seed = ::GetTickCount64() ^ ::GetCurrentProcessId();
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        const auto candidate = base / (L"zelk-test-" + std::to_wstring(seed + attempt));
        if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
            root_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempTree::~TempTree() {
    // Under Wine, Unix links and names that Windows cannot address (a trailing dot) would stop
    // the Windows calls: Linux removes the tree.
    if (runUnix("/bin/rm -rf", {root_})) {
        try {
            waitUntil([this] { return !entryExists(root_); }, root_);
        } catch (const std::runtime_error&) {
            // a folder left in the temporary folder is no reason to end the tests
        }
        return;
    }
    std::error_code ignored;
    // A read-only file would stop remove_all on Windows.
    for (auto it = std::filesystem::recursive_directory_iterator(root_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        ::SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::filesystem::remove_all(root_, ignored);
}

std::string TempTree::path(const std::string& relative) const {
    // With the system's own separators throughout, as the program names paths in messages.
    std::filesystem::path full = relative.empty() ? root_ : root_ / fromUtf8(relative);
    return toUtf8(full.make_preferred());
}

void TempTree::write(const std::string& relative, const std::string& content) const {
    const auto file = root_ / fromUtf8(relative);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out) {
        throw std::runtime_error("cannot write " + toUtf8(file));
    }
}

void TempTree::mkdir(const std::string& relative) const {
    std::filesystem::create_directories(root_ / fromUtf8(relative));
}

void TempTree::copyData(const std::string& dataFolder, const std::string& relative) const {
    std::filesystem::create_directories(root_ / fromUtf8(relative));
    std::filesystem::copy(testData() / fromUtf8(dataFolder), root_ / fromUtf8(relative),
                          std::filesystem::copy_options::recursive);
}

void TempTree::makeReadOnly(const std::string& relative) const {
    const auto file = root_ / fromUtf8(relative);
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        !::SetFileAttributesW(file.c_str(), attributes | FILE_ATTRIBUTE_READONLY)) {
        throw std::runtime_error("cannot make read-only: " + toUtf8(file));
    }
}

// Under Wine the link is a Unix one, made by ln through Wine's start /unix: the kind of link
// that a collection copied from Linux holds, and that Wine shows as a plain file.
void TempTree::symlink(const std::string& target, const std::string& relative) const {
    const auto link = root_ / fromUtf8(relative);
    std::filesystem::create_directories(link.parent_path());
    if (!runUnix("/bin/ln -s", {fromUtf8(target), link})) {
        throw std::logic_error("symbolic links are made under Wine only");
    }
    waitUntil([&link] { return entryExists(link); }, link);
}

std::vector<std::string> TempTree::filesBelow(const std::string& relative) const {
    std::vector<std::string> found;
    const auto base = root_ / fromUtf8(relative);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(base)) {
        if (!entry.is_directory()) {
            auto name = toUtf8(entry.path().lexically_relative(base));
            std::replace(name.begin(), name.end(), '\\', '/');
            found.push_back(name);
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::string TempTree::read(const std::string& relative) const {
    std::ifstream in(root_ / fromUtf8(relative), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool TempTree::exists(const std::string& relative) const {
    std::error_code ignored;
    return std::filesystem::exists(root_ / fromUtf8(relative), ignored);
}

std::vector<std::string> TempTree::names(const std::string& relative) const {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(root_ / fromUtf8(relative))) {
        found.push_back(toUtf8(entry.path().filename()));
    }
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace zelk::test
