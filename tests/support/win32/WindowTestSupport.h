#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/win32/Win32Program.h"
#include "support/ScriptedWindow.h"
#include "support/TempTree.h"

namespace zelk::test {

// Pixels for twips at dpi, rounded to the nearest, worked out here rather than by the
// program's own conversion.
int expectedPixels(int twips, int dpi);

// A control's box in the client coordinates of its parent.
RECT boxInParent(HWND control);
// The text of a window or of a status bar panel (1, 2 or 3), as UTF-8.
std::string textOf(HWND window);
std::string panelText(HWND statusBar, int panel);
int progressMaximum(HWND bar);
int progressValue(HWND bar);

struct FontFacts {
    std::string face;
    int height;
    bool bold;
};
// What the font that a control was given asks for.
FontFacts fontOf(HWND control);

// The exit status that the program left for its message loop (the WM_QUIT message), which is
// taken out of the queue; nothing when the program has not asked to end.
std::optional<int> takeQuitStatus();

// Runs step inside the next modal loop (the About window's), once it waits for input, the way a
// user acts on a modal window.
void duringNextModalLoop(std::function<void()> step);

// The Windows program on a copy of the sample simulator folder, its settings file beside the
// program naming that folder, and the dialogs answered from a script.
class Win32ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the program and runs its start-up step.
    bool start();
    HWND mainWindow() const { return program->mainWindow().handle(); }
    HWND control(const char* name) const { return program->mainWindow().control(name); }
    // A click on an enabled button, as the button itself takes a mouse click.
    void click(const char* name);
    std::string panel(int number) const { return panelText(control("StatusBar1"), number); }
    // The tooltip the window gave a status panel.
    std::string panelToolTip(int number) const;

    TempTree tree;
    ScriptedPrompter prompter;
    DiskAccess access = DiskAccess::system();  // what start() gives the program
    std::unique_ptr<Win32Program> program;
};

}  // namespace zelk::test
