#pragma once

#include <optional>
#include <string>

namespace zelk {

// What the commands ask of the main window. The window implements it with real controls;
// tests implement it with a recorder that answers questions from a script.
class WindowOps {
public:
    virtual ~WindowOps() = default;

    // bar is 1 (scan) or 2 (removal).
    virtual void setProgressMax(int bar, float maximum) = 0;
    virtual void setProgressValue(int bar, float value) = 0;
    // panel is 1, 2 or 3 of the status bar.
    virtual void setPanelText(int panel, const std::string& text) = 0;
    virtual void setCommand2Enabled(bool enabled) = 0;
    // A modal yes/no question; true when the user chose Yes.
    virtual bool ask(const std::string& question) = 0;
    // The modal folder picker owned by the main window; nothing when the user cancelled.
    virtual std::optional<std::string> pickFolder(const std::string& title) = 0;
};

}  // namespace zelk
