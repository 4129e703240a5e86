#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelk {

enum class ByteOrder { LittleEndian, BigEndian };

// UTF-16 bytes (no byte-order mark) as UTF-8; nothing when they are not valid UTF-16 (an odd
// number of bytes, a lone surrogate). Strict both ways, so that whatever is decoded is encoded
// back to the same bytes.
std::optional<std::string> utf16ToUtf8(std::string_view bytes, ByteOrder order);

// UTF-8 text as UTF-16 bytes (no byte-order mark); nothing when the text is not valid UTF-8
// (a stray byte, a sequence cut short or too long, an encoded surrogate).
std::optional<std::string> utf8ToUtf16(std::string_view text, ByteOrder order);

}  // namespace zelk
