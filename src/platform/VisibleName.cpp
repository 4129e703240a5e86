#include "platform/VisibleName.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/TextEncoding.h"

namespace zelk {
namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// Unicode's format characters (class Cf), and the line and paragraph separators.
constexpr std::array<Range, 21> kHidden{{
    {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},
    {0x070F, 0x070F},   {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},
    {0x200B, 0x200F},   {0x2028, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},
    {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD},
    {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
    {0xE0020, 0xE007F},
}};

bool needsEscape(char32_t c) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
        return true;
    }
    return std::any_of(kHidden.begin(), kHidden.end(),
                       [c](const Range& range) { return c >= range.first && c <= range.last; });
}

bool showsAsItIs(std::string_view name) {
    if (name.starts_with("$'")) {
        return false;
    }
    for (std::size_t at = 0; at < name.size();) {
        if (static_cast<unsigned char>(name[at]) - 0x20u < 0x5Fu) {
            ++at;  // printable ASCII, by far the most common
            continue;
        }
        const auto character = utf8CharacterAt(name, at);
        if (!character || needsEscape(character->code)) {
            return false;
        }
        at += character->length;
    }
    return true;
}

std::string hex(const char* format, unsigned long value) {
    std::array<char, 12> text{};
    std::snprintf(text.data(), text.size(), format, value);
    return text.data();
}

std::string escaped(char32_t code) {
    switch (code) {
        case '\t':
            return "\\t";
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        default:
            break;
    }
    return code < 0x80      ? hex("\\x%02lX", code)
           : code < 0x10000 ? hex("\\u%04lX", code)
                            : hex("\\U%08lX", code);
}

}  // namespace

std::string visibleName(std::string_view name) {
    if (showsAsItIs(name)) {
        return std::string(name);
    }
    std::string shown = "$'";
    for (std::size_t at = 0; at < name.size();) {
        const auto character = utf8CharacterAt(name, at);
        if (!character) {
            shown += hex("\\x%02lX", static_cast<unsigned char>(name[at]));
            ++at;
            continue;
        }
        if (needsEscape(character->code)) {
            shown += escaped(character->code);
        } else if (name[at] == '\\' || name[at] == '\'') {
            shown += {'\\', name[at]};
        } else {
            shown.append(name, at, character->length);
        }
        at += character->length;
    }
    return shown + "'";
}

}  // namespace zelk
