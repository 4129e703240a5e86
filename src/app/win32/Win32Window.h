#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace zelk::win32 {

// A top-level window whose messages go to a C++ object. The window lives as long as the
// object; a derived class destroys it in its own destructor, while its members still exist.
class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND handle() const { return window_; }

protected:
    Window() = default;

    // Registers the class once per process; background is a system colour index (COLOR_...).
    static void registerClass(const wchar_t* className, int backgroundColour, HICON icon,
                              HICON smallIcon);
    // Creates the window, hidden. Throws the program's error when Windows refuses.
    void create(const wchar_t* className, DWORD style, DWORD exStyle, const std::string& title,
                HWND owner);
    void destroy();

    // Every message of the window; the default is Windows' own handling.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};

// Shows a window modally, the Windows way: its owner takes no input while the window runs its
// own message loop, until open turns false. Each message goes to handle first (true: handled),
// then to TranslateMessage and DispatchMessage. A quit request that arrives meanwhile is passed
// on to the main loop. The owner is enabled again before the window hides, so that Windows gives
// it back the activation rather than to another program.
void runModal(HWND window, const bool& open, const std::function<bool(MSG&)>& handle = {});

// Whether the message is the key Ctrl with this letter (upper case), without Alt or Shift:
// Ctrl with Alt is AltGr, which types a character on many keyboards.
bool isCtrlKey(const MSG& message, char letter);

// A child control of a window, made with the text given (UTF-8).
HWND createControl(HWND parent, const wchar_t* className, DWORD style, int id,
                   const std::string& text);

// The text of a window or control as UTF-8.
std::string windowText(HWND window);

}  // namespace zelk::win32
