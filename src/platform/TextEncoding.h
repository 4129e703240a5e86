#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelk {

enum class ByteOrder { LittleEndian, BigEndian };

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
inline constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// What the byte-order mark at the start of a text file says, as Windows' profile functions
// read it: UTF-16 in either byte order, UTF-8, or no mark (8-bit text, length 0).
struct TextMark {
    enum class Encoding { None, Utf8, Utf16 };
    Encoding encoding = Encoding::None;
    ByteOrder order = ByteOrder::LittleEndian;  // of UTF-16
    std::size_t length = 0;                     // of the mark
};

// The mark the bytes start with; give at least the first three bytes of the file, or all of a
// shorter one.
TextMark textMarkOf(std::string_view start);

// UTF-16 bytes (no byte-order mark) as UTF-8; nothing when they are not valid UTF-16 (an odd
// number of bytes, a lone surrogate). Strict both ways, so that whatever is decoded is encoded
// back to the same bytes.
std::optional<std::string> utf16ToUtf8(std::string_view bytes, ByteOrder order);

// One character of UTF-8 text: its code point and how many bytes it takes.
struct Utf8Character {
    char32_t code = 0;
    std::size_t length = 0;
};

// The character that starts at text[index]; nothing when the bytes there are not the shortest
// UTF-8 form of a code point other than a surrogate (a stray or cut sequence, an overlong form,
// a code beyond U+10FFFF).
std::optional<Utf8Character> utf8CharacterAt(std::string_view text, std::size_t index);

// Appends a code point to UTF-8 text.
void appendUtf8(std::string& out, char32_t code);

// UTF-8 text as UTF-16 bytes (no byte-order mark); nothing when the text is not valid UTF-8
// (a stray byte, a sequence cut short or too long, an encoded surrogate).
std::optional<std::string> utf8ToUtf16(std::string_view text, ByteOrder order);

// UTF-16 handed over in pieces of any size, as UTF-8: a unit or a surrogate pair cut between
// two pieces waits for the next one, so the pieces give the text utf16ToUtf8 gives the whole.
class Utf16Decoder {
public:
    explicit Utf16Decoder(ByteOrder order) : order_(order) {}

    // The text of the piece, with what was held back before; nothing when it is not UTF-16.
    std::optional<std::string> decode(std::string_view piece);
    // True when nothing is held back: the bytes so far end where a character does.
    bool atCharacterEnd() const { return held_.empty(); }

private:
    ByteOrder order_;
    std::string held_;
};

}  // namespace zelk
