// Times Scan and removal on generated simulator folders against their floors: the least any
// program must do for the same answer (see Floors.h). Floor and command run in alternating
// order, round after round, in one process with a warm cache; the first Scan of a fresh
// process and the memory a Scan adds are measured in child processes of this benchmark.
//
//   zelk_scan_bench [--quick] [--dir FOLDER] [aircraft [lines per panel [gauge files [rounds]]]]
//
// Defaults: 2000 aircraft, 80 gauge lines per panel, 30000 gauge files, 11 rounds; the tree is
// also timed at half that size. --quick is a smoke run of a few seconds on a small tree. The
// trees are written under FOLDER (default: the temporary folder) and removed at the end.

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchTree.h"
#include "Floors.h"
#include "FreshProcess.h"
#include "Options.h"
#include "QuietWindow.h"
#include "Timing.h"
#include "core/CommandContext.h"
#include "platform/Error.h"
#include "platform/ProcessMemory.h"
#include "removal/Removal.h"
#include "scan/UnusedScan.h"

namespace fs = std::filesystem;
using bench::Options;
using bench::PanelStyle;
using bench::Samples;
using bench::TreeSize;

namespace {

// The targets the Scan and the removal are held to.
constexpr double kScanTarget = 1.3;
constexpr double kFreshScanTarget = 1.4;
constexpr double kRemovalTarget = 1.15;
constexpr double kDoublingTarget = 2.1;
constexpr double kMemoryTargetMb = 8;

std::string describe(const TreeSize& size, PanelStyle style) {
    return std::to_string(size.aircraft) + " aircraft, " + bench::styleName(style);
}

std::vector<std::string> namesOf(const zelk::NameList& list) {
    std::vector<std::string> names;
    if (list.hasSlots()) {
        for (int i = 1; i <= list.upperBound().value(); ++i) {
            names.push_back(list.at(i));
        }
    }
    return names;
}

// One generated tree and the commands that run on it.
class TreeBench {
public:
    TreeBench(fs::path root, const TreeSize& size, PanelStyle style)
        : root_(std::move(root)), size_(size), style_(style) {
        bench::generateTree(root_, size_, style_);
        state_.SimFolder = root_.string();
    }

    // Runs the floor and the Scan once (warming the cache) and checks that both saw the tree
    // that was generated; says what they saw.
    bool check() {
        const bench::ScanFloorCount floor = bench::scanFloor(root_.string());
        zelk::runScanCommand(context_);
        doomed_ = namesOf(state_.UnusedList);
        const int scanned =
            state_.FolderList.hasSlots() ? state_.FolderList.upperBound().value() : 0;
        std::printf(
            "%s, %d lines per panel, %d gauge files\n"
            "  floor: %ld aircraft, %ld folders in them, %ld panels (%ld bytes, %ld lines), "
            "%ld gauge files, %ld failures\n"
            "  Scan:  %d aircraft, %zu gauge names, %zu unused gauge files\n",
            describe(size_, style_).c_str(), size_.linesPerPanel, size_.gaugeFiles,
            floor.aircraftFolders, floor.candidateFolders, floor.panels, floor.panelBytes,
            floor.panelLines, floor.gaugeFiles, floor.failures, scanned,
            namesOf(state_.GaugeList).size(), doomed_.size());
        const bool ok = floor.failures == 0 && floor.aircraftFolders == size_.aircraft &&
                        floor.panels == size_.aircraft && floor.gaugeFiles == size_.gaugeFiles &&
                        scanned == size_.aircraft && !doomed_.empty();
        if (!ok) {
            std::fputs("  the floor or the Scan did not see the generated tree\n", stderr);
        }
        return ok;
    }

    bench::Pair scanAgainstFloor(int rounds) {
        const auto nothing = [] {};
        const bench::Pair times =
            bench::interleavedRounds(rounds, {nothing, [&] { zelk::runScanCommand(context_); }},
                                     {nothing, [&] { bench::scanFloor(root_.string()); }});
        printTimes("Scan", times.first);
        printTimes("floor", times.second);
        return times;
    }

    // Both are timed right after the deleted files were put back and a Scan ran.
    bench::Pair removalAgainstFloor(int rounds) {
        const auto prepare = [&] {
            bench::restoreGaugeFiles(root_, doomed_);
            zelk::runScanCommand(context_);
        };
        long floorMissed = 0;
        const bench::Pair times = bench::interleavedRounds(
            rounds, {prepare, [&] { zelk::runRemovalCommand(context_); }},
            {prepare, [&] {
                 const long removed = bench::removalFloor(root_.string(), doomed_);
                 floorMissed += static_cast<long>(doomed_.size()) - removed;
             }});
        bench::restoreGaugeFiles(root_, doomed_);
        printTimes("removal", times.first);
        printTimes("removal floor", times.second);
        if (floorMissed != 0) {
            std::fprintf(stderr, "  the removal floor missed %ld files\n", floorMissed);
        }
        return times;
    }

    struct FreshTimes {
        bench::Pair times;
        Samples memoryMb;
        Samples heapKeptMb;
        int failures = 0;
    };

    FreshTimes freshScanAgainstFloor(int rounds) {
        FreshTimes fresh;
        const auto child = [&](const char* mode, Samples& times, bool isScan) {
            const bench::ChildReport report = bench::runFreshChild(mode, root_.string());
            fresh.failures += report.ok ? 0 : 1;
            times.seconds.push_back(report.seconds);
            if (isScan) {
                fresh.memoryMb.seconds.push_back(report.peakRssAddedMb);
                fresh.heapKeptMb.seconds.push_back(report.heapKeptMb);
            }
        };
        for (int round = 0; round < rounds; ++round) {
            if (round % 2 == 0) {
                child("scan", fresh.times.first, true);
                child("floor", fresh.times.second, false);
            } else {
                child("floor", fresh.times.second, false);
                child("scan", fresh.times.first, true);
            }
        }
        printTimes("first Scan, fresh process", fresh.times.first);
        printTimes("floor, fresh process", fresh.times.second);
        if (fresh.failures != 0) {
            std::fprintf(stderr, "  %d child processes failed\n", fresh.failures);
        }
        return fresh;
    }

private:
    static void printTimes(const char* what, const Samples& samples) {
        std::printf("  %-28s best %8.4f s  median %8.4f s\n", what, samples.best(),
                    samples.median());
    }

    fs::path root_;
    TreeSize size_;
    PanelStyle style_;
    zelk::RunState state_;
    bench::QuietWindow window_;
    zelk::DiskAccess access_ = zelk::DiskAccess::system();
    zelk::CommandContext context_{state_, window_, window_, access_};
    std::vector<std::string> doomed_;
};

struct Results {
    bench::Pair half;
    bench::Pair full;
    bench::Pair realistic;
    bench::Pair removal;
    TreeBench::FreshTimes fresh;
    bool ok = true;
};

void printSummary(const Options& options, const Results& r) {
    const TreeSize& full = options.full;
    const TreeSize half{full.aircraft / 2, full.linesPerPanel, full.gaugeFiles / 2};
    std::printf("\nRatios over %d rounds (warm cache):\n", options.rounds);
    bench::printRatio("Scan / floor, " + describe(half, PanelStyle::Bench), r.half.first,
                      r.half.second, kScanTarget);
    bench::printRatio("Scan / floor, " + describe(full, PanelStyle::Bench), r.full.first,
                      r.full.second, kScanTarget);
    bench::printRatio("Scan / floor, " + describe(full, PanelStyle::Realistic), r.realistic.first,
                      r.realistic.second, kScanTarget);
    bench::printRatio("first Scan / floor, fresh processes, " + std::to_string(full.aircraft),
                      r.fresh.times.first, r.fresh.times.second, kFreshScanTarget);
    bench::printRatio("removal / floor, " + std::to_string(full.aircraft) + " aircraft",
                      r.removal.first, r.removal.second, kRemovalTarget);
    bench::printRatio("Scan, doubling the tree (" + std::to_string(full.aircraft) + " / " +
                          std::to_string(half.aircraft) + " aircraft)",
                      r.full.first, r.half.first, kDoublingTarget);
    bench::printRatio("  (its floor, for comparison)", r.full.second, r.half.second,
                      kDoublingTarget);
    const std::vector<double>& added = r.fresh.memoryMb.seconds;
    const double memory = r.fresh.memoryMb.median();
    const double largest = added.empty() ? 0.0 : *std::max_element(added.begin(), added.end());
    std::printf("%-52s peak RSS +%.1f MB (max %.1f), heap kept %.1f MB   target <= %.0f MB  %s\n",
                ("memory a Scan adds, " + std::to_string(full.aircraft) + " aircraft").c_str(),
                memory, largest, r.fresh.heapKeptMb.median(), kMemoryTargetMb,
                memory <= kMemoryTargetMb ? "ok" : "OVER");
    std::puts("(the window's ratio comes from zelk_window_bench)");
}

Results runAll(const Options& options, const fs::path& root) {
    const TreeSize& full = options.full;
    const TreeSize half{full.aircraft / 2, full.linesPerPanel, full.gaugeFiles / 2};
    Results r;
    {
        TreeBench tree(root, half, PanelStyle::Bench);
        r.ok = tree.check() && r.ok;
        r.half = tree.scanAgainstFloor(options.rounds);
    }
    {
        TreeBench tree(root, full, PanelStyle::Bench);
        r.ok = tree.check() && r.ok;
        r.full = tree.scanAgainstFloor(options.rounds);
        r.removal = tree.removalAgainstFloor(options.rounds);
        r.fresh = tree.freshScanAgainstFloor(options.rounds);
        r.ok = r.fresh.failures == 0 && r.ok;
    }
    {
        TreeBench tree(root, full, PanelStyle::Realistic);
        r.ok = tree.check() && r.ok;
        r.realistic = tree.scanAgainstFloor(options.rounds);
    }
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    zelk::keepFreedMemoryForReuse();  // as the program does at start-up
    if (argc == 4 && std::strcmp(argv[1], bench::kChildFlag) == 0) {
        return bench::childMain(argv[2], argv[3]);
    }
    const Options options = bench::parseOptions(argc, argv);
    const fs::path work = options.workFolder / ("zelk-bench-" + std::to_string(::getpid()));
    int status = 1;
    try {
        const Results results = runAll(options, work / "FS2000");
        printSummary(options, results);
        status = results.ok ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "the benchmark stopped: %s\n", error.what());
    } catch (const zelk::ProgramEnd&) {
        std::fputs("a command asked to end the program\n", stderr);
    }
    fs::remove_all(work);
    return status;
}
