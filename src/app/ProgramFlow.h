#pragma once

#include <deque>
#include <functional>
#include <string>

#include "app/CommandContext.h"
#include "app/RunState.h"
#include "settings/FolderLocation.h"

namespace zelk {

// What a front end gives the program's flow.
struct FrontEnd {
    WindowOps& window;
    Prompter& prompter;
    // Shows the About window modally; returns once it has been closed.
    std::function<void()> showAbout;
    // Ends the program: hides the main window and leaves the event loop with this status.
    std::function<void(int exitStatus)> endProgram;
};

// The start-up step and the commands, without any toolkit: each front end drives it from its
// window's events. Every handler runs through the error rule (an error is shown, then the
// program ends). A handler asked for while another runs (a click that reached the window while
// a command let it paint) waits until that one has ended, as a click waits in the input queue
// of a Windows program; so does closing the window.
class ProgramFlow {
public:
    ProgramFlow(FrontEnd frontEnd, DiskAccess access, SettingsFolders folders);

    // The start-up step: locates the simulator folder. False when the program ended instead
    // (the picker was cancelled, or an error was shown). On true the front end disables Zelk
    // and shows its window.
    bool load();

    void scan();     // Command1
    void removal();  // Command2
    void about();    // Command3
    // The main window is being closed: the program ends, once a running command has.
    void close();

    bool hasEnded() const { return ended_; }
    int exitStatus() const { return exitStatus_; }
    // True while a handler runs.
    bool isBusy() const { return busy_; }

    // The tooltip of status panel 3, which a front end asks for when the pointer comes to rest
    // on the panel: after a Scan that listed files, what Zelk would remove; empty after a
    // removal, a Scan that listed nothing, or while a command runs. Worked out only then, as it
    // asks the disk for the size of every file; an error is shown and ends the program, as in
    // a command.
    std::string zelkToolTip();

    RunState& runState() { return state_; }
    const RunState& runState() const { return state_; }
    CommandContext context();

    // The main window's working methods, by the names the program has always had; the windows
    // of both front ends hand them on to here.
    void FindFolder();
    void SelectFolder();
    void ShowFolderList(const std::string& folderspec);
    void ShowFileInfo(const std::string& filespec);
    void ShowFileList(const std::string& folderspec);
    void DeleteFileList(const std::string& folderspec);

private:
    // The front end's window as the commands see it, which remembers whether Zelk is enabled:
    // once a command has disabled it, the list it would remove is empty or spent.
    class CommandWindow : public WindowOps {
    public:
        explicit CommandWindow(WindowOps& window) : window_(window) {}
        bool zelkEnabled() const { return zelkEnabled_; }

        void setProgressMax(ProgressBarId bar, float maximum) override;
        void setProgressValue(ProgressBarId bar, float value) override;
        void setPanelText(StatusPanel panel, const std::string& text) override;
        void setCommand2Enabled(bool enabled) override;

    private:
        WindowOps& window_;
        bool zelkEnabled_ = false;
    };

    // Runs a handler through the error rule, or queues it while another runs. False when the
    // program has ended.
    bool run(std::function<void()> handler);
    void end(int exitStatus);

    FrontEnd frontEnd_;
    CommandWindow window_{frontEnd_.window};
    DiskAccess access_;
    SettingsFolders folders_;
    RunState state_;
    std::deque<std::function<void()>> waiting_;
    bool busy_ = false;
    bool ended_ = false;
    int exitStatus_ = 0;
};

}  // namespace zelk
