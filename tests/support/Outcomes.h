#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/Error.h"

namespace zelk::test {

// The names of listed files or folders, in the order the listing gave them.
std::vector<std::string> namesOf(const auto& items) {
    std::vector<std::string> names;
    for (const auto& item : items) {
        names.push_back(item.Name());
    }
    return names;
}

// The number of the error an action raises (and its text, when asked for); a test fails when
// the action raises none.
inline ErrorNumber errorOf(const std::function<void()>& action, std::string* text = nullptr) {
    try {
        action();
    } catch (const ZelkError& error) {
        if (text) {
            *text = error.text();
        }
        return error.number();
    }
    ADD_FAILURE() << "no error raised";
    return ErrorNumber::InternalError;
}

}  // namespace zelk::test
