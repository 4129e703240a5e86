// Times Scan and removal on generated simulator folders against their floors (see Floors.h):
// the I/O a Scan cannot do without, and the same I/O with the answer worked out by plain code.
// Floors and command run in rotating order, round after round, in one process with a warm
// cache; the first Scan of a fresh process and the memory a Scan adds are measured in child
// processes of this benchmark.
//
//   zelk_scan_bench [--quick] [--dir FOLDER] [aircraft [lines per panel [gauge files [rounds]]]]
//
// Defaults: 2000 aircraft, 80 gauge lines per panel, 30000 gauge files, 11 rounds; the trees
// are also timed at half that size. --quick is a smoke run of a few seconds on a small tree. The
// trees are written under FOLDER (default: the temporary folder) and removed at the end.

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
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
using bench::FolderShape;
using bench::Options;
using bench::PanelStyle;
using bench::Samples;
using bench::TreeSize;

namespace {

// The targets the Scan and the removal are held to.
constexpr double kScanTarget = 1.3;
constexpr double kNameRuleTarget = 1.15;
constexpr double kFreshScanTarget = 1.4;
constexpr double kRemovalTarget = 1.15;
constexpr double kDoublingTarget = 2.1;
constexpr double kMemoryTargetMb = 8;

std::string describe(const TreeSize& size, PanelStyle style, FolderShape shape) {
    return std::to_string(size.aircraft) + " aircraft, " + bench::styleName(style) +
           (shape == FolderShape::PanelFolderOnly ? ", one panel folder each" : "");
}

int boundOf(const zelk::NameList& list) {
    return list.hasSlots() ? list.upperBound().value() : 0;
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

std::string joinedLines(const std::vector<std::string>& names) {
    std::string lines;
    for (const std::string& name : names) {
        lines += name + "\n";
    }
    return lines;
}

// One generated tree and the commands that run on it.
class TreeBench {
public:
    TreeBench(fs::path root, const TreeSize& size, PanelStyle style, FolderShape shape)
        : root_(std::move(root)), size_(size), style_(style), shape_(shape) {
        bench::generateTree(root_, size_, style_, shape_);
        state_.SimFolder = root_.string();
    }

    std::string description() const { return describe(size_, style_, shape_); }

    // Runs the floors and the Scan once (warming the cache) and checks that all saw the tree
    // that was generated and that the floor with the name rule gives the Scan's answer; says
    // what they saw.
    bool check() {
        zelk::runScanCommand(context_);
        doomed_ = namesOf(state_.UnusedList);
        std::ofstream(bench::filesToRemoveListOf(root_.string())) << joinedLines(doomed_);
        const bench::ScanFloorCount io = bench::ioFloor(root_.string(), doomed_);
        const bench::ScanFloorAnswer rule = bench::nameRuleFloor(root_.string());
        const int scanned = boundOf(state_.FolderList);
        const int gaugeNames = boundOf(state_.GaugeList);
        std::printf(
            "%s, %d lines per panel, %d gauge files\n"
            "  I/O floor: %ld aircraft, %ld folders in them, %ld panels (%ld bytes), %ld gauge "
            "files, "
            "%ld failures\n"
            "  name-rule floor: %ld gauge names, %ld unused gauge files\n"
            "  Scan: %d aircraft, %d gauge names, %zu unused gauge files\n",
            description().c_str(), size_.linesPerPanel, size_.gaugeFiles, io.aircraftFolders,
            io.candidateFolders, io.panels, io.panelBytes, io.gaugeFiles, io.failures,
            rule.gaugeNames, rule.unusedFiles, scanned, gaugeNames, doomed_.size());
        const bool sawTree = io.failures == 0 && io.aircraftFolders == size_.aircraft &&
                             io.panels == size_.aircraft && io.gaugeFiles == size_.gaugeFiles &&
                             scanned == size_.aircraft && !doomed_.empty();
        const bool sameAnswer = rule.seen.failures == 0 && rule.seen.panels == io.panels &&
                                rule.gaugeNames == gaugeNames &&
                                rule.unusedFiles == static_cast<long>(doomed_.size());
        if (!sawTree) {
            std::fputs("  the floor or the Scan did not see the generated tree\n", stderr);
        }
        if (!sameAnswer) {
            std::fputs("  the name-rule floor and the Scan do not agree\n", stderr);
        }
        return sawTree && sameAnswer;
    }

    struct ScanTimes {
        Samples scan;
        Samples ioFloor;
        Samples ruleFloor;
    };

    ScanTimes scanAgainstFloors(int rounds) {
        const auto nothing = [] {};
        std::vector<Samples> times = bench::interleavedRounds(
            rounds, {{nothing, [&] { zelk::runScanCommand(context_); }},
                     {nothing, [&] { bench::ioFloor(root_.string(), doomed_); }},
                     {nothing, [&] { bench::nameRuleFloor(root_.string()); }}});
        printTimes("Scan", times[0]);
        printTimes("I/O floor", times[1]);
        printTimes("name-rule floor", times[2]);
        return {std::move(times[0]), std::move(times[1]), std::move(times[2])};
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
        printTimes("I/O floor, fresh process", fresh.times.second);
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
    FolderShape shape_;
    zelk::RunState state_;
    bench::QuietWindow window_;
    zelk::DiskAccess access_ = zelk::DiskAccess::system();
    zelk::CommandContext context_{state_, window_, window_, access_};
    std::vector<std::string> doomed_;
};

struct ShapeResult {
    std::string description;
    TreeBench::ScanTimes times;
};

struct Results {
    std::vector<ShapeResult> shapes;  // the first two: bench panels at half and full size
    bench::Pair removal;
    TreeBench::FreshTimes fresh;
    bool ok = true;
};

void printSummary(const Options& options, const Results& r) {
    const int full = options.full.aircraft;
    std::printf("\nRatios over %d rounds (warm cache):\n", options.rounds);
    for (const ShapeResult& shape : r.shapes) {
        bench::printRatio("Scan / I/O floor, " + shape.description, shape.times.scan,
                          shape.times.ioFloor, kScanTarget);
        bench::printRatio("Scan / name-rule floor, " + shape.description, shape.times.scan,
                          shape.times.ruleFloor, kNameRuleTarget);
    }
    bench::printRatio("first Scan / I/O floor, fresh processes, " + std::to_string(full),
                      r.fresh.times.first, r.fresh.times.second, kFreshScanTarget);
    bench::printRatio("removal / floor, " + std::to_string(full) + " aircraft", r.removal.first,
                      r.removal.second, kRemovalTarget);
    const TreeBench::ScanTimes& half = r.shapes[0].times;
    const TreeBench::ScanTimes& doubled = r.shapes[1].times;
    bench::printRatio("Scan, doubling the tree (" + std::to_string(full) + " / " +
                          std::to_string(full / 2) + " aircraft)",
                      doubled.scan, half.scan, kDoublingTarget);
    bench::printRatio("  (its floor, for comparison)", doubled.ioFloor, half.ioFloor,
                      kDoublingTarget);
    const std::vector<double>& added = r.fresh.memoryMb.seconds;
    const double memory = r.fresh.memoryMb.median();
    const double largest = added.empty() ? 0.0 : *std::max_element(added.begin(), added.end());
    std::printf("%-72s peak RSS +%.1f MB (max %.1f), heap kept %.1f MB   target <= %.0f MB  %s\n",
                ("memory a Scan adds, " + std::to_string(full) + " aircraft").c_str(), memory,
                largest, r.fresh.heapKeptMb.median(), kMemoryTargetMb,
                memory <= kMemoryTargetMb ? "ok" : "OVER");
    std::puts("(the window's ratio comes from zelk_window_bench)");
}

// Times the Scan on one tree against both floors; more runs on the tree when asked.
template <typename More>
void timeTree(const fs::path& root, const TreeSize& size, PanelStyle style, FolderShape shape,
              const Options& options, Results& r, More&& more) {
    TreeBench tree(root, size, style, shape);
    r.ok = tree.check() && r.ok;
    r.shapes.push_back({tree.description(), tree.scanAgainstFloors(options.rounds)});
    more(tree);
}

Results runAll(const Options& options, const fs::path& root) {
    const TreeSize& full = options.full;
    const TreeSize half{full.aircraft / 2, full.linesPerPanel, full.gaugeFiles / 2};
    const auto nothingMore = [](TreeBench&) {};
    Results r;
    timeTree(root, half, PanelStyle::Bench, FolderShape::AllFolders, options, r, nothingMore);
    timeTree(root, full, PanelStyle::Bench, FolderShape::AllFolders, options, r,
             [&](TreeBench& tree) {
                 r.removal = tree.removalAgainstFloor(options.rounds);
                 r.fresh = tree.freshScanAgainstFloor(options.rounds);
                 r.ok = r.fresh.failures == 0 && r.ok;
             });
    timeTree(root, full, PanelStyle::Realistic, FolderShape::AllFolders, options, r, nothingMore);
    timeTree(root, half, PanelStyle::Bench, FolderShape::PanelFolderOnly, options, r, nothingMore);
    timeTree(root, full, PanelStyle::Bench, FolderShape::PanelFolderOnly, options, r, nothingMore);
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
