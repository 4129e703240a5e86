#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "platform/Prompter.h"

namespace zelk::test {

// Answers No to every question and cancels every picker, so a window stays as the Scan left
// it; an error is printed rather than shown. For the screenshot tools, which run unattended.
class DecliningPrompter : public Prompter {
public:
    bool ask(const std::string&) override { return false; }
    void showError(int number, const std::string& text) override {
        std::fprintf(stderr, "error %d: %s\n", number, text.c_str());
    }
    std::optional<std::string> pickFolder(const std::string&) override { return std::nullopt; }
};

}  // namespace zelk::test
