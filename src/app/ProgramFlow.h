#pragma once

#include <functional>
#include <string>

#include "app/MainWindowCommands.h"
#include "app/RemovalPreview.h"
#include "core/CommandContext.h"
#include "core/RunState.h"
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
    // Drops every click and key that has reached the window but has not been handled yet; none
    // given: nothing to drop.
    std::function<void()> discardInput;
    // Shows the window "Files to remove" with this list, modally; returns once it has been
    // closed. None given: the program has no such window.
    std::function<void(const FilesToRemoveList&)> showFilesToRemove = {};
};

// The start-up step and the commands, without any toolkit: each front end drives it from its
// window's events. Every handler runs through the error rule (an error is shown, then the
// program ends). Only a Yes that the user gave to a question they saw may delete files, so
// what the user clicks or types while a handler runs is dropped, never replayed later: a
// command asked for meanwhile does not run, the input the front end still holds is discarded
// when the handler ends and before every dialog. A request to close the window is kept: the
// program ends once the running handler has.
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
    // The main window is being closed: the program ends, at once or once a running handler has.
    void close();

    bool hasEnded() const { return ended_; }
    int exitStatus() const { return exitStatus_; }
    // True while a handler runs.
    bool isBusy() const { return busy_; }

    // The tooltip of status panel 3, which a front end asks for when the pointer comes to rest
    // on the panel: after a Scan that listed files, what Zelk would remove; empty after a
    // removal, a Scan that listed nothing, or while a command runs. Worked out only then, as it
    // asks the disk for the size of every file. Looking never ends the program: what cannot be
    // looked at is said in the tooltip.
    std::string zelkToolTip();

    // The window "Files to remove", which the user opens on status panel 3: shown only when the
    // tooltip would list files, with what it lists. It only shows; nothing in it changes the
    // list or deletes a file.
    void showFilesToRemove();

    RunState& runState() { return state_; }
    const RunState& runState() const { return state_; }
    CommandContext context();

    // The handlers above, for the main window's buttons, close button and status panel 3.
    MainWindowCommands windowCommands();

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

    // The front end's dialogs, each shown only after the input that waits has been dropped: a
    // key typed ahead must not answer a question the user has not seen yet.
    class FreshInputPrompter : public Prompter {
    public:
        FreshInputPrompter(Prompter& prompter, const FrontEnd& frontEnd)
            : prompter_(prompter), frontEnd_(frontEnd) {}

        bool ask(const std::string& question) override;
        void showError(int number, const std::string& text) override;
        std::optional<std::string> pickFolder(const std::string& title) override;
        void discardInput() const;

    private:
        Prompter& prompter_;
        const FrontEnd& frontEnd_;
    };

    // Runs a handler through the error rule; a handler asked for while another runs is
    // dropped. False when the program has ended.
    bool run(const std::function<void()>& handler);
    // After a Scan that listed files and before a removal, while no handler runs.
    bool showsFilesToRemove() const;
    void end(int exitStatus);
    // The start-up step's work, by the name the program has always given it.
    void FindFolder();

    FrontEnd frontEnd_;
    CommandWindow window_{frontEnd_.window};
    FreshInputPrompter prompter_{frontEnd_.prompter, frontEnd_};
    DiskAccess access_;
    SettingsFolders folders_;
    RunState state_;
    bool busy_ = false;
    bool closeAsked_ = false;  // while a handler ran
    bool ended_ = false;
    int exitStatus_ = 0;
};

}  // namespace zelk
