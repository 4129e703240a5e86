#include "app/win32/Win32Layout.h"

#include <cmath>
#include <string>
#include <utility>

#include "platform/win32/Win32Text.h"

namespace zelk::win32 {
namespace {

constexpr int kDefaultDpi = 96;

// A function of user32 that older Windows lacks: nullptr there.
template <typename Function>
Function user32Function(const char* name) {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    const FARPROC address = user32 ? ::GetProcAddress(user32, name) : nullptr;
    // Through void (*)(), which converts to any function pointer without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

int systemDpi() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) {
        ::ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : kDefaultDpi;
}

RECT windowRectForClient(HWND window, int width, int height, int dpi) {
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = user32Function<AdjustForDpi>("AdjustWindowRectExForDpi");
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    RECT rect{0, 0, width, height};
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return rect;
}

void resize(HWND window, int width, int height) {
    ::SetWindowPos(window, nullptr, 0, 0, width, height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int windowDpi(HWND window) {
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = user32Function<GetDpiForWindow>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window); dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return systemDpi();
}

int twipsToPixels(int twips, int dpi) {
    return ::MulDiv(twips, dpi, layout::kTwipsPerInch);
}

RECT twipsToPixels(const layout::TwipsRect& box, int dpi) {
    return {twipsToPixels(box.left, dpi), twipsToPixels(box.top, dpi),
            twipsToPixels(box.left + box.width, dpi), twipsToPixels(box.top + box.height, dpi)};
}

void setClientSize(HWND window, const layout::TwipsSize& size, int dpi) {
    const int width = twipsToPixels(size.width, dpi);
    const int height = twipsToPixels(size.height, dpi);
    const RECT frame = windowRectForClient(window, width, height, dpi);
    resize(window, frame.right - frame.left, frame.bottom - frame.top);
    // Where the frame drawn is not the one the system metrics give for this DPI (a DPI change
    // that the frame has not followed yet), the client area is corrected by what it came to.
    RECT client{};
    ::GetClientRect(window, &client);
    if (client.right != width || client.bottom != height) {
        RECT outer{};
        ::GetWindowRect(window, &outer);
        resize(window, outer.right - outer.left + width - client.right,
               outer.bottom - outer.top + height - client.bottom);
    }
}

void centreWindow(HWND window, const RECT& area) {
    RECT frame{};
    ::GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void centreOnOwner(HWND window) {
    const HWND owner = ::GetWindow(window, GW_OWNER);
    RECT area{};
    if (owner && ::IsWindowVisible(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        area = workAreaOf(window);
    }
    centreWindow(window, area);
}

RECT workAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        return monitor.rcWork;
    }
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

int fontHeight(double points, int dpi) {
    return -static_cast<int>(std::lround(points * dpi / 72.0));
}

Font::Font(const layout::FontStyle& style, int dpi)
    : font_(::CreateFontW(fontHeight(style.points, dpi), 0, 0, 0, style.bold ? FW_BOLD : FW_NORMAL,
                          FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                          widen(style.family).c_str())) {}

Font::~Font() {
    if (font_) {
        ::DeleteObject(font_);
    }
}

Font::Font(Font&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}

Font& Font::operator=(Font&& other) noexcept {
    if (this != &other) {
        if (font_) {
            ::DeleteObject(font_);
        }
        font_ = std::exchange(other.font_, nullptr);
    }
    return *this;
}

}  // namespace zelk::win32
