#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace zelk {

// Which files of the gauges folder the collected gauge names account for. A file is accounted
// for when its name, in lower case, is a gauge name in lower case followed by ".gau".
//
// Panel files are Windows text (code page 1252), while file names on Linux are usually UTF-8:
// "H\xf6he" in a panel and "Höhe.gau" on disk are the same gauge. So a name with bytes above
// 127 is also compared as text, read both ways, with the accented capitals of Latin-1 lowered
// as well. Every such extra comparison can only keep a file, never remove one; names of plain
// ASCII compare exactly as bytes in lower case.
class GaugeMatch {
public:
    void addGauge(std::string_view gaugeName);
    bool accountsFor(std::string_view fileName) const;

private:
    std::unordered_set<std::string> bytes_;  // ASCII-lowered bytes
    std::unordered_set<std::string> text_;   // lowered text, as UTF-8
};

// The file name in lower case without its ".gau"; nothing for other extensions.
std::optional<std::string> loweredGaugeOfFile(std::string_view fileName);

// Text helpers, exposed for tests: Windows-1252 or UTF-8 bytes to lowered UTF-8 text.
std::string loweredTextFromWindows1252(std::string_view bytes);
std::optional<std::string> loweredTextFromUtf8(std::string_view bytes);

}  // namespace zelk
