#include "platform/AsciiText.h"

#include <algorithm>
#include <cstring>

namespace zelk {
namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string asciiLower(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), lowerAscii);
    return lowered;
}

namespace {

// Whether the words of both texts at that place are the same, ASCII case aside.
template <typename Word>
bool sameWordAt(std::string_view a, std::string_view b, std::size_t at) {
    Word x = 0;
    Word y = 0;
    std::memcpy(&x, a.data() + at, sizeof x);
    std::memcpy(&y, b.data() + at, sizeof y);
    return asciiLowerWord(x) == asciiLowerWord(y);
}

}  // namespace

// A word at a time, the last word overlapping the one before: names compared here are file
// names and extensions, rarely shorter than four bytes.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const std::size_t size = a.size();
    if (size != b.size()) {
        return false;
    }
    if (size >= 8) {
        for (std::size_t at = 0; at + 8 < size; at += 8) {
            if (!sameWordAt<std::uint64_t>(a, b, at)) {
                return false;
            }
        }
        return sameWordAt<std::uint64_t>(a, b, size - 8);
    }
    if (size >= 4) {
        return sameWordAt<std::uint32_t>(a, b, 0) && sameWordAt<std::uint32_t>(a, b, size - 4);
    }
    return std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

}  // namespace zelk
