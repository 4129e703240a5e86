#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelk::win32 {

// The program keeps text and paths as UTF-8; Windows' wide calls take UTF-16. Throws ZelkError
// (invalid argument, naming the text) for bytes that are not UTF-8, which can name no file.
std::wstring widen(std::string_view utf8);
// UTF-16 from the system to UTF-8. Nothing for text that is not valid UTF-16 (an unpaired
// surrogate, which NTFS allows in names): such a name cannot be handed back to the system.
std::optional<std::string> narrow(std::wstring_view utf16);

// Text for the 8-bit (ANSI) calls in the system's code page. Nothing when a character has no
// place in that code page: a substitute would name another file or store another folder.
std::optional<std::string> ansiFromUtf8(std::string_view utf8);
// The same text for display only: characters the code page lacks become "?".
std::string ansiForDisplay(std::string_view utf8);
// Text that an 8-bit call returned, as UTF-8.
std::string utf8FromAnsi(std::string_view ansi);

}  // namespace zelk::win32
