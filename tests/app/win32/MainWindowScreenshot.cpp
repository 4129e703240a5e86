// Saves a picture of the Windows program's main window, after a Scan of the bundled sample
// simulator folder (sample/FS2000), as a 24-bit BMP (for the README). It runs without a display
// (Wine's null graphics driver too): the window and its controls paint themselves into a bitmap.
//
//   zelk_win32_screenshot main-window.bmp
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "app/win32/Win32Program.h"
#include "support/DecliningPrompter.h"
#include "support/TempTree.h"

namespace {

bool saveBmp(HBITMAP bitmap, int width, int height, const char* path) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as BMP files keep their rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int rowBytes = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<std::size_t>(rowBytes * height));
    const HDC screen = ::GetDC(nullptr);
    const int rows = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                                 reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (rows != height) {
        return false;
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

// The frame as the system draws a fixed single border: raised edge, caption with the icon
// and the title, the close button.
void paintFrame(HWND window, HDC dc, int width, POINT clientOrigin) {
    RECT outer{0, 0, width, clientOrigin.y + 1};
    ::FillRect(dc, &outer, ::GetSysColorBrush(COLOR_BTNFACE));
    RECT edge{0, 0, width, 0};
    RECT client{};
    ::GetClientRect(window, &client);
    edge.bottom = clientOrigin.y + client.bottom + clientOrigin.x;
    ::DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    const int border = clientOrigin.x;
    RECT caption{border, border, width - border, border + ::GetSystemMetrics(SM_CYCAPTION) - 1};
    ::DrawCaption(window, dc, &caption, DC_ACTIVE | DC_ICON | DC_TEXT | DC_GRADIENT);
    const int button = ::GetSystemMetrics(SM_CYSIZE) - 4;
    RECT close{caption.right - button - 4, caption.top + 2, caption.right - 2,
               caption.top + 2 + button};
    // The button's face, and its cross drawn here: the system draws it with the Marlett font,
    // which a Wine without its own fonts lacks.
    ::DrawFrameControl(dc, &close, DFC_BUTTON, DFCS_BUTTONPUSH);
    const HPEN pen = ::CreatePen(PS_SOLID, 2, ::GetSysColor(COLOR_BTNTEXT));
    const HGDIOBJ previous = ::SelectObject(dc, pen);
    const int inset = button / 4 + 1;
    ::MoveToEx(dc, close.left + inset, close.top + inset, nullptr);
    ::LineTo(dc, close.right - inset, close.bottom - inset);
    ::MoveToEx(dc, close.right - inset, close.top + inset, nullptr);
    ::LineTo(dc, close.left + inset, close.bottom - inset);
    ::SelectObject(dc, previous);
    ::DeleteObject(pen);
}

// The window as it shows on the screen, painted by the system's frame functions and by its
// controls: Wine's default handling of WM_PRINT draws neither the frame nor the children, and
// its PrintWindow draws nothing without a display. The controls do not overlap.
void paintWindow(HWND window, HDC dc, int width, int height) {
    RECT frame{};
    ::GetWindowRect(window, &frame);
    POINT clientOrigin{0, 0};
    ::ClientToScreen(window, &clientOrigin);
    clientOrigin.x -= frame.left;
    clientOrigin.y -= frame.top;
    RECT all{0, 0, width, height};
    ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_BTNFACE));
    paintFrame(window, dc, width, clientOrigin);
    for (HWND child = ::GetWindow(window, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT box{};
        ::GetWindowRect(child, &box);
        const int childWidth = box.right - box.left;
        const int childHeight = box.bottom - box.top;
        // Each control in a bitmap of its own: a themed control paints its parent's
        // background first, which would wipe the controls already painted.
        const HDC own = ::CreateCompatibleDC(dc);
        const HBITMAP picture = ::CreateCompatibleBitmap(dc, childWidth, childHeight);
        const HGDIOBJ previous = ::SelectObject(own, picture);
        ::SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(own),
                       PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CLIENT);
        ::BitBlt(dc, box.left - frame.left, box.top - frame.top, childWidth, childHeight, own, 0, 0,
                 SRCCOPY);
        ::SelectObject(own, previous);
        ::DeleteObject(picture);
        ::DeleteDC(own);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s picture.bmp\n", argv[0]);
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);

    zelk::test::TempTree tree;
    tree.copyData("../../sample/FS2000", "sim");  // the bundled sample, as the Qt pictures show
    tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=" + tree.path("sim") + "\r\n");
    zelk::test::DecliningPrompter prompter;
    zelk::Win32Program program({&prompter, zelk::DiskAccess::system(), {tree.path("bin"), {}}});
    if (!program.start()) {
        std::fprintf(stderr, "the program ended at start-up\n");
        return 1;
    }
    ::SendMessageW(program.mainWindow().control("Command1"), BM_CLICK, 0, 0);
    program.handlePendingMessages();

    const HWND window = program.mainWindow().handle();
    RECT frame{};
    ::GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC memory = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    paintWindow(window, memory, width, height);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    const bool saved = saveBmp(bitmap, width, height, argv[1]);
    ::DeleteObject(bitmap);
    if (!saved) {
        std::fprintf(stderr, "cannot save the picture to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
