#include "app/RemovalPreview.h"

#include <algorithm>
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

std::vector<File> filesToRemove(const RunState& state) {
    std::vector<File> files;
    const NameList& unused = state.UnusedList;
    if (!unused.hasSlots() || !state.ScannedGauges) {
        return files;
    }
    const int last = unused.upperBound().value();
    files.reserve(static_cast<std::size_t>(last));
    for (int i = 1; i <= last; ++i) {
        files.push_back(state.ScannedGauges->FileOf({unused.at(i), EntryKind::File}));
    }
    return files;
}

namespace {

ListedFileNow lookAt(const File& file) {
    ListedFileNow seen{file.Name(), file.Path(), ListedFileNow::Now::Unreadable};
    try {
        const std::optional<EntryFacts> facts = file.Facts();
        if (!facts) {
            seen.now = ListedFileNow::Now::Gone;
        } else if (facts->kind == EntryKind::File) {
            seen.now = ListedFileNow::Now::File;
            seen.size = facts->size;
        } else {
            seen.now = facts->kind == EntryKind::Folder ? ListedFileNow::Now::Folder
                                                        : ListedFileNow::Now::NotAFile;
        }
    } catch (const std::exception&) {
        // Unreadable, as it stands.
    }
    return seen;
}

// How the tooltip marks a file and counts those it leaves out of the total: for one, for more.
struct Mark {
    ListedFileNow::Now now;
    const char* besideName;
    const char* one;
    const char* many;
};
constexpr std::array<Mark, 4> kMarks{{
    {ListedFileNow::Now::Gone, "gone since the Scan", "file gone since the Scan",
     "files gone since the Scan"},
    {ListedFileNow::Now::Folder, "now a folder", "now a folder", "now folders"},
    {ListedFileNow::Now::NotAFile, "no longer a file", "no longer a file", "no longer files"},
    {ListedFileNow::Now::Unreadable, "cannot be read now", "that cannot be read now",
     "that cannot be read now"},
}};

const Mark* markOf(ListedFileNow::Now now) {
    for (const Mark& mark : kMarks) {
        if (mark.now == now) {
            return &mark;
        }
    }
    return nullptr;
}

// "Not counted: 1 file gone since the Scan, 2 now folders. Scan again."; empty when every file
// is still there.
std::string notCounted(const std::vector<ListedFileNow>& files) {
    std::string text;
    for (const Mark& mark : kMarks) {
        const auto count = static_cast<std::size_t>(std::count_if(
            files.begin(), files.end(), [&](const auto& file) { return file.now == mark.now; }));
        if (count > 0) {
            text += (text.empty() ? "" : ", ") + std::to_string(count) + " " +
                    (count == 1 ? mark.one : mark.many);
        }
    }
    return text.empty() ? text : "\nNot counted: " + text + ". Scan again.";
}

}  // namespace

std::vector<ListedFileNow> lookAtFilesToRemove(const RunState& state) {
    std::vector<ListedFileNow> files;
    for (const File& file : filesToRemove(state)) {
        files.push_back(lookAt(file));
    }
    return files;
}

std::string filesAndSize(std::size_t files, std::uint64_t bytes) {
    return std::to_string(files) + (files == 1 ? " file, " : " files, ") + sizeText(bytes);
}

namespace {

// The files still there, their total size, and what was not counted.
std::string countedAndNot(const std::vector<ListedFileNow>& files) {
    std::uint64_t bytes = 0;
    std::size_t present = 0;
    for (const ListedFileNow& file : files) {
        if (file.now == ListedFileNow::Now::File) {
            bytes += file.size;
            ++present;
        }
    }
    return filesAndSize(present, bytes) + notCounted(files);
}

std::string markedName(const ListedFileNow& file) {
    const Mark* mark = markOf(file.now);
    std::string name = visibleName(file.name);
    if (mark) {
        name.append(" (").append(mark->besideName).append(")");
    }
    return name;
}

}  // namespace

std::string removalToolTip(const std::vector<ListedFileNow>& files) {
    if (files.empty()) {
        return {};
    }
    std::string text = "Files to remove:";
    for (std::size_t i = 0; i < files.size() && i < kToolTipNames; ++i) {
        text += "\n" + markedName(files[i]);
    }
    if (files.size() > kToolTipNames) {
        text += "\n\u2026 and " + std::to_string(files.size() - kToolTipNames) + " more";
    }
    return text + "\n" + countedAndNot(files) + "\nDouble-click or Ctrl+L for the whole list";
}

FilesToRemoveList filesToRemoveList(const std::vector<ListedFileNow>& files) {
    FilesToRemoveList list;
    for (const ListedFileNow& file : files) {
        const Mark* mark = markOf(file.now);
        list.rows.push_back(
            {visibleName(file.name), mark ? mark->besideName : sizeText(file.size)});
        list.paths += visibleName(file.path) + "\n";
    }
    list.foot = countedAndNot(files);
    return list;
}

}  // namespace zelk
