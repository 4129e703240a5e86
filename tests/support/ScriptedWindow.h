#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/WindowOps.h"
#include "platform/Prompter.h"

namespace zelk::test {

// Answers questions and the folder picker from a script, and records what was asked and shown.
// Whatever the script did not foresee fails the test: a question or a picker with no answer
// left (answered No, or cancelled, so that the command ends harmlessly), an error report beyond
// the ones the test expects, and answers or expected error reports left over when it ends.
class ScriptedPrompter : public Prompter {
public:
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> folders;
    std::vector<std::string> questions;
    std::vector<std::string> pickerTitles;
    std::vector<std::pair<int, std::string>> errors;
    // How many error reports the test expects.
    std::size_t errorsExpected = 0;
    // Called with each question before it is answered: what the user does meanwhile.
    std::function<void(const std::string&)> beforeAnswer;

    ScriptedPrompter() = default;
    ScriptedPrompter(const ScriptedPrompter&) = delete;
    ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;
    ~ScriptedPrompter() override {
        EXPECT_TRUE(answers.empty()) << answers.size() << " scripted answer(s) never asked for";
        EXPECT_TRUE(folders.empty()) << folders.size() << " scripted folder(s) never picked";
        EXPECT_GE(errors.size(), errorsExpected) << "fewer error reports than expected";
    }

    bool ask(const std::string& question) override {
        questions.push_back(question);
        if (beforeAnswer) {
            beforeAnswer(question);
        }
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << question;
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showError(int number, const std::string& text) override {
        errors.emplace_back(number, text);
        if (errors.size() > errorsExpected) {
            ADD_FAILURE() << "unexpected error " << number << ": " << text;
        }
    }
    std::optional<std::string> pickFolder(const std::string& title) override {
        pickerTitles.push_back(title);
        if (folders.empty()) {
            ADD_FAILURE() << "unexpected folder picker: " << title;
            return std::nullopt;
        }
        auto folder = folders.front();
        folders.pop_front();
        return folder;
    }
};

// A main window without a screen: records bars, panels and the Zelk button by the numbers the
// window gives them (ProgressBar1 and 2, panels 1 to 3). A bar value the real window would have
// to clamp (below 0, above the maximum, or before any maximum was set) fails the test.
class ScriptedWindow : public WindowOps {
public:
    ScriptedPrompter prompter;
    std::map<int, float> progressMax;
    std::map<int, float> progressValue;
    std::map<int, int> progressSteps;
    std::map<int, std::string> panels{{1, "Panels:"}, {2, "Gauges:"}, {3, "Zelk:"}};
    bool command2Enabled = false;

    void setProgressMax(ProgressBarId bar, float maximum) override {
        EXPECT_GE(maximum, 0.0f) << "bar " << number(bar);
        progressMax[number(bar)] = maximum;
    }
    void setProgressValue(ProgressBarId bar, float value) override {
        const auto maximum = progressMax.find(number(bar));
        if (maximum == progressMax.end()) {
            ADD_FAILURE() << "bar " << number(bar) << " got a value before its maximum";
        } else if (value < 0.0f || value > maximum->second) {
            ADD_FAILURE() << "bar " << number(bar) << " got " << value << " outside 0.."
                          << maximum->second;
        }
        progressValue[number(bar)] = value;
        ++progressSteps[number(bar)];
    }
    void setPanelText(StatusPanel panel, const std::string& text) override {
        panels[static_cast<int>(panel)] = text;
    }
    void setCommand2Enabled(bool enabled) override { command2Enabled = enabled; }

private:
    static int number(ProgressBarId bar) { return static_cast<int>(bar); }
};

}  // namespace zelk::test
