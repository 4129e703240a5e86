#include <QApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ProgramSeams.h"
#include "app/qt/AppIcon.h"
#include "app/qt/QtProgram.h"
#include "core/ProgramInfo.h"
#include "platform/ProcessMemory.h"

namespace {

// Writes the whole text; the errno of a failure, else 0.
int put(std::FILE* stream, const std::string& text) {
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
        std::fflush(stream) == 0) {
        return 0;
    }
    return errno != 0 ? errno : EIO;
}

// The command line is read before Qt starts, so that --list runs without any display. Output
// that is lost ends the program with a failure. A pipe that nobody reads any more ends it by
// SIGPIPE, as any program; where SIGPIPE is ignored, without a word.
int runCommandLine(const zelk::CommandLine& line) {
    const zelk::CommandLineResult result =
        zelk::runCommandLine(line, zelk::DiskAccess::system(), zelk::withSystemFolders({}));
    const int lost = put(stdout, result.out);
    if (lost == 0) {
        put(stderr, result.err);
        return result.exitStatus;
    }
    if (lost != EPIPE) {
        put(stderr, zelk::outputLostText(std::strerror(lost)));
    }
    return zelk::kOutputLostStatus;
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
