#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelk {

// The gauge name a panel line refers to, or nothing when the line is no gauge reference.
//
// A gauge reference is any line containing "gauge" in any case (the simulator reads panel
// keys without regard to case). The name starts after the first "=" (at the line's start
// when there is none) and ends before the first "!" from there on, else before the first ","
// from there on, else at the line's end. Spaces and tabs at both ends of the name are dropped
// ("gauge00= Clock!Clock" refers to Clock); nothing inside the name changes.
// The name is a view into line.
std::optional<std::string_view> gaugeNameOf(std::string_view line);

}  // namespace zelk
