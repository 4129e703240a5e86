#include "Floors.h"

// getdents64 and dirent64 are GNU extensions; g++ defines _GNU_SOURCE for C++.
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "scan/GaugeMatch.h"
#include "scan/GaugeRule.h"

namespace bench {
namespace {

constexpr std::size_t kListingBytes = 32 * 1024;
constexpr std::size_t kPanelBytes = 256 * 1024;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

Descriptor openFolderAt(int parent, const char* name) {
    return Descriptor(::openat(parent, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

enum class Kind { Folder, File, Other };

// The entry's type comes with the listing; only links and file systems that do not report
// types cost a stat call.
Kind kindOf(int folderFd, const dirent64& entry) {
    switch (entry.d_type) {
        case DT_DIR:
            return Kind::Folder;
        case DT_REG:
            return Kind::File;
        case DT_LNK:
        case DT_UNKNOWN: {
            struct stat info {};
            if (::fstatat(folderFd, entry.d_name, &info, 0) != 0) {
                return Kind::Other;
            }
            return S_ISDIR(info.st_mode)   ? Kind::Folder
                   : S_ISREG(info.st_mode) ? Kind::File
                                           : Kind::Other;
        }
        default:
            return Kind::Other;
    }
}

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Calls visit(entry) for every entry of an open folder, straight from the kernel's records,
// until visit returns false. False when the folder could not be listed.
template <typename Visit>
bool forEachEntry(int folderFd, char* buffer, Visit&& visit) {
    for (;;) {
        const ssize_t got = ::getdents64(folderFd, buffer, kListingBytes);
        if (got <= 0) {
            return got == 0;
        }
        for (ssize_t at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
            at += entry->d_reclen;
            if (!isDotOrDotDot(entry->d_name) && !visit(*entry)) {
                return true;
            }
        }
    }
}

struct SimulatorFolders {
    std::string aircraft;
    std::string gauges;
};

// The names AIRCRAFT and GAUGES have in the simulator folder, whatever their case.
SimulatorFolders simulatorFolders(int rootFd, char* buffer) {
    SimulatorFolders found;
    forEachEntry(rootFd, buffer, [&](const dirent64& entry) {
        const bool isAircraft = ::strcasecmp(entry.d_name, "AIRCRAFT") == 0;
        const bool isGauges = ::strcasecmp(entry.d_name, "GAUGES") == 0;
        if ((isAircraft || isGauges) && kindOf(rootFd, entry) == Kind::Folder) {
            (isAircraft ? found.aircraft : found.gauges) = entry.d_name;
        }
        return true;
    });
    return found;
}

// What must be asked of the system to know that each file to remove can be deleted now, as
// unlinkat would decide it: the folder's own status and this user's rights in it once, and each
// file's type, owner and attributes. Returns the number of questions that failed.
long checkDeletable(int folderFd, const std::vector<std::string>& names) {
    constexpr unsigned kMask = STATX_TYPE | STATX_MODE | STATX_UID;
    constexpr int kFlags = AT_SYMLINK_NOFOLLOW | AT_STATX_SYNC_AS_STAT;
    struct statx info {};
    long failures = ::statx(folderFd, "", kFlags | AT_EMPTY_PATH, kMask, &info) == 0 ? 0 : 1;
    failures += ::faccessat(folderFd, ".", W_OK | X_OK, AT_EACCESS) == 0 ? 0 : 1;
    for (const std::string& name : names) {
        failures += ::statx(folderFd, name.c_str(), kFlags, kMask, &info) == 0 ? 0 : 1;
    }
    return failures;
}

// The panel rule of a floor: what it does with each panel's bytes and each file of GAUGES,
// and which files it finds to remove. The I/O floor does nothing with them and is told the
// files to remove.
struct NoRule {
    bool panel(const char*, std::size_t) { return true; }
    void gaugeFile(const char*) {}
    const std::vector<std::string>* toRemove = nullptr;
    const std::vector<std::string>& filesToRemove() const { return *toRemove; }
};

char folded(char c) {
    return static_cast<char>(c | 0x20);  // an ASCII capital to its small letter
}

bool mentionsGauge(const char* line, const char* end) {
    for (const char* at = line; end - at >= 5; ++at) {
        if (folded(at[0]) == 'g' && folded(at[1]) == 'a' && folded(at[2]) == 'u' &&
            folded(at[3]) == 'g' && folded(at[4]) == 'e') {
            return true;
        }
    }
    return false;
}

bool isSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpaceOrTab(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpaceOrTab(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string lowerCase(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
    }
    return lowered;
}

// The gauge-name rule, applied to each line, and the files of GAUGES matched against the names
// with plain standard containers.
class NameRule {
public:
    // False for UTF-16 text, which this floor does not decode.
    bool panel(const char* text, std::size_t size) {
        const std::string_view whole(text, size);
        if (whole.starts_with("\xFF\xFE") || whole.starts_with("\xFE\xFF")) {
            return false;
        }
        const std::size_t mark = whole.starts_with("\xEF\xBB\xBF") ? 3 : 0;
        const char* const end = text + size;
        for (const char* line = text + mark; line < end;) {
            const char* lineEnd = lineEndIn(line, end);
            addNameOf(line, lineEnd);
            line = lineEnd + 1;
        }
        return true;
    }

    void gaugeFile(const char* name) {
        if (lowered_.empty() && !names_.empty()) {
            for (const std::string& gauge : names_) {
                addLowered(gauge);
            }
        }
        key_ = lowerCase(name);
        const std::string_view file = key_;
        const bool used = std::any_of(zelk::kGaugeExtensions.begin(), zelk::kGaugeExtensions.end(),
                                      [&](std::string_view extension) {
                                          return file.ends_with(extension) &&
                                                 lowered_.contains(std::string(file.substr(
                                                     0, file.size() - extension.size())));
                                      });
        if (!used) {
            unused_.emplace_back(name);
        }
    }

    long gaugeNames() const { return static_cast<long>(names_.size()); }
    long unusedFiles() const { return static_cast<long>(unused_.size()); }
    const std::vector<std::string>& filesToRemove() const { return unused_; }

private:
    // A line ends at LF or CR; CR LF leaves an empty line between them, which names nothing.
    static const char* lineEndIn(const char* line, const char* end) {
        const auto* newline = static_cast<const char*>(std::memchr(line, '\n', end - line));
        const char* limit = newline ? newline : end;
        const auto* carriage = static_cast<const char*>(std::memchr(line, '\r', limit - line));
        return carriage ? carriage : limit;
    }

    // The name starts after the first "=" (at the line's start when there is none) and ends at
    // the first "!" or "," after it, spaces and tabs at both ends dropped.
    void addNameOf(const char* line, const char* end) {
        if (!mentionsGauge(line, end)) {
            return;
        }
        const auto* equals = static_cast<const char*>(std::memchr(line, '=', end - line));
        const char* first = equals ? equals + 1 : line;
        const char* last = first;
        while (last < end && *last != '!' && *last != ',') {
            ++last;
        }
        key_.assign(trimmed(std::string_view(first, static_cast<std::size_t>(last - first))));
        names_.insert(key_);  // looks the name up before it makes a node
    }

    // The name in lower case, and so its other spellings (up to a NUL, without quotes).
    void addLowered(std::string_view name) {
        lowered_.insert(lowerCase(name));
        for (const std::string_view other : zelk::otherSpellingsOf(name)) {
            lowered_.insert(lowerCase(other));
        }
    }

    std::unordered_set<std::string> names_;
    std::unordered_set<std::string> lowered_;
    std::vector<std::string> unused_;
    std::string key_;
};

template <typename Rule>
class ScanFloorWalk {
public:
    ScanFloorWalk()
        : aircraftListing_(std::make_unique_for_overwrite<char[]>(kListingBytes)),
          planeListing_(std::make_unique_for_overwrite<char[]>(kListingBytes)),
          candidateListing_(std::make_unique_for_overwrite<char[]>(kListingBytes)),
          panel_(std::make_unique_for_overwrite<char[]>(kPanelBytes)) {}

    ScanFloorCount run(const std::string& simFolder) {
        const Descriptor root(::open(simFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        const SimulatorFolders names = simulatorFolders(root.get(), aircraftListing_.get());
        walkAircraft(root.get(), names.aircraft);
        listGauges(root.get(), names.gauges);
        return count_;
    }

    const Rule& rule() const { return rule_; }
    Rule& rule() { return rule_; }

private:
    // Opens a child folder, or counts the failure.
    Descriptor open(int parent, const char* name) {
        Descriptor folder = openFolderAt(parent, name);
        count_.failures += folder.valid() ? 0 : 1;
        return folder;
    }

    void walkAircraft(int rootFd, const std::string& name) {
        const Descriptor aircraft = open(rootFd, name.c_str());
        const bool listed = forEachEntry(aircraft.get(), aircraftListing_.get(), [&](auto& plane) {
            if (kindOf(aircraft.get(), plane) == Kind::Folder) {
                ++count_.aircraftFolders;
                walkPlane(aircraft.get(), plane.d_name);
            }
            return true;
        });
        count_.failures += listed ? 0 : 1;
    }

    void walkPlane(int aircraftFd, const char* name) {
        const Descriptor plane = open(aircraftFd, name);
        const bool listed = forEachEntry(plane.get(), planeListing_.get(), [&](auto& candidate) {
            if (kindOf(plane.get(), candidate) == Kind::Folder) {
                ++count_.candidateFolders;
                readPanelOf(plane.get(), candidate.d_name);
            }
            return true;
        });
        count_.failures += listed ? 0 : 1;
    }

    // Reads every file spelled PANEL.CFG in any case that the folder's listing shows: the
    // answer needs them all (a copy from Windows may leave both "Panel.cfg" and "panel.cfg"),
    // so the whole listing is read.
    void readPanelOf(int planeFd, const char* name) {
        const Descriptor candidate = open(planeFd, name);
        const bool listed =
            forEachEntry(candidate.get(), candidateListing_.get(), [&](const dirent64& entry) {
                if (::strcasecmp(entry.d_name, "PANEL.CFG") == 0 &&
                    kindOf(candidate.get(), entry) == Kind::File) {
                    readWhole(candidate.get(), entry.d_name);
                }
                return true;
            });
        count_.failures += listed ? 0 : 1;
    }

    // One read into a buffer larger than the file: a regular file that gives less than was
    // asked for has nothing more. Only a file that fills the buffer costs a larger one.
    void readWhole(int folderFd, const char* name) {
        const Descriptor file(::openat(folderFd, name, O_RDONLY | O_CLOEXEC));
        if (!file.valid()) {
            ++count_.failures;
            return;
        }
        std::size_t size = 0;
        for (;;) {
            const ssize_t got = ::read(file.get(), panel_.get() + size, panelCapacity_ - size);
            if (got < 0) {
                ++count_.failures;
                return;
            }
            size += static_cast<std::size_t>(got);
            if (size < panelCapacity_) {
                break;
            }
            growPanelBuffer();
        }
        count_.panelBytes += static_cast<long>(size);
        ++count_.panels;
        count_.failures += rule_.panel(panel_.get(), size) ? 0 : 1;
    }

    void growPanelBuffer() {
        auto larger = std::make_unique_for_overwrite<char[]>(panelCapacity_ * 2);
        std::memcpy(larger.get(), panel_.get(), panelCapacity_);
        panel_ = std::move(larger);
        panelCapacity_ *= 2;
    }

    void listGauges(int rootFd, const std::string& name) {
        const Descriptor gauges = open(rootFd, name.c_str());
        const bool listed = forEachEntry(gauges.get(), aircraftListing_.get(), [&](auto& entry) {
            if (kindOf(gauges.get(), entry) == Kind::File) {
                ++count_.gaugeFiles;
                rule_.gaugeFile(entry.d_name);
            }
            return true;
        });
        count_.failures += listed ? 0 : 1;
        count_.failures += checkDeletable(gauges.get(), rule_.filesToRemove());
    }

    std::unique_ptr<char[]> aircraftListing_;
    std::unique_ptr<char[]> planeListing_;
    std::unique_ptr<char[]> candidateListing_;
    std::unique_ptr<char[]> panel_;
    std::size_t panelCapacity_ = kPanelBytes;
    ScanFloorCount count_;
    Rule rule_;
};

}  // namespace

ScanFloorCount ioFloor(const std::string& simFolder, const std::vector<std::string>& toRemove) {
    ScanFloorWalk<NoRule> walk;
    walk.rule().toRemove = &toRemove;
    return walk.run(simFolder);
}

ScanFloorAnswer nameRuleFloor(const std::string& simFolder) {
    ScanFloorWalk<NameRule> walk;
    const ScanFloorCount seen = walk.run(simFolder);
    return {seen, walk.rule().gaugeNames(), walk.rule().unusedFiles()};
}

long removalFloor(const std::string& simFolder, const std::vector<std::string>& doomed) {
    const auto buffer = std::make_unique_for_overwrite<char[]>(kListingBytes);
    const Descriptor root(::open(simFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const std::string gaugesName = simulatorFolders(root.get(), buffer.get()).gauges;
    const Descriptor gauges = openFolderAt(root.get(), gaugesName.c_str());
    long files = 0;
    forEachEntry(gauges.get(), buffer.get(), [&](const dirent64& entry) {
        files += kindOf(gauges.get(), entry) == Kind::File ? 1 : 0;
        return true;
    });
    if (checkDeletable(gauges.get(), doomed) != 0) {
        return 0;
    }
    long removed = 0;
    for (const std::string& name : doomed) {
        removed += ::unlinkat(gauges.get(), name.c_str(), 0) == 0 ? 1 : 0;
    }
    return files > 0 ? removed : 0;
}

}  // namespace bench
