#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/qt/frmZelk.h"
#include "support/FaultyDisk.h"
#include "support/ScriptedWindow.h"
#include "support/TempTree.h"
#include "support/TestWindow.h"

namespace {

using Names = std::vector<std::string>;
using zelk::test::ScriptedPrompter;

// The real main window on a copy of the sample simulator folder, with scripted dialogs.
class frmZelkCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.copyData("sim", "sim");
        tree.makeReadOnly("sim/Gauges/Turbine.gau");
        tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=" + tree.path("sim") + "\r\n");
        window = zelk::test::makeTestWindow(tree, prompter);
        ASSERT_TRUE(window->load());
    }

    QPushButton* button(const char* name) const { return window->findChild<QPushButton*>(name); }
    QString panel(const char* name) const { return window->findChild<QLabel*>(name)->text(); }
    // The tooltip a label shows when the pointer comes to rest on it.
    QString toolTip(const char* name) const {
        QLabel* label = window->findChild<QLabel*>(name);
        QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(label, &hover);
        return label->toolTip();
    }
    QProgressBar* bar(const char* name) const { return window->findChild<QProgressBar*>(name); }

    zelk::test::TempTree tree;
    ScriptedPrompter* prompter = nullptr;
    std::unique_ptr<frmZelk> window;
};

TEST_F(frmZelkCommandsTest, ScanThenZelkLeavesExactlyTheReferencedFiles) {
    button("Command1")->click();
    EXPECT_EQ(panel("Panel1"), "Panels: 4");
    EXPECT_EQ(panel("Panel2"), "Gauges: 9");
    EXPECT_EQ(panel("Panel3"), "Zelk: 4");
    EXPECT_EQ(toolTip("Panel3"),
              "Files to remove:\nAirspeed.gau.bak\nAutopilot.gau\nreadme.txt\n"
              "Turbine.gau\n4 files, 78 bytes");
    EXPECT_TRUE(button("Command2")->isEnabled());
    EXPECT_EQ(bar("ProgressBar1")->value(), bar("ProgressBar1")->maximum());
    EXPECT_EQ(bar("ProgressBar1")->maximum(), 4);

    prompter->answers = {true, false};
    button("Command2")->click();
    EXPECT_FALSE(window->hasEnded());
    EXPECT_EQ(tree.filesBelow("sim/Gauges"),
              (Names{"Airspeed.gau", "Altimeter.gau", "COMPASS.GAU", "Clock.gau", "Fuel.gau",
                     "Old/Legacy.gau", "Vsi.gau"}));
    EXPECT_EQ(bar("ProgressBar2")->maximum(), 10);
    EXPECT_EQ(bar("ProgressBar2")->value(), 10);
    EXPECT_FALSE(button("Command2")->isEnabled());
    EXPECT_EQ(toolTip("Panel3"), "");

    prompter->answers = {false};  // No to the question whether to end
    button("Command1")->click();  // scanning again: nothing left to remove
    EXPECT_EQ(panel("Panel3"), "Zelk: None");
    EXPECT_FALSE(button("Command2")->isEnabled());
    EXPECT_EQ(prompter->questions.back(), "None files to remove. Exit from Zelk Gauge?");
}

// Clicks and a close that reach the window while the removal runs (here: while it asks its
// first question) start nothing before it has ended.
TEST_F(frmZelkCommandsTest, WhatTheUserDoesDuringARemovalWaitsUntilItHasEnded) {
    button("Command1")->click();
    ASSERT_EQ(panel("Panel3"), "Zelk: 4");
    const auto clickAt = [this](QPushButton* target) {
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          target->mapTo(window.get(), target->rect().center()));
    };
    // The first question: the user acts. The last one: About is about to open; it is closed as
    // soon as its own loop runs.
    prompter->beforeAnswer = [&](const std::string& question) {
        if (question == "You want to remove all unused gauge files?") {
            clickAt(button("Command1"));
            clickAt(button("Command3"));
            window->close();
            EXPECT_EQ(panel("Panel3"), "Zelk: 4") << "a Scan ran inside the removal";
            EXPECT_FALSE(window->hasEnded()) << "the program ended inside the removal";
            EXPECT_TRUE(window->isVisible());
        } else if (question == "None files to remove. Exit from Zelk Gauge?") {
            QTimer::singleShot(0, [] {
                if (QWidget* about = QApplication::activeModalWidget()) {
                    about->close();
                }
            });
        }
    };
    // Yes to remove, No to ending; then the waiting Scan finds nothing and asks, About opens (and
    // is closed), and the close ends the program.
    prompter->answers = {true, false, false};
    button("Command2")->click();
    EXPECT_EQ(prompter->questions, (Names{"You want to remove all unused gauge files?",
                                          "All files succefully removed. Exit from Zelk Gauge?",
                                          "None files to remove. Exit from Zelk Gauge?"}));
    EXPECT_TRUE(window->hasEnded());
    EXPECT_EQ(window->exitCode(), 0);
}

TEST_F(frmZelkCommandsTest, YesAfterTheRemovalEndsTheProgram) {
    button("Command1")->click();
    prompter->answers = {true, true};
    button("Command2")->click();
    EXPECT_TRUE(window->hasEnded());
    EXPECT_EQ(window->exitCode(), 0);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(frmZelkCommandsTest, AnErrorIsShownAndEndsTheProgram) {
    std::filesystem::rename(tree.path("sim/Gauges"), tree.path("sim/Gone"));
    std::filesystem::create_directory(tree.path("sim/Elsewhere"));
    prompter->errorsExpected = 1;
    button("Command1")->click();
    ASSERT_EQ(prompter->errors.size(), 1u);
    EXPECT_EQ(prompter->errors[0].first, 76);
    EXPECT_TRUE(zelk::test::mentions(prompter->errors[0].second, tree.path("sim/GAUGES")));
    EXPECT_TRUE(window->hasEnded());
    EXPECT_EQ(window->exitCode(), 1);
    EXPECT_EQ(panel("Panel2"), "Gauges: 9");  // done before the error stays done
}

}  // namespace
