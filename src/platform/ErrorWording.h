#pragma once

#include <string>

#include "platform/Error.h"

namespace zelk {

// Runs an action; an error it raises keeps its number and gets the given sentence in front of
// its text, so that the user learns what the program was doing.
template <typename Action>
auto withContext(const std::string& doing, Action&& action) -> decltype(action()) {
    try {
        return action();
    } catch (const ZelkError& error) {
        throw ZelkError(error.number(), doing + "\n" + error.text());
    }
}

}  // namespace zelk
