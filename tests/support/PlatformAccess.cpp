#include "support/PlatformAccess.h"

#include <algorithm>

namespace zelk::test {
namespace {

char folded(char c) {
    if (c == '\\') {
        return '/';
    }
    return (kPathsIgnoreCase && c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameChar(char a, char b) {
    return folded(a) == folded(b);
}

}  // namespace

bool samePath(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), sameChar);
}

bool mentions(std::string_view text, std::string_view path) {
    return std::search(text.begin(), text.end(), path.begin(), path.end(), sameChar) != text.end();
}

bool pathEndsWith(std::string_view path, std::string_view suffix) {
    return path.size() >= suffix.size() &&
           samePath(path.substr(path.size() - suffix.size()), suffix);
}

}  // namespace zelk::test
