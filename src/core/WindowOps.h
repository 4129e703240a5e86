#pragma once

#include <string>

namespace zelk {

// The main window's two progress bars and the three panels of its status bar, by name: a
// number would let a typo reach the wrong control.
enum class ProgressBarId { Scan = 1, Removal = 2 };  // ProgressBar1, ProgressBar2
enum class StatusPanel { Panels = 1, Gauges = 2, Zelk = 3 };

// What the commands change in the main window. Each front end implements it with its real
// controls; tests implement it with a recorder. Questions and the folder picker go through the
// Prompter instead.
class WindowOps {
public:
    virtual ~WindowOps() = default;

    // Maximum and value are single-precision, as the bars take them; a value lies between 0 and
    // the maximum.
    virtual void setProgressMax(ProgressBarId bar, float maximum) = 0;
    virtual void setProgressValue(ProgressBarId bar, float value) = 0;
    virtual void setPanelText(StatusPanel panel, const std::string& text) = 0;
    virtual void setCommand2Enabled(bool enabled) = 0;
};

}  // namespace zelk
