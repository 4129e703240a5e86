#include "app/win32/frmZelk.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <climits>

#include "app/win32/AppIcon.h"
#include "core/ProgramInfo.h"
#include "platform/win32/Win32Text.h"

namespace {

using zelk::layout::ControlKind;
using zelk::layout::kMainControls;
namespace win32 = zelk::win32;

constexpr wchar_t kClassName[] = L"ZelkGaugesMain";
// Fixed single border, a system menu with the close button, no minimise or maximise button.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// Control IDs are 101 onwards, in table order: clear of IDOK and IDCANCEL, which Enter and
// Esc send to a window that uses the dialog keys.
constexpr int kFirstControlId = 101;
constexpr std::array<const char*, 3> kButtons{"Command1", "Command2", "Command3"};

// The room a status bar leaves between two of its parts (2 pixels unless a theme says otherwise).
int gapBetweenParts(HWND bar) {
    std::array<int, 3> borders{0, 0, 2};  // horizontal, vertical, between parts
    ::SendMessageW(bar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders.data()));
    return borders[2];
}

int controlIndex(std::string_view name) {
    return zelk::layout::indexIn(kMainControls, name);
}

int controlId(std::string_view name) {
    return kFirstControlId + controlIndex(name);
}

const wchar_t* classOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Button:
            return WC_BUTTONW;
        case ControlKind::Label:
            return WC_STATICW;
        case ControlKind::ProgressBar:
            return PROGRESS_CLASSW;
        case ControlKind::StatusBar:
            return STATUSCLASSNAMEW;
    }
    return WC_STATICW;
}

// Only the buttons take the focus; none is the default button. The status bar keeps the
// place and size of the table instead of docking itself, and has no size grip.
DWORD styleOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Button:
            return WS_TABSTOP | BS_PUSHBUTTON;
        case ControlKind::Label:
            return SS_LEFT | SS_NOPREFIX;
        case ControlKind::ProgressBar:
            return 0;
        case ControlKind::StatusBar:
            return CCS_NOPARENTALIGN | CCS_NORESIZE;
    }
    return 0;
}

// The dialog keys give the button that Tab reaches the default button's border and take it back
// when Tab moves on, but not when the focus leaves another way (a click on another button,
// another window): a button gives it up here as it loses the focus, so that no button without
// the focus looks like the default button, which this window has none of.
LRESULT CALLBACK buttonMessage(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    if (message == WM_KILLFOCUS) {
        const LONG style = ::GetWindowLongW(button, GWL_STYLE);
        if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            ::SendMessageW(button, BM_SETSTYLE, (style & ~BS_TYPEMASK) | BS_PUSHBUTTON, TRUE);
        }
    }
    return ::DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace

frmZelk::frmZelk() {
    registerClass(kClassName, COLOR_BTNFACE, win32::programIcon(SM_CXICON),
                  win32::programIcon(SM_CXSMICON));
    create(kClassName, kStyle, 0, zelk::kProgramTitle, nullptr);
    dpi_ = win32::windowDpi(handle());
    createControls();
    layOut();
    // A panel takes its text once the status bar has its three panels.
    for (std::size_t i = 0; i < zelk::layout::kStatusPanels.size(); ++i) {
        ::SendMessageW(
            control("StatusBar1"), SB_SETTEXTW, i,
            reinterpret_cast<LPARAM>(win32::widen(zelk::layout::kStatusPanels[i].text).c_str()));
    }
    createPanelToolTips();
}

frmZelk::~frmZelk() {
    ::RemoveWindowSubclass(control("StatusBar1"), &frmZelk::statusBarMessage, 0);
    for (const char* button : kButtons) {
        ::RemoveWindowSubclass(control(button), &buttonMessage, 0);
    }
    destroy();
}

void frmZelk::createControls() {
    for (std::size_t i = 0; i < kMainControls.size(); ++i) {
        const auto& entry = kMainControls[i];
        controls_[i] = win32::createControl(handle(), classOf(entry.kind), styleOf(entry.kind),
                                            kFirstControlId + static_cast<int>(i),
                                            entry.text ? entry.text : "");
    }
    for (const char* button : kButtons) {
        ::SetWindowSubclass(control(button), &buttonMessage, 0, 0);
    }
    for (const HWND bar : {control("ProgressBar1"), control("ProgressBar2")}) {
        ::SendMessageW(bar, PBM_SETRANGE32, 0, 100);
        ::SendMessageW(bar, PBM_SETPOS, 0, 0);
    }
}

// Places every control, sets the font and the status panels, and sizes the window, all at
// the window's DPI.
void frmZelk::layOut() {
    win32::Font font(zelk::layout::kWindowFont, dpi_);
    for (std::size_t i = 0; i < kMainControls.size(); ++i) {
        const RECT box = win32::twipsToPixels(kMainControls[i].box, dpi_);
        ::MoveWindow(controls_[i], box.left, box.top, box.right - box.left, box.bottom - box.top,
                     TRUE);
        ::SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    font_ = std::move(font);

    // The last two panels have their widths; the first takes what they leave. The bar puts
    // its gap between two parts after the right edge of the first.
    const auto& panels = zelk::layout::kStatusPanels;
    const int width = win32::twipsToPixels(zelk::layout::kMainClient.width, dpi_);
    const int gap = gapBetweenParts(control("StatusBar1"));
    std::array<int, zelk::layout::kStatusPanels.size()> rightEdges{};
    rightEdges[2] = -1;  // to the end of the bar
    rightEdges[1] = width - win32::twipsToPixels(panels[2].width, dpi_) - gap;
    rightEdges[0] = rightEdges[1] - win32::twipsToPixels(panels[1].width, dpi_) - gap;
    ::SendMessageW(control("StatusBar1"), SB_SETPARTS, rightEdges.size(),
                   reinterpret_cast<LPARAM>(rightEdges.data()));

    win32::setClientSize(handle(), zelk::layout::kMainClient, dpi_);
}

void frmZelk::showAfterLoad() {
    setCommand2Enabled(false);
    win32::centreWindow(handle(), win32::workAreaOf(handle()));
    ::ShowWindow(handle(), SW_SHOW);
    ::UpdateWindow(handle());
    ::SetFocus(control("Command1"));
}

void frmZelk::endProgram(int exitStatus) {
    ::ShowWindow(handle(), SW_HIDE);
    ::PostQuitMessage(exitStatus);
}

HWND frmZelk::control(std::string_view name) const {
    const int index = controlIndex(name);
    return index < 0 ? nullptr : controls_[static_cast<std::size_t>(index)];
}

bool frmZelk::handleDialogKeys(MSG& message) {
    if (!handle() || (message.hwnd != handle() && !::IsChild(handle(), message.hwnd))) {
        return false;
    }
    // Ctrl+L opens the list of files to remove, as a double-click on status panel 3 does; a
    // held key opens it once.
    if (win32::isCtrlKey(message, 'L')) {
        if ((message.lParam & (1L << 30)) == 0) {
            showFilesToRemove();
        }
        return true;
    }
    // The dialog keys would send Enter to a default button, and this window has none.
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
        pressFocusedButton(message);
        return true;
    }
    return ::IsDialogMessageW(handle(), &message) != FALSE;
}

// Enter, like Space, presses the button that has the focus; a held key presses it once.
void frmZelk::pressFocusedButton(const MSG& message) {
    const bool repeated = (message.lParam & (1L << 30)) != 0;
    const HWND focus = ::GetFocus();
    if (repeated || !focus || !::IsWindowEnabled(focus)) {
        return;
    }
    for (const char* name : {"Command1", "Command2", "Command3"}) {
        if (focus == control(name)) {
            ::SendMessageW(handle(), WM_COMMAND, MAKEWPARAM(controlId(name), BN_CLICKED),
                           reinterpret_cast<LPARAM>(focus));
        }
    }
}

void frmZelk::onButton(int id, HWND button) {
    if (button == nullptr || button != ::GetDlgItem(handle(), id)) {
        return;  // IDOK or IDCANCEL from the dialog keys, or a menu: nothing to do
    }
    // A disabled Zelk must never remove anything, whoever sends the click; and while a modal
    // window (a question, the About window) has disabled this one, no button starts anything.
    if (!::IsWindowEnabled(button) || !::IsWindowEnabled(handle())) {
        return;
    }
    const std::function<void()>* command = nullptr;
    if (id == controlId("Command1")) {
        command = &commands_.scan;
    } else if (id == controlId("Command2")) {
        command = &commands_.removal;
    } else if (id == controlId("Command3")) {
        command = &commands_.about;
    }
    if (command && *command) {
        (*command)();
    }
}

// The status bar tells of a double-click on one of its panels; one on panel 3 opens the list of
// files to remove.
void frmZelk::onNotify(const NMHDR& header, LPARAM lParam) {
    if (header.hwndFrom == control("StatusBar1") && header.code == NM_DBLCLK &&
        reinterpret_cast<const NMMOUSE*>(lParam)->dwItemSpec ==
            static_cast<DWORD_PTR>(zelk::StatusPanel::Zelk) - 1) {
        showFilesToRemove();
    }
}

// Only while the window takes input: not while a modal window (a question, About) has
// disabled it.
void frmZelk::showFilesToRemove() {
    if (::IsWindowEnabled(handle()) && commands_.showFilesToRemove) {
        commands_.showFilesToRemove();
    }
}

// A plain window, unlike a dialog, forgets which control had the focus when another window
// (a question, the About window) takes it; without this the keyboard would reach no button.
void frmZelk::restoreFocus() {
    HWND target = focusWhenInactive_;
    if (!target || !::IsWindowEnabled(target) || !::IsChild(handle(), target)) {
        target = ::GetNextDlgTabItem(handle(), nullptr, FALSE);
    }
    if (target) {
        ::SetFocus(target);
    }
}

void frmZelk::onDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    ::SetWindowPos(handle(), nullptr, suggested.left, suggested.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    layOut();
    placePanelToolTips();
}

LRESULT frmZelk::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                onButton(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
            }
            return 0;
        case WM_CLOSE:
            // The flow ends the program (hiding the window), once a running command has.
            if (commands_.close) {
                commands_.close();
            } else {
                endProgram(0);
            }
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = ::GetFocus();
                if (focus && ::IsChild(handle(), focus)) {
                    focusWhenInactive_ = focus;
                }
            }
            break;
        case WM_SETFOCUS:
            restoreFocus();
            return 0;
        case WM_DPICHANGED:
            onDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_NOTIFY:
            onNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
            return 0;
        default:
            break;
    }
    return Window::handleMessage(message, wParam, lParam);
}

HWND frmZelk::progressBar(zelk::ProgressBarId bar) const {
    return control(bar == zelk::ProgressBarId::Scan ? "ProgressBar1" : "ProgressBar2");
}

// A maximum of 0 would leave the bar without a range, so the range never shrinks below 0..1;
// the value is kept inside the range.
void frmZelk::setProgressMax(zelk::ProgressBarId bar, float maximum) {
    const HWND target = progressBar(bar);
    const int top = zelk::barTop(maximum);
    const auto value = static_cast<int>(::SendMessageW(target, PBM_GETPOS, 0, 0));
    ::SendMessageW(target, PBM_SETRANGE32, 0, top);
    ::SendMessageW(target, PBM_SETPOS, std::min(value, top), 0);
    letWindowsPaint(true);
}

// A command reports every aircraft and every file; the bar is painted when painting is due,
// and at once when it reaches its end or goes back.
void frmZelk::setProgressValue(zelk::ProgressBarId bar, float value) {
    const HWND target = progressBar(bar);
    const auto top = static_cast<int>(::SendMessageW(target, PBM_GETRANGE, FALSE, 0));
    const int wanted = zelk::barPosition(value, top);
    const auto shown = static_cast<int>(::SendMessageW(target, PBM_GETPOS, 0, 0));
    if (wanted == shown) {
        return;
    }
    ::SendMessageW(target, PBM_SETPOS, wanted, 0);
    letWindowsPaint(zelk::paintsAtOnce(wanted, shown, top));
}

void frmZelk::setPanelText(zelk::StatusPanel panel, const std::string& text) {
    const HWND statusBar = control("StatusBar1");
    const auto index = static_cast<WPARAM>(static_cast<int>(panel) - 1);
    ::SendMessageW(statusBar, SB_SETTEXTW, index,
                   reinterpret_cast<LPARAM>(win32::widen(text).c_str()));
    letWindowsPaint(true);
}

// A tooltip control of the window's own over status panel 3 (the status bar's own tips show only
// for a panel whose text does not fit), laying out lines at their line breaks. It asks for its
// text when it is about to show it, through the status bar: working the text out costs a look
// at every file to remove, which a Scan must not wait for.
void frmZelk::createPanelToolTips() {
    panelToolTips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                       WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle(),
                                       nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(panelToolTips_, TTM_SETMAXTIPWIDTH, 0, SHRT_MAX);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = control("StatusBar1");
    tool.uId = static_cast<UINT_PTR>(zelk::StatusPanel::Zelk);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(panelToolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SetWindowSubclass(tool.hwnd, &frmZelk::statusBarMessage, 0,
                        reinterpret_cast<DWORD_PTR>(this));
    placePanelToolTips();
}

void frmZelk::placePanelToolTips() {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = control("StatusBar1");
    tool.uId = static_cast<UINT_PTR>(zelk::StatusPanel::Zelk);
    ::SendMessageW(tool.hwnd, SB_GETRECT, tool.uId - 1, reinterpret_cast<LPARAM>(&tool.rect));
    ::SendMessageW(panelToolTips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT CALLBACK frmZelk::statusBarMessage(HWND bar, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR window) {
    auto* self = reinterpret_cast<frmZelk*>(window);
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (message == WM_NOTIFY && header->hwndFrom == self->panelToolTips_ &&
        header->code == TTN_GETDISPINFOW) {
        const auto& ask = self->commands_.zelkToolTip;
        self->toolTipText_ = win32::widen(ask ? ask() : std::string());
        reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = self->toolTipText_.data();
        return 0;
    }
    return ::DefSubclassProc(bar, message, wParam, lParam);
}

// A disabled button cannot keep the focus: it moves on to the next button, as it would in a
// dialog, so that the keyboard still works.
void frmZelk::setCommand2Enabled(bool enabled) {
    const HWND button = control("Command2");
    if (!enabled && ::GetFocus() == button) {
        ::SetFocus(::GetNextDlgTabItem(handle(), button, FALSE));
    }
    if (!enabled && focusWhenInactive_ == button) {
        focusWhenInactive_ = nullptr;
    }
    ::EnableWindow(button, enabled ? TRUE : FALSE);
}

// A command runs inside its click and never takes input; only the messages that draw the
// window are handled here: the bars' timers (their animation) and painting. Clicks and keys
// wait in the queue until the command has returned, and are then dropped.
void frmZelk::letWindowsPaint(bool now) {
    if (!now && !paintPace_.paintDue()) {
        return;
    }
    MSG message;
    for (int i = 0; i < 64 && ::PeekMessageW(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE);
         ++i) {
        ::DispatchMessageW(&message);
    }
    ::RedrawWindow(handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    paintPace_.painted();
}
