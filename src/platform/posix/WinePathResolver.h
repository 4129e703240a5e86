#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/Disk.h"
#include "platform/PathResolver.h"

namespace zelk {

// A path as the program builds it, Windows-style: an optional drive letter, then components
// separated by "\" or "/". Empty components (two separators in a row) are dropped.
struct WindowsPath {
    char drive = 0;  // lower-case drive letter, or 0 when the path has none
    bool rooted = false;
    std::vector<std::string> components;
};

WindowsPath parseWindowsPath(std::string_view path);

// The Wine prefix whose dosdevices folder maps drive letters: $WINEPREFIX, else ~/.wine.
std::string defaultWinePrefix();

// Maps Windows-style paths onto the native file system the way a Windows user expects:
// each component is looked up exactly, then without regard to ASCII case (the exact spelling
// wins, else the first match in byte order), and a drive letter goes through the Wine prefix.
class PathMapper {
public:
    PathMapper(const Disk& disk, std::string winePrefix, ResolutionCache* cache = nullptr);

    struct Resolved {
        std::string path;
        EntryKind kind;  // Missing for a dangling link
    };

    // Where the path most likely is, without asking the disk: the remembered spelling of its
    // longest known part, the rest as given. Nothing for a path that cannot be mapped at all.
    std::optional<std::string> likelyPath(std::string_view path) const;

    // The native path of an existing entry, or nothing when some component is missing.
    std::optional<std::string> resolve(std::string_view path) const;
    // The same, with what the entry is, for callers that need both.
    std::optional<Resolved> resolveEntry(std::string_view path) const;

    // The native path at which to create or replace the entry: the folder part must exist;
    // the last component is an existing entry matched as above, or taken as given.
    std::optional<std::string> resolveForWriting(std::string_view path) const;

    // How to name the path in a message: native paths with "/" throughout, others as given.
    static std::string displayPath(std::string_view path);

private:
    std::optional<std::string> rootOf(const WindowsPath& parsed) const;
    std::optional<Resolved> resolveParsed(const WindowsPath& parsed) const;
    std::optional<Resolved> lookUp(const std::string& folder, const std::string& name) const;
    std::optional<Resolved> walk(Resolved from, const WindowsPath& parsed, std::size_t next) const;
    void remember(const WindowsPath& parsed, std::size_t count, const std::string& native) const;
    std::optional<Resolved> fromCache(const WindowsPath& parsed) const;

    const Disk& disk_;
    std::string winePrefix_;
    ResolutionCache* cache_;
};

// The paths of the program on Linux: looked up by PathMapper, drive letters through a Wine
// prefix.
class WinePathResolver : public PathResolver {
public:
    explicit WinePathResolver(std::string winePrefix) : winePrefix_(std::move(winePrefix)) {}

    std::optional<ResolvedPath> resolve(const Disk& disk, std::string_view path,
                                        ResolutionCache* cache) const override;
    std::optional<std::string> likelyPath(std::string_view path,
                                          const ResolutionCache* cache) const override;
    std::optional<std::string> resolveForWriting(const Disk& disk,
                                                 std::string_view path) const override;
    std::string displayPath(std::string_view path) const override;

private:
    std::string winePrefix_;
};

}  // namespace zelk
