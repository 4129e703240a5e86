#pragma once

#include <windows.h>

#include "platform/Prompter.h"

namespace zelk {

// The real dialogs on Windows: message boxes and the shell's folder picker, owned by a window
// (none until the main window exists).
class Win32Prompter : public Prompter {
public:
    explicit Win32Prompter(HWND owner = nullptr) : owner_(owner) {}

    void setOwner(HWND owner) { owner_ = owner; }

    bool ask(const std::string& question) override;
    void showError(int number, const std::string& text) override;
    std::optional<std::string> pickFolder(const std::string& title) override;

private:
    HWND owner_;
};

// The error report's text: the number, a blank line, the text, a blank line, the closing note.
std::string errorReportText(int number, const std::string& text);

}  // namespace zelk
