#include "scan/GaugeRule.h"

#include "platform/PathMapping.h"

namespace zelk {
namespace {

bool containsIgnoringCase(std::string_view text, std::string_view word) {
    if (word.size() > text.size()) {
        return false;
    }
    for (std::size_t at = 0; at + word.size() <= text.size(); ++at) {
        if (equalsIgnoringAsciiCase(text.substr(at, word.size()), word)) {
            return true;
        }
    }
    return false;
}

std::string_view trimSpacesAndTabs(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<std::string_view> gaugeNameOf(std::string_view line) {
    if (!containsIgnoringCase(line, "gauge")) {
        return std::nullopt;
    }
    const auto equals = line.find('=');
    const std::size_t start = equals == std::string_view::npos ? 0 : equals + 1;
    // The simulator takes the first comma field, and the file is the part of it before a "!":
    // so the name ends at whichever comes first.
    std::size_t end = line.find_first_of("!,", start);
    if (end == std::string_view::npos) {
        end = line.size();
    }
    return trimSpacesAndTabs(line.substr(start, end - start));
}

}  // namespace zelk
