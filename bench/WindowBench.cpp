// Times the Scan as the user runs it, by clicking Scan in the real main window (which paints
// its progress bar as it goes), against the same Scan with a window that shows nothing, in
// alternating order in one process. Runs without a screen (QT_QPA_PLATFORM=offscreen).
//
//   zelk_window_bench [--quick] [--dir FOLDER] [aircraft [lines per panel [gauge files [rounds]]]]

#include <unistd.h>

#include <QApplication>
#include <QPushButton>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "BenchTree.h"
#include "Options.h"
#include "QuietWindow.h"
#include "Timing.h"
#include "app/qt/QtProgram.h"
#include "platform/ProcessMemory.h"
#include "platform/Prompter.h"
#include "scan/UnusedScan.h"

namespace fs = std::filesystem;

namespace {

constexpr double kWindowTarget = 1.1;

// Answers No to every question, so that the window stays open after each Scan.
class NoPrompter : public zelk::Prompter {
public:
    bool ask(const std::string&) override { return false; }
    void showError(int number, const std::string& text) override {
        std::fprintf(stderr, "error %d: %s\n", number, text.c_str());
        ++errors;
    }
    std::optional<std::string> pickFolder(const std::string&) override { return std::nullopt; }

    static inline int errors = 0;
};

struct Counts {
    int aircraft;
    int gaugeNames;
    int unused;

    bool operator==(const Counts&) const = default;
};

Counts countsOf(const zelk::RunState& state) {
    const auto bound = [](const zelk::NameList& list) {
        return list.hasSlots() ? list.upperBound().value() : 0;
    };
    return {bound(state.FolderList), bound(state.GaugeList), bound(state.UnusedList)};
}

int measure(const bench::Options& options, const fs::path& work) {
    const fs::path simFolder = work / "FS2000";
    bench::generateTree(simFolder, options.full, bench::PanelStyle::Bench,
                        bench::FolderShape::AllFolders);
    std::ofstream(work / "ZELKGAU.INI") << "[FS2000]\r\nFolder=" << simFolder.string() << "\r\n";

    NoPrompter prompter;
    zelk::QtProgram::Seams seams;
    seams.prompter = &prompter;
    seams.folders.program = work.string();
    zelk::QtProgram program(std::move(seams));
    frmZelk& window = program.mainWindow();
    if (!program.start()) {
        std::fputs("the window did not start\n", stderr);
        return 1;
    }
    QApplication::processEvents();
    QPushButton* const scanButton = window.findChild<QPushButton*>("Command1");

    zelk::RunState state;
    state.SimFolder = simFolder.string();
    bench::QuietWindow quiet;
    const zelk::DiskAccess access = zelk::DiskAccess::system();
    const zelk::CommandContext context{state, quiet, quiet, access};

    const auto nothing = [] {};
    const auto inWindow = [&] { scanButton->click(); };
    const auto withoutWindow = [&] { zelk::runScanCommand(context); };
    inWindow();  // warms the cache and the window
    withoutWindow();
    const Counts shown = countsOf(program.flow().runState());
    if (program.flow().hasEnded() || NoPrompter::errors != 0 || !(shown == countsOf(state))) {
        std::fputs("the Scan in the window did not find what the Scan without one found\n", stderr);
        return 1;
    }
    std::printf("%d aircraft, %d lines per panel, %d gauge files: %d gauge names, %d unused\n",
                options.full.aircraft, options.full.linesPerPanel, options.full.gaugeFiles,
                shown.gaugeNames, shown.unused);

    const bench::Pair times =
        bench::interleavedRounds(options.rounds, {nothing, inWindow}, {nothing, withoutWindow});
    std::printf("  %-28s best %8.4f s  median %8.4f s\n", "Scan in the window", times.first.best(),
                times.first.median());
    std::printf("  %-28s best %8.4f s  median %8.4f s\n", "Scan without a window",
                times.second.best(), times.second.median());
    bench::printRatio("Scan in the window / without a window", times.first, times.second,
                      kWindowTarget);
    return program.flow().hasEnded() || NoPrompter::errors != 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    zelk::keepFreedMemoryForReuse();  // as the program does at start-up
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const bench::Options options = bench::parseOptions(argc, argv);
    const fs::path work = options.workFolder / ("zelk-window-bench-" + std::to_string(::getpid()));
    fs::create_directories(work);
    const int status = measure(options, work);
    fs::remove_all(work);
    return status;
}
