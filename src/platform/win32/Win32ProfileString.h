#pragma once

#include <cstddef>
#include <string>

namespace zelk::win32 {

// The Windows profile-string functions themselves, with the shape of the program's own pair:
// text is UTF-8 on this side and ANSI (the system code page) in the file, as Windows keeps it.
//
// Reading places the value (or the default, when the file, section or key is missing) in the
// buffer, at most size - 1 ANSI characters as Windows cuts it, then as UTF-8 cut to size - 1
// bytes, ended with a NUL; the result is the number of bytes placed.
std::size_t GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, char* buffer,
                                     std::size_t size, const std::string& fileName);

// Writing returns false, and leaves the file as it was, when the value has a character the
// ANSI code page cannot hold: a substitute would store another folder than the one given. A
// file that is a link is written through it: the file it leads to gets the value, and the link
// stays a link.
bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& fileName);

}  // namespace zelk::win32
