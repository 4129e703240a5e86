#include "app/RemovalPreview.h"

#include <array>

#include "platform/VisibleName.h"

namespace zelk {
namespace {

std::string sizeText(std::uint64_t bytes) {
    constexpr std::uint64_t kUnit = 1024;
    if (bytes < kUnit) {
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    }
    constexpr std::array<const char*, 4> kUnits{"KB", "MB", "GB", "TB"};
    std::uint64_t unit = kUnit;
    for (std::size_t i = 0;; ++i, unit *= kUnit) {
        const std::string name = kUnits[i];
        // Tenths of the unit, rounded, without multiplying the whole size.
        const std::uint64_t tenths = bytes / unit * 10 + (bytes % unit * 10 + unit / 2) / unit;
        if (tenths < 100) {
            return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " " + name;
        }
        const std::uint64_t whole = bytes / unit + (bytes % unit >= unit / 2 ? 1 : 0);
        if (whole < kUnit || i + 1 == kUnits.size()) {
            return std::to_string(whole) + " " + name;
        }
    }
}

}  // namespace

std::vector<File> filesToRemove(const RunState& state, const DiskAccess& access) {
    std::vector<File> files;
    const NameList& unused = state.UnusedList;
    if (!unused.hasSlots()) {
        return files;
    }
    const Folder gauges = FileSystemObject(access).GetFolder(state.SimFolder + "\\GAUGES");
    const int last = unused.upperBound().value();
    files.reserve(static_cast<std::size_t>(last));
    for (int i = 1; i <= last; ++i) {
        files.push_back(gauges.FileOf({unused.at(i), EntryKind::File}));
    }
    return files;
}

std::string filesAndSize(std::size_t files, std::uint64_t bytes) {
    return std::to_string(files) + (files == 1 ? " file, " : " files, ") + sizeText(bytes);
}

std::string removalToolTip(const std::vector<File>& files) {
    if (files.empty()) {
        return {};
    }
    std::string text = "Files to remove:";
    std::uint64_t bytes = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i < kToolTipNames) {
            text.append("\n").append(visibleName(files[i].Name()));
        }
        bytes += files[i].Size();
    }
    if (files.size() > kToolTipNames) {
        text += "\n\u2026 and " + std::to_string(files.size() - kToolTipNames) + " more";
    }
    return text + "\n" + filesAndSize(files.size(), bytes);
}

}  // namespace zelk
