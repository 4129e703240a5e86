#pragma once

#include <optional>
#include <string>

#include "core/WindowOps.h"
#include "platform/Prompter.h"
#include "removal/Removal.h"

namespace bench {

// A window that shows nothing and answers its own questions: Yes to the removal's first
// question, No to every closing question, so that each command leaves the program running.
class QuietWindow : public zelk::WindowOps, public zelk::Prompter {
public:
    void setProgressMax(zelk::ProgressBarId, float) override {}
    void setProgressValue(zelk::ProgressBarId, float) override {}
    void setPanelText(zelk::StatusPanel, const std::string&) override {}
    void setCommand2Enabled(bool) override {}
    bool ask(const std::string& question) override { return question == zelk::kRemoveQuestion; }
    void showError(int, const std::string&) override {}
    std::optional<std::string> pickFolder(const std::string&) override { return std::nullopt; }
};

}  // namespace bench
