#include "app/qt/frmZelk.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/qt/AppIcon.h"
#include "support/FaultyDisk.h"
#include "support/GuiTestHome.h"
#include "support/ScriptedWindow.h"
#include "support/TempTree.h"
#include "support/TestWindow.h"

namespace {

using zelk::test::ScriptedPrompter;
using zelk::test::TempTree;

class frmZelkTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.mkdir("bin");
        tree.mkdir("sim/Aircraft");
        tree.mkdir("sim/gauges");
    }

    frmZelk* makeWindow() {
        program = std::make_unique<zelk::test::TestProgram>(tree);
        prompter = &program->prompter;
        return &program->mainWindow();
    }

    template <typename Widget>
    static Widget* control(const QWidget& window, const char* name) {
        auto* widget = window.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    TempTree tree;
    ScriptedPrompter* prompter = nullptr;
    std::unique_ptr<zelk::test::TestProgram> program;
};

TEST_F(frmZelkTest, StartsWithEveryControlInItsInitialState) {
    tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=" + tree.path("sim") + "\r\n");
    const std::string before = tree.read("bin/ZELKGAU.INI");
    auto window = makeWindow();
    ASSERT_TRUE(program->start());

    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Zelk Gauges");
    EXPECT_EQ(window->size(), QSize(305, 213));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(program->flow().runState().SimFolder, tree.path("sim"));

    struct Expected {
        const char* name;
        const char* text;
        QRect geometry;
        bool enabled;
    };
    for (const Expected& e : {Expected{"Command1", "Scan", {8, 160, 81, 25}, true},
                              Expected{"Command2", "Zelk", {112, 160, 81, 25}, false},
                              Expected{"Command3", "About", {216, 160, 81, 25}, true}}) {
        auto* button = control<QPushButton>(*window, e.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), e.text);
        EXPECT_EQ(button->geometry(), e.geometry) << e.name;
        EXPECT_EQ(button->isEnabled(), e.enabled) << e.name;
        EXPECT_FALSE(button->isDefault()) << e.name;
        EXPECT_FALSE(button->autoDefault()) << e.name;
    }
    EXPECT_EQ(control<QLabel>(*window, "Label1")->text(), "Searching panels...");
    EXPECT_EQ(control<QLabel>(*window, "Label1")->geometry(), QRect(8, 24, 177, 17));
    EXPECT_EQ(control<QLabel>(*window, "Label2")->text(), "Removing gauges...");
    EXPECT_EQ(control<QLabel>(*window, "Label2")->geometry(), QRect(8, 88, 185, 17));
    EXPECT_EQ(control<QLabel>(*window, "Label2")->alignment(), Qt::AlignLeft | Qt::AlignTop);
    for (const char* name : {"ProgressBar1", "ProgressBar2"}) {
        auto* bar = control<QProgressBar>(*window, name);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->value(), 0);
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), 100);
        EXPECT_FALSE(bar->isTextVisible());
        EXPECT_EQ(bar->width(), 289);
    }
    EXPECT_EQ(control<QStatusBar>(*window, "StatusBar1")->geometry(), QRect(0, 188, 305, 25));
    int right = 0;
    for (const auto& [name, width] : {std::pair{"Panel1", 109}, {"Panel2", 96}, {"Panel3", 96}}) {
        const QRect box = control<QLabel>(*window, name)->geometry();
        EXPECT_EQ(box.width(), width) << name;
        EXPECT_GE(box.left(), right) << name;  // side by side, no overlap
        right = box.right() + 1;
    }
    EXPECT_LE(right, 305);  // nothing runs past the window's edge
    EXPECT_EQ(control<QLabel>(*window, "Panel1")->text(), "Panels:");
    EXPECT_EQ(control<QLabel>(*window, "Panel2")->text(), "Gauges:");
    EXPECT_EQ(control<QLabel>(*window, "Panel3")->text(), "Zelk:");
    EXPECT_EQ(tree.read("bin/ZELKGAU.INI"), before);
}

TEST_F(frmZelkTest, OnlyTheThreeButtonsTakeFocusInScanZelkAboutOrder) {
    tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=" + tree.path("sim") + "\r\n");
    auto window = makeWindow();
    ASSERT_TRUE(program->start());
    auto* scan = control<QPushButton>(*window, "Command1");
    auto* zelk = control<QPushButton>(*window, "Command2");
    auto* about = control<QPushButton>(*window, "Command3");
    std::vector<QWidget*> tabStops;
    QWidget* next = scan;
    do {
        if (next->focusPolicy() & Qt::TabFocus) {
            tabStops.push_back(next);
        }
        next = next->nextInFocusChain();
    } while (next != scan);
    EXPECT_EQ(tabStops, (std::vector<QWidget*>{scan, zelk, about}));
    QApplication::setActiveWindow(window);
    EXPECT_EQ(window->focusWidget(), scan);
}

TEST_F(frmZelkTest, EnterLikeSpacePressesTheFocusedButton) {
    tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=" + tree.path("sim") + "\r\n");
    auto window = makeWindow();
    ASSERT_TRUE(program->start());
    auto* about = control<QPushButton>(*window, "Command3");
    struct Press {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    for (const Press press :
         {Press{Qt::Key_Return, Qt::NoModifier}, Press{Qt::Key_Enter, Qt::KeypadModifier},
          Press{Qt::Key_Space, Qt::NoModifier}}) {
        about->setFocus();
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = true;
                QTest::mouseClick(modal, Qt::LeftButton, {}, QPoint(3, 3));
            }
        });
        QTest::keyClick(about, press.key, press.modifiers);
        EXPECT_TRUE(opened) << press.key;
    }
    EXPECT_FALSE(about->isDefault());
}

// The real chooser, answered as a user would: the chosen folder is taken and remembered, and
// nothing else is left in the user's home or configuration folder.
TEST_F(frmZelkTest, TheRealFolderChooserLeavesNothingBehind) {
    const std::filesystem::path home = zelk::test::guiTestHome();
    ASSERT_EQ(qEnvironmentVariable("HOME").toStdString(), home.string());
    ASSERT_EQ(qEnvironmentVariable("XDG_CONFIG_HOME").toStdString(), home.string());
    ASSERT_TRUE(std::filesystem::is_empty(home));
    zelk::QtProgram::Seams seams;  // no prompter: the real dialogs
    seams.access = zelk::test::realAccess();
    seams.folders.program = tree.path("bin");
    zelk::QtProgram program(std::move(seams));
    QString title;
    QTimer chooserOpen;  // the chooser is answered as soon as its own loop runs
    QObject::connect(&chooserOpen, &QTimer::timeout, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!chooser) {
            return;
        }
        chooserOpen.stop();
        title = chooser->windowTitle();
        chooser->setDirectory(QString::fromStdString(tree.path("sim")));
        static_cast<QDialog*>(chooser)->accept();  // as its Choose button does
    });
    chooserOpen.start(0);
    ASSERT_TRUE(program.start());
    EXPECT_EQ(title, "Select your FS2000 game folder:");
    EXPECT_EQ(program.flow().runState().SimFolder, tree.path("sim"));
    EXPECT_EQ(tree.read("bin/ZELKGAU.INI"), "[FS2000]\r\nFolder=" + tree.path("sim") + "\r\n");
    for (const auto& left : std::filesystem::recursive_directory_iterator(home)) {
        ADD_FAILURE() << "left behind: " << left.path();
    }
}

TEST(AppIconTest, IsA32By32ImageOfAtMost16ColoursAndTheInstalledCopyMatchesIt) {
    const QImage icon =
        zelk::appIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(icon.size(), QSize(32, 32));
    QSet<QRgb> colours;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            colours.insert(icon.pixel(x, y));
        }
    }
    EXPECT_LE(colours.size(), 16);
    const QImage installed =
        QImage(ZELK_SOURCE_DIR "/data/zelkgauges.png").convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(installed.size(), icon.size());
    int differing = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb a = installed.pixel(x, y);
            const QRgb b = icon.pixel(x, y);
            const bool bothClear = qAlpha(a) == 0 && qAlpha(b) == 0;
            differing += (!bothClear && a != b) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0) << "regenerate it: cmake --build build --target screenshots";
}

TEST_F(frmZelkTest, CancellingThePickerEndsBeforeTheWindowIsShown) {
    auto window = makeWindow();
    prompter->folders = {std::nullopt};
    EXPECT_FALSE(program->start());
    EXPECT_TRUE(program->flow().hasEnded());
    EXPECT_EQ(program->exitStatus(), 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(tree.exists("bin/ZELKGAU.INI"));
}

TEST_F(frmZelkTest, APickedFolderIsRememberedBesideTheProgram) {
    makeWindow();
    prompter->folders = {tree.path("sim")};
    ASSERT_TRUE(program->start());
    EXPECT_EQ(tree.read("bin/ZELKGAU.INI"), "[FS2000]\r\nFolder=" + tree.path("sim") + "\r\n");
}

TEST_F(frmZelkTest, ClosingTheWindowEndsTheProgramWithoutAQuestion) {
    tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=" + tree.path("sim") + "\r\n");
    auto window = makeWindow();
    ASSERT_TRUE(program->start());
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(program->flow().hasEnded());
    EXPECT_EQ(program->exitStatus(), 0);
    EXPECT_TRUE(prompter->questions.empty());
}

TEST_F(frmZelkTest, ProgressBarsStayInRangeWhateverTheyAreGiven) {
    tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=" + tree.path("sim") + "\r\n");
    auto window = makeWindow();
    ASSERT_TRUE(program->start());
    auto* bar = control<QProgressBar>(*window, "ProgressBar2");
    window->setProgressMax(zelk::ProgressBarId::Removal, 4.0f);
    window->setProgressValue(zelk::ProgressBarId::Removal, 4.0f);
    EXPECT_EQ(bar->value(), 4);
    window->setProgressMax(zelk::ProgressBarId::Removal,
                           0.0f);  // an emptied folder: no busy indicator
    EXPECT_GT(bar->maximum(), bar->minimum());
    window->setProgressValue(zelk::ProgressBarId::Removal, 0.0f);
    EXPECT_EQ(bar->value(), 0);
    window->setProgressValue(zelk::ProgressBarId::Removal, 9.0f);
    EXPECT_EQ(bar->value(), bar->maximum());
}

}  // namespace
