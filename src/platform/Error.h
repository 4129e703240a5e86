#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zelk {

// The program's one error type. Numbers are fixed so that a user can quote them:
//
//    5  Invalid procedure call or argument
//    6  Overflow (a counter or list stepped past 32767)
//    7  Out of memory
//    9  Subscript out of range (an empty or too short name list)
//   51  Internal error (a fault of the program itself)
//   52  Bad file name (a name that a Windows path cannot hold)
//   53  File not found
//   57  Device I/O error (any other failure of the file system)
//   62  Input past end of file
//   70  Permission denied
//   75  Path/File access error (an entry that is not what the program needs it to be)
//   76  Path not found
enum class ErrorNumber : int {
    InvalidArgument = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    InternalError = 51,
    BadFileName = 52,
    FileNotFound = 53,
    IoFailure = 57,
    InputPastEnd = 62,
    PermissionDenied = 70,
    PathAccessError = 75,
    PathNotFound = 76,
};

// The standard wording of an error number, e.g. "Path not found".
std::string standardText(ErrorNumber number);

class ZelkError : public std::runtime_error {
public:
    // The text is the full message shown to the user.
    ZelkError(ErrorNumber number, const std::string& text);

    ErrorNumber number() const { return number_; }
    int code() const { return static_cast<int>(number_); }
    std::string text() const { return what(); }

private:
    ErrorNumber number_;
};

// An error whose text is the standard wording followed by the detail, e.g.
// "Path not found: /sim/AIRCRAFT".
ZelkError makeError(ErrorNumber number, const std::string& detail = {});

// An error about one path: the standard wording, the path as visibleName shows it, and what
// else there is to say in brackets, e.g. "Device I/O error: /sim/PANEL.CFG (Input/output
// error)". Every error of the disk names its path this way.
ZelkError makePathError(ErrorNumber number, std::string_view path, const std::string& why = {});

// Thrown to end the program at once, without a message (the main window was unloaded).
struct ProgramEnd {};

[[noreturn]] inline void unloadMainWindow() {
    throw ProgramEnd{};
}

}  // namespace zelk
