#pragma once

#include <windows.h>

#include <string>

#include "platform/Prompter.h"

namespace zelk {

// The real dialogs on Windows: message boxes and the shell's folder picker, owned by a window
// (none until the main window exists); the message boxes carry the title they are given.
class Win32Prompter : public Prompter {
public:
    Win32Prompter(HWND owner, std::string title) : owner_(owner), title_(std::move(title)) {}

    void setOwner(HWND owner) { owner_ = owner; }

    bool ask(const std::string& question) override;
    void showError(int number, const std::string& text) override;
    std::optional<std::string> pickFolder(const std::string& title) override;

private:
    HWND owner_;
    std::string title_;
};

// The error report's text: the number, a blank line, the text, a blank line, the closing note
// that names the program.
std::string errorReportText(const std::string& title, int number, const std::string& text);

}  // namespace zelk
