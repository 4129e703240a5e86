#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/FileSystemObject.h"

namespace zelk {

// Work-alikes of the Windows profile-string functions for one value of an INI file. The file
// path is Windows-style and goes through the same path mapping as the file-system service.
//
// Encodings: a file that starts with a UTF-16 byte-order mark (either byte order) is UTF-16;
// the functions see its text as UTF-8, and a write stores it in UTF-16 again, mark included.
// A UTF-8 byte-order mark is skipped on reading and kept on writing. Any other file is 8-bit
// text, taken as it is. A UTF-16 file that is not valid UTF-16 reads as missing and is never
// rewritten.
//
// Reading: section and key names match without regard to case; blanks around a section name,
// a key and a value are ignored; a value in one matching pair of double or single quotes comes
// back without them; the first occurrence of a section, and within it of a key, counts; a line
// starting with ";" is a comment; a line without "=" is not a key. A missing file, section or
// key gives the default less its trailing spaces. The text placed in the buffer is cut to
// size - 1 characters and ended with a NUL; the result is the number of characters placed.
std::size_t GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, char* buffer,
                                     std::size_t size, const std::string& fileName,
                                     const DiskAccess& access = DiskAccess::system());

// Writing: when the key already holds exactly this value (the text after "=", blanks around
// it ignored), the file is not touched at all. Otherwise the first matching key gets the new
// value in place, keeping the spelling of its name; a missing key goes after the last key of
// the first matching section; a missing section goes at the end of the file; a missing file is
// created. Lines written read key=value and end with CR LF; every other byte of the file stays
// as it was. The file is replaced atomically. Returns false on failure, leaving the old file
// untouched; a read-only file is never replaced, and neither is one whose encoding cannot
// hold the value.
bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& fileName,
                                const DiskAccess& access = DiskAccess::system());

// Files larger than this are not settings files: reads give the default, writes fail.
inline constexpr std::size_t kMaxProfileFileBytes = 16 * 1024 * 1024;

// One line of an INI file as the functions above read it: a section header "[name]" (the name
// runs to the first "]", or to the line's end without one), a key line "key=value", or anything
// else (a blank line, a ";" comment, a line without "="). Blanks around a section name, a key and
// a value are dropped; the views point into text.
struct ProfileLine {
    enum class Kind { Other, Section, Key };
    Kind kind = Kind::Other;
    std::string_view name;   // the section name or the key
    std::string_view value;  // key lines only, as written
};
ProfileLine profileLineOf(std::string_view text);

// A value as the reading function gives it: without one matching pair of double or single
// quotes around the whole of it.
std::string_view profileValueOf(std::string_view value);

}  // namespace zelk
