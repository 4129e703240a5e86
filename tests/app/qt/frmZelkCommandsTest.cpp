#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/qt/frmZelk.h"
#include "support/FaultyDisk.h"
#include "support/SampleTree.h"
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
        program = std::make_unique<zelk::test::TestProgram>(tree, zelk::test::accessTo(disk));
        std::tie(prompter, window) = std::pair(&program->prompter, &program->mainWindow());
        ASSERT_TRUE(program->start());
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
    // Runs the gesture and, in the list window it opens, step; false when it opened none.
    bool whileListIsOpen(
        const std::function<void()>& gesture,
        const std::function<void(QDialog&)>& step = [](QDialog&) {}) {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            if (auto* list = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                opened = true;
                step(*list);
                list->reject();
            }
        });
        gesture();
        QCoreApplication::processEvents();
        return opened;
    }
    void doubleClickPanel3() {
        QTest::mouseDClick(window->findChild<QLabel*>("Panel3"), Qt::LeftButton);
    }
    void ctrlL() { QTest::keyClick(button("Command1"), Qt::Key_L, Qt::ControlModifier); }
    static QStringList rows(const QDialog& list) {
        QStringList shown;
        const auto* files = list.findChild<QTreeWidget*>("lstFiles");
        for (int i = 0; i < files->topLevelItemCount(); ++i) {
            shown << files->topLevelItem(i)->text(0) + " | " + files->topLevelItem(i)->text(1);
        }
        return shown;
    }

    zelk::test::TempTree tree;
    std::shared_ptr<zelk::test::FaultyDisk> disk = std::make_shared<zelk::test::FaultyDisk>();
    ScriptedPrompter* prompter = nullptr;
    std::unique_ptr<zelk::test::TestProgram> program;
    frmZelk* window = nullptr;
};

TEST_F(frmZelkCommandsTest, ScanThenZelkLeavesExactlyTheReferencedFiles) {
    button("Command1")->click();
    EXPECT_EQ(panel("Panel1"), zelk::test::sample::kPanels.c_str());
    EXPECT_EQ(panel("Panel2"), zelk::test::sample::kGauges.c_str());
    EXPECT_EQ(panel("Panel3"), zelk::test::sample::kZelk.c_str());
    EXPECT_EQ(toolTip("Panel3"), zelk::test::sample::kZelkToolTip.c_str());
    EXPECT_TRUE(button("Command2")->isEnabled());
    EXPECT_EQ(bar("ProgressBar1")->value(), bar("ProgressBar1")->maximum());
    EXPECT_EQ(bar("ProgressBar1")->maximum(), 4);

    prompter->answers = {true, false};
    button("Command2")->click();
    EXPECT_FALSE(program->flow().hasEnded());
    EXPECT_EQ(tree.filesBelow("sim/Gauges"), zelk::test::sample::kKept);
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

// After a Scan, a double-click on panel 3 or Ctrl+L shows every file in removal order with its
// size and the total; Copy and Ctrl+C put their full paths on the clipboard, Esc closes; nothing
// is deleted. After the removal neither opens it, until a Scan lists files again.
TEST_F(frmZelkCommandsTest, TheWholeListShowsWhatZelkWouldRemoveAndCopiesTheirPaths) {
    EXPECT_FALSE(whileListIsOpen([this] { doubleClickPanel3(); }));  // nothing scanned yet
    button("Command1")->click();
    QString paths;
    for (const std::string& name : zelk::test::sample::kUnused) {
        paths += QString::fromStdString(tree.path("sim/Gauges/" + name)) + "\n";
    }
    const auto whatItShows = [&](QDialog& list) {
        EXPECT_EQ(list.windowTitle(), "Files to remove");
        EXPECT_EQ(list.parentWidget(), window);
        EXPECT_LE((list.geometry().center() - window->geometry().center()).manhattanLength(), 2);
        EXPECT_EQ(rows(list),
                  QStringList({"Airspeed.gau.bak | 23 bytes", "Autopilot.gau | 20 bytes",
                               "readme.txt | 17 bytes", "Turbine.gau | 18 bytes"}));
        EXPECT_EQ(list.findChild<QLabel*>("lblTotal")->text(), "4 files, 78 bytes");
        list.findChild<QPushButton*>("cmdCopy")->click();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), paths);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(list.findChild<QTreeWidget*>("lstFiles"), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), paths);
        QTest::keyClick(&list, Qt::Key_Escape);
        EXPECT_FALSE(list.isVisible());
    };
    EXPECT_TRUE(whileListIsOpen([this] { doubleClickPanel3(); }, whatItShows));
    EXPECT_TRUE(whileListIsOpen([this] { ctrlL(); }));
    EXPECT_EQ(tree.filesBelow("sim/Gauges").size(), 11u);
    EXPECT_TRUE(prompter->questions.empty());

    prompter->answers = {true, false};
    button("Command2")->click();
    EXPECT_FALSE(whileListIsOpen([this] { doubleClickPanel3(); }));
    EXPECT_FALSE(whileListIsOpen([this] { ctrlL(); }));

    // A new Scan lists anew: here one file, whose name holds a control character, escaped.
    tree.write("sim/Gauges/Next\u0085Line.gau");
    button("Command1")->click();
    const auto theNewList = [](QDialog& list) {
        EXPECT_EQ(rows(list), QStringList{"$'Next\\u0085Line.gau' | 0 bytes"});
    };
    EXPECT_TRUE(whileListIsOpen([this] { ctrlL(); }, theNewList));
}

// A click on the greyed Zelk and Space on it, given while a Scan runs, are dropped when it
// ends, not delivered once Zelk is enabled: the removal's question never comes.
TEST_F(frmZelkCommandsTest, InputGivenDuringAScanIsDroppedNotDeliveredAfterIt) {
    QPushButton* zelk = button("Command2");
    const QPoint centre = zelk->rect().center();
    disk->beforeList = [&](const std::string& path) {
        if (!zelk::test::pathEndsWith(path, "/Gauges")) {
            return;
        }
        ASSERT_FALSE(zelk->isEnabled());
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QCoreApplication::postEvent(
                zelk, new QMouseEvent(type, centre, zelk->mapToGlobal(centre), Qt::LeftButton,
                                      Qt::LeftButton, {}));
        }
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QCoreApplication::postEvent(zelk, new QKeyEvent(type, Qt::Key_Space, {}, " "));
        }
    };
    button("Command1")->click();
    ASSERT_TRUE(zelk->isEnabled());
    QCoreApplication::processEvents();
    EXPECT_TRUE(prompter->questions.empty());
    EXPECT_EQ(tree.filesBelow("sim/Gauges").size(), 11u);
}

// Clicks that reach the window while the removal runs (here: while it asks its first question)
// start nothing, then or later; a close ends the program once the removal has ended.
TEST_F(frmZelkCommandsTest, WhatTheUserDoesDuringARemovalIsDroppedButACloseWaits) {
    button("Command1")->click();
    ASSERT_EQ(panel("Panel3"), zelk::test::sample::kZelk.c_str());
    const auto clickAt = [this](QPushButton* target) {
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          target->mapTo(window, target->rect().center()));
    };
    prompter->beforeAnswer = [&](const std::string& question) {
        if (question == "You want to remove all unused gauge files?") {
            clickAt(button("Command1"));
            clickAt(button("Command3"));
            window->close();
            EXPECT_EQ(panel("Panel3"), zelk::test::sample::kZelk.c_str())
                << "a Scan ran inside the removal";
            EXPECT_FALSE(program->flow().hasEnded()) << "the program ended inside the removal";
            EXPECT_TRUE(window->isVisible());
        }
    };
    prompter->answers = {true, false};  // Yes to remove, No to ending
    button("Command2")->click();
    EXPECT_EQ(prompter->questions, (Names{"You want to remove all unused gauge files?",
                                          "All files succefully removed. Exit from Zelk Gauge?"}));
    EXPECT_EQ(program->aboutWindow(), nullptr);
    EXPECT_TRUE(program->flow().hasEnded());
    EXPECT_EQ(program->exitStatus(), 0);
}

TEST_F(frmZelkCommandsTest, YesAfterTheRemovalEndsTheProgram) {
    button("Command1")->click();
    prompter->answers = {true, true};
    button("Command2")->click();
    EXPECT_TRUE(program->flow().hasEnded());
    EXPECT_EQ(program->exitStatus(), 0);
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
    EXPECT_TRUE(program->flow().hasEnded());
    EXPECT_EQ(program->exitStatus(), 1);
    EXPECT_EQ(panel("Panel2"),
              zelk::test::sample::kGauges.c_str());  // done before the error stays done
}

}  // namespace
