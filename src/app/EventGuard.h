#pragma once

#include <functional>

#include "platform/Prompter.h"

namespace zelk {

enum class HandlerOutcome {
    Completed,  // the handler returned
    Unloaded,   // the handler unloaded the main window: the program ends, exit status 0
    Failed,     // an error was reported to the user: the program ends, exit status 1
};

// The one place every event handler runs through. An error stops the handler where it was
// raised (what it did before stays done), is shown with its number and text, and ends the
// program. Nothing is retried or rolled back.
HandlerOutcome runGuarded(Prompter& prompter, const std::function<void()>& handler);

inline int exitStatusOf(HandlerOutcome outcome) {
    return outcome == HandlerOutcome::Failed ? 1 : 0;
}

}  // namespace zelk
