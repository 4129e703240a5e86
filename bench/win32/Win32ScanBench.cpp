// Times the Windows program's Scan against a floor of plain Win32 calls (see Win32Floor.h), in
// rotating order, round after round, in one process with a warm cache. Built in the MinGW build
// and run under Wine by ./tools/windows.sh --bench, where Wine's own folder listing is most of
// the cost of both.
//
//   zelk_win32_scan_bench [--quick] [--dir FOLDER] [aircraft [lines per panel [gauge files
//                         [rounds]]]]
//
// Defaults: 1000 aircraft, 80 gauge lines per panel, 15000 gauge files, 5 rounds, on aircraft
// with model, panel, sound and texture folders and on aircraft with one panel folder each.
// The trees are written under FOLDER (default: the temporary folder) and removed at the end.

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "BenchTree.h"
#include "Options.h"
#include "QuietWindow.h"
#include "Timing.h"
#include "core/CommandContext.h"
#include "platform/Error.h"
#include "platform/ProcessMemory.h"
#include "scan/UnusedScan.h"
#include "win32/Win32Floor.h"

namespace fs = std::filesystem;
using bench::FolderShape;
using bench::Samples;

namespace {

// Wine's listing is the whole cost there, so the Scan should take the floor's time.
constexpr double kScanTarget = 1.1;

int boundOf(const zelk::NameList& list) {
    return list.hasSlots() ? list.upperBound().value() : 0;
}

void printTimes(const char* what, const Samples& samples) {
    std::printf("  %-28s best %8.4f s  median %8.4f s\n", what, samples.best(), samples.median());
}

// Generates one tree, checks that the floor and the Scan both saw it, and times them; false
// when either did not see the tree that was generated.
bool timeTree(const fs::path& root, const bench::Options& options, FolderShape shape) {
    const bench::TreeSize& size = options.full;
    bench::generateTree(root, size, bench::PanelStyle::Bench, shape);
    zelk::RunState state;
    state.SimFolder = root.string();
    bench::QuietWindow window;
    const zelk::DiskAccess access = zelk::DiskAccess::system();
    const zelk::CommandContext context{state, window, window, access};

    const bench::ScanFloorCount floor = bench::win32IoFloor(root.string());
    zelk::runScanCommand(context);
    const std::string what =
        std::to_string(size.aircraft) + " aircraft, bench panels, " + bench::shapeName(shape);
    std::printf(
        "%s, %d lines per panel, %d gauge files\n"
        "  floor: %ld aircraft, %ld folders in them, %ld panels (%ld bytes), %ld gauge files, "
        "%ld failures\n"
        "  Scan: %d aircraft, %d gauge names, %d unused gauge files\n",
        what.c_str(), size.linesPerPanel, size.gaugeFiles, floor.aircraftFolders,
        floor.candidateFolders, floor.panels, floor.panelBytes, floor.gaugeFiles, floor.failures,
        boundOf(state.FolderList), boundOf(state.GaugeList), boundOf(state.UnusedList));
    const bool ok = floor.failures == 0 && floor.aircraftFolders == size.aircraft &&
                    floor.panels == size.aircraft && floor.gaugeFiles == size.gaugeFiles &&
                    boundOf(state.FolderList) == size.aircraft && boundOf(state.UnusedList) > 0;
    if (!ok) {
        std::fputs("  the floor or the Scan did not see the generated tree\n", stderr);
        return false;
    }

    const auto nothing = [] {};
    const bench::Pair times =
        bench::interleavedRounds(options.rounds, {nothing, [&] { zelk::runScanCommand(context); }},
                                 {nothing, [&] { bench::win32IoFloor(root.string()); }});
    printTimes("Scan", times.first);
    printTimes("Win32 floor", times.second);
    bench::printRatio("Scan / Win32 floor, " + what, times.first, times.second, kScanTarget);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    zelk::keepFreedMemoryForReuse();  // as the program does at start-up
    bench::Options defaults;
    defaults.full = {1000, 80, 15000};
    defaults.rounds = 5;
    const bench::Options options = bench::parseOptions(argc, argv, defaults);
    const fs::path work = options.workFolder / "zelk-win32-bench";
    int status = 1;
    try {
        const fs::path root = work / "FS2000";
        const bool all = timeTree(root, options, FolderShape::AllFolders);
        const bool panelOnly = timeTree(root, options, FolderShape::PanelFolderOnly);
        status = all && panelOnly ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "the benchmark stopped: %s\n", error.what());
    } catch (const zelk::ProgramEnd&) {
        std::fputs("a command asked to end the program\n", stderr);
    }
    fs::remove_all(work);
    return status;
}
