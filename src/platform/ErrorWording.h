#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "platform/Error.h"

namespace zelk {

// True for the errors that the file system raises, as opposed to the program's own limits.
inline bool isFileSystemError(ErrorNumber number) {
    switch (number) {
        case ErrorNumber::BadFileName:
        case ErrorNumber::FileNotFound:
        case ErrorNumber::IoFailure:
        case ErrorNumber::InputPastEnd:
        case ErrorNumber::PermissionDenied:
        case ErrorNumber::PathAccessError:
        case ErrorNumber::PathNotFound:
            return true;
        default:
            return false;
    }
}

// Runs an action; a file-system error it raises keeps its number and gets the given sentence in
// front of its text, so that the user learns what the program was doing. Other errors pass
// unchanged: they carry their own explanation.
template <typename Action>
auto withContext(const std::string& doing, Action&& action) -> decltype(action()) {
    try {
        return action();
    } catch (const ZelkError& error) {
        if (!isFileSystemError(error.number())) {
            throw;
        }
        throw ZelkError(error.number(), doing + "\n" + error.text());
    }
}

// Runs an action; an error it raises keeps its number and gets a sentence in front of its text,
// chosen by that number: the one given for it, else otherwise.
template <typename Action>
auto withContextByNumber(std::initializer_list<std::pair<ErrorNumber, const char*>> sentences,
                         const char* otherwise, Action&& action) -> decltype(action()) {
    try {
        return action();
    } catch (const ZelkError& error) {
        const char* doing = otherwise;
        for (const auto& [number, sentence] : sentences) {
            if (number == error.number()) {
                doing = sentence;
                break;
            }
        }
        throw ZelkError(error.number(), std::string(doing) + "\n" + error.text());
    }
}

// Runs an action; an overflow it raises becomes one with the text that textOf() gives, which
// says what overflowed and where (made only then: the action may run for every panel).
template <typename TextOf, typename Action>
auto explainOverflow(TextOf&& textOf, Action&& action) -> decltype(action()) {
    try {
        return action();
    } catch (const ZelkError& error) {
        if (error.number() != ErrorNumber::Overflow) {
            throw;
        }
        throw ZelkError(ErrorNumber::Overflow, textOf());
    }
}

}  // namespace zelk
