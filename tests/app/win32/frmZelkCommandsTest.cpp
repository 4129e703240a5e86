#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "platform/win32/Win32Text.h"
#include "support/FaultyDisk.h"
#include "support/SampleTree.h"
#include "support/win32/WindowTestSupport.h"

namespace {

using Names = std::vector<std::string>;

class frmZelkCommandsTest : public zelk::test::Win32ProgramTest {
protected:
    void SetUp() override {
        Win32ProgramTest::SetUp();
        ASSERT_TRUE(start());
    }

    int barMaximum(const char* name) const { return zelk::test::progressMaximum(control(name)); }
    int barValue(const char* name) const { return zelk::test::progressValue(control(name)); }

    // Runs the gesture and, in the list window it opens, step; false when it opened none.
    bool whileListIsOpen(
        const std::function<void()>& gesture,
        const std::function<void(frmFilesToRemove&)>& step = [](auto&) {}) {
        bool opened = false;
        zelk::test::duringNextModalLoop([&] {
            frmFilesToRemove* list = program->filesToRemoveWindow();
            if (list && list->isOpen()) {
                opened = true;
                step(*list);
                ::SendMessageW(list->handle(), WM_CLOSE, 0, 0);  // if the step left it open
            }
        });
        gesture();
        zelk::test::duringNextModalLoop(nullptr);  // when none came, the step is dropped
        return opened;
    }
    void doubleClickPanel3() {
        RECT part{};
        ::SendMessageW(control("StatusBar1"), SB_GETRECT, 2, reinterpret_cast<LPARAM>(&part));
        ::SendMessageW(control("StatusBar1"), WM_LBUTTONDBLCLK, MK_LBUTTON,
                       MAKELPARAM((part.left + part.right) / 2, (part.top + part.bottom) / 2));
    }
    // A key with Ctrl held, to a window, through the loop that takes it out of the queue.
    static void ctrlKey(HWND target, WPARAM key, const std::function<bool(MSG&)>& loop) {
        std::array<BYTE, 256> keys{};
        keys[VK_CONTROL] = 0x80;
        ::SetKeyboardState(keys.data());
        MSG message{target, WM_KEYDOWN, key, 1, 0, {}};
        loop(message);
        ::SetKeyboardState(std::array<BYTE, 256>{}.data());
    }
    void ctrlL() {
        ctrlKey(::GetFocus(), 'L',
                [this](MSG& key) { return program->mainWindow().handleDialogKeys(key); });
    }
    static std::string clipboardText() {
        std::wstring text;
        if (::OpenClipboard(nullptr)) {
            if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
                text = static_cast<const wchar_t*>(::GlobalLock(data));
                ::GlobalUnlock(data);
            }
            ::CloseClipboard();
        }
        return zelk::win32::narrow(text).value_or("?");
    }
    // Each line of the list: its name and its size.
    static Names rows(const frmFilesToRemove& list) {
        const HWND files = list.control("lstFiles");
        Names shown(static_cast<std::size_t>(::SendMessageW(files, LVM_GETITEMCOUNT, 0, 0)));
        for (std::size_t row = 0; row < shown.size(); ++row) {
            for (const int column : {0, 1}) {
                std::array<wchar_t, 256> text{};
                LVITEMW item{};
                item.iSubItem = column;
                item.pszText = text.data();
                item.cchTextMax = static_cast<int>(text.size());
                ::SendMessageW(files, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
                shown[row] +=
                    (column ? " | " : "") + zelk::win32::narrow(text.data()).value_or("?");
            }
        }
        return shown;
    }

    std::shared_ptr<zelk::test::FaultyDisk> disk = std::make_shared<zelk::test::FaultyDisk>();
};

// A click on the greyed Zelk, and Tab then Return, given while a Scan runs, wait in the queue
// until it ends: they are dropped then, never delivered to the Zelk that the Scan enabled.
TEST_F(frmZelkCommandsTest, InputGivenDuringAScanIsDroppedNotDeliveredAfterIt) {
    program.reset();  // again, on a disk that lets the test act during the Scan
    access = zelk::test::accessTo(disk);
    ASSERT_TRUE(start());
    const HWND zelk = control("Command2");
    disk->beforeList = [&](const std::string& path) {
        if (!zelk::test::pathEndsWith(path, "\\Gauges")) {
            return;
        }
        ASSERT_FALSE(::IsWindowEnabled(zelk));
        RECT box{};
        ::GetClientRect(zelk, &box);
        const LPARAM centre = MAKELPARAM(box.right / 2, box.bottom / 2);
        ::PostMessageW(zelk, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        ::PostMessageW(zelk, WM_LBUTTONUP, 0, centre);
        for (const WPARAM key : {VK_TAB, VK_RETURN}) {
            ::PostMessageW(::GetFocus(), WM_KEYDOWN, key, 1);
            ::PostMessageW(::GetFocus(), WM_KEYUP, key, 1 | (3UL << 30));
        }
    };
    click("Command1");
    ASSERT_TRUE(::IsWindowEnabled(zelk));
    program->handlePendingMessages();
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_EQ(tree.filesBelow("sim/Gauges").size(), 11u);
}

TEST_F(frmZelkCommandsTest, ScanShowsTheCountsAndZelkLeavesExactlyTheReferencedFiles) {
    click("Command1");
    EXPECT_EQ(panel(1), zelk::test::sample::kPanels);
    EXPECT_EQ(panel(2), zelk::test::sample::kGauges);
    EXPECT_EQ(panel(3), zelk::test::sample::kZelk);
    EXPECT_EQ(panelToolTip(3), zelk::test::sample::kZelkToolTip);
    EXPECT_TRUE(::IsWindowEnabled(control("Command2")));
    EXPECT_EQ(barMaximum("ProgressBar1"), 4);
    EXPECT_EQ(barValue("ProgressBar1"), 4);

    prompter.answers = {true, false};
    click("Command2");
    EXPECT_EQ(prompter.questions, (Names{"You want to remove all unused gauge files?",
                                         "All files succefully removed. Exit from Zelk Gauge?"}));
    EXPECT_FALSE(program->flow().hasEnded());
    EXPECT_EQ(tree.filesBelow("sim/Gauges"), zelk::test::sample::kKept);
    EXPECT_EQ(barMaximum("ProgressBar2"), 10);
    EXPECT_EQ(barValue("ProgressBar2"), 10);
    EXPECT_EQ(panelToolTip(3), "");
    // The keyboard still reaches a button, whatever the command did to Zelk.
    EXPECT_TRUE(::IsWindowEnabled(::GetFocus()));
    EXPECT_TRUE(prompter.errors.empty());
    EXPECT_FALSE(zelk::test::takeQuitStatus().has_value());
}

// After a Scan, a double-click on panel 3 or Ctrl+L shows every file in removal order with its
// size and the total; Copy and Ctrl+C put their full paths on the clipboard, Esc closes; nothing
// is deleted. After the removal neither opens it, until a Scan lists files again.
TEST_F(frmZelkCommandsTest, TheWholeListShowsWhatZelkWouldRemoveAndCopiesTheirPaths) {
    EXPECT_FALSE(whileListIsOpen([this] { doubleClickPanel3(); }));  // nothing scanned yet
    click("Command1");
    std::string paths;
    for (const std::string& name : zelk::test::sample::kUnused) {
        paths += tree.path("sim/GAUGES/" + name) + "\r\n";  // as the Scan asked for it
    }
    const auto whatItShows = [&](frmFilesToRemove& list) {
        EXPECT_EQ(zelk::test::textOf(list.handle()), "Files to remove");
        EXPECT_EQ(::GetWindow(list.handle(), GW_OWNER), mainWindow());
        EXPECT_FALSE(::IsWindowEnabled(mainWindow()));
        EXPECT_TRUE(::GetWindowLongPtrW(list.handle(), GWL_STYLE) & WS_THICKFRAME);
        RECT frame{}, owner{};
        ::GetWindowRect(list.handle(), &frame);
        ::GetWindowRect(mainWindow(), &owner);
        EXPECT_LE(std::abs((frame.left + frame.right) - (owner.left + owner.right)), 1);
        EXPECT_LE(std::abs((frame.top + frame.bottom) - (owner.top + owner.bottom)), 1);
        EXPECT_EQ(rows(list), (Names{"Airspeed.gau.bak | 23 bytes", "Autopilot.gau | 20 bytes",
                                     "readme.txt | 17 bytes", "Turbine.gau | 18 bytes"}));
        EXPECT_EQ(zelk::test::textOf(list.control("lblTotal")), "4 files, 78 bytes");
        ::SendMessageW(list.control("cmdCopy"), BM_CLICK, 0, 0);
        EXPECT_EQ(clipboardText(), paths);
        ASSERT_TRUE(::OpenClipboard(nullptr) && ::EmptyClipboard() && ::CloseClipboard());
        ctrlKey(list.control("lstFiles"), 'C', [&](MSG& key) { return list.handleKeys(key); });
        EXPECT_EQ(clipboardText(), paths);
        MSG escape{list.control("lstFiles"), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
        EXPECT_TRUE(list.handleKeys(escape));
        EXPECT_FALSE(list.isOpen());
    };
    EXPECT_TRUE(whileListIsOpen([this] { doubleClickPanel3(); }, whatItShows));
    EXPECT_TRUE(::IsWindowEnabled(mainWindow()));
    EXPECT_EQ(::GetFocus(), control("Command1")) << "the keyboard is back in the main window";
    EXPECT_TRUE(whileListIsOpen([this] { ctrlL(); }));
    EXPECT_EQ(tree.filesBelow("sim/Gauges").size(), 11u);
    EXPECT_TRUE(prompter.questions.empty());

    prompter.answers = {true, false};
    click("Command2");
    EXPECT_FALSE(whileListIsOpen([this] { doubleClickPanel3(); }));
    EXPECT_FALSE(whileListIsOpen([this] { ctrlL(); }));

    // A new Scan lists anew: here one file, whose name holds a control character, escaped.
    tree.write("sim/Gauges/Next\u0085Line.gau");
    click("Command1");
    const auto theNewList = [](frmFilesToRemove& list) {
        EXPECT_EQ(rows(list), Names{"$'Next\\u0085Line.gau' | 0 bytes"});
    };
    EXPECT_TRUE(whileListIsOpen([this] { ctrlL(); }, theNewList));
}

struct EndCase {
    const char* name;
    int exitStatus;
    int errorNumber;  // 0: no error shown
};

// ctest names the case, not its bytes.
void PrintTo(const EndCase& entry, std::ostream* out) {
    *out << entry.name;
}

class frmZelkEndTest : public frmZelkCommandsTest, public ::testing::WithParamInterface<EndCase> {
protected:
    void end(const std::string& how) {
        if (how == "YesAfterTheRemoval") {
            click("Command1");
            prompter.answers = {true, true};
            click("Command2");
        } else if (how == "ErrorInAScan") {
            std::filesystem::rename(std::filesystem::path(tree.path("sim/Gauges")),
                                    std::filesystem::path(tree.path("sim/Gone")));
            prompter.errorsExpected = 1;
            click("Command1");
        } else if (how == "LinkOutOfGaugesInAScan") {
            // Wine shows the link as the library's file: deleting it would delete that file.
            tree.write("Library/Shared.gau", "shared");
            tree.symlink(tree.path("Library/Shared.gau"), "sim/Gauges/Shared.gau");
            prompter.errorsExpected = 1;
            click("Command1");
            EXPECT_EQ(tree.read("Library/Shared.gau"), "shared");
        }
    }
};

// However the program ends, the window goes and the message loop ends with the status.
TEST_P(frmZelkEndTest, ProgramEndsWithItsStatus) {
    const EndCase& ending = GetParam();
    try {
        end(ending.name);
    } catch (const std::logic_error&) {
        GTEST_SKIP() << "Unix links exist under Wine only";
    }
    EXPECT_TRUE(program->flow().hasEnded());
    EXPECT_FALSE(::IsWindowVisible(mainWindow()));
    EXPECT_EQ(zelk::test::takeQuitStatus(), ending.exitStatus);
    if (ending.errorNumber == 0) {
        EXPECT_TRUE(prompter.errors.empty());
    } else {
        ASSERT_EQ(prompter.errors.size(), 1u);
        EXPECT_EQ(prompter.errors[0].first, ending.errorNumber);
        EXPECT_EQ(panel(2), zelk::test::sample::kGauges);  // done before the error stays done
    }
}

INSTANTIATE_TEST_SUITE_P(Endings, frmZelkEndTest,
                         ::testing::Values(EndCase{"YesAfterTheRemoval", 0, 0},
                                           EndCase{"ErrorInAScan", 1, 76},
                                           EndCase{"LinkOutOfGaugesInAScan", 1, 75}),
                         [](const auto& info) { return std::string(info.param.name); });

// The close button ends the program at once: no question, nothing deleted, even with files
// listed to remove.
TEST_F(frmZelkCommandsTest, CloseButtonAfterAScanEndsWithoutAQuestion) {
    const Names before = tree.filesBelow("sim/Gauges");
    click("Command1");
    ::SendMessageW(mainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program->flow().hasEnded());
    EXPECT_FALSE(::IsWindowVisible(mainWindow()));
    EXPECT_EQ(zelk::test::takeQuitStatus(), 0);
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_EQ(tree.filesBelow("sim/Gauges"), before);
}

// No simulator folder and the picker cancelled: the program ends before its window shows.
TEST(Win32ProgramStartTest, CancelledPickerEndsTheProgramUnseen) {
    zelk::test::TempTree tree;
    tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=" + tree.path("nowhere") + "\r\n");
    zelk::test::ScriptedPrompter prompter;
    prompter.folders = {std::nullopt};
    zelk::Win32Program program({&prompter, zelk::DiskAccess::system(), {tree.path("bin"), {}}});
    EXPECT_FALSE(program.start());
    EXPECT_EQ(program.exitStatus(), 0);
    EXPECT_EQ(prompter.pickerTitles.size(), 1u);
    EXPECT_FALSE(::IsWindowVisible(program.mainWindow().handle()));
    EXPECT_EQ(zelk::test::takeQuitStatus(), 0);
}

}  // namespace
