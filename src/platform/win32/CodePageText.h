#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelk {

// The system's ANSI code page, in which 8-bit text (panel files, settings) is written.
int ansiCodePage();

}  // namespace zelk
