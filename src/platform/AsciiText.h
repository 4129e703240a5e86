#pragma once

#include <string>
#include <string_view>

namespace zelk {

// ASCII-only lower case, byte by byte; other bytes are left alone.
std::string asciiLower(std::string_view text);
// Equal when every byte is, ASCII letters compared without regard to case.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace zelk
