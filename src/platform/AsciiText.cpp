#include "platform/AsciiText.h"

#include <algorithm>

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

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return sameFoldedWords(a, b, [](std::uint64_t word) { return asciiLowerWord(word); });
}

}  // namespace zelk
