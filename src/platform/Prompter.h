#pragma once

#include <optional>
#include <string>

namespace zelk {

// Every modal dialog the program shows: the yes/no questions, the error report and the folder
// picker. The windows ask through this seam, so tests can answer without a screen.
class Prompter {
public:
    virtual ~Prompter() = default;

    // A yes/no question titled with the program title, question icon, Yes as default.
    virtual bool ask(const std::string& question) = 0;
    // The error report: error icon, the number and the text.
    virtual void showError(int number, const std::string& text) = 0;
    // A folder chooser for folders only; nothing when cancelled.
    virtual std::optional<std::string> pickFolder(const std::string& title) = 0;
};

}  // namespace zelk
