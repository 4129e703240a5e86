#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "app/WindowLayout.h"
#include "app/win32/Win32Layout.h"
#include "app/win32/Win32Window.h"

// The About window: title, description, copyright, e-mail address and version. It has no
// buttons; a click on its surface (not on a label) closes it, and so does the title bar's close
// button. Esc does not. One object serves the whole run: closing only hides it.
class frmAbout : public zelk::win32::Window {
public:
    // Made hidden, owned by the main window so that it stays in front of it.
    explicit frmAbout(HWND owner);
    ~frmAbout() override;

    // Loads the window (sets the texts filled in at load), shows it centred over its owner
    // and keeps the owner disabled until it has been closed; then returns.
    void showModal();

    // Sets the texts that are filled in each time the window is loaded.
    void load();

    bool isOpen() const { return open_; }
    // A label by its name in the layout table (lblTitle, ...); nullptr for another name.
    HWND label(std::string_view name) const;
    int dpi() const { return dpi_; }

    // "Version " with the major and minor version numbers.
    static std::string versionText();

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void layOut();
    void close();
    bool onSurface(LPARAM clientPoint) const;
    const zelk::win32::Font& fontOf(zelk::layout::AboutFont font) const;

    std::array<HWND, zelk::layout::kAboutLabels.size()> labels_{};
    zelk::win32::Font defaultFont_;
    zelk::win32::Font titleFont_;
    zelk::win32::Font versionFont_;
    int dpi_ = 96;
    bool open_ = false;
    bool pressedOnSurface_ = false;
};
