#include "app/qt/QtPrompter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "core/ProgramInfo.h"

namespace {

// Runs inspect on the message box that the prompter opens, then presses the given button.
void answerNextBox(const std::function<void(QMessageBox&)>& inspect,
                   QMessageBox::StandardButton press) {
    QTimer::singleShot(0, [inspect, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ADD_FAILURE() << "no message box";
            return;
        }
        inspect(*box);
        box->button(press)->click();
    });
}

struct QuestionCase {
    QMessageBox::StandardButton press;
    bool yes;
};

class QtPrompterQuestionTest : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(QtPrompterQuestionTest, AsksWithTheTitleTheQuestionIconAndYesAsDefault) {
    QWidget owner;
    zelk::QtPrompter prompter(&owner, zelk::kProgramTitle);
    bool inspected = false;
    answerNextBox(
        [&](QMessageBox& box) {
            inspected = true;
            EXPECT_EQ(box.windowTitle(), "Zelk Gauges");
            EXPECT_EQ(box.text(), "You want to remove all unused gauge files?");
            EXPECT_EQ(box.icon(), QMessageBox::Question);
            EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
            EXPECT_EQ(static_cast<QAbstractButton*>(box.defaultButton()),
                      box.button(QMessageBox::Yes));
        },
        GetParam().press);
    EXPECT_EQ(prompter.ask("You want to remove all unused gauge files?"), GetParam().yes);
    EXPECT_TRUE(inspected);
}

INSTANTIATE_TEST_SUITE_P(Answers, QtPrompterQuestionTest,
                         ::testing::Values(QuestionCase{QMessageBox::Yes, true},
                                           QuestionCase{QMessageBox::No, false}));

TEST(QtPrompterTest, AnErrorIsReportedWithItsNumberItsTextAndAnErrorIcon) {
    QWidget owner;
    zelk::QtPrompter prompter(&owner, zelk::kProgramTitle);
    bool inspected = false;
    answerNextBox(
        [&](QMessageBox& box) {
            inspected = true;
            EXPECT_EQ(box.windowTitle(), "Zelk Gauges");
            EXPECT_EQ(box.text(), "Error 76\n\nPath not found: /sim/GAUGES");
            EXPECT_EQ(box.informativeText(), "Zelk Gauges will now close.");
            EXPECT_EQ(box.icon(), QMessageBox::Critical);
            EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        },
        QMessageBox::Ok);
    prompter.showError(76, "Path not found: /sim/GAUGES");
    EXPECT_TRUE(inspected);
}

}  // namespace
