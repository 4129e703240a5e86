#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "app/MainWindowCommands.h"
#include "app/ProgressBarPace.h"
#include "app/WindowLayout.h"
#include "app/win32/Win32Layout.h"
#include "app/win32/Win32Window.h"
#include "core/WindowOps.h"

// The main window: the controls the user works with. What its buttons and its close button
// start is given from outside (the program's flow).
class frmZelk : public zelk::win32::Window, public zelk::WindowOps {
public:
    // Creates the window and its controls, hidden.
    frmZelk();
    ~frmZelk() override;

    void setCommands(zelk::MainWindowCommands commands) { commands_ = std::move(commands); }

    // After the start-up step: Zelk disabled, the window shown centred on the screen, frame
    // included, with the focus on Scan.
    void showAfterLoad();

    // Hides the window and ends the message loop with this exit status.
    void endProgram(int exitStatus);

    // The keyboard of a dialog for the messages of this window: Tab and Shift+Tab move the
    // focus between the buttons, Space and Enter press the one that has it, Esc does nothing;
    // and Ctrl+L, which opens the list of files to remove.
    // True when the message has been handled; else it goes on to TranslateMessage and
    // DispatchMessage.
    bool handleDialogKeys(MSG& message);

    // A control by its name in the layout table (Command1, Label1, ProgressBar1, StatusBar1,
    // ...); nullptr for a name that is not there.
    HWND control(std::string_view name) const;
    // The tooltip control that shows the tooltip of status panel 3: its one tool, with id 3, is
    // the panel's part of the status bar.
    HWND panelToolTips() const { return panelToolTips_; }
    // The DPI the window is laid out for.
    int dpi() const { return dpi_; }

    void setProgressMax(zelk::ProgressBarId bar, float maximum) override;
    void setProgressValue(zelk::ProgressBarId bar, float value) override;
    void setPanelText(zelk::StatusPanel panel, const std::string& text) override;
    void setCommand2Enabled(bool enabled) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void createControls();
    void createPanelToolTips();
    void placePanelToolTips();
    static LRESULT CALLBACK statusBarMessage(HWND bar, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR window);
    void layOut();
    void onDpiChanged(int dpi, const RECT& suggested);
    void onButton(int id, HWND button);
    void onNotify(const NMHDR& header, LPARAM lParam);
    void showFilesToRemove();
    void pressFocusedButton(const MSG& message);
    void restoreFocus();
    HWND progressBar(zelk::ProgressBarId bar) const;
    void letWindowsPaint(bool now);

    std::array<HWND, zelk::layout::kMainControls.size()> controls_{};
    zelk::MainWindowCommands commands_;
    zelk::win32::Font font_;
    int dpi_ = 96;
    HWND focusWhenInactive_ = nullptr;
    HWND panelToolTips_ = nullptr;
    std::wstring toolTipText_;  // the text last handed to the tooltip control
    zelk::ProgressBarPace paintPace_;
};
