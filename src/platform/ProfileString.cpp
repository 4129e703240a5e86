#include "platform/ProfileString.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/Error.h"
#include "platform/PathMapping.h"

namespace zelk {
namespace {

struct Line {
    std::string text;
    std::string ending;  // "\r\n", "\n", "\r" or "" for a last line without one
};

enum class LineKind { Other, Section, Key };

struct Classified {
    LineKind kind = LineKind::Other;
    std::string_view name;   // section name or key
    std::string_view value;  // key lines only
};

std::string_view trimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

Classified classify(std::string_view text) {
    const std::string_view trimmed = trimBlanks(text);
    if (trimmed.empty() || trimmed.front() == ';') {
        return {};
    }
    if (trimmed.front() == '[') {
        const auto close = trimmed.find(']');
        const std::string_view inside =
            trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        return {LineKind::Section, trimBlanks(inside), {}};
    }
    const auto equals = trimmed.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    return {LineKind::Key, trimBlanks(trimmed.substr(0, equals)),
            trimBlanks(trimmed.substr(equals + 1))};
}

std::vector<Line> splitLines(const std::string& content) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const auto stop = content.find_first_of("\r\n", start);
        if (stop == std::string::npos) {
            lines.push_back({content.substr(start), ""});
            break;
        }
        const bool crlf =
            content[stop] == '\r' && stop + 1 < content.size() && content[stop + 1] == '\n';
        const std::size_t endLength = crlf ? 2 : 1;
        lines.push_back({content.substr(start, stop - start), content.substr(stop, endLength)});
        start = stop + endLength;
    }
    return lines;
}

// Reads the whole file, or nothing when it is missing, unreadable, not a file or too big.
std::optional<std::string> readSmallFile(const Disk& disk, const std::string& native) {
    try {
        if (kindOf(disk, native) != EntryKind::File) {
            return std::nullopt;
        }
        auto source = disk.openRead(native);
        std::string content;
        std::vector<char> chunk(64 * 1024);
        while (const std::size_t got = source->read(chunk.data(), chunk.size())) {
            content.append(chunk.data(), got);
            if (content.size() > kMaxProfileFileBytes) {
                return std::nullopt;
            }
        }
        return content;
    } catch (const ZelkError&) {
        return std::nullopt;
    }
}

struct SectionSpan {
    std::size_t header;  // index of the section line
    std::size_t end;     // index one past its last line
};

std::optional<SectionSpan> findSection(const std::vector<Line>& lines, std::string_view name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Classified line = classify(lines[i].text);
        if (line.kind != LineKind::Section || !equalsIgnoringAsciiCase(line.name, name)) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines.size() && classify(lines[end].text).kind != LineKind::Section) {
            ++end;
        }
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(const std::vector<Line>& lines, const SectionSpan& section,
                                   std::string_view key) {
    for (std::size_t i = section.header + 1; i < section.end; ++i) {
        const Classified line = classify(lines[i].text);
        if (line.kind == LineKind::Key && equalsIgnoringAsciiCase(line.name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::optional<std::string> lookUpValue(const std::string& content, std::string_view section,
                                       std::string_view key) {
    const std::vector<Line> lines = splitLines(content);
    const auto span = findSection(lines, section);
    if (!span) {
        return std::nullopt;
    }
    const auto index = findKey(lines, *span, key);
    if (!index) {
        return std::nullopt;
    }
    return std::string(unquote(classify(lines[*index].text).value));
}

std::size_t placeInBuffer(std::string_view text, char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    text = text.substr(0, text.find('\0'));  // the caller sees a C string
    const std::size_t count = std::min(text.size(), size - 1);
    std::copy_n(text.data(), count, buffer);
    buffer[count] = '\0';
    return count;
}

std::string join(const std::vector<Line>& lines) {
    std::string content;
    for (const Line& line : lines) {
        content += line.text;
        content += line.ending;
    }
    return content;
}

void ensureEnded(std::vector<Line>& lines, std::size_t index) {
    if (lines[index].ending.empty()) {
        lines[index].ending = "\r\n";
    }
}

void setValue(std::vector<Line>& lines, const std::string& section, const std::string& key,
              const std::string& value) {
    const Line keyLine{key + "=" + value, "\r\n"};
    const auto span = findSection(lines, section);
    if (!span) {
        if (!lines.empty()) {
            ensureEnded(lines, lines.size() - 1);
        }
        lines.push_back({"[" + section + "]", "\r\n"});
        lines.push_back(keyLine);
        return;
    }
    if (const auto index = findKey(lines, *span, key)) {
        lines[*index] = keyLine;
        return;
    }
    std::size_t after = span->header;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        if (classify(lines[i].text).kind == LineKind::Key) {
            after = i;
        }
    }
    ensureEnded(lines, after);
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after + 1), keyLine);
}

}  // namespace

std::size_t GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, char* buffer,
                                     std::size_t size, const std::string& fileName,
                                     const DiskAccess& access) {
    std::optional<std::string> value;
    try {
        const auto native = PathMapper(*access.disk, access.winePrefix).resolve(fileName);
        if (native) {
            if (const auto content = readSmallFile(*access.disk, *native)) {
                value = lookUpValue(*content, section, key);
            }
        }
    } catch (const ZelkError&) {
        value.reset();  // an unreadable settings file gives the default, like a missing one
    }
    if (value) {
        return placeInBuffer(*value, buffer, size);
    }
    std::string_view fallback = defaultValue;
    while (!fallback.empty() && fallback.back() == ' ') {
        fallback.remove_suffix(1);
    }
    return placeInBuffer(fallback, buffer, size);
}

bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& fileName,
                                const DiskAccess& access) {
    const Disk& disk = *access.disk;
    try {
        const auto native = PathMapper(disk, access.winePrefix).resolveForWriting(fileName);
        if (!native) {
            return false;
        }
        std::string content;
        if (disk.probe(*native)) {
            auto existing = readSmallFile(disk, *native);
            if (!existing) {
                return false;  // never replace what could not be read
            }
            content = std::move(*existing);
        }
        std::vector<Line> lines = splitLines(content);
        setValue(lines, section, key, value);
        disk.replaceFile(*native, join(lines));
        return true;
    } catch (const ZelkError&) {
        return false;
    }
}

}  // namespace zelk
