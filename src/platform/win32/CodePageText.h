#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelk {

// Bytes of a Windows code page (1252, 1250, 1251, ...) as text. Nothing when the code page is
// not installed or a byte (or byte sequence) stands for no character in it: such a name must
// not be matched by a guess.
std::optional<std::u32string> decodeCodePage(int codePage, std::string_view bytes);

// The system's ANSI code page, in which 8-bit text (panel files, settings) is written.
int ansiCodePage();

// The lower case of a character as Windows lowers it, the same in every locale (no Turkish
// dotless i). Characters beyond the Basic Multilingual Plane come back unchanged.
char32_t lowerChar(char32_t c);

}  // namespace zelk
