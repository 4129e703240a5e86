#include "about/qt/frmAbout.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/qt/frmZelk.h"
#include "support/FaultyDisk.h"
#include "support/SampleTree.h"
#include "support/ScriptedWindow.h"
#include "support/TempTree.h"
#include "support/TestWindow.h"

namespace {

QString textOf(const QWidget& window, const char* label) {
    const auto* found = window.findChild<QLabel*>(label);
    return found ? found->text() : QStringLiteral("<no %1>").arg(label);
}

TEST(frmAboutTest, ShowsTheProgramsTextsInItsLayout) {
    frmAbout about;
    about.load();
    EXPECT_EQ(about.windowTitle(), "About Zelk Gauges");
    EXPECT_EQ(about.size(), QSize(266, 185));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_EQ(textOf(about, "lblTitle"), "Zelk Gauges");
    EXPECT_EQ(textOf(about, "lblDescription"), "Scan and delete unused FS2000 gauges.");
    EXPECT_EQ(textOf(about, "lblVersion"), "Version 1.0");
    for (const char* name : {"lblCopyright", "lblEmail"}) {
        const QString text = textOf(about, name);
        EXPECT_FALSE(text.isEmpty()) << name;
        EXPECT_FALSE(text.contains('\n')) << name;
    }
    const auto* title = about.findChild<QLabel*>("lblTitle");
    EXPECT_TRUE(title->font().bold());
    EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 20.25);
    const auto* version = about.findChild<QLabel*>("lblVersion");
    EXPECT_TRUE(version->font().bold());
    EXPECT_DOUBLE_EQ(version->font().pointSizeF(), 12.0);
    // Every label box is centred on the same vertical line, and its text fits inside it.
    for (QLabel* label : about.findChildren<QLabel*>()) {
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        EXPECT_NEAR(label->geometry().center().x(), 132.5, 1.0)
            << label->objectName().toStdString();
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
            << label->objectName().toStdString();
        EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
    }
}

TEST(frmAboutTest, EscOrAClickOnALabelLeavesItOpenAClickBesideThemClosesIt) {
    frmAbout about;
    about.load();
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_TRUE(about.isVisible());
    for (const char* name :
         {"lblTitle", "lblDescription", "lblCopyright", "lblEmail", "lblVersion"}) {
        QTest::mouseClick(about.findChild<QLabel*>(name), Qt::LeftButton);
        EXPECT_TRUE(about.isVisible()) << name;
    }
    QTest::mouseClick(&about, Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_TRUE(about.isVisible());
    QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(about.isVisible());
}

// The About command through the real main window: modal, one window reused, texts reloaded.
TEST(frmAboutCommandTest, IsModalOverTheMainWindowAndReusedEachTime) {
    zelk::test::TempTree tree;
    tree.copyData("sim", "sim");
    tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=" + tree.path("sim") + "\r\n");
    zelk::test::TestProgram program(tree);
    zelk::test::ScriptedPrompter* prompter = &program.prompter;
    frmZelk& window = program.mainWindow();
    ASSERT_TRUE(program.start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    std::vector<QWidget*> seen;
    auto* scan = window.findChild<QPushButton*>("Command1");
    auto* aboutButton = window.findChild<QPushButton*>("Command3");
    const auto inspectThenClose = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        seen.push_back(modal);
        EXPECT_EQ(textOf(*modal, "lblVersion"), "Version 1.0");
        EXPECT_EQ(textOf(*modal, "lblDescription"), "Scan and delete unused FS2000 gauges.");
        // A click as the window system delivers it: blocked while About is open.
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                          scan->mapTo(&window, scan->rect().center()));
        EXPECT_EQ(textOf(window, "Panel1"), "Panels:");
        EXPECT_TRUE(modal->isVisible());
        QTest::mouseClick(modal, Qt::LeftButton, {}, QPoint(3, 3));
    };
    QTimer::singleShot(0, inspectThenClose);
    aboutButton->click();
    QTimer::singleShot(0, inspectThenClose);
    aboutButton->click();

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], seen[1]);
    EXPECT_FALSE(seen[0]->isVisible());
    EXPECT_FALSE(program.flow().hasEnded());
    EXPECT_TRUE(prompter->questions.empty());

    // The same click once About has closed does start a Scan.
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                      scan->mapTo(&window, scan->rect().center()));
    EXPECT_EQ(textOf(window, "Panel1"), zelk::test::sample::kPanels.c_str());
}

}  // namespace
