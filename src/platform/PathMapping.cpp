#include "platform/PathMapping.h"

#include <algorithm>
#include <cstdlib>

#include "platform/Disk.h"

namespace zelk {
namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string join(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

std::string asciiLower(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), lowerAscii);
    return lowered;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

bool listsBefore(std::string_view a, std::string_view b) {
    const auto byLowerByte = [](char x, char y) {
        return static_cast<unsigned char>(lowerAscii(x)) < static_cast<unsigned char>(lowerAscii(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), byLowerByte)) {
        return true;
    }
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), byLowerByte)) {
        return false;
    }
    return a < b;
}

WindowsPath parseWindowsPath(std::string_view path) {
    WindowsPath parsed;
    if (path.size() >= 2 && isAsciiLetter(path[0]) && path[1] == ':') {
        parsed.drive = lowerAscii(path[0]);
        parsed.rooted = true;  // "C:name" means the drive's root here: there is no current folder
        path.remove_prefix(2);
    } else {
        parsed.rooted = !path.empty() && isSeparator(path[0]);
    }
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !isSeparator(path[end])) {
            ++end;
        }
        const std::string_view component = path.substr(start, end - start);
        if (component == "..") {
            if (!parsed.components.empty()) {
                parsed.components.pop_back();
            }
        } else if (!component.empty() && component != ".") {
            parsed.components.emplace_back(component);
        }
        start = end + 1;
    }
    return parsed;
}

std::string defaultWinePrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) {
        return prefix;
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        return join(home, ".wine");
    }
    return {};
}

PathMapper::PathMapper(const Disk& disk, std::string winePrefix)
    : disk_(disk), winePrefix_(std::move(winePrefix)) {}

std::optional<std::string> PathMapper::rootOf(const WindowsPath& parsed) const {
    if (parsed.drive != 0) {
        if (winePrefix_.empty()) {
            return std::nullopt;
        }
        return join(join(winePrefix_, "dosdevices"), std::string(1, parsed.drive) + ":");
    }
    return parsed.rooted ? std::string("/") : std::string();
}

std::optional<std::string> PathMapper::lookUp(const std::string& folder,
                                              const std::string& name) const {
    const std::string exact = join(folder, name);
    if (disk_.exists(exact)) {
        return exact;
    }
    std::vector<DirEntry> entries;
    try {
        entries = disk_.list(folder.empty() ? "." : folder);
    } catch (...) {
        return std::nullopt;  // an unreadable folder: nothing below it can be found
    }
    std::optional<std::string> best;
    for (const DirEntry& entry : entries) {
        if (equalsIgnoringAsciiCase(entry.name, name) && (!best || entry.name < *best)) {
            best = entry.name;
        }
    }
    if (!best) {
        return std::nullopt;
    }
    return join(folder, *best);
}

std::optional<std::string> PathMapper::resolve(std::string_view path) const {
    const WindowsPath parsed = parseWindowsPath(path);
    std::optional<std::string> current = rootOf(parsed);
    if (!current) {
        return std::nullopt;
    }
    if (parsed.components.empty()) {
        if (current->empty()) {
            return std::nullopt;  // the empty path names nothing
        }
        return disk_.exists(*current) ? current : std::nullopt;
    }
    // Fast path: a path spelled exactly as stored needs no folder listing.
    std::string exact = *current;
    for (const std::string& component : parsed.components) {
        exact = join(exact, component);
    }
    if (disk_.exists(exact)) {
        return exact;
    }
    for (const std::string& component : parsed.components) {
        current = lookUp(*current, component);
        if (!current) {
            return std::nullopt;
        }
    }
    return current;
}

std::optional<std::string> PathMapper::resolveForWriting(std::string_view path) const {
    if (auto existing = resolve(path)) {
        return existing;
    }
    WindowsPath parsed = parseWindowsPath(path);
    if (parsed.components.empty()) {
        return std::nullopt;
    }
    const std::string name = parsed.components.back();
    parsed.components.pop_back();
    std::optional<std::string> folder = rootOf(parsed);
    if (!folder) {
        return std::nullopt;
    }
    for (const std::string& component : parsed.components) {
        folder = lookUp(*folder, component);
        if (!folder) {
            return std::nullopt;
        }
    }
    if (!folder->empty() && disk_.kindOf(*folder) != EntryKind::Folder) {
        return std::nullopt;
    }
    return join(*folder, name);
}

std::string PathMapper::displayPath(std::string_view path) {
    const WindowsPath parsed = parseWindowsPath(path);
    if (parsed.drive != 0 || !parsed.rooted) {
        return std::string(path);
    }
    std::string shown;
    for (const std::string& component : parsed.components) {
        shown += "/" + component;
    }
    return shown.empty() ? "/" : shown;
}

}  // namespace zelk
