#include "app/win32/Win32Prompter.h"

#include "app/win32/ShellFolderPicker.h"
#include "platform/win32/Win32Text.h"

namespace zelk {

std::string errorReportText(const std::string& title, int number, const std::string& text) {
    return "Error " + std::to_string(number) + "\n\n" + text + "\n\n" + title + " will now close.";
}

bool Win32Prompter::ask(const std::string& question) {
    const std::string text = win32::ansiForDisplay(question);
    const std::string title = win32::ansiForDisplay(title_);
    return ::MessageBoxA(owner_, text.c_str(), title.c_str(),
                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

void Win32Prompter::showError(int number, const std::string& text) {
    const std::string report = win32::ansiForDisplay(errorReportText(title_, number, text));
    const std::string title = win32::ansiForDisplay(title_);
    ::MessageBoxA(owner_, report.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

std::optional<std::string> Win32Prompter::pickFolder(const std::string& title) {
    return win32::browseForFolder(owner_, title);
}

}  // namespace zelk
