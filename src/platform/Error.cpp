#include "platform/Error.h"

#include "platform/VisibleName.h"

namespace zelk {

std::string standardText(ErrorNumber number) {
    switch (number) {
        case ErrorNumber::InvalidArgument:
            return "Invalid procedure call or argument";
        case ErrorNumber::Overflow:
            return "Overflow";
        case ErrorNumber::OutOfMemory:
            return "Out of memory";
        case ErrorNumber::InternalError:
            return "Internal error";
        case ErrorNumber::BadFileName:
            return "Bad file name";
        case ErrorNumber::SubscriptOutOfRange:
            return "Subscript out of range";
        case ErrorNumber::FileNotFound:
            return "File not found";
        case ErrorNumber::IoFailure:
            return "Device I/O error";
        case ErrorNumber::InputPastEnd:
            return "Input past end of file";
        case ErrorNumber::PermissionDenied:
            return "Permission denied";
        case ErrorNumber::PathAccessError:
            return "Path/File access error";
        case ErrorNumber::PathNotFound:
            return "Path not found";
    }
    return "Unknown error";
}

ZelkError::ZelkError(ErrorNumber number, const std::string& text)
    : std::runtime_error(text), number_(number) {}

ZelkError makeError(ErrorNumber number, const std::string& detail) {
    std::string text = standardText(number);
    if (!detail.empty()) {
        text += ": " + detail;
    }
    return ZelkError(number, text);
}

ZelkError makePathError(ErrorNumber number, std::string_view path, const std::string& why) {
    return makeError(number, visibleName(path) + (why.empty() ? "" : " (" + why + ")"));
}

}  // namespace zelk
