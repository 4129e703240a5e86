#pragma once

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

}  // namespace zelk
