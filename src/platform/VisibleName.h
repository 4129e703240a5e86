#pragma once

#include <string>
#include <string_view>

namespace zelk {

// How a file name or path is shown to a person: in a list, a tooltip or a message. A file name
// is data, and some names would fool the reader: a line break makes one name read as two, a
// terminal escape moves the cursor over names shown before, a right-to-left override turns
// "Radio\u202Ekab.gau" into what reads as "Radiouag.bak", and bytes that are no UTF-8 show as
// anything at all.
//
// A name that is valid UTF-8 and holds none of these is shown exactly as it is, so that a
// script reading the list keeps working:
//   - a control character: C0 (U+0000 to U+001F), DEL (U+007F) or C1 (U+0080 to U+009F);
//   - a format character (Unicode's class Cf: U+00AD, U+200B to U+200F, U+202A to U+202E,
//     U+2060 to U+206F, U+FEFF and the others), which is invisible or turns the text around;
//   - the line or paragraph separator (U+2028, U+2029), which some views break lines at.
// Any other name, and a name that itself starts with "$'", is shown whole in the shell's
// $'...' quoting (bash, ksh and zsh read it back as the very name): tab, line feed and carriage
// return as \t, \n and \r, every other such character as \xHH below U+0080 and as \uHHHH or
// \UHHHHHHHH above, a byte that is no UTF-8 as \xHH, and a backslash and a quote as \\ and \'.
// So each shown name is one line, and no two names are shown alike.
std::string visibleName(std::string_view name);

}  // namespace zelk
