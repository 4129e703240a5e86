#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

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

}  // namespace zelk
