#include "app/win32/Win32Program.h"

#include <array>
#include <utility>

#include "core/ProgramInfo.h"

namespace zelk {
namespace {

// Drops the clicks and keys that wait in the thread's queue, for every window of the program:
// a click on a button that was disabled when it was given, or a Return typed ahead, must start
// nothing and answer nothing. Windows keeps a program's input queued until the program asks
// for it, and a command asks only for its timers and painting while it runs.
void discardInput() {
    constexpr std::array<std::pair<UINT, UINT>, 3> kInput{{{WM_KEYFIRST, WM_KEYLAST},
                                                           {WM_MOUSEFIRST, WM_MOUSELAST},
                                                           {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}}};
    MSG message;
    for (const auto& [first, last] : kInput) {
        while (::PeekMessageW(&message, nullptr, first, last, PM_REMOVE)) {
        }
    }
}

}  // namespace

Win32Program::Win32Program(Seams seams)
    : dialogs_(main_.handle(), kProgramTitle),
      flow_(FrontEnd{main_, seams.prompter ? *seams.prompter : dialogs_, [this] { showAbout(); },
                     [this](int exitStatus) { main_.endProgram(exitStatus); }, &discardInput,
                     [this](const FilesToRemoveList& list) { showFilesToRemove(list); }},
            std::move(seams.access), withSystemFolders(std::move(seams.folders))) {
    main_.setCommands(flow_.windowCommands());
}

bool Win32Program::start() {
    if (!flow_.load()) {
        return false;
    }
    main_.showAfterLoad();
    return true;
}

int Win32Program::run() {
    MSG message{};
    BOOL got;
    while ((got = ::GetMessageW(&message, nullptr, 0, 0)) != 0 && got != -1) {
        handle(message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : exitStatus();
}

void Win32Program::handlePendingMessages() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));  // left for the loop that ends
            return;
        }
        handle(message);
    }
}

void Win32Program::handle(MSG& message) {
    if (!main_.handleDialogKeys(message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// One About window serves the whole run; each showing loads its texts anew.
void Win32Program::showAbout() {
    if (!about_) {
        about_ = std::make_unique<frmAbout>(main_.handle());
    }
    about_->showModal();
}

// Made anew for each showing, from the list the flow gives it.
void Win32Program::showFilesToRemove(const FilesToRemoveList& list) {
    filesToRemove_.reset();
    filesToRemove_ = std::make_unique<frmFilesToRemove>(main_.handle(), list);
    filesToRemove_->showModal();
}

}  // namespace zelk
