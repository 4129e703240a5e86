#include "app/EventGuard.h"

#include <new>

#include "platform/Error.h"

namespace zelk {
namespace {

HandlerOutcome report(Prompter& prompter, const ZelkError& error) {
    prompter.showError(error.code(), error.text());
    return HandlerOutcome::Failed;
}

}  // namespace

HandlerOutcome runGuarded(Prompter& prompter, const std::function<void()>& handler) {
    try {
        handler();
        return HandlerOutcome::Completed;
    } catch (const ProgramEnd&) {
        return HandlerOutcome::Unloaded;
    } catch (const ZelkError& error) {
        return report(prompter, error);
    } catch (const std::bad_alloc&) {
        return report(prompter, makeError(ErrorNumber::OutOfMemory));
    } catch (const std::exception& error) {
        return report(prompter, makeError(ErrorNumber::InternalError, error.what()));
    }
}

}  // namespace zelk
