#include "app/MissingGauges.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>

#include "platform/AsciiText.h"
#include "platform/ErrorWording.h"
#include "platform/VisibleName.h"
#include "scan/UnusedScan.h"

namespace zelk {
namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The gauge files of one folder, each found by its stem in lower case, so that a name is
// matched with the few files that can be its own instead of every file. GaugeMatch accounts
// for a file only when its stem is the name or one of its other spellings in another ASCII
// case, or, for a name beyond ASCII, when the stem is beyond ASCII too; or by its short name
// when the name could be one.
class GaugeFiles {
public:
    explicit GaugeFiles(const Folder& folder) : files_(folder.Files()) {
        for (std::size_t i = 0; i < files_.size(); ++i) {
            const File file = files_[i];
            if (const auto stem = gaugeStemOf(file.Name())) {
                byStem_.emplace(asciiLower(*stem), i);
                if (!isAscii(*stem)) {
                    beyondAscii_.push_back(i);
                }
            }
        }
    }

    // Whether one of the files is what the Scan would keep for this name alone.
    bool provide(std::string_view name) const {
        NameList names;
        Int16 count;
        names.add(count, std::string(name));
        const GaugeMatch match(names);
        const auto inUse = [&](std::size_t i) {
            const File file = files_[i];
            return isInUse(match, file.Name(), [&file] { return file.ShortName(); });
        };
        if (match.namesAShortName()) {  // any file's short name may be the one
            for (std::size_t i = 0; i < files_.size(); ++i) {
                if (inUse(i)) {
                    return true;
                }
            }
            return false;
        }
        const auto anyWithStem = [&](std::string_view spelling) {
            const auto [first, last] = byStem_.equal_range(asciiLower(spelling));
            return std::any_of(first, last, [&](const auto& file) { return inUse(file.second); });
        };
        return anyWithStem(name) || std::ranges::any_of(otherSpellingsOf(name), anyWithStem) ||
               (!isAscii(name) && std::ranges::any_of(beyondAscii_, inUse));
    }

private:
    FileCollection files_;
    std::unordered_multimap<std::string, std::size_t> byStem_;
    std::vector<std::size_t> beyondAscii_;
};

enum class Verdict { Provided, Missing, Outside };

// The gauges folder and the folders below it that panels name, each listed once.
class GaugesFolder {
public:
    GaugesFolder(const Folder& gauges, const DiskAccess& access)
        : system_(access), path_(gauges.Path()), files_(gauges) {}

    Verdict verdictOn(std::string_view name) {
        if (files_.provide(name)) {
            return Verdict::Provided;
        }
        const GaugePlace place = placeOf(name);
        if (place.where == GaugePlace::Where::Outside) {
            return Verdict::Outside;
        }
        if (place.where == GaugePlace::Where::SubFolder) {
            const GaugeFiles* const below = filesBelow(place.folders);
            return below && below->provide(place.file) ? Verdict::Provided : Verdict::Missing;
        }
        return Verdict::Missing;
    }

private:
    // Nothing for a folder that is not there.
    const GaugeFiles* filesBelow(const std::vector<std::string_view>& folders) {
        std::string path = path_;
        for (const std::string_view folder : folders) {
            path.append("\\").append(folder);
        }
        const auto found = below_.try_emplace(path);
        std::optional<GaugeFiles>& files = found.first->second;
        if (found.second) {
            withContext("A folder below GAUGES that a panel names could not be read.", [&] {
                if (system_.FolderExists(path)) {
                    files.emplace(system_.GetFolder(path));
                }
            });
        }
        return files ? &*files : nullptr;
    }

    FileSystemObject system_;
    std::string path_;
    GaugeFiles files_;
    std::map<std::string, std::optional<GaugeFiles>> below_;
};

}  // namespace

void MissingGauges::lineRead(std::string_view line) {
    if (const auto name = reader_.gaugeLoadedBy(line); name && seen_.emplace(*name).second) {
        reading_.loaded.emplace_back(*name);
    }
}

void MissingGauges::panelRead(const File& panel, NameList) {
    reading_.path = visibleName(panel.Path());
    panels_.push_back(std::move(reading_));
    reading_ = {};
    seen_.clear();
    reader_ = {};
}

std::string MissingGauges::report(const Folder& gaugesFolder, const DiskAccess& access) const {
    GaugesFolder gauges(gaugesFolder, access);
    std::unordered_map<std::string, Verdict> verdicts;  // each name judged once
    std::string lines;
    std::size_t count = 0;
    for (const Panel& panel : panels_) {
        for (const std::string& name : panel.loaded) {
            auto [verdict, isNew] = verdicts.try_emplace(name);
            if (isNew) {
                verdict->second = gauges.verdictOn(name);
            }
            if (verdict->second == Verdict::Provided) {
                continue;
            }
            ++count;
            lines += visibleName(name) + "  <-  " + panel.path +
                     (verdict->second == Verdict::Outside ? "  (outside GAUGES)\n" : "\n");
        }
    }
    return "Missing: " + std::to_string(count) + "\n" + lines;
}

}  // namespace zelk
