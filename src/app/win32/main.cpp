#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "app/CommandLine.h"
#include "app/ProgramSeams.h"
#include "app/win32/Win32Program.h"
#include "app/win32/Win32Prompter.h"
#include "core/ProgramInfo.h"
#include "platform/Error.h"
#include "platform/win32/Win32Console.h"

namespace {

// COM for the shell's folder picker, on this (the only) thread, for the length of the run.
class ComApartment {
public:
    ComApartment()
        : initialised_(SUCCEEDED(
              ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (initialised_) {
            ::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

// The command line's actions make no window and ask nothing; the settings file is the one the
// windows use. Output that is lost ends the program with a failure;
// a pipe that nobody reads any more, without a word.
int runCommandLine(const zelk::CommandLine& line) {
    const zelk::CommandLineResult result =
        zelk::runCommandLine(line, zelk::DiskAccess::system(), zelk::withSystemFolders({}));
    const zelk::win32::StandardStreams streams;
    const zelk::win32::WriteOutcome written = streams.out(result.out);
    switch (written.kind) {
        case zelk::win32::WriteOutcome::Kind::Written:
            streams.err(result.err);
            return result.exitStatus;
        case zelk::win32::WriteOutcome::Kind::Failed:
            streams.err(zelk::outputLostText(written.reason));
            break;
        case zelk::win32::WriteOutcome::Kind::PipeClosed:
            break;
    }
    return zelk::kOutputLostStatus;
}

int runProgram() {
    zelk::Win32Program program;
    return program.start() ? program.run() : program.exitStatus();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const zelk::CommandLine line = zelk::parseCommandLine(zelk::win32::programArguments());
    if (line.action != zelk::CommandLine::Action::Window) {
        return runCommandLine(line);
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS |
                                                        ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    ComApartment com;
    // Errors of the commands are reported by the flow; this is for the windows that could not
    // be made at all.
    try {
        return runProgram();
    } catch (const zelk::ZelkError& error) {
        zelk::Win32Prompter(nullptr, zelk::kProgramTitle).showError(error.code(), error.text());
    } catch (const std::exception& error) {
        zelk::Win32Prompter(nullptr, zelk::kProgramTitle)
            .showError(static_cast<int>(zelk::ErrorNumber::InternalError), error.what());
    }
    return 1;
}
