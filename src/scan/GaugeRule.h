#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

// The gauge name a panel line refers to, or nothing when the line is no gauge reference.
//
// A gauge reference is any line containing "gauge" in any case (the simulator reads panel
// keys without regard to case). The name starts after the first "=" (at the line's start
// when there is none) and ends before the first "!" or "," from there on, whichever comes
// first, else at the line's end: a gauge entry is "file!name, x, y, w, h", and a "!" in a
// trailing comment must not swallow the commas. Spaces and tabs at both ends of the name are
// dropped ("gauge00= Clock!Clock" refers to Clock); nothing inside the name changes.
// The name is a view into line.
std::optional<std::string_view> gaugeNameOf(std::string_view line);

// Up to seven more spellings of a gauge name; views into the name.
struct OtherSpellings {
    std::array<std::string_view, 7> names;
    std::size_t count = 0;

    const std::string_view* begin() const { return names.data(); }
    const std::string_view* end() const { return names.data() + count; }
};

// The other spellings a gauge name stands for when Windows' profile functions read the panel
// line: the name up to its first NUL byte (they end a line there), and the name without a
// leading double or single quote and the same quote at its end (they drop one pair of quotes
// around a whole value, "gauge00="Alpha!Needle, 1, 1"" is gauge Alpha), each again without
// blanks at its ends. And for each of these that is a path, the file directly in GAUGES that
// Windows resolves "GAUGES\" + it + ".gau" to: ".\Foo", "..\GAUGES\Foo" and "Sub\..\Foo"
// are Foo (one that stays in a subfolder or leaves GAUGES names no such file). Nothing for a
// name without NUL, leading quote or separator, as most are.
OtherSpellings otherSpellingsOf(std::string_view name);

// Reads a panel line by line as the simulator loads its gauges, which is stricter than
// gaugeNameOf (the Scan keeps every name that might be used): only a key "gaugeNN" (any case,
// NN one or more digits) in a section "[WindowNN]" or "[VcockpitNN]" (any case) loads a gauge.
// The line is read as Windows' profile functions read it: up to its first NUL, blanks around
// the section name, the key and the value dropped, one pair of quotes around the whole value
// too; a line that starts with ";" is a comment, and so is one that starts with "//", whose key
// is never "gaugeNN". The gauge is the value's text before its first "!" or ",", without blanks
// and tabs at its ends; an empty one loads nothing.
class LoadedGaugeReader {
public:
    // The gauge that the line loads, or nothing; a section header sets the section of the
    // lines after it. The name is a view into line.
    std::optional<std::string_view> gaugeLoadedBy(std::string_view line);

private:
    bool inWindowSection_ = false;
};

// Where the simulator looks for a gauge, "GAUGES\" + name + ".gau", as Windows resolves the
// name's "." and ".." steps (the rule of otherSpellingsOf): directly in GAUGES, in a folder
// below it, or outside it.
struct GaugePlace {
    enum class Where { Gauges, SubFolder, Outside };
    Where where = Where::Gauges;
    // For a subfolder, its path below GAUGES, folder by folder, each without the dots and
    // blanks at its end that Windows drops.
    std::vector<std::string_view> folders;
    std::string_view file;  // the part after the last separator; views into the name
};
GaugePlace placeOf(std::string_view name);

}  // namespace zelk
