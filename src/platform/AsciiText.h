#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
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

// The first byte in [begin, end) that is a or b, or end: sixteen bytes at a time, for searches
// over short spans (a panel line) where starting a library search for each byte costs more.
inline const char* findEitherByte(const char* begin, const char* end, char a, char b) {
    using Bytes = unsigned char __attribute__((vector_size(16)));
    const char* at = begin;
    for (; end - at >= 16; at += 16) {
        Bytes bytes;
        std::memcpy(&bytes, at, sizeof bytes);
        const auto matches =
            (bytes == static_cast<unsigned char>(a)) | (bytes == static_cast<unsigned char>(b));
        std::uint64_t halves[2];
        std::memcpy(halves, &matches, sizeof halves);
        for (int half = 0; half < 2; ++half) {
            if (const std::uint64_t marks = halves[half]) {
                const int bits = std::endian::native == std::endian::little
                                     ? std::countr_zero(marks)
                                     : std::countl_zero(marks);
                return at + 8 * half + bits / 8;
            }
        }
    }
    while (at != end && *at != a && *at != b) {
        ++at;
    }
    return at;
}

}  // namespace zelk
