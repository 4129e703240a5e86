#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include <QElapsedTimer>

#include "app/CommandContext.h"
#include "app/EventGuard.h"
#include "app/RunState.h"
#include "app/WindowOps.h"
#include "platform/FileSystemObject.h"
#include "platform/Prompter.h"
#include "settings/FolderLocation.h"

class frmAbout;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;

// The main window: every control the user works with, the run state, and the commands.
class frmZelk : public QWidget, public zelk::WindowOps {
    Q_OBJECT

public:
    // What the window needs from its surroundings; tests replace each part.
    struct Seams {
        std::unique_ptr<zelk::Prompter> prompter;  // nullptr: the real Qt dialogs
        zelk::DiskAccess access = zelk::DiskAccess::system();
        std::string executableFolder;  // empty: the folder of the running binary
        std::string userConfigFolder;  // empty: the one the environment names
    };

    explicit frmZelk(QWidget* parent = nullptr);
    explicit frmZelk(Seams seams, QWidget* parent = nullptr);
    ~frmZelk() override;

    // The start-up step: locate the simulator folder, disable Zelk, show the window centred
    // with the focus on Scan. False when the program ended instead (see exitCode()).
    bool load();

    bool hasEnded() const { return ended_; }
    int exitCode() const { return exitCode_; }

    zelk::RunState& runState() { return state_; }
    const zelk::RunState& runState() const { return state_; }

    void FindFolder();
    void SelectFolder();
    void ShowFolderList(const std::string& folderspec);
    void ShowFileInfo(const std::string& filespec);
    void ShowFileList(const std::string& folderspec);
    void DeleteFileList(const std::string& folderspec);

    // The window operations the commands use.
    void setProgressMax(int bar, float maximum) override;
    void setProgressValue(int bar, float value) override;
    void setPanelText(int panel, const std::string& text) override;
    void setCommand2Enabled(bool enabled) override;
    bool ask(const std::string& question) override;
    std::optional<std::string> pickFolder(const std::string& title) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildControls();
    void placeControls();
    void wireCommands();
    void centreOnScreen();
    zelk::CommandContext context();
    bool paintDue() const;
    void letQtPaint();
    void showAbout();

    // Runs an event handler through the error rule; ends the program when it says so.
    bool runHandler(const std::function<void()>& handler);
    void endProgram(int exitCode);

    QProgressBar* progressBar(int bar) const;
    QLabel* panel(int number) const;

    zelk::RunState state_;
    std::unique_ptr<zelk::Prompter> prompter_;
    std::unique_ptr<frmAbout> about_;
    zelk::DiskAccess access_;
    zelk::SettingsFolders settingsFolders_;
    QElapsedTimer sincePaint_;
    bool awaitingFrame_ = false;  // centred before the window manager's frame was known
    bool ended_ = false;
    int exitCode_ = 0;

    QPushButton* Command1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QLabel* Panel3 = nullptr;
    QPushButton* Command3 = nullptr;
};
