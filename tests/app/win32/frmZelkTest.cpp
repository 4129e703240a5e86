#include "support/win32/WindowTestSupport.h"

#include <commctrl.h>

#include <array>
#include <cstring>
#include <utility>

#include "app/WindowLayout.h"
#include "support/SampleTree.h"

namespace {

using zelk::layout::ControlKind;
using zelk::layout::kMainControls;
using zelk::test::expectedPixels;

class frmZelkTest : public zelk::test::Win32ProgramTest {
protected:
    void SetUp() override {
        Win32ProgramTest::SetUp();
        ASSERT_TRUE(start());
    }

    std::wstring classOf(HWND window) const {
        std::array<wchar_t, 64> name{};
        ::GetClassNameW(window, name.data(), static_cast<int>(name.size()));
        return name.data();
    }

    // Everything that must hold at a DPI: the client area, every control's box and font, and
    // the status panels, all converted from twips at that DPI.
    void expectLayoutAt(int dpi) {
        SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
        RECT client{};
        ::GetClientRect(mainWindow(), &client);
        const int width = expectedPixels(zelk::layout::kMainClient.width, dpi);
        EXPECT_EQ(client.right, width);
        EXPECT_EQ(client.bottom, expectedPixels(zelk::layout::kMainClient.height, dpi));
        for (const auto& entry : kMainControls) {
            SCOPED_TRACE(entry.name);
            const RECT box = zelk::test::boxInParent(control(entry.name));
            EXPECT_EQ(box.left, expectedPixels(entry.box.left, dpi));
            EXPECT_EQ(box.top, expectedPixels(entry.box.top, dpi));
            EXPECT_EQ(box.right, expectedPixels(entry.box.left + entry.box.width, dpi));
            EXPECT_EQ(box.bottom, expectedPixels(entry.box.top + entry.box.height, dpi));
            const auto font = zelk::test::fontOf(control(entry.name));
            EXPECT_EQ(font.face, "MS Sans Serif");
            EXPECT_EQ(font.height, -((8 * dpi + 36) / 72));
            EXPECT_FALSE(font.bold);
        }
        // The last two panels are 1,440 twips wide, 2 pixels apart as in the Qt window; the
        // first takes the rest.
        EXPECT_EQ(::SendMessageW(control("StatusBar1"), SB_GETPARTS, 0, 0), 3);
        const int panel = expectedPixels(1440, dpi);
        const std::array<std::pair<int, int>, 3> spans{{{0, width - 2 * panel - 4},
                                                        {width - 2 * panel - 2, width - panel - 2},
                                                        {width - panel, width}}};
        for (int part = 0; part < 3; ++part) {
            RECT box{};
            ::SendMessageW(control("StatusBar1"), SB_GETRECT, part, reinterpret_cast<LPARAM>(&box));
            EXPECT_EQ(std::make_pair(static_cast<int>(box.left), static_cast<int>(box.right)),
                      spans[static_cast<std::size_t>(part)])
                << "part " << part + 1;
        }
    }
};

TEST_F(frmZelkTest, FirstStateIsTheFixedWindowWithScanFocusedAndZelkDisabled) {
    EXPECT_EQ(zelk::test::textOf(mainWindow()), "Zelk Gauges");
    EXPECT_TRUE(::IsWindowVisible(mainWindow()));
    const auto style = ::GetWindowLongPtrW(mainWindow(), GWL_STYLE);
    EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU));
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(::GetFocus(), control("Command1"));

    const std::array<const wchar_t*, 4> classes{WC_BUTTONW, WC_STATICW, PROGRESS_CLASSW,
                                                STATUSCLASSNAMEW};
    for (const auto& entry : kMainControls) {
        SCOPED_TRACE(entry.name);
        const HWND window = control(entry.name);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(classOf(window), classes[static_cast<std::size_t>(entry.kind)]);
        EXPECT_TRUE(::IsWindowVisible(window));
        const auto controlStyle = ::GetWindowLongPtrW(window, GWL_STYLE);
        const bool button = entry.kind == ControlKind::Button;
        EXPECT_EQ((controlStyle & WS_TABSTOP) != 0, button);
        if (button) {
            EXPECT_EQ(controlStyle & BS_TYPEMASK, BS_PUSHBUTTON) << "no default button";
        }
        if (entry.text) {
            EXPECT_EQ(zelk::test::textOf(window), entry.text);
        }
        const bool zelk = std::strcmp(entry.name, "Command2") == 0;
        EXPECT_EQ(::IsWindowEnabled(window) != FALSE, !zelk);
    }
    for (const char* bar : {"ProgressBar1", "ProgressBar2"}) {
        EXPECT_EQ(zelk::test::progressValue(control(bar)), 0) << bar;
        EXPECT_EQ(zelk::test::progressMaximum(control(bar)), 100) << bar;
    }
    EXPECT_EQ(panel(1), "Panels:");
    EXPECT_EQ(panel(2), "Gauges:");
    EXPECT_EQ(panel(3), "Zelk:");

    // A click that reaches the disabled Zelk all the same starts nothing.
    ::SendMessageW(control("Command2"), BM_CLICK, 0, 0);
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_TRUE(prompter.errors.empty());
}

TEST_F(frmZelkTest, LayoutIsTheTwipsTableAtTheWindowsDpiCentredOnTheScreen) {
    const int dpi = program->mainWindow().dpi();
    if (dpi == 96) {
        RECT client{};
        ::GetClientRect(mainWindow(), &client);
        EXPECT_EQ(client.right, 305);
        EXPECT_EQ(client.bottom, 213);
    }
    expectLayoutAt(dpi);

    // Centred with its frame, on the work area of its screen.
    RECT frame{};
    ::GetWindowRect(mainWindow(), &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(mainWindow(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    EXPECT_LE(std::abs((frame.left - area.left) - (area.right - frame.right)), 1);
    EXPECT_LE(std::abs((frame.top - area.top) - (area.bottom - frame.bottom)), 1);

    // Moved to a monitor of another DPI, the window lays itself out again at that DPI.
    for (const int otherDpi : {144, 120, 96}) {
        RECT suggested = frame;
        ::SendMessageW(mainWindow(), WM_DPICHANGED, MAKEWPARAM(otherDpi, otherDpi),
                       reinterpret_cast<LPARAM>(&suggested));
        expectLayoutAt(otherDpi);
    }
}

enum class Pressed { Nothing, Scan, Zelk };

struct KeyCase {
    const char* name;
    bool zelkEnabled;
    const char* focusBefore;
    WPARAM key;
    bool shift;
    const char* focusAfter;
    Pressed pressed;
};

// ctest names the case, not its bytes.
void PrintTo(const KeyCase& entry, std::ostream* out) {
    *out << entry.name;
}

class frmZelkKeyTest : public frmZelkTest, public ::testing::WithParamInterface<KeyCase> {
protected:
    // The key as the keyboard sends it to the focused control, through the program's own
    // message handling.
    void press(WPARAM key, bool shift) {
        std::array<BYTE, 256> keys{};
        ::GetKeyboardState(keys.data());
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys.data());
        const HWND focus = ::GetFocus();
        ::PostMessageW(focus, WM_KEYDOWN, key, 1);
        ::PostMessageW(focus, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
        program->handlePendingMessages();
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys.data());
    }
};

// Tab and Shift+Tab go round the enabled buttons; Space and Enter press the focused one; Esc
// does nothing.
TEST_P(frmZelkKeyTest, KeyActsAsInADialog) {
    const KeyCase& key = GetParam();
    program->mainWindow().setCommand2Enabled(key.zelkEnabled);
    ::SetFocus(control(key.focusBefore));
    if (key.pressed == Pressed::Zelk) {
        prompter.answers = {false};  // not now
    }
    press(key.key, key.shift);
    EXPECT_EQ(::GetFocus(), control(key.focusAfter));
    EXPECT_EQ(panel(1) == zelk::test::sample::kPanels, key.pressed == Pressed::Scan);
    EXPECT_EQ(prompter.questions.size(), key.pressed == Pressed::Zelk ? 1u : 0u);
    EXPECT_TRUE(prompter.errors.empty());
    EXPECT_FALSE(program->flow().hasEnded());
    EXPECT_TRUE(::IsWindowVisible(mainWindow()));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, frmZelkKeyTest,
    ::testing::Values(
        KeyCase{"TabSkipsDisabledZelk", false, "Command1", VK_TAB, false, "Command3",
                Pressed::Nothing},
        KeyCase{"TabToZelk", true, "Command1", VK_TAB, false, "Command2", Pressed::Nothing},
        KeyCase{"TabWrapsRound", false, "Command3", VK_TAB, false, "Command1", Pressed::Nothing},
        KeyCase{"ShiftTabGoesBack", true, "Command3", VK_TAB, true, "Command2", Pressed::Nothing},
        KeyCase{"ShiftTabWrapsRound", false, "Command1", VK_TAB, true, "Command3",
                Pressed::Nothing},
        KeyCase{"SpacePressesScan", false, "Command1", VK_SPACE, false, "Command1", Pressed::Scan},
        KeyCase{"EnterPressesScan", false, "Command1", VK_RETURN, false, "Command1", Pressed::Scan},
        KeyCase{"EnterPressesZelk", true, "Command2", VK_RETURN, false, "Command2", Pressed::Zelk},
        KeyCase{"EscapeDoesNothing", false, "Command1", VK_ESCAPE, false, "Command1",
                Pressed::Nothing}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
