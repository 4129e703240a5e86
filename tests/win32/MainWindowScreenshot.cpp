// Saves a picture of the Windows program's main window, after a Scan of the sample simulator
// folder, as a 24-bit BMP (for the README). It runs without a display (Wine's null graphics
// driver too): the window paints itself into a bitmap.
//
//   zelk_win32_screenshot main-window.bmp
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "app/win32/Win32Program.h"
#include "support/ScriptedWindow.h"
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
    tree.copyData("sim", "sim");
    tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=" + tree.path("sim") + "\r\n");
    zelk::test::ScriptedPrompter prompter;
    zelk::Win32Program::Seams seams;
    seams.prompter = &prompter;
    seams.folders.program = tree.path("bin");
    zelk::Win32Program program(std::move(seams));
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
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(nullptr, screen);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    const BOOL printed = ::PrintWindow(window, memory, 0);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    const bool saved = printed && saveBmp(bitmap, width, height, argv[1]);
    ::DeleteObject(bitmap);
    if (!saved) {
        std::fprintf(stderr, "cannot save the picture to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
