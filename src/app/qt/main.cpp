#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ProgramSeams.h"
#include "app/qt/AppIcon.h"
#include "app/qt/QtProgram.h"
#include "core/ProgramInfo.h"
#include "platform/ProcessMemory.h"

namespace {

// The command line is read before Qt starts, so that --list runs without any display.
int runCommandLine(const zelk::CommandLine& line) {
    const zelk::CommandLineResult result =
        zelk::runCommandLine(line, zelk::DiskAccess::system(), zelk::withSystemFolders({}));
    std::fwrite(result.out.data(), 1, result.out.size(), stdout);
    std::fwrite(result.err.data(), 1, result.err.size(), stderr);
    return std::fflush(stdout) == 0 ? result.exitStatus : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    zelk::keepFreedMemoryForReuse();
    const zelk::CommandLine line =
        zelk::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.action != zelk::CommandLine::Action::Window) {
        return runCommandLine(line);
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(zelk::kProgramTitle);
    QApplication::setWindowIcon(zelk::appIcon());

    zelk::QtProgram program;
    return program.start() ? program.run() : program.exitStatus();
}
