#include "support/win32/WindowTestSupport.h"

#include <commctrl.h>

#include <utility>

#include "app/win32/Win32Window.h"
#include "platform/win32/Win32Text.h"

namespace zelk::test {
namespace {

std::function<void()>& pendingStep() {
    static std::function<void()> step;
    return step;
}

void CALLBACK runPendingStep(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    if (auto step = std::exchange(pendingStep(), nullptr)) {
        step();
    }
}

}  // namespace

int expectedPixels(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

RECT boxInParent(HWND control) {
    RECT box{};
    ::GetWindowRect(control, &box);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&box), 2);
    return box;
}

std::string textOf(HWND window) {
    return win32::windowText(window);
}

std::string panelText(HWND statusBar, int panel) {
    const auto index = static_cast<WPARAM>(panel - 1);
    const auto length = LOWORD(::SendMessageW(statusBar, SB_GETTEXTLENGTHW, index, 0));
    std::wstring text(length + 1u, L'\0');
    ::SendMessageW(statusBar, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return win32::narrow(text).value_or("?");
}

int progressMaximum(HWND bar) {
    return static_cast<int>(::SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
}

int progressValue(HWND bar) {
    return static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0));
}

FontFacts fontOf(HWND control) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    if (!handle || !::GetObjectW(handle, sizeof(font), &font)) {
        return {"(no font)", 0, false};
    }
    return {win32::narrow(font.lfFaceName).value_or("?"), static_cast<int>(font.lfHeight),
            font.lfWeight >= FW_BOLD};
}

std::optional<int> takeQuitStatus() {
    MSG message;
    if (::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        return static_cast<int>(message.wParam);
    }
    return std::nullopt;
}

void duringNextModalLoop(std::function<void()> step) {
    pendingStep() = std::move(step);
    ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &runPendingStep);
}

void Win32ProgramTest::SetUp() {
    tree.copyData("sim", "sim");
    tree.makeReadOnly("sim/Gauges/Turbine.gau");
    tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=" + tree.path("sim") + "\r\n");
}

// A program that ended leaves its quit message behind; the next test starts without it.
void Win32ProgramTest::TearDown() {
    program.reset();
    takeQuitStatus();
}

bool Win32ProgramTest::start() {
    program = std::make_unique<Win32Program>(
        Win32Program::Seams{&prompter, access, {tree.path("bin"), {}}});
    return program->start();
}

void Win32ProgramTest::click(const char* name) {
    const HWND button = control(name);
    ASSERT_TRUE(::IsWindowEnabled(button) && ::IsWindowEnabled(mainWindow()))
        << name << " cannot take a click";
    ::SendMessageW(button, BM_CLICK, 0, 0);
}

}  // namespace zelk::test

namespace zelk::test {

// The text of the panel's tool, which must cover exactly the panel's part of the status bar.
std::string Win32ProgramTest::panelToolTip(int number) const {
    std::wstring text(4096, L'\0');
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = control("StatusBar1");
    tool.uId = static_cast<UINT_PTR>(number);
    tool.lpszText = text.data();
    const HWND tips = program->mainWindow().panelToolTips();
    ::SendMessageW(tips, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    RECT part{};
    ::SendMessageW(tool.hwnd, SB_GETRECT, static_cast<WPARAM>(number - 1),
                   reinterpret_cast<LPARAM>(&part));
    EXPECT_TRUE(::SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_TRUE(::EqualRect(&tool.rect, &part)) << "the tool is not over panel " << number;
    text.resize(std::wcslen(text.c_str()));
    return win32::narrow(text).value_or("?");
}

}  // namespace zelk::test
