#pragma once

#include <optional>
#include <string>

#include "app/WindowOps.h"
#include "removal/Removal.h"

namespace bench {

// A window that shows nothing: Yes to the removal's first question, No to every closing
// question, so that each command leaves the program running.
class QuietWindow : public zelk::WindowOps {
public:
    void setProgressMax(int, float) override {}
    void setProgressValue(int, float) override {}
    void setPanelText(int, const std::string&) override {}
    void setCommand2Enabled(bool) override {}
    bool ask(const std::string& question) override { return question == zelk::kRemoveQuestion; }
    std::optional<std::string> pickFolder(const std::string&) override { return std::nullopt; }
};

}  // namespace bench
