#include "app/ProgramFlow.h"

#include <gtest/gtest.h>

#include "support/PlatformAccess.h"
#include "support/ScriptedWindow.h"
#include "support/TempTree.h"

namespace zelk {
namespace {

using Names = std::vector<std::string>;

// The flow with a scripted front end on a copy of the sample tree.
class ProgramFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.copyData("sim", "sim");
        tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=" + tree.path("sim") + "\r\n");
    }

    test::TempTree tree;
    test::ScriptedWindow window;
    std::vector<std::string> happened;
    std::vector<int> ended;
    ProgramFlow flow{FrontEnd{window, window.prompter, [this] { happened.push_back("about"); },
                              [this](int status) { ended.push_back(status); }},
                     test::realAccess(), SettingsFolders{tree.path("bin"), {}}};
};

// A click that reaches the window while a command runs (as when the command lets it paint)
// starts nothing before that command has ended: it waits, as in a Windows program's queue.
TEST_F(ProgramFlowTest, WhatIsAskedForWhileACommandRunsWaitsUntilItHasEnded) {
    ASSERT_TRUE(flow.load());
    flow.scan();
    ASSERT_EQ(window.panels[3], "Zelk: 4");

    std::size_t questionsDuringRemoval = 0;
    window.prompter.answers = {true, false, false};
    // While the removal asks its first question, the user clicks Scan, About and then closes.
    const auto clickDuring = [&](const std::string& question) {
        if (question != "You want to remove all unused gauge files?") {
            return;
        }
        EXPECT_TRUE(flow.isBusy());
        flow.scan();
        flow.about();
        flow.close();
        EXPECT_TRUE(happened.empty()) << "About ran inside the removal";
        EXPECT_TRUE(ended.empty()) << "the program ended inside the removal";
        EXPECT_FALSE(flow.hasEnded());
        questionsDuringRemoval = window.prompter.questions.size();
    };
    window.prompter.beforeAnswer = clickDuring;
    flow.removal();

    EXPECT_EQ(questionsDuringRemoval, 1u);
    // Then they ran, in order: the Scan found nothing left to remove and asked whether to end,
    // About opened, and the close ended the program.
    EXPECT_EQ(window.prompter.questions,
              (Names{"You want to remove all unused gauge files?",
                     "All files succefully removed. Exit from Zelk Gauge?",
                     "None files to remove. Exit from Zelk Gauge?"}));
    EXPECT_EQ(happened, Names{"about"});
    EXPECT_EQ(ended, std::vector<int>{0});
    EXPECT_TRUE(flow.hasEnded());
}

TEST_F(ProgramFlowTest, AnErrorIsShownOnceAndEndsTheProgramWithStatusOne) {
    ASSERT_TRUE(flow.load());
    std::filesystem::rename(tree.path("sim/Gauges"), tree.path("sim/Gone"));
    window.prompter.errorsExpected = 1;
    flow.scan();
    ASSERT_EQ(window.prompter.errors.size(), 1u);
    EXPECT_EQ(window.prompter.errors[0].first, 76);
    EXPECT_EQ(ended, std::vector<int>{1});
    flow.scan();  // nothing runs once the program has ended
    EXPECT_EQ(window.prompter.errors.size(), 1u);
    EXPECT_EQ(ended.size(), 1u);
}

}  // namespace
}  // namespace zelk
