#include <QApplication>

#include "app/ProgramInfo.h"
#include "app/qt/AppIcon.h"
#include "app/qt/frmZelk.h"
#include "platform/ProcessMemory.h"

int main(int argc, char* argv[]) {
    zelk::keepFreedMemoryForReuse();
    QApplication application(argc, argv);
    QApplication::setApplicationName(zelk::kProgramTitle);
    QApplication::setWindowIcon(zelk::appIcon());

    frmZelk window;
    if (!window.load()) {
        return window.exitCode();
    }
    return QApplication::exec();
}
