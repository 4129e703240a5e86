#include "support/win32/WindowTestSupport.h"

#include <windowsx.h>

#include "about/win32/frmAbout.h"
#include "app/WindowLayout.h"

namespace {

using zelk::layout::kAboutLabels;
using zelk::test::expectedPixels;

struct LabelCase {
    const char* name;
    const char* text;
    const char* face;
    double points;
    bool bold;
};

const LabelCase kLabels[] = {
    {"lblTitle", "Zelk Gauges", "Comic Sans MS", 20.25, true},
    {"lblDescription", "Scan and delete unused FS2000 gauges.", "MS Sans Serif", 8, false},
    {"lblCopyright", "\u00a9 Zelk Gauges team", "MS Sans Serif", 8, false},
    {"lblEmail", "zelkgauges@example.org", "MS Sans Serif", 8, false},
    {"lblVersion", "Version 1.0", "MS Sans Serif", 12, true},
};

POINT centreOf(const RECT& box) {
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

void sendClick(HWND window, POINT down, POINT up) {
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
}

// A point of the window's surface beside every label: the left margin at mid height.
POINT besideTheLabels(int dpi) {
    return {expectedPixels(60, dpi), expectedPixels(1200, dpi)};
}

class frmAboutTest : public zelk::test::Win32ProgramTest {
protected:
    void SetUp() override {
        Win32ProgramTest::SetUp();
        ASSERT_TRUE(start());
    }

    // The client area, and every label's box, text and font, at a DPI.
    static void expectLayoutAt(frmAbout& about, int dpi) {
        SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
        RECT client{};
        ::GetClientRect(about.handle(), &client);
        EXPECT_EQ(client.right, expectedPixels(zelk::layout::kAboutClient.width, dpi));
        EXPECT_EQ(client.bottom, expectedPixels(zelk::layout::kAboutClient.height, dpi));
        for (const LabelCase& expected : kLabels) {
            SCOPED_TRACE(expected.name);
            const HWND label = about.label(expected.name);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(zelk::test::textOf(label), expected.text);
            EXPECT_EQ(::GetWindowLongPtrW(label, GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
            const auto font = zelk::test::fontOf(label);
            EXPECT_EQ(font.face, expected.face);
            EXPECT_EQ(font.height, -static_cast<int>(expected.points * dpi / 72 + 0.5));
            EXPECT_EQ(font.bold, expected.bold);
        }
        for (const auto& entry : kAboutLabels) {
            SCOPED_TRACE(entry.name);
            const RECT box = zelk::test::boxInParent(about.label(entry.name));
            EXPECT_EQ(box.left, expectedPixels(entry.box.left, dpi));
            EXPECT_EQ(box.top, expectedPixels(entry.box.top, dpi));
            EXPECT_EQ(box.right, expectedPixels(entry.box.left + entry.box.width, dpi));
            EXPECT_EQ(box.bottom, expectedPixels(entry.box.top + entry.box.height, dpi));
        }
    }

    // Clicks About and runs step while the About window is open; the window is closed
    // afterwards if the step left it open, so that the command returns.
    void whileAboutIsOpen(const std::function<void(frmAbout&)>& step) {
        bool ran = false;
        zelk::test::duringNextModalLoop([&] {
            frmAbout* about = program->aboutWindow();
            if (!about) {
                return;
            }
            ran = true;
            step(*about);
            if (about->isOpen()) {
                ::SendMessageW(about->handle(), WM_CLOSE, 0, 0);
            }
        });
        click("Command3");
        EXPECT_TRUE(ran) << "the About command returned without a modal window";
    }
};

TEST_F(frmAboutTest, AboutShowsItsTextsModallyOverTheMainWindow) {
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_TAB, 1);  // Tab gives About the default border
    program->handlePendingMessages();
    ASSERT_EQ(::GetWindowLongW(control("Command3"), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    whileAboutIsOpen([&](frmAbout& about) {
        const HWND window = about.handle();
        EXPECT_TRUE(::IsWindowVisible(window));
        EXPECT_FALSE(::IsWindowEnabled(mainWindow())) << "the main window takes no input";
        // Nor does a click that reaches Scan all the same, now or once About has closed.
        ::SendMessageW(control("Command1"), BM_CLICK, 0, 0);
        EXPECT_EQ(zelk::test::textOf(window), "About Zelk Gauges");
        const auto style = ::GetWindowLongPtrW(window, GWL_STYLE);
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
        EXPECT_EQ(reinterpret_cast<HBRUSH>(::GetClassLongPtrW(window, GCLP_HBRBACKGROUND)),
                  ::GetSysColorBrush(COLOR_MENU));

        RECT frame{}, owner{};
        ::GetWindowRect(window, &frame);
        ::GetWindowRect(mainWindow(), &owner);
        EXPECT_LE(std::abs((frame.left + frame.right) - (owner.left + owner.right)), 1);
        EXPECT_LE(std::abs((frame.top + frame.bottom) - (owner.top + owner.bottom)), 1);

        expectLayoutAt(about, about.dpi());
        // Moved to a monitor of another DPI, the window lays itself out again at that DPI.
        for (const int otherDpi : {144, 96}) {
            RECT suggested = frame;
            ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(otherDpi, otherDpi),
                           reinterpret_cast<LPARAM>(&suggested));
            expectLayoutAt(about, otherDpi);
        }
    });
    ASSERT_NE(program->aboutWindow(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(program->aboutWindow()->handle()));
    EXPECT_TRUE(::IsWindowEnabled(mainWindow()));
    EXPECT_EQ(::GetFocus(), control("Command3")) << "the focus comes back to About";
    ::SetFocus(control("Command1"));  // as a click on Scan moves it: About gives the border up
    EXPECT_EQ(::GetWindowLongW(control("Command3"), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(panel(1), "Panels:");
    EXPECT_FALSE(program->flow().hasEnded());
}

// One window for the run; each opening loads its texts anew.
TEST_F(frmAboutTest, SecondOpeningReusesTheWindowAndLoadsTheTextsAgain) {
    whileAboutIsOpen([](frmAbout&) {});
    frmAbout* first = program->aboutWindow();
    ASSERT_NE(first, nullptr);
    const HWND handle = first->handle();
    ::SetWindowTextW(first->label("lblDescription"), L"stale");
    ::SetWindowTextW(first->label("lblVersion"), L"stale");
    whileAboutIsOpen([&](frmAbout& about) {
        EXPECT_EQ(&about, first);
        EXPECT_EQ(about.handle(), handle);
        EXPECT_EQ(zelk::test::textOf(about.label("lblDescription")),
                  "Scan and delete unused FS2000 gauges.");
        EXPECT_EQ(zelk::test::textOf(about.label("lblVersion")), "Version 1.0");
    });
}

struct CloseCase {
    const char* name;
    // What the user does, in the About window's client coordinates at its DPI.
    void (*act)(frmAbout& about);
    bool closes;
};

// ctest names the case, not its bytes.
void PrintTo(const CloseCase& entry, std::ostream* out) {
    *out << entry.name;
}

void clickEveryLabel(frmAbout& about) {
    for (const auto& entry : kAboutLabels) {
        const POINT centre = centreOf(zelk::test::boxInParent(about.label(entry.name)));
        sendClick(about.handle(), centre, centre);
    }
}

void pressOnALabelReleaseBeside(frmAbout& about) {
    const POINT centre = centreOf(zelk::test::boxInParent(about.label("lblEmail")));
    sendClick(about.handle(), centre, besideTheLabels(about.dpi()));
}

void clickBesideTheLabels(frmAbout& about) {
    const POINT point = besideTheLabels(about.dpi());
    sendClick(about.handle(), point, point);
}

void pressEscape(frmAbout& about) {
    ::SendMessageW(about.handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    ::SendMessageW(about.handle(), WM_CHAR, 0x1B, 1);
    ::SendMessageW(about.handle(), WM_KEYUP, VK_ESCAPE, 1 | (1u << 30) | (1u << 31));
}

void titleBarCloseButton(frmAbout& about) {
    ::SendMessageW(about.handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

class frmAboutCloseTest : public frmAboutTest, public ::testing::WithParamInterface<CloseCase> {};

// A click on the surface closes the window, a click on a label does not; nor does Esc.
TEST_P(frmAboutCloseTest, OnlyTheSurfaceOrTheCloseButtonCloses) {
    const CloseCase& action = GetParam();
    bool stillOpen = false;
    whileAboutIsOpen([&](frmAbout& about) {
        action.act(about);
        stillOpen = about.isOpen();
    });
    EXPECT_EQ(stillOpen, !action.closes);
    EXPECT_FALSE(::IsWindowVisible(program->aboutWindow()->handle()));
    EXPECT_FALSE(program->flow().hasEnded());
}

INSTANTIATE_TEST_SUITE_P(
    Actions, frmAboutCloseTest,
    ::testing::Values(CloseCase{"ClickOnEachLabel", clickEveryLabel, false},
                      CloseCase{"PressOnALabelReleaseBeside", pressOnALabelReleaseBeside, false},
                      CloseCase{"Escape", pressEscape, false},
                      CloseCase{"ClickBesideTheLabels", clickBesideTheLabels, true},
                      CloseCase{"TitleBarCloseButton", titleBarCloseButton, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
