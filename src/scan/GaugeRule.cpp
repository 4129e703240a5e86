#include "scan/GaugeRule.h"

#include <algorithm>

namespace zelk {
namespace {

// Setting bit 5 lowers an ASCII capital; only the capital and the small letter itself turn
// into a small letter that way, so the tests below are exact.
char folded(char c) {
    return static_cast<char>(c | 0x20);
}

// Whether "gauge" is in the text in any case. Most lines are not gauge references, so the
// search skips ahead by the last letter under the window the way Horspool's search does: a
// byte that is not in "gauge" moves it five bytes on.
bool mentionsGauge(std::string_view text) {
    constexpr std::size_t kLength = 5;
    for (std::size_t at = 0; at + kLength <= text.size();) {
        const char last = folded(text[at + kLength - 1]);
        if (last == 'e' && folded(text[at]) == 'g' && folded(text[at + 1]) == 'a' &&
            folded(text[at + 2]) == 'u' && folded(text[at + 3]) == 'g') {
            return true;
        }
        switch (last) {
            case 'g':
                at += 1;
                break;
            case 'u':
                at += 2;
                break;
            case 'a':
                at += 3;
                break;
            default:
                at += kLength;
                break;
        }
    }
    return false;
}

std::size_t findNameEnd(std::string_view line, std::size_t start) {
    for (std::size_t at = start; at < line.size(); ++at) {
        if (line[at] == '!' || line[at] == ',') {
            return at;
        }
    }
    return line.size();
}

std::string_view trimSpacesAndTabs(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string_view cutAtNul(std::string_view name) {
    return trimSpacesAndTabs(name.substr(0, name.find('\0')));
}

std::string_view unquoted(std::string_view name) {
    if (name.empty() || (name.front() != '"' && name.front() != '\'')) {
        return name;
    }
    const char quote = name.front();
    name.remove_prefix(1);
    if (!name.empty() && name.back() == quote) {
        name.remove_suffix(1);
    }
    return trimSpacesAndTabs(name);
}

}  // namespace

OtherSpellings otherSpellingsOf(std::string_view name) {
    OtherSpellings other;
    const auto add = [&](std::string_view spelling) {
        if (spelling != name && std::find(other.begin(), other.end(), spelling) == other.end()) {
            other.names[other.count++] = spelling;
        }
    };
    const std::string_view cut = cutAtNul(name);
    add(cut);
    add(unquoted(name));
    add(unquoted(cut));
    return other;
}

std::optional<std::string_view> gaugeNameOf(std::string_view line) {
    if (!mentionsGauge(line)) {
        return std::nullopt;
    }
    const auto equals = line.find('=');
    const std::size_t start = equals == std::string_view::npos ? 0 : equals + 1;
    // The simulator takes the first comma field, and the file is the part of it before a "!":
    // so the name ends at whichever comes first.
    const std::size_t end = findNameEnd(line, start);
    return trimSpacesAndTabs(line.substr(start, end - start));
}

}  // namespace zelk
