#include "scan/GaugeMatch.h"

#include <algorithm>
#include <array>

#include "platform/PathMapping.h"

namespace zelk {
namespace {

constexpr std::string_view kGaugeExtension = ".gau";

// Code points of the Windows-1252 bytes 0x80..0x9F (unassigned bytes keep their value).
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Lower case for ASCII and for the Latin letters that Windows-1252 can hold.
char32_t lower(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    switch (c) {
        case 0x0160:  // Š
        case 0x0152:  // Œ
        case 0x017D:  // Ž
            return c + 1;
        case 0x0178:  // Ÿ
            return 0x00FF;
        default:
            return c;
    }
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string loweredTextFromWindows1252(std::string_view bytes) {
    std::string text;
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        const char32_t c = (b >= 0x80 && b < 0xA0) ? kWindows1252High[b - 0x80] : b;
        appendUtf8(text, lower(c));
    }
    return text;
}

std::optional<std::string> loweredTextFromUtf8(std::string_view bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int length = lead < 0x80           ? 1
                           : (lead >> 5) == 0x6  ? 2
                           : (lead >> 4) == 0xE  ? 3
                           : (lead >> 3) == 0x1E ? 4
                                                 : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > bytes.size()) {
            return std::nullopt;
        }
        char32_t c = length == 1 ? lead : (lead & (0x7F >> length));
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            c = (c << 6) | (next & 0x3F);
        }
        const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            return std::nullopt;  // an overlong form or no character at all
        }
        appendUtf8(text, lower(c));
        i += static_cast<std::size_t>(length);
    }
    return text;
}

std::optional<std::string> loweredGaugeOfFile(std::string_view fileName) {
    std::string lowered = asciiLower(fileName);
    if (!lowered.ends_with(kGaugeExtension)) {
        return std::nullopt;
    }
    lowered.resize(lowered.size() - kGaugeExtension.size());
    return lowered;
}

void GaugeMatch::addGauge(std::string_view gaugeName) {
    bytes_.insert(asciiLower(gaugeName));
    if (isAscii(gaugeName)) {
        return;
    }
    text_.insert(loweredTextFromWindows1252(gaugeName));
    if (auto text = loweredTextFromUtf8(gaugeName)) {
        text_.insert(std::move(*text));
    }
}

bool GaugeMatch::accountsFor(std::string_view fileName) const {
    const auto gauge = loweredGaugeOfFile(fileName);
    if (!gauge) {
        return false;
    }
    if (bytes_.contains(*gauge)) {
        return true;
    }
    if (text_.empty() || isAscii(*gauge)) {
        return false;
    }
    const std::string_view stem = fileName.substr(0, fileName.size() - kGaugeExtension.size());
    if (const auto text = loweredTextFromUtf8(stem); text && text_.contains(*text)) {
        return true;
    }
    return text_.contains(loweredTextFromWindows1252(stem));
}

}  // namespace zelk
