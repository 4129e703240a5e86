#include <QApplication>

#include "app/AppIcon.h"
#include "app/ProgramInfo.h"
#include "app/frmZelk.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(zelk::kProgramTitle);
    QApplication::setWindowIcon(zelk::appIcon());

    frmZelk window;
    if (!window.load()) {
        return window.exitCode();
    }
    return QApplication::exec();
}
