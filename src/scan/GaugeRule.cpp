#include "scan/GaugeRule.h"

#include <algorithm>
#include <vector>

#include "platform/AsciiText.h"
#include "platform/ProfileString.h"

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

bool isSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimSpacesAndTabs(std::string_view text) {
    while (!text.empty() && isSpaceOrTab(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpaceOrTab(text.back())) {
        text.remove_suffix(1);
    }
    return text;
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

constexpr std::string_view kSeparators = "\\/";

// Windows drops the dots and blanks at the end of a folder's name in a path ("GAUGES." is
// GAUGES).
std::string_view asWindowsOpensFolder(std::string_view step) {
    const std::size_t end = step.find_last_not_of(". ");
    return step.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

// The gauges folder's own name is compared without regard to case, as on disk.
bool isGaugesFolder(std::string_view step) {
    return equalsIgnoringAsciiCase(asWindowsOpensFolder(step), "GAUGES");
}

// The file that the simulator opens for a name written as a path, when it lies directly in
// GAUGES: then it is the part of the name after its last separator.
std::optional<std::string_view> fileInGaugesOf(std::string_view name) {
    if (name.find_first_of(kSeparators) == std::string_view::npos) {
        return std::nullopt;
    }
    const GaugePlace place = placeOf(name);
    return place.where == GaugePlace::Where::Gauges ? std::optional(place.file) : std::nullopt;
}

// Nearly every name: nothing to unquote, cut at a NUL, trim or resolve as a path, found without
// building the spellings.
bool hasNoOtherSpelling(std::string_view name) {
    if (name.empty()) {
        return true;
    }
    const bool quoted = name.front() == '"' || name.front() == '\'';
    const bool padded = isSpaceOrTab(name.front()) || isSpaceOrTab(name.back());
    // One pass over the bytes: find_first_of would search the three of them for every byte.
    const bool nulOrSeparator = std::any_of(
        name.begin(), name.end(), [](char c) { return c == '\0' || c == '\\' || c == '/'; });
    return !quoted && !padded && !nulOrSeparator;
}

}  // namespace

OtherSpellings otherSpellingsOf(std::string_view name) {
    OtherSpellings other;
    if (hasNoOtherSpelling(name)) {
        return other;
    }
    const auto add = [&](std::string_view spelling) {
        if (spelling != name && std::find(other.begin(), other.end(), spelling) == other.end()) {
            other.names[other.count++] = spelling;
        }
    };
    const std::string_view cut = cutAtNul(name);
    for (const std::string_view read : {name, cut, unquoted(name), unquoted(cut)}) {
        add(read);
        if (const auto file = fileInGaugesOf(read)) {
            add(*file);
        }
    }
    return other;
}

std::optional<std::string_view> gaugeNameOf(std::string_view line) {
    if (!mentionsGauge(line)) {
        return std::nullopt;
    }
    const char* const lineEnd = line.data() + line.size();
    const char* const equals = findEitherByte(line.data(), lineEnd, '=', '=');
    const char* const start = equals == lineEnd ? line.data() : equals + 1;
    // The simulator takes the first comma field, and the file is the part of it before a "!":
    // so the name ends at whichever comes first.
    const char* const end = findEitherByte(start, lineEnd, '!', ',');
    return trimSpacesAndTabs(std::string_view(start, static_cast<std::size_t>(end - start)));
}

// Either slash separates and doubled ones count as one. A path that climbs above the simulator
// folder counts as coming back into GAUGES when its last folder is one named GAUGES below
// another: the folders above are not known, and an extra spelling can only keep a file.
GaugePlace placeOf(std::string_view name) {
    const std::size_t lastSeparator = name.find_last_of(kSeparators);
    if (lastSeparator == std::string_view::npos) {
        return {GaugePlace::Where::Gauges, {}, name};
    }
    std::vector<std::string_view> folders = {"GAUGES"};  // below the simulator folder
    bool climbedOut = false;
    std::string_view rest = name.substr(0, lastSeparator);
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find_first_of(kSeparators), rest.size());
        const std::string_view step = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (step == "..") {
            climbedOut = climbedOut || folders.empty();
            if (!folders.empty()) {
                folders.pop_back();
            }
        } else if (!step.empty() && step != ".") {
            folders.push_back(step);
        }
    }
    GaugePlace place{GaugePlace::Where::Outside, {}, name.substr(lastSeparator + 1)};
    if (climbedOut) {
        if (folders.size() >= 2 && isGaugesFolder(folders.back())) {
            place.where = GaugePlace::Where::Gauges;
        }
    } else if (!folders.empty() && isGaugesFolder(folders.front())) {
        for (auto folder = folders.begin() + 1; folder != folders.end(); ++folder) {
            place.folders.push_back(asWindowsOpensFolder(*folder));
        }
        place.where =
            place.folders.empty() ? GaugePlace::Where::Gauges : GaugePlace::Where::SubFolder;
    }
    return place;
}

namespace {

// A word followed by one or more digits, the word in any case: "gauge12", "Window00".
bool isNumbered(std::string_view text, std::string_view word) {
    if (text.size() <= word.size() || !equalsIgnoringAsciiCase(text.substr(0, word.size()), word)) {
        return false;
    }
    const std::string_view digits = text.substr(word.size());
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<std::string_view> LoadedGaugeReader::gaugeLoadedBy(std::string_view line) {
    const ProfileLine read = profileLineOf(line.substr(0, line.find('\0')));
    if (read.kind == ProfileLine::Kind::Section) {
        inWindowSection_ = isNumbered(read.name, "window") || isNumbered(read.name, "vcockpit");
        return std::nullopt;
    }
    if (read.kind != ProfileLine::Kind::Key || !inWindowSection_ ||
        !isNumbered(read.name, "gauge")) {
        return std::nullopt;
    }
    const std::string_view value = profileValueOf(read.value);
    const std::string_view name = trimSpacesAndTabs(value.substr(0, value.find_first_of("!,")));
    return name.empty() ? std::nullopt : std::optional(name);
}

}  // namespace zelk
