// Generates synthetic simulator folders and times the Scan and the removal against a floor:
// what merely walking the aircraft folders, reading every panel file and listing GAUGES (and,
// for the removal, listing GAUGES and deleting the same files) costs with plain system calls.
//
//   zelk_scan_bench [aircraft] [lines per panel] [gauge files] [repetitions]
//
// Defaults: 2000 aircraft, 80 gauge lines per panel, 30000 gauge files, 5 repetitions. The
// tree is also timed at half that size, to show how the time grows with the tree.

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/CommandContext.h"
#include "removal/Removal.h"
#include "scan/UnusedScan.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct TreeSize {
    int aircraft;
    int linesPerPanel;
    int gaugeFiles;
};

// Two thirds of the gauge files are referenced by some panel; the rest are unused.
std::string gaugeName(int index) {
    return "Gauge_" + std::to_string(index);
}

int referencedPool(const TreeSize& size) {
    return size.gaugeFiles * 2 / 3;
}

std::vector<std::string> unusedFiles(const TreeSize& size) {
    std::vector<std::string> names;
    for (int i = referencedPool(size); i < size.gaugeFiles; ++i) {
        names.push_back(gaugeName(i) + ".gau");
    }
    return names;
}

void writeFile(const fs::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

// Each aircraft looks like a real one: model, panel, sound and texture folders. Half of the
// panel files are spelled "panel.cfg", as they often are after a copy from Windows.
void generate(const fs::path& root, const TreeSize& size) {
    fs::remove_all(root);
    unsigned seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int a = 0; a < size.aircraft; ++a) {
        const fs::path aircraft = root / "Aircraft" / ("Plane" + std::to_string(a));
        for (const char* folder : {"model", "panel", "sound", "texture"}) {
            fs::create_directories(aircraft / folder);
        }
        std::string panel = "[Window Titles]\r\nWindow00=Main Panel\r\n\r\n[Window00]\r\n";
        panel += "file=panel_bg.bmp\r\nsize_mm=640,480\r\n";
        for (int line = 0; line < size.linesPerPanel; ++line) {
            const int gauge =
                static_cast<int>(next() % static_cast<unsigned>(referencedPool(size)));
            panel += "gauge" + std::to_string(line) + "=" + gaugeName(gauge) + "!" +
                     gaugeName(gauge) + ", " + std::to_string(line * 7) + ", 20, 60\r\n";
        }
        writeFile(aircraft / "panel" / (a % 2 == 0 ? "PANEL.CFG" : "panel.cfg"), panel);
        writeFile(aircraft / "model" / "plane.mdl", "");
        writeFile(aircraft / "sound" / "sound.cfg", "[sound]\r\n");
        for (int t = 0; t < 10; ++t) {
            writeFile(aircraft / "texture" / ("plane_t" + std::to_string(t) + ".bmp"), "");
        }
    }
    fs::create_directories(root / "Gauges");
    for (int g = 0; g < size.gaugeFiles; ++g) {
        writeFile(root / "Gauges" / (gaugeName(g) + ".gau"), "");
    }
}

void restoreUnused(const fs::path& root, const TreeSize& size) {
    for (const std::string& name : unusedFiles(size)) {
        writeFile(root / "Gauges" / name, "");
    }
}

std::vector<std::string> listFolder(const std::string& path) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(path.c_str());
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.') {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(dir);
    return names;
}

std::size_t readWhole(const std::string& path) {
    static char buffer[64 * 1024];
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        return 0;
    }
    std::size_t total = 0;
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) {
        total += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return total;
}

// The floor of a Scan: walk the aircraft folders and read every panel file, finding it as
// Windows would (the exact spelling opens at once; any other spelling needs the folder's
// listing), then list GAUGES.
void scanFloor(const fs::path& root) {
    std::size_t bytes = 0;
    const std::string aircraft = (root / "Aircraft").string();
    for (const std::string& plane : listFolder(aircraft)) {
        const std::string planePath = aircraft + "/" + plane;
        for (const std::string& sub : listFolder(planePath)) {
            const std::string folder = planePath + "/" + sub;
            std::size_t got = readWhole(folder + "/PANEL.CFG");
            if (got == 0) {
                for (const std::string& name : listFolder(folder)) {
                    if (strcasecmp(name.c_str(), "PANEL.CFG") == 0) {
                        got = readWhole(folder + "/" + name);
                    }
                }
            }
            bytes += got;
        }
    }
    bytes += listFolder((root / "Gauges").string()).size();
    if (bytes == 0) {
        std::fputs("nothing was read\n", stderr);
    }
}

// The floor of a removal: list GAUGES and delete the unused files.
void removalFloor(const fs::path& root, const TreeSize& size) {
    listFolder((root / "Gauges").string());
    for (const std::string& name : unusedFiles(size)) {
        ::unlink((root / "Gauges" / name).c_str());
    }
}

class QuietWindow : public zelk::WindowOps {
public:
    bool removing = false;
    void setProgressMax(int, float) override {}
    void setProgressValue(int, float) override {}
    void setPanelText(int, const std::string&) override {}
    void setCommand2Enabled(bool) override {}
    // Yes to the removal's first question, No to every closing question.
    bool ask(const std::string& question) override { return question == zelk::kRemoveQuestion; }
    std::optional<std::string> pickFolder(const std::string&) override { return std::nullopt; }
};

double seconds(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The fastest of several runs; setup runs untimed before each.
double best(int repetitions, const std::function<void()>& setup,
            const std::function<void()>& work) {
    double fastest = 1e30;
    for (int i = 0; i < repetitions; ++i) {
        setup();
        fastest = std::min(fastest, seconds(work));
    }
    return fastest;
}

struct Timings {
    double scanFloor, scan, removalFloor, removal;
};

Timings measure(const fs::path& root, const TreeSize& size, int repetitions) {
    generate(root, size);
    zelk::RunState state;
    state.SimFolder = root.string();
    QuietWindow window;
    const zelk::DiskAccess access = zelk::DiskAccess::system();
    const zelk::CommandContext context{state, window, access};
    const auto nothing = [] {};
    Timings t{};
    scanFloor(root);  // warm the cache
    t.scanFloor = best(repetitions, nothing, [&] { scanFloor(root); });
    t.scan = best(repetitions, nothing, [&] { zelk::runScanCommand(context); });
    const auto restore = [&] { restoreUnused(root, size); };
    t.removalFloor = best(repetitions, restore, [&] { removalFloor(root, size); });
    t.removal = best(
        repetitions,
        [&] {
            restore();
            zelk::runScanCommand(context);
        },
        [&] { zelk::runRemovalCommand(context); });
    return t;
}

void print(const TreeSize& size, const Timings& t) {
    std::printf(
        "%6d aircraft x %3d lines, %6d gauge files | scan %7.3f s  floor %7.3f s  "
        "ratio %5.2f | removal %7.3f s  floor %7.3f s  ratio %5.2f\n",
        size.aircraft, size.linesPerPanel, size.gaugeFiles, t.scan, t.scanFloor,
        t.scan / t.scanFloor, t.removal, t.removalFloor, t.removal / t.removalFloor);
}

int argument(int argc, char** argv, int index, int fallback) {
    return argc > index ? std::atoi(argv[index]) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
    const TreeSize full{argument(argc, argv, 1, 2000), argument(argc, argv, 2, 80),
                        argument(argc, argv, 3, 30000)};
    const int repetitions = argument(argc, argv, 4, 5);
    const TreeSize half{full.aircraft / 2, full.linesPerPanel, full.gaugeFiles / 2};
    const fs::path root = fs::temp_directory_path() / ("zelk-bench-" + std::to_string(::getpid()));

    const Timings small = measure(root, half, repetitions);
    print(half, small);
    const Timings large = measure(root, full, repetitions);
    print(full, large);
    std::printf("doubling the tree: scan x%.2f (floor x%.2f), removal x%.2f (floor x%.2f)\n",
                large.scan / small.scan, large.scanFloor / small.scanFloor,
                large.removal / small.removal, large.removalFloor / small.removalFloor);
    fs::remove_all(root);
    return 0;
}
