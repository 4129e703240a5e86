#include "app/ProgramFlow.h"

#include "app/EventGuard.h"
#include "app/RemovalPreview.h"
#include "platform/Error.h"
#include "platform/ErrorWording.h"
#include "removal/Removal.h"
#include "scan/PanelScan.h"
#include "scan/UnusedScan.h"

namespace zelk {

ProgramFlow::ProgramFlow(FrontEnd frontEnd, DiskAccess access, SettingsFolders folders)
    : frontEnd_(std::move(frontEnd)), access_(std::move(access)), folders_(std::move(folders)) {}

CommandContext ProgramFlow::context() {
    return {state_, window_, frontEnd_.prompter, access_};
}

bool ProgramFlow::load() {
    return run([this] { FindFolder(); }) && !ended_;
}

void ProgramFlow::scan() {
    run([this] { runScanCommand(context()); });
}

std::string ProgramFlow::zelkToolTip() {
    std::string text;
    if (busy_ || !window_.zelkEnabled()) {
        return text;
    }
    run([this, &text] {
        text = withContext("The size of a file to remove could not be read.",
                           [this] { return removalToolTip(filesToRemove(state_, access_)); });
    });
    return text;
}

void ProgramFlow::removal() {
    run([this] { runRemovalCommand(context()); });
}

void ProgramFlow::about() {
    run([this] { frontEnd_.showAbout(); });
}

// Closing the main window unloads it, which ends the program.
void ProgramFlow::close() {
    run([] { unloadMainWindow(); });
}

bool ProgramFlow::run(std::function<void()> handler) {
    if (ended_) {
        return false;
    }
    if (busy_) {
        waiting_.push_back(std::move(handler));
        return true;
    }
    busy_ = true;
    const HandlerOutcome outcome = runGuarded(frontEnd_.prompter, handler);
    busy_ = false;
    if (outcome != HandlerOutcome::Completed) {
        end(exitStatusOf(outcome));
        return false;
    }
    while (!waiting_.empty() && !ended_) {
        std::function<void()> next = std::move(waiting_.front());
        waiting_.pop_front();
        run(std::move(next));
    }
    return !ended_;
}

void ProgramFlow::end(int exitStatus) {
    if (ended_) {
        return;
    }
    ended_ = true;
    exitStatus_ = exitStatus;
    waiting_.clear();
    frontEnd_.endProgram(exitStatus);
}

void ProgramFlow::FindFolder() {
    findSimFolder(state_.SimFolder, frontEnd_.prompter, access_, folders_);
}

void ProgramFlow::SelectFolder() {
    selectSimFolder(state_.SimFolder, frontEnd_.prompter, access_);
}

void ProgramFlow::ShowFolderList(const std::string& folderspec) {
    zelk::ShowFolderList(context(), folderspec);
}

void ProgramFlow::ShowFileInfo(const std::string& filespec) {
    zelk::ShowFileInfo(context(), filespec);
}

void ProgramFlow::ShowFileList(const std::string& folderspec) {
    zelk::ShowFileList(context(), folderspec);
}

void ProgramFlow::DeleteFileList(const std::string& folderspec) {
    zelk::DeleteFileList(context(), folderspec);
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
