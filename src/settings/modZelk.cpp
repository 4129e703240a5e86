#include "settings/modZelk.h"

#include "platform/ProfileStore.h"

namespace modZelk {
namespace {

constexpr std::size_t kReadCapacity = 255;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The reader drops blanks around a value and one pair of matching double or single quotes, so
// such a value needs quotes of its own to come back as it was.
bool needsQuotes(const std::string& value) {
    if (value.empty()) {
        return false;
    }
    const char first = value.front();
    const char last = value.back();
    if (isBlank(first) || isBlank(last) || first == '"' || last == '"') {
        return true;
    }
    return value.size() >= 2 && first == '\'' && last == '\'';
}

}  // namespace

std::string SettingsFile;

std::string ReadIniString(const std::string& fileName, const std::string& section,
                          const std::string& key, const std::string& defaultValue,
                          const zelk::DiskAccess& access) {
    std::string buffer(256, ' ');
    const std::size_t count = zelk::readProfileString(section, key, defaultValue, buffer.data(),
                                                      kReadCapacity, fileName, access);
    return buffer.substr(0, count);
}

// The stored text, quotes included, must fit the reader's buffer: Windows cuts what it reads
// before it takes the quotes off.
bool CanStoreValue(const std::string& value) {
    const std::size_t stored = value.size() + (needsQuotes(value) ? 2 : 0);
    return stored < kReadCapacity &&
           value.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

void WriteIniString(const std::string& fileName, const std::string& section, const std::string& key,
                    const std::string& value, const zelk::DiskAccess& access) {
    if (!CanStoreValue(value)) {
        return;
    }
    const std::string stored = needsQuotes(value) ? '"' + value + '"' : value;
    zelk::writeProfileString(section, key, stored, fileName, access);
}

}  // namespace modZelk
