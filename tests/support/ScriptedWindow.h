#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/WindowOps.h"
#include "platform/Prompter.h"

namespace zelk::test {

// Answers questions and the folder picker from a script, and records what was asked and shown.
// Running out of script is a test failure, reported by throwing.
class ScriptedPrompter : public Prompter {
public:
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> folders;
    std::vector<std::string> questions;
    std::vector<std::string> pickerTitles;
    std::vector<std::pair<int, std::string>> errors;

    bool ask(const std::string& question) override {
        questions.push_back(question);
        if (answers.empty()) {
            throw std::logic_error("unexpected question: " + question);
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showError(int number, const std::string& text) override {
        errors.emplace_back(number, text);
    }
    std::optional<std::string> pickFolder(const std::string& title) override {
        pickerTitles.push_back(title);
        if (folders.empty()) {
            throw std::logic_error("unexpected folder picker");
        }
        auto folder = folders.front();
        folders.pop_front();
        return folder;
    }
};

// A main window without a screen: records bars, panels and the Zelk button.
class ScriptedWindow : public WindowOps {
public:
    ScriptedPrompter prompter;
    std::map<int, float> progressMax;
    std::map<int, float> progressValue;
    std::map<int, int> progressSteps;
    std::map<int, std::string> panels{{1, "Panels:"}, {2, "Gauges:"}, {3, "Zelk:"}};
    bool command2Enabled = false;

    void setProgressMax(int bar, float maximum) override { progressMax[bar] = maximum; }
    void setProgressValue(int bar, float value) override {
        progressValue[bar] = value;
        ++progressSteps[bar];
    }
    void setPanelText(int panel, const std::string& text) override { panels[panel] = text; }
    void setCommand2Enabled(bool enabled) override { command2Enabled = enabled; }
    bool ask(const std::string& question) override { return prompter.ask(question); }
    std::optional<std::string> pickFolder(const std::string& title) override {
        return prompter.pickFolder(title);
    }
};

}  // namespace zelk::test
