#pragma once

#include <QWidget>
#include <string>

#include "app/MainWindowCommands.h"
#include "app/ProgressBarPace.h"
#include "app/qt/CentredPlacement.h"
#include "core/WindowOps.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;

// The main window of the Qt front end: every control the user works with. What its buttons
// and its close button start is given from outside (the program's flow, see QtProgram).
class frmZelk : public QWidget, public zelk::WindowOps {
    Q_OBJECT

public:
    // Creates the window and its controls, hidden.
    explicit frmZelk(QWidget* parent = nullptr);
    ~frmZelk() override;

    void setCommands(zelk::MainWindowCommands commands) { commands_ = std::move(commands); }

    // After the start-up step: Zelk disabled, the window shown centred on the screen with the
    // focus on Scan.
    void showAfterLoad();

    // Hides the window and ends the event loop with this exit status.
    void endProgram(int exitStatus);

    // Lets Qt handle what waits for it (painting above all), dropping every click, key, wheel
    // turn and shortcut among it, in any window of the program.
    void discardInput();

    // The window operations the commands use.
    void setProgressMax(zelk::ProgressBarId bar, float maximum) override;
    void setProgressValue(zelk::ProgressBarId bar, float value) override;
    void setPanelText(zelk::StatusPanel panel, const std::string& text) override;
    void setCommand2Enabled(bool enabled) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void wireCommands();
    void letQtPaint();
    void showFilesToRemove();

    QProgressBar* progressBar(zelk::ProgressBarId bar) const;
    QLabel* panel(zelk::StatusPanel panel) const;

    zelk::MainWindowCommands commands_;
    zelk::ProgressBarPace paintPace_;
    bool ended_ = false;
    zelk::CentredPlacement placement_{*this};

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
