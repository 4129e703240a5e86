#include "platform/win32/Win32Prompter.h"

#include "core/ProgramInfo.h"
#include "platform/win32/ShellFolderPicker.h"
#include "platform/win32/Win32Text.h"

namespace zelk {

std::string errorReportText(int number, const std::string& text) {
    return "Error " + std::to_string(number) + "\n\n" + text + "\n\n" + kProgramTitle +
           " will now close.";
}

bool Win32Prompter::ask(const std::string& question) {
    const std::string text = win32::ansiForDisplay(question);
    return ::MessageBoxA(owner_, text.c_str(), kProgramTitle,
                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

void Win32Prompter::showError(int number, const std::string& text) {
    const std::string report = win32::ansiForDisplay(errorReportText(number, text));
    ::MessageBoxA(owner_, report.c_str(), kProgramTitle, MB_OK | MB_ICONERROR);
}

std::optional<std::string> Win32Prompter::pickFolder(const std::string& title) {
    return win32::browseForFolder(owner_, title);
}

}  // namespace zelk
