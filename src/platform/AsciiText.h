#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelk {

// ASCII-only lower case, byte by byte; other bytes are left alone.
std::string asciiLower(std::string_view text);
// Equal when every byte is, ASCII letters compared without regard to case.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The eight bytes of a word with their ASCII capitals lowered, all at once: a byte gets 0x20
// when it lies between 'A' and 'Z', which its low seven bits tell when its high bit is clear.
constexpr std::uint64_t asciiLowerWord(std::uint64_t word) {
    constexpr std::uint64_t kEveryByte = 0x0101010101010101u;
    const std::uint64_t low = word & (0x7F * kEveryByte);
    const std::uint64_t atLeastA = low + (0x80 - 'A') * kEveryByte;
    const std::uint64_t aboveZ = low + (0x80 - 'Z' - 1) * kEveryByte;
    const std::uint64_t capital = atLeastA & ~aboveZ & ~word & (0x80 * kEveryByte);
    return word | (capital >> 2);
}

}  // namespace zelk
