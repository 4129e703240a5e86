#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "app/RemovalPreview.h"
#include "app/win32/Win32Layout.h"
#include "app/win32/Win32Window.h"

// The window "Files to remove": every file the latest Scan listed, in removal order, one line
// each with its size, their count and total size at the foot, and the buttons Copy (the full
// paths to the clipboard; Ctrl+C too) and Close (Esc and Enter too). It only shows: nothing in
// it changes the list or deletes a file. Resizable; its size is remembered nowhere.
class frmFilesToRemove : public zelk::win32::Window {
public:
    // Made hidden, owned by the main window so that it stays in front of it.
    frmFilesToRemove(HWND owner, const zelk::FilesToRemoveList& list);
    ~frmFilesToRemove() override;

    // Shows the window centred on its owner and keeps the owner disabled until it has been
    // closed; then returns.
    void showModal();

    bool isOpen() const { return open_; }
    // A control by its name: lstFiles, lblTotal, cmdCopy, cmdClose; nullptr for another name.
    HWND control(std::string_view name) const;
    int dpi() const { return dpi_; }

    // Puts the full paths on the clipboard, one a line, with Windows' line ends.
    void copy() const;

    // The keys of a dialog (Tab, Enter, Esc, Space) and Ctrl+C, for a message that its loop
    // takes out of the queue: true when the message has been handled; else it goes on to
    // TranslateMessage and DispatchMessage.
    bool handleKeys(MSG& message);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void fill(const zelk::FilesToRemoveList& list);
    void setFonts();
    void layOut();
    void onCommand(int id);

    std::array<HWND, 4> controls_{};
    zelk::win32::Font font_;
    std::wstring copiedText_;
    HWND focus_ = nullptr;  // the control that has the focus while the window is active
    int dpi_ = 96;
    bool open_ = false;
};
