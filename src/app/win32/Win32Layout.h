#pragma once

#include <windows.h>

#include "app/WindowLayout.h"

namespace zelk::win32 {

// Layout in twips, 1,440 to the logical inch, turned into pixels at a window's DPI.

// The DPI of the window (of the monitor it is on, for a per-monitor aware program); the
// system's DPI where Windows cannot say per window (before Windows 10 version 1607).
int windowDpi(HWND window);

// Twips to pixels at dpi, rounded to the nearest pixel.
int twipsToPixels(int twips, int dpi);

// A box in pixels: its edges are converted, not its size, so that boxes that touch in twips
// still touch in pixels.
RECT twipsToPixels(const layout::TwipsRect& box, int dpi);

// Gives the window a client area of exactly this size in twips, keeping its position.
void setClientSize(HWND window, const layout::TwipsSize& size, int dpi);

// Moves the window, frame included, to the centre of area.
void centreWindow(HWND window, const RECT& area);

// Moves the window, frame included, to the centre of its owner, or of the work area when it has
// no owner on screen.
void centreOnOwner(HWND window);

// The work area (the screen without the taskbar) of the monitor the window is on.
RECT workAreaOf(HWND window);

// A font of the layout table at dpi, freed with the object.
class Font {
public:
    Font() = default;
    Font(const layout::FontStyle& style, int dpi);
    ~Font();
    Font(Font&& other) noexcept;
    Font& operator=(Font&& other) noexcept;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    HFONT get() const { return font_; }

private:
    HFONT font_ = nullptr;
};

// The character height that CreateFont takes for a size in points (negative: the height of
// the characters, not of the cell).
int fontHeight(double points, int dpi);

}  // namespace zelk::win32
