#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zelk {

// The single-byte ANSI code pages of Windows: Thai, then Central European, Cyrillic, Western,
// Greek, Turkish, Hebrew, Arabic, Baltic and Vietnamese. A panel file is 8-bit text in one of
// them, whichever its author's Windows used.
inline constexpr std::array<int, 10> kAnsiCodePages = {874,  1250, 1251, 1252, 1253,
                                                       1254, 1255, 1256, 1257, 1258};

// The text that the bytes stand for in a code page, as code points; nothing when a byte has no
// meaning there. Done by the system's converter, so it does not depend on the user's locale.
std::optional<std::u32string> decodeCodePage(int codePage, std::string_view bytes);

// The lower case of one character by Unicode's simple mapping, the same in every locale.
char32_t lowerCharacter(char32_t c);
// The upper case of one character as Windows compares file names (windowsUpperCase), and on
// Windows also as the system itself upper-cases it.
char32_t upperCharacter(char32_t c);

}  // namespace zelk
