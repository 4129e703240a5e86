#include "platform/ProfileString.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/AsciiText.h"
#include "platform/Error.h"
#include "platform/TextEncoding.h"

namespace zelk {
namespace {

struct Line {
    std::string text;
    std::string ending;  // "\r\n", "\n", "\r" or "" for a last line without one
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

}  // namespace

ProfileLine profileLineOf(std::string_view text) {
    const std::string_view trimmed = trimBlanks(text);
    if (trimmed.empty() || trimmed.front() == ';') {
        return {};
    }
    if (trimmed.front() == '[') {
        const auto close = trimmed.find(']');
        const std::string_view inside =
            trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        return {ProfileLine::Kind::Section, trimBlanks(inside), {}};
    }
    const auto equals = trimmed.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    return {ProfileLine::Kind::Key, trimBlanks(trimmed.substr(0, equals)),
            trimBlanks(trimmed.substr(equals + 1))};
}

namespace {

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

enum class FileEncoding { Ansi, Utf8WithMark, Utf16WithMark };

// The file's text as the functions work on it: 8-bit text, which for a UTF-16 file is its
// UTF-8 form, the text encoding of Linux names; and how to store it again.
struct ProfileText {
    FileEncoding encoding = FileEncoding::Ansi;
    ByteOrder order = ByteOrder::LittleEndian;  // of a UTF-16 file
    std::string text;
};

// Nothing when a UTF-16 file holds something that is not UTF-16: such a file is not read,
// and never rewritten.
std::optional<ProfileText> decode(std::string_view bytes) {
    const TextMark mark = textMarkOf(bytes);
    const std::string_view text = bytes.substr(mark.length);
    switch (mark.encoding) {
        case TextMark::Encoding::Utf8:
            return ProfileText{FileEncoding::Utf8WithMark, {}, std::string(text)};
        case TextMark::Encoding::Utf16: {
            auto decoded = utf16ToUtf8(text, mark.order);
            if (!decoded) {
                return std::nullopt;
            }
            return ProfileText{FileEncoding::Utf16WithMark, mark.order, std::move(*decoded)};
        }
        case TextMark::Encoding::None:
            break;
    }
    return ProfileText{FileEncoding::Ansi, {}, std::string(bytes)};
}

// Nothing when the text cannot be stored in the file's encoding (text that is not UTF-8 in a
// UTF-16 file).
std::optional<std::string> encode(const ProfileText& profile) {
    switch (profile.encoding) {
        case FileEncoding::Utf8WithMark:
            return std::string(kUtf8Mark) + profile.text;
        case FileEncoding::Utf16WithMark: {
            const auto units = utf8ToUtf16(profile.text, profile.order);
            if (!units) {
                return std::nullopt;
            }
            const std::string_view mark =
                profile.order == ByteOrder::LittleEndian ? kUtf16LeMark : kUtf16BeMark;
            return std::string(mark) + *units;
        }
        case FileEncoding::Ansi:
            break;
    }
    return profile.text;
}

std::optional<ProfileText> readProfile(const Disk& disk, const std::string& native) {
    const auto bytes = readSmallFile(disk, native);
    return bytes ? decode(*bytes) : std::nullopt;
}

struct SectionSpan {
    std::size_t header;  // index of the section line
    std::size_t end;     // index one past its last line
};

std::optional<SectionSpan> findSection(const std::vector<Line>& lines, std::string_view name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ProfileLine line = profileLineOf(lines[i].text);
        if (line.kind != ProfileLine::Kind::Section || !equalsIgnoringAsciiCase(line.name, name)) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines.size() &&
               profileLineOf(lines[end].text).kind != ProfileLine::Kind::Section) {
            ++end;
        }
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(const std::vector<Line>& lines, const SectionSpan& section,
                                   std::string_view key) {
    for (std::size_t i = section.header + 1; i < section.end; ++i) {
        const ProfileLine line = profileLineOf(lines[i].text);
        if (line.kind == ProfileLine::Kind::Key && equalsIgnoringAsciiCase(line.name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string_view profileValueOf(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

namespace {

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
    return std::string(profileValueOf(profileLineOf(lines[*index].text).value));
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

// True when the key is there and holds exactly this text.
bool holdsValue(const std::vector<Line>& lines, std::string_view section, std::string_view key,
                std::string_view value) {
    const auto span = findSection(lines, section);
    const auto index = span ? findKey(lines, *span, key) : std::nullopt;
    return index && profileLineOf(lines[*index].text).value == value;
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
        // The key keeps its spelling; only its value changes.
        const std::string name(profileLineOf(lines[*index].text).name);
        lines[*index] = {name + "=" + value, "\r\n"};
        return;
    }
    std::size_t after = span->header;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        if (profileLineOf(lines[i].text).kind == ProfileLine::Kind::Key) {
            after = i;
        }
    }
    ensureEnded(lines, after);
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after + 1), keyLine);
}

bool writeValue(const Disk& disk, const std::string& native, const std::string& section,
                const std::string& key, const std::string& value) {
    ProfileText profile;
    const bool exists = disk.probe(native).has_value();
    if (exists) {
        auto existing = readProfile(disk, native);
        if (!existing) {
            return false;  // never replace what could not be read
        }
        profile = std::move(*existing);
    }
    std::vector<Line> lines = splitLines(profile.text);
    if (holdsValue(lines, section, key, value)) {
        return true;  // nothing to change: the file is not touched
    }
    if (exists && disk.isReadOnly(native)) {
        return false;
    }
    setValue(lines, section, key, value);
    profile.text = join(lines);
    const auto bytes = encode(profile);
    if (!bytes) {
        return false;
    }
    disk.replaceFile(native, *bytes);
    return true;
}

}  // namespace

std::size_t GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, char* buffer,
                                     std::size_t size, const std::string& fileName,
                                     const DiskAccess& access) {
    std::optional<std::string> value;
    try {
        const auto found = access.resolver->resolve(*access.disk, fileName, nullptr);
        const auto native = found ? std::optional(found->path) : std::nullopt;
        if (native) {
            if (const auto profile = readProfile(*access.disk, *native)) {
                value = lookUpValue(profile->text, section, key);
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
    try {
        const auto native = access.resolver->resolveForWriting(*access.disk, fileName);
        return native && writeValue(*access.disk, *native, section, key, value);
    } catch (const ZelkError&) {
        return false;
    }
}

}  // namespace zelk
