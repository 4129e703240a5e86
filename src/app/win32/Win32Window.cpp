#include "app/win32/Win32Window.h"

#include "platform/Error.h"
#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Text.h"

namespace zelk::win32 {
namespace {

HINSTANCE programInstance() {
    return ::GetModuleHandleW(nullptr);
}

[[noreturn]] void throwCreationFailure(const std::string& what) {
    const DWORD code = ::GetLastError();
    throw makeError(ErrorNumber::InternalError, "Windows could not create " + what + ": " +
                                                    systemMessage(code) + " (Windows error " +
                                                    std::to_string(code) + ")");
}

}  // namespace

Window::~Window() {
    destroy();
}

void Window::registerClass(const wchar_t* className, int backgroundColour, HICON icon,
                           HICON smallIcon) {
    WNDCLASSEXW windowClass{};
    if (::GetClassInfoExW(programInstance(), className, &windowClass)) {
        return;
    }
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &Window::procedure;
    windowClass.hInstance = programInstance();
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);  // an integer resource: A or W alike
    windowClass.hbrBackground = ::GetSysColorBrush(backgroundColour);
    windowClass.lpszClassName = className;
    if (!::RegisterClassExW(&windowClass)) {
        throwCreationFailure("the window class " + narrow(className).value_or("?"));
    }
}

void Window::create(const wchar_t* className, DWORD style, DWORD exStyle, const std::string& title,
                    HWND owner) {
    // The size is set afterwards, once the window's DPI is known.
    ::CreateWindowExW(exStyle, className, widen(title).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, programInstance(), this);
    if (!window_) {
        throwCreationFailure("the window \"" + title + "\"");
    }
}

void Window::destroy() {
    if (window_) {
        ::DestroyWindow(window_);
        window_ = nullptr;
    }
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

// The object rides in the window's user data from its first message on.
LRESULT CALLBACK Window::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

void runModal(HWND window, const bool& open, const std::function<bool(MSG&)>& handle) {
    const HWND owner = ::GetWindow(window, GW_OWNER);
    if (owner) {
        ::EnableWindow(owner, FALSE);
    }
    ::ShowWindow(window, SW_SHOW);
    MSG message;
    while (open) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1) {
            break;
        }
        if (!handle || !handle(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    if (owner) {
        ::EnableWindow(owner, TRUE);
    }
    ::ShowWindow(window, SW_HIDE);
}

bool isCtrlKey(const MSG& message, char letter) {
    return message.message == WM_KEYDOWN && message.wParam == static_cast<WPARAM>(letter) &&
           ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) >= 0 &&
           ::GetKeyState(VK_SHIFT) >= 0;
}

HWND createControl(HWND parent, const wchar_t* className, DWORD style, int id,
                   const std::string& text) {
    const HWND control = ::CreateWindowExW(
        0, className, widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), programInstance(), nullptr);
    if (!control) {
        throwCreationFailure("a control of class " + narrow(className).value_or("?"));
    }
    return control;
}

std::string windowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return narrow(text).value_or(std::string());
}

}  // namespace zelk::win32
