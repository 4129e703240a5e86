#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <memory>
#include <string>

#include "app/ProgramFlow.h"
#include "app/WindowOps.h"
#include "platform/FileSystemObject.h"
#include "platform/Prompter.h"
#include "settings/FolderLocation.h"

class frmAbout;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;

// The main window of the Qt front end: every control the user works with. The run state and
// the commands live in the toolkit-free ProgramFlow, which this window drives from its events.
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

    bool hasEnded() const { return flow_->hasEnded(); }
    int exitCode() const { return flow_->exitStatus(); }

    zelk::RunState& runState() { return flow_->runState(); }
    const zelk::RunState& runState() const { return flow_->runState(); }

    void FindFolder() { flow_->FindFolder(); }
    void SelectFolder() { flow_->SelectFolder(); }
    void ShowFolderList(const std::string& folderspec) { flow_->ShowFolderList(folderspec); }
    void ShowFileInfo(const std::string& filespec) { flow_->ShowFileInfo(filespec); }
    void ShowFileList(const std::string& folderspec) { flow_->ShowFileList(folderspec); }
    void DeleteFileList(const std::string& folderspec) { flow_->DeleteFileList(folderspec); }

    // The window operations the commands use.
    void setProgressMax(zelk::ProgressBarId bar, float maximum) override;
    void setProgressValue(zelk::ProgressBarId bar, float value) override;
    void setPanelText(zelk::StatusPanel panel, const std::string& text) override;
    void setCommand2Enabled(bool enabled) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildControls();
    void wireCommands();
    void centreOnScreen();
    bool paintDue() const;
    void letQtPaint();
    void showAbout();
    void endProgram(int exitStatus);

    QProgressBar* progressBar(zelk::ProgressBarId bar) const;
    QLabel* panel(zelk::StatusPanel panel) const;

    std::unique_ptr<zelk::Prompter> prompter_;
    std::unique_ptr<zelk::ProgramFlow> flow_;
    std::unique_ptr<frmAbout> about_;
    QElapsedTimer sincePaint_;
    bool awaitingFrame_ = false;  // centred before the window manager's frame was known

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
