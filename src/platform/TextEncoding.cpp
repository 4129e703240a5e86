#include "platform/TextEncoding.h"

namespace zelk {
namespace {

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

char32_t unitAt(std::string_view bytes, std::size_t index, ByteOrder order) {
    const auto first = static_cast<unsigned char>(bytes[index]);
    const auto second = static_cast<unsigned char>(bytes[index + 1]);
    return order == ByteOrder::LittleEndian ? char32_t(first | (second << 8))
                                            : char32_t((first << 8) | second);
}

void appendUnit(std::string& out, char32_t unit, ByteOrder order) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>((unit >> 8) & 0xFF);
    if (order == ByteOrder::LittleEndian) {
        out += low;
        out += high;
    } else {
        out += high;
        out += low;
    }
}

struct LeadByte {
    std::size_t length;  // of the whole sequence
    char32_t bits;       // the code point bits the lead byte carries
    char32_t smallest;   // the smallest code point that needs this length
};

std::optional<LeadByte> leadByte(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0) {
        return LeadByte{2, char32_t(lead & 0x1F), 0x80};
    }
    if ((lead & 0xF0) == 0xE0) {
        return LeadByte{3, char32_t(lead & 0x0F), 0x800};
    }
    if ((lead & 0xF8) == 0xF0) {
        return LeadByte{4, char32_t(lead & 0x07), 0x10000};
    }
    return std::nullopt;
}

}  // namespace

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::optional<std::string> utf16ToUtf8(std::string_view bytes, ByteOrder order) {
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const char32_t unit = unitAt(bytes, i, order);
        if (isLowSurrogate(unit)) {
            return std::nullopt;
        }
        if (!isHighSurrogate(unit)) {
            appendUtf8(out, unit);
            continue;
        }
        if (i + 2 >= bytes.size() || !isLowSurrogate(unitAt(bytes, i + 2, order))) {
            return std::nullopt;
        }
        const char32_t low = unitAt(bytes, i + 2, order);
        appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
    }
    return out;
}

TextMark textMarkOf(std::string_view start) {
    if (start.starts_with(kUtf8Mark)) {
        return {TextMark::Encoding::Utf8, ByteOrder::LittleEndian, kUtf8Mark.size()};
    }
    if (start.starts_with(kUtf16LeMark)) {
        return {TextMark::Encoding::Utf16, ByteOrder::LittleEndian, kUtf16LeMark.size()};
    }
    if (start.starts_with(kUtf16BeMark)) {
        return {TextMark::Encoding::Utf16, ByteOrder::BigEndian, kUtf16BeMark.size()};
    }
    return {};
}

std::optional<std::string> Utf16Decoder::decode(std::string_view piece) {
    held_.append(piece);
    std::size_t whole = held_.size() - held_.size() % 2;
    if (whole >= 2 && isHighSurrogate(unitAt(held_, whole - 2, order_))) {
        whole -= 2;  // its low half comes with the next piece
    }
    auto text = utf16ToUtf8(std::string_view(held_).substr(0, whole), order_);
    held_.erase(0, whole);
    return text;
}

std::optional<Utf8Character> utf8CharacterAt(std::string_view text, std::size_t index) {
    const auto first = static_cast<unsigned char>(text[index]);
    if (first < 0x80) {
        return Utf8Character{char32_t(first), 1};
    }
    const auto lead = leadByte(first);
    if (!lead || index + lead->length > text.size()) {
        return std::nullopt;
    }
    char32_t code = lead->bits;
    for (std::size_t i = 1; i < lead->length; ++i) {
        const auto next = static_cast<unsigned char>(text[index + i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < lead->smallest || code > 0x10FFFF || isHighSurrogate(code) || isLowSurrogate(code)) {
        return std::nullopt;
    }
    return Utf8Character{code, lead->length};
}

std::optional<std::string> utf8ToUtf16(std::string_view text, ByteOrder order) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size();) {
        const auto next = utf8CharacterAt(text, i);
        if (!next) {
            return std::nullopt;
        }
        const auto [code, length] = *next;
        if (code < 0x10000) {
            appendUnit(out, code, order);
        } else {
            appendUnit(out, 0xD800 + ((code - 0x10000) >> 10), order);
            appendUnit(out, 0xDC00 + ((code - 0x10000) & 0x3FF), order);
        }
        i += length;
    }
    return out;
}

}  // namespace zelk
