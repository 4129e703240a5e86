#include "scan/GaugeMatch.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/AsciiText.h"
#include "platform/CodePages.h"
#include "platform/TextEncoding.h"
#include "scan/GaugeRule.h"

namespace zelk {
namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

template <typename Fold>
std::string foldedUtf8(const std::u32string& text, Fold fold) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char32_t c : text) {
        appendUtf8(out, fold(c));
    }
    return out;
}

// The code points of valid UTF-8; nothing for anything else (overlong forms included).
std::optional<std::u32string> decodeUtf8(std::string_view bytes) {
    std::u32string text;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto character = utf8CharacterAt(bytes, i);
        if (!character) {
            return std::nullopt;
        }
        text += character->code;
        i += character->length;
    }
    return text;
}

constexpr char32_t kNoCharacter = 0xFFFFFFFF;
using ByteCharacters = std::array<char32_t, 256>;

// What each byte means on its own in each code page, found once.
const ByteCharacters& byteCharactersOf(std::size_t page) {
    static const auto tables = [] {
        std::array<ByteCharacters, kAnsiCodePages.size()> built{};
        for (std::size_t p = 0; p < kAnsiCodePages.size(); ++p) {
            for (int value = 0; value < 256; ++value) {
                const char byte = static_cast<char>(value);
                const auto text = decodeCodePage(kAnsiCodePages[p], std::string_view(&byte, 1));
                built[p][static_cast<std::size_t>(value)] =
                    text && text->size() == 1 ? text->front() : kNoCharacter;
            }
        }
        return built;
    }();
    return tables[page];
}

// The text with every byte read as its own character, as Windows' MultiByteToWideChar reads
// it: a converter that composes a letter and a combining mark that follows it into one
// character (Vietnamese, Hebrew) spells the name another way than Windows does.
std::optional<std::u32string> decodeByteByByte(std::size_t page, std::string_view bytes) {
    const ByteCharacters& characters = byteCharactersOf(page);
    std::u32string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const char32_t c = characters[static_cast<unsigned char>(byte)];
        if (c == kNoCharacter) {
            return std::nullopt;
        }
        text += c;
    }
    return text;
}

// Every text the bytes can stand for: read as UTF-8 (when they are valid UTF-8) and in each
// Windows ANSI code page that gives all of them a meaning, whole and byte by byte.
std::vector<std::u32string> readingsOf(std::string_view bytes) {
    std::vector<std::u32string> readings;
    if (auto text = decodeUtf8(bytes)) {
        readings.push_back(std::move(*text));
    }
    for (std::size_t page = 0; page < kAnsiCodePages.size(); ++page) {
        auto whole = decodeCodePage(kAnsiCodePages[page], bytes);
        auto byteByByte = decodeByteByByte(page, bytes);
        if (byteByByte && byteByByte != whole) {
            readings.push_back(std::move(*byteByByte));
        }
        if (whole) {
            readings.push_back(std::move(*whole));
        }
    }
    return readings;
}

}  // namespace

TextSpellings textSpellingsOf(std::string_view bytes) {
    TextSpellings spellings;
    for (const std::u32string& reading : readingsOf(bytes)) {
        spellings.lowered.push_back(foldedUtf8(reading, lowerCharacter));
        spellings.upperCased.push_back(foldedUtf8(reading, upperCharacter));
    }
    return spellings;
}

namespace {

// Every gauge extension is a dot and three letters: the last four bytes of a file name, in
// lower case, are compared with each as one number.
constexpr std::size_t kExtensionSize = 4;
static_assert(std::all_of(kGaugeExtensions.begin(), kGaugeExtensions.end(),
                          [](std::string_view e) { return e.size() == kExtensionSize; }));

std::uint64_t loweredWordOf(std::string_view fourBytes) {
    return foldedWordAt<std::uint32_t>(fourBytes, 0,
                                       [](std::uint64_t word) { return asciiLowerWord(word); });
}

}  // namespace

std::optional<std::string_view> gaugeStemOf(std::string_view fileName) {
    if (fileName.size() < kExtensionSize) {
        return std::nullopt;
    }
    const std::size_t stemSize = fileName.size() - kExtensionSize;
    const std::uint64_t extension = loweredWordOf(fileName.substr(stemSize));
    for (const std::string_view gaugeExtension : kGaugeExtensions) {
        if (extension == loweredWordOf(gaugeExtension)) {
            return fileName.substr(0, stemSize);
        }
    }
    return std::nullopt;
}

std::optional<std::string> loweredGaugeOfFile(std::string_view fileName) {
    const auto stem = gaugeStemOf(fileName);
    return stem ? std::optional(asciiLower(*stem)) : std::nullopt;
}

GaugeMatch::GaugeMatch(const NameList& gauges) : gauges_(gauges) {
    if (!gauges.hasSlots()) {
        return;
    }
    const Int16 last = gauges.upperBound();
    for (int i = 1; i <= last.value(); ++i) {
        const std::string& name = gauges.at(i);
        namesAShortName_ = namesAShortName_ || name.find('~') != std::string::npos;
        addTextSpellings(name);
        for (const std::string_view other : otherSpellingsOf(name)) {
            others_.insert(other, 0);
            addTextSpellings(other);
        }
    }
}

void GaugeMatch::addTextSpellings(std::string_view name) {
    if (isAscii(name)) {
        return;
    }
    const TextSpellings spellings = textSpellingsOf(name);
    for (const std::string& spelling : spellings.lowered) {
        lowered_.insert(spelling, 0);
    }
    for (const std::string& spelling : spellings.upperCased) {
        upperCased_.insert(spelling, 0);
    }
}

bool GaugeMatch::accountsFor(std::string_view fileName) const {
    const std::optional<std::string_view> gaugeStem = gaugeStemOf(fileName);
    if (!gaugeStem) {
        return false;
    }
    const std::string_view stem = *gaugeStem;
    if (gauges_.containsIgnoringAsciiCase(stem) || others_.containsIgnoringAsciiCase(stem)) {
        return true;
    }
    if (lowered_.empty() || isAscii(stem)) {
        return false;
    }
    const TextSpellings spellings = textSpellingsOf(stem);
    const auto foundIn = [](const NameTable& table, const std::vector<std::string>& texts) {
        return std::any_of(texts.begin(), texts.end(),
                           [&table](const std::string& text) { return table.find(text); });
    };
    return foundIn(lowered_, spellings.lowered) || foundIn(upperCased_, spellings.upperCased);
}

}  // namespace zelk
