#pragma once

#include <string>

namespace zelk::win32 {

// True for the errors that mean "nothing of that name is there" (no such file or folder, a file
// where a folder was expected, a name no file can have). Anything else, a network or device
// failure among them, must stop the caller rather than pass for a missing panel file.
bool meansMissing(unsigned long errorCode);

// Translates GetLastError() of a failed call on path into the program's error, as the POSIX
// layer does for errno.
[[noreturn]] void throwWindowsError(unsigned long errorCode, const std::string& path,
                                    bool isFolder);

// The system's own sentence for an error code, in UTF-8, without its final line end.
std::string systemMessage(unsigned long errorCode);

}  // namespace zelk::win32
