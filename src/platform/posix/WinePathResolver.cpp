#include "platform/posix/WinePathResolver.h"

#include "platform/AsciiText.h"

#include <algorithm>
#include <cstdlib>

#include "platform/Disk.h"
#include "platform/Error.h"

namespace zelk {
namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string join(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

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

namespace {

// The cache key of the first count components of a parsed path.
std::string cacheKey(const WindowsPath& parsed, std::size_t count) {
    std::string key(1, parsed.drive == 0 ? (parsed.rooted ? '/' : '.') : parsed.drive);
    for (std::size_t i = 0; i < count; ++i) {
        key += '\\';
        key += parsed.components[i];
    }
    return key;
}

}  // namespace

PathMapper::PathMapper(const Disk& disk, std::string winePrefix, ResolutionCache* cache)
    : disk_(disk), winePrefix_(std::move(winePrefix)), cache_(cache) {}

namespace {

// Where the path starts on the native file system: a drive's folder in the Wine prefix, the
// root, or the current folder; nothing for a drive letter without a Wine prefix.
std::optional<std::string> rootIn(const std::string& winePrefix, const WindowsPath& parsed) {
    if (parsed.drive != 0) {
        if (winePrefix.empty()) {
            return std::nullopt;
        }
        return join(join(winePrefix, "dosdevices"), std::string(1, parsed.drive) + ":");
    }
    return parsed.rooted ? std::string("/") : std::string();
}

// The remembered spelling of the path's longest known part, the rest as given.
std::optional<std::string> likelyIn(const std::string& winePrefix, std::string_view path,
                                    const ResolutionCache* cache) {
    const WindowsPath parsed = parseWindowsPath(path);
    const std::optional<std::string> root = rootIn(winePrefix, parsed);
    if (!root || (root->empty() && parsed.components.empty())) {
        return std::nullopt;
    }
    std::size_t known = 0;
    std::string native = *root;
    if (cache) {
        for (std::size_t count = parsed.components.size(); count > 0; --count) {
            if (const std::string* remembered = cache->find(cacheKey(parsed, count))) {
                native = *remembered;
                known = count;
                break;
            }
        }
    }
    for (std::size_t i = known; i < parsed.components.size(); ++i) {
        native = join(native, parsed.components[i]);
    }
    return native;
}

}  // namespace

std::optional<std::string> PathMapper::rootOf(const WindowsPath& parsed) const {
    return rootIn(winePrefix_, parsed);
}

namespace {

// The entry for name among a folder's entries: the exact spelling, else the first in byte
// order of those that differ only in case.
const DirEntry* pick(const std::vector<DirEntry>& entries, const std::string& name) {
    const DirEntry* best = nullptr;
    for (const DirEntry& entry : entries) {
        if (entry.name == name) {
            return &entry;
        }
        if (equalsIgnoringAsciiCase(entry.name, name) && (!best || entry.name < best->name)) {
            best = &entry;
        }
    }
    return best;
}

// The folder's entries, or nothing when there is no such folder. A folder that is there but
// cannot be read is an error: what it holds is unknown, not absent.
std::optional<std::vector<DirEntry>> tryList(const Disk& disk, const std::string& folder) {
    try {
        return disk.list(folder.empty() ? "." : folder);
    } catch (const ZelkError& error) {
        if (error.number() == ErrorNumber::PathNotFound) {
            return std::nullopt;
        }
        throw;
    }
}

}  // namespace

void PathMapper::remember(const WindowsPath& parsed, std::size_t count,
                          const std::string& native) const {
    if (cache_) {
        cache_->remember(cacheKey(parsed, count), native);
    }
}

std::optional<PathMapper::Resolved> PathMapper::lookUp(const std::string& folder,
                                                       const std::string& name) const {
    std::string exact = join(folder, name);
    if (const auto kind = disk_.probe(exact)) {
        return Resolved{std::move(exact), *kind};
    }
    const auto entries = tryList(disk_, folder);
    const DirEntry* match = entries ? pick(*entries, name) : nullptr;
    if (!match) {
        return std::nullopt;
    }
    return Resolved{join(folder, match->name), match->kind};
}

// Looks up the components from next on, one by one, below an already resolved folder.
std::optional<PathMapper::Resolved> PathMapper::walk(Resolved from, const WindowsPath& parsed,
                                                     std::size_t next) const {
    for (std::size_t i = next; i < parsed.components.size(); ++i) {
        auto found = lookUp(from.path, parsed.components[i]);
        if (!found) {
            return std::nullopt;
        }
        from = std::move(*found);
        remember(parsed, i + 1, from.path);
    }
    return from;
}

// The longest remembered prefix, completed with the rest of the path as spelled.
std::optional<PathMapper::Resolved> PathMapper::fromCache(const WindowsPath& parsed) const {
    if (!cache_) {
        return std::nullopt;
    }
    for (std::size_t count = parsed.components.size(); count > 0; --count) {
        const std::string* native = cache_->find(cacheKey(parsed, count));
        if (!native) {
            continue;
        }
        std::string candidate = *native;
        for (std::size_t i = count; i < parsed.components.size(); ++i) {
            candidate = join(candidate, parsed.components[i]);
        }
        if (const auto kind = disk_.probe(candidate)) {
            return Resolved{std::move(candidate), *kind};
        }
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> PathMapper::likelyPath(std::string_view path) const {
    return likelyIn(winePrefix_, path, cache_);
}

std::optional<std::string> PathMapper::resolve(std::string_view path) const {
    auto entry = resolveEntry(path);
    if (!entry) {
        return std::nullopt;
    }
    return std::move(entry->path);
}

std::optional<PathMapper::Resolved> PathMapper::resolveEntry(std::string_view path) const {
    return resolveParsed(parseWindowsPath(path));
}

std::optional<PathMapper::Resolved> PathMapper::resolveParsed(const WindowsPath& parsed) const {
    const std::optional<std::string> root = rootOf(parsed);
    if (!root || (root->empty() && parsed.components.empty())) {
        return std::nullopt;  // no drive mapping, or the empty path
    }
    if (auto cached = fromCache(parsed)) {
        return cached;
    }
    // A path spelled exactly as stored needs one call.
    std::vector<std::string> prefixes{*root};
    for (const std::string& component : parsed.components) {
        prefixes.push_back(join(prefixes.back(), component));
    }
    if (const auto kind = disk_.probe(prefixes.back())) {
        return Resolved{prefixes.back(), *kind};
    }
    // Otherwise find the deepest folder that exists as spelled, by listing it (a folder that
    // is not there fails at once), and look up the rest from there.
    for (std::size_t level = parsed.components.size(); level-- > 0;) {
        const auto entries = tryList(disk_, prefixes[level]);
        if (!entries) {
            continue;
        }
        const DirEntry* match = pick(*entries, parsed.components[level]);
        if (!match) {
            return std::nullopt;
        }
        Resolved found{join(prefixes[level], match->name), match->kind};
        remember(parsed, level + 1, found.path);
        return walk(std::move(found), parsed, level + 1);
    }
    return std::nullopt;
}

std::optional<std::string> PathMapper::resolveForWriting(std::string_view path) const {
    WindowsPath parsed = parseWindowsPath(path);
    if (auto existing = resolveParsed(parsed)) {
        return std::move(existing->path);
    }
    if (parsed.components.empty()) {
        return std::nullopt;
    }
    const std::string name = parsed.components.back();
    parsed.components.pop_back();
    std::optional<std::string> folder = rootOf(parsed);
    if (folder && !parsed.components.empty()) {
        const auto entry = resolveParsed(parsed);
        folder =
            entry && entry->kind == EntryKind::Folder ? std::optional(entry->path) : std::nullopt;
    }
    if (!folder) {
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

namespace zelk {

std::optional<ResolvedPath> WinePathResolver::resolve(const Disk& disk, std::string_view path,
                                                      ResolutionCache* cache) const {
    auto entry = PathMapper(disk, winePrefix_, cache).resolveEntry(path);
    if (!entry) {
        return std::nullopt;
    }
    return ResolvedPath{std::move(entry->path), entry->kind};
}

std::optional<std::string> WinePathResolver::likelyPath(std::string_view path,
                                                        const ResolutionCache* cache) const {
    return likelyIn(winePrefix_, path, cache);
}

std::optional<std::string> WinePathResolver::resolveForWriting(const Disk& disk,
                                                               std::string_view path) const {
    return PathMapper(disk, winePrefix_).resolveForWriting(path);
}

std::string WinePathResolver::displayPath(std::string_view path) const {
    return PathMapper::displayPath(path);
}

}  // namespace zelk
