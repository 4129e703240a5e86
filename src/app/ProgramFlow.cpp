#include "app/ProgramFlow.h"

#include "app/EventGuard.h"
#include "platform/Error.h"
#include "removal/Removal.h"
#include "scan/UnusedScan.h"

namespace zelk {

ProgramFlow::ProgramFlow(FrontEnd frontEnd, DiskAccess access, SettingsFolders folders)
    : frontEnd_(std::move(frontEnd)), access_(std::move(access)), folders_(std::move(folders)) {}

CommandContext ProgramFlow::context() {
    return {state_, window_, prompter_, access_};
}

bool ProgramFlow::load() {
    return run([this] { FindFolder(); }) && !ended_;
}

void ProgramFlow::scan() {
    run([this] { runScanCommand(context()); });
}

bool ProgramFlow::showsFilesToRemove() const {
    return !busy_ && !ended_ && window_.zelkEnabled();
}

std::string ProgramFlow::zelkToolTip() {
    if (!showsFilesToRemove()) {
        return {};
    }
    return removalToolTip(lookAtFilesToRemove(state_));
}

void ProgramFlow::showFilesToRemove() {
    if (!showsFilesToRemove() || !frontEnd_.showFilesToRemove) {
        return;
    }
    const FilesToRemoveList list = filesToRemoveList(lookAtFilesToRemove(state_));
    if (!list.rows.empty()) {
        run([&] { frontEnd_.showFilesToRemove(list); });
    }
}

void ProgramFlow::removal() {
    run([this] { runRemovalCommand(context()); });
}

void ProgramFlow::about() {
    run([this] { frontEnd_.showAbout(); });
}

// Closing the main window unloads it, which ends the program.
void ProgramFlow::close() {
    if (busy_) {
        closeAsked_ = true;
        return;
    }
    run([] { unloadMainWindow(); });
}

bool ProgramFlow::run(const std::function<void()>& handler) {
    if (ended_) {
        return false;
    }
    if (busy_) {
        return true;  // input given while a handler runs: dropped
    }
    busy_ = true;
    HandlerOutcome outcome = runGuarded(prompter_, handler);
    prompter_.discardInput();  // may bring a request to close, kept for below
    busy_ = false;
    if (outcome == HandlerOutcome::Completed && closeAsked_) {
        outcome = HandlerOutcome::Unloaded;
    }
    if (outcome != HandlerOutcome::Completed) {
        end(exitStatusOf(outcome));
        return false;
    }
    return true;
}

void ProgramFlow::end(int exitStatus) {
    if (ended_) {
        return;
    }
    ended_ = true;
    exitStatus_ = exitStatus;
    frontEnd_.endProgram(exitStatus);
}

void ProgramFlow::FindFolder() {
    findSimFolder(state_.SimFolder, prompter_, access_, folders_);
}

MainWindowCommands ProgramFlow::windowCommands() {
    return {[this] { scan(); },
            [this] { removal(); },
            [this] { about(); },
            [this] { close(); },
            [this] { return zelkToolTip(); },
            [this] { showFilesToRemove(); }};
}

void ProgramFlow::FreshInputPrompter::discardInput() const {
    if (frontEnd_.discardInput) {
        frontEnd_.discardInput();
    }
}

bool ProgramFlow::FreshInputPrompter::ask(const std::string& question) {
    discardInput();
    return prompter_.ask(question);
}

void ProgramFlow::FreshInputPrompter::showError(int number, const std::string& text) {
    discardInput();
    prompter_.showError(number, text);
}

std::optional<std::string> ProgramFlow::FreshInputPrompter::pickFolder(const std::string& title) {
    discardInput();
    return prompter_.pickFolder(title);
}

void ProgramFlow::CommandWindow::setProgressMax(ProgressBarId bar, float maximum) {
    window_.setProgressMax(bar, maximum);
}

void ProgramFlow::CommandWindow::setProgressValue(ProgressBarId bar, float value) {
    window_.setProgressValue(bar, value);
}

void ProgramFlow::CommandWindow::setPanelText(StatusPanel panel, const std::string& text) {
    window_.setPanelText(panel, text);
}

void ProgramFlow::CommandWindow::setCommand2Enabled(bool enabled) {
    zelkEnabled_ = enabled;
    window_.setCommand2Enabled(enabled);
}

}  // namespace zelk
