#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/NameList.h"
#include "core/NameTable.h"

namespace zelk {

// The extensions of a gauge file, lower case. A panel's gauge "Name" is the file Name.gau, Name.cab
// (XML gauges packed in a cabinet, from FS2002 on) or Name.dll (C gauges of later versions):
// the simulator looks for all three, so each is in use.
inline constexpr std::array<std::string_view, 3> kGaugeExtensions = {".gau", ".cab", ".dll"};

// The file name without its gauge extension, in any case; nothing for any other file.
std::optional<std::string_view> gaugeStemOf(std::string_view fileName);

// Which files of the gauges folder the collected gauge names account for. A file is accounted
// for when its name, in lower case, is a gauge name in lower case followed by a gauge extension.
//
// A panel is 8-bit text in the Windows code page of whoever wrote it, while a file name on Linux
// is usually UTF-8: "Wysoko\x9c\xe6" in a Polish panel and "Wysokość.gau" on disk are the same
// gauge. So a name with bytes above 127 counts for every spelling it can have: its bytes as they
// are, and its text read as UTF-8 and in each Windows ANSI code page (composed by the system's
// converter and byte by byte, as Windows reads it), lowered by Unicode's rules and upper-cased
// as Windows compares file names (a Greek final sigma is a sigma there). A file name is read
// the same ways, and matches when its lowered text is one of the lowered texts of a name or its
// upper-cased one one of the upper-cased texts. So does each other spelling of a name
// (otherSpellingsOf: a line cut at a NUL, a value in quotes, a path into GAUGES). Every extra
// spelling can only keep a file, never remove one. A file name of plain ASCII compares with the
// names as bytes in lower case only: Windows folds no character beyond ASCII into one of ASCII.
class GaugeMatch {
public:
    // Matches against the names of the list; the list must outlive the match and not change.
    explicit GaugeMatch(const NameList& gauges);
    bool accountsFor(std::string_view fileName) const;
    // Whether any name could be an 8.3 short name: the system makes them with a "~" (CESSNA~1),
    // so without one no short name can match and none need be looked up.
    bool namesAShortName() const { return namesAShortName_; }

private:
    void addTextSpellings(std::string_view name);

    const NameList& gauges_;  // looked up without regard to ASCII case
    NameTable others_;        // the other spellings of the names, likewise
    NameTable lowered_;       // the lowered texts of the names beyond ASCII, as UTF-8
    NameTable upperCased_;    // their upper-cased texts, as UTF-8
    bool namesAShortName_ = false;
};

// The file name in lower case without its gauge extension; nothing for other extensions.
std::optional<std::string> loweredGaugeOfFile(std::string_view fileName);

// Every text a name beyond ASCII can stand for, as UTF-8: read as UTF-8 (when it is valid
// UTF-8) and in each Windows ANSI code page that gives all its bytes a meaning, whole and byte
// by byte; each lowered, and upper-cased as Windows compares file names.
struct TextSpellings {
    std::vector<std::string> lowered;
    std::vector<std::string> upperCased;
};
TextSpellings textSpellingsOf(std::string_view bytes);

}  // namespace zelk
