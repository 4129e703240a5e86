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

// The word of that type at a place of a text, widened to 64 bits and passed through fold.
template <typename Word, typename Fold>
std::uint64_t foldedWordAt(std::string_view text, std::size_t at, Fold fold) {
    Word word = 0;
    std::memcpy(&word, text.data() + at, sizeof word);
    return fold(std::uint64_t{word});
}

// Whether two texts are equal once fold has been applied to their words: eight bytes at a time,
// the last word overlapping the one before; under eight bytes, two four-byte words that overlap;
// under four, byte by byte. Names compared this way are a few words long, where a library call
// costs more than the comparison.
template <typename Fold>
bool sameFoldedWords(std::string_view a, std::string_view b, Fold fold) {
    const std::size_t size = a.size();
    if (size != b.size()) {
        return false;
    }
    const auto same = [&](auto word, std::size_t at) {
        using Word = decltype(word);
        return foldedWordAt<Word>(a, at, fold) == foldedWordAt<Word>(b, at, fold);
    };
    if (size >= 8) {
        for (std::size_t at = 0; at + 8 < size; at += 8) {
            if (!same(std::uint64_t{}, at)) {
                return false;
            }
        }
        return same(std::uint64_t{}, size - 8);
    }
    if (size >= 4) {
        return same(std::uint32_t{}, 0) && same(std::uint32_t{}, size - 4);
    }
    for (std::size_t at = 0; at < size; ++at) {
        if (!same(std::uint8_t{}, at)) {
            return false;
        }
    }
    return true;
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
