#include "app/win32/Win32Program.h"

#include "platform/ExecutableFolder.h"

namespace zelk {

Win32Program::Win32Program(Seams seams)
    : dialogs_(main_.handle()),
      flow_(FrontEnd{main_, seams.prompter ? *seams.prompter : dialogs_, [this] { showAbout(); },
                     [this](int exitStatus) { main_.endProgram(exitStatus); }},
            std::move(seams.access), withProgramFolder(std::move(seams.folders))) {
    main_.setCommands({[this] { flow_.scan(); }, [this] { flow_.removal(); },
                       [this] { flow_.about(); }, [this] { flow_.close(); },
                       [this] { return flow_.zelkToolTip(); }});
}

// The settings file lives beside the program; a program that may not write there does not
// look elsewhere (it is unpacked where its user can write).
SettingsFolders Win32Program::withProgramFolder(SettingsFolders folders) {
    if (folders.program.empty()) {
        folders.program = executableFolder();
    }
    return folders;
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

}  // namespace zelk
