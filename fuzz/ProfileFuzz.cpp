// The settings file reader and writer on any file content and any value. A value that can be
// read back exactly (at most 254 characters, no CR, LF or NUL) reads back exactly after the
// write, whatever blanks or quotes it has at its ends; only a UTF-16 file may refuse it (when
// the value is not UTF-8, or the file is not valid UTF-16), and then stays as it was. Any other
// value leaves the file as it was. Writing the same value again does not touch the file, and
// every other section and key reads as before.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>

#include "MemoryDisk.h"
#include "platform/AsciiText.h"
#include "platform/ProfileString.h"
#include "platform/posix/WinePathResolver.h"
#include "settings/modZelk.h"

namespace {

const std::string kFile = "/m/ZELKGAU.INI";

std::string trimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Section and key names that the content mentions, to read before and after the write.
std::set<std::pair<std::string, std::string>> mentionedPairs(const std::string& content) {
    std::set<std::string> sections{"FS2000"};
    std::set<std::string> keys{"Folder"};
    std::size_t start = 0;
    while (start < content.size() && sections.size() < 8 && keys.size() < 8) {
        std::size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            end = content.size();
        }
        const std::string line = trimBlanks(content.substr(start, end - start));
        if (!line.empty() && line.front() == '[') {
            const auto close = line.find(']');
            sections.insert(
                trimBlanks(line.substr(1, close == std::string::npos ? close : close - 1)));
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            keys.insert(trimBlanks(line.substr(0, equals)));
        }
        start = end + 1;
    }
    std::set<std::pair<std::string, std::string>> pairs;
    for (const std::string& section : sections) {
        for (const std::string& key : keys) {
            if (!section.empty() && !key.empty() &&
                !(zelk::equalsIgnoringAsciiCase(section, "FS2000") &&
                  zelk::equalsIgnoringAsciiCase(key, "Folder"))) {
                pairs.emplace(section, key);
            }
        }
    }
    return pairs;
}

std::string read(const zelk::DiskAccess& access, const std::string& section,
                 const std::string& key) {
    return modZelk::ReadIniString(kFile, section, key, "<default>", access);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const auto split = input.find('\xff');
    const std::string value = input.substr(0, split);
    const std::string content = split == std::string::npos ? "" : input.substr(split + 1);

    auto disk = std::make_shared<zelk::fuzz::MemoryDisk>();
    if (!content.empty()) {
        disk->files["ZELKGAU.INI"] = content;
    }
    const zelk::DiskAccess access(disk, std::make_shared<zelk::WinePathResolver>(""));
    const auto others = mentionedPairs(content);
    std::set<std::pair<std::pair<std::string, std::string>, std::string>> before;
    for (const auto& pair : others) {
        before.emplace(pair, read(access, pair.first, pair.second));
    }

    modZelk::WriteIniString(kFile, "FS2000", "Folder", value, access);
    const auto file = disk->files.find("ZELKGAU.INI");
    const std::string after = file == disk->files.end() ? "<none>" : file->second;
    const bool unchanged = after == (content.empty() ? "<none>" : content);
    const bool readsBack = read(access, "FS2000", "Folder") == value;
    const bool utf16 = content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF");
    if (!modZelk::CanStoreValue(value)) {
        if (!unchanged) {
            std::abort();
        }
    } else if (!readsBack && !(utf16 && unchanged)) {
        std::abort();
    }
    const int replacements = disk->replacements;
    modZelk::WriteIniString(kFile, "FS2000", "Folder", value, access);
    if (disk->replacements != replacements) {
        std::abort();
    }
    for (const auto& [pair, text] : before) {
        if (read(access, pair.first, pair.second) != text) {
            std::abort();
        }
    }
    return 0;
}
