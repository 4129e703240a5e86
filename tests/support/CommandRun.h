#pragma once

#include <functional>
#include <optional>

#include "core/CommandContext.h"
#include "platform/Error.h"

namespace zelk::test {

// How a command ended: normally, by unloading the window, or with an error.
struct CommandEnd {
    bool unloaded = false;
    std::optional<ZelkError> error;

    bool completed() const { return !unloaded && !error; }
    int errorCode() const { return error ? error->code() : 0; }
    std::string errorText() const { return error ? error->text() : std::string(); }
};

inline CommandEnd runCommand(const std::function<void()>& command) {
    CommandEnd end;
    try {
        command();
    } catch (const ProgramEnd&) {
        end.unloaded = true;
    } catch (const ZelkError& error) {
        end.error = error;
    }
    return end;
}

}  // namespace zelk::test
