#include "about/win32/frmAbout.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "app/win32/AppIcon.h"
#include "core/ProgramInfo.h"
#include "platform/win32/Win32Text.h"

namespace {

using zelk::layout::AboutFont;
using zelk::layout::kAboutLabels;
namespace win32 = zelk::win32;

constexpr wchar_t kClassName[] = L"ZelkGaugesAbout";
// A fixed dialog frame with the close button; no minimise or maximise button.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr int kBackground = COLOR_MENU;

int labelIndex(std::string_view name) {
    return zelk::layout::indexIn(kAboutLabels, name);
}

// The texts that do not change; the description and the version are set at load.
std::string fixedText(std::string_view name) {
    if (name == "lblTitle") {
        return zelk::kProgramTitle;
    }
    if (name == "lblCopyright") {
        return zelk::kCopyright;
    }
    if (name == "lblEmail") {
        return zelk::kEmail;
    }
    return {};
}

}  // namespace

frmAbout::frmAbout(HWND owner) {
    registerClass(kClassName, kBackground, win32::programIcon(SM_CXICON),
                  win32::programIcon(SM_CXSMICON));
    create(kClassName, kStyle, kExStyle, std::string("About ") + zelk::kProgramTitle, owner);
    dpi_ = win32::windowDpi(handle());
    // No SS_NOTIFY: a label lets clicks through to the window, which tells where they landed.
    for (std::size_t i = 0; i < kAboutLabels.size(); ++i) {
        labels_[i] = win32::createControl(handle(), WC_STATICW, SS_CENTER | SS_NOPREFIX,
                                          static_cast<int>(i) + 1, fixedText(kAboutLabels[i].name));
    }
    layOut();
}

frmAbout::~frmAbout() {
    destroy();
}

std::string frmAbout::versionText() {
    return zelk::versionLine();
}

void frmAbout::load() {
    ::SetWindowTextW(label("lblDescription"), win32::widen(zelk::kProgramDescription).c_str());
    ::SetWindowTextW(label("lblVersion"), win32::widen(versionText()).c_str());
}

HWND frmAbout::label(std::string_view name) const {
    const int index = labelIndex(name);
    return index < 0 ? nullptr : labels_[static_cast<std::size_t>(index)];
}

const win32::Font& frmAbout::fontOf(AboutFont font) const {
    switch (font) {
        case AboutFont::Title:
            return titleFont_;
        case AboutFont::Version:
            return versionFont_;
        case AboutFont::Default:
            break;
    }
    return defaultFont_;
}

// Places the labels with their fonts and sizes the window, at the window's DPI. The fonts in
// use are freed only once the labels have the new ones.
void frmAbout::layOut() {
    win32::Font defaultFont(zelk::layout::kWindowFont, dpi_);
    win32::Font titleFont(zelk::layout::kTitleFont, dpi_);
    win32::Font versionFont(zelk::layout::kVersionFont, dpi_);
    std::swap(defaultFont_, defaultFont);
    std::swap(titleFont_, titleFont);
    std::swap(versionFont_, versionFont);
    for (std::size_t i = 0; i < kAboutLabels.size(); ++i) {
        const RECT box = win32::twipsToPixels(kAboutLabels[i].box, dpi_);
        ::MoveWindow(labels_[i], box.left, box.top, box.right - box.left, box.bottom - box.top,
                     TRUE);
        ::SendMessageW(labels_[i], WM_SETFONT,
                       reinterpret_cast<WPARAM>(fontOf(kAboutLabels[i].font).get()), TRUE);
    }
    win32::setClientSize(handle(), zelk::layout::kAboutClient, dpi_);
}

void frmAbout::showModal() {
    load();
    win32::centreOnOwner(handle());
    open_ = true;
    pressedOnSurface_ = false;
    win32::runModal(handle(), open_);
    open_ = false;
}

void frmAbout::close() {
    open_ = false;
}

// The window's own surface: inside the client area and on no label.
bool frmAbout::onSurface(LPARAM clientPoint) const {
    const POINT point{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    RECT client{};
    ::GetClientRect(handle(), &client);
    return ::PtInRect(&client, point) &&
           ::ChildWindowFromPointEx(handle(), point, CWP_SKIPINVISIBLE) == handle();
}

LRESULT frmAbout::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        // A click is a press and a release, both on the surface.
        case WM_LBUTTONDOWN:
            pressedOnSurface_ = onSurface(lParam);
            return 0;
        case WM_LBUTTONUP:
            if (std::exchange(pressedOnSurface_, false) && onSurface(lParam)) {
                close();
            }
            return 0;
        case WM_CLOSE:
            close();
            return 0;
        case WM_CTLCOLORSTATIC: {
            const auto dc = reinterpret_cast<HDC>(wParam);
            ::SetBkColor(dc, ::GetSysColor(kBackground));
            ::SetTextColor(dc, ::GetSysColor(COLOR_MENUTEXT));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(kBackground));
        }
        case WM_DPICHANGED: {
            dpi_ = LOWORD(wParam);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            ::SetWindowPos(handle(), nullptr, suggested->left, suggested->top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            layOut();
            return 0;
        }
        default:
            break;
    }
    return Window::handleMessage(message, wParam, lParam);
}
