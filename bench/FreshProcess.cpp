#include "FreshProcess.h"

#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

#include "Floors.h"
#include "QuietWindow.h"
#include "Timing.h"
#include "core/CommandContext.h"
#include "platform/Error.h"
#include "scan/UnusedScan.h"

extern char** environ;

namespace bench {
namespace {

constexpr double kBytesPerMb = 1024.0 * 1024.0;

// The process's peak resident size so far. Not getrusage: Linux carries its maximum across
// exec, so a child would start with the peak of the benchmark that spawned it.
long peakRssKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmHWM:")) {
            return std::atol(line.c_str() + std::strlen("VmHWM:"));
        }
    }
    return 0;
}

std::size_t heapInUse() {
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

std::string readAll(int fd) {
    std::string text;
    char buffer[512];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

// One run of work, measured; the report goes to standard output as one line.
int report(const std::function<void()>& work) {
    const long rssBefore = peakRssKb();
    const std::size_t heapBefore = heapInUse();
    const double took = seconds(work);
    const long rssAfter = peakRssKb();
    const std::size_t heapAfter = heapInUse();
    std::printf("%.9f %ld %ld %zu %zu\n", took, rssBefore, rssAfter, heapBefore, heapAfter);
    return 0;
}

}  // namespace

std::string filesToRemoveListOf(const std::string& simFolder) {
    return simFolder + ".to-remove";
}

std::vector<std::string> readFilesToRemove(const std::string& simFolder) {
    std::ifstream list(filesToRemoveListOf(simFolder));
    std::vector<std::string> names;
    for (std::string name; std::getline(list, name);) {
        names.push_back(name);
    }
    return names;
}

ChildReport runFreshChild(const std::string& mode, const std::string& simFolder) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::string self = "/proc/self/exe";
    std::string flag = kChildFlag;
    std::string modeArg = mode;
    std::string folderArg = simFolder;
    char* argv[] = {self.data(), flag.data(), modeArg.data(), folderArg.data(), nullptr};
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, self.c_str(), &actions, nullptr, argv, environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    const std::string output = spawned == 0 ? readAll(pipeFds[0]) : std::string();
    ::close(pipeFds[0]);
    int status = 0;
    if (spawned != 0 || ::waitpid(child, &status, 0) != child || status != 0) {
        return {};
    }
    double took = 0;
    long rssBefore = 0;
    long rssAfter = 0;
    std::size_t heapBefore = 0;
    std::size_t heapAfter = 0;
    if (std::sscanf(output.c_str(), "%lf %ld %ld %zu %zu", &took, &rssBefore, &rssAfter,
                    &heapBefore, &heapAfter) != 5) {
        return {};
    }
    return {true, took, static_cast<double>(rssAfter - rssBefore) / 1024.0,
            (static_cast<double>(heapAfter) - static_cast<double>(heapBefore)) / kBytesPerMb};
}

int childMain(const std::string& mode, const std::string& simFolder) {
    if (mode == "floor") {
        const std::vector<std::string> toRemove = readFilesToRemove(simFolder);
        ScanFloorCount count;
        const int status = report([&] { count = ioFloor(simFolder, toRemove); });
        return status == 0 && count.panels > 0 && count.failures == 0 ? 0 : 1;
    }
    if (mode != "scan") {
        std::fprintf(stderr, "unknown child mode %s\n", mode.c_str());
        return 2;
    }
    zelk::RunState state;
    state.SimFolder = simFolder;
    QuietWindow window;
    const zelk::DiskAccess access = zelk::DiskAccess::system();
    const zelk::CommandContext context{state, window, window, access};
    try {
        return report([&] { zelk::runScanCommand(context); });
    } catch (const std::exception& error) {
        std::fprintf(stderr, "the Scan failed: %s\n", error.what());
    } catch (const zelk::ProgramEnd&) {
        std::fputs("the Scan asked to end the program\n", stderr);
    }
    return 1;
}

}  // namespace bench
